// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The nine display-choice check boxes of the ribbon: radio, TV and seven language groups. Each one
// flips its stored choice and asks the main window to download and rebuild the list; its check mark
// shows the stored choice. One rule, nine rows of a table.
#include "base/Commands.h"
#include "base/SettingNames.h"

#include <functional>
#include <span>

class CSettingsStore;

struct SFilterCommand
{
    UINT nID;
    settings::IntSetting setting; // group, value name and the default its readers pass
};

std::span<const SFilterCommand> FilterCommands();
// The row of command nID, or null.
const SFilterCommand* FindFilterCommand(UINT nID);

// Flips the stored choice (the settings store keeps the new value, or rereads the file when it could
// not be written), then asks for the channel list refresh.
void ToggleFilter(CSettingsStore& settings, const SFilterCommand& command, const std::function<void()>& postRefresh);
// The check mark: the stored choice; any value other than 0 shows checked.
bool IsFilterChecked(CSettingsStore& settings, const SFilterCommand& command);
