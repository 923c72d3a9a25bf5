#include "chart_texts.h"

#include <QLocale>

namespace {

const QString& Field(const TargetNames& target, const QString& upperField)
{
    if (upperField == QLatin1String("IP"))
        return target.ip;
    if (upperField == QLatin1String("OID"))
        return target.objectName;
    return target.instance;
}

bool AllEqual(const std::vector<TargetNames>& targets, QString TargetNames::*member)
{
    for (const TargetNames& target : targets)
        if (target.*member != targets.front().*member)
            return false;
    return true;
}

} // namespace

QString CommonTargetValue(const std::vector<TargetNames>& targets, const QString& field)
{
    const QString upper = field.toUpper();
    if (targets.empty() ||
        (upper != QLatin1String("IP") && upper != QLatin1String("OID") && upper != QLatin1String("INSTANCE")))
        return QString();
    const QString& first = Field(targets.front(), upper);
    for (const TargetNames& target : targets)
        if (Field(target, upper) != first)
            return QString();
    if (upper == QLatin1String("IP"))
        return targets.front().hostname;
    return first;
}

ChartTitles AutomaticTitles(const std::vector<TargetNames>& targets)
{
    ChartTitles titles;
    const QString host = CommonTargetValue(targets, QStringLiteral("IP"));
    const QString object = CommonTargetValue(targets, QStringLiteral("OID"));
    titles.main = host.isEmpty() ? object : host;
    if (!host.isEmpty()) {
        const QString instance = CommonTargetValue(targets, QStringLiteral("INSTANCE"));
        if (!instance.isEmpty() && !object.isEmpty())
            titles.sub = instance + QLatin1Char(':') + object;
        else
            titles.sub = instance.isEmpty() ? object : instance;
    }
    return titles;
}

QStringList AutomaticSeriesLabels(const std::vector<TargetNames>& targets)
{
    const bool hostsDiffer = !AllEqual(targets, &TargetNames::ip);
    const bool instancesDiffer = !AllEqual(targets, &TargetNames::instance);
    const bool objectsDiffer = !AllEqual(targets, &TargetNames::objectName);
    QStringList labels;
    for (const TargetNames& target : targets) {
        QString label;
        if (hostsDiffer)
            label = target.hostname;
        if (instancesDiffer)
            label += QLatin1Char(':') + target.instance.left(20);
        if (objectsDiffer)
            label += QLatin1Char(':') + target.objectName;
        if (label.startsWith(QLatin1Char(':')))
            label.remove(0, 1);
        labels.append(label);
    }
    return labels;
}

QString NormalizedFooter(const QString& footer)
{
    return footer.split(QLatin1Char('|')).size() < 3 ? footer + QStringLiteral("||") : footer;
}

QStringList FooterParts(const QString& footer)
{
    QStringList parts = footer.split(QLatin1Char('|'));
    while (parts.size() < 3)
        parts.append(QString());
    if (parts.size() > 3)
        parts = QStringList{parts.at(0), parts.at(1), parts.mid(2).join(QLatin1Char('|'))};
    return parts;
}

QString TimeLabelFormatFor(int pollIntervalSeconds, bool includeAMPM)
{
    QString format = pollIntervalSeconds < 61 ? QStringLiteral("h:nn:ss") : QStringLiteral("h:nn");
    if (includeAMPM)
        format += QStringLiteral(" AM/PM");
    return format;
}

QString FormatTimeLabel(const QTime& time, const QString& format)
{
    QString qtFormat = format;
    qtFormat.replace(QStringLiteral("AM/PM"), QStringLiteral("AP"));
    qtFormat.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    // The C locale gives the English upper-case AM and PM whatever the user's language.
    return QLocale::c().toString(time, qtFormat);
}
