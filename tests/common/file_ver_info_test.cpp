#include "file_ver_info.h"

#include "trendwick_version.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<int> fields(const FileVerInfo& i)
{
    return {i.FileVersionMajor,    i.FileVersionMinor,    i.FileVersionPrivate,    i.FileVersionBuild,
            i.ProductVersionMajor, i.ProductVersionMinor, i.ProductVersionPrivate, i.ProductVersionBuild};
}

const std::vector<int> kUnset(8, -1);
const std::vector<int> kCompiled = {TrendwickVersionMajor, TrendwickVersionMinor, TrendwickVersionPatch,
                                    TrendwickVersionBuild, TrendwickVersionMajor, TrendwickVersionMinor,
                                    TrendwickVersionPatch, TrendwickVersionBuild};

} // namespace

TEST(FileVerInfo, OnlyTheRunningExecutableHasAVersion)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileVerInfo info;
    EXPECT_EQ(fields(info), kUnset);
    info.GetExecutableInfo();
    EXPECT_EQ(fields(info), kCompiled);

    // Found by canonical path, so a link to the executable counts as the executable.
    const QString link = dir.filePath(QStringLiteral("alias"));
    ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), link));
    FileVerInfo viaLink;
    viaLink.GetInfo(link);
    EXPECT_EQ(fields(viaLink), kCompiled);

    // Any other file, a missing one or a folder: all -1, forgetting the earlier answer.
    QFile other(dir.filePath(QStringLiteral("other.exe")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    for (const QString& path :
         {other.fileName(), dir.filePath(QStringLiteral("missing")), QString(), dir.path()}) {
        info.GetExecutableInfo();
        info.GetInfo(path);
        EXPECT_EQ(fields(info), kUnset) << path.toStdString();
    }
}
