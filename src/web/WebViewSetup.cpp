#include "web/WebViewSetup.h"
#include "app/Commands.h"

#include "frame/ViewSizing.h"
#include "platform/MDIFrameWnd.h"
#include "platform/View.h"
#include "platform/WaitCursor.h"
#include "web/WebPane.h"

#include <QVBoxLayout>

namespace webview
{
CWebPane* AddWebPane(CView* pView, CSettingsStore& settings)
{
    auto* layout = new QVBoxLayout(pView);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pane = new CWebPane(settings, pView);
    layout->addWidget(pane);
    return pane;
}

void InitialUpdate(CView* pView, CSettingsStore& settings, const settings::IntSetting& flag,
                   UINT nNavigateMessage)
{
    CWaitCursor wait;
    pView->ShowParentFrameMaximized();
    // A web view has no form size: the main window is fitted to the child frame as it is.
    SizeMainWindowOnce(pView, settings, flag);
    PostMessage(pView, nNavigateMessage);
    CMDIFrameWnd* pMain = pView->GetMainFrame();
    PostMessage(pMain, WM_RENEW_STATUS_PANES);
    if (pMain)
        pMain->SetStatusText(QString());
}
} // namespace webview
