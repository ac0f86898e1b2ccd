#pragma once
// The settings store: integers in the "Settings" section of
// QSettings("Palomer", "Vedrix by Palomer"), and the cache of the values that are read per channel line.
#include "app/SettingNames.h"

#include <QString>
#include <optional>

// Returns the stored value, or nDefault when the value is missing or unreadable. Never creates a value.
int ReadSettingInt(const QString& strName, int nDefault);
inline int ReadSettingInt(const settings::IntSetting& s) { return ReadSettingInt(s.name, s.defaultValue); }
// Stores the value; failures are ignored (the caller is not told). Returns whether it was stored.
bool WriteSettingInt(const QString& strName, int nValue);

// The same for another section of the application's settings file ("Workspace", "Servers").
int ReadSectionInt(const QString& strSection, const QString& strName, int nDefault);
bool WriteSectionInt(const QString& strSection, const QString& strName, int nValue);
QString ReadSectionString(const QString& strSection, const QString& strName, const QString& strDefault);
bool WriteSectionString(const QString& strSection, const QString& strName, const QString& strValue);
// A text value of the "Settings" section.
QString ReadSettingString(const settings::StringSetting& s);
bool WriteSettingString(const settings::StringSetting& s, const QString& strValue);

// The settings cache: the values that are read for every channel line and on every idle pass, each
// loaded from the settings file once until a writer empties its slot. Whether a slot is loaded is
// kept apart from its value, so any stored value, -1 included, is read once.
enum ESettingSlot
{
    SLOT_DISPLAY_RADIO = 1,
    SLOT_DISPLAY_TV = 2,
    SLOT_LAST_CATEGORY = 3,
    SLOT_DISPLAY_CHINESE = 4,
    SLOT_DISPLAY_ENGLISH = 5,
    SLOT_DISPLAY_INDIAN = 6,
    SLOT_DISPLAY_FRENCH = 7,
    SLOT_DISPLAY_GERMAN = 8,
    SLOT_DISPLAY_BULGARIAN = 9,
    SLOT_DISPLAY_ROMANIAN = 10,
};
constexpr int kSettingSlotCount = 10;

class CSettingsCache
{
public:
    // Empties every slot.
    void Reset();
    // Whether slot n (1-based) holds a value.
    bool IsLoaded(int nSlot) const { return m_slots[nSlot - 1].has_value(); }
    // Cached read: loads the slot's value (with its default) when the slot is empty.
    int Read(int nSlot);
    // Puts a value in the slot without touching the settings file (tests, fuzzing).
    void Set(int nSlot, int nValue) { m_slots[nSlot - 1] = nValue; }
    // Empties the slot: the next read goes to the settings file.
    void Forget(int nSlot) { m_slots[nSlot - 1].reset(); }
    // Writes the negation of the cached value (1 if it was 0, else 0) and empties the slot.
    void Toggle(int nSlot);
    // Name and default of a slot's value.
    static const settings::IntSetting& SettingOf(int nSlot);

private:
    std::optional<int> m_slots[kSettingSlotCount];
};
