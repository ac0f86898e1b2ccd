#pragma once
// Fetches one URL into a new temporary file. Synchronous for the caller: Download() returns when the
// transfer has ended, while the caller's event loop keeps running underneath (windows keep painting,
// posted messages are still delivered).
#include "catalogue/DataFolder.h"

#include <QString>
#include <QtGlobal>

class QIODevice;
class QNetworkReply;

class CFileDownloadManager
{
public:
    CFileDownloadManager();
    virtual ~CFileDownloadManager();
    CFileDownloadManager(const CFileDownloadManager&) = delete;
    CFileDownloadManager& operator=(const CFileDownloadManager&) = delete;

    // Fetches m_strUrl (http or https) into a fresh file "SVF......" in the temporary folder and
    // stores its path in m_strTempFile. Non-zero on success. On failure no temporary file remains
    // and m_strTempFile is empty. The caller owns (and removes) the file after a success.
    int Download();

    QString m_strUrl;
    QString m_strTempFile;

    // A transfer that receives nothing for this long fails (connection, headers or body).
    int m_nTimeoutMs = 30 * 1000;
    // A body larger than this fails: the channel list is small, and an endless answer must not
    // fill the disk.
    qint64 m_nMaxBytes = kMaxChannelListBytes;

private:
    // Reads what has arrived into pFile; false when the body grew past m_nMaxBytes or the write failed.
    bool Drain(QNetworkReply* pReply, QIODevice* pFile, qint64& nReceived) const;
};
