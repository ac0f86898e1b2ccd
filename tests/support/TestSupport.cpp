// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace testsupport
{
QString SettingsFilePath()
{
    QSettings store(settings::kOrganization, settings::kApplication);
    return store.fileName();
}

void ClearSettings(CSettingsStore* pStore)
{
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.clear();
        store.sync();
    }
    QFile::remove(SettingsFilePath());
    if (pStore)
        pStore->ForgetAll();
}

bool WaitFor(const std::function<bool()>& condition, int nTimeoutMs)
{
    return QTest::qWaitFor(condition, nTimeoutMs);
}

QString SettingsFileText()
{
    QFile f(SettingsFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

bool WriteFile(const QString& strPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile f(strPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray Utf16Le(const QString& strText)
{
    QByteArray out;
    out.reserve(strText.size() * 2);
    for (QChar c : strText)
    {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}
namespace
{
QString SourceRoot()
{
    const QByteArray env = qgetenv("VEDRIX_SOURCE");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QStringLiteral(VEDRIX_TEST_SOURCE_DIR);
}
} // namespace

bool CLocalServer::Start(const QString& strScript, const QStringList& arguments)
{
    m_process.setProgram(QStringLiteral("python3"));
    m_process.setArguments(QStringList{SourceRoot() + QLatin1Char('/') + strScript} + arguments +
                           QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(20000))
            return false;
    const QByteArray line = m_process.readLine().trimmed();
    m_nPort = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
    return m_nPort > 0;
}

void CLocalServer::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
    {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QByteArray CLocalServer::Get(const QString& strPathAndQuery) const
{
    QNetworkAccessManager manager;
    QNetworkReply* pReply = manager.get(QNetworkRequest(QUrl(Base() + strPathAndQuery)));
    QSignalSpy finished(pReply, &QNetworkReply::finished);
    if (!pReply->isFinished())
        finished.wait(20000);
    const QByteArray body = pReply->readAll();
    delete pReply;
    return body;
}
} // namespace testsupport
