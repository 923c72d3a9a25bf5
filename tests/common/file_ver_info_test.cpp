#include "file_ver_info.h"

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

} // namespace

TEST(FileVerInfo, OnlyTheRunningExecutableHasAVersion)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileVerInfo info;
    const std::vector<int> unset = fields(info);
    EXPECT_EQ(unset, std::vector<int>(8, -1));
    info.GetExecutableInfo();
    const std::vector<int> version = fields(info);
    EXPECT_TRUE(std::all_of(version.begin(), version.end(), [](int part) { return part >= 0; }));
    EXPECT_TRUE(std::equal(version.begin(), version.begin() + 4, version.begin() + 4)) << "file = product";

    // Found by canonical path, so a link to the executable counts as the executable.
    const QString link = dir.filePath(QStringLiteral("alias"));
    ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), link));
    FileVerInfo viaLink;
    viaLink.GetInfo(link);
    EXPECT_EQ(fields(viaLink), version);

    // Any other file, a missing one or a folder: none, forgetting the earlier answer.
    QFile other(dir.filePath(QStringLiteral("other.exe")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    for (const QString& path :
         {other.fileName(), dir.filePath(QStringLiteral("missing")), QString(), dir.path()}) {
        info.GetExecutableInfo();
        info.GetInfo(path);
        EXPECT_EQ(fields(info), unset) << path.toStdString();
    }
}
