// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rewind buffer's bytes: a file of fixed size in the cache folder, written as a ring. Offsets are
// logical (bytes since the first one appended); the ring holds [Begin(), End()), at most Capacity()
// bytes, so the file never grows past its cap however long the stream runs. The file is locked while
// its program lives, so a later start can tell the files left behind by a crash from those in use.
#include <QMutex>
#include <QString>
#include <QWaitCondition>

class CRingFile // thread-safe: Append on the GUI thread, reads on mpv's threads
{
public:
    // A new ring file of nCapacity bytes in strFolder (made if missing), locked (flock) while it
    // lives and removed when it goes. IsOpen() false (Error() says why) when it cannot be made.
    CRingFile(const QString& strFolder, qint64 nCapacity);
    ~CRingFile();
    CRingFile(const CRingFile&) = delete;
    CRingFile& operator=(const CRingFile&) = delete;

    bool IsOpen() const;
    QString Error() const;
    QString Path() const;
    qint64 Capacity() const;
    // Appends at End(); the oldest bytes are overwritten once the ring is full. False when the disk
    // refused (Error() says why; the ring keeps what it had).
    bool Append(const char* pData, qint64 nSize);
    qint64 Begin() const; // the oldest logical offset still held
    qint64 End() const;   // one past the newest
    // Copies up to nSize bytes from logical offset nOffset. Returns the count; 0 when nOffset ==
    // End() (nothing yet); -1 when nOffset < Begin() (overwritten) or beyond End().
    qint64 Read(qint64 nOffset, char* pData, qint64 nSize) const;
    // The same, but waits while nOffset == End() until bytes come, Finish() or Cancel(); returns 0
    // only at the end (finished or cancelled).
    qint64 ReadWait(qint64 nOffset, char* pData, qint64 nSize);
    void Finish(); // no more bytes will come (the stream ended)
    void Cancel(); // wakes every waiting reader, which returns 0 (mpv's cancel)
    void ResetCancel();
    // Removes the ring files in strFolder that no living program holds; the count removed.
    static int RemoveStale(const QString& strFolder);
    // $XDG_CACHE_HOME/vedrix/listenback
    static QString DefaultFolder();

private:
    mutable QMutex m_mutex;
    QWaitCondition m_grown;
    int m_fd = -1;
    QString m_strPath;
    QString m_strError;
    qint64 m_nCapacity = 0;
    qint64 m_nBegin = 0;
    qint64 m_nEnd = 0;
    bool m_bFinished = false;
    bool m_bCancelled = false;
};
