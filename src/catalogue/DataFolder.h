// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The per-user data folder that holds the channel list file between its download and its load.
#include <QString>
#include <QtGlobal>

// The user's data location (QStandardPaths::GenericDataLocation, i.e. $XDG_DATA_HOME) + "/Sorvana",
// or the executable's folder + "/Sorvana" when there is no such location. The folder is created, with
// its parents, if it is missing; a failure to create it shows later, when the file cannot be opened or
// written. Computed afresh on every call. No trailing "/".
void GetDataFolder(QString& strFolder);
QString GetDataFolder();
// The folder of the running executable, without a trailing "/".
void GetModuleFolder(QString& strFolder);
// The channel list file in the data folder: written by the refresh, read and deleted by the catalogue.
QString GetChannelListPath();
// The largest channel list the program takes, downloaded or imported, and the most of a file that the
// loader reads. Real lists are well under a megabyte; the cap keeps a wrong or endless file from
// filling the disk or the memory of the user interface.
constexpr qint64 kMaxChannelListBytes = qint64(64) * 1024 * 1024;
