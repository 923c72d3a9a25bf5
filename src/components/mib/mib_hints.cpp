#include "mib_hints.h"

#include <QFile>
#include <QStringList>

bool MibHints::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    loadText(QString::fromUtf8(file.readAll()));
    return true;
}

void MibHints::loadText(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char('|'));
        for (QString& f : fields)
            f = f.trimmed();
        QString key = fields.value(0);
        key.replace(QLatin1String("::"), QLatin1String(":"));
        if (key.isEmpty())
            continue;
        merge(key, MibHint{fields.value(1), fields.value(2), fields.value(3), fields.value(4)});
    }
}

void MibHints::merge(const QString& key, const MibHint& hint)
{
    MibHint& slot = m_hints[key];
    if (!hint.calculationHint.isEmpty())
        slot.calculationHint = hint.calculationHint;
    if (!hint.unitChoices.isEmpty())
        slot.unitChoices = hint.unitChoices;
    if (!hint.indexByName.isEmpty())
        slot.indexByName = hint.indexByName;
    if (!hint.defaultIndex.isEmpty())
        slot.defaultIndex = hint.defaultIndex;
}
