#pragma once
// One running instance per user. The first start listens on a local socket; a later start connects,
// hands over its request (one text line each: "show" or a channel number) and ends. The election runs
// under a lock file, so that starts at the same moment agree on one winner and a socket left by a
// killed process is replaced rather than trusted.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    // strServerName: a full socket path; empty = the per-user default (DefaultServerName()).
    explicit CSingleInstance(const QString& strServerName = QString(), QObject* parent = nullptr);
    ~CSingleInstance() override;

    // $XDG_RUNTIME_DIR/vedrix-<uid>.sock, or the same name in the temporary folder.
    static QString DefaultServerName();

    // True: this process is the running instance now and receives requests. False: another instance
    // runs; Forward() passes requests to it.
    bool Start();
    bool IsPrimary() const { return m_pServer != nullptr; }

    // Second start: sends the lines and waits until the running instance has handled them all (at most
    // nMsecs). True when every line was acknowledged.
    bool Forward(const QStringList& lines, int nMsecs = 10000);

signals:
    // The running instance received one request line.
    void RequestReceived(const QString& strLine);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* pSocket);

    QString m_strServerName;
    QLocalServer* m_pServer = nullptr;
    QLocalSocket* m_pClient = nullptr;
};
