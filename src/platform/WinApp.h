#pragma once
// The application side of the document framework: the document templates and the main window.
// CSorvanaApp derives from QApplication and from this; tests create one on the stack.
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

CWinApp* AfxGetApp();
CMDIFrameWnd* AfxGetMainWnd();
