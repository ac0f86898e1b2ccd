#pragma once
// What the two web views share: the web pane over the whole view and the steps of the first update.
#include "app/SettingNames.h"
#include "platform/Messages.h"

class CSettingsStore;
class CView;
class CWebPane;

namespace webview
{
// Puts a web pane over the whole of view and returns it. The pane has no web view yet.
CWebPane* AddWebPane(CView* pView, CSettingsStore& settings);
// The initial update of a web view: shown maximised, the first-showing sizing with flag, the view's
// own navigation message posted to itself (so the page loads after the view is up), the status
// panes renewed and the player's status text cleared.
void InitialUpdate(CView* pView, CSettingsStore& settings, const settings::IntSetting& flag,
                   UINT nNavigateMessage);
} // namespace webview
