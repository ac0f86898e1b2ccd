#include "web/WebViewSetup.h"

#include "frame/ViewSizing.h"
#include "platform/WaitCursor.h"
#include "web/WebPane.h"

#include <QVBoxLayout>

namespace webview
{
CWebPane* AddWebPane(QWidget* pPage)
{
    auto* layout = new QVBoxLayout(pPage);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pane = new CWebPane(pPage);
    layout->addWidget(pane);
    return pane;
}

void InitialUpdate(QWidget* pPage, const settings::IntSetting& flag)
{
    CWaitCursor wait;
    // A web page has no form size: the main window is fitted to the page as it is.
    SizeMainWindowOnce(pPage, QSize(), flag);
}
} // namespace webview
