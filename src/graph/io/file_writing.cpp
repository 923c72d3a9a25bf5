#include "file_writing.h"

#include <QSaveFile>

bool WriteAll(QFileDevice& file, const QByteArray& data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 written = file.write(data.constData() + done, data.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool ReplaceFile(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    const bool replaced =
        file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && WriteAll(file, data) && file.commit();
    if (!replaced && error)
        *error = file.errorString();
    return replaced;
}
