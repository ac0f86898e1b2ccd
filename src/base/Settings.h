// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings file, QSettings("Palomer", "Vedrix by Palomer"): each call opens it, and every write
// goes through one careful writer that says whether the value reached the disk. The program reads and
// writes through CSettingsStore (base/SettingsStore.h), which keeps the values read per channel line;
// these functions are its file layer, and what tests use to look at the file itself.
#include "base/SettingNames.h"

#include <QString>

// Where the settings file is.
QString SettingsFileName();

// Returns the stored value, or nDefault when the value is missing or unreadable. Never creates a value.
int ReadSettingInt(const QString& strName, int nDefault);
// The value of a key in its own group.
int ReadSettingInt(const settings::IntSetting& s);
// Stores the value; returns whether it reached the disk.
bool WriteSettingInt(const QString& strName, int nValue);

// The same for another section of the application's settings file ("Workspace", "Servers").
int ReadSectionInt(const QString& strSection, const QString& strName, int nDefault);
bool WriteSectionInt(const QString& strSection, const QString& strName, int nValue);
QString ReadSectionString(const QString& strSection, const QString& strName, const QString& strDefault);
bool WriteSectionString(const QString& strSection, const QString& strName, const QString& strValue);
// A text value in its key's group.
QString ReadSettingString(const settings::StringSetting& s);
bool WriteSettingString(const settings::StringSetting& s, const QString& strValue);
