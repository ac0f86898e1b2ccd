#include "frame/TrayIcon.h"

#include "app/Commands.h"
#include "app/StringTable.h"
#include "frame/MainFrame.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

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
    m_pIcon->setToolTip(TipText(QString()));
    m_pIcon->setContextMenu(m_pMenu);
    connect(m_pIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason)
            {
                switch (reason)
                {
                case QSystemTrayIcon::Trigger: // a panel's Activate arrives as Trigger
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
    if (m_pIcon)
        m_pIcon->setToolTip(TipText(strStatus));
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
