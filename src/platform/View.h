#pragma once
// A view: the window of one document inside a child frame. Handles WM_COMMAND through its command
// map (then its document's) and every other message in DefWindowProc.
#include "platform/CmdTarget.h"
#include "platform/Document.h"

#include <QSize>
#include <QWidget>

class CChildFrame;
class CMDIFrameWnd;

class CView : public QWidget, public CCmdTarget, public CMessageTarget
{
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }
    CChildFrame* GetParentFrame() const;
    // The main window that holds the view (null while the view is not inside one).
    CMDIFrameWnd* GetMainFrame() const;

    // Called once, after the view, its document and its child frame exist and the frame is shown.
    virtual void OnInitialUpdate() {}
    // The size of a form view's form; the child frame is fitted to it. Empty for other views.
    virtual QSize GetFormSize() const { return {}; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;

    // Shows the parent child frame maximised.
    void ShowParentFrameMaximized();
    // Sizes the main window to fit this view's child frame (fitted to the form, for a form view).
    void FitMainWindowToView();

protected:
    bool event(QEvent* e) override;

private:
    CDocument* m_pDocument = nullptr;
};
