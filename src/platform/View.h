#pragma once
// A view: the window of one document inside a child frame. Handles WM_COMMAND through its command
// map (then its document's) and every other message in DefWindowProc.
#include "platform/CmdTarget.h"
#include "platform/Document.h"
#include "app/SettingNames.h"

#include <QSize>
#include <QWidget>

class CChildFrame;

class CView : public QWidget, public CCmdTarget, public CMessageTarget
{
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }
    CChildFrame* GetParentFrame() const;

    // Called once, after the view, its document and its child frame exist and the frame is shown.
    virtual void OnInitialUpdate() {}
    // The size of a form view's form; the child frame is fitted to it. Empty for other views.
    virtual QSize GetFormSize() const { return {}; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;

    // Shows the parent child frame maximised.
    void ShowParentFrameMaximized();
    // First-showing sizing: while the flag reads 0, size the main window once to fit this view's
    // child frame (fitted to the form, for a form view), then write 1 to the flag.
    void SizeMainWindowOnce(const settings::IntSetting& flag);

protected:
    bool event(QEvent* e) override;

private:
    CDocument* m_pDocument = nullptr;
};
