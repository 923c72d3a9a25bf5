#include "graph_window.h"

#include "graph_mib_command.h"

#include <busy_cursor.h>
#include <chart_style.h>
#include <common_functions.h>
#include <prompter.h>
#include <rt_trendwick.h>
#include <select_index_form.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <y_axises.h>

#include <add_mib_form.h>
#include <custom_subset_form.h>
#include <settings_form.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

const QString kCaption = QStringLiteral("Real-Time Trendwick");
const QString kFileFilter = QStringLiteral("Trendwicks (*.Trendwick);;All Files (*.*)");
const QString kFileSuffix = QStringLiteral("Trendwick");

// The window list of the process, in creation order: Graphs walks it.
QList<GraphWindow*>& WindowList()
{
    static QList<GraphWindow*> windows;
    return windows;
}

} // namespace

// Resources of a static library are registered by hand (outside any namespace).
static void InitAppResources()
{
    Q_INIT_RESOURCE(app_icons);
}

GraphWindow::GraphWindow(Settings& settings, Clock& clock, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), m_settings(settings),
      m_ownPrompter(prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      m_prompter(prompter ? *prompter : *m_ownPrompter), m_snmp(std::make_unique<SNMPSession>())
{
    InitAppResources();
    setObjectName(QStringLiteral("GraphWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/app/trendwick.svg")));
    WindowList().append(this);

    m_control = new RTTrendwick(settings, clock, m_prompter, this);
    m_control->setObjectName(QStringLiteral("RTTrendwick"));
    setCentralWidget(m_control);
    m_graphMIB = std::make_unique<GraphMIBCommand>(*m_snmp, m_prompter, settings);

    BuildMenus();
    BuildToolbar();
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);

    connect(m_control, &RTTrendwick::StateChanged, this, &GraphWindow::UpdateCommandState);
    connect(m_control, &RTTrendwick::MouseDown, this,
            [this](qint16 button, qint16, float, float) { ChartMouseDown(button); });
    connect(m_control, &RTTrendwick::SeriesDialogRequested, this, [this](TargetOID* target) {
        // Opened once the click that asked for it is over: OK rebuilds the chart and the table
        // whose mouse handlers are still running now.
        QTimer::singleShot(0, this,
                           [this, series = QPointer<TargetOID>(target)] { CustomizeSeries(series); });
    });
    ResizeToScreen();
    UpdateCommandState();
}

GraphWindow::~GraphWindow()
{
    WindowList().removeAll(this);
}

void GraphWindow::Unload()
{
    close();
    WindowList().removeAll(this);
    Q_EMIT Unloaded();
    deleteLater();
}

QList<GraphWindow*> GraphWindow::Windows()
{
    return WindowList();
}

void GraphWindow::GraphMIB(const QString& target, const QString& community, const QString& mib,
                           const QString& index, const QString& instance, const QString& calculation,
                           const QString& hostname)
{
    const GraphMIBRequest request{target, community, mib, index, instance, calculation, hostname};
    const auto selectIndexes = [this](const QString& t, const QString& ip, const QString& c, const QString& m,
                                      const QString& units,
                                      const QString& calc) { SelectIndexes(t, ip, c, m, units, calc); };
    if (m_graphMIB->Run(request, m_control->TargetOIDs(), selectIndexes) ==
        GraphMIBCommand::Outcome::TargetAdded)
        m_control->Reset();
}

void GraphWindow::SelectIndexes(const QString& target, const QString& ip, const QString& community,
                                const QString& mib, const QString& units, const QString& calculation)
{
    SelectIndexForm form(*m_snmp, m_settings, this);
    form.setPrompter(&m_prompter);
    if (form.SelectIndexes(m_control->TargetOIDs(), target, ip, community, mib, units, calculation))
        m_control->Reset();
}

void GraphWindow::ResizeToScreen()
{
    // Room for a chart above a table of a dozen rows, without outgrowing a small screen.
    QSize size(1100, 780);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
    resize(size);
}

void GraphWindow::StartGraph()
{
    show();
}

