#pragma once
// The page behind every web surface of the program (the banner, the promotion and the store views).
// The pages come from the maker's servers, but what they link to is not ours: navigation stays on
// http and https, so a link or a redirect cannot open local files or hand a URL to another program
// through a custom scheme. A link that asks for a new window opens in the same view; a file that a
// page offers for download is handed to the user's browser, but only right after the user clicked
// or pressed a key in the page, and once for each such gesture: the banner comes over plain http,
// and neither it nor whoever sits on its path may open the browser again and again by script.
#include <QElapsedTimer>
#include <QWebEnginePage>

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

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // The pages' console output is theirs to debug, not the user's: it is dropped.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override
    {
    }

private:
    void OnNewWindowRequested(QWebEngineNewWindowRequest& request);

    QElapsedTimer m_lastGesture; // invalid while no gesture is waiting for its download
};
