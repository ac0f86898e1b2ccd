// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ScreenSaverInhibitor.h"

#include "base/StringTable.h"
#include "player/WMPPlayer4.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEvent>

namespace
{
QDBusMessage ScreenSaverCall(const char* method)
{
    return QDBusMessage::createMethodCall(QString::fromLatin1(CScreenSaverInhibitor::kService),
                                          QString::fromLatin1(CScreenSaverInhibitor::kPath),
                                          QString::fromLatin1(CScreenSaverInhibitor::kService),
                                          QString::fromLatin1(method));
}
} // namespace

CScreenSaverInhibitor::CScreenSaverInhibitor(CWMPPlayer4* pPlayer, QObject* parent)
    : QObject(parent), m_pPlayer(pPlayer)
{
    connect(m_pPlayer, &CWMPPlayer4::StateChanged, this, &CScreenSaverInhibitor::Update);
    connect(m_pPlayer, &CWMPPlayer4::VideoChange, this, &CScreenSaverInhibitor::Update);
    // Shown and hidden: the top-level window (the main window, or the full-screen picture's).
    m_pPlayer->installEventFilter(this);
    Update();
}

CScreenSaverInhibitor::~CScreenSaverInhibitor()
{
    // The player is still whole here, but stops being asked: no event of its teardown reaches Update.
    m_pPlayer->removeEventFilter(this);
    if (m_pWatchedWindow)
        m_pWatchedWindow->removeEventFilter(this);
    m_bWanted = false;
    Release();
}

bool CScreenSaverInhibitor::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type())
    {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::WindowStateChange:
        Update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void CScreenSaverInhibitor::Update()
{
    QWidget* pWindow = m_pPlayer->window();
    // The window it is in can change (the full-screen picture has its own).
    if (pWindow != m_pWatchedWindow)
    {
        if (m_pWatchedWindow)
            m_pWatchedWindow->removeEventFilter(this);
        m_pWatchedWindow = pWindow != m_pPlayer ? pWindow : nullptr;
        if (m_pWatchedWindow)
            m_pWatchedWindow->installEventFilter(this);
    }
    const bool bWanted = m_pPlayer->IsPlaying() && m_pPlayer->HasVideo() && m_pPlayer->isVisible() &&
                         !(pWindow->windowState() & Qt::WindowMinimized);
    if (bWanted == m_bWanted)
        return;
    m_bWanted = bWanted;
    if (m_bWanted)
        Inhibit();
    else
        Release();
}

void CScreenSaverInhibitor::Inhibit()
{
    if (m_bHasCookie || m_bPending)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = ScreenSaverCall("Inhibit");
    call << AppTitle() << tr("Playing a picture");
    m_bPending = true;
    auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* pCall)
            {
                pCall->deleteLater();
                m_bPending = false;
                const QDBusPendingReply<uint> reply = *pCall;
                if (reply.isError())
                    return;
                m_nCookie = reply.value();
                m_bHasCookie = true;
                if (!m_bWanted)
                    Release();
            });
}

void CScreenSaverInhibitor::Release()
{
    if (!m_bHasCookie)
        return;
    QDBusMessage call = ScreenSaverCall("UnInhibit");
    call << m_nCookie;
    m_bHasCookie = false;
    QDBusConnection::sessionBus().send(call);
}
