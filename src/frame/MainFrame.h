#pragma once
// The one top-level window: the ribbon, one view at a time in the MDI area, the two-pane status bar,
// the tray icon and the start-up options. Its close box only hides it (minimises it on a desktop without
// a notification area); the tray's Exit ends the program.
#include "app/Commands.h"
#include "platform/MDIFrameWnd.h"

#include <optional>

class QLabel;
class CAppContext;
class CCustomMFCRibbonBar;
class CCustomMFCRibbonApplicationButton;
class CTrayIcon;
class CSleepTimerControl;

class CMainFrame : public CMDIFrameWnd
{
    Q_OBJECT
public:
    CMainFrame(CAppContext& context, CWinApp* pApp);
    ~CMainFrame() override;

    // Builds the window: tray icon, look, ribbon (which opens the start category's view once the
    // posted messages run), status bar. The frame must already be the application's main window.
    bool LoadFrame();

    void SetStatusText(const QString& strText) override;
    void ApplyApplicationLook(UINT nLook);
    UINT GetApplicationLook() const { return m_nAppLook; }

    CAppContext& GetContext() const { return m_context; }

public slots:
    // Restores the window if minimised, shows it and brings it to the front.
    void ShowAndActivate();
    // Closes the frame for real and ends the message loop (the tray's Exit).
    void CloseForReal();
    // What the close box does: hides the window into the tray, or minimises it where the desktop
    // has no notification area to bring it back from.
    void HideToTray();

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

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void RegisterCommands();
    void InitializeRibbon();
    void CreateStatusBar();
    void UpdateStatusPanes();
    void OpenCategoryView(WPARAM nIndex);
    void OpenTemplate(WPARAM nIndex);
    void OnAutoStartup();
    void OnUpdateAutoStartup(CCmdUI* pCmdUI);
    void ToggleAutoPlay();
    void OnUpdateAutoPlay(CCmdUI* pCmdUI);
    void UpdateCommandElements();
    void AllowMinimize();
    // Moves the keyboard focus from the view to the active category's tab, or back.
    void SwitchPane();

    CAppContext& m_context;
    // Start-up options (-1 = not determined yet).
    int m_nAutoStartState = -1;
    std::optional<int> m_nAutoPlay; // the stored value, once read
    CTrayIcon* m_pTray = nullptr;
    CSleepTimerControl* m_pSleepTimer = nullptr;
    QLabel* m_pStatusPane1 = nullptr;
    QLabel* m_pStatusPane2 = nullptr;
    CCustomMFCRibbonBar* m_pRibbon = nullptr;
    CCustomMFCRibbonApplicationButton* m_pAppButton = nullptr;
    UINT m_nAppLook;
    bool m_bClosingForReal = false;
};
