#include "target_oid.h"

#include "chart_sink.h"
#include "ordered_xml.h"
#include "xml_values.h"

#include <clock.h>
#include <common_functions.h>
#include <settings.h>

#include <QDomDocument>
#include <utility>

struct LineStyleSpelling {
    const char* upperName;
    LineStyles style;
};

static constexpr LineStyleSpelling kLineStyleSpellings[] = {
    {"SOLID1", LINESTYLE_SOLID_1},
    {"SOLID 1", LINESTYLE_SOLID_1},
    {"THIN", LINESTYLE_SOLID_1},
    {"SOLID2", LINESTYLE_SOLID_2},
    {"SOLID 2", LINESTYLE_SOLID_2},
    {"SOLID3", LINESTYLE_SOLID_3},
    {"SOLID 3", LINESTYLE_SOLID_3},
    {"SOLID4", LINESTYLE_SOLID_4},
    {"SOLID 4", LINESTYLE_SOLID_4},
    {"SOLID", LINESTYLE_SOLID_4},
    {"MEDIUM", LINESTYLE_SOLID_4},
    {"SOLID5", LINESTYLE_SOLID_5},
    {"SOLID 5", LINESTYLE_SOLID_5},
    {"SOLID6", LINESTYLE_SOLID_6},
    {"SOLID 6", LINESTYLE_SOLID_6},
    {"THICK", LINESTYLE_SOLID_6},
    {"DASH", LINESTYLE_DASH},
    {"DASHED", LINESTYLE_DASH},
    {"DOT", LINESTYLE_DOT},
    {"DOTTED", LINESTYLE_DOT},
    {"DASH-DOT", LINESTYLE_DASHDOT},
    {"DASHDOT", LINESTYLE_DASHDOT},
    {"DASH DOT", LINESTYLE_DASHDOT},
    {"DASH-DOT-DOT", LINESTYLE_DASHDOTDOT},
    {"DASHDOTDOT", LINESTYLE_DASHDOTDOT},
    {"DASH DOT DOT", LINESTYLE_DASHDOTDOT},
};

static const char* const kLineStyleNames[] = {"SOLID 1", "SOLID 2", "SOLID 3", "SOLID 4",  "SOLID 5",
                                              "SOLID 6", "Dash",    "Dot",     "Dash-Dot", "Dash-Dot-Dot"};
static constexpr int kLineTypeCodes[] = {0, 9, 5, 10, 6, 11, 1, 2, 3, 4};

static const QString kNoCalculations = QStringLiteral("No Calculations");
static const QString kPerSecond = QStringLiteral("x per Second");

// Floor division, so that readings before the epoch still fall into the right second or minute.
static qint64 FloorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

OIDResolver MibDatabaseResolver()
{
    return [](const QString& name) {
        OIDDetails details;
        details.Lookup(name);
        return details;
    };
}

TargetOID::TargetOID(Clock& clock, const Settings& settings, OIDResolver resolver, QObject* parent)
    : QObject(parent), m_clock(clock), m_settings(settings),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver()), m_details(OIDInfo{})
{
}

TargetOID::~TargetOID() = default;

qint32 TargetOID::ID() const
{
    return static_cast<qint32>(LeadingNumber(m_key.mid(2)));
}

void TargetOID::setLabel(const QString& label)
{
    m_label = label;
    m_autoLabel = false;
}

void TargetOID::setLineStyleName(const QString& name)
{
    const QString upper = name.toUpper();
    for (const LineStyleSpelling& spelling : kLineStyleSpellings) {
        if (upper == QLatin1String(spelling.upperName)) {
            m_lineStyle = spelling.style;
            return;
        }
    }
}

QDateTime TargetOID::HistoryTime(int index) const
{
    return Responses::FromWallClockMsecs(m_history.HistoryTime(index));
}

void TargetOID::setConversion(const QString& conversion)
{
    if (conversion == m_conversion.Text())
        return;
    m_conversion = ConversionChain(conversion);
    m_history.Reset();
    m_previousTime = Responses::NoTime;
    m_value = NoValue;
}

void TargetOID::setUnits(const QString& units)
{
    const QString part = units.mid(units.lastIndexOf(QLatin1Char(',')) + 1);
    const int equals = part.indexOf(QLatin1Char('='));
    if (equals >= 0) {
        m_units = part.left(equals);
        m_conversion = ConversionChain(part.mid(equals + 1));
    } else {
        m_units = part;
        m_conversion = ConversionChain();
    }
}

void TargetOID::setTargetMIB(const QString& name)
{
    m_details = m_resolver(name);
    QString hint = m_details.CalculationHint();
    if (hint.isEmpty())
        hint = m_details.SyntaxName();
    hint = hint.toUpper();
    if (hint == QLatin1String("GAUGE") || hint == QLatin1String("GAUGE32") ||
        hint == QLatin1String("INTEGER") || hint == QLatin1String("INTEGER32"))
        setCalculation(kNoCalculations);
    else if (hint != QLatin1String("NO CALCULATIONS"))
        setCalculation(kPerSecond); // counters, and anything else that keeps growing

    const QString choices = m_details.UnitChoices();
    if (choices.isEmpty())
        m_units.clear();
    else
        setUnits(choices);
}

