// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The banner pane: a web view created only when there is a page to show; navigation stays on http
// and https.
//
// The web engine is the heaviest part of the program (its browser side in this process, a renderer
// process beside it), and the banner is decoration. So its page is loaded only once the pane is on
// screen, and after the work that was already queued when it was asked for (the channel list's
// download at start-up goes first): a start hidden in the tray does not even load the web engine.
//
// Being decoration, the banner makes no room for itself where it has nothing to show: without a
// banner server the pane is hidden and the web engine is never loaded for it, and a page that cannot
// be loaded hides the pane too (the list below takes its room) until a later page arrives.
#include "web/WebPane.h"

#include <QString>

class CExplorer1 : public CWebPane
{
    Q_OBJECT
public:
    explicit CExplorer1(CSettingsStore& settings, QWidget* parent = nullptr);
    ~CExplorer1() override;

    // Loads the page into the pane and returns at once (the load starts once the pane is shown). An
    // empty address hides the pane.
    void Navigate2(const QString& strUrl);
    using CWebPane::Navigate2;
    // Whether the pane is hidden for want of a page.
    bool IsCollapsed() const { return m_bCollapsed; }

protected:
    void showEvent(QShowEvent* e) override;
    void OnPageLoaded(const QUrl& url) override;
    void OnPageFailed(const QUrl& url) override;

private:
    void QueuePendingNavigation();
    // Hides the pane for want of a page, or shows it again.
    void Collapse(bool bCollapse);

    QString m_strPendingUrl;
    bool m_bQueued = false;
    bool m_bCollapsed = false;
};
