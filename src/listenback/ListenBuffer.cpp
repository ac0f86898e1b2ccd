// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listenback/ListenBuffer.h"

#include "base/Logging.h"
#include "listenback/FrameClock.h"
#include "listenback/IcyReader.h"
#include "listenback/RingFile.h"
#include "stations/StationDirectory.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace
{
// What the socket may hold unread; the ring takes the rest at once, so memory stays bounded.
constexpr qint64 kReadBufferBytes = 256 * 1024;
constexpr qint64 kChunkBytes = 64 * 1024;
constexpr int kGrewMs = 200;
constexpr int kAnswerTimeoutMs = 15000;
constexpr int kMaxRedirects = 5;
// Hours of a real station bring a few hundred titles.
constexpr qsizetype kMaxTitles = 2000;
constexpr qsizetype kMaxTitleLength = 512;

const char* const kStreamTypes[] = {"audio/mpeg",      "audio/mp3",   "audio/aac",
                                    "audio/aacp",      "audio/x-aac", "audio/ogg",
                                    "application/ogg", "audio/opus",  "video/mp2t"};
// Playlists (HLS among them) that a server may send with icy-* headers all the same.
const char* const kPlaylistTypes[] = {
    "audio/x-mpegurl", "audio/mpegurl",       "application/x-mpegurl", "application/vnd.apple.mpegurl",
    "audio/x-scpls",   "application/pls+xml", "video/x-ms-asf",        "application/xspf+xml"};

bool IsOneOf(const QByteArray& type, const auto& list)
{
    return std::any_of(std::begin(list), std::end(list), [&](const char* p) { return type == p; });
}

bool LooksLikePlaylist(const QUrl& url)
{
    const QString strSuffix = QFileInfo(url.path()).suffix().toLower();
    return strSuffix == QLatin1String("m3u") || strSuffix == QLatin1String("m3u8") ||
           strSuffix == QLatin1String("pls") || strSuffix == QLatin1String("asx") ||
           strSuffix == QLatin1String("xspf");
}
} // namespace

CListenBuffer::CListenBuffer(const QString& strUrl, qint64 nCapacity, const QString& strFolder,
                             QObject* parent)
    : QObject(parent), m_strUrl(strUrl), m_nCapacity(nCapacity), m_strFolder(strFolder)
{
}

CListenBuffer::~CListenBuffer()
{
    Stop();
    if (m_pRing)
        m_pRing->Finish();
}

void CListenBuffer::Start()
{
    const QUrl url(m_strUrl);
    const QString strScheme = url.scheme().toLower();
    if ((strScheme != QLatin1String("http") && strScheme != QLatin1String("https")) ||
        LooksLikePlaylist(url) || m_nCapacity <= 0)
    {
        m_bDecided = true;
        QMetaObject::invokeMethod(this, &CListenBuffer::NotAStream, Qt::QueuedConnection);
        return;
    }
    m_pNetwork = new QNetworkAccessManager(this);
    m_pGrewTimer = new QTimer(this);
    m_pGrewTimer->setSingleShot(true);
    m_pGrewTimer->setInterval(kGrewMs);
    connect(m_pGrewTimer, &QTimer::timeout, this,
            [this]
            {
                if (!m_bGrewPending)
                    return;
                m_bGrewPending = false;
                emit Grew();
                m_pGrewTimer->start();
            });
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, DirectoryUserAgent());
    request.setRawHeader("Icy-MetaData", "1");
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    m_pReply = m_pNetwork->get(request);
    m_pReply->setReadBufferSize(kReadBufferBytes);
    connect(m_pReply, &QNetworkReply::readyRead, this, &CListenBuffer::OnReadyRead);
    connect(m_pReply, &QNetworkReply::finished, this, &CListenBuffer::OnFinished);
    // A server that never answers is left to the player, which says so in its own words.
    QTimer::singleShot(kAnswerTimeoutMs, this,
                       [this]
                       {
                           if (!m_bDecided)
                               GiveUp();
                       });
}

