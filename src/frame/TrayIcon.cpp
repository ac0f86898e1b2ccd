// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/TrayIcon.h"
#include "base/TextAreas.h"

#include "base/Commands.h"
#include "base/StringTable.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "platform/PlainText.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdlib>
#include <xcb/xcb.h>

namespace
{
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int kWatcherCallTimeoutMs = 2000;
// A notification area that comes later (a panel started after log-in, an extension switched on)
// announces itself on the bus; an XEmbed tray only by owning a selection, so that is looked at now
// and then.
constexpr int kTrayPollMs = 3000;

// A StatusNotifierItem is shown only when the watcher has a host (a panel) registered.
bool StatusNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kWatcherService))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    call << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kWatcherCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

// An XEmbed system tray owns the selection _NET_SYSTEM_TRAY_S<screen>.
bool XEmbedTrayPresent()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    int nScreen = 0;
    char* host = nullptr;
    int nDisplay = 0;
    if (xcb_parse_display(nullptr, &host, &nDisplay, &nScreen))
        std::free(host);
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(nScreen);
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool bOwned = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return bOwned;
}
} // namespace

CTrayIcon::CTrayIcon(CMainFrame* pFrame) : QObject(pFrame), m_pFrame(pFrame), m_actions(pFrame->Actions())
{
    m_pMenu = new QMenu(LoadString(strings::IDS_TRAY_MENU_NAME), pFrame);
    const std::pair<UINT, const char*> items[] = {
        {ID_TRAY_EXIT, QT_TRANSLATE_NOOP("Tray", "Exit")},
        {0, nullptr},
        {ID_TRAY_CUSTOMIZE, QT_TRANSLATE_NOOP("Tray", "Customize Menu...")},
        {ID_TRAY_SHOW, QT_TRANSLATE_NOOP("Tray", "Show")},
        {0, nullptr},
        {ID_STOP, QT_TRANSLATE_NOOP("Tray", "Stop")},
        {ID_PLAY, QT_TRANSLATE_NOOP("Tray", "Play")},
        {ID_PLAY_PREVIOUS, QT_TRANSLATE_NOOP("Tray", "Play Previous Channel")},
        {ID_PLAY_NEXT, QT_TRANSLATE_NOOP("Tray", "Play Next Channel")},
    };
    for (const auto& [nID, label] : items)
    {
        if (!label)
        {
            m_entries.push_back({nID, m_pMenu->addSeparator()});
            continue;
        }
        // The ribbon's buttons have labels of their own; the action's text is the tray's.
        QAction* action = m_actions.Action(nID);
        action->setText(text::Tray::tr(label));
        m_pMenu->addAction(action);
        m_entries.push_back({nID, action});
        if (nID == ID_TRAY_SHOW)
        {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            m_pMenu->setDefaultAction(action);
        }
    }
    m_pStationsMenu = new QMenu(text::Tray::tr("My Stations"), m_pMenu);
    m_pMenu->addMenu(m_pStationsMenu)->setVisible(false);
    m_strTip = TipText(QString());

    // Qt settles on one kind of tray the first time it is asked and keeps it, so it is not asked
    // (no QSystemTrayIcon, no isSystemTrayAvailable) before a tray is known to be there: a panel
    // that starts later then still gets a StatusNotifierItem.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
    {
        auto* watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &CTrayIcon::CheckForTray);
        bus.connect(kWatcherService, kWatcherPath, kWatcherService, QStringLiteral("StatusNotifierHostRegistered"),
                    this, SLOT(CheckForTray()));
    }
    m_pTrayPoll = new QTimer(this);
    m_pTrayPoll->setInterval(kTrayPollMs);
    connect(m_pTrayPoll, &QTimer::timeout, this, &CTrayIcon::CheckForTray);
    if (StatusNotifierHostRegistered() || XEmbedTrayPresent())
        CreateIcon();
    else
        m_pTrayPoll->start();
}

CTrayIcon::~CTrayIcon() = default;

