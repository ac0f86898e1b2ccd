// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Station logos (the directory's "favicon" addresses), fetched the first time they are asked for,
// at most MaxBytes() each (256 KiB), kept in memory and in "<cache folder>/favicons" so that the next
// start shows them without the network. Only raster picture data is kept (PNG, JPEG, GIF, ICO, BMP,
// WebP by its first bytes); no SVG, whose documents can name other files. The user interface decodes
// it.
//
// A logo's address comes from whoever entered the station, so it is fetched only from public
// addresses (IsPublicAddress): a name is looked up first and every address it gives must be public,
// and a redirection is held to the same rule. Only when the station directory itself is on this
// machine or its local network (a test's stand-in) are logos there fetched too.
//
// The disk copies are pruned when the cache is made: those older than MaxAgeDays() go, then the
// oldest until they take no more than MaxDiskBytes().
//
// Use: call Get(url) when a row with a logo is shown. Known bytes come back at once; otherwise the
// result is empty and Ready(url, bytes) or Failed(url) follows, once per address and session.
#include <QByteArray>
#include <QCache>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QUrl>

#include <functional>

class QDateTime;
class QHostInfo;
class QNetworkAccessManager;
class QNetworkReply;

class CFaviconCache : public QObject
{
    Q_OBJECT

public:
    // strFolder empty: QStandardPaths::CacheLocation + "/favicons".
    explicit CFaviconCache(const QString& strFolder = QString(), QObject* pParent = nullptr);

    // The logo's bytes when known; otherwise "" and a fetch starts (unless one runs or failed before).
    // An address that is not http or https gives "" and nothing follows.
    QByteArray Get(const QUrl& url);

    QString Folder() const { return m_strFolder; }
    qint64 MaxBytes() const { return m_nMaxBytes; }
    void SetMaxBytes(qint64 nBytes) { m_nMaxBytes = nBytes; }
    static constexpr qint64 MaxDiskBytes() { return qint64(20) * 1024 * 1024; }
    static constexpr int MaxAgeDays() { return 30; }

    // Whether the bytes look like a picture format that a logo comes in.
    static bool LooksLikePicture(const QByteArray& data);

    // Removes the logo files of strFolder (the files named as this cache names them, nothing else)
    // last written before now - nMaxAgeDays, then the oldest of the others until the rest take no
    // more than nMaxBytes.
    static void Prune(const QString& strFolder, qint64 nMaxBytes, int nMaxAgeDays, const QDateTime& now);

signals:
    void Ready(const QUrl& url, const QByteArray& data);
    void Failed(const QUrl& url);

private:
    QString DiskPath(const QUrl& url) const;
    // Says through done, at once or later, whether the host of url may be fetched from.
    void CheckHost(const QUrl& url, const std::function<void(bool)>& done);
    void Fetch(const QUrl& url);
    void Fail(const QUrl& url);
    void OnFinished(QNetworkReply* pReply, const QUrl& url);

    QNetworkAccessManager* m_pNetwork;
    QString m_strFolder;
    qint64 m_nMaxBytes = 256 * 1024;
    QCache<QUrl, QByteArray> m_memory; // cost: bytes
    QSet<QUrl> m_failed;
    QSet<QUrl> m_running; // looked up or fetched now
};
