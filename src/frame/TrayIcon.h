// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The notification-area icon of the main frame (id 90) and its menu. A click that restores the window
// calls the frame; the menu's entries are the commands' actions, shared with the ribbon. Many desktops have no notification
// area (GNOME without an extension, several Wayland desktops); the icon is then made only once one
// appears, and until then IsTrayAvailable() tells the frame to minimise instead of hiding.
#include "base/Commands.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class CCommandActions;
class CMainFrame;

constexpr UINT kTrayIconId = 90;
constexpr int kTrayTipMaxChars = 127;

class CTrayIcon : public QObject
{
    Q_OBJECT
public:
    // Adds the icon with the application title as its tip, and the menu.
    explicit CTrayIcon(CMainFrame* pFrame);
    ~CTrayIcon() override;

    // The title alone for an empty status, else title, line feed, status; at most 127 characters.
    static QString TipText(const QString& strStatus);
    void UpdateTrayTip(const QString& strStatus);
    // A further line under the status (the sleep timer's), "" for none.
    void SetExtraTipLine(const QString& strLine);
    // A submenu at the end of the menu, after a separator before the first one. Not among the
    // entries: its own entries keep their state.
    void AddSubmenu(QMenu* pMenu);
    // A two-state entry at the end of the menu's entries (before the submenus): the command's action.
    // Not among the entries either.
    QAction* AddCheckCommand(UINT nID, const QString& strLabel);
    // The same for a command of one state.
    QAction* AddCommand(UINT nID, const QString& strLabel);
    void RemoveTrayIcon();
    // Whether a notification area shows the icon now, so that a hidden window can be brought back.
    bool IsTrayAvailable() const;
    // The "My Stations" submenu: one entry per name, the action of ID_TRAY_MY_STATION_FIRST + its
    // index; no names hide the submenu.
    void SetMyStations(const QStringList& names);
    QMenu* GetMyStationsMenu() const { return m_pStationsMenu; }

    // Null until a notification area is there.
    QSystemTrayIcon* GetIcon() const { return m_pIcon; }
    QMenu* GetMenu() const { return m_pMenu; }
    // The menu's entries in order with their command ids (0 for a separator).
    std::vector<std::pair<UINT, QAction*>> GetEntries() const { return m_entries; }

signals:
    // The icon has been added to a notification area that appeared after the start.
    void TrayAppeared();

private slots:
    // Adds the icon once a notification area is there.
    void CheckForTray();

private:
    void CreateIcon();

    CMainFrame* m_pFrame;
    CCommandActions& m_actions;
    QSystemTrayIcon* m_pIcon = nullptr;
    // A StatusNotifierItem panel reports its primary activation as QSystemTrayIcon::Trigger, which
    // restores the window; an XEmbed tray reports a plain left click the same way.
    bool m_bStatusNotifier = false;
    QMenu* m_pMenu = nullptr;
    QMenu* m_pStationsMenu = nullptr;
    std::vector<std::pair<UINT, QAction*>> m_entries;
    QString m_strStatus;
    QString m_strExtraLine;
    bool m_bHasSubmenus = false;
    QString m_strTip;
    QTimer* m_pTrayPoll = nullptr;
    bool m_bRemoved = false;
};