void CListenBuffer::GiveUp()
{
    m_bDecided = true;
    Stop();
    m_pRing.reset();
    emit NotAStream();
}

void CListenBuffer::Decide()
{
    m_bDecided = true;
    QNetworkReply* pReply = m_pReply;
    const int nStatus = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray type = pReply->header(QNetworkRequest::ContentTypeHeader).toByteArray().toLower();
    if (const qsizetype nSemicolon = type.indexOf(';'); nSemicolon >= 0)
        type.truncate(nSemicolon);
    type = type.trimmed();
    m_strContentType = QString::fromLatin1(type);
    bool bIcy = false;
    for (const QByteArray& name : pReply->rawHeaderList())
        bIcy = bIcy || name.toLower().startsWith("icy-");
    // A length means a file, not a live stream (the player can seek in it itself), unless the server
    // says it is a radio station.
    const bool bStream = pReply->error() == QNetworkReply::NoError && nStatus == 200 &&
                         (bIcy || !pReply->hasRawHeader("Content-Length")) &&
                         !IsOneOf(type, kPlaylistTypes) &&
                         (IsOneOf(type, kStreamTypes) || (bIcy && !type.startsWith("text/")));
    if (!bStream)
    {
        GiveUp();
        return;
    }
    bool bNumber = false;
    const qint64 nMetaInt = pReply->rawHeader("icy-metaint").trimmed().toLongLong(&bNumber);
    const qint64 nKbits = pReply->rawHeader("icy-br").split(',').value(0).trimmed().toLongLong();
    m_pIcy = std::make_unique<CIcyReader>(bNumber ? nMetaInt : 0);
    const bool bFrames = type.isEmpty() || type == "audio/mpeg" || type == "audio/mp3" ||
                         type == "audio/aac" || type == "audio/aacp" || type == "audio/x-aac";
    m_pClock = std::make_unique<CFrameClock>(bFrames, nKbits > 0 && nKbits <= 100000 ? nKbits * 125 : 0);
    auto pRing = std::make_shared<CRingFile>(m_strFolder, m_nCapacity);
    if (!pRing->IsOpen())
    {
        qCWarning(lcPlayer, "no rewind buffer for %s: %s", qUtf8Printable(m_strUrl),
                  qUtf8Printable(pRing->Error()));
        GiveUp();
        return;
    }
    m_pRing = std::move(pRing);
    m_pElapsed = std::make_unique<QElapsedTimer>();
    m_pElapsed->start();
}

void CListenBuffer::OnReadyRead()
{
    if (!m_pReply)
        return;
    if (!m_bDecided)
        Decide();
    if (!m_pRing || !m_pReply)
        return;
    QByteArray chunk(kChunkBytes, Qt::Uninitialized);
    while (m_pReply && m_pReply->bytesAvailable() > 0)
    {
        const qint64 n = m_pReply->read(chunk.data(), chunk.size());
        if (n <= 0)
            break;
        if (!Consume(chunk.constData(), n))
            return;
    }
    if (!m_bReady && m_pRing->End() > 0)
    {
        m_bReady = true;
        emit Ready();
    }
    if (m_pGrewTimer->isActive())
        m_bGrewPending = true;
    else
    {
        emit Grew();
        m_pGrewTimer->start();
    }
}

bool CListenBuffer::Consume(const char* pData, qint64 nSize)
{
    m_audio.clear();
    QList<CIcyReader::STitle> titles;
    m_pIcy->Feed(pData, nSize, m_audio, titles);
    if (!m_audio.isEmpty())
    {
        m_pClock->Feed(m_audio.constData(), m_audio.size(), double(m_pElapsed->nsecsElapsed()) / 1e9);
        if (!m_pRing->Append(m_audio.constData(), m_audio.size()))
        {
            const QString strError = m_pRing->Error();
            qCWarning(lcPlayer, "rewind buffer of %s stopped: %s", qUtf8Printable(m_strUrl),
                      qUtf8Printable(strError));
            if (!m_bReady)
            {
                GiveUp();
                return false;
            }
            Stop();
            m_pRing->Finish();
            emit Failed(strError);
            return false;
        }
    }
    bool bChanged = false;
    for (const CIcyReader::STitle& title : std::as_const(titles))
    {
        const QString strTitle = title.strTitle.left(kMaxTitleLength);
        // Servers repeat the title in every block; a mark is a change.
        if (m_titles.isEmpty() ? strTitle.isEmpty() : m_titles.last().strTitle == strTitle)
            continue;
        // A server that changes its title with every block must not fill the memory.
        if (m_titles.size() >= kMaxTitles)
            m_titles.removeFirst();
        m_titles.append({title.nOffset, strTitle});
        bChanged = true;
    }
    bChanged = DropOldTitles() || bChanged;
    m_pClock->DropBefore(m_pRing->Begin());
    if (bChanged)
        emit TitlesChanged();
    return true;
}

