// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The banner pane and the two web views against local HTTP servers: what loads when, the Refresh
// message, the first-showing sizing, the program's own page where a site is missing or does not
// answer, where navigation may not go, and the renderer that a hidden page gives up. The web engine
// comes from the web module as in the program: this test does not link it.
#include "TestSupport.h"
#include "base/Commands.h"

#include "context/AppContext.h"
#include "base/SettingNames.h"
#include "base/Settings.h"
#include "context/AppContext.h"
#include "app/SorvanaApp.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "hotkeys/RadioSettingsView.h"
#include "web/BuiltInPage.h"
#include "web/Explorer1.h"
#include "web/HardwareStoreView.h"
#include "web/PromoView.h"
#include "web/WebModule.h"
#include "web/WebPane.h"
#include "web/WebSurface.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrlQuery>
#include <QWebEnginePage>
#include <functional>
#include <memory>

namespace
{
// A small HTTP/1.1 server on 127.0.0.1 that answers from a handler and counts requests per path.
class CLocalHttpServer : public QTcpServer
{
public:
    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray location;
        QByteArray cacheControl = "no-store";
        QByteArray contentType = "text/html; charset=utf-8";
    };
    std::function<Response(const QUrl&)> m_handler;

    bool Start() { return listen(QHostAddress::LocalHost, 0); }
    QUrl Base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }
    QUrl Url(const QString& strPathAndQuery) const { return Base().resolved(QUrl(strPathAndQuery)); }
    int Count(const QString& strPath) const { return m_counts.value(strPath); }

protected:
    void incomingConnection(qintptr socketDescriptor) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(socketDescriptor);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { OnReadyRead(socket); });
    }

private:
    void OnReadyRead(QTcpSocket* socket)
    {
        QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
        const QUrl url = Base().resolved(QUrl(QString::fromLatin1(requestLine.value(1))));
        ++m_counts[url.path()];
        Response r =
            url.path() == QLatin1String("/favicon.ico") ? Response{404, "", "", "no-store"} : m_handler(url);
        QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n";
        head += "Content-Type: " + r.contentType + "\r\nConnection: close\r\n";
        head += "Cache-Control: " + r.cacheControl + "\r\n";
        if (!r.location.isEmpty())
            head += "Location: " + r.location + "\r\n";
        head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n";
        socket->write(head + r.body);
        socket->disconnectFromHost();
    }

    QHash<QString, int> m_counts;
};

// A page that is one solid colour band over the top and a line of text, so that a grab of the view
// tells whether the page is shown.
QByteArray ColouredPage(const char* colour, const QByteArray& extra = {})
{
    return QByteArray("<!doctype html><html><body style='margin:0'><div style='height:80px;background:") +
           colour + "'></div><p>Vedrix test page</p>" + extra + "</body></html>";
}

// A link that covers the whole page, so any click follows it.
QByteArray LinkPage(const QString& strHref, const QString& strTarget)
{
    return "<!doctype html><html><body style='margin:0'><a id='l' href=\"" +
           strHref.toHtmlEscaped().toUtf8() + "\" target='" + strTarget.toUtf8() +
           "' style='display:block;position:fixed;left:0;top:0;right:0;bottom:0;background:#2040c0'>"
           "link</a></body></html>";
}

// Colours as PixelNearTop gives them (without alpha).
const QRgb kPromoColour = 0x20a060;
const QRgb kStoreColour = 0xc03030;
const QRgb kBannerColour = 0xe0b010;
const QRgb kLandedColour = 0x6020a0;
const QRgb kLinkColour = 0x2040c0;

QRgb PixelNearTop(QWidget* w)
{
    const QImage image = w->grab().toImage();
    return image.isNull() ? 0 : image.pixel(image.width() / 2, 20) & 0xFFFFFF;
}

// The web engine's views under w (the engine's own class, known here only by name).
int WebViewsUnder(QWidget* w)
{
    int n = 0;
    for (QWidget* child : w->findChildren<QWidget*>())
        if (child->inherits("QWebEngineView"))
            ++n;
    return n;
}

bool ProcessRuns(qint64 pid)
{
    return pid > 0 && QFile::exists(QStringLiteral("/proc/%1").arg(pid));
}

QString PageTitle(CWebPane* pPane)
{
    auto* pPage = qobject_cast<QWebEnginePage*>(pPane->GetPage());
    return pPage ? pPage->title() : QString();
}

