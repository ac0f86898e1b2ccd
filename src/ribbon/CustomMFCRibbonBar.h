// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main frame's ribbon. Every activation of a category, also of the one already active and the one
// chosen at start-up, reports the category's index (CategoryActivated); the main window then opens
// that category's page.
#include "ribbon/RibbonBar.h"

class CCustomMFCRibbonBar : public CRibbonBar
{
    Q_OBJECT
public:
    using CRibbonBar::CRibbonBar;

    bool SetActiveCategory(CRibbonCategory* pCategory, bool bForceRecalc = false) override;

signals:
    // Emitted before the ribbon shows the category; receivers switch pages on a later turn of the
    // event loop, after the ribbon shows it.
    void CategoryActivated(int nIndex);
};
