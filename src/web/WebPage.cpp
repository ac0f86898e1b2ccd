// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace
{
// The program saves no files from its pages. A file that a page offers (the download site's
// programs) goes to the user's browser, which asks where to keep it, when the user asked for it.
//
// The request's own page() is not asked: a page that is being closed while its script asks for a
// download leaves the request pointing at it, and reading it then crashes. Any open page's fresh
// gesture counts instead, and it is used up.
QList<QPointer<CWebPage>>& OpenPages()
{
    static QList<QPointer<CWebPage>> pages;
    return pages;
}

bool TakeAnyUserGesture()
{
    OpenPages().removeAll(nullptr);
    bool bGesture = false;
    for (const QPointer<CWebPage>& pPage : OpenPages())
        if (pPage->TakeUserGesture())
            bGesture = true;
    return bGesture;
}

void HandOverDownload(QWebEngineDownloadRequest* pDownload)
{
    const QUrl url = pDownload->url();
    const bool bHandOver = !pDownload->isSavePageDownload() && CWebPage::IsNavigationAllowed(url, true) &&
                           TakeAnyUserGesture();
    pDownload->cancel();
    if (bHandOver)
        QDesktopServices::openUrl(url);
}
} // namespace

CWebPage::CWebPage(QObject* parent) : QWebEnginePage(SharedProfile(), parent)
{
    OpenPages().append(this);
    // Pop-ups that a page opens by itself (adverts) would otherwise replace the page shown here.
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // "This site can't be reached" and its kind: the program shows its own page instead.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    connect(this, &QWebEnginePage::newWindowRequested, this, &CWebPage::OnNewWindowRequested);
    connect(this, &QWebEnginePage::loadingChanged, this, &CWebPage::OnLoadingChanged);
}

QWebEngineProfile* CWebPage::SharedProfile()
{
    static QPointer<QWebEngineProfile> s_pProfile;
    if (!s_pProfile)
    {
        // A profile without a storage name is off the record.
        s_pProfile = new QWebEngineProfile(QCoreApplication::instance());
        s_pProfile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        s_pProfile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        QObject::connect(s_pProfile, &QWebEngineProfile::downloadRequested, s_pProfile, &HandOverDownload);
    }
    return s_pProfile;
}

bool CWebPage::IsNavigationAllowed(const QUrl& url, bool bMainFrame)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.isValid() && !url.host().isEmpty();
    if (bMainFrame)
        return false;
    return scheme == QLatin1String("about") &&
           (url.path() == QLatin1String("blank") || url.path() == QLatin1String("srcdoc"));
}

void CWebPage::NoteUserGesture()
{
    m_lastGesture.start();
}

bool CWebPage::TakeUserGesture()
{
    const bool bFresh = m_lastGesture.isValid() && !m_lastGesture.hasExpired(kGestureMsecs);
    m_lastGesture.invalidate();
    return bFresh;
}

void CWebPage::ShowOwnPage(const QString& strHtml, const QUrl& baseUrl)
{
    m_bOwnPageComing = true;
    setHtml(strHtml, baseUrl);
}

// setHtml() arrives as a typed navigation to a data: URL. No page can ask for that one: a link or a
// script's navigation is never typed, and the engine itself refuses data: URLs in the top frame that
// a page asks for.
bool CWebPage::IsOwnPage(const QUrl& url, NavigationType type)
{
    if (url.scheme() != QLatin1String("data"))
        return false;
    if (m_bOwnPageComing && type == NavigationTypeTyped)
    {
        m_bOwnPageComing = false;
        m_ownPageUrl = url;
        return true;
    }
    return url == m_ownPageUrl && (type == NavigationTypeReload || type == NavigationTypeBackForward);
}

bool CWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return IsNavigationAllowed(url, false);
    m_bOwnPageLoading = IsOwnPage(url, type);
    return m_bOwnPageLoading || IsNavigationAllowed(url, true);
}

void CWebPage::OnLoadingChanged(const QWebEngineLoadingInfo& info)
{
    // net::ERR_ABORTED: the load gave way to another one (a Refresh right after a navigation).
    constexpr int kAborted = -3;
    const bool bOk = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
    const bool bFailed =
        info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.errorCode() != kAborted;
    if ((bOk || bFailed) && !m_bOwnPageLoading)
        emit LoadEnded(bOk, info.url());
}

void CWebPage::OnNewWindowRequested(QWebEngineNewWindowRequest& request)
{
    // Only a window that the user asked for by clicking a link; the request is otherwise dropped
    // and the new window never exists. The load goes through the same scheme check as any other.
    if (!request.isUserInitiated())
        return;
    const QUrl url = request.requestedUrl();
    if (IsNavigationAllowed(url, true))
        load(url);
}
