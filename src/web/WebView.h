#pragma once
// The web view of a pane. Its context menu leaves out what the program does not do with a page:
// saving it and showing its source (a new window of another scheme, which the page refuses).
#include <QWebEngineView>

class CWebView : public QWebEngineView
{
    Q_OBJECT
public:
    using QWebEngineView::QWebEngineView;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
};
