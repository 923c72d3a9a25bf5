#pragma once

#include <QString>
#include <optional>

/// A number written the way the user writes numbers (QLocale()), or failing that as the C locale
/// writes it; surrounding blanks are allowed. Empty when the text is no number at all: the
/// "type mismatch" case of a value text that cannot be plotted.
std::optional<double> LocaleNumber(const QString& text);
