#include "frame/TrayIcon.h"

#include "app/Commands.h"
#include "app/StringTable.h"
#include "frame/MainFrame.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace
{
constexpr int kWatcherReplyMsecs = 2000;

// Whether the desktop has a StatusNotifierItem tray: a watcher on the session bus with a host
// registered. Without one the icon sits in an XEmbed tray, which reports its own clicks.
bool IsStatusNotifierHostRegistered()
{
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    // A watcher that does not answer soon is taken as no tray of its kind.
    const QDBusMessage reply = bus.call(call, QDBus::Block, kWatcherReplyMsecs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}
} // namespace

CTrayIcon::CTrayIcon(CMainFrame* pFrame) : QObject(pFrame), m_pFrame(pFrame)
{
    m_pMenu = new QMenu(LoadString(strings::IDS_TRAY_MENU_NAME), pFrame);
    const std::pair<UINT, const char*> items[] = {
        {ID_TRAY_EXIT, "Exit"},
        {0, nullptr},
        {ID_TRAY_CUSTOMIZE, "Customize Menu..."},
        {ID_TRAY_SHOW, "Show"},
        {0, nullptr},
        {ID_TRAY_STOP, "Stop"},
        {ID_TRAY_PLAY, "Play"},
        {ID_TRAY_PLAY_PREVIOUS, "Play Previous Channel"},
        {ID_TRAY_PLAY_NEXT, "Play Next Channel"},
    };
    for (const auto& [nID, label] : items)
    {
        QAction* action = label ? m_pMenu->addAction(QString::fromLatin1(label)) : m_pMenu->addSeparator();
        m_entries.push_back({nID, action});
        if (!label)
            continue;
        // Posted, as a menu choice is: the command runs after the menu has closed.
        const UINT id = nID;
        connect(action, &QAction::triggered, this,
                [this, id] { PostMessage(m_pFrame, WM_COMMAND, WPARAM(id)); });
        if (nID == ID_TRAY_SHOW)
        {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            m_pMenu->setDefaultAction(action);
        }
    }
    m_pStationsMenu = new QMenu(QStringLiteral("My Stations"), m_pMenu);
    m_pMenu->addMenu(m_pStationsMenu)->setVisible(false);
    connect(m_pMenu, &QMenu::aboutToShow, this, &CTrayIcon::UpdateMenuState);

    m_pIcon = new QSystemTrayIcon(QIcon(QStringLiteral(":/res/icons/vedrix.svg")), this);
    // Asked when the icon is made, as Qt asks when it picks the kind of tray for the icon.
    m_bStatusNotifier = IsStatusNotifierHostRegistered();
    m_pIcon->setToolTip(TipText(QString()));
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
                case QSystemTrayIcon::Context:
                    // The menu itself is shown by the tray (the desktop's panel, over D-Bus); its
                    // entries only need their current state.
                    UpdateMenuState();
                    break;
                default:
                    break;
                }
            });
    UpdateMenuState();
    m_pIcon->show();
}

CTrayIcon::~CTrayIcon() = default;

QString CTrayIcon::TipText(const QString& strStatus)
{
    const QString title = AppTitle();
    const QString tip = strStatus.isEmpty() ? title : title + QLatin1Char('\n') + strStatus;
    return tip.left(kTrayTipMaxChars);
}

void CTrayIcon::UpdateTrayTip(const QString& strStatus)
{
    m_strStatus = strStatus;
    if (!m_pIcon)
        return;
    if (m_strExtraLine.isEmpty())
    {
        m_pIcon->setToolTip(TipText(strStatus));
        return;
    }
    // A long title gives way to the extra line, which is short.
    const QString strLine = QLatin1Char('\n') + m_strExtraLine;
    m_pIcon->setToolTip(TipText(strStatus).left(kTrayTipMaxChars - strLine.size()) + strLine);
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

void CTrayIcon::RemoveTrayIcon()
{
    if (m_pIcon)
        m_pIcon->hide();
}

void CTrayIcon::SetMyStations(const QStringList& names)
{
    m_pStationsMenu->clear();
    const int nMax = int(ID_TRAY_MY_STATION_LAST - ID_TRAY_MY_STATION_FIRST) + 1;
    for (int i = 0; i < names.size() && i < nMax; ++i)
    {
        // "&" would become a mnemonic; the name is shown as it is.
        QAction* pAction =
            m_pStationsMenu->addAction(QString(names[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        const UINT nID = ID_TRAY_MY_STATION_FIRST + UINT(i);
        connect(pAction, &QAction::triggered, this,
                [this, nID] { PostMessage(m_pFrame, WM_COMMAND, WPARAM(nID)); });
    }
    m_pStationsMenu->menuAction()->setVisible(!names.isEmpty());
}

void CTrayIcon::UpdateMenuState()
{
    for (auto& [nID, action] : m_entries)
    {
        if (nID == 0)
            continue;
        CCmdUI ui(nID);
        m_pFrame->OnCmdMsg(nID, &ui);
        if (action->isEnabled() != ui.m_bEnabled)
            action->setEnabled(ui.m_bEnabled);
    }
}
