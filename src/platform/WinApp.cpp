#include "platform/WinApp.h"

#include "platform/DocTemplate.h"

CWinApp::CWinApp() = default;

CWinApp::~CWinApp() = default;

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templates.emplace_back(pTemplate);
}
