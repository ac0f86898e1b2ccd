// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One running instance per user. The first start listens on a local socket; a later start connects,
// hands over its request (one text line each: "show" or a channel number) and ends. The election runs
// under a lock file, so that starts at the same moment agree on one winner and a socket left by a
// killed process is replaced rather than trusted. Where no socket file can be made (a runtime folder
// whose path is too long for a socket's address, or one that cannot be written) the socket takes a
// name in Linux's abstract namespace instead. Either way only the user's own processes are heard or
// handed a request.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    // strServerName: a full socket path, or a name without "/" in the abstract namespace; empty = the
    // per-user default (DefaultServerName()).
    explicit CSingleInstance(const QString& strServerName = QString(), QObject* parent = nullptr);
    ~CSingleInstance() override;

    // $XDG_RUNTIME_DIR/vedrix-<uid>.sock, or the same name in ~/.cache/vedrix-instance (made only for
    // the user) when there is no runtime folder of the user's alone. Where that path does not fit a
    // socket's address or its folder cannot be written: "vedrix-<uid>-<digest of the folder>" in the
    // abstract namespace.
    static QString DefaultServerName();

    // True: this process is the running instance now and receives requests. False: another instance
    // runs (IsSecondary(); Forward() passes requests to it), or no channel could be made at all
    // (neither): this process must not run as another copy.
    bool Start();
    bool IsPrimary() const { return m_pServer != nullptr; }
    bool IsSecondary() const { return m_pClient != nullptr; }
    // Why the last attempt to listen failed, for a start that got no channel.
    QString ErrorString() const { return m_strError; }

    // Second start: sends the lines and waits until the running instance has handled them all (at most
    // nMsecs). True when every line was acknowledged.
    bool Forward(const QStringList& lines, int nMsecs = 10000);

signals:
    // The running instance received one request line.
    void RequestReceived(const QString& strLine);

private:
    QString LockPath() const;
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* pSocket);

    QString m_strServerName;
    QString m_strError;
    QLocalServer* m_pServer = nullptr;
    QLocalSocket* m_pClient = nullptr;
};