void GraphWindow::UpdateCommandState()
{
    const bool hasTargets = m_control->TargetOIDs().Count() > 0;
    for (const char* name : {"SaveSelection", "ExportMenu", "CloseSelection", "OverLapSelection",
                             "RawDataSelection", "FontSizeMenu", "AdjustPollingSelection", "PublishSelection",
                             "PrintPreviewSelection", "PrintSelection", "CustomizeStyleSelection"})
        SetCommandEnabled(MenuItem(QLatin1String(name)), hasTargets);
    Menu(QStringLiteral("EditMenu"))->menuAction()->setEnabled(hasTargets);
    for (const char* key : {"Save", "Export", "Print", "Customize", "Pause"})
        SetCommandEnabled(ToolbarButton(QLatin1String(key)), hasTargets);

    if (hasTargets) {
        QAction* pause = ToolbarButton(QStringLiteral("Pause"));
        const bool paused = m_control->Paused();
        pause->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
        pause->setIcon(
            QIcon(paused ? QStringLiteral(":/app/resume.svg") : QStringLiteral(":/app/pause.svg")));
    }

    const QString fileName = m_control->Filename();
    setWindowTitle(fileName.isEmpty() ? kCaption
                                      : kCaption + QStringLiteral(" [") + FileNameFromPath(fileName, true) +
                                            QLatin1Char(']'));
    MenuItem(QStringLiteral("OverLapSelection"))->setChecked(m_control->ChartStyle().OverLappingAxes());
    UpdateStatusBar();
}

void GraphWindow::UpdateStatusBar()
{
    const int count = m_control->TargetOIDs().Count();
    if (count == 0) {
        m_status->setText(QStringLiteral("No objects graphed. Add one with Graph, Add MIB to Graph."));
        return;
    }
    QString text = QStringLiteral("%1 object%2, polled every %3 s")
                       .arg(count)
                       .arg(count == 1 ? QString() : QStringLiteral("s"))
                       .arg(m_control->PollInterval());
    if (m_control->Paused())
        text += QStringLiteral(" (display paused)");
    m_status->setText(text);
}

void GraphWindow::PrepareGraphMenu()
{
    MenuItem(QStringLiteral("ZoomSelection"))->setEnabled(m_control->Zoomed());
    const FontSizes size = m_control->ChartStyle().FontSize();
    MenuItem(QStringLiteral("SmallFontSelection"))->setChecked(size == FONT_SMALL);
    MenuItem(QStringLiteral("MediumFontSelection"))->setChecked(size == FONT_MEDIUM);
    MenuItem(QStringLiteral("LargeFontSelection"))->setChecked(size == FONT_LARGE);
    MenuItem(QStringLiteral("OverLapSelection"))->setEnabled(m_control->YAxises().Count() >= 2);
}

void GraphWindow::ChartMouseDown(qint16 button)
{
    if (button != 2)
        return;
    PrepareGraphMenu();
    Menu(QStringLiteral("GraphMenu"))->popup(QCursor::pos());
}

void GraphWindow::Layout()
{
    if (!m_logo)
        return;
    // Toolbar and status bar are placed by the main window's own layout; only the logo is ours.
    const int margin = qMax(1, qRound(30.0 * logicalDpiX() / 1440.0));
    const int left = m_toolbar->width() - m_logo->width() - margin;
    m_logo->move(left, (m_toolbar->height() - m_logo->height()) / 2);
    const QWidget* help = m_toolbar->widgetForAction(ToolbarButton(QStringLiteral("Help")));
    const int helpRight = help ? help->geometry().right() : 0;
    m_logo->setVisible(left > helpRight + margin);
}

void GraphWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Layout();
}

void GraphWindow::closeEvent(QCloseEvent* event)
{
    m_control->Shutdown();
    event->accept();
}

bool GraphWindow::ToolbarVisible() const
{
    return !m_toolbar->isHidden();
}

void GraphWindow::setToolbarVisible(bool visible)
{
    m_toolbar->setVisible(visible);
    statusBar()->setVisible(visible);
    Layout();
}

