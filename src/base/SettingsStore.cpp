// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/SettingsStore.h"

#include "base/Logging.h"
#include "base/Settings.h"

namespace
{
QString CacheKey(const settings::IntSetting& key)
{
    return QLatin1String(key.group) + QLatin1Char('/') + QLatin1String(key.name);
}
} // namespace

CSettingsStore::CSettingsStore(QObject* parent) : QObject(parent) {}

int CSettingsStore::Read(const settings::IntSetting& key)
{
    if (key.cache == settings::ECache::None)
        return ReadSectionInt(QString::fromLatin1(key.group), QString::fromLatin1(key.name),
                              key.defaultValue);
    const QString strKey = CacheKey(key);
    const auto it = m_cache.constFind(strKey);
    if (it != m_cache.constEnd())
        return *it;
    const int nValue =
        ReadSectionInt(QString::fromLatin1(key.group), QString::fromLatin1(key.name), key.defaultValue);
    m_cache.insert(strKey, nValue);
    return nValue;
}

int CSettingsStore::Read(const settings::NamedIntSetting& key)
{
    return ReadSectionInt(QString::fromLatin1(key.group), key.name, key.defaultValue);
}

QString CSettingsStore::Read(const settings::StringSetting& key)
{
    return ReadSectionString(QString::fromLatin1(key.group), QString::fromLatin1(key.name),
                             QString::fromUtf8(key.defaultValue));
}

bool CSettingsStore::Write(const settings::IntSetting& key, int nValue)
{
    const bool bWritten =
        WriteSectionInt(QString::fromLatin1(key.group), QString::fromLatin1(key.name), nValue);
    if (key.cache != settings::ECache::None)
    {
        if (bWritten)
            m_cache.insert(CacheKey(key), nValue);
        else
            m_cache.remove(CacheKey(key));
    }
    return Written(bWritten, key.group, QString::fromLatin1(key.name));
}

bool CSettingsStore::Write(const settings::NamedIntSetting& key, int nValue)
{
    return Written(WriteSectionInt(QString::fromLatin1(key.group), key.name, nValue), key.group, key.name);
}

bool CSettingsStore::Write(const settings::StringSetting& key, const QString& strValue)
{
    return Written(
        WriteSectionString(QString::fromLatin1(key.group), QString::fromLatin1(key.name), strValue),
        key.group, QString::fromLatin1(key.name));
}

bool CSettingsStore::Toggle(const settings::IntSetting& key)
{
    return Write(key, Read(key) == 0 ? 1 : 0);
}

bool CSettingsStore::IsCached(const settings::IntSetting& key) const
{
    return m_cache.contains(CacheKey(key));
}

void CSettingsStore::Forget(const settings::IntSetting& key)
{
    m_cache.remove(CacheKey(key));
}

void CSettingsStore::ForgetAll()
{
    m_cache.clear();
}

void CSettingsStore::SetCached(const settings::IntSetting& key, int nValue)
{
    m_cache.insert(CacheKey(key), nValue);
}

bool CSettingsStore::Written(bool bWritten, const char* pszGroup, const QString& strName)
{
    const QString strGroup = QString::fromLatin1(pszGroup);
    if (!bWritten)
    {
        qCWarning(lcSettings, "could not store %s/%s in %s", qUtf8Printable(strGroup),
                  qUtf8Printable(strName), qUtf8Printable(SettingsFileName()));
        emit WriteFailed(strGroup, strName);
        return false;
    }
    emit ValueChanged(strGroup, strName);
    return true;
}
