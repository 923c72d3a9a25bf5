#pragma once

#include <QString>
#include <QtGlobal>

// Numbers as the definition files carry them. Reading takes the leading number of the text (0 when
// there is none), rounds halves to even and, where the text overflows the field, keeps the nearest
// value the field can hold.

qint32 XMLInt32(const QString& text);
qint16 XMLInt16(const QString& text);
float XMLSingle(const QString& text);

/// The shortest plain decimal text that reads back as the same single ("102", "-1", "0.1").
QString SingleToXML(float value);
