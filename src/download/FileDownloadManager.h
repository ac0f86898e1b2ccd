// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Fetches one URL into a new temporary file, in the background of the event loop: Start() returns at
// once and Finished follows exactly once, with the outcome. Deleting the object, or Cancel(), ends a
// transfer under way and removes its temporary file, so a program that quits in the middle of a
// transfer leaves nothing behind and commits nothing.
#include "catalogue/DataFolder.h"

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <memory>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;

class CFileDownloadManager : public QObject
{
    Q_OBJECT
public:
    explicit CFileDownloadManager(QObject* parent = nullptr);
    ~CFileDownloadManager() override;

    // Fetches m_strUrl (http or https) into a fresh file "SVF......" in the temporary folder. On
    // success m_strTempFile names it and the caller owns (and removes) it; on failure no temporary
    // file remains and m_strTempFile is empty. A transfer already under way is cancelled first.
    void Start();
    // Ends the transfer under way, if any, with Finished(false).
    void Cancel();
    bool IsRunning() const { return m_pReply != nullptr; }

    QString m_strUrl;
    QString m_strTempFile;

    // A transfer that receives nothing for this long fails (connection, headers or body).
    int m_nTimeoutMs = 30 * 1000;
    // A body larger than this fails: the channel list is small, and an endless answer must not
    // fill the disk.
    qint64 m_nMaxBytes = kMaxChannelListBytes;

signals:
    void Finished(bool bSuccess);

private:
    void OnReadyRead();
    void OnReplyFinished();
    void Fail();
    // Ends the transfer with the outcome: keeps the file on success, removes it otherwise.
    void End(bool bSuccess);
    // Reads what has arrived into the file; false when the body grew past m_nMaxBytes or the write failed.
    bool Drain();

    std::unique_ptr<QNetworkAccessManager> m_pManager;
    std::unique_ptr<QTemporaryFile> m_pFile;
    QNetworkReply* m_pReply = nullptr;
    qint64 m_nReceived = 0;
    bool m_bOk = true;
};
