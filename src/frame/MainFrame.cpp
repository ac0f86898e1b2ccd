#include "frame/MainFrame.h"
#include "app/TextAreas.h"

#include "app/Resources.h"
#include "app/ServerAddresses.h"
#include "app/SettingsStore.h"
#include "app/StringTable.h"
#include "frame/ApplicationLook.h"
#include "frame/ChannelListRefresh.h"
#include "frame/MprisService.h"
#include "frame/OutputDeviceChoice.h"
#include "frame/SleepTimerControl.h"
#include "frame/SongHistoryControl.h"
#include "frame/SongNotifier.h"
#include "frame/TrayIcon.h"
#include "platform/Autostart.h"
#include "platform/DocTemplate.h"
#include "platform/IdleUpdate.h"
#include "platform/PlainText.h"
#include "platform/View.h"
#include "platform/WaitCursor.h"
#include "platform/WinApp.h"
#include "app/AppContext.h"
#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "ribbon/CustomMFCRibbonBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

namespace
{
// A status pane that asks for the width of a given number of "X" but can be squeezed. It shows the
// stream's title and the station's name: plain text, always.
class CStatusPane : public QLabel
{
public:
    CStatusPane(int nReservedChars, QWidget* parent) : QLabel(parent), m_nReservedChars(nReservedChars)
    {
        setTextFormat(Qt::PlainText);
    }
    QSize sizeHint() const override
    {
        const QSize base = QLabel::sizeHint();
        return {fontMetrics().horizontalAdvance(QString(m_nReservedChars, QLatin1Char('X'))), base.height()};
    }
    QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }

private:
    int m_nReservedChars;
};

constexpr int kPane1Chars = 81;
constexpr int kPane2Chars = 28;
constexpr QSize kDefaultSize(960, 680);
} // namespace

CMainFrame::CMainFrame(CAppContext& context, CWinApp* pApp)
    : CMDIFrameWnd(pApp), m_context(context),
      m_nAppLook(UINT(context.Settings().Read(settings::kApplicationLook)))
{
    // Caption, system menu, sizing border; no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    InitVedrixResources();
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/res/icons/vedrix.svg")));
    resize(kDefaultSize);
    RegisterCommands();
}

CMainFrame::~CMainFrame()
{
    // Views may run the event loop while they go (players, web pages); the frame must still be whole
    // then, and its idle update must not run on a half-destroyed frame.
    m_context.IdleUpdate().Remove(this);
    CloseAllDocuments();
}

bool CMainFrame::LoadFrame()
{
    m_pTray = new CTrayIcon(this);
    // The player view handles it: with the player's entries, before the submenus.
    m_pTray->AddCheckCommand(ID_RECORD, text::Tray::tr("Record"));
    m_pSleepTimer = new CSleepTimerControl(&m_context.NowPlaying(), m_context.Settings(), this);
    m_pSleepTimer->AddCommands(m_commandMap);
    m_pTray->AddSubmenu(m_pSleepTimer->CreateMenu(text::Tray::tr("Sleep Timer"), this));
    connect(m_pSleepTimer, &CSleepTimerControl::TipChanged, m_pTray, &CTrayIcon::SetExtraTipLine);
    auto* pHistory = new CSongHistoryControl(&m_context.NowPlaying(), this);
    m_pTray->AddSubmenu(pHistory->CreateRecentMenu(text::Tray::tr("Recent Songs"), this));
    if (!m_pTray->IsTrayAvailable())
        AllowMinimize();
    m_pRibbon = new CCustomMFCRibbonBar(this);
    setMenuWidget(m_pRibbon);
    ApplyApplicationLook(m_nAppLook);
    InitializeRibbon();
    CreateStatusBar();
    connect(&m_context.Settings(), &CSettingsStore::WriteFailed, this,
            [this]
            {
                SetStatusText(text::MainWindow::tr(
                    "A setting could not be saved: the settings file cannot be written."));
            });
    ApplyApplicationLook(m_nAppLook); // the status bar's colours

    connect(m_pRibbon, &CRibbonBar::CommandInvoked, this,
            [this](UINT nID) { SendMessage(this, WM_COMMAND, WPARAM(nID), 0); });
    m_context.IdleUpdate().Add(this, [this] { UpdateCommandElements(); });

    // The desktop's media controls and song notifications follow what the player view plays.
    (new CSongNotifier(&m_context.NowPlaying(), m_context.Settings(), this))->AddCommands(m_commandMap);
    new CMprisService(&m_context.NowPlaying(), this);

    // Alt+F4 is the window manager's, but without one it still only hides the window.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
    // Tab stays inside the view's window; F6 moves between the view and the ribbon, as between a
    // window's panes elsewhere.
    for (QKeySequence keys : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &CMainFrame::SwitchPane);
    auto* newDoc = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(newDoc, &QShortcut::activated, this, [this] { SendMessage(this, WM_COMMAND, ID_FILE_NEW); });
    auto* openDoc = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(openDoc, &QShortcut::activated, this, [this] { SendMessage(this, WM_COMMAND, ID_FILE_OPEN); });
    return true;
}

