#pragma once

#include "conversion_chain.h"
#include "responses.h"

#include <oid_details.h>

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ChartSink;
class Clock;
class QDomDocument;
class QDomElement;
class QDomNode;
class Settings;

/// How a series is drawn. Not range-checked: any number can be stored, only 0..9 have a name.
enum LineStyles : qint32 {
    LINESTYLE_SOLID_1 = 0,
    LINESTYLE_SOLID_2 = 1,
    LINESTYLE_SOLID_3 = 2,
    LINESTYLE_SOLID_4 = 3,
    LINESTYLE_SOLID_5 = 4,
    LINESTYLE_SOLID_6 = 5,
    LINESTYLE_DASH = 6,
    LINESTYLE_DOT = 7,
    LINESTYLE_DASHDOT = 8,
    LINESTYLE_DASHDOTDOT = 9,
};

/// Finds the MIB object for a name or dotted OID; returns the filled details (an empty DottedOID
/// when unknown). Tests hand in one that answers from fixed details without loading any MIB.
using OIDResolver = std::function<OIDDetails(const QString& name)>;

/// The resolver that asks the process-wide MIB database.
OIDResolver MibDatabaseResolver();

/// One monitored value: one MIB object with its index on one host. Turns each SNMP answer into the
/// plotted value (conversion, then the value itself or its rate per second or minute, with counter
/// rollover) and keeps the last 500 results. Values are kept as double; -20000 means "no value".
class TargetOID : public QObject {
    Q_OBJECT
public:
    static constexpr double NoValue = Responses::NoValue;

    /// One answer of the device as a rate needs it.
    struct Reading {
        /// The counter type the agent's answer carried; None for anything else (or not known).
        enum class Counter : quint8 { None, Counter32, Counter64 };
        double number = 0;
        /// The same number as an exact integer, when the answer was a non-negative integer.
        std::optional<quint64> exact;
        Counter counter = Counter::None;
    };

    /// clock gives "now" for rates and history; settings the rollover permission after ReadXML.
    TargetOID(Clock& clock, const Settings& settings, OIDResolver resolver = OIDResolver(),
              QObject* parent = nullptr);
    ~TargetOID() override;

    // Published members.
    qint32 ID() const;
    const QString& Key() const { return m_key; }
    const QString& LastError() const { return m_lastError; }
    const QString& Instance() const { return m_instance; }
    void setInstance(const QString& instance) { m_instance = instance; }
    void setAssumeCounterRollover(bool assume) { m_assumeRollover = assume; }
    /// Not published (set only there); the automation server answers reads of it.
    bool AssumeCounterRollover() const { return m_assumeRollover; }
    bool AutoLabel() const { return m_autoLabel; }
    void setAutoLabel(bool on) { m_autoLabel = on; }
    const QString& Index() const { return m_index; }
    /// The built label while AutoLabel is on, else the user's.
    const QString& Label() const { return m_autoLabel ? m_autoLabelText : m_label; }
    /// Stores the user's label and turns AutoLabel off.
    void setLabel(const QString& label);
    qint32 Color() const { return m_color; }
    void setColor(qint32 color) { m_color = color; }
    LineStyles LineStyle() const { return m_lineStyle; }
    void setLineStyle(LineStyles style) { m_lineStyle = style; }
    QString LineStyleName() const { return LineStyleNameOf(m_lineStyle); }
    /// Accepts several spellings in any case; an unknown name changes nothing.
    void setLineStyleName(const QString& name);
    qint16 Subset() const { return m_subset; }
    /// Entry `index` back from the newest; std::out_of_range outside 0..499.
    float History(int index) const { return static_cast<float>(m_history.History(index)); }
    /// Time of that entry; an invalid QDateTime when none was recorded.
    QDateTime HistoryTime(int index) const;
    /// The same as wall-clock milliseconds (see WallClockMsecs); Responses::NoTime for none.
    qint64 HistoryWallClockMsecs(int index) const { return m_history.HistoryTime(index); }
    qint16 HistoryCount() const { return m_history.Count(); }
    /// Changes to the history so far (see Responses::Writes).
    quint64 HistoryWrites() const { return m_history.Writes(); }
    QString Conversion() const { return m_conversion.Text(); }
    /// A different text restarts the target: history cleared, next answer is a first sample.
    void setConversion(const QString& conversion);
    const QString& Units() const { return m_units; }
    /// Takes the last of a comma-separated list; "units=conversion" also sets the conversion
    /// (without restarting the target), plain units clear it.
    void setUnits(const QString& units);
    const QString& Calculation() const { return m_calculation; }
    void setCalculation(const QString& calculation);
    /// Selects the MIB object and takes its default calculation, units and conversion.
    void setTargetMIB(const QString& name);
    const QString& Hostname() const { return m_hostname; }
    void setHostname(const QString& hostname) { m_hostname = hostname; }
    const QString& IP() const { return m_ip; }
    void setIP(const QString& ip) { m_ip = ip; }
    const OIDDetails& OID() const { return m_details; }
    OIDDetails& OID() { return m_details; }
    const QString& Community() const { return m_community; }
    void setCommunity(const QString& community) { m_community = community; }
    double Value() const { return m_value; }
    float Average() const { return static_cast<float>(m_history.Average()); }
    float Min() const { return static_cast<float>(m_history.Low()); }
    float Max() const { return static_cast<float>(m_history.High()); }

