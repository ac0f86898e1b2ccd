// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one top-level window: the ribbon, one category page at a time in a stack, the two-pane status
// bar, the tray icon and the start-up options. A page is made when its category is shown and
// destroyed when another is; the old page is gone before the new one is made. Its close box only hides it (minimises it on a desktop without
// a notification area); the tray's Exit ends the program.
#include "base/Commands.h"

#include <QMainWindow>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QStackedWidget;
class CAppContext;
class CCommandActions;
class CCustomMFCRibbonBar;
class CCustomMFCRibbonApplicationButton;
class CTrayIcon;
class CSleepTimerControl;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // The frame binds its own commands (looks, tray, start-up options, refresh, hide) on the
    // context's actions.
    explicit CMainFrame(CAppContext& context);
    ~CMainFrame() override;

    // Makes the page of the next category (in category order: player, settings, promotion, store).
    // A page that has a slot OnInitialUpdate() gets it called once it is in the window.
    using PageFactory = std::function<QWidget*()>;
    void AddPageFactory(PageFactory make);
    int GetPageFactoryCount() const { return int(m_pageFactories.size()); }

    // Builds the window: tray icon, look, ribbon (which opens the start category's page on the next
    // turn of the event loop), status bar.
    bool LoadFrame();

    // The page shown now, or null.
    QWidget* GetActivePage() const;
    // Closes the page that is shown, at once: its hot keys are released before another page's.
    void ClosePage();
    // Closes the page shown and, on the next turn of the event loop, opens category nIndex's page
    // (an index past the last names the last).
    void OpenCategoryView(int nIndex);
    // Closes the page shown and opens category nIndex's page now; false when there is no such page.
    bool OpenPage(int nIndex);

    // The status text that the pages set: the first status pane (for the player's category) and the
    // tray's tool tip.
    void SetStatusText(const QString& strText);
    const QString& GetStatusText() const { return m_strStatusText; }
    void ApplyApplicationLook(UINT nLook);
    UINT GetApplicationLook() const { return m_nAppLook; }

    CAppContext& GetContext() const { return m_context; }
    CCommandActions& Actions() const { return m_actions; }

public slots:
    // Restores the window if minimised, shows it and brings it to the front.
    void ShowAndActivate();
    // Closes the frame for real and ends the message loop (the tray's Exit).
    void CloseForReal();
    // What the close box does: hides the window into the tray, or minimises it where the desktop
    // has no notification area to bring it back from.
    void HideToTray();
    // A start with the window hidden where there is no notification area: the window minimised.
    void StartMinimized();
    // A channel number from another start of the program, for the player's page.
    void PlayChannelNumber(int nChannel);
    // Brings the channel list (one from the last day will do) for the player's page.
    void LoadChannelList();
    // Renews both status panes on the next turn of the event loop.
    void RenewStatusPanes();
    // Announces that a new channel list is in the data folder.
    void NotifyChannelListArrived() { emit ChannelListArrived(); }

signals:
    void ChannelNumberRequested(int nChannel);
    // A channel list is in the data folder: the player's page reloads it.
    void ChannelListArrived();
    // A category's page is in the window.
    void PageOpened(int nIndex, QWidget* pPage);

public:
public:
    // The window's last normal rectangle, from the Workspace section; never shows the window.
    bool RestoreWindowPlacement();
    void SaveWindowPlacement() const;

    CCustomMFCRibbonBar* GetRibbonBar() const { return m_pRibbon; }
    CCustomMFCRibbonApplicationButton* GetApplicationButton() const { return m_pAppButton; }
    CTrayIcon* GetTrayIcon() const { return m_pTray; }
    QLabel* GetStatusPane(int nPane) const { return nPane == 1 ? m_pStatusPane1 : m_pStatusPane2; }
    int GetAutoStartState() const { return m_nAutoStartState; }
    // Whether a notification area shows the tray icon now.
    bool HasTray() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* pWatched, QEvent* e) override;

private:
    void RegisterCommands();
    void InitializeRibbon();
    void CreateStatusBar();
    void UpdateStatusPanes();
    void OnAutoStartup();
    void UpdateAutoStartup();
    void ToggleAutoPlay();
    void AllowMinimize();
    // Moves the keyboard focus from the view to the active category's tab, or back.
    void SwitchPane();

    CAppContext& m_context;
    CCommandActions& m_actions;
    QStackedWidget* m_pPages;
    std::vector<PageFactory> m_pageFactories;
    QString m_strStatusText;
    bool m_bStatusRenewQueued = false;
    // Start-up options (-1 = not determined yet).
    int m_nAutoStartState = -1;
    CTrayIcon* m_pTray = nullptr;
    CSleepTimerControl* m_pSleepTimer = nullptr;
    QLabel* m_pStatusPane1 = nullptr;
    QLabel* m_pStatusPane2 = nullptr;
    CCustomMFCRibbonBar* m_pRibbon = nullptr;
    CCustomMFCRibbonApplicationButton* m_pAppButton = nullptr;
    UINT m_nAppLook;
    bool m_bClosingForReal = false;
    // Minimised by the program on Wayland, where Qt cannot tell when the window comes back.
    bool m_bMinimizedOnWayland = false;
    // Minimise once the compositor shows the window (StartMinimized on Wayland).
    bool m_bMinimizeWhenExposed = false;
};
