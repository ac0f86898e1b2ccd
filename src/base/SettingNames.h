// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every stored value: its group, its name and the default that its readers pass, once.
#include <QString>

namespace settings
{
constexpr const char* kOrganization = "Palomer";
constexpr const char* kApplication = "Vedrix by Palomer";
constexpr const char* kSection = "Settings";
constexpr const char* kWorkspaceSection = "Workspace";
constexpr const char* kServersSection = "Servers";

// Whether the settings store keeps a value after its first read: the values read for every channel
// line of a load (the display choices) and on every change of page.
enum class ECache
{
    None,
    Kept,
};

struct IntSetting
{
    const char* group;
    const char* name;
    int defaultValue;
    ECache cache = ECache::None;
};

struct StringSetting
{
    const char* group;
    const char* name;
    const char* defaultValue;
};

// A value whose name is formed at run time (the hot keys'); never cached.
struct NamedIntSetting
{
    const char* group;
    QString name;
    int defaultValue;
};

constexpr IntSetting kDisplayTVChannels{kSection, "DisplayTVChannels", 0, ECache::Kept};
constexpr IntSetting kDisplayRadioChannels{kSection, "DisplayRadioChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayIndianChannels{kSection, "DisplayIndianChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayChineseChannels{kSection, "DisplayChineseChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayEnglishChannels{kSection, "DisplayEnglishChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayFrenchChannels{kSection, "DisplayFrenchChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayGermanChannels{kSection, "DisplayGermanChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayBulgarianChannels{kSection, "DisplayBulgarianChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayRomanianChannels{kSection, "DisplayRomanianChannels", 1, ECache::Kept};
constexpr IntSetting kDisplayNonWorkingChannels{kSection, "DisplayNonWorkingChannels", 0};
constexpr IntSetting kLastChannelIndex{kSection, "LastChannelIndex", 0};
constexpr IntSetting kAutoPlay{kSection, "AutoPlay", 1};
// 1: the player view shows My Stations instead of the maker's list.
constexpr IntSetting kShowMyStations{kSection, "ShowMyStations", 0};
// The row of My Stations played last (the maker's list keeps "LastChannelIndex").
constexpr IntSetting kMyStationsLastIndex{kSection, "MyStationsLastIndex", 0};
constexpr IntSetting kLastCategory{kSection, "LastCategory", 0, ECache::Kept};
// A desktop notification with the new title when the playing stream's title changes.
constexpr IntSetting kShowSongNotifications{kSection, "ShowSongNotifications", 1};
// The player's volume (0-100) and mute, as they were when last changed.
constexpr IntSetting kVolume{kSection, "Volume", 50};
constexpr IntSetting kMuted{kSection, "Muted", 0};
// How many seconds make one of the sleep timer's minutes (not shown anywhere: a shorter minute lets
// the timer be tried without waiting a quarter of an hour).
constexpr IntSetting kSleepTimerSecondsPerMinute{kSection, "SleepTimerSecondsPerMinute", 60};
// How many seconds a web page stays frozen while its pane is hidden before its renderer process is
// ended (not shown anywhere; tests shorten it).
constexpr IntSetting kWebViewDiscardSeconds{kSection, "WebViewDiscardSeconds", 60};
// Where the sound goes: a device name of mpv's audio-device-list ("pulse/<sink>"); "auto" is the
// system's default. Kept while the device is away, so that it is used again when it comes back.
constexpr StringSetting kAudioDevice{kSection, "AudioDevice", "auto"};
// The rewind buffer of the playing channel on disk, in MiB (0: none; a live stream then cannot pause
// or go back).
constexpr IntSetting kListenBackMiB{kSection, "ListenBackMiB", 256};
// First-showing flags, named after the view classes.
constexpr IntSetting kSorvanaViewSized{kSection, "CSorvanaView", 0};
constexpr IntSetting kRadioSettingsViewSized{kSection, "CRadioSettingsView", 0};
constexpr IntSetting kPromoViewSized{kSection, "CPromoView", 0};
constexpr IntSetting kHardwareStoreViewSized{kSection, "CHardwareStoreView", 0};
// A hot key's two values are named after its action ("Play Next Key", "Play Next Mod"); 0 is none.
inline NamedIntSetting HotKeyKey(const QString& strAction)
{
    return {kSection, strAction + QLatin1String(" Key"), 0};
}
inline NamedIntSetting HotKeyModifiers(const QString& strAction)
{
    return {kSection, strAction + QLatin1String(" Mod"), 0};
}
// In the Workspace section (framework state).
constexpr IntSetting kApplicationLook{kWorkspaceSection, "ApplicationLook", 216};
// The main window's last normal rectangle; a width of 0 means none stored.
constexpr IntSetting kPlacementLeft{kWorkspaceSection, "MainWindowLeft", 0};
constexpr IntSetting kPlacementTop{kWorkspaceSection, "MainWindowTop", 0};
constexpr IntSetting kPlacementWidth{kWorkspaceSection, "MainWindowWidth", 0};
constexpr IntSetting kPlacementHeight{kWorkspaceSection, "MainWindowHeight", 0};
// In the Servers section: a scheme and host (and port) that replaces a built-in server; tests and the
// demo point the program at local servers with them. Read only, never written by the program.
constexpr StringSetting kChannelListServer{kServersSection, "ChannelListServer", ""};
constexpr StringSetting kBannerServer{kServersSection, "BannerServer", ""};
constexpr StringSetting kPromotionSite{kServersSection, "PromotionSite", ""};
constexpr StringSetting kDownloadSite{kServersSection, "DownloadSite", ""};
constexpr StringSetting kStationDirectory{kServersSection, "StationDirectory", ""};
constexpr StringSetting kTvChannelLists{kServersSection, "TvChannelLists",
                                        "https://iptv-org.github.io/iptv/languages/"};
// The values the settings store keeps once read: the display choices (read for every channel line)
// and the category. A fixed order, so that a fuzz corpus keeps its meaning.
inline constexpr const IntSetting* kKeptSettings[] = {
    &kDisplayRadioChannels,   &kDisplayTVChannels,      &kLastCategory,
    &kDisplayChineseChannels, &kDisplayEnglishChannels, &kDisplayIndianChannels,
    &kDisplayFrenchChannels,  &kDisplayGermanChannels,  &kDisplayBulgarianChannels,
    &kDisplayRomanianChannels,
};
} // namespace settings
