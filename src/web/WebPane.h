#pragma once
// A pane that shows one web page. Each web view costs a renderer process, so the view and its page
// are made only when the first page is to be shown; until then the pane is an empty widget.
#include <QUrl>
#include <QWidget>

class QWebEngineView;
class CWebPage;

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

    // Null until the first Navigate2.
    QWebEngineView* GetWebView() const { return m_pWebView; }
    CWebPage* GetPage() const { return m_pPage; }

private:
    void CreateWebView();

    QWebEngineView* m_pWebView = nullptr;
    CWebPage* m_pPage = nullptr;
};