// What a script in the page gives back (null if the page has none or does not answer in time).
QVariant RunScript(CWebPane* pPane, const QString& strScript)
{
    auto* pPage = qobject_cast<QWebEnginePage*>(pPane->GetPage());
    if (!pPage)
        return {};
    // The answer may come after a timeout: it must not write into this frame then.
    auto pResult = std::make_shared<std::pair<bool, QVariant>>();
    pPage->runJavaScript(strScript, [pResult](const QVariant& v) { *pResult = {true, v}; });
    if (!QTest::qWaitFor([pResult] { return pResult->first; }, 10000))
        return {};
    return pResult->second;
}

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// A handler for a made-up scheme: if any navigation were handed to the desktop, it would land here.
class CSchemeCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> m_urls;
public slots:
    void Open(const QUrl& url) { m_urls << url; }
};

// The category pages as the application makes them.
constexpr int kSettingsPage = 1;
constexpr int kPromoPage = 2;
constexpr int kStorePage = 3;
} // namespace

class TestWebViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void bannerMakesNoWebViewBeforeNavigate2();
    void bannerHiddenWithoutAPage_data();
    void bannerHiddenWithoutAPage();
    void builtInPageStandsInForTheSite_data();
    void builtInPageStandsInForTheSite();
    void tryAgainReachesTheSiteOnceItAnswers();
    void openingViewLoadsItsPage_data();
    void openingViewLoadsItsPage();
    void firstShowingSizesMainWindowOnce_data();
    void firstShowingSizesMainWindowOnce();
    void promoRefreshLoadsPromotionPageAgain();
    void refreshOfAnotherPageIsIgnored_data();
    void refreshOfAnotherPageIsIgnored();
    void navigationPolicy_data();
    void navigationPolicy();
    void navigationStaysOnHttp_data();
    void navigationStaysOnHttp();
    void fileOfferedByPageGoesToBrowser();
    void pageScriptCannotOpenTheBrowser();
    void hiddenPageGivesUpItsRendererAndComesBack();
    void engineStartsWithTheUsersSwitches();

private:
    void PointServersHere();
    template <class TView> TView* OpenView(int nPage);
    static bool WaitForLoad(CWebPane* pPane);

    CLocalHttpServer m_promoServer;
    CLocalHttpServer m_storeServer;
    CCommandActions m_actions;
    CAppContext m_context;
    CMainFrame* m_pFrame = nullptr;
    CSchemeCatcher m_schemeCatcher;
};

void TestWebViews::initTestCase()
{
    QVERIFY(m_promoServer.Start());
    QVERIFY(m_storeServer.Start());

    // The promotion page may be cached for an hour: a Refresh must still reach the server.
    m_promoServer.m_handler = [this](const QUrl& url) -> CLocalHttpServer::Response
    {
        const QString path = url.path();
        const QUrlQuery query(url);
        if (path == QLatin1String("/"))
            return {200, ColouredPage("#20a060"), "", "max-age=3600"};
        if (path == QLatin1String("/banners/vedrix/"))
            return {200, ColouredPage("#e0b010"), "", "no-store"};
        if (path == QLatin1String("/landed"))
            return {200, ColouredPage("#6020a0"), "", "no-store"};
        if (path == QLatin1String("/link"))
            return {200,
                    LinkPage(query.queryItemValue("href", QUrl::FullyDecoded),
                             query.queryItemValue("target", QUrl::FullyDecoded)),
                    "", "no-store"};
        if (path == QLatin1String("/pushy"))
            return {200,
                    LinkPage(QStringLiteral("/program.zip"), QString()) +
                        "<script>setInterval(function () { location.href = '/program.zip'; }, 700);"
                        "</script>",
                    "", "no-store"};
        if (path == QLatin1String("/program.zip"))
            return {200, QByteArray(4096, 'P'), "", "no-store", "application/zip"};
        if (path == QLatin1String("/redirect"))
            return {302, "", query.queryItemValue("to", QUrl::FullyDecoded).toUtf8(), "no-store"};
        return {404, "not here", "", "no-store"};
    };
    m_storeServer.m_handler = [](const QUrl& url) -> CLocalHttpServer::Response
    {
        if (url.path() == QLatin1String("/"))
            return {200, ColouredPage("#c03030"), "", "no-store"};
        return {404, "not here", "", "no-store"};
    };

    QDesktopServices::setUrlHandler(QStringLiteral("vedrix-test"), &m_schemeCatcher, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_schemeCatcher, "Open");

    m_context.SetActions(&m_actions);
}

