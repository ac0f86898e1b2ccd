#pragma once
// The banner pane: a web view created only when there is a page to show; navigation stays on http
// and https.
//
// The web engine is the heaviest part of the program (its browser side in this process, a renderer
// process beside it), and the banner is decoration. So its page is loaded only once the pane is on
// screen, and after the work that was already queued when it was asked for (the channel list's
// download at start-up goes first): a start hidden in the tray does not even load the web engine.
#include "web/WebPane.h"

#include <QString>

class CExplorer1 : public CWebPane
{
    Q_OBJECT
public:
    explicit CExplorer1(QWidget* parent = nullptr);
    ~CExplorer1() override;

    // Loads the page into the pane and returns at once (the load starts once the pane is shown);
    // a page that cannot be loaded shows the browser's own error page.
    void Navigate2(const QString& strUrl);
    using CWebPane::Navigate2;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void QueuePendingNavigation();

    QString m_strPendingUrl;
    bool m_bQueued = false;
};
