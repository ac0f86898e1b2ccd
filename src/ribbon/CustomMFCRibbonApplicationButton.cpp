#include "ribbon/CustomMFCRibbonApplicationButton.h"

#include "platform/MDIFrameWnd.h"
#include "platform/WinApp.h"

#include <QMouseEvent>

CCustomMFCRibbonApplicationButton::CCustomMFCRibbonApplicationButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void CCustomMFCRibbonApplicationButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        PostMessage(AfxGetMainWnd(), WM_NEXT_LOOK, 0, 0);
    e->accept();
}

void CCustomMFCRibbonApplicationButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        PostMessage(AfxGetMainWnd(), WM_NEXT_LOOK, 0, 0);
    e->accept();
}

void CCustomMFCRibbonApplicationButton::mouseReleaseEvent(QMouseEvent* e)
{
    // The button's own click handling never runs.
    e->accept();
}
