// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the two web pages share: the web pane over the whole page and the steps of the first update.
#include "base/SettingNames.h"

class CSettingsStore;
class QWidget;
class CWebPane;

namespace webview
{
// Puts a web pane over the whole of pPage and returns it. The pane has no web view yet.
CWebPane* AddWebPane(QWidget* pPage, CSettingsStore& settings);
// The initial update of a web page: the first-showing sizing with flag. The page then queues its
// own navigation (so the page loads after the page is up) and clears the player's status text.
void InitialUpdate(QWidget* pPage, CSettingsStore& settings, const settings::IntSetting& flag);
} // namespace webview
