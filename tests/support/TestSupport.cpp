#include "TestSupport.h"

#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

namespace testsupport
{
QString SettingsFilePath()
{
    QSettings store(settings::kOrganization, settings::kApplication);
    return store.fileName();
}

void ClearSettings(CSettingsCache* pCache)
{
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.clear();
        store.sync();
    }
    QFile::remove(SettingsFilePath());
    if (pCache)
        pCache->Reset();
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
} // namespace testsupport
