// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A pane that shows one web page. Each web view costs a renderer process, so the view and its page
// are made only when the first page is to be shown; until then the pane is an empty widget, and the
// web engine is not even loaded (web/WebModule.h).
//
// While the pane is hidden its page is frozen, so that the renderer does nothing; hidden longer (the
// window in the tray for a minute, "WebViewDiscardSeconds") the page is discarded: its renderer
// process ends, and the page comes back at the same address when the pane is shown again.
//
// The web engine's error pages never show: where a page cannot be loaded, or there is no address to
// load, the pane shows the program's own page (web/BuiltInPage.h).
#include "web/WebSurface.h"

#include <QTimer>
#include <QUrl>
#include <QWidget>

class CSettingsStore;

class CWebPane : public QWidget
{
    Q_OBJECT
public:
    explicit CWebPane(CSettingsStore& settings, QWidget* parent = nullptr);
    ~CWebPane() override;

    // Starts loading url and returns at once. An empty url (no site set up) shows the program's own
    // page at once, without any network.
    void Navigate2(const QUrl& url);
    // Loads the page again from the server: the page on its way if a load has started, else the page
    // shown, else the site that the program's own page stands in for. Does nothing before the first
    // Navigate2, nor on the own page of a pane without a site.
    void Refresh();
    // Whether the program's own page is what the pane shows, until another page is asked for.
    bool IsShowingBuiltInPage() const { return m_bBuiltInPage; }

    // Null until the first Navigate2 (and when the web module cannot be loaded).
    IWebSurface* GetSurface() const { return m_pSurface; }
    QWidget* GetWebView() const { return m_pSurface ? m_pSurface->Widget() : nullptr; }
    // The page object, for its signals.
    QObject* GetPage() const { return m_pSurface ? m_pSurface->Page() : nullptr; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    // A page arrived.
    virtual void OnPageLoaded(const QUrl& url);
    // A page could not be loaded: the program's own page takes its place, with a link to url.
    virtual void OnPageFailed(const QUrl& url);

private:
    bool CreateWebView();
    void Discard();
    void ShowBuiltInPage(const QUrl& siteUrl);

    CSettingsStore& m_settings;
    IWebSurface* m_pSurface = nullptr;
    QTimer m_discardTimer;
    bool m_bBuiltInPage = false;
    // The address that the own page stands in for (empty when no site is set up).
    QUrl m_builtInFor;
};
