// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's one way to its settings: typed keys ({group, name, default}, base/SettingNames.h),
// the values read for every channel line kept after their first read, writes through the careful
// writer of base/Settings.h that say whether the value reached the disk, and a signal per change so
// that whoever shows a setting can follow it. A failed write is logged (vedrix.settings) and
// signalled (WriteFailed); the main window puts it in the status bar, since the user's choice is lost.
#include "base/SettingNames.h"

#include <QHash>
#include <QObject>
#include <QString>

class CSettingsStore : public QObject
{
    Q_OBJECT
public:
    explicit CSettingsStore(QObject* parent = nullptr);

    // The stored value, or the key's default when it is missing or unreadable. Never creates a value.
    int Read(const settings::IntSetting& key);
    int Read(const settings::NamedIntSetting& key);
    QString Read(const settings::StringSetting& key);

    // Stores the value; false (logged and signalled) when it did not reach the disk, in which case
    // a cached key reads what the file holds again.
    bool Write(const settings::IntSetting& key, int nValue);
    bool Write(const settings::NamedIntSetting& key, int nValue);
    bool Write(const settings::StringSetting& key, const QString& strValue);
    // Writes 1 when the value is 0, else 0.
    bool Toggle(const settings::IntSetting& key);

    // Whether a kept key holds a value; Forget empties it so that the next read goes to the file.
    bool IsCached(const settings::IntSetting& key) const;
    void Forget(const settings::IntSetting& key);
    void ForgetAll();
    // Puts a value in the cache without touching the file (tests of the channel filters).
    void SetCached(const settings::IntSetting& key, int nValue);

    // Calls f(int) (or f(QString)) with the new value after each successful write of key.
    template <typename Key, typename F>
    QMetaObject::Connection OnChanged(const Key& key, QObject* pContext, F f)
    {
        const QString strGroup = QString::fromLatin1(key.group);
        const QString strName = QString(key.name);
        return connect(
            this, &CSettingsStore::ValueChanged, pContext,
            [this, key, strGroup, strName, f](const QString& strChangedGroup, const QString& strChangedName)
            {
                if (strChangedGroup == strGroup && strChangedName == strName)
                    f(Read(key));
            });
    }

signals:
    void ValueChanged(const QString& strGroup, const QString& strName);
    void WriteFailed(const QString& strGroup, const QString& strName);

private:
    bool Written(bool bWritten, const char* pszGroup, const QString& strName);

    QHash<QString, int> m_cache; // "group/name" of the kept keys that were read
};