bool GraphWindow::MenusVisible() const
{
    return Menu(QStringLiteral("FileMenu"))->menuAction()->isVisible();
}

void GraphWindow::setMenusVisible(bool visible)
{
    Menu(QStringLiteral("FileMenu"))->menuAction()->setVisible(visible);
    Menu(QStringLiteral("GraphMenu"))->menuAction()->setVisible(visible);
    Menu(QStringLiteral("HelpMenu"))->menuAction()->setVisible(false);
}

QAction* GraphWindow::MenuItem(const QString& name) const
{
    if (QMenu* submenu = Menu(name))
        return submenu->menuAction();
    return findChild<QAction*>(name);
}

QMenu* GraphWindow::Menu(const QString& name) const
{
    return findChild<QMenu*>(name);
}

QAction* GraphWindow::ToolbarButton(const QString& key) const
{
    return m_buttons.value(key);
}

void GraphWindow::Open()
{
    Prompter::FileRequest request{QStringLiteral("Load and Start Trendwick ..."), kFileFilter,
                                  QStringLiteral("*.Trendwick"), kFileSuffix};
    const QString fileName = m_prompter.OpenFile(request);
    if (fileName.isEmpty())
        return;
    if (!m_control->LoadXML(fileName))
        m_prompter.Message(m_control->LastError(), Prompter::Icon::Exclamation, Prompter::Ok,
                           QStringLiteral("Open Trendwick"));
    BusyCursor busy;
    UpdateCommandState();
}

void GraphWindow::Save()
{
    Prompter::FileRequest request{QStringLiteral("Save Trendwick ..."), kFileFilter,
                                  MakeSafeName(m_control->MainTitle(), QStringLiteral("Trendwick")),
                                  kFileSuffix};
    const QString fileName = m_prompter.SaveFile(request);
    if (fileName.isEmpty())
        return;
    BusyCursor busy;
    if (!m_control->SaveXML(fileName))
        m_prompter.Message(m_control->LastError(), Prompter::Icon::Exclamation, Prompter::Ok,
                           QStringLiteral("Save Trendwick"));
    UpdateCommandState();
}

void GraphWindow::CloseGraph()
{
    m_control->TargetOIDs().Clear();
    m_control->Reset();
}

void GraphWindow::AddMIB()
{
    AddMibForm form(*m_snmp, m_settings, m_prompter, this);
    if (form.AddMIB(m_control->TargetOIDs(), m_control->PollInterval()))
        m_control->Reset();
}

void GraphWindow::ShowSettings()
{
    SettingsForm form(m_settings, m_prompter, this);
    form.ShowSettings();
}

void GraphWindow::CustomizeSeries(TargetOID* target)
{
    if (!target)
        return;
    // On the heap and watched: the window may be closed from outside while the dialog runs.
    const QPointer<CustomSubsetForm> form = new CustomSubsetForm(m_prompter, this);
    form->setIndexPicker([this](const QString& ip, const QString& community, const QString& mib) {
        SelectIndexForm rows(*m_snmp, m_settings, this);
        rows.setPrompter(&m_prompter);
        return rows.PickIndex(ip, ip, community, mib);
    });
    form->Customize(*m_control, *target);
    delete form.data();
}

void GraphWindow::ZoomOut()
{
    m_control->setZoomed(false);
}

void GraphWindow::SetOverlapAxes(bool overlapping)
{
    m_control->ChartStyle().setOverLappingAxes(overlapping);
    m_control->Reset();
}

void GraphWindow::SetFontSize(int size)
{
    m_control->ChartStyle().setFontSize(static_cast<FontSizes>(size));
    m_control->UpdateStyle();
}

void GraphWindow::TogglePause()
{
    m_control->setPaused(!m_control->Paused());
}

void GraphWindow::ShowAbout()
{
    m_prompter.Message(kCaption + QStringLiteral("\nVersion ") + QCoreApplication::applicationVersion() +
                           QStringLiteral("\n\nA real-time SNMP grapher."),
                       Prompter::Icon::Information, Prompter::Ok, QStringLiteral("About Trendwick"));
}
