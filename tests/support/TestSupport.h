// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Helpers shared by the tests. Every test process runs under tools/testenv, which gives it its own
// XDG folders; these helpers reset and inspect them between cases.
#include <QProcess>
#include <QString>
#include <functional>

class CSettingsStore;

namespace testsupport
{
// Path of the settings file: $XDG_CONFIG_HOME/Palomer/Vedrix by Palomer.conf
QString SettingsFilePath();
// Removes every stored setting and empties the given settings store's cache.
void ClearSettings(CSettingsStore* pStore = nullptr);
// Lets the event loop run until condition() holds or nTimeoutMs have passed; whether it holds.
// Tests wait for what they expect this way, never for a fixed number of event rounds or a fixed time.
bool WaitFor(const std::function<bool()>& condition, int nTimeoutMs = 20000);
// Raw text of the settings file ("" if missing).
QString SettingsFileText();
// Writes bytes to a file, creating its folder.
bool WriteFile(const QString& strPath, const QByteArray& bytes);
// A UTF-16LE encoding of text, lines joined with strLineEnd.
QByteArray Utf16Le(const QString& strText);
// One of the project's Python servers under tools/ (httpserver.py, fakedirectory.py) as a child
// process on a free port of 127.0.0.1; stopped when the object goes.
class CLocalServer
{
public:
    ~CLocalServer() { Stop(); }
    // strScript is relative to the source tree; the server prints "PORT n" once it listens.
    bool Start(const QString& strScript, const QStringList& arguments = {});
    void Stop();
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_nPort); }
    QString Url(const QString& strPath) const { return Base() + strPath; }
    // The body of a GET of strPathAndQuery (control paths such as /__count), waited for.
    QByteArray Get(const QString& strPathAndQuery) const;

private:
    QProcess m_process;
    int m_nPort = 0;
};
} // namespace testsupport
