#pragma once

#include <QString>

/// Version numbers of a file. Only the program itself carries a version (compiled in);
/// any other file leaves every field at -1.
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