void CMainFrame::RegisterCommands()
{
    m_commandMap.OnRange(looks::kFirstLook, looks::kLastLook,
                         [this](UINT nID) { ApplyApplicationLook(nID); });
    m_commandMap.OnUpdateRange(looks::kFirstLook, looks::kLastLook,
                               [this](CCmdUI* pCmdUI) { pCmdUI->SetRadio(pCmdUI->m_nID == m_nAppLook); });
    m_commandMap.On(ID_TRAY_SHOW, [this] { ShowAndActivate(); });
    m_commandMap.On(ID_TRAY_EXIT, [this] { CloseForReal(); });
    // The toolbar and menu customisation dialog has no counterpart here; the entry does nothing.
    m_commandMap.On(ID_TRAY_CUSTOMIZE, [] {});
    m_commandMap.On(ID_REFRESH_CHANNELS, [this] { RefreshChannelList(this); });
    m_commandMap.On(ID_OPEN_PROMOTION_SITE, [] { OpenPromotionSite(); });
    m_commandMap.On(ID_REFRESH_PROMOTION, [this] { RefreshPromotionView(this); });
    m_commandMap.On(ID_OPEN_DOWNLOAD_SITE, [] { OpenDownloadSite(); });
    m_commandMap.On(ID_REFRESH_STORE, [this] { RefreshStoreView(this); });
    m_commandMap.On(ID_AUTO_STARTUP, [this] { OnAutoStartup(); });
    m_commandMap.OnUpdate(ID_AUTO_STARTUP, [this](CCmdUI* pCmdUI) { OnUpdateAutoStartup(pCmdUI); });
    m_commandMap.On(ID_AUTO_PLAY, [this] { ToggleAutoPlay(); });
    m_commandMap.OnUpdate(ID_AUTO_PLAY, [this](CCmdUI* pCmdUI) { OnUpdateAutoPlay(pCmdUI); });
    // The drop-down's own choices do the work; the element is there whichever view is shown.
    m_commandMap.On(ID_OUTPUT_DEVICE, [] {});
    m_commandMap.On(ID_HIDE_TO_TRAY,
                    [this]
                    {
                        SaveWindowPlacement();
                        HideToTray();
                    });
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    m_pStatusPane1 = new CStatusPane(kPane1Chars, bar);
    m_pStatusPane1->setObjectName(QStringLiteral("StatusPane1"));
    // No accessible name of its own: a screen reader reads the status itself.
    SetPlainText(m_pStatusPane1, text::MainWindow::tr("Current Status"));
    bar->addWidget(m_pStatusPane1, 1);
    m_pStatusPane2 = new CStatusPane(kPane2Chars, bar);
    m_pStatusPane2->setObjectName(QStringLiteral("StatusPane2"));
    SetPlainText(m_pStatusPane2, QStringLiteral("XXXX"));
    m_pStatusPane2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addPermanentWidget(m_pStatusPane2);
}

void CMainFrame::SetStatusText(const QString& strText)
{
    m_strStatusText = strText;
    if (m_pTray)
        m_pTray->UpdateTrayTip(m_strStatusText);
    PostMessage(this, WM_RENEW_STATUS_PANES);
}