void TestWebViews::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("vedrix-test"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestWebViews::init()
{
    testsupport::ClearSettings();
    PointServersHere();
    m_pFrame = new CMainFrame(m_context);
    CSorvanaApp::AddPageFactories(m_pFrame, m_context);
    m_pFrame->resize(900, 650);
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame));
}

void TestWebViews::cleanup()
{
    delete m_pFrame;
    m_pFrame = nullptr;
}

void TestWebViews::PointServersHere()
{
    QSettings store(settings::kOrganization, settings::kApplication);
    store.beginGroup(settings::kServersSection);
    store.setValue("PromotionSite", m_promoServer.Base().toString());
    store.setValue("BannerServer", m_promoServer.Base().toString());
    store.setValue("DownloadSite", m_storeServer.Base().toString());
}

template <class TView> TView* TestWebViews::OpenView(int nPage)
{
    return m_pFrame->OpenPage(nPage) ? qobject_cast<TView*>(m_pFrame->GetActivePage()) : nullptr;
}

bool TestWebViews::WaitForLoad(CWebPane* pPane)
{
    if (!pPane->GetPage())
        return false;
    QSignalSpy finished(pPane->GetPage(), SIGNAL(loadFinished(bool)));
    return finished.wait(20000) && finished.last().value(0).toBool();
}

void TestWebViews::bannerMakesNoWebViewBeforeNavigate2()
{
    CExplorer1 banner(m_context.Settings());
    banner.resize(468, 120);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    QCoreApplication::processEvents();
    QCOMPARE(WebViewsUnder(&banner), 0);
    QCOMPARE(m_promoServer.Count("/banners/vedrix/"), 0);

    const int before = m_promoServer.Count("/banners/vedrix/");
    banner.Navigate2(m_promoServer.Url("/banners/vedrix/").toString());
    // The banner navigates on the next turn of the event loop, once it is shown.
    QTRY_COMPARE_WITH_TIMEOUT(WebViewsUnder(&banner), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_promoServer.Count("/banners/vedrix/"), before + 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(&banner), kBannerColour, 20000);
}

// The banner is decoration: where it has no page it makes no room for itself, and no web view is
// made without a banner server. A page that arrives later brings the pane back.
void TestWebViews::bannerHiddenWithoutAPage_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("no banner server") << QString();
    QTest::newRow("server does not answer")
        << QStringLiteral("http://127.0.0.1:%1/banners/vedrix/").arg(ClosedPort());
    QTest::newRow("server answers with an error") << m_promoServer.Url("/banners/none/").toString();
}

