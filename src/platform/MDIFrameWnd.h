#pragma once
// The multiple-document main window: a QMdiArea of child frames, one per open document, and the
// command routing (active view, its document, its child frame, the frame, the application).
#include "platform/CmdTarget.h"

#include <QMainWindow>
#include <QString>

class QMdiArea;
class CChildFrame;
class CView;
class CDocTemplate;
class CDocument;
class CWinApp;

class CMDIFrameWnd : public QMainWindow, public CCmdTarget, public CMessageTarget
{
    Q_OBJECT
public:
    // pApp: the application whose templates the frame opens and where its command routing ends.
    explicit CMDIFrameWnd(CWinApp* pApp = nullptr, QWidget* parent = nullptr);
    ~CMDIFrameWnd() override;

    QMdiArea* GetMDIArea() const { return m_pMDIArea; }
    CWinApp* GetApp() const { return m_pApp; }
    CChildFrame* MDIGetActive() const;
    CView* GetActiveView() const;

    // The status text that the views set; the main frame shows it (status pane, tray tip).
    virtual void SetStatusText(const QString& strText);
    const QString& GetStatusText() const { return m_strStatusText; }

    // Closes every open document with its child frame and view.
    void CloseAllDocuments();
    CDocument* OpenDocument(CDocTemplate* pTemplate);

    // Resizes the window, without moving, raising or activating it, so that its MDI area is just
    // large enough for a child frame of the given size: the caption, the ribbon, the child and the
    // status bar fit without scroll bars.
    void FitToChildSize(const QSize& childSize);

    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool event(QEvent* e) override;

    QString m_strStatusText;

private:
    CWinApp* m_pApp;
    QMdiArea* m_pMDIArea;
};
