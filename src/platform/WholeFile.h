// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every file the program rewrites goes through here: the new content is written into a file beside
// the old one and renamed over it only when every byte reached it, so a full disk, a file size limit
// or a crash leaves the old file as it was, never a cut one.
#include <QByteArray>
#include <QString>

// Writes data as the whole of strPath (its folder must exist). On failure the old file, if any, is
// untouched and *pstrError (when given) says why.
bool WriteWholeFile(const QString& strPath, const QByteArray& data, QString* pstrError = nullptr);
// Puts a copy of strSource in place of strDestination the same way; a source of more than nMaxBytes
// is refused.
bool CopyWholeFile(const QString& strSource, const QString& strDestination, qint64 nMaxBytes,
                   QString* pstrError = nullptr);
