#pragma once
// The application side of the document framework: the document templates, the main window and the
// last stop of the command routing. CSorvanaApp derives from QApplication and from this; tests create
// one on the stack. Frames are given the application they belong to; nothing looks it up globally.
#include "platform/CmdTarget.h"

#include <memory>
#include <vector>

class CDocTemplate;
class CMDIFrameWnd;

class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Takes ownership; templates keep their order of addition.
    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }

    CMDIFrameWnd* m_pMainWnd = nullptr;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};
