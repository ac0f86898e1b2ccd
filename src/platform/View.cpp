#include "platform/View.h"

#include "platform/ChildFrame.h"
#include "platform/MDIFrameWnd.h"

CView::CView(QWidget* parent) : QWidget(parent) {}

CView::~CView() = default;

CChildFrame* CView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return OnCmdMsg(LOWORD(wParam), nullptr) ? 1 : 0;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CView::DefWindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

bool CView::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, pCmdUI);
}

void CView::ShowParentFrameMaximized()
{
    if (CChildFrame* frame = GetParentFrame())
        frame->showMaximized();
}

CMDIFrameWnd* CView::GetMainFrame() const
{
    return qobject_cast<CMDIFrameWnd*>(window());
}

void CView::FitMainWindowToView()
{
    CMDIFrameWnd* main = GetMainFrame();
    CChildFrame* frame = GetParentFrame();
    if (!main || !frame)
        return;
    // A form view's child frame is its form plus the frame's own title bar and borders.
    const QSize form = GetFormSize();
    main->FitToChildSize(form.isValid() ? form + (frame->size() - size()) : frame->size());
}

bool CView::event(QEvent* e)
{
    if (DispatchMessageEvent(e, this))
        return true;
    return QWidget::event(e);
}
