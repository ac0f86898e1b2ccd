// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
constexpr int kConnectMsecs = 3000;
constexpr int kLockMsecs = 15000;
const QByteArray kAck = QByteArrayLiteral("ok\n");

// An exclusive lock on a file beside the socket for the length of the election. The kernel drops it
// when its holder ends, however it ends, so a killed start never blocks the next one.
class CElectionLock
{
public:
    explicit CElectionLock(const QString& strPath)
    {
        m_fd = ::open(QFile::encodeName(strPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_fd < 0)
            return;
        QDeadlineTimer deadline(kLockMsecs);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        {
            if (deadline.hasExpired())
                return;
            QThread::msleep(5);
        }
        m_bLocked = true;
    }
    ~CElectionLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool IsLocked() const { return m_bLocked; }

private:
    int m_fd = -1;
    bool m_bLocked = false;
};

constexpr int kAbstractAttempts = 20;
constexpr int kAbstractRetryMsecs = 50;

// A name without a folder lives in Linux's abstract socket namespace: no file, nothing left behind by
// a killed process, and no limit of a path's length.
bool IsAbstractName(const QString& strName)
{
    return !strName.startsWith(QLatin1Char('/'));
}

// Whether only this user can reach into the folder: ours, and neither group nor others may enter or
// write it.
bool IsPrivateFolder(const QString& strFolder)
{
    struct stat info{};
    if (::lstat(QFile::encodeName(strFolder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    return info.st_uid == ::getuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The folder that a process of this user and session shares with the others, and that no other user
// can use: the runtime folder, or where there is none (or it is not private), a folder of our own in
// the user's cache folder. A shared folder such as /tmp would let another user take the socket's name
// first and receive our requests.
QString SharedFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime))
        return runtime;
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1String("/vedrix-instance");
    QDir().mkpath(folder);
    // Made by us, or found: either way ours alone, or not used.
    struct stat info{};
    if (::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::getuid())
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

// Only our own user may talk to us, and we hand our request only to an instance of our own user:
// abstract names are seen by every user of the machine, and a socket file is checked the same way
// should its folder ever be reachable by others.
bool IsPeerOurUser(qintptr nDescriptor)
{
    ucred cred{};
    socklen_t nLength = sizeof(cred);
    if (::getsockopt(int(nDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &nLength) != 0)
        return false;
    return cred.uid == ::getuid();
}
} // namespace

CSingleInstance::CSingleInstance(const QString& strServerName, QObject* parent)
    : QObject(parent), m_strServerName(strServerName.isEmpty() ? DefaultServerName() : strServerName)
{
}

CSingleInstance::~CSingleInstance()
{
    if (m_pServer)
        m_pServer->close(); // removes the socket file
}

QString CSingleInstance::DefaultServerName()
{
    const QString folder = SharedFolder();
    const QString path = folder + QStringLiteral("/vedrix-%1.sock").arg(::getuid());
    // A socket's path must fit its address (107 bytes), and the folder must be ours alone and take a
    // new file. Where either fails the name goes to the abstract namespace, still one per user and
    // runtime folder (so that test sessions with folders of their own stay apart).
    if (QFile::encodeName(path).size() < qsizetype(sizeof(sockaddr_un::sun_path)) && IsPrivateFolder(folder) &&
        QFileInfo(folder).isWritable())
        return path;
    const QByteArray folderHash =
        QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("vedrix-%1-%2").arg(::getuid()).arg(QString::fromLatin1(folderHash));
}

QString CSingleInstance::LockPath() const
{
    if (!IsAbstractName(m_strServerName))
        return m_strServerName + QLatin1String(".lock");
    QString folder = SharedFolder();
    if (!QFileInfo(folder).isWritable())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + m_strServerName + QLatin1String(".lock");
}

bool CSingleInstance::Start()
{
    // Only one start at a time decides.
    const CElectionLock lock(LockPath());
    const bool bLocked = lock.IsLocked();
    const bool bAbstract = IsAbstractName(m_strServerName);

    auto* server = new QLocalServer(this);
    if (bAbstract)
        server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    const int nAttempts = bAbstract ? kAbstractAttempts : 2;
    for (int attempt = 0; attempt < nAttempts; ++attempt)
    {
        if (server->listen(m_strServerName))
        {
            // Whatever the umask: the socket file is the user's alone. (Qt's access option would
            // make it in a folder of its own and rename it over any socket of that name, a running
            // instance's too.)
            if (!bAbstract)
                ::chmod(QFile::encodeName(m_strServerName).constData(), 0600);
            m_pServer = server;
            connect(server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
            return true;
        }
        m_strError = server->errorString();
        if (server->serverError() != QAbstractSocket::AddressInUseError)
            break;
        auto* client = new QLocalSocket(this);
        if (bAbstract)
            client->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        client->connectToServer(m_strServerName);
        if (client->waitForConnected(kConnectMsecs))
        {
            if (!IsPeerOurUser(client->socketDescriptor()))
            {
                // Another user holds the name: neither ours to join nor ours to take.
                delete client;
                break;
            }
            m_pClient = client;
            delete server;
            return false;
        }
        delete client;
        if (bAbstract)
        {
            // The kernel frees an abstract name with its last socket, so nothing is ever left behind:
            // its holder is between binding and listening, or does not answer at all. Ask again a
            // little later; at the end there is no channel to be had.
            QThread::msleep(kAbstractRetryMsecs);
            continue;
        }
        // Nobody answers on the socket: it was left by a process that ended without closing it.
        // Under the lock no other start can be between listening and accepting at this moment.
        if (!bLocked)
            break;
        QLocalServer::removeServer(m_strServerName);
    }
    // Neither the running instance nor a channel of our own: the caller must not run as a second copy.
    delete server;
    return false;
}

bool CSingleInstance::Forward(const QStringList& lines, int nMsecs)
{
    if (!m_pClient)
        return false;
    QByteArray data;
    for (const QString& line : lines)
        data += line.toUtf8() + '\n';
    m_pClient->write(data);
    QDeadlineTimer deadline(nMsecs);
    while (m_pClient->bytesToWrite() > 0 && !deadline.hasExpired())
        if (!m_pClient->waitForBytesWritten(int(deadline.remainingTime())))
            break;
    QByteArray answers;
    while (answers.count('\n') < lines.size() && !deadline.hasExpired())
    {
        if (!m_pClient->waitForReadyRead(int(deadline.remainingTime())))
            break;
        answers += m_pClient->readAll();
    }
    m_pClient->disconnectFromServer();
    return answers.count('\n') >= lines.size();
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection())
    {
        if (!IsPeerOurUser(socket->socketDescriptor()))
        {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void CSingleInstance::OnReadyRead(QLocalSocket* pSocket)
{
    while (pSocket->canReadLine())
    {
        const QString line = QString::fromUtf8(pSocket->readLine()).trimmed();
        // A request is no more than a word or a number; anything longer is not ours.
        if (line.size() > 32)
        {
            pSocket->abort();
            return;
        }
        emit RequestReceived(line);
        if (pSocket->state() == QLocalSocket::ConnectedState)
            pSocket->write(kAck);
    }
}
