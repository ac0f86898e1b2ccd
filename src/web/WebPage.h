// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The page behind every web surface of the program (the banner, the promotion and the store views).
// The pages come from the maker's servers, but what they link to is not ours: navigation stays on
// http and https, so a link or a redirect cannot open local files or hand a URL to another program
// through a custom scheme. A link that asks for a new window opens in the same view; a file that a
// page offers for download is handed to the user's browser, but only right after the user clicked
// or pressed a key in the page, and once for each such gesture: the banner comes over plain http,
// and neither it nor whoever sits on its path may open the browser again and again by script.
//
// The engine's own error pages are off: where a page cannot be loaded the program shows its own page
// (web/BuiltInPage.h), which the page lets in past the rules above.
#include <QElapsedTimer>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;

class CWebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CWebPage(QObject* parent = nullptr);

    // The program's one profile: off the record, so nothing of the pages (cache, cookies, storage)
    // is written to disk. Created on first use, owned by the application object.
    static QWebEngineProfile* SharedProfile();

    // Whether a navigation to url may go ahead. The top frame may only show http and https pages;
    // frames inside a page may also be blank (about:blank, about:srcdoc), which pages build their
    // frames from.
    static bool IsNavigationAllowed(const QUrl& url, bool bMainFrame);

    // How long after the user's gesture a download it leads to may still arrive (the server may be
    // slow to answer); the browser's own user activation lasts as long.
    static constexpr int kGestureMsecs = 5000;
    // The user clicked or pressed a key in the page (the view reports it).
    void NoteUserGesture();
    // Whether a download may go to the user's browser now: true once per gesture, while it is fresh.
    bool TakeUserGesture();

    // Shows the program's own page (see IWebSurface::ShowOwnPage).
    void ShowOwnPage(const QString& strHtml, const QUrl& baseUrl);

signals:
    // A load of the top frame ended: the page arrived (bOk) or could not be loaded. A load that
    // another one replaced is not told, nor one of the program's own page.
    void LoadEnded(bool bOk, const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // The pages' console output is theirs to debug, not the user's: it is dropped.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override
    {
    }

private:
    void OnNewWindowRequested(QWebEngineNewWindowRequest& request);
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    bool IsOwnPage(const QUrl& url, NavigationType type);

    QElapsedTimer m_lastGesture; // invalid while no gesture is waiting for its download
    // The own page's navigation is on its way: let in once.
    bool m_bOwnPageComing = false;
    // The own page's address (a data: URL), which a reload or a way back through the history may
    // bring again.
    QUrl m_ownPageUrl;
    // Whether the load of the top frame under way is the own page's.
    bool m_bOwnPageLoading = false;
};
