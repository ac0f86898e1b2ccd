// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The seam between the program's windows and the web engine. The web engine is the heaviest library
// the program uses (QtWebEngineCore alone maps some 150 MB and brings Qt Quick and OpenGL with it),
// while most of the program's life is spent hidden in the tray playing radio. So it lives in a module
// of its own, loaded the first time a page is to be shown (web/WebModule.h); the rest of the program
// knows a web view only through these two interfaces and never includes a QtWebEngine header.
#include <QList>
#include <QtPlugin>

#include <functional>

class QObject;
class QString;
class QUrl;
class QWidget;

// One web view and its page. The object is the view widget itself: it belongs to its parent widget.
class IWebSurface
{
public:
    // What a page may do while it is not on screen (QWebEnginePage::LifecycleState).
    enum class ELifecycle
    {
        Active,
        Frozen,    // the renderer runs no timers or scripts
        Discarded, // the renderer is gone; the page reloads at the same address once active again
    };

    // How a load of the page's top frame ended: the page arrived, or it could not be loaded (the
    // server cannot be reached, or answered with an error). The engine shows no error page of its
    // own: a failed load leaves the view blank until its owner shows something else.
    enum class ELoadResult
    {
        Loaded,
        Failed,
    };
    using LoadObserver = std::function<void(ELoadResult eResult, const QUrl& url)>;

    virtual ~IWebSurface() = default;

    virtual QWidget* Widget() = 0;
    // The page (a QWebEnginePage), for its signals: callers outside the module cannot call into it.
    virtual QObject* Page() = 0;
    // Starts loading url; with bAfresh, past any cached copy.
    virtual void Load(const QUrl& url, bool bAfresh) = 0;
    // Shows the program's own page, html that needs no network, as if it had come from baseUrl (its
    // address from then on; may be empty). The navigation rules let it in, and in again when the page
    // comes back after it was discarded.
    virtual void ShowOwnPage(const QString& strHtml, const QUrl& baseUrl) = 0;
    // observer hears how each load ends, on a later turn of the event loop, so it may start another
    // load at once. Not told: a load that another one replaced, and the program's own page.
    virtual void SetLoadObserver(LoadObserver observer) = 0;
    // The address shown, and the address of the load on its way (empty when none is).
    virtual QUrl Url() const = 0;
    virtual QUrl RequestedUrl() const = 0;
    // The addresses of the page's history, back and forward, oldest first.
    virtual QList<QUrl> History() const = 0;
    // Only a page that is not on screen can be frozen or discarded; the call is ignored otherwise.
    virtual void SetLifecycle(ELifecycle eState) = 0;
    virtual ELifecycle Lifecycle() const = 0;
    // The renderer process's id, 0 while the page has none.
    virtual qint64 RendererPid() const = 0;
};

// The module's entry point (its plugin instance).
class IWebModule
{
public:
    virtual ~IWebModule() = default;
    // A new web view with an empty page, a child of parent.
    virtual IWebSurface* CreateSurface(QWidget* parent) = 0;
    // Whether a navigation to url may go ahead (see CWebPage::IsNavigationAllowed).
    virtual bool IsNavigationAllowed(const QUrl& url, bool bMainFrame) const = 0;
};

#define VEDRIX_WEB_MODULE_IID "io.github.vedrix.IWebModule/2"
Q_DECLARE_INTERFACE(IWebModule, VEDRIX_WEB_MODULE_IID)
