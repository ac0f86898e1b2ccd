// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
constexpr const char* kDataFolderName = "Sorvana";
constexpr const char* kChannelListFileName = "StationList.zip";
} // namespace

void GetModuleFolder(QString& strFolder)
{
    if (QCoreApplication::instance())
        strFolder = QCoreApplication::applicationDirPath();
    else
        strFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

void GetDataFolder(QString& strFolder)
{
    QString strBase = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (strBase.isEmpty())
        GetModuleFolder(strBase);
    // cleanPath folds doubled separators, so a base of "/" or one ending in "/" gives one "/".
    strFolder = QDir::cleanPath(strBase + u'/' + QLatin1String(kDataFolderName));
    QDir().mkpath(strFolder);
}

QString GetDataFolder()
{
    QString strFolder;
    GetDataFolder(strFolder);
    return strFolder;
}

QString GetChannelListPath()
{
    return GetDataFolder() + u'/' + QLatin1String(kChannelListFileName);
}
