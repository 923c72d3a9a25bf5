#include "file_ver_info.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<int> Fields(const FileVerInfo& i)
{
    return {i.FileVersionMajor,    i.FileVersionMinor,    i.FileVersionPrivate,    i.FileVersionBuild,
            i.ProductVersionMajor, i.ProductVersionMinor, i.ProductVersionPrivate, i.ProductVersionBuild};
}

} // namespace

TEST(FileVerInfo, OnlyTheRunningExecutableHasAVersionEvenThroughALink)
{
    QTemporaryDir dir;
    FileVerInfo info;
    info.GetExecutableInfo();
    const std::vector<int> version = Fields(info);
    EXPECT_TRUE(std::all_of(version.begin(), version.end(), [](int part) { return part >= 0; }));
    const QString link = dir.filePath("alias");
    ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), link));
    FileVerInfo viaLink;
    viaLink.GetInfo(link);
    EXPECT_EQ(Fields(viaLink), version);
    // Any other file, a folder or none: no version, forgetting the earlier answer.
    for (const QString& path : {QStringLiteral(__FILE__), dir.path(), QString()}) {
        info.GetExecutableInfo();
        info.GetInfo(path);
        EXPECT_EQ(Fields(info), std::vector<int>(8, -1)) << path.toStdString();
    }
}
