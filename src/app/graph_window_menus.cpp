// The graph window's menus and toolbar: names, captions and what each item runs.
#include "graph_window.h"

#include <rt_trendwick.h>

#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kNotAvailable = QStringLiteral("Not available yet");

} // namespace

QAction* GraphWindow::AddItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* GraphWindow::AddSubmenu(QMenu* menu, const QString& name, const QString& caption,
                               const QString& placeholder)
{
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(name);
    if (!placeholder.isEmpty())
        submenu->addAction(placeholder)->setEnabled(false);
    return submenu;
}

void GraphWindow::MarkUnavailable(QAction* action)
{
    // The dialogs and engines behind these commands are not part of the program yet.
    m_unavailable.insert(action);
    action->setToolTip(kNotAvailable);
    action->setStatusTip(kNotAvailable);
    action->setEnabled(false);
}

void GraphWindow::SetCommandEnabled(QAction* action, bool enabled)
{
    action->setEnabled(enabled && !m_unavailable.contains(action));
}

void GraphWindow::BuildMenus()
{
    const auto addMenu = [this](const QString& name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->setToolTipsVisible(true);
        return menu;
    };
    BuildFileMenu(addMenu(QStringLiteral("FileMenu"), QStringLiteral("&File")));
    BuildEditMenu(addMenu(QStringLiteral("EditMenu"), QStringLiteral("&Edit")));
    BuildGraphMenu(addMenu(QStringLiteral("GraphMenu"), QStringLiteral("&Graph")));
    BuildHelpMenu(addMenu(QStringLiteral("HelpMenu"), QStringLiteral("&Help")));
}

void GraphWindow::BuildFileMenu(QMenu* menu)
{
    connect(AddItem(menu, QStringLiteral("NewSelection"), QStringLiteral("&New Trendwick ...")),
            &QAction::triggered, this, &GraphWindow::NewWindowRequested);
    connect(AddItem(menu, QStringLiteral("OpenSelection"), QStringLiteral("&Open Trendwick ...")),
            &QAction::triggered, this, &GraphWindow::Open);
    connect(AddItem(menu, QStringLiteral("SaveSelection"), QStringLiteral("&Save Trendwick")),
            &QAction::triggered, this, &GraphWindow::Save);
    connect(AddItem(menu, QStringLiteral("CloseSelection"), QStringLiteral("&Close Trendwick")),
            &QAction::triggered, this, &GraphWindow::CloseGraph);
    menu->addSeparator();
    const QString noExports = QStringLiteral("no export methods installed");
    MarkUnavailable(
        AddSubmenu(menu, QStringLiteral("ExportMenu"), QStringLiteral("&Export Graph ..."), noExports)
            ->menuAction());
    MarkUnavailable(
        AddSubmenu(menu, QStringLiteral("menuExportData"), QStringLiteral("Export &Data"), noExports)
            ->menuAction());
    MarkUnavailable(AddSubmenu(menu, QStringLiteral("menuSendTo"), QStringLiteral("&Send To"),
                               QStringLiteral("no Send to methods installed"))
                        ->menuAction());
    MarkUnavailable(
        AddItem(menu, QStringLiteral("PublishSelection"), QStringLiteral("Publish to the &Web ...")));
    menu->addSeparator();
    MarkUnavailable(
        AddItem(menu, QStringLiteral("PrintPreviewSelection"), QStringLiteral("Print Pre&view ...")));
    MarkUnavailable(AddItem(menu, QStringLiteral("PrintSelection"), QStringLiteral("&Print ...")));
    menu->addSeparator();
    connect(AddItem(menu, QStringLiteral("SettingsSelection"), QStringLiteral("&Settings ...")),
            &QAction::triggered, this, &GraphWindow::ShowSettings);
    menu->addSeparator();
    connect(AddItem(menu, QStringLiteral("ExitSelection"), QStringLiteral("E&xit")), &QAction::triggered,
            this, &GraphWindow::close);
}

void GraphWindow::BuildEditMenu(QMenu* menu)
{
    connect(AddItem(menu, QStringLiteral("CopyBitmapSelection"), QStringLiteral("Copy as &Bitmap")),
            &QAction::triggered, this, [this] { m_control->CopyBitmap(); });
    connect(
        AddItem(menu, QStringLiteral("CopyMetaFileSelection"), QStringLiteral("Copy as Windows &MetaFile")),
        &QAction::triggered, this, [this] { m_control->CopyMetaFile(); });
    MarkUnavailable(AddItem(menu, QStringLiteral("CopyDataSelection"), QStringLiteral("Copy Raw &Data ...")));
}

