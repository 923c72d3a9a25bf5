#include "file_ver_info.h"

#include "trendwick_version.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString runningExecutable()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

// Only the program's own executable has a version block: the one compiled in. Its file and
// product versions are the same: major.minor.patch, with the build number 0 unless the project
// version has a fourth part. Asking about any other file resets every field to -1.
void FileVerInfo::GetInfo(const QString& filePath)
{
    FileVersionMajor = FileVersionMinor = FileVersionPrivate = FileVersionBuild = -1;
    ProductVersionMajor = ProductVersionMinor = ProductVersionPrivate = ProductVersionBuild = -1;

    QString path = filePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty() || canonical != QFileInfo(runningExecutable()).canonicalFilePath())
        return;

    FileVersionMajor = ProductVersionMajor = static_cast<qint16>(TrendwickVersionMajor);
    FileVersionMinor = ProductVersionMinor = static_cast<qint16>(TrendwickVersionMinor);
    FileVersionPrivate = ProductVersionPrivate = static_cast<qint16>(TrendwickVersionPatch);
    FileVersionBuild = ProductVersionBuild = static_cast<qint16>(TrendwickVersionBuild);
}

void FileVerInfo::GetExecutableInfo()
{
    GetInfo(runningExecutable());
}