void TestWebViews::bannerHiddenWithoutAPage()
{
    QFETCH(QString, url);
    QWidget window;
    window.resize(468, 120);
    auto* banner = new CExplorer1(m_context.Settings(), &window);
    banner->resize(468, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    banner->Navigate2(url);
    if (url.isEmpty())
    {
        QVERIFY(!banner->isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(WebViewsUnder(&window), 0);
    }
    else
    {
        QTRY_VERIFY_WITH_TIMEOUT(!banner->isVisible(), 20000);
        QVERIFY(PageTitle(banner) != CBuiltInPage::Title());
    }

    banner->Navigate2(m_promoServer.Url("/banners/vedrix/").toString());
    QTRY_VERIFY_WITH_TIMEOUT(banner->isVisible(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(banner), kBannerColour, 20000);
}

// Where the site is not set up, does not answer, or answers with an error, the view shows the
// program's own page: never the engine's error page, and with a link to the site where there is one.
void TestWebViews::builtInPageStandsInForTheSite_data()
{
    QTest::addColumn<bool>("promo");
    QTest::addColumn<QString>("site"); // "none", "closed" (nothing listens), "error" (an empty 500)
    QTest::newRow("promotion view, no site") << true << "none";
    QTest::newRow("store view, no site") << false << "none";
    QTest::newRow("promotion view, site does not answer") << true << "closed";
    QTest::newRow("store view, site does not answer") << false << "closed";
    QTest::newRow("store view, site answers with an error") << false << "error";
}

void TestWebViews::builtInPageStandsInForTheSite()
{
    QFETCH(bool, promo);
    QFETCH(QString, site);
    CLocalHttpServer failing;
    failing.m_handler = [](const QUrl&) { return CLocalHttpServer::Response{500, "", "", "no-store"}; };
    QVERIFY(failing.Start());
    QUrl siteUrl;
    if (site == QLatin1String("closed"))
        siteUrl = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(ClosedPort()));
    else if (site == QLatin1String("error"))
        siteUrl = failing.Url("/");
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.beginGroup(settings::kServersSection);
        const QString key = promo ? QStringLiteral("PromotionSite") : QStringLiteral("DownloadSite");
        if (siteUrl.isEmpty())
            store.remove(key);
        else
            store.setValue(key, siteUrl.adjusted(QUrl::RemovePath).toString());
    }
    const int promoBefore = m_promoServer.Count("/");
    const int storeBefore = m_storeServer.Count("/");

    QWidget* view = promo ? static_cast<QWidget*>(OpenView<CPromoView>(kPromoPage))
                        : static_cast<QWidget*>(OpenView<CHardwareStoreView>(kStorePage));
    QVERIFY(view);
    CWebPane* pane = promo ? static_cast<CPromoView*>(view)->GetWebPane()
                           : static_cast<CHardwareStoreView*>(view)->GetWebPane();
    QTRY_VERIFY_WITH_TIMEOUT(pane->GetPage(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PageTitle(pane), CBuiltInPage::Title(), 20000);
    QVERIFY(pane->IsShowingBuiltInPage());

    const QString text = RunScript(pane, QStringLiteral("document.body.innerText")).toString();
    QVERIFY2(text.contains(QLatin1String("Vedrix plays internet radio")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("version ") + QCoreApplication::applicationVersion()),
             qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("Refresh Channels List")), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("ERR_")) && !text.contains(QLatin1String("HTTP ERROR")),
             qPrintable(text));
    const QString tryAgain =
        RunScript(pane, QStringLiteral("(document.querySelector('a.retry') || {href: ''}).href")).toString();
    if (siteUrl.isEmpty())
    {
        // Nothing to try again, and nothing was asked of any server.
        QCOMPARE(tryAgain, QString());
        QVERIFY(!text.contains(QLatin1String("cannot be reached")));
        QCOMPARE(pane->GetSurface()->Url().scheme(), QStringLiteral("data"));
    }
    else
    {
        QCOMPARE(tryAgain, siteUrl.toString());
        QVERIFY2(text.contains(QLatin1String("cannot be reached right now")), qPrintable(text));
        // The page's address stays the site's.
        QCOMPARE(pane->GetSurface()->Url(), siteUrl);
        QCOMPARE(failing.Count("/") > 0, site == QLatin1String("error"));
    }
    QCOMPARE(m_promoServer.Count("/"), promoBefore);
    QCOMPARE(m_storeServer.Count("/"), storeBefore);
}

