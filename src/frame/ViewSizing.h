#pragma once
// The first-showing sizing of the views: the first time a view is ever shown, the main window is
// sized once to fit it, and a settings value named after the view's class records that it was done.
#include "app/SettingNames.h"

class CSettingsStore;
class CView;

// While the flag reads 0, sizes the main window to fit pView and writes 1 to the flag. A main window
// that has never been shown (a start in the tray) has not been laid out yet: the sizing waits for its
// first showing, so that a hidden first start ends with the same size as a shown one.
void SizeMainWindowOnce(CView* pView, CSettingsStore& settings, const settings::IntSetting& flag);
