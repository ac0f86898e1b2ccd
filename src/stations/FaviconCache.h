#pragma once
// Station logos (the directory's "favicon" addresses), fetched the first time they are asked for,
// at most MaxBytes() each (256 KiB), kept in memory and in "<cache folder>/favicons" so that the next
// start shows them without the network. Only picture data is kept (PNG, JPEG, GIF, ICO, BMP, WebP,
// SVG by its first bytes); the user interface decodes it.
//
// Use: call Get(url) when a row with a logo is shown. Known bytes come back at once; otherwise the
// result is empty and Ready(url, bytes) or Failed(url) follows, once per address and session.
#include <QByteArray>
#include <QCache>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QUrl>

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

    // Whether the bytes look like a picture format that a logo comes in.
    static bool LooksLikePicture(const QByteArray& data);

signals:
    void Ready(const QUrl& url, const QByteArray& data);
    void Failed(const QUrl& url);

private:
    QString DiskPath(const QUrl& url) const;
    void OnFinished(QNetworkReply* pReply, const QUrl& url);

    QNetworkAccessManager* m_pNetwork;
    QString m_strFolder;
    qint64 m_nMaxBytes = 256 * 1024;
    QCache<QUrl, QByteArray> m_memory; // cost: bytes
    QSet<QUrl> m_failed;
    QHash<QUrl, QNetworkReply*> m_running;
};
