#pragma once
// The main frame's ribbon. Every activation of a category, also of the one already active and the one
// chosen at start-up, tells the main window the category's index (WM_USER+3); the main window then
// opens that category's view.
#include "ribbon/RibbonBar.h"

class CCustomMFCRibbonBar : public CRibbonBar
{
    Q_OBJECT
public:
    using CRibbonBar::CRibbonBar;

    bool SetActiveCategory(CRibbonCategory* pCategory, bool bForceRecalc = false) override;
};