void GraphWindow::BuildGraphMenu(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, &GraphWindow::PrepareGraphMenu);
    connect(AddItem(menu, QStringLiteral("AddMIBSelection"), QStringLiteral("&Add MIB to Graph ...")),
            &QAction::triggered, this, &GraphWindow::AddMIB);
    connect(AddItem(menu, QStringLiteral("ZoomSelection"), QStringLiteral("&Zoom Back Out")),
            &QAction::triggered, this, &GraphWindow::ZoomOut);
    MarkUnavailable(AddItem(menu, QStringLiteral("RawDataSelection"), QStringLiteral("&View Raw Data ...")));
    menu->addSeparator();
    MarkUnavailable(AddItem(menu, QStringLiteral("AdjustPollingSelection"),
                            QStringLiteral("Adjust &Polling Interval ...")));
    QAction* overlap = AddItem(menu, QStringLiteral("OverLapSelection"), QStringLiteral("Overlap Axes"));
    overlap->setCheckable(true);
    connect(overlap, &QAction::triggered, this, &GraphWindow::SetOverlapAxes);

    QMenu* fonts = AddSubmenu(menu, QStringLiteral("FontSizeMenu"), QStringLiteral("&Font Size"), QString());
    const struct {
        const char* name;
        const char* caption;
        int size;
    } sizes[] = {{"SmallFontSelection", "&Small", 1},
                 {"MediumFontSelection", "&Medium", 0},
                 {"LargeFontSelection", "&Large", 2}};
    for (const auto& entry : sizes) {
        QAction* item = AddItem(fonts, QLatin1String(entry.name), QLatin1String(entry.caption));
        item->setCheckable(true);
        const int size = entry.size;
        connect(item, &QAction::triggered, this, [this, size] { SetFontSize(size); });
    }
    menu->addSeparator();
    MarkUnavailable(AddItem(menu, QStringLiteral("CustomizeStyleSelection"),
                            QStringLiteral("&Customize Graph Style ...")));
}

void GraphWindow::BuildHelpMenu(QMenu* menu)
{
    MarkUnavailable(AddItem(menu, QStringLiteral("HelpContentsSelection"), QStringLiteral("&Contents ...")));
    MarkUnavailable(AddItem(menu, QStringLiteral("HelpSelection"), QStringLiteral("&Help on Trendwick ...")));
    menu->addSeparator();
    connect(AddItem(menu, QStringLiteral("AboutSelection"), QStringLiteral("&About Trendwick ...")),
            &QAction::triggered, this, &GraphWindow::ShowAbout);
}

QAction* GraphWindow::AddButton(const QString& key, const QIcon& icon)
{
    QAction* button = m_toolbar->addAction(icon, key);
    button->setObjectName(QStringLiteral("Toolbar") + QString(key).remove(QLatin1Char(' ')));
    m_buttons.insert(key, button);
    return button;
}

void GraphWindow::BuildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto icon = [](const char* name) {
        return QIcon(QStringLiteral(":/app/%1.svg").arg(QLatin1String(name)));
    };

    connect(AddButton(QStringLiteral("New"), icon("new")), &QAction::triggered, this,
            &GraphWindow::NewWindowRequested);
    connect(AddButton(QStringLiteral("Save"), icon("save")), &QAction::triggered, this, &GraphWindow::Save);
    MarkUnavailable(AddButton(QStringLiteral("Export"), icon("export")));
    MarkUnavailable(AddButton(QStringLiteral("Print"), icon("print")));
    m_toolbar->addSeparator();
    connect(AddButton(QStringLiteral("Settings"), icon("settings")), &QAction::triggered, this,
            &GraphWindow::ShowSettings);
    connect(AddButton(QStringLiteral("Add MIB"), icon("add_mib")), &QAction::triggered, this,
            &GraphWindow::AddMIB);
    MarkUnavailable(AddButton(QStringLiteral("Customize"), icon("customize")));
    connect(AddButton(QStringLiteral("Pause"), icon("pause")), &QAction::triggered, this,
            &GraphWindow::TogglePause);
    m_toolbar->addSeparator();
    MarkUnavailable(AddButton(QStringLiteral("Help"), icon("help")));

    // The logo sits over the toolbar's free right end, placed by Layout.
    m_logo = new QLabel(m_toolbar);
    m_logo->setObjectName(QStringLiteral("Logo"));
    m_logo->setPixmap(QIcon(QStringLiteral(":/app/trendwick.svg")).pixmap(QSize(36, 36)));
    m_logo->setToolTip(QStringLiteral("Real-Time Trendwick"));
    m_logo->adjustSize();
}
