#include "frame/ChildFrame.h"

#include "platform/View.h"

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
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