// "Try again" on the own page, clicked once the site answers, shows the site.
void TestWebViews::tryAgainReachesTheSiteOnceItAnswers()
{
    const quint16 port = ClosedPort();
    const QUrl siteUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.setValue(QStringLiteral("Servers/PromotionSite"), siteUrl.toString());
    }
    auto* view = OpenView<CPromoView>(kPromoPage);
    QVERIFY(view);
    CWebPane* pane = view->GetWebPane();
    QTRY_VERIFY_WITH_TIMEOUT(pane->GetPage(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PageTitle(pane), CBuiltInPage::Title(), 20000);

    CLocalHttpServer late;
    late.m_handler = [](const QUrl&) {
        return CLocalHttpServer::Response{200, ColouredPage("#20a060"), "", "no-store"};
    };
    QVERIFY(late.listen(QHostAddress::LocalHost, port));
    const QVariantList centre =
        RunScript(pane,
                  QStringLiteral(
                      "(function () { var r = document.querySelector('a.retry')"
                      ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()"))
            .toList();
    QCOMPARE(centre.size(), 2);
    QTest::mouseClick(pane->GetWebView()->focusProxy(), Qt::LeftButton, {},
                      QPoint(centre[0].toInt(), centre[1].toInt()));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(view), kPromoColour, 20000);
    QCOMPARE(late.Count("/"), 1);
    QCOMPARE(pane->GetSurface()->Url(), siteUrl);
    QVERIFY(!pane->IsShowingBuiltInPage());
}

void TestWebViews::openingViewLoadsItsPage_data()
{
    QTest::addColumn<bool>("promo");
    QTest::newRow("promotion view") << true;
    QTest::newRow("store view") << false;
}

void TestWebViews::openingViewLoadsItsPage()
{
    QFETCH(bool, promo);
    CLocalHttpServer& server = promo ? m_promoServer : m_storeServer;
    CLocalHttpServer& other = promo ? m_storeServer : m_promoServer;
    const int before = server.Count("/");
    const int otherBefore = other.Count("/");
    m_pFrame->SetStatusText(QStringLiteral("Playing"));

    QWidget* view = promo ? static_cast<QWidget*>(OpenView<CPromoView>(kPromoPage))
                        : static_cast<QWidget*>(OpenView<CHardwareStoreView>(kStorePage));
    QVERIFY(view);
    CWebPane* pane = promo ? static_cast<CPromoView*>(view)->GetWebPane()
                           : static_cast<CHardwareStoreView*>(view)->GetWebPane();

    // The initial update has run: the status text is cleared, and nothing loads before the page's
    // own queued navigation runs. The page fills the main window's middle.
    QCOMPARE(m_pFrame->GetStatusText(), QString());
    QCOMPARE(WebViewsUnder(view), 0);
    QCOMPARE(view->size(), m_pFrame->centralWidget()->size());

    QTRY_VERIFY_WITH_TIMEOUT(server.Count("/") > before, 20000);
    QVERIFY(pane->GetWebView());
    QCOMPARE(pane->GetWebView()->geometry(), view->rect());
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(view), promo ? kPromoColour : kStoreColour, 20000);
    QCOMPARE(pane->GetSurface()->Url(), server.Url("/"));
    QCOMPARE(other.Count("/"), otherBefore);
}

void TestWebViews::firstShowingSizesMainWindowOnce_data()
{
    QTest::addColumn<bool>("promo");
    QTest::newRow("promotion view") << true;
    QTest::newRow("store view") << false;
}

void TestWebViews::firstShowingSizesMainWindowOnce()
{
    QFETCH(bool, promo);
    const settings::IntSetting& own = promo ? settings::kPromoViewSized : settings::kHardwareStoreViewSized;
    const settings::IntSetting& other = promo ? settings::kHardwareStoreViewSized : settings::kPromoViewSized;
    auto open = [&]() -> QWidget*
    {
        return promo ? static_cast<QWidget*>(OpenView<CPromoView>(kPromoPage))
                     : static_cast<QWidget*>(OpenView<CHardwareStoreView>(kStorePage));
    };
    QCOMPARE(ReadSettingInt(own.name, -1), -1);

    QVERIFY(open());
    QCOMPARE(ReadSettingInt(own.name, -1), 1);
    QCOMPARE(ReadSettingInt(other.name, -1), -1);
    QCOMPARE(m_pFrame->centralWidget()->size(), m_pFrame->GetActivePage()->size());

    // The user sizes the window; the next opening leaves that size alone.
    m_pFrame->resize(760, 540);
    QTRY_COMPARE(m_pFrame->size(), QSize(760, 540));
    QVERIFY(open());
    QCoreApplication::processEvents();
    QCOMPARE(m_pFrame->size(), QSize(760, 540));
    QCOMPARE(ReadSettingInt(own.name, -1), 1);
}

