#include "platform/ChildFrame.h"

#include "platform/View.h"

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    // Shown maximised, one view at a time: the view fills the frame's client area without a title bar
    // of its own (and so without system menu and minimise button).
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    setSystemMenu(nullptr);
}

CView* CChildFrame::GetActiveView() const
{
    return qobject_cast<CView*>(widget());
}

bool CChildFrame::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    if (CView* view = GetActiveView())
        if (view->OnCmdMsg(nID, pCmdUI))
            return true;
    return CCmdTarget::OnCmdMsg(nID, pCmdUI);
}
