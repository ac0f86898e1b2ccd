// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The visual looks 210 to 218: a widget style, a palette and the ribbon's and status bar's style sheet.
#include "base/Commands.h"

#include <QString>

class QWidget;

namespace looks
{
constexpr UINT kFirstLook = ID_VIEW_APPLOOK_WIN_2000;
constexpr UINT kLastLook = ID_VIEW_APPLOOK_OFF_2007_AQUA;

// The classic menu label of a look ("Windows &2000", ..., "&Aqua Style"); empty for other ids.
QString MenuLabel(UINT nLook);
// The label in the ribbon's Style drop-down: "Office 2007 (&Blue Style)" etc. for 215 to 218.
QString StyleMenuLabel(UINT nLook);
// The look after nLook: the next id, and after 218 the first Office 2007 look, 215.
UINT NextLook(UINT nLook);

// Applies the look to the application (style, palette) and to the given ribbon and status bar. An id
// outside 210 to 218 keeps the Office 2007 colours that were last applied.
void Apply(UINT nLook, QWidget* pRibbon, QWidget* pStatusBar);
} // namespace looks
