// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's string table: texts keyed by the resource and command ids they belong to. A command's
// entry holds its description and its tooltip, separated by a line feed.
#include "base/Commands.h"

#include <QString>

namespace strings
{
constexpr UINT IDS_OLE_INIT_FAILED = 100;
constexpr UINT IDS_TRAY_MENU_NAME = 101;
constexpr UINT IDR_SORVANA_TYPE = 130;
constexpr UINT IDR_PROMO_TYPE = 131;
constexpr UINT IDR_HARDWARE_TYPE = 133;
constexpr UINT IDS_APP_BUTTON_TIP = 260;
constexpr UINT IDS_STYLE_LABEL = 286;
constexpr UINT IDS_STYLE_TIP = 287;
constexpr UINT IDS_STYLE_DESCRIPTION = 288;
constexpr UINT IDS_APP_TITLE = 57344;
} // namespace strings

// The entry with this id, or an empty string.
QString LoadString(UINT nID);
// The application title, "Vedrix by Palomer".
QString AppTitle();
// A command's entry split at its line feed: the description before it, the tooltip after it. An entry
// without a line feed is a description only.
QString CommandDescription(UINT nID);
QString CommandTooltip(UINT nID);
