// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ribbon/CustomMFCRibbonBar.h"

bool CCustomMFCRibbonBar::SetActiveCategory(CRibbonCategory* pCategory, bool bForceRecalc)
{
    const int index = GetCategoryIndex(pCategory);
    if (index >= 0)
        emit CategoryActivated(index);
    return CRibbonBar::SetActiveCategory(pCategory, bForceRecalc);
}
