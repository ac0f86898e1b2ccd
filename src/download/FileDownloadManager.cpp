#include "download/FileDownloadManager.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
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

CFileDownloadManager::CFileDownloadManager() = default;

CFileDownloadManager::~CFileDownloadManager() = default;

int CFileDownloadManager::Download()
{
    m_strTempFile.clear();
    const QUrl url(m_strUrl);
    if (!IsWebUrl(url))
        return 0;

    // Created with a unique name and opened exclusively in one step; the data goes into this very
    // file, and the object removes it again on every path that does not end in success.
    QTemporaryFile file(QDir::tempPath() + QLatin1String("/SVFXXXXXX"));
    if (!file.open())
        return 0;

    // No cache is attached to the manager, and the request asks any proxy on the way to go to the
    // origin, so two fetches in a row both reach the server.
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // The transfer timeout restarts with every byte that arrives: it measures silence, not duration.
    request.setTransferTimeout(m_nTimeoutMs);

    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    qint64 nReceived = 0;
    bool bOk = true;
    auto fail = [&] {
        bOk = false;
        reply->abort();
    };

    // A redirect is followed only within the same scheme: http stays http, https stays https.
    QObject::connect(reply, &QNetworkReply::redirected, reply, [&](const QUrl& target) {
        if (IsWebUrl(target) && target.scheme() == url.scheme())
            emit reply->redirectAllowed();
        else
            fail();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_nMaxBytes)
            fail();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        if (bOk && !Drain(reply, &file, nReceived))
            fail();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    if (bOk && !Drain(reply, &file, nReceived))
        bOk = false;
    const int nStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Qt reports 4xx and 5xx as errors already; anything but 2xx (a refused redirect, say) fails too.
    if (reply->error() != QNetworkReply::NoError || nStatus < 200 || nStatus > 299)
        bOk = false;
    delete reply;

    if (!bOk || !file.flush())
        return 0;
    file.setAutoRemove(false);
    m_strTempFile = file.fileName();
    file.close();
    return 1;
}

bool CFileDownloadManager::Drain(QNetworkReply* pReply, QIODevice* pFile, qint64& nReceived) const
{
    while (pReply->bytesAvailable() > 0)
    {
        const QByteArray chunk = pReply->read(kReadChunk);
        if (chunk.isEmpty())
            break;
        nReceived += chunk.size();
        if (nReceived > m_nMaxBytes)
            return false;
        if (pFile->write(chunk) != chunk.size())
            return false;
    }
    return true;
}
