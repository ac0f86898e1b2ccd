#include "app/Settings.h"

#include <QSettings>

namespace
{
QVariant ReadValue(const QString& strSection, const QString& strName)
{
    QSettings store(settings::kOrganization, settings::kApplication);
    return store.value(strSection + QLatin1Char('/') + strName);
}

bool WriteValue(const QString& strSection, const QString& strName, const QVariant& value)
{
    QSettings store(settings::kOrganization, settings::kApplication);
    if (!store.isWritable())
        return false;
    store.setValue(strSection + QLatin1Char('/') + strName, value);
    store.sync();
    // A file that could not be parsed leaves FormatError behind although the value was written (the
    // file is rewritten with it); only an access error means the value did not reach the disk.
    return store.status() != QSettings::AccessError;
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
    return ReadSectionString(settings::kSection, s.name, QString::fromUtf8(s.defaultValue));
}

bool WriteSettingString(const settings::StringSetting& s, const QString& strValue)
{
    return WriteSectionString(settings::kSection, s.name, strValue);
}

int ReadSettingInt(const QString& strName, int nDefault)
{
    return ReadSectionInt(settings::kSection, strName, nDefault);
}

bool WriteSettingInt(const QString& strName, int nValue)
{
    return WriteSectionInt(settings::kSection, strName, nValue);
}

void CSettingsCache::Reset()
{
    for (auto& slot : m_slots)
        slot.reset();
}

const settings::IntSetting& CSettingsCache::SettingOf(int nSlot)
{
    using namespace settings;
    static const IntSetting* const table[kSettingSlotCount] = {
        &kDisplayRadioChannels,   &kDisplayTVChannels,      &kLastCategory,
        &kDisplayChineseChannels, &kDisplayEnglishChannels, &kDisplayIndianChannels,
        &kDisplayFrenchChannels,  &kDisplayGermanChannels,  &kDisplayBulgarianChannels,
        &kDisplayRomanianChannels,
    };
    Q_ASSERT(nSlot >= 1 && nSlot <= kSettingSlotCount);
    return *table[nSlot - 1];
}

int CSettingsCache::Read(int nSlot)
{
    auto& slot = m_slots[nSlot - 1];
    if (!slot)
        slot = ReadSettingInt(SettingOf(nSlot));
    return *slot;
}

void CSettingsCache::Toggle(int nSlot)
{
    const int v = Read(nSlot);
    WriteSettingInt(SettingOf(nSlot).name, v == 0 ? 1 : 0);
    Forget(nSlot);
}
