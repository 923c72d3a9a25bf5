#include "file_ver_info.h"

#include "trendwick_version.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void expectUnset(const FileVerInfo& info)
{
    for (qint16 field : {info.FileVersionMajor, info.FileVersionMinor, info.FileVersionPrivate,
                         info.FileVersionBuild, info.ProductVersionMajor, info.ProductVersionMinor,
                         info.ProductVersionPrivate, info.ProductVersionBuild})
        EXPECT_EQ(field, -1);
}

void expectCompiledVersion(const FileVerInfo& info)
{
    EXPECT_EQ(info.FileVersionMajor, TrendwickVersionMajor);
    EXPECT_EQ(info.FileVersionMinor, TrendwickVersionMinor);
    EXPECT_EQ(info.FileVersionPrivate, TrendwickVersionPatch);
    EXPECT_EQ(info.FileVersionBuild, TrendwickVersionBuild);
    EXPECT_EQ(info.ProductVersionMajor, TrendwickVersionMajor);
    EXPECT_EQ(info.ProductVersionMinor, TrendwickVersionMinor);
    EXPECT_EQ(info.ProductVersionPrivate, TrendwickVersionPatch);
    EXPECT_EQ(info.ProductVersionBuild, TrendwickVersionBuild);
}

} // namespace

TEST(FileVerInfo, OwnExecutableCarriesTheCompiledVersion)
{
    FileVerInfo info;
    expectUnset(info);
    info.GetExecutableInfo();
    expectCompiledVersion(info);
    EXPECT_GE(info.FileVersionMajor, 0);

    // Found by its canonical path, so a link to the executable counts as the executable.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("alias"));
    ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), link));
    FileVerInfo viaLink;
    viaLink.GetInfo(link);
    expectCompiledVersion(viaLink);
}

TEST(FileVerInfo, OtherFilesHaveNoVersion)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile other(dir.filePath(QStringLiteral("other.exe")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("MZ");
    other.close();

    FileVerInfo info;
    info.GetExecutableInfo();
    info.GetInfo(other.fileName());
    expectUnset(info); // asking about another file forgets the previous answer

    info.GetInfo(dir.filePath(QStringLiteral("missing")));
    expectUnset(info);
    info.GetInfo(QString());
    expectUnset(info);
    info.GetInfo(dir.path());
    expectUnset(info);
}
