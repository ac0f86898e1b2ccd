// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/RingStream.h"

#include "listenback/RingFile.h"

#include <QByteArray>
#include <QMutex>
#include <QThread>
#include <map>
#include <mpv/stream_cb.h>

namespace
{
// One open stream: mpv's demuxer thread reads and seeks, another of its threads may cancel.
struct SStream
{
    std::shared_ptr<CRingFile> pRing;
    qint64 nBase = 0; // the ring offset of the stream's position 0
    qint64 nPos = 0;  // the ring offset that the next read starts at
    // Under g_mutex.
    bool bCancelled = false;
    bool bWaiting = false; // inside the ring's ReadWait
    bool bCounted = false; // cancelled while it waited: counted in its ring's SRingCancel
};

// The ring's own cancel wakes all its readers. A cancelled stream that waits gets it; the others
// that wake from it wait again, and the ring's flag is taken back once no cancelled stream waits.
struct SRingCancel
{
    int nCancelledWaiting = 0;
};

QMutex g_mutex;
std::map<int, std::shared_ptr<CRingFile>> g_published;
// The open streams by the cookie that mpv holds. libmpv 0.35 may still call a stream's cancel after
// it closed the stream, so the cookie is a number that outlives it, never a pointer.
std::map<quintptr, std::unique_ptr<SStream>> g_streams;
quintptr g_nLastStream = 0;
std::map<const CRingFile*, SRingCancel> g_cancels;
int g_nLastId = 0;

// Under g_mutex: the ring's cancel is lifted once the last cancelled stream stopped waiting.
void SettleCancel(CRingFile* pRing)
{
    const auto it = g_cancels.find(pRing);
    if (it == g_cancels.end() || it->second.nCancelledWaiting > 0)
        return;
    g_cancels.erase(it);
    pRing->ResetCancel();
}

// Under g_mutex. Reads, seeks and the close come from the thread that reads the stream, so a stream
// found there stays while that call runs.
SStream* StreamOf(void* pCookie)
{
    const auto it = g_streams.find(reinterpret_cast<quintptr>(pCookie));
    return it == g_streams.end() ? nullptr : it->second.get();
}

int64_t ReadFn(void* pCookie, char* pData, uint64_t nSize)
{
    SStream* pStream = nullptr;
    {
        QMutexLocker lock(&g_mutex);
        pStream = StreamOf(pCookie);
    }
    if (!pStream)
        return -1;
    const qint64 nWanted = qint64(qMin<uint64_t>(nSize, uint64_t(1) << 30));
    for (;;)
    {
        {
            QMutexLocker lock(&g_mutex);
            if (pStream->bCancelled)
                return 0;
            pStream->bWaiting = true;
        }
        const qint64 nRead = pStream->pRing->ReadWait(pStream->nPos, pData, nWanted);
        bool bOthersCancel = false;
        {
            QMutexLocker lock(&g_mutex);
            pStream->bWaiting = false;
            if (pStream->bCancelled)
            {
                if (pStream->bCounted)
                {
                    pStream->bCounted = false;
                    --g_cancels[pStream->pRing.get()].nCancelledWaiting;
                }
                SettleCancel(pStream->pRing.get());
                return 0;
            }
            // Nothing read, not cancelled, and another stream's cancel is in force: wait again.
            bOthersCancel = nRead == 0 && g_cancels.count(pStream->pRing.get()) > 0;
            SettleCancel(pStream->pRing.get());
        }
        if (!bOthersCancel)
        {
            if (nRead > 0)
                pStream->nPos += nRead;
            return nRead;
        }
        // The cancelled stream has yet to leave its wait; it needs only the ring's lock for it.
        QThread::yieldCurrentThread();
    }
}

int64_t SeekFn(void* pCookie, int64_t nOffset)
{
    SStream* pStream = nullptr;
    {
        QMutexLocker lock(&g_mutex);
        pStream = StreamOf(pCookie);
    }
    if (!pStream)
        return MPV_ERROR_GENERIC;
    const qint64 nTarget = pStream->nBase + nOffset;
    if (nOffset < 0 || nTarget < pStream->pRing->Begin() || nTarget > pStream->pRing->End())
        return MPV_ERROR_GENERIC;
    pStream->nPos = nTarget;
    return nOffset;
}

void CancelFn(void* pCookie)
{
    QMutexLocker lock(&g_mutex);
    SStream* pStream = StreamOf(pCookie);
    if (!pStream || pStream->bCancelled)
        return;
    pStream->bCancelled = true;
    // A stream that does not wait now sees its own flag at its next read.
    if (!pStream->bWaiting)
        return;
    pStream->bCounted = true;
    ++g_cancels[pStream->pRing.get()].nCancelledWaiting;
    pStream->pRing->Cancel();
}

void CloseFn(void* pCookie)
{
    std::unique_ptr<SStream> pStream;
    QMutexLocker lock(&g_mutex);
    const auto it = g_streams.find(reinterpret_cast<quintptr>(pCookie));
    if (it == g_streams.end())
        return;
    // Its ring may go with it: not while the lock is held.
    pStream = std::move(it->second);
    g_streams.erase(it);
}

int OpenFn(void*, char* pUri, mpv_stream_cb_info* pInfo)
{
    // <protocol>://<id>/<offset>
    const QByteArray uri(pUri);
    const QByteArray prefix = QByteArray(ringstream::kProtocol) + "://";
    if (!uri.startsWith(prefix))
        return MPV_ERROR_LOADING_FAILED;
    const QList<QByteArray> parts = uri.mid(prefix.size()).split('/');
    bool bIdOk = false;
    bool bOffsetOk = false;
    const int nId = parts.size() == 2 ? parts[0].toInt(&bIdOk) : 0;
    const qint64 nOffset = parts.size() == 2 ? parts[1].toLongLong(&bOffsetOk) : 0;
    if (!bIdOk || !bOffsetOk || nOffset < 0)
        return MPV_ERROR_LOADING_FAILED;
    std::shared_ptr<CRingFile> pRing;
    {
        QMutexLocker lock(&g_mutex);
        const auto it = g_published.find(nId);
        if (it == g_published.end())
            return MPV_ERROR_LOADING_FAILED;
        pRing = it->second;
    }
    // Bytes overwritten since the address was made: the oldest that the ring still holds.
    const qint64 nStart = qBound(pRing->Begin(), nOffset, pRing->End());
    QMutexLocker lock(&g_mutex);
    const quintptr nStream = ++g_nLastStream;
    g_streams.emplace(nStream, std::make_unique<SStream>(SStream{std::move(pRing), nStart, nStart}));
    pInfo->cookie = reinterpret_cast<void*>(nStream);
    pInfo->read_fn = ReadFn;
    pInfo->seek_fn = SeekFn;
    pInfo->size_fn = nullptr;
    pInfo->close_fn = CloseFn;
    pInfo->cancel_fn = CancelFn;
    return 0;
}
} // namespace

namespace ringstream
{
bool Register(mpv_handle* pMpv)
{
    return mpv_stream_cb_add_ro(pMpv, kProtocol, nullptr, OpenFn) >= 0;
}

int Publish(std::shared_ptr<CRingFile> pRing)
{
    QMutexLocker lock(&g_mutex);
    const int nId = ++g_nLastId;
    g_published.emplace(nId, std::move(pRing));
    return nId;
}

void Withdraw(int nId)
{
    std::shared_ptr<CRingFile> pRing;
    QMutexLocker lock(&g_mutex);
    const auto it = g_published.find(nId);
    if (it == g_published.end())
        return;
    // The ring may go with the last reference: not while the registry's lock is held.
    pRing = std::move(it->second);
    g_published.erase(it);
}

QString Uri(int nId, qint64 nOffset)
{
    return QStringLiteral("%1://%2/%3").arg(QLatin1String(kProtocol)).arg(nId).arg(nOffset);
}
} // namespace ringstream