void TargetOID::SetKeyNumber(qint32 number)
{
    m_key = QStringLiteral("O:") + QString::number(number);
    m_keyNumber = number;
}

void TargetOID::setCalculation(const QString& calculation)
{
    m_calculation = calculation;
    if (calculation.isEmpty() || calculation == kNoCalculations)
        m_rateUnitMsecs = 0;
    else
        m_rateUnitMsecs = calculation.contains(QLatin1String("per Minute")) ? 60000 : 1000;
}

void TargetOID::PrefetchPoll() const
{
    __builtin_prefetch(&m_key);
    __builtin_prefetch(&m_community);
    __builtin_prefetch(&m_polledOid);
    __builtin_prefetch(&m_polledIndex);
}

void TargetOID::PrefetchPollTexts() const
{
    // The characters follow their header in one allocation: one prefetch covers both.
    __builtin_prefetch(m_key.constData());
    __builtin_prefetch(m_ip.constData());
    __builtin_prefetch(m_community.constData());
    __builtin_prefetch(m_polledOid.constData());
}

void TargetOID::PrefetchAnswer() const
{
    __builtin_prefetch(&m_lastError);
    __builtin_prefetch(&m_assumeRollover);
    __builtin_prefetch(&m_key);
    m_history.PrefetchFigures();
}

void TargetOID::PrefetchTableRow() const
{
    __builtin_prefetch(&m_lastError);
    __builtin_prefetch(&m_value);
    __builtin_prefetch(&m_units);
    __builtin_prefetch(&m_subset);
    m_history.PrefetchFigures();
}

void TargetOID::PrefetchColumn() const
{
    __builtin_prefetch(&m_value);
    __builtin_prefetch(&m_subset);
}

const QString& TargetOID::PolledOID() const
{
    const QString& dotted = m_details.info().dottedOID;
    const auto same = [](const QString& a, const QString& b) {
        return a.constData() == b.constData() && a.size() == b.size();
    };
    if (m_polledOid.isNull() || !same(dotted, m_polledFrom) || !same(m_index, m_polledIndex)) {
        m_polledFrom = dotted;
        m_polledIndex = m_index;
        m_polledOid = dotted + QLatin1Char('.') + m_index;
    }
    return m_polledOid;
}

QString TargetOID::UnitsAndConversion() const
{
    if (m_conversion.Text().isEmpty())
        return m_units;
    return m_units + QLatin1Char('=') + m_conversion.Text();
}

void TargetOID::setUnitsAndConversion(const QString& text)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        m_units = text;
        setConversion(QString());
    } else {
        m_units = text.left(equals);
        setConversion(text.mid(equals + 1));
    }
}

const ConversionChain& TargetOID::CurrentChain() const
{
    // Numbers with separators are read again when the user's locale changed; asking for the
    // locale costs more than the arithmetic, so plain digits skip it.
    if (m_conversion.DependsOnLocale()) {
        const QLocale locale;
        if (m_conversion.Locale() != locale)
            m_conversion = ConversionChain(m_conversion.Text(), locale);
    }
    return m_conversion;
}

double TargetOID::ApplyConversion(double x) const
{
    return CurrentChain().Apply(x);
}

double TargetOID::Converted(double x) const
{
    return m_conversion.Text().isEmpty() ? x : ApplyConversion(x);
}

// Whole seconds, or minute boundaries crossed, between the previous sample and now.
qint64 TargetOID::ElapsedSince(qint64 nowMsecs) const
{
    return FloorDiv(nowMsecs, m_rateUnitMsecs) - FloorDiv(m_previousTime, m_rateUnitMsecs);
}

void TargetOID::TakeBase(const Reading& reading, qint64 nowMsecs)
{
    m_previousTime = nowMsecs;
    // An exact answer is kept as it came; its converted value is worked out only if the next
    // answer is not exact too.
    m_previousExact = reading.exact.has_value();
    if (m_previousExact)
        m_previousRaw = *reading.exact;
    else
        m_previousValue = Converted(reading.number);
}

void TargetOID::RecordResponse(double raw)
{
    RecordResponse(raw, m_clock.NowWallClockMsecs());
}

void TargetOID::RecordResponse(double raw, qint64 now)
{
    RecordResponse(Reading{raw, std::nullopt, Reading::Counter::None}, now);
}

void TargetOID::RecordResponse(const Reading& reading, qint64 now)
{
    const bool restarted = std::exchange(m_baseOnNextAnswer, false);
    if (!IsRate()) {
        m_value = Converted(reading.number);
        m_history.LogValue(m_value, now);
        return;
    }
    const bool hasBase = m_previousTime != Responses::NoTime;
    if (restarted && hasBase) {
        // Whatever the counters read now, they count from the restart, not from our base.
        TakeBase(reading, now);
        m_value = NoValue;
        return;
    }
    const qint64 elapsed = hasBase ? ElapsedSince(now) : 0;
    if (elapsed <= 0) {
        // First sample, or a second one within the same second (or minute): only a new base.
        TakeBase(reading, now);
        m_value = NoValue;
        m_history.LogValue(NoValue, now);
        return;
    }
    const std::optional<double> increase = Increase(reading);
    TakeBase(reading, now);
    if (!increase) {
        // The counter was reset (or wrapped without permission): leave a gap, measure from here.
        m_value = NoValue;
        return;
    }
    m_value = *increase / double(elapsed);
    m_history.LogValue(m_value, now);
}

