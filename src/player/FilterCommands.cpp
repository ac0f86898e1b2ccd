// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/FilterCommands.h"

#include "base/SettingsStore.h"

namespace
{
using namespace settings;

constexpr SFilterCommand kFilterCommands[] = {
    {ID_DISPLAY_RADIO_CHANNELS, kDisplayRadioChannels},
    {ID_DISPLAY_TV_CHANNELS, kDisplayTVChannels},
    {ID_DISPLAY_ENGLISH_CHANNELS, kDisplayEnglishChannels},
    {ID_DISPLAY_GERMAN_CHANNELS, kDisplayGermanChannels},
    {ID_DISPLAY_FRENCH_CHANNELS, kDisplayFrenchChannels},
    {ID_DISPLAY_CHINESE_CHANNELS, kDisplayChineseChannels},
    {ID_DISPLAY_INDIAN_CHANNELS, kDisplayIndianChannels},
    {ID_DISPLAY_BULGARIAN_CHANNELS, kDisplayBulgarianChannels},
    {ID_DISPLAY_ROMANIAN_CHANNELS, kDisplayRomanianChannels},
};
} // namespace

std::span<const SFilterCommand> FilterCommands()
{
    return kFilterCommands;
}

const SFilterCommand* FindFilterCommand(UINT nID)
{
    for (const SFilterCommand& command : kFilterCommands)
        if (command.nID == nID)
            return &command;
    return nullptr;
}

void ToggleFilter(CSettingsStore& settings, const SFilterCommand& command,
                  const std::function<void()>& postRefresh)
{
    settings.Toggle(command.setting);
    if (postRefresh)
        postRefresh();
}

bool IsFilterChecked(CSettingsStore& settings, const SFilterCommand& command)
{
    return settings.Read(command.setting) != 0;
}