void CTrayIcon::CheckForTray()
{
    if (m_pIcon || m_bRemoved)
        return;
    if (!StatusNotifierHostRegistered() && !XEmbedTrayPresent())
        return;
    CreateIcon();
    emit TrayAppeared();
}

void CTrayIcon::CreateIcon()
{
    m_pTrayPoll->stop();
    // Asked when the icon is made, as Qt asks when it picks the kind of tray for the icon: on an
    // XEmbed tray a single click does nothing, on a StatusNotifierItem panel it restores the window.
    m_bStatusNotifier = StatusNotifierHostRegistered();
    m_pIcon = new QSystemTrayIcon(QIcon(QStringLiteral(":/res/icons/vedrix.svg")), this);
    m_pIcon->setToolTip(PlainToolTip(m_strTip));
    m_pIcon->setContextMenu(m_pMenu);
    connect(m_pIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason)
            {
                switch (reason)
                {
                case QSystemTrayIcon::Trigger:
                    // A panel's primary activation arrives as Trigger, and it has no double click.
                    // On an XEmbed tray Trigger is a plain left click, which does nothing.
                    if (m_bStatusNotifier)
                        m_pFrame->ShowAndActivate();
                    break;
                case QSystemTrayIcon::DoubleClick:
                    m_pFrame->ShowAndActivate();
                    break;
                default:
                    break;
                }
            });
    m_pIcon->show();
}

QString CTrayIcon::TipText(const QString& strStatus)
{
    const QString title = AppTitle();
    const QString tip = strStatus.isEmpty() ? title : title + QLatin1Char('\n') + strStatus;
    return tip.left(kTrayTipMaxChars);
}

void CTrayIcon::UpdateTrayTip(const QString& strStatus)
{
    m_strStatus = strStatus;
    m_strTip = TipText(strStatus);
    if (!m_strExtraLine.isEmpty())
    {
        // A long title gives way to the extra line, which is short.
        const QString strLine = QLatin1Char('\n') + m_strExtraLine;
        m_strTip = m_strTip.left(kTrayTipMaxChars - strLine.size()) + strLine;
    }
    if (m_pIcon)
        m_pIcon->setToolTip(PlainToolTip(m_strTip));
}

void CTrayIcon::SetExtraTipLine(const QString& strLine)
{
    if (strLine == m_strExtraLine)
        return;
    m_strExtraLine = strLine;
    UpdateTrayTip(m_strStatus);
}

void CTrayIcon::AddSubmenu(QMenu* pMenu)
{
    if (!m_bHasSubmenus)
        m_pMenu->addSeparator();
    m_bHasSubmenus = true;
    m_pMenu->addMenu(pMenu);
}

QAction* CTrayIcon::AddCheckCommand(UINT nID, const QString& strLabel)
{
    QAction* action = AddCommand(nID, strLabel);
    action->setCheckable(true);
    return action;
}

QAction* CTrayIcon::AddCommand(UINT nID, const QString& strLabel)
{
    QAction* action = m_actions.Action(nID);
    action->setText(strLabel);
    m_pMenu->addAction(action);
    return action;
}

void CTrayIcon::RemoveTrayIcon()
{
    m_bRemoved = true;
    m_pTrayPoll->stop();
    if (m_pIcon)
        m_pIcon->hide();
}

void CTrayIcon::SetMyStations(const QStringList& names)
{
    m_pStationsMenu->clear();
    const int nMax = int(ID_TRAY_MY_STATION_LAST - ID_TRAY_MY_STATION_FIRST) + 1;
    for (int i = 0; i < names.size() && i < nMax; ++i)
    {
        QAction* pAction = m_actions.Action(ID_TRAY_MY_STATION_FIRST + UINT(i));
        pAction->setText(PlainMenuText(names[i]));
        m_pStationsMenu->addAction(pAction);
    }
    m_pStationsMenu->menuAction()->setVisible(!names.isEmpty());
}

bool CTrayIcon::IsTrayAvailable() const
{
    // Asked afresh: a panel may have gone since the icon was added.
    return m_pIcon && m_pIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