// The growth since the previous answer, converted; nothing when the counter started again.
std::optional<double> TargetOID::Increase(const Reading& reading) const
{
    using Counter = Reading::Counter;
    // The answer's own type decides, also for objects the MIB does not know; without one, the
    // MIB's integer syntax does.
    bool wraps = false;
    if (reading.counter == Counter::Counter32)
        wraps = m_assumeRollover;
    else if (reading.counter == Counter::None)
        wraps = m_assumeRollover && m_details.TypeTag() == 2;
    constexpr double kWrap = 4294967296.0;

    // A Counter64 high up has no double of its own: converting first would round both values to
    // a multiple of a few hundred. A conversion that only scales gives the same result applied to
    // the difference, so the difference is taken first, in integers.
    if (reading.exact && m_previousExact && (m_conversion.Text().isEmpty() || CurrentChain().IsLinear())) {
        const quint64 now = *reading.exact;
        if (now >= m_previousRaw)
            return Converted(double(now - m_previousRaw));
        if (!wraps)
            return std::nullopt;
        return Converted(double(now) - double(m_previousRaw) + kWrap);
    }
    const double converted = Converted(reading.number);
    const double previous = m_previousExact ? Converted(double(m_previousRaw)) : m_previousValue;
    if (converted >= previous)
        return converted - previous;
    if (!wraps)
        return std::nullopt;
    // The wrap goes through the same conversion as the value.
    return converted - previous + ApplyConversion(kWrap);
}

void TargetOID::ApplyToChart(ChartSink& chart) const
{
    chart.SetSeriesLabel(m_subset, Label());
    chart.SetSeriesColor(m_subset, m_color);
    const int code = LineTypeCode(m_lineStyle);
    if (code >= 0)
        chart.SetSeriesLineType(m_subset, code);
}

void TargetOID::WriteXML(QDomDocument& document, QDomNode& parent) const
{
    QDomElement element = AddXMLElement(document, parent, QStringLiteral("TargetOID"), QString());
    const QString values[] = {m_ip,
                              m_hostname,
                              m_community,
                              m_details.FullName(),
                              m_index,
                              UnitsAndConversion(),
                              m_instance,
                              QString::number(m_color),
                              LineStyleName(),
                              m_calculation,
                              m_label,
                              BoolToXML(m_autoLabel)};
    const QStringList& names = XMLAttributeNames();
    for (int i = 0; i < names.size(); ++i)
        AddXMLAttribute(document, element, names.at(i), values[i]);
}

void TargetOID::ReadXML(const QDomElement& element)
{
    for (const QDomAttr& attribute : AttributesInOrder(element, XMLAttributeNames())) {
        const QString name = attribute.name().toUpper();
        const QString value = attribute.value();
        if (name == QLatin1String("IP"))
            m_ip = value;
        else if (name == QLatin1String("HOSTNAME"))
            m_hostname = value;
        else if (name == QLatin1String("COMMUNITY"))
            m_community = value;
        else if (name == QLatin1String("INDEX"))
            m_index = value;
        else if (name == QLatin1String("INSTANCE"))
            m_instance = value;
        else if (name == QLatin1String("CALCULATION"))
            setCalculation(value);
        else if (name == QLatin1String("LABEL"))
            m_label = value;
        else if (name == QLatin1String("MIB"))
            m_details = m_resolver(value);
        else if (name == QLatin1String("UNITS"))
            setUnitsAndConversion(value);
        else if (name == QLatin1String("COLOR"))
            m_color = XMLInt32(value);
        else if (name == QLatin1String("LINESTYLE"))
            setLineStyleName(value);
        else if (name == QLatin1String("AUTOLABEL"))
            m_autoLabel = XMLToBool(value);
    }
    m_assumeRollover = m_settings.AssumeCounterRollover();
}

QString TargetOID::LineStyleNameOf(qint32 style)
{
    if (style < 0 || style > 9)
        return QString();
    return QString::fromLatin1(kLineStyleNames[style]);
}

int TargetOID::LineTypeCode(qint32 style)
{
    return (style < 0 || style > 9) ? -1 : kLineTypeCodes[style];
}

const QStringList& TargetOID::XMLAttributeNames()
{
    static const QStringList names{
        QStringLiteral("IP"),          QStringLiteral("Hostname"), QStringLiteral("Community"),
        QStringLiteral("MIB"),         QStringLiteral("Index"),    QStringLiteral("Units"),
        QStringLiteral("Instance"),    QStringLiteral("Color"),    QStringLiteral("LineStyle"),
        QStringLiteral("Calculation"), QStringLiteral("Label"),    QStringLiteral("AutoLabel")};
    return names;
}
