// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listenback/RingFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{
// Ring files are named ring-<pid>-<random>.buf; nothing else in the folder is ever removed.
const QString kPrefix = QStringLiteral("ring-");
const QString kSuffix = QStringLiteral(".buf");

QString ErrnoText(const char* pWhat)
{
    return QString::fromLatin1(pWhat) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// pwrite and pread for the whole count, across short transfers and signals.
bool WriteAll(int fd, const char* pData, qint64 nSize, qint64 nPos)
{
    while (nSize > 0)
    {
        const ssize_t n = ::pwrite(fd, pData, size_t(nSize), off_t(nPos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        pData += n;
        nSize -= n;
        nPos += n;
    }
    return true;
}

bool ReadAll(int fd, char* pData, qint64 nSize, qint64 nPos)
{
    while (nSize > 0)
    {
        const ssize_t n = ::pread(fd, pData, size_t(nSize), off_t(nPos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        pData += n;
        nSize -= n;
        nPos += n;
    }
    return true;
}
} // namespace

CRingFile::CRingFile(const QString& strFolder, qint64 nCapacity) : m_nCapacity(nCapacity)
{
    if (nCapacity <= 0)
    {
        m_strError = QStringLiteral("the buffer has no room");
        return;
    }
    if (!QDir().mkpath(strFolder))
    {
        m_strError = QStringLiteral("cannot make the folder %1").arg(strFolder);
        return;
    }
    // Made under a name RemoveStale does not look at, and renamed once locked, so a clean-up running
    // at the same moment cannot take it for a file left behind.
    const QString strName = kPrefix + QString::number(::getpid()) + QLatin1Char('-') +
                            QString::number(QRandomGenerator::global()->generate64(), 16) + kSuffix;
    const QString strPath = QDir(strFolder).filePath(strName);
    const QString strTemporary = QDir(strFolder).filePath(QLatin1Char('.') + strName);
    const QByteArray temporary = QFile::encodeName(strTemporary);
    m_fd = ::open(temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (m_fd < 0)
    {
        m_strError = ErrnoText("cannot make the buffer file");
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(temporary.constData(), QFile::encodeName(strPath).constData()) != 0)
    {
        m_strError = ErrnoText("cannot set up the buffer file");
        ::unlink(temporary.constData());
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_strPath = strPath;
}

CRingFile::~CRingFile()
{
    if (m_fd < 0)
        return;
    ::unlink(QFile::encodeName(m_strPath).constData());
    ::close(m_fd);
}

bool CRingFile::IsOpen() const
{
    return m_fd >= 0;
}

QString CRingFile::Error() const
{
    QMutexLocker lock(&m_mutex);
    return m_strError;
}

QString CRingFile::Path() const
{
    return m_strPath;
}

qint64 CRingFile::Capacity() const
{
    return m_nCapacity;
}

bool CRingFile::Append(const char* pData, qint64 nSize)
{
    if (m_fd < 0 || nSize <= 0)
        return m_fd >= 0;
    qint64 nEnd;
    {
        QMutexLocker lock(&m_mutex);
        // Only the newest Capacity() bytes can be kept.
        if (nSize > m_nCapacity)
        {
            pData += nSize - m_nCapacity;
            m_nBegin = qMax(m_nBegin, m_nEnd + nSize - m_nCapacity);
            m_nEnd += nSize - m_nCapacity;
            nSize = m_nCapacity;
        }
        nEnd = m_nEnd;
        // The bytes about to be overwritten leave the ring before the write starts: a reader that
        // copied them meanwhile sees Begin() past its offset and throws its copy away.
        m_nBegin = qMax(m_nBegin, nEnd + nSize - m_nCapacity);
    }
    // One writer; the readers never look at [End(), End() + nSize) until End() moves.
    const qint64 nPos = nEnd % m_nCapacity;
    const qint64 nFirst = qMin(nSize, m_nCapacity - nPos);
    bool bWritten = WriteAll(m_fd, pData, nFirst, nPos);
    if (bWritten && nFirst < nSize)
        bWritten = WriteAll(m_fd, pData + nFirst, nSize - nFirst, 0);
    const QString strError = bWritten ? QString() : ErrnoText("cannot write the buffer file");
    QMutexLocker lock(&m_mutex);
    if (!bWritten)
    {
        m_strError = strError;
        return false;
    }
    m_nEnd = nEnd + nSize;
    m_grown.wakeAll();
    return true;
}

qint64 CRingFile::Begin() const
{
    QMutexLocker lock(&m_mutex);
    return m_nBegin;
}

qint64 CRingFile::End() const
{
    QMutexLocker lock(&m_mutex);
    return m_nEnd;
}

qint64 CRingFile::Read(qint64 nOffset, char* pData, qint64 nSize) const
{
    if (m_fd < 0 || nSize < 0)
        return -1;
    qint64 nCount;
    {
        QMutexLocker lock(&m_mutex);
        if (nOffset < m_nBegin || nOffset > m_nEnd)
            return -1;
        nCount = qMin(nSize, m_nEnd - nOffset);
    }
    if (nCount == 0)
        return 0;
    const qint64 nPos = nOffset % m_nCapacity;
    const qint64 nFirst = qMin(nCount, m_nCapacity - nPos);
    bool bRead = ReadAll(m_fd, pData, nFirst, nPos);
    if (bRead && nFirst < nCount)
        bRead = ReadAll(m_fd, pData + nFirst, nCount - nFirst, 0);
    QMutexLocker lock(&m_mutex);
    // Overwritten while it was copied: the copy may be torn.
    if (!bRead || nOffset < m_nBegin)
        return -1;
    return nCount;
}

qint64 CRingFile::ReadWait(qint64 nOffset, char* pData, qint64 nSize)
{
    {
        QMutexLocker lock(&m_mutex);
        while (nOffset == m_nEnd && !m_bFinished && !m_bCancelled)
            m_grown.wait(&m_mutex);
    }
    return Read(nOffset, pData, nSize);
}

void CRingFile::Finish()
{
    QMutexLocker lock(&m_mutex);
    m_bFinished = true;
    m_grown.wakeAll();
}

void CRingFile::Cancel()
{
    QMutexLocker lock(&m_mutex);
    m_bCancelled = true;
    m_grown.wakeAll();
}

void CRingFile::ResetCancel()
{
    QMutexLocker lock(&m_mutex);
    m_bCancelled = false;
}

int CRingFile::RemoveStale(const QString& strFolder)
{
    int nRemoved = 0;
    const QDir folder(strFolder);
    const QStringList names =
        folder.entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& strName : names)
    {
        const QByteArray path = QFile::encodeName(folder.filePath(strName));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        // A living program holds its lock; one that died (even by kill -9) holds none.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0)
            ++nRemoved;
        ::close(fd);
    }
    return nRemoved;
}

QString CRingFile::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/vedrix/listenback");
}
