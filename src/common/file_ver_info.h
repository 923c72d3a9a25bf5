#pragma once

#include <QString>

/// Version numbers of a file. Only the program itself carries a version (compiled in from the
/// project version: major, minor, patch as "private", and 0 as the build number unless the project
/// version has a fourth part); file and product versions are the same. GetInfo of any other file
/// sets every field to -1.
class FileVerInfo {
public:
    qint16 FileVersionMajor = -1;
    qint16 FileVersionMinor = -1;
    qint16 FileVersionPrivate = -1;
    qint16 FileVersionBuild = -1;
    qint16 ProductVersionMajor = -1;
    qint16 ProductVersionMinor = -1;
    qint16 ProductVersionPrivate = -1;
    qint16 ProductVersionBuild = -1;

    void GetInfo(const QString& filePath);
    void GetExecutableInfo();
};
