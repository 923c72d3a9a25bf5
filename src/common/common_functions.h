#pragma once

#include <QString>
#include <QVariant>

class QDomDocument;
class QDomNode;
class QDomElement;
class QDomAttr;

// Program-wide helpers. None of them keeps state and none throws.

/// Number with a K/M/G/T/Peta suffix and the units appended, as the value table shows it.
/// Always "." as the decimal point and no grouping; halves round away from zero.
QString FormatMagnitude(double value, const QString& units, bool powersOfTwo);

/// Last path component (either separator), after any ":"; optionally without its extension.
QString FileNameFromPath(const QString& path, bool stripExtension);

/// Collapses doubled separators, keeps a leading network "\\", adds "\" after a bare drive.
/// Works on the Windows-style separator the definition files carry; updates and returns path.
QString NormalizeFolderPath(QString& path);

/// Replaces every character outside A-Z, 0-9, "_-.@" with "_"; fallback when that leaves nothing.
QString MakeSafeName(const QString& text, const QString& fallback);

/// Dotted IPv4 address with an optional ":port" (0..32000). Parts are decimal digits only.
bool IsIPAddress(const QString& text);

/// The program's data folder (created on first use), without a trailing separator.
QString DataFolder();
/// A file name joined to DataFolder(); either separator is accepted in the name.
QString DataFolderPath(const QString& fileName);

/// New element (name made safe) with the given text, appended to parent. When nothing of the
/// name is left, nothing is appended and a null element is returned.
QDomElement AddXMLElement(QDomDocument& document, QDomNode& parent, const QString& name, const QString& text);
/// New attribute (name made safe) on node; a null value gives the empty text.
QDomAttr AddXMLAttribute(QDomDocument& document, QDomElement& node, const QString& name,
                         const QVariant& value);

QString BoolToXML(bool value);
/// True for "YES", "TRUE", "1" and "Y" in any case; false for anything else.
bool XMLToBool(const QString& text);

/// Root of the per-user or machine-wide store: the user's or the system's QSettings scope, one
/// typed file per root (Brightfen.Net/Registry.dat). Key paths take "/" or "\" and, like
/// registry keys, ignore case. Writes to a root that cannot be written fail without harm.
enum class RegistryRoot { CurrentUser, LocalMachine };

/// Writes a text value under Brightfen.Net/<product>/<subkey>.
void SaveProductSetting(const QString& product, const QString& subkey, const QString& valueName,
                        const QString& value, bool perUser);
/// Reads it back from the user store, or the machine store when the user has no such key.
QString GetProductSetting(const QString& product, const QString& subkey, const QString& valueName,
                          const QString& defaultValue);
/// Reads a text value at an arbitrary key path ("Software/Brightfen.Net/..."); non-text counts as missing.
QString GetRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                         const QString& defaultValue);
/// Writes text, 16/32-bit integers (as 32-bit) or bytes; other types write nothing and return false.
bool SetRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                      const QVariant& value);

/// The leading decimal number of a text ("12abc" -> 12, "-3.5e2x" -> -350, "abc" -> 0): optional
/// leading blanks and sign, digits, optional fraction, optional exponent, always "." as the point.
double LeadingNumber(const QString& text);
/// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
long long RoundHalfEven(double value);