void TestWebViews::promoRefreshLoadsPromotionPageAgain()
{
    auto* view = OpenView<CPromoView>(kPromoPage);
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(view->GetWebPane()->GetPage(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(view), kPromoColour, 20000);

    // The user has gone elsewhere inside the view.
    IWebSurface* page = view->GetWebPane()->GetSurface();
    page->Load(m_promoServer.Url("/landed"), false);
    QVERIFY(WaitForLoad(view->GetWebPane()));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(view), kLandedColour, 20000);

    // "Refresh" goes back to the promotion page and fetches it again, though it may be cached.
    const int before = m_promoServer.Count("/");
    QVERIFY(m_actions.IsEnabled(ID_REFRESH_PROMOTION));
    m_actions.Trigger(ID_REFRESH_PROMOTION);
    QTRY_VERIFY_WITH_TIMEOUT(m_promoServer.Count("/") > before, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(page->Url(), m_promoServer.Url("/"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(view), kPromoColour, 20000);
}

void TestWebViews::refreshOfAnotherPageIsIgnored_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<UINT>("command");
    QTest::newRow("promotion refresh with the store page") << kStorePage << ID_REFRESH_PROMOTION;
    QTest::newRow("store refresh with the promotion page") << kPromoPage << ID_REFRESH_STORE;
    QTest::newRow("promotion refresh with the settings page") << kSettingsPage << ID_REFRESH_PROMOTION;
    QTest::newRow("store refresh with the settings page") << kSettingsPage << ID_REFRESH_STORE;
}

// Another page's Refresh is not there while this page is shown: disabled, it loads nothing.
void TestWebViews::refreshOfAnotherPageIsIgnored()
{
    QFETCH(int, page);
    QFETCH(UINT, command);
    // The other page first, so that its Refresh had a handler once.
    QVERIFY(m_pFrame->OpenPage(command == ID_REFRESH_PROMOTION ? kPromoPage : kStorePage));
    QVERIFY(m_actions.IsEnabled(command));
    QVERIFY(m_pFrame->OpenPage(page));
    QWidget* pView = m_pFrame->GetActivePage();
    QVERIFY(pView);
    CWebPane* pane = page == kPromoPage    ? static_cast<CPromoView*>(pView)->GetWebPane()
                     : page == kStorePage ? static_cast<CHardwareStoreView*>(pView)->GetWebPane()
                                          : nullptr;
    QUrl shown;
    if (pane)
    {
        QTRY_VERIFY_WITH_TIMEOUT(pane->GetPage(), 20000);
        QVERIFY(WaitForLoad(pane) || pane->GetSurface()->Url().isValid());
        shown = pane->GetSurface()->Url();
    }
    const int promoBefore = m_promoServer.Count("/");
    const int storeBefore = m_storeServer.Count("/");

    QVERIFY(!m_actions.IsEnabled(command));
    m_actions.Action(command)->trigger(); // even a direct trigger reaches no page
    // A navigation is queued by the page and then shows at once as its address: once a call queued
    // after it has run, it would show.
    bool bQueuedRan = false;
    QMetaObject::invokeMethod(this, [&bQueuedRan] { bQueuedRan = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(bQueuedRan);
    if (pane)
        QCOMPARE(pane->GetSurface()->Url(), shown);
    else
        QCOMPARE(WebViewsUnder(pView), 0);
    QCOMPARE(m_promoServer.Count("/"), promoBefore);
    QCOMPARE(m_storeServer.Count("/"), storeBefore);
}

void TestWebViews::navigationPolicy_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("mainFrame");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("http") << "http://www.palomer.example/" << true << true;
    QTest::newRow("https, upper case scheme") << "HTTPS://www.palomer.example/x?y#z" << true << true;
    QTest::newRow("http without a host") << "http:relative" << true << false;
    QTest::newRow("file") << "file:///etc/passwd" << true << false;
    QTest::newRow("data") << "data:text/html,x" << true << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << true << false;
    QTest::newRow("custom scheme") << "steam://run/1" << true << false;
    QTest::newRow("blank page") << "about:blank" << true << false;
    QTest::newRow("blank frame") << "about:blank" << false << true;
    QTest::newRow("srcdoc frame") << "about:srcdoc" << false << true;
    QTest::newRow("other about page in a frame") << "about:config" << false << false;
    QTest::newRow("http frame") << "http://ads.example/frame" << false << true;
}

void TestWebViews::navigationPolicy()
{
    QFETCH(QString, url);
    QFETCH(bool, mainFrame);
    QFETCH(bool, allowed);
    IWebModule* pModule = webmodule::Get();
    QVERIFY2(pModule, qPrintable(webmodule::ErrorString()));
    QCOMPARE(pModule->IsNavigationAllowed(QUrl(url), mainFrame), allowed);
}

void TestWebViews::navigationStaysOnHttp_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("followed");

    const QString redirect = QStringLiteral("/redirect?to=");
    QTest::newRow("http link") << "/landed"
                               << "" << true;
    QTest::newRow("http link, new window") << "/landed"
                                           << "_blank" << true;
    QTest::newRow("redirect to http") << redirect + "/landed"
                                      << "" << true;
    QTest::newRow("file link") << "file:///etc/hostname"
                               << "" << false;
    QTest::newRow("file link, new window") << "file:///etc/hostname"
                                           << "_blank" << false;
    QTest::newRow("javascript link to a file")
        << "javascript:void(window.location.href='file:///etc/hostname')"
        << "" << false;
    QTest::newRow("data link") << "data:text/html,<h1>data</h1>"
                               << "" << false;
    QTest::newRow("custom scheme link") << "vedrix-test:open-something"
                                        << "" << false;
    QTest::newRow("custom scheme link, new window") << "vedrix-test:open-something"
                                                    << "_blank" << false;
    QTest::newRow("redirect to a file")
        << redirect + QUrl::toPercentEncoding("file:///etc/hostname") << "" << false;
    QTest::newRow("redirect to a custom scheme")
        << redirect + QUrl::toPercentEncoding("vedrix-test:redirected") << "" << false;
}

void TestWebViews::navigationStaysOnHttp()
{
    QFETCH(QString, href);
    QFETCH(QString, target);
    QFETCH(bool, followed);
    m_schemeCatcher.m_urls.clear();

    CWebPane pane(m_context.Settings());
    pane.resize(400, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));

    QUrl linkUrl = m_promoServer.Url("/link");
    QUrlQuery query;
    query.addQueryItem("href", QString::fromUtf8(QUrl::toPercentEncoding(href)));
    query.addQueryItem("target", target);
    linkUrl.setQuery(query);
    pane.Navigate2(linkUrl);
    QVERIFY(WaitForLoad(&pane));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(&pane), kLinkColour, 20000);
    const int landedBefore = m_promoServer.Count("/landed");

    QWidget* input = pane.GetWebView()->focusProxy();
    QVERIFY(input);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(200, 150));

    if (followed)
    {
        QTRY_COMPARE_WITH_TIMEOUT(pane.GetSurface()->Url(), m_promoServer.Url("/landed"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(&pane), kLandedColour, 20000);
        QCOMPARE(m_promoServer.Count("/landed"), landedBefore + 1);
    }
    else
    {
        // Give a wrongly followed link ample time to show.
        QTest::qWait(2000);
        // The page stays, or a refused redirect ends on the program's own page standing in for the
        // redirecting address; either way nothing but http and the own page (a data: URL) is shown.
        const QUrl shown = pane.GetSurface()->Url();
        QCOMPARE(shown.scheme(), QStringLiteral("http"));
        if (shown.path() == QLatin1String("/link"))
            QCOMPARE(PixelNearTop(&pane), kLinkColour);
        else
        {
            QCOMPARE(shown.path(), QStringLiteral("/redirect"));
            QTRY_COMPARE_WITH_TIMEOUT(PageTitle(&pane), CBuiltInPage::Title(), 20000);
        }
        QVERIFY(m_schemeCatcher.m_urls.isEmpty());
        for (const QUrl& item : pane.GetSurface()->History())
            QVERIFY2(item.scheme() == QLatin1String("http") ||
                         (item.scheme() == QLatin1String("data") && pane.IsShowingBuiltInPage()),
                     qPrintable(item.toString()));
    }
    QCOMPARE(WebViewsUnder(&pane), 1);
}

