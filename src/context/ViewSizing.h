// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The first-showing sizing of the pages: the first time a page is ever shown, the main window is
// sized once to fit it, and a settings value named after the page's class records that it was done.
#include "base/SettingNames.h"

#include <QSize>

class CSettingsStore;
class QWidget;

// While the flag reads 0, sizes the main window that holds pPage so that its central area is
// formSize (a form's size; an invalid size keeps the page's own) and writes 1 to the flag. A main
// window that has never been shown (a start in the tray) has not been laid out yet: the sizing waits
// for its first showing, so that a hidden first start ends with the same size as a shown one.
void SizeMainWindowOnce(QWidget* pPage, CSettingsStore& settings, QSize formSize,
                        const settings::IntSetting& flag);