    // For the program's own use.
    void SetKeyNumber(qint32 number);
    void SetIndex(const QString& index) { m_index = index; }
    void SetLastError(const QString& error) { m_lastError = error; }
    void SetAutoLabelText(const QString& text) { m_autoLabelText = text; }
    void SetSubset(qint16 subset) { m_subset = subset; }
    /// The number SetKeyNumber gave.
    qint32 KeyNumber() const { return m_keyNumber; }
    /// DottedOID, a dot and the Index: the OID a poll asks for.
    const QString& PolledOID() const;
    /// Hints for a caller about to walk many targets, a few ahead: a thousand targets do not stay
    /// in the cache from one poll to the next. Poll: what a poll reads, then the texts' buffers.
    /// Answer: what recording an answer touches, then the history slots it writes.
    void PrefetchPoll() const;
    void PrefetchPollTexts() const;
    void PrefetchAnswer() const;
    /// What a row of the value table reads.
    void PrefetchTableRow() const;
    /// What a chart column reads: the value and the series number.
    void PrefetchColumn() const;
    /// What a scale reads: the highest and lowest values.
    void PrefetchExtremes() const { m_history.PrefetchFigures(); }
    void PrefetchAnswerSlots() const { m_history.PrefetchSlots(); }
    /// The units, then "=" and the conversion when there is one.
    QString UnitsAndConversion() const;
    /// Units before the first "=", the rest through setConversion.
    void setUnitsAndConversion(const QString& text);
    /// One answer of the device, already converted from text.
    void RecordResponse(double raw);
    /// The same, for an answer that arrived at the given wall-clock time (see WallClockMsecs):
    /// the answers of one reply share one reading of the clock.
    void RecordResponse(double raw, qint64 wallClockMsecs);
    /// The same with what the answer's type says: a Counter32 that went down wrapped (when
    /// rollover is permitted), a Counter64 that went down was reset; exact integers give exact
    /// differences when the conversion only multiplies and divides.
    void RecordResponse(const Reading& reading, qint64 wallClockMsecs);
    /// The device restarted: the next answer starts a new base (a gap) rather than a rate
    /// across the restart.
    void BaseOnNextAnswer() { m_baseOnNextAnswer = true; }
    double ApplyConversion(double x) const;
    /// Label, colour and line type of series Subset.
    void ApplyToChart(ChartSink& chart) const;
    void WriteXML(QDomDocument& document, QDomNode& parent) const;
    void ReadXML(const QDomElement& element);

    /// Display name of a line style; empty outside 0..9.
    static QString LineStyleNameOf(qint32 style);
    /// Chart line type code of a line style; -1 outside 0..9.
    static int LineTypeCode(qint32 style);
    /// Attribute names of the "TargetOID" element in writing order.
    static const QStringList& XMLAttributeNames();

private:
    bool IsRate() const { return m_rateUnitMsecs != 0; }
    qint64 ElapsedSince(qint64 nowMsecs) const;
    /// The conversion, read again first when the user's locale changed.
    const ConversionChain& CurrentChain() const;
    /// x through the conversion, or x when there is none.
    double Converted(double x) const;
    void TakeBase(const Reading& reading, qint64 nowMsecs);
    std::optional<double> Increase(const Reading& reading) const;

    Clock& m_clock;
    const Settings& m_settings;
    OIDResolver m_resolver;

    // What every answer reads and writes, side by side: a thousand targets do not stay in the
    // cache from one poll to the next, so each line an answer touches is a wait.
    QString m_lastError;
    // Re-read when the user's locale changes, since that changes how its numbers read.
    mutable ConversionChain m_conversion;
    // What the calculation text means for every answer, worked out when the text changes:
    // 0 for plain values, else the milliseconds of the rate's unit.
    qint64 m_rateUnitMsecs = 0;
    // The previous answer: converted, or as it came when it was an exact integer.
    double m_previousValue = 0;
    qint64 m_previousTime = Responses::NoTime;
    double m_value = NoValue;
    quint64 m_previousRaw = 0;
    bool m_previousExact = false;
    bool m_assumeRollover = false;
    bool m_baseOnNextAnswer = false;

    // What every poll reads.
    QString m_key;
    qint32 m_keyNumber = 0;
    QString m_ip;
    QString m_community;
    QString m_index;
    // PolledOID and the two texts it was built from; holding them keeps their buffers alive, so
    // a text at the same address is the same text.
    mutable QString m_polledOid;
    mutable QString m_polledFrom;
    mutable QString m_polledIndex;

    OIDDetails m_details;
    QString m_hostname;
    qint32 m_color = 0;
    LineStyles m_lineStyle = LINESTYLE_SOLID_4;
    QString m_units;
    QString m_calculation;
    bool m_autoLabel = true;
    QString m_label;
    QString m_autoLabelText;
    QString m_instance;
    qint16 m_subset = 0;
    Responses m_history;
};
