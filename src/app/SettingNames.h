#pragma once
// Every stored value: its name and the default that its readers pass, once.
namespace settings
{
constexpr const char* kOrganization = "Palomer";
constexpr const char* kApplication = "Vedrix by Palomer";
constexpr const char* kSection = "Settings";
constexpr const char* kWorkspaceSection = "Workspace";
constexpr const char* kServersSection = "Servers";

struct IntSetting
{
    const char* name;
    int defaultValue;
};

struct StringSetting
{
    const char* name;
    const char* defaultValue;
};

constexpr IntSetting kDisplayTVChannels{"DisplayTVChannels", 0};
constexpr IntSetting kDisplayRadioChannels{"DisplayRadioChannels", 1};
constexpr IntSetting kDisplayIndianChannels{"DisplayIndianChannels", 1};
constexpr IntSetting kDisplayChineseChannels{"DisplayChineseChannels", 1};
constexpr IntSetting kDisplayEnglishChannels{"DisplayEnglishChannels", 1};
constexpr IntSetting kDisplayFrenchChannels{"DisplayFrenchChannels", 1};
constexpr IntSetting kDisplayGermanChannels{"DisplayGermanChannels", 1};
constexpr IntSetting kDisplayBulgarianChannels{"DisplayBulgarianChannels", 1};
constexpr IntSetting kDisplayRomanianChannels{"DisplayRomanianChannels", 1};
constexpr IntSetting kDisplayNonWorkingChannels{"DisplayNonWorkingChannels", 0};
constexpr IntSetting kLastChannelIndex{"LastChannelIndex", 0};
constexpr IntSetting kAutoPlay{"AutoPlay", 1};
// 1: the player view shows My Stations instead of the maker's list.
constexpr IntSetting kShowMyStations{"ShowMyStations", 0};
// The row of My Stations played last (the maker's list keeps "LastChannelIndex").
constexpr IntSetting kMyStationsLastIndex{"MyStationsLastIndex", 0};
constexpr IntSetting kLastCategory{"LastCategory", 0};
// A desktop notification with the new title when the playing stream's title changes.
constexpr IntSetting kShowSongNotifications{"ShowSongNotifications", 1};
// The player's volume (0-100) and mute, as they were when last changed.
constexpr IntSetting kVolume{"Volume", 50};
constexpr IntSetting kMuted{"Muted", 0};
// How many seconds make one of the sleep timer's minutes (not shown anywhere: a shorter minute lets
// the timer be tried without waiting a quarter of an hour).
constexpr IntSetting kSleepTimerSecondsPerMinute{"SleepTimerSecondsPerMinute", 60};
// How many seconds a web page stays frozen while its pane is hidden before its renderer process is
// ended (not shown anywhere; tests shorten it).
constexpr IntSetting kWebViewDiscardSeconds{"WebViewDiscardSeconds", 60};
// Where the sound goes: a device name of mpv's audio-device-list ("pulse/<sink>"); "auto" is the
// system's default. Kept while the device is away, so that it is used again when it comes back.
constexpr StringSetting kAudioDevice{"AudioDevice", "auto"};
// First-showing flags, named after the view classes.
constexpr IntSetting kSorvanaViewSized{"CSorvanaView", 0};
constexpr IntSetting kRadioSettingsViewSized{"CRadioSettingsView", 0};
constexpr IntSetting kPromoViewSized{"CPromoView", 0};
constexpr IntSetting kHardwareStoreViewSized{"CHardwareStoreView", 0};
// Hot key values are formed from these with the action's name.
constexpr const char* kHotKeyKeyFormat = "%1 Key";
constexpr const char* kHotKeyModFormat = "%1 Mod";
// In the Workspace section (framework state).
constexpr IntSetting kApplicationLook{"ApplicationLook", 216};
// The main window's last normal rectangle; a width of 0 means none stored.
constexpr IntSetting kPlacementLeft{"MainWindowLeft", 0};
constexpr IntSetting kPlacementTop{"MainWindowTop", 0};
constexpr IntSetting kPlacementWidth{"MainWindowWidth", 0};
constexpr IntSetting kPlacementHeight{"MainWindowHeight", 0};
} // namespace settings
