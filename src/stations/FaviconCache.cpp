#include "stations/FaviconCache.h"

#include "platform/WholeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>

namespace
{
constexpr int kMemoryBytes = 8 * 1024 * 1024;
constexpr int kTimeoutMs = 10000;
} // namespace

CFaviconCache::CFaviconCache(const QString& strFolder, QObject* pParent)
    : QObject(pParent), m_pNetwork(new QNetworkAccessManager(this)),
      m_strFolder(strFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                            QStringLiteral("/favicons")
                                      : strFolder),
      m_memory(kMemoryBytes)
{
}

bool CFaviconCache::LooksLikePicture(const QByteArray& data)
{
    if (data.startsWith("\x89PNG") || data.startsWith("\xFF\xD8\xFF") || data.startsWith("GIF8") ||
        data.startsWith(QByteArray("\0\0\1\0", 4)) || data.startsWith("BM") ||
        (data.startsWith("RIFF") && data.mid(8, 4) == "WEBP"))
        return true;
    const QByteArray head = data.left(512).trimmed().toLower();
    return head.startsWith("<svg") || (head.startsWith("<?xml") && head.contains("<svg"));
}

QString CFaviconCache::DiskPath(const QUrl& url) const
{
    const QByteArray hash =
        QCryptographicHash::hash(url.toString(QUrl::FullyEncoded).toUtf8(), QCryptographicHash::Sha1);
    return m_strFolder + u'/' + QString::fromLatin1(hash.toHex());
}

QByteArray CFaviconCache::Get(const QUrl& url)
{
    const QString strScheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (strScheme != "http" && strScheme != "https"))
        return {};
    if (const QByteArray* pData = m_memory.object(url))
        return *pData;
    if (m_failed.contains(url) || m_running.contains(url))
        return {};
    QFile file(DiskPath(url));
    if (file.open(QIODevice::ReadOnly))
    {
        const QByteArray data = file.read(m_nMaxBytes + 1);
        if (data.size() <= m_nMaxBytes && LooksLikePicture(data))
        {
            m_memory.insert(url, new QByteArray(data), int(data.size()));
            return data;
        }
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vedrix"));
    request.setTransferTimeout(kTimeoutMs);
    QNetworkReply* pReply = m_pNetwork->get(request);
    m_running.insert(url, pReply);
    // A logo that says or shows that it is too big is not read further.
    auto checkSize = [this, pReply]
    {
        const qint64 nAnnounced = pReply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (nAnnounced > m_nMaxBytes || pReply->bytesAvailable() > m_nMaxBytes)
            pReply->abort();
    };
    connect(pReply, &QNetworkReply::metaDataChanged, this, checkSize);
    connect(pReply, &QNetworkReply::readyRead, this, checkSize);
    connect(pReply, &QNetworkReply::finished, this, [this, pReply, url] { OnFinished(pReply, url); });
    return {};
}

void CFaviconCache::OnFinished(QNetworkReply* pReply, const QUrl& url)
{
    pReply->deleteLater();
    m_running.remove(url);
    const QByteArray data =
        pReply->error() == QNetworkReply::NoError ? pReply->read(m_nMaxBytes + 1) : QByteArray();
    if (data.isEmpty() || data.size() > m_nMaxBytes || !LooksLikePicture(data))
    {
        m_failed.insert(url);
        emit Failed(url);
        return;
    }
    m_memory.insert(url, new QByteArray(data), int(data.size()));
    // The disk copy only saves a later fetch: a failure to write it changes nothing else.
    QDir().mkpath(m_strFolder);
    WriteWholeFile(DiskPath(url), data);
    emit Ready(url, data);
}