bool CListenBuffer::DropOldTitles()
{
    const qint64 nBegin = m_pRing->Begin();
    qsizetype nDrop = 0;
    while (nDrop + 1 < m_titles.size() && m_titles[nDrop + 1].nOffset <= nBegin)
        ++nDrop;
    m_titles.remove(0, nDrop);
    return nDrop > 0;
}

void CListenBuffer::OnFinished()
{
    if (!m_pReply)
        return;
    // What came with the end is still read.
    OnReadyRead();
    if (!m_pReply)
        return;
    const QString strError =
        m_pReply->error() == QNetworkReply::NoError ? tr("The stream ended.") : m_pReply->errorString();
    Stop();
    if (!m_pRing)
        return;
    m_pRing->Finish();
    if (m_bReady)
        emit Failed(strError);
    else
        GiveUp();
}

void CListenBuffer::Stop()
{
    if (m_pGrewTimer)
        m_pGrewTimer->stop();
    if (!m_pReply)
        return;
    QNetworkReply* pReply = m_pReply;
    m_pReply = nullptr;
    pReply->disconnect(this);
    // Deleting the reply closes its connection. No abort() first: a server's error answer (a 404) may
    // still be on its way from the network thread, and the reply would report a second error.
    pReply->deleteLater();
}

QString CListenBuffer::Url() const
{
    return m_strUrl;
}

QString CListenBuffer::ContentType() const
{
    return m_strContentType;
}

std::shared_ptr<CRingFile> CListenBuffer::Ring() const
{
    return m_bReady ? m_pRing : nullptr;
}

double CListenBuffer::SecondsAt(qint64 nOffset) const
{
    return m_pClock ? m_pClock->SecondsAt(nOffset) : 0.0;
}

qint64 CListenBuffer::OffsetAt(double dSeconds) const
{
    if (!m_pRing || !m_pClock)
        return 0;
    const qint64 nBegin = m_pRing->Begin();
    const qint64 nEnd = m_pRing->End();
    const qint64 nPoint = m_pClock->OffsetAt(dSeconds);
    if (nPoint < nBegin)
        return qBound(nBegin, FirstFrameIn(nBegin, m_pClock->CutAtOrAfter(nBegin)), nEnd);
    if (m_pClock->Mode() != CFrameClock::EMode::Frames)
        return qBound(nBegin, nPoint, nEnd);
    // The clock keeps a point every fraction of a second; the frames after it are read off the ring.
    qint64 nOffset = nPoint;
    double dAt = m_pClock->SecondsAt(nPoint);
    unsigned char header[CFrameClock::kHeaderBytes];
    CFrameClock::SHeader frame;
    while (m_pRing->Read(nOffset, reinterpret_cast<char*>(header), sizeof header) == qint64(sizeof header) &&
           CFrameClock::ParseHeader(header, frame))
    {
        const double dNext = dAt + double(frame.nSamples) / frame.nRate;
        if (dNext > dSeconds + 1e-9 || nOffset + frame.nLength > nEnd)
            break;
        nOffset += frame.nLength;
        dAt = dNext;
    }
    return qBound(nBegin, nOffset, nEnd);
}

