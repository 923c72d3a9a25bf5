#include "table_icons.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// A resource compiled into a static library is not registered unless something names it.
static void InitTableIconResource()
{
    Q_INIT_RESOURCE(value_table_icons);
}

namespace {

QString IconFile(ValueTableModel::PictureKey key)
{
    switch (key) {
    case ValueTableModel::PictureCustomize:
        return QStringLiteral(":/valuetable/customize.svg");
    case ValueTableModel::PictureRemove:
        return QStringLiteral(":/valuetable/remove.svg");
    case ValueTableModel::PictureRed:
        return QStringLiteral(":/valuetable/red.svg");
    case ValueTableModel::PictureGray:
        return QStringLiteral(":/valuetable/gray.svg");
    case ValueTableModel::PictureGreen:
        return QStringLiteral(":/valuetable/green.svg");
    case ValueTableModel::NoPicture:
        break;
    }
    return QString();
}

// Rendered here rather than through QIcon's SVG engine, which is a plugin that may be missing.
QIcon RenderIcon(const QString& file)
{
    QSvgRenderer renderer(file);
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (const int side : {16, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon TableIcon(ValueTableModel::PictureKey key)
{
    static bool registered = (InitTableIconResource(), true);
    Q_UNUSED(registered);
    static QHash<int, QIcon> cache;
    if (key == ValueTableModel::NoPicture)
        return QIcon();
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.insert(key, RenderIcon(IconFile(key)));
    return *found;
}
