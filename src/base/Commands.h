// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every command of the program, in one table: the ids of the actions that the ribbon, the tray menu,
// the hot keys, the keys of the channel list and the desktop's media controls trigger. Code names
// these constants, never the numbers.

using UINT = unsigned int;

// The visual looks of the Style menu.
constexpr UINT ID_VIEW_APPLOOK_WIN_2000 = 210;
constexpr UINT ID_VIEW_APPLOOK_OFF_XP = 211;
constexpr UINT ID_VIEW_APPLOOK_WIN_XP = 212;
constexpr UINT ID_VIEW_APPLOOK_OFF_2003 = 213;
constexpr UINT ID_VIEW_APPLOOK_VS_2005 = 214;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLUE = 215;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLACK = 216;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_SILVER = 217;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_AQUA = 218;

// The ribbon's commands.
constexpr UINT ID_REFRESH_CHANNELS = 310; // handled by the main frame
constexpr UINT ID_OPEN_PROMOTION_SITE = 311;
constexpr UINT ID_REFRESH_PROMOTION = 312;
constexpr UINT ID_OPEN_DOWNLOAD_SITE = 315;
constexpr UINT ID_REFRESH_STORE = 316;
constexpr UINT ID_STOP = 317;
constexpr UINT ID_PLAY = 319;
constexpr UINT ID_PLAY_NEXT = 320;
constexpr UINT ID_PLAY_PREVIOUS = 321;
constexpr UINT ID_AUTO_STARTUP = 322;
constexpr UINT ID_AUTO_PLAY = 323;
constexpr UINT ID_HIDE_TO_TRAY = 324;
constexpr UINT ID_DISPLAY_RADIO_CHANNELS = 325;
constexpr UINT ID_DISPLAY_TV_CHANNELS = 326;
constexpr UINT ID_DISPLAY_ENGLISH_CHANNELS = 327;
constexpr UINT ID_DISPLAY_GERMAN_CHANNELS = 328;
constexpr UINT ID_DISPLAY_FRENCH_CHANNELS = 329;
constexpr UINT ID_DISPLAY_CHINESE_CHANNELS = 330;
constexpr UINT ID_DISPLAY_INDIAN_CHANNELS = 331;
constexpr UINT ID_DISPLAY_BULGARIAN_CHANNELS = 332;
constexpr UINT ID_DISPLAY_ROMANIAN_CHANNELS = 333;
constexpr UINT ID_SHOW_SONG_NOTIFICATIONS = 334;
// The sleep timer's choices, in the tray's submenu and the ribbon's drop-down alike (the main frame
// handles them).
constexpr UINT ID_SLEEP_TIMER_15 = 350;
constexpr UINT ID_SLEEP_TIMER_30 = 351;
constexpr UINT ID_SLEEP_TIMER_60 = 352;
constexpr UINT ID_SLEEP_TIMER_90 = 353;
constexpr UINT ID_SLEEP_TIMER_END_OF_SONG = 354;
constexpr UINT ID_SLEEP_TIMER_CANCEL = 355;
// My Stations: the list that the player view shows, and its management.
constexpr UINT ID_MY_STATIONS = 340; // two-state: show My Stations instead of the maker's list
constexpr UINT ID_ADD_TO_MY_STATIONS = 341;
constexpr UINT ID_ADD_STATION_BY_ADDRESS = 342;
constexpr UINT ID_RENAME_STATION = 343;
constexpr UINT ID_REMOVE_STATION = 344;
constexpr UINT ID_MOVE_STATION_UP = 345;
constexpr UINT ID_MOVE_STATION_DOWN = 346;
constexpr UINT ID_IMPORT_PLAYLIST = 347;
constexpr UINT ID_EXPORT_PLAYLIST = 348;
constexpr UINT ID_STATION_DIRECTORY = 349;
constexpr UINT ID_FIND_IN_LIST = 356; // Ctrl+F: the filter box over the list
// Two-state: the playing radio stream is recorded (the ribbon's player category and the tray menu).
constexpr UINT ID_RECORD = 357;
// The Settings category's drop-down of sound output devices.
constexpr UINT ID_OUTPUT_DEVICE = 358;
// Listening back, on a stream that plays from the rewind buffer: Pause (Play resumes), back to the
// live edge, the start of the previous or next title in the buffer, and the song heard (or chosen in
// the song history) saved from the buffer.
constexpr UINT ID_PAUSE = 360;
constexpr UINT ID_GO_LIVE = 361;
constexpr UINT ID_PREVIOUS_SONG = 362;
constexpr UINT ID_NEXT_SONG = 363;
constexpr UINT ID_SAVE_SONG = 364;

// The tray menu's own commands (its Play, Stop, Next and Previous are the ribbon's).
constexpr UINT ID_TRAY_SHOW = 32773;
constexpr UINT ID_TRAY_EXIT = 32774;
constexpr UINT ID_TRAY_CUSTOMIZE = 32787;
// The tray's "My Stations" submenu: entry i plays station i of My Stations.
constexpr UINT ID_TRAY_MY_STATION_FIRST = 32800;
constexpr UINT ID_TRAY_MY_STATION_LAST = 32999;

// The application's own commands.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_APP_ABOUT = 57664;

// The first status pane's command id.
constexpr UINT ID_STATUSBAR_PANE1 = 120;

// The system-wide hot keys: their ids as registered, and the command each one triggers.
constexpr int ID_HOTKEY_PLAY = 1;
constexpr int ID_HOTKEY_PLAY_NEXT = 2;
constexpr int ID_HOTKEY_PLAY_PREVIOUS = 3;
constexpr int ID_HOTKEY_STOP = 4;
