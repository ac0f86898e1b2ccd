// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Answers from outside are read only up to a size of the caller's choosing: a server that does not
// stop must not fill the memory, nor make a request outlast its time while a giant answer is read.
#include <QNetworkReply>

// Whether the answer says (its Content-Length) or shows (what has arrived and not yet been read) that
// it is longer than nMaxBytes. Asked on metaDataChanged and readyRead; the caller then stops it.
inline bool IsReplyTooLong(const QNetworkReply* pReply, qint64 nMaxBytes)
{
    return pReply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > nMaxBytes ||
           pReply->bytesAvailable() > nMaxBytes;
}
