#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

/// Writes all of data to a file opened Unbuffered. A buffered QFileDevice reports a short write
/// (a full disk, a file size limit) as success and drops the rest; writing unbuffered and asking
/// again for the remainder turns it into an error with the system's reason in errorString().
bool WriteAll(QFileDevice& file, const QByteArray& data);

/// Replaces path with data as a whole (QSaveFile): on failure the previous file stays as it was.
/// error receives the reason.
bool ReplaceFile(const QString& path, const QByteArray& data, QString* error = nullptr);
