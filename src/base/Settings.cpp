// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/Settings.h"

#include <QFile>
#include <QSettings>

#include <unistd.h>

#include <cstdio>

namespace
{
QVariant ReadValue(const QString& strSection, const QString& strName)
{
    QSettings store(settings::kOrganization, settings::kApplication);
    return store.value(strSection + QLatin1Char('/') + strName);
}

// Whether the settings file holds nKeys values and ends where a line ends: Qt writes one "key=value"
// line per value (keys escape '=', values escape line breaks), under "[section]" lines.
bool IsWholeSettingsFile(const QString& strPath, qsizetype nKeys)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return nKeys == 0;
    const QByteArray data = file.readAll();
    if (!data.isEmpty() && !data.endsWith('\n'))
        return false;
    qsizetype nLines = 0;
    for (const QByteArray& line : data.split('\n'))
    {
        if (!line.startsWith('[') && line.contains('='))
            ++nLines;
    }
    return nLines == nKeys;
}

bool WriteValue(const QString& strSection, const QString& strName, const QVariant& value)
{
    QSettings store(settings::kOrganization, settings::kApplication);
    if (!store.isWritable())
        return false;
    // Only this file's own values: the counting below checks what sync() writes into it.
    store.setFallbacksEnabled(false);
    // Qt writes the file through a buffered QSaveFile and does not see a write that fails when the
    // buffer is flushed: on a full disk sync() puts an empty or cut file in place of the settings and
    // reports no error. So the old file keeps a second name (a hard link, which needs no room) until
    // the new one is known whole, and comes back when it is not.
    const QByteArray path = QFile::encodeName(store.fileName());
    const QByteArray kept = path + ".kept";
    const bool bExisted = QFile::exists(store.fileName());
    ::unlink(kept.constData());
    const bool bKept = bExisted && ::link(path.constData(), kept.constData()) == 0;
    store.setValue(strSection + QLatin1Char('/') + strName, value);
    store.sync();
    // A file that could not be parsed leaves FormatError behind although the value was written (the
    // file is rewritten with it); only an access error means the value did not reach the disk.
    const bool bWritten = store.status() != QSettings::AccessError &&
                          IsWholeSettingsFile(store.fileName(), store.allKeys().size());
    if (bKept && bWritten)
        ::unlink(kept.constData());
    else if (bKept)
        std::rename(kept.constData(), path.constData());
    else if (!bExisted && !bWritten)
        QFile::remove(store.fileName());
    return bWritten;
}
} // namespace

int ReadSectionInt(const QString& strSection, const QString& strName, int nDefault)
{
    const QVariant v = ReadValue(strSection, strName);
    bool ok = false;
    // Stored values are 32-bit integers; anything else counts as missing.
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < INT_MIN || n > UINT_MAX)
        return nDefault;
    return int(qint32(quint32(n)));
}

bool WriteSectionInt(const QString& strSection, const QString& strName, int nValue)
{
    return WriteValue(strSection, strName, nValue);
}

QString ReadSectionString(const QString& strSection, const QString& strName, const QString& strDefault)
{
    const QVariant v = ReadValue(strSection, strName);
    return v.isValid() && !v.toString().isEmpty() ? v.toString() : strDefault;
}

bool WriteSectionString(const QString& strSection, const QString& strName, const QString& strValue)
{
    return WriteValue(strSection, strName, strValue);
}

QString ReadSettingString(const settings::StringSetting& s)
{
    return ReadSectionString(QString::fromLatin1(s.group), QString::fromLatin1(s.name),
                             QString::fromUtf8(s.defaultValue));
}

bool WriteSettingString(const settings::StringSetting& s, const QString& strValue)
{
    return WriteSectionString(QString::fromLatin1(s.group), QString::fromLatin1(s.name), strValue);
}

int ReadSettingInt(const settings::IntSetting& s)
{
    return ReadSectionInt(QString::fromLatin1(s.group), QString::fromLatin1(s.name), s.defaultValue);
}

QString SettingsFileName()
{
    return QSettings(settings::kOrganization, settings::kApplication).fileName();
}

int ReadSettingInt(const QString& strName, int nDefault)
{
    return ReadSectionInt(settings::kSection, strName, nDefault);
}

bool WriteSettingInt(const QString& strName, int nValue)
{
    return WriteSectionInt(settings::kSection, strName, nValue);
}
