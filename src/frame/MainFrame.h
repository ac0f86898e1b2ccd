#pragma once
// The one top-level window: the ribbon, one view at a time in the MDI area, the two-pane status bar,
// the tray icon and the start-up options. Its close box only hides it; the tray's Exit ends the program.
#include "platform/MDIFrameWnd.h"

#include <optional>

class QLabel;
class CAppContext;
class CCustomMFCRibbonBar;
class CCustomMFCRibbonApplicationButton;
class CTrayIcon;

// Command ids the main frame handles.
constexpr UINT ID_REFRESH_CHANNELS = 310;
constexpr UINT ID_OPEN_PROMOTION_SITE = 311;
constexpr UINT ID_REFRESH_PROMOTION = 312;
constexpr UINT ID_OPEN_DOWNLOAD_SITE = 315;
constexpr UINT ID_REFRESH_STORE = 316;
constexpr UINT ID_STOP = 317;
constexpr UINT ID_PLAY = 319;
constexpr UINT ID_PLAY_NEXT = 320;
constexpr UINT ID_PLAY_PREVIOUS = 321;
constexpr UINT ID_AUTO_STARTUP = 322;
constexpr UINT ID_AUTO_PLAY = 323;
constexpr UINT ID_HIDE_TO_TRAY = 324;
constexpr UINT ID_DISPLAY_RADIO = 325;
constexpr UINT ID_DISPLAY_TV = 326;
constexpr UINT ID_FILTER_ENGLISH = 327;
constexpr UINT ID_FILTER_GERMAN = 328;
constexpr UINT ID_FILTER_FRENCH = 329;
constexpr UINT ID_FILTER_CHINESE = 330;
constexpr UINT ID_FILTER_INDIAN = 331;
constexpr UINT ID_FILTER_BULGARIAN = 332;
constexpr UINT ID_FILTER_ROMANIAN = 333;
constexpr UINT ID_TRAY_SHOW = 32773;
constexpr UINT ID_TRAY_EXIT = 32774;
constexpr UINT ID_TRAY_PLAY_NEXT = 32785;
constexpr UINT ID_TRAY_PLAY_PREVIOUS = 32784;
constexpr UINT ID_TRAY_CUSTOMIZE = 32787;
constexpr UINT ID_TRAY_STOP = 32789;
constexpr UINT ID_TRAY_PLAY = 32791;
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_APP_ABOUT = 57664;
// The first status pane's command id.
constexpr UINT ID_STATUSBAR_PANE1 = 120;

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

public:
    // The window's last normal rectangle, from the Workspace section; never shows the window.
    bool RestoreWindowPlacement();
    void SaveWindowPlacement() const;

    CCustomMFCRibbonBar* GetRibbonBar() const { return m_pRibbon; }
    CCustomMFCRibbonApplicationButton* GetApplicationButton() const { return m_pAppButton; }
    CTrayIcon* GetTrayIcon() const { return m_pTray; }
    QLabel* GetStatusPane(int nPane) const { return nPane == 1 ? m_pStatusPane1 : m_pStatusPane2; }
    int GetAutoStartState() const { return m_nAutoStartState; }

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

    CAppContext& m_context;
    // Start-up options (-1 = not determined yet).
    int m_nAutoStartState = -1;
    std::optional<int> m_nAutoPlay; // the stored value, once read
    CTrayIcon* m_pTray = nullptr;
    QLabel* m_pStatusPane1 = nullptr;
    QLabel* m_pStatusPane2 = nullptr;
    CCustomMFCRibbonBar* m_pRibbon = nullptr;
    CCustomMFCRibbonApplicationButton* m_pAppButton = nullptr;
    UINT m_nAppLook;
    bool m_bClosingForReal = false;
};
