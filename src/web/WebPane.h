#pragma once
// A pane that shows one web page. Each web view costs a renderer process, so the view and its page
// are made only when the first page is to be shown; until then the pane is an empty widget, and the
// web engine is not even loaded (web/WebModule.h).
//
// While the pane is hidden its page is frozen, so that the renderer does nothing; hidden longer (the
// window in the tray for a minute, "WebViewDiscardSeconds") the page is discarded: its renderer
// process ends, and the page comes back at the same address when the pane is shown again.
#include "web/WebSurface.h"

#include <QTimer>
#include <QUrl>
#include <QWidget>

class CWebPane : public QWidget
{
    Q_OBJECT
public:
    explicit CWebPane(QWidget* parent = nullptr);
    ~CWebPane() override;

    // Starts loading url and returns at once. Nothing is reported back: a page that cannot be
    // loaded shows the web engine's own error page.
    void Navigate2(const QUrl& url);
    // Loads the page again from the server: the page on its way if a load has started, else the page
    // shown. Does nothing before the first Navigate2.
    void Refresh();

    // Null until the first Navigate2 (and when the web module cannot be loaded).
    IWebSurface* GetSurface() const { return m_pSurface; }
    QWidget* GetWebView() const { return m_pSurface ? m_pSurface->Widget() : nullptr; }
    // The page object, for its signals.
    QObject* GetPage() const { return m_pSurface ? m_pSurface->Page() : nullptr; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    bool CreateWebView();
    void Discard();

    IWebSurface* m_pSurface = nullptr;
    QTimer m_discardTimer;
};