void CMainFrame::UpdateStatusPanes()
{
    if (!m_pStatusPane1 || !m_pStatusPane2)
        return;
    QString description, text;
    switch (m_context.Settings().Read(settings::kLastCategory))
    {
    case 0:
        description = text::MainWindow::tr("This Pane Displays Current Status");
        text = m_strStatusText;
        break;
    case 1:
        description = text::MainWindow::tr("Get More Software Utilities");
        text = text::MainWindow::tr("Visit Palomer");
        break;
    case 2:
        description = text::MainWindow::tr("Download More Software Utilities");
        text = text::MainWindow::tr("Visit Palomer");
        break;
    case 3:
        description = text::MainWindow::tr("Visit Palomer");
        text = text::MainWindow::tr("Visit us at Palomer");
        break;
    default:
        return;
    }
    m_pStatusPane1->setToolTip(description);
    SetPlainText(m_pStatusPane1, text);
    m_pStatusPane2->setToolTip(
        PlainToolTip(text::MainWindow::tr("Please do drop us a line at ") + servers::SupportEmail()));
    SetPlainText(m_pStatusPane2, text::MainWindow::tr("Contact Us"));
}

void CMainFrame::ApplyApplicationLook(UINT nLook)
{
    CWaitCursor wait;
    m_nAppLook = nLook;
    looks::Apply(nLook, m_pRibbon, m_pStatusPane1 ? statusBar() : nullptr);
    // The main window's layout leaves the ribbon's width out of its minimum; panels must not be squeezed.
    if (m_pRibbon)
        setMinimumWidth(m_pRibbon->minimumSizeHint().width());
    update();
    m_context.Settings().Write(settings::kApplicationLook, int(nLook));
}

