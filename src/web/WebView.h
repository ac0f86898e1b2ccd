#pragma once
// The web view of a pane. Its context menu leaves out what the program does not do with a page:
// saving it and showing its source (a new window of another scheme, which the page refuses). It tells
// its page when the user clicks or presses a key in it, which a script cannot fake.
#include <QWebEngineView>

class CWebView : public QWebEngineView
{
    Q_OBJECT
public:
    using QWebEngineView::QWebEngineView;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    // The page is drawn, and takes its input, in a child widget that the engine makes (and may make
    // anew): each one is watched as it arrives.
    void childEvent(QChildEvent* e) override;
    bool eventFilter(QObject* pWatched, QEvent* e) override;
};
