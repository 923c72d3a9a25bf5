#include "chart_legend.h"

#include <algorithm>

bool ChartLegend::EntryLook::operator==(const EntryLook& other) const
{
    return rect == other.rect && name == other.name && pen == other.pen && brush == other.brush &&
           lineStyle == other.lineStyle && scatterShape == other.scatterShape &&
           scatterSize == other.scatterSize && selected == other.selected;
}

bool ChartLegend::UsesPicture(const QCPPainter* painter) const
{
    return !painter->modes().testFlag(QCPPainter::pmNoCaching) &&
           !painter->modes().testFlag(QCPPainter::pmVectorized);
}

std::vector<ChartLegend::EntryLook> ChartLegend::CurrentLooks() const
{
    std::vector<EntryLook> looks;
    looks.reserve(size_t(itemCount()));
    for (int i = 0; i < itemCount(); ++i) {
        const auto* entry = qobject_cast<const QCPPlottableLegendItem*>(item(i));
        if (!entry || !entry->realVisibility())
            continue;
        QCPAbstractPlottable* plottable = const_cast<QCPPlottableLegendItem*>(entry)->plottable();
        EntryLook look;
        look.rect = entry->outerRect();
        look.name = plottable->name();
        look.pen = plottable->pen();
        look.brush = plottable->brush();
        look.selected = entry->selected();
        if (const auto* graph = qobject_cast<const QCPGraph*>(plottable)) {
            look.lineStyle = int(graph->lineStyle());
            look.scatterShape = int(graph->scatterStyle().shape());
            look.scatterSize = graph->scatterStyle().size();
        }
        looks.push_back(std::move(look));
    }
    return looks;
}

void ChartLegend::draw(QCPPainter* painter)
{
    QCPLegend::draw(painter); // the frame and background
    if (!UsesPicture(painter) || mOuterRect.isEmpty())
        return;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    std::vector<EntryLook> looks = CurrentLooks();
    const bool same = m_picturedRect == mOuterRect && m_picturedFont == mFont &&
                      m_picturedTextColor == mTextColor && m_picturedIconSize == mIconSize &&
                      m_picture.devicePixelRatio() == ratio && looks == m_pictured;
    if (!same) {
        m_pictured = std::move(looks);
        m_picturedRect = mOuterRect;
        m_picturedFont = mFont;
        m_picturedTextColor = mTextColor;
        m_picturedIconSize = mIconSize;
        DrawPicture(ratio);
    }
    painter->drawPixmap(mOuterRect.topLeft(), m_picture);
}

void ChartLegend::DrawPicture(qreal pixelRatio)
{
    m_picture = QPixmap(mOuterRect.size() * pixelRatio);
    m_picture.setDevicePixelRatio(pixelRatio);
    m_picture.fill(Qt::transparent);
    QCPPainter painter(&m_picture);
    painter.translate(-mOuterRect.topLeft());
    m_drawingPicture = true;
    for (int i = 0; i < itemCount(); ++i) {
        auto* entry = dynamic_cast<LegendEntry*>(item(i));
        if (entry && entry->realVisibility())
            entry->DrawInto(&painter);
    }
    m_drawingPicture = false;
}

void LegendEntry::DrawInto(QCPPainter* painter)
{
    painter->save();
    applyDefaultAntialiasingHint(painter);
    QCPPlottableLegendItem::draw(painter);
    painter->restore();
}

void LegendEntry::draw(QCPPainter* painter)
{
    const auto* legend = dynamic_cast<const ChartLegend*>(mParentLegend);
    if (legend && legend->UsesPicture(painter) && !legend->DrawingPicture())
        return;
    QCPPlottableLegendItem::draw(painter);
}

QSize LegendEntry::minimumOuterSizeHint() const
{
    if (!mPlottable)
        return {};
    const QFont font = getFont();
    const QSize icon = mParentLegend->iconSize();
    if (m_measuredHeight != icon.height() || m_measuredName != mPlottable->name() || m_measuredFont != font) {
        m_measuredName = mPlottable->name();
        m_measuredFont = font;
        m_measuredHeight = icon.height();
        m_textSize =
            QFontMetrics(font).boundingRect(0, 0, 0, icon.height(), Qt::TextDontClip, m_measuredName).size();
    }
    return {icon.width() + mParentLegend->iconTextPadding() + m_textSize.width() + mMargins.left() +
                mMargins.right(),
            std::max(m_textSize.height(), icon.height()) + mMargins.top() + mMargins.bottom()};
}
