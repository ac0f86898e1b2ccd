#pragma once
// The settings store: integers in the "Settings" section of
// QSettings("Palomer", "Vedrix by Palomer"), and the cache of the values that are read per channel line.
#include "app/SettingNames.h"

#include <QString>

// Returns the stored value, or nDefault when the value is missing or unreadable. Never creates a value.
int ReadSettingInt(const QString& strName, int nDefault);
inline int ReadSettingInt(const settings::IntSetting& s) { return ReadSettingInt(s.name, s.defaultValue); }
// Stores the value; failures are ignored (the caller is not told). Returns whether it was stored.
bool WriteSettingInt(const QString& strName, int nValue);

// The same for another section of the application's settings file ("Workspace", "Servers").
int ReadSectionInt(const QString& strSection, const QString& strName, int nDefault);
bool WriteSectionInt(const QString& strSection, const QString& strName, int nValue);
QString ReadSectionString(const QString& strSection, const QString& strName, const QString& strDefault);

// The settings cache: eleven slots, -1 = not loaded. Slot 11 is the channel number of the command line.
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
    SLOT_COMMAND_LINE_CHANNEL = 11,
};
constexpr int kSettingSlotCount = 11;

class CSettingsCache
{
public:
    CSettingsCache() { Reset(); }
    void Reset();
    // Slot n (1-based); -1 = not loaded.
    int& Slot(int nSlot) { return m_slots[nSlot - 1]; }
    // Cached read: loads the slot's value with its default when the slot is -1.
    int Read(int nSlot);
    // Writes the negation of the cached value (1 if it was 0, else 0) and empties the slot.
    void Toggle(int nSlot);
    // Name and default of a slot that is loaded from the store (slots 1 to 10).
    static const settings::IntSetting& SettingOf(int nSlot);

private:
    int m_slots[kSettingSlotCount];
};

// The application's cache (the global pointer to its slot 1). Tests may install their own.
CSettingsCache* GetSettingsCache();
void SetSettingsCache(CSettingsCache* pCache);
