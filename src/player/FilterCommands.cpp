#include "player/FilterCommands.h"

#include "app/SettingsStore.h"

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

void UpdateFilter(CSettingsStore& settings, const SFilterCommand& command, CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(settings.Read(command.setting) != 0 ? 1 : 0);
}

void AddFilterCommands(CCommandMap& map, CSettingsStore& settings, std::function<void()> postRefresh)
{
    for (const SFilterCommand& command : kFilterCommands)
    {
        map.On(command.nID, [&settings, &command, postRefresh] { ToggleFilter(settings, command, postRefresh); });
        map.OnUpdate(command.nID,
                     [&settings, &command](CCmdUI* pCmdUI) { UpdateFilter(settings, command, pCmdUI); });
    }
}
