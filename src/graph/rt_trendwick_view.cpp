// The graph control's chart members and the arrangement of its panes and message panels.
#include "rt_trendwick.h"

#include "message_panel.h"

#include <chart_binding.h>
#include <value_table_view.h>

#include <QResizeEvent>
#include <QSplitter>

namespace {

constexpr int kTwipsPerInch = 1440;
// A table whose rows take less than this gets a pane of exactly their height.
constexpr int kSmallTableTwips = 3000;
constexpr int kTablePaneMarginTwips = 20;
// Smaller table panes count as hidden (the user dragged the split to the bottom).
constexpr int kVisiblePanePixels = 50;
constexpr int kHiddenPanePixels = 10;
constexpr int kPanelGap = 8;

} // namespace

QString RTTrendwick::MainTitle() const
{
    return m_chart->MainTitle();
}

void RTTrendwick::setMainTitle(const QString& title)
{
    m_chart->setMainTitle(title);
}

QString RTTrendwick::SubTitle() const
{
    return m_chart->SubTitle();
}

void RTTrendwick::setSubTitle(const QString& title)
{
    m_chart->setSubTitle(title);
}

QString RTTrendwick::Footer() const
{
    return m_chart->Footer();
}

void RTTrendwick::setFooter(const QString& footer)
{
    m_chart->setFooter(footer);
}

qint32 RTTrendwick::DeskColor() const
{
    return m_chart->DeskColor();
}

void RTTrendwick::setDeskColor(qint32 color)
{
    m_chart->setDeskColor(color);
}

bool RTTrendwick::Zoomed() const
{
    return m_chart->Zoomed();
}

void RTTrendwick::setZoomed(bool zoomed)
{
    m_chart->setZoomed(zoomed);
}

void RTTrendwick::ShowCustomizeDialog()
{
    m_chart->ShowCustomizeDialog();
}

void RTTrendwick::ShowExportDialog()
{
    m_chart->ShowExportDialog();
}

void RTTrendwick::CopyBitmap(int width, int height)
{
    m_chart->CopyBitmap(width, height);
}

void RTTrendwick::CopyMetaFile(int width, int height)
{
    m_chart->CopyMetaFile(width, height);
}

bool RTTrendwick::SaveBitmap(const QString& filename, int width, int height)
{
    return m_chart->SaveBitmap(filename, width, height);
}

bool RTTrendwick::SaveMetaFile(const QString& filename, int width, int height)
{
    return m_chart->SaveMetaFile(filename, width, height);
}

bool RTTrendwick::SaveJPEG(const QString& filename, int width, int height)
{
    return m_chart->SaveJPEG(filename, width, height);
}

void RTTrendwick::LoadColumnsMenu()
{
    m_table->LoadColumnsMenu();
}

bool RTTrendwick::MIBListVisible() const
{
    if (m_table->isHidden())
        return false;
    const QList<int> sizes = m_splitter->sizes();
    // Before the first layout the panes have no size yet; the table is meant to be there.
    if (sizes.value(0) + sizes.value(1) <= 0)
        return true;
    return sizes.value(1) >= kVisiblePanePixels;
}

void RTTrendwick::setMIBListVisible(bool visible)
{
    if (visible) {
        m_table->show();
        SizeTablePane();
        return;
    }
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    m_splitter->setSizes({std::max(0, total - kHiddenPanePixels), kHiddenPanePixels});
    m_table->hide();
}

int RTTrendwick::TwipsToPixels(int twips) const
{
    return (twips * logicalDpiY() + kTwipsPerInch / 2) / kTwipsPerInch;
}

void RTTrendwick::SizeTablePane()
{
    const int rows = m_table->RowsHeight();
    if (rows >= TwipsToPixels(kSmallTableTwips))
        return; // a big table keeps the split the user made
    const int pane = rows + TwipsToPixels(kTablePaneMarginTwips);
    const QList<int> sizes = m_splitter->sizes();
    int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        total = m_splitter->height() - m_splitter->handleWidth();
    m_splitter->setSizes({std::max(0, total - pane), pane});
}

void RTTrendwick::PlacePanels()
{
    QList<MessagePanel*> shown;
    for (MessagePanel* panel : {m_baseLineMessage, m_pauseMessage}) {
        if (!panel->isHidden())
            shown.append(panel);
    }
    // Both panels can be up at once (a paused graph still waiting for its baseline): stack them.
    int height = 0;
    for (MessagePanel* panel : shown)
        height += panel->sizeHint().height() + kPanelGap;
    int top = (this->height() - height + kPanelGap) / 2;
    for (MessagePanel* panel : shown) {
        const int own = panel->sizeHint().height();
        panel->CentreIn(QRect(0, top, width(), own));
        panel->raise();
        top += own + kPanelGap;
    }
}

void RTTrendwick::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlacePanels();
}