qint64 CListenBuffer::FirstFrameIn(qint64 nFrom, qint64 nPoint) const
{
    // The bytes from nFrom up to a known frame start: the first frame is the first offset whose
    // frames lead exactly there.
    constexpr qint64 kMaxScan = 256 * 1024;
    if (m_pClock->Mode() != CFrameClock::EMode::Frames || nPoint <= nFrom || nPoint - nFrom > kMaxScan)
        return nPoint;
    QByteArray bytes(nPoint - nFrom + CFrameClock::kHeaderBytes, Qt::Uninitialized);
    const qint64 nRead = m_pRing->Read(nFrom, bytes.data(), bytes.size());
    if (nRead < nPoint - nFrom + CFrameClock::kHeaderBytes)
        return nPoint;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qint64 nTarget = nPoint - nFrom;
    CFrameClock::SHeader known;
    if (!CFrameClock::ParseHeader(p + nTarget, known))
        return nPoint;
    for (qint64 nStart = 0; nStart < nTarget; ++nStart)
    {
        qint64 nAt = nStart;
        CFrameClock::SHeader frame;
        while (nAt < nTarget && CFrameClock::ParseHeader(p + nAt, frame) && frame.nKind == known.nKind)
            nAt += frame.nLength;
        if (nAt == nTarget)
            return nFrom + nStart;
    }
    return nPoint;
}

double CListenBuffer::StartSeconds() const
{
    return m_pRing ? SecondsAt(m_pRing->Begin()) : 0.0;
}

double CListenBuffer::LiveSeconds() const
{
    return m_pRing ? SecondsAt(m_pRing->End()) : 0.0;
}

QList<CListenBuffer::STitleMark> CListenBuffer::Titles() const
{
    return m_titles;
}

QString CListenBuffer::TitleAt(qint64 nOffset) const
{
    auto next = std::upper_bound(m_titles.cbegin(), m_titles.cend(), nOffset,
                                 [](qint64 n, const STitleMark& mark) { return n < mark.nOffset; });
    return next == m_titles.cbegin() ? QString() : (next - 1)->strTitle;
}

qint64 CListenBuffer::LastFrameEnd(qint64 nTo) const
{
    if (m_pClock->Mode() != CFrameClock::EMode::Frames)
        return nTo;
    // From the cut point before nTo, whole frames as long as they fit.
    qint64 nOffset = m_pClock->OffsetAt(m_pClock->SecondsAt(nTo), m_pRing->Begin());
    if (nOffset > nTo)
        return nTo;
    unsigned char header[CFrameClock::kHeaderBytes];
    CFrameClock::SHeader frame;
    while (m_pRing->Read(nOffset, reinterpret_cast<char*>(header), sizeof header) == qint64(sizeof header) &&
           CFrameClock::ParseHeader(header, frame) && nOffset + frame.nLength <= nTo)
        nOffset += frame.nLength;
    return nOffset;
}

QString CListenBuffer::SaveSpan(qint64 nFrom, qint64 nTo, const QString& strPath) const
{
    if (!m_pRing || !m_pClock)
        return tr("Nothing of this stream is buffered.");
    const qint64 nBegin = m_pRing->Begin();
    const qint64 nEnd = m_pRing->End();
    nTo = nTo < 0 ? nEnd : qMin(nTo, nEnd);
    nFrom = qMax(nFrom, nBegin);
    nFrom = FirstFrameIn(nFrom, m_pClock->CutAtOrAfter(nFrom));
    nTo = LastFrameEnd(nTo);
    if (nFrom >= nTo)
        return tr("This part of the stream is no longer in the buffer.");
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray chunk(kChunkBytes, Qt::Uninitialized);
    for (qint64 nOffset = nFrom; nOffset < nTo;)
    {
        const qint64 n = m_pRing->Read(nOffset, chunk.data(), qMin<qint64>(chunk.size(), nTo - nOffset));
        if (n <= 0)
        {
            file.cancelWriting();
            return tr("This part of the stream is no longer in the buffer.");
        }
        if (file.write(chunk.constData(), n) != n)
        {
            const QString strError = file.errorString();
            file.cancelWriting();
            return strError;
        }
        nOffset += n;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
