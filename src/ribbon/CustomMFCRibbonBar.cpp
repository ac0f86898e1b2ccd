#include "ribbon/CustomMFCRibbonBar.h"
#include "app/Commands.h"

#include "platform/Messages.h"

bool CCustomMFCRibbonBar::SetActiveCategory(CRibbonCategory* pCategory, bool bForceRecalc)
{
    // Posted, not sent: the frame switches views after the ribbon shows the new category.
    const int index = GetCategoryIndex(pCategory);
    if (index >= 0)
        PostMessage(window(), WM_OPEN_CATEGORY, WPARAM(index), LPARAM(index));
    return CRibbonBar::SetActiveCategory(pCategory, bForceRecalc);
}
