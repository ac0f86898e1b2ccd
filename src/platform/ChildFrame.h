#pragma once
// The frame of every view inside the main window: no system menu and no minimise button.
#include "platform/CmdTarget.h"

#include <QMdiSubWindow>

class CView;

class CChildFrame : public QMdiSubWindow, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    CView* GetActiveView() const;
    // The active view, then its document, then the frame's own handlers (it has none).
    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
};
