#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
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
        m_fd = ::open(QFile::encodeName(strPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/vedrix-%1.sock").arg(::getuid());
}

bool CSingleInstance::Start()
{
    // Only one start at a time decides.
    const CElectionLock lock(m_strServerName + QLatin1String(".lock"));
    const bool bLocked = lock.IsLocked();

    auto* server = new QLocalServer(this);
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        if (server->listen(m_strServerName))
        {
            m_pServer = server;
            connect(server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
            return true;
        }
        if (server->serverError() != QAbstractSocket::AddressInUseError)
            break;
        auto* client = new QLocalSocket(this);
        client->connectToServer(m_strServerName);
        if (client->waitForConnected(kConnectMsecs))
        {
            m_pClient = client;
            delete server;
            return false;
        }
        delete client;
        // Nobody answers on the socket: it was left by a process that ended without closing it.
        // Under the lock no other start can be between listening and accepting at this moment.
        if (!bLocked)
            break;
        QLocalServer::removeServer(m_strServerName);
    }
    // No socket to be had: run anyway, as the only instance we know of.
    delete server;
    return true;
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
