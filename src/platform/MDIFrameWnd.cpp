#include "platform/MDIFrameWnd.h"

#include "platform/ChildFrame.h"
#include "platform/DocTemplate.h"
#include "platform/View.h"
#include "platform/WinApp.h"

#include <QMdiArea>

CMDIFrameWnd::CMDIFrameWnd(CWinApp* pApp, QWidget* parent)
    : QMainWindow(parent), m_pApp(pApp), m_pMDIArea(new QMdiArea(this))
{
    m_pMDIArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMDIArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMDIArea);
}

CMDIFrameWnd::~CMDIFrameWnd() = default;

CChildFrame* CMDIFrameWnd::MDIGetActive() const
{
    if (auto* child = qobject_cast<CChildFrame*>(m_pMDIArea->activeSubWindow()))
        return child;
    // While the main window is hidden the MDI area reports no active child; the last one opened
    // is the current one then.
    const auto list = m_pMDIArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    return list.isEmpty() ? nullptr : qobject_cast<CChildFrame*>(list.last());
}

CView* CMDIFrameWnd::GetActiveView() const
{
    CChildFrame* child = MDIGetActive();
    return child ? child->GetActiveView() : nullptr;
}

void CMDIFrameWnd::SetStatusText(const QString& strText)
{
    m_strStatusText = strText;
}

void CMDIFrameWnd::CloseAllDocuments()
{
    // Deleted at once, not on a later turn of the event loop: the old view must be gone (and its
    // hot keys released) before the next view registers its own.
    const auto list = m_pMDIArea->subWindowList();
    for (QMdiSubWindow* w : list)
    {
        m_pMDIArea->removeSubWindow(w);
        delete w;
    }
}

CDocument* CMDIFrameWnd::OpenDocument(CDocTemplate* pTemplate)
{
    return pTemplate ? pTemplate->OpenDocumentFile(this) : nullptr;
}

void CMDIFrameWnd::FitToChildSize(const QSize& childSize)
{
    const QSize area = m_pMDIArea->size();
    resize(width() + childSize.width() - area.width(), height() + childSize.height() - area.height());
}

bool CMDIFrameWnd::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    if (CChildFrame* child = MDIGetActive())
        if (child->OnCmdMsg(nID, pCmdUI))
            return true;
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    return m_pApp && m_pApp->OnCmdMsg(nID, pCmdUI);
}

LRESULT CMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND)
        return OnCmdMsg(LOWORD(wParam), nullptr) ? 1 : 0;
    return 0;
}

bool CMDIFrameWnd::event(QEvent* e)
{
    if (DispatchMessageEvent(e, this))
        return true;
    return QMainWindow::event(e);
}
