#include "player/FilterCommands.h"

#include "app/Settings.h"

namespace
{
using namespace settings;

constexpr SFilterCommand kFilterCommands[] = {
    {ID_DISPLAY_RADIO_CHANNELS, kDisplayRadioChannels, SLOT_DISPLAY_RADIO},
    {ID_DISPLAY_TV_CHANNELS, kDisplayTVChannels, SLOT_DISPLAY_TV},
    {ID_DISPLAY_ENGLISH_CHANNELS, kDisplayEnglishChannels, SLOT_DISPLAY_ENGLISH},
    {ID_DISPLAY_GERMAN_CHANNELS, kDisplayGermanChannels, SLOT_DISPLAY_GERMAN},
    {ID_DISPLAY_FRENCH_CHANNELS, kDisplayFrenchChannels, SLOT_DISPLAY_FRENCH},
    {ID_DISPLAY_CHINESE_CHANNELS, kDisplayChineseChannels, SLOT_DISPLAY_CHINESE},
    {ID_DISPLAY_INDIAN_CHANNELS, kDisplayIndianChannels, SLOT_DISPLAY_INDIAN},
    {ID_DISPLAY_BULGARIAN_CHANNELS, kDisplayBulgarianChannels, SLOT_DISPLAY_BULGARIAN},
    {ID_DISPLAY_ROMANIAN_CHANNELS, kDisplayRomanianChannels, SLOT_DISPLAY_ROMANIAN},
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

void ToggleFilter(CSettingsCache& settings, const SFilterCommand& command, const std::function<void()>& postRefresh)
{
    settings.Toggle(command.nSlot);
    if (postRefresh)
        postRefresh();
}

bool IsFilterChecked(CSettingsCache& settings, const SFilterCommand& command)
{
    return settings.Read(command.nSlot) != 0;
}
