#pragma once

#include <QString>
#include <optional>
#include <snmp_answer.h>

/// The number in an SNMP value text, as LocaleNumber reads it. Agents answer nearly always with
/// plain decimal digits (integers, counters, gauges, time ticks); those are read here directly,
/// since the locale-aware reading costs several microseconds per answer and a graph of a
/// thousand targets gets a thousand answers per poll. Anything else goes through LocaleNumber.
std::optional<double> ResponseNumber(const QString& text);
/// The same for an answered value: integers as they came, texts read as above.
std::optional<double> ResponseNumber(const SnmpValue& value);