void CMainFrame::ShowAndActivate()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void CMainFrame::SwitchPane()
{
    QWidget* focus = QApplication::focusWidget();
    if (!m_pRibbon || !m_pRibbon->isAncestorOf(focus))
    {
        if (QAbstractButton* tab = m_pRibbon ? m_pRibbon->GetCategoryTab(m_pRibbon->GetCategoryIndex(
                                                   m_pRibbon->GetActiveCategory()))
                                             : nullptr)
            tab->setFocus(Qt::TabFocusReason);
        return;
    }
    CView* view = GetActiveView();
    if (!view)
        return;
    // The view's first control that Tab would reach, else the view itself.
    QWidget* target = view;
    for (QWidget* w = view->nextInFocusChain(); w && w != view; w = w->nextInFocusChain())
        if (view->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
        {
            target = w;
            break;
        }
    target->setFocus(Qt::TabFocusReason);
}

bool CMainFrame::HasTray() const
{
    return m_pTray && m_pTray->IsTrayAvailable();
}

void CMainFrame::HideToTray()
{
    if (HasTray())
    {
        hide();
        return;
    }
    // Without a notification area a hidden window could only come back through another start of
    // the program; minimised, the task bar or the window list still has it.
    if (!windowFlags().testFlag(Qt::WindowMinimizeButtonHint))
        AllowMinimize();
    showMinimized();
}

void CMainFrame::AllowMinimize()
{
    // Window managers refuse to iconify a window that offers no minimise function.
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
}

void CMainFrame::CloseForReal()
{
    m_bClosingForReal = true;
    SaveWindowPlacement();
    close();
}

void CMainFrame::closeEvent(QCloseEvent* e)
{
    if (!m_bClosingForReal)
    {
        SaveWindowPlacement();
        // The close box and Alt+F4 only hide the window; the tray icon stays.
        e->ignore();
        HideToTray();
        return;
    }
    CloseAllDocuments();
    if (m_pTray)
        m_pTray->RemoveTrayIcon();
    e->accept();
    QCoreApplication::quit();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_RENEW_STATUS_PANES:
        UpdateStatusPanes();
        break;
    case WM_OPEN_CATEGORY:
        OpenCategoryView(wParam);
        break;
    case WM_NEXT_LOOK:
        ApplyApplicationLook(looks::NextLook(m_nAppLook));
        break;
    case WM_OPEN_TEMPLATE:
        OpenTemplate(wParam);
        break;
    case WM_LOAD_CHANNELS:
        RefreshChannelList(this, ERefresh::Automatic);
        break;
    case WM_PLAY_CHANNEL_NUMBER:
        // What a forwarded channel number does is the player view's business.
        return SendMessage(GetActiveView(), WM_PLAY_CHANNEL_NUMBER, wParam, lParam);
    default:
        break;
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::OpenCategoryView(WPARAM nIndex)
{
    CWinApp* app = GetApp();
    if (!app || app->GetDocTemplates().empty())
        return;
    const size_t count = app->GetDocTemplates().size();
    const size_t index = nIndex < count ? size_t(nIndex) : count - 1;
    CloseAllDocuments();
    PostMessage(this, WM_OPEN_TEMPLATE, WPARAM(index));
}

void CMainFrame::OpenTemplate(WPARAM nIndex)
{
    CWinApp* app = GetApp();
    if (!app || nIndex >= app->GetDocTemplates().size())
        return;
    // Two activations in quick succession (an arrow key, then Space on the tab) post two openings;
    // one view is still all there may be.
    CloseAllDocuments();
    OpenDocument(app->GetDocTemplates()[size_t(nIndex)].get());
}

void CMainFrame::OnAutoStartup()
{
    // Not determined yet (-1) counts as on: the entry is removed.
    const bool bSwitchOn = m_nAutoStartState == autostart::kOff;
    m_nAutoStartState =
        autostart::SetAutoStart(bSwitchOn, QCoreApplication::applicationFilePath(), AppTitle());
    if (bSwitchOn && m_nAutoStartState != autostart::kOn)
        SetStatusText(text::MainWindow::tr(
            "The program could not be set to start at log-in: the entry could not be written."));
}

void CMainFrame::OnUpdateAutoStartup(CCmdUI* pCmdUI)
{
    if (m_nAutoStartState == -1)
        m_nAutoStartState = autostart::QueryAutoStart();
    if (m_nAutoStartState == autostart::kUnavailable)
    {
        pCmdUI->Enable(false);
        pCmdUI->SetCheck(0);
        return;
    }
    pCmdUI->SetCheck(m_nAutoStartState);
}

void CMainFrame::ToggleAutoPlay()
{
    m_context.Settings().Toggle(settings::kAutoPlay);
    m_nAutoPlay = m_context.Settings().Read(settings::kAutoPlay);
}

void CMainFrame::OnUpdateAutoPlay(CCmdUI* pCmdUI)
{
    if (!m_nAutoPlay)
        m_nAutoPlay = m_context.Settings().Read(settings::kAutoPlay);
    pCmdUI->SetCheck(*m_nAutoPlay);
}

void CMainFrame::UpdateCommandElements()
{
    if (m_pRibbon)
        m_pRibbon->UpdateCommandUI(this);
    if (m_pTray)
        m_pTray->UpdateMenuState();
}

bool CMainFrame::RestoreWindowPlacement()
{
    using namespace settings;
    const int width = m_context.Settings().Read(kPlacementWidth);
    const int height = m_context.Settings().Read(kPlacementHeight);
    if (width <= 0 || height <= 0)
        return false;
    QRect rect(m_context.Settings().Read(kPlacementLeft), m_context.Settings().Read(kPlacementTop), width,
               height);
    // A rectangle left on a screen that is gone comes back on the primary screen.
    bool bVisible = false;
    for (QScreen* screen : QGuiApplication::screens())
        bVisible = bVisible || screen->availableGeometry().intersects(rect);
    if (!bVisible)
        if (QScreen* primary = QGuiApplication::primaryScreen())
            rect.moveCenter(primary->availableGeometry().center());
    setGeometry(rect);
    return true;
}

void CMainFrame::SaveWindowPlacement() const
{
    using namespace settings;
    const QRect rect = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
    if (!rect.isValid())
        return;
    m_context.Settings().Write(kPlacementLeft, rect.left());
    m_context.Settings().Write(kPlacementTop, rect.top());
    m_context.Settings().Write(kPlacementWidth, rect.width());
    m_context.Settings().Write(kPlacementHeight, rect.height());
}
