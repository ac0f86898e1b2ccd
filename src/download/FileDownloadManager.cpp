// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "download/FileDownloadManager.h"

#include "base/Logging.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

namespace
{
constexpr int kMaxRedirects = 5;
constexpr qint64 kReadChunk = 64 * 1024;

bool IsWebUrl(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}
} // namespace

CFileDownloadManager::CFileDownloadManager(QObject* parent) : QObject(parent) {}

CFileDownloadManager::~CFileDownloadManager()
{
    // Whatever is under way goes with its temporary file; nobody is told any more.
    blockSignals(true);
    Cancel();
}

void CFileDownloadManager::Start()
{
    Cancel();
    m_strTempFile.clear();
    m_nReceived = 0;
    m_bOk = true;
    const QUrl url(m_strUrl);

    // Created with a unique name and opened exclusively in one step; the data goes into this very
    // file, and it is removed again on every path that does not end in success.
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QLatin1String("/SVFXXXXXX"));
    if (!IsWebUrl(url) || !file->open())
    {
        // Reported from the event loop, as every other outcome is: the caller may connect after Start.
        QTimer::singleShot(0, this, [this] { emit Finished(false); });
        return;
    }
    m_pFile = std::move(file);

    // No cache is attached to the manager, and the request asks any proxy on the way to go to the
    // origin, so two fetches in a row both reach the server.
    if (!m_pManager)
        m_pManager = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // The transfer timeout restarts with every byte that arrives: it measures silence, not duration.
    request.setTransferTimeout(m_nTimeoutMs);

    m_pReply = m_pManager->get(request);
    QNetworkReply* reply = m_pReply;
    // A redirect is followed only within the same scheme: http stays http, https stays https.
    connect(reply, &QNetworkReply::redirected, this,
            [this, reply, url](const QUrl& target)
            {
                if (IsWebUrl(target) && target.scheme() == url.scheme())
                    emit reply->redirectAllowed();
                else
                    Fail();
            });
    connect(reply, &QNetworkReply::metaDataChanged, this,
            [this, reply]
            {
                const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
                if (length.isValid() && length.toLongLong() > m_nMaxBytes)
                    Fail();
            });
    connect(reply, &QNetworkReply::readyRead, this, &CFileDownloadManager::OnReadyRead);
    connect(reply, &QNetworkReply::finished, this, &CFileDownloadManager::OnReplyFinished);
}

void CFileDownloadManager::Cancel()
{
    if (!m_pReply)
        return;
    m_bOk = false;
    // abort() finishes the reply at once; its finished signal must not come back here.
    disconnect(m_pReply, nullptr, this, nullptr);
    m_pReply->abort();
    End(false);
}

void CFileDownloadManager::OnReadyRead()
{
    if (m_bOk && !Drain())
        Fail();
}

void CFileDownloadManager::Fail()
{
    m_bOk = false;
    if (m_pReply)
        m_pReply->abort(); // finishes the reply: OnReplyFinished ends the transfer
}

void CFileDownloadManager::OnReplyFinished()
{
    if (m_bOk && !Drain())
        m_bOk = false;
    const int nStatus = m_pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Qt reports 4xx and 5xx as errors already; anything but 2xx (a refused redirect, say) fails too.
    // Only a reply that really finished counts: its whole body is here.
    if (!m_pReply->isFinished() || m_pReply->error() != QNetworkReply::NoError || nStatus < 200 || nStatus > 299)
        m_bOk = false;
    if (!m_bOk && m_pReply->error() != QNetworkReply::OperationCanceledError)
        qCWarning(lcList, "download of %s failed: %s (HTTP %d)", qUtf8Printable(m_pReply->url().toString()),
                  qUtf8Printable(m_pReply->errorString()), nStatus);
    End(m_bOk && m_pFile->flush());
}

void CFileDownloadManager::End(bool bSuccess)
{
    if (m_pReply)
    {
        m_pReply->disconnect(this);
        m_pReply->deleteLater();
        m_pReply = nullptr;
    }
    if (bSuccess)
    {
        m_pFile->setAutoRemove(false);
        m_strTempFile = m_pFile->fileName();
        m_pFile->close();
    }
    m_pFile.reset(); // removes the file unless it was kept
    emit Finished(bSuccess);
}

bool CFileDownloadManager::Drain()
{
    while (m_pReply->bytesAvailable() > 0)
    {
        const QByteArray chunk = m_pReply->read(kReadChunk);
        if (chunk.isEmpty())
            break;
        m_nReceived += chunk.size();
        if (m_nReceived > m_nMaxBytes)
            return false;
        if (m_pFile->write(chunk) != chunk.size())
            return false;
    }
    return true;
}