void TestWebViews::fileOfferedByPageGoesToBrowser()
{
    CSchemeCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
    CWebPane pane(m_context.Settings());
    pane.resize(400, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QUrl linkUrl = m_promoServer.Url("/link");
    linkUrl.setQuery(QStringLiteral("href=/program.zip&target="));
    pane.Navigate2(linkUrl);
    QVERIFY(WaitForLoad(&pane));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(&pane), kLinkColour, 20000);

    QTest::mouseClick(pane.GetWebView()->focusProxy(), Qt::LeftButton, {}, QPoint(200, 150));
    QTRY_COMPARE_WITH_TIMEOUT(browser.m_urls.size(), 1, 20000);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(browser.m_urls.first(), m_promoServer.Url("/program.zip"));
    QCOMPARE(pane.GetSurface()->Url(), linkUrl);
    QCOMPARE(PixelNearTop(&pane), kLinkColour);
}

// A page whose script asks for a download every 0.7 s: none reaches the browser until the user
// clicks, and the click hands over one download however many the script asks for after it.
void TestWebViews::pageScriptCannotOpenTheBrowser()
{
    CSchemeCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
    CWebPane pane(m_context.Settings());
    pane.resize(400, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.Navigate2(m_promoServer.Url("/pushy"));
    QVERIFY(WaitForLoad(&pane));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(&pane), kLinkColour, 20000);

    const int before = m_promoServer.Count("/program.zip");
    QTRY_VERIFY_WITH_TIMEOUT(m_promoServer.Count("/program.zip") >= before + 4, 20000);
    QVERIFY(browser.m_urls.isEmpty());

    QTest::mouseClick(pane.GetWebView()->focusProxy(), Qt::LeftButton, {}, QPoint(200, 150));
    QTRY_COMPARE_WITH_TIMEOUT(browser.m_urls.size(), 1, 20000);
    // The script goes on asking, beyond the time a gesture counts for.
    const int afterClick = m_promoServer.Count("/program.zip");
    QTRY_VERIFY_WITH_TIMEOUT(m_promoServer.Count("/program.zip") >= afterClick + 9, 30000);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(browser.m_urls.size(), 1);
    QCOMPARE(browser.m_urls.first(), m_promoServer.Url("/program.zip"));
}

