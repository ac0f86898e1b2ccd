// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/FaviconCache.h"

#include "base/ServerAddresses.h"
#include "platform/WholeFile.h"
#include "stations/PublicAddress.h"
#include "stations/ReplyLimit.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace
{
constexpr int kMemoryBytes = 8 * 1024 * 1024;
constexpr int kTimeoutMs = 10000;
constexpr int kMaxRedirects = 5;

bool IsLogoScheme(const QUrl& url)
{
    const QString strScheme = url.scheme().toLower();
    return strScheme == QLatin1String("http") || strScheme == QLatin1String("https");
}
} // namespace

CFaviconCache::CFaviconCache(const QString& strFolder, QObject* pParent)
    : QObject(pParent), m_pNetwork(new QNetworkAccessManager(this)),
      m_strFolder(strFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                            QStringLiteral("/favicons")
                                      : strFolder),
      m_memory(kMemoryBytes)
{
    Prune(m_strFolder, MaxDiskBytes(), MaxAgeDays(), QDateTime::currentDateTimeUtc());
}

void CFaviconCache::Prune(const QString& strFolder, qint64 nMaxBytes, int nMaxAgeDays, const QDateTime& now)
{
    static const QRegularExpression logoName(QStringLiteral("^[0-9a-f]{40}$"));
    QFileInfoList files;
    for (const QFileInfo& file : QDir(strFolder).entryInfoList(QDir::Files | QDir::Hidden))
    {
        if (logoName.match(file.fileName()).hasMatch())
            files.append(file);
    }
    // Newest first: the oldest go first, from the back.
    std::sort(files.begin(), files.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() > b.lastModified(); });
    const QDateTime oldest = now.addDays(-nMaxAgeDays);
    qint64 nKept = 0;
    for (const QFileInfo& file : std::as_const(files))
    {
        if (file.lastModified() < oldest || nKept + file.size() > nMaxBytes)
            QFile::remove(file.filePath());
        else
            nKept += file.size();
    }
}

bool CFaviconCache::LooksLikePicture(const QByteArray& data)
{
    if (data.startsWith("\x89PNG") || data.startsWith("\xFF\xD8\xFF") || data.startsWith("GIF8") ||
        data.startsWith(QByteArray("\0\0\1\0", 4)) || data.startsWith("BM") ||
        (data.startsWith("RIFF") && data.mid(8, 4) == "WEBP"))
        return true;
    return false;
}

QString CFaviconCache::DiskPath(const QUrl& url) const
{
    const QByteArray hash =
        QCryptographicHash::hash(url.toString(QUrl::FullyEncoded).toUtf8(), QCryptographicHash::Sha1);
    return m_strFolder + u'/' + QString::fromLatin1(hash.toHex());
}

QByteArray CFaviconCache::Get(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty() || !IsLogoScheme(url))
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

    m_running.insert(url);
    CheckHost(url,
              [this, url](bool bAllowed)
              {
                  if (bAllowed)
                      Fetch(url);
                  else
                      Fail(url);
              });
    return {};
}

void CFaviconCache::CheckHost(const QUrl& url, const std::function<void(bool)>& done)
{
    // A test's directory on this machine hands out logos on this machine too.
    const bool bLocalDirectory = IsLocalHostName(servers::StationDirectoryUrl().host());
    if (!IsLogoScheme(url) || url.host().isEmpty())
    {
        done(false);
        return;
    }
    const QHostAddress literal(url.host());
    if (!literal.isNull())
    {
        done(bLocalDirectory || IsPublicAddress(literal));
        return;
    }
    if (bLocalDirectory)
    {
        done(true);
        return;
    }
    // The fetch looks the name up again and may get another answer; a name that gives a local
    // address now, for any of its addresses, is refused.
    QHostInfo::lookupHost(url.host(), this,
                          [done](const QHostInfo& info)
                          {
                              const QList<QHostAddress> addresses = info.addresses();
                              done(info.error() == QHostInfo::NoError && !addresses.isEmpty() &&
                                   std::all_of(addresses.cbegin(), addresses.cend(), IsPublicAddress));
                          });
}

void CFaviconCache::Fail(const QUrl& url)
{
    m_running.remove(url);
    m_failed.insert(url);
    // Never from inside Get(): the caller may be painting the row that asked.
    QMetaObject::invokeMethod(
        this, [this, url] { emit Failed(url); }, Qt::QueuedConnection);
}

void CFaviconCache::Fetch(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vedrix"));
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    QNetworkReply* pReply = m_pNetwork->get(request);
    // A logo that says or shows that it is too big, or that it is an SVG document, is not read further.
    auto checkAnswer = [this, pReply]
    {
        const QString strType = pReply->header(QNetworkRequest::ContentTypeHeader).toString().toLower();
        if (IsReplyTooLong(pReply, m_nMaxBytes) || strType.contains(QLatin1String("svg")))
            pReply->abort();
    };
    connect(pReply, &QNetworkReply::metaDataChanged, this, checkAnswer);
    connect(pReply, &QNetworkReply::readyRead, this, checkAnswer);
    // A redirection goes where the first address could not.
    connect(pReply, &QNetworkReply::redirected, this,
            [this, pReply](const QUrl& target)
            {
                CheckHost(target,
                          [pReply = QPointer<QNetworkReply>(pReply)](bool bAllowed)
                          {
                              if (!pReply)
                                  return;
                              if (bAllowed)
                                  emit pReply->redirectAllowed();
                              else
                                  pReply->abort();
                          });
            });
    // However slowly it trickles in.
    QTimer::singleShot(kTimeoutMs, pReply, [pReply] { pReply->abort(); });
    connect(pReply, &QNetworkReply::finished, this, [this, pReply, url] { OnFinished(pReply, url); });
}

void CFaviconCache::OnFinished(QNetworkReply* pReply, const QUrl& url)
{
    pReply->deleteLater();
    const QByteArray data =
        pReply->error() == QNetworkReply::NoError ? pReply->read(m_nMaxBytes + 1) : QByteArray();
    if (data.isEmpty() || data.size() > m_nMaxBytes || !LooksLikePicture(data))
    {
        Fail(url);
        return;
    }
    m_running.remove(url);
    m_memory.insert(url, new QByteArray(data), int(data.size()));
    // The disk copy only saves a later fetch: a failure to write it changes nothing else.
    QDir().mkpath(m_strFolder);
    WriteWholeFile(DiskPath(url), data);
    emit Ready(url, data);
}