// The window goes to the tray: the banner's page is frozen at once, and after the configured time
// its renderer process ends. Shown again, the page comes back at its address, fetched afresh.
void TestWebViews::hiddenPageGivesUpItsRendererAndComesBack()
{
    QVERIFY(WriteSettingInt(settings::kWebViewDiscardSeconds.name, 2));
    QWidget window;
    window.resize(468, 120);
    auto* banner = new CExplorer1(m_context.Settings(), &window);
    banner->resize(468, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QUrl url = m_promoServer.Url("/banners/vedrix/");
    banner->Navigate2(url.toString());
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(banner), kBannerColour, 20000);
    IWebSurface* page = banner->GetSurface();
    QTRY_VERIFY_WITH_TIMEOUT(ProcessRuns(page->RendererPid()), 20000);
    const qint64 renderer = page->RendererPid();
    const int loads = m_promoServer.Count("/banners/vedrix/");

    window.hide();
    QCOMPARE(page->Lifecycle(), IWebSurface::ELifecycle::Frozen);
    QTest::qWait(1000);
    QCOMPARE(page->Lifecycle(), IWebSurface::ELifecycle::Frozen);
    QTRY_COMPARE_WITH_TIMEOUT(page->Lifecycle(), IWebSurface::ELifecycle::Discarded, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!ProcessRuns(renderer), 20000);
    QCOMPARE(page->RendererPid(), 0);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE_WITH_TIMEOUT(PixelNearTop(banner), kBannerColour, 20000);
    QCOMPARE(page->Lifecycle(), IWebSurface::ELifecycle::Active);
    QCOMPARE(page->Url(), url);
    QVERIFY(ProcessRuns(page->RendererPid()));
    QCOMPARE(m_promoServer.Count("/banners/vedrix/"), loads + 1);
    QCOMPARE(WebViewsUnder(banner), 1);
}

namespace
{
// The engine's switches as the user (here tools/testenv) gave them, before the module added its own.
QByteArray& UsersSwitches()
{
    static QByteArray s_switches;
    return s_switches;
}
} // namespace

void TestWebViews::engineStartsWithTheUsersSwitches()
{
    // The earlier cases have shown pages: the engine has started.
    QVERIFY(webmodule::IsLoaded());
    const QList<QByteArray> users = UsersSwitches().split(' ');
    const QList<QByteArray> now = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' ');
    QVERIFY2(users.contains("--disable-gpu"), UsersSwitches());
    QCOMPARE(now.mid(0, users.size()), users);
    QCOMPARE(now.count("--disable-gpu"), 1);
    // The sandbox is off here, so the renderer starts without the zygotes.
    QVERIFY(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"));
    QVERIFY2(now.contains("--no-zygote"), qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
    // What was set only for the engine's start is gone again.
    QVERIFY(!qEnvironmentVariableIsSet("QT_OPENGL_NO_SANITY_CHECK"));
}

int main(int argc, char** argv)
{
    UsersSwitches() = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    QApplication app(argc, argv);
    // The program's own page shows the version.
    app.setApplicationVersion(QStringLiteral("1.0.test"));
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    TestWebViews test;
    return QTest::qExec(&test, argc, argv);
}

#include "web_views.moc"
