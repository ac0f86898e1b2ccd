// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/MainFrame.h"
#include "base/TextAreas.h"

#include "base/Resources.h"
#include "base/ServerAddresses.h"
#include "base/SettingsStore.h"
#include "base/StringTable.h"
#include "frame/ApplicationLook.h"
#include "frame/ChannelListRefresh.h"
#include "context/CommandActions.h"
#include "frame/MprisService.h"
#include "player/StreamRecorder.h"
#include "frame/OutputDeviceChoice.h"
#include "frame/SleepTimerControl.h"
#include "frame/SongHistoryControl.h"
#include "frame/SongNotifier.h"
#include "frame/TrayIcon.h"
#include "platform/Autostart.h"
#include "platform/HotKeyService.h"
#include "platform/PlainText.h"
#include "platform/WaitCursor.h"
#include "platform/WindowSystem.h"
#include "context/AppContext.h"
#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "ribbon/CustomMFCRibbonBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QWindow>

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

CMainFrame::CMainFrame(CAppContext& context)
    : m_context(context), m_actions(context.Actions()), m_pPages(new QStackedWidget(this)),
      m_nAppLook(UINT(context.Settings().Read(settings::kApplicationLook)))
{
    // Caption, system menu, sizing border; no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    InitVedrixResources();
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/res/icons/vedrix.svg")));
    m_pPages->setObjectName(QStringLiteral("Pages"));
    setCentralWidget(m_pPages);
    resize(kDefaultSize);
    RegisterCommands();
}

CMainFrame::~CMainFrame()
{
    // Pages may run the event loop while they go (players, web pages); the frame must still be whole
    // then.
    ClosePage();
}

void CMainFrame::AddPageFactory(PageFactory make)
{
    m_pageFactories.push_back(std::move(make));
}

QWidget* CMainFrame::GetActivePage() const
{
    return m_pPages->currentWidget();
}

void CMainFrame::ClosePage()
{
    // Deleted at once, not on a later turn of the event loop: the old page must be gone (and its
    // hot keys released) before the next page registers its own.
    while (QWidget* page = m_pPages->widget(0))
    {
        m_pPages->removeWidget(page);
        delete page;
    }
}

void CMainFrame::OpenCategoryView(int nIndex)
{
    if (m_pageFactories.empty())
        return;
    const int count = int(m_pageFactories.size());
    const int index = nIndex >= 0 && nIndex < count ? nIndex : count - 1;
    // The old page's hot keys go now and the new page's come on a later turn: the desktop is asked
    // once, for what the new page registered.
    m_context.HotKeys().HoldChanges();
    ClosePage();
    QMetaObject::invokeMethod(
        this,
        [this, index]
        {
            OpenPage(index);
            m_context.HotKeys().ReleaseChanges();
        },
        Qt::QueuedConnection);
}

bool CMainFrame::OpenPage(int nIndex)
{
    if (nIndex < 0 || nIndex >= int(m_pageFactories.size()))
        return false;
    // Two activations in quick succession (an arrow key, then Space on the tab) ask for two
    // openings; one page is still all there may be. The old page's going may turn the event loop:
    // the desktop hears of the hot keys once the new page has registered its own.
    m_context.HotKeys().HoldChanges();
    const auto release = qScopeGuard([this] { m_context.HotKeys().ReleaseChanges(); });
    ClosePage();
    QWidget* page = m_pageFactories[size_t(nIndex)]();
    if (!page)
        return false;
    m_pPages->addWidget(page);
    m_pPages->setCurrentWidget(page);
    page->setFocus();
    if (page->metaObject()->indexOfMethod("OnInitialUpdate()") >= 0)
        QMetaObject::invokeMethod(page, "OnInitialUpdate", Qt::DirectConnection);
    RenewStatusPanes();
    emit PageOpened(nIndex, page);
    return true;
}

bool CMainFrame::LoadFrame()
{
    m_pTray = new CTrayIcon(this);
    // The player's page handles it: with the player's entries, before the submenus.
    m_pTray->AddCheckCommand(ID_RECORD, text::Tray::tr("Record"));
    m_pTray->AddCommand(ID_PAUSE, text::Tray::tr("Pause"));
    m_pTray->AddCommand(ID_SAVE_SONG, text::Tray::tr("Save Song"));
    m_pSleepTimer = new CSleepTimerControl(&m_context.NowPlaying(), m_context.Settings(), m_actions, this);
    m_pTray->AddSubmenu(m_pSleepTimer->CreateMenu(text::Tray::tr("Sleep Timer"), this));
    connect(m_pSleepTimer, &CSleepTimerControl::TipChanged, m_pTray, &CTrayIcon::SetExtraTipLine);
    auto* pHistory = new CSongHistoryControl(&m_context.NowPlaying(), this);
    m_pTray->AddSubmenu(pHistory->CreateRecentMenu(text::Tray::tr("Recent Songs"), this));
    // The history window saves songs through the recorder of the player's page, while one is open.
    connect(this, &CMainFrame::PageOpened, pHistory,
            [pHistory](int, QWidget* pPage) { pHistory->SetRecorder(pPage->findChild<CStreamRecorder*>()); });
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

    m_pRibbon->UseActions([this](UINT nID) { return m_actions.Action(nID); });
    connect(m_pRibbon, &CCustomMFCRibbonBar::CategoryActivated, this, &CMainFrame::OpenCategoryView,
            Qt::QueuedConnection);
    connect(m_pAppButton, &CCustomMFCRibbonApplicationButton::NextLookRequested, this,
            [this] { ApplyApplicationLook(looks::NextLook(m_nAppLook)); }, Qt::QueuedConnection);
    // The start category's page (the ribbon told its activation before it was connected).
    OpenCategoryView(m_pRibbon->GetCategoryIndex(m_pRibbon->GetActiveCategory()));

    // The desktop's media controls and song notifications follow what the player's page plays.
    (new CSongNotifier(&m_context.NowPlaying(), m_context.Settings(), this))->BindCommands(m_actions);
    new CMprisService(&m_context.NowPlaying(), m_actions, this);

    // Alt+F4 is the window manager's, but without one it still only hides the window.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
    // Tab stays inside the view's window; F6 moves between the view and the ribbon, as between a
    // window's panes elsewhere.
    for (QKeySequence keys : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &CMainFrame::SwitchPane);
    for (auto [nID, keys] : {std::pair{ID_FILE_NEW, QKeySequence(Qt::CTRL | Qt::Key_N)},
                             std::pair{ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)}})
    {
        QAction* action = m_actions.Action(nID);
        action->setShortcut(keys);
        addAction(action);
    }
    return true;
}

void CMainFrame::RegisterCommands()
{
    auto* lookGroup = new QActionGroup(this);
    for (UINT nLook = looks::kFirstLook; nLook <= looks::kLastLook; ++nLook)
    {
        lookGroup->addAction(m_actions.Bind(nLook, this, [this, nLook] { ApplyApplicationLook(nLook); }));
        m_actions.SetChecked(nLook, nLook == m_nAppLook);
    }
    m_actions.Bind(ID_TRAY_SHOW, this, [this] { ShowAndActivate(); });
    m_actions.Bind(ID_TRAY_EXIT, this, [this] { CloseForReal(); });
    // The toolbar and menu customisation dialog has no counterpart here; the entry does nothing.
    m_actions.Bind(ID_TRAY_CUSTOMIZE, this, [] {});
    m_actions.Bind(ID_REFRESH_CHANNELS, this, [this] { RefreshChannelList(this); });
    m_actions.Bind(ID_OPEN_PROMOTION_SITE, this, [] { OpenPromotionSite(); });
    m_actions.Bind(ID_OPEN_DOWNLOAD_SITE, this, [] { OpenDownloadSite(); });
    m_actions.Bind(ID_AUTO_STARTUP, this, [this] { OnAutoStartup(); });
    UpdateAutoStartup();
    m_actions.Bind(ID_AUTO_PLAY, this, [this] { ToggleAutoPlay(); });
    m_actions.SetChecked(ID_AUTO_PLAY, m_context.Settings().Read(settings::kAutoPlay) != 0);
    // The drop-down's own choices do the work; the element is there whichever page is shown.
    m_actions.Bind(ID_OUTPUT_DEVICE, this, [] {});
    m_actions.Bind(ID_HIDE_TO_TRAY, this,
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
    RenewStatusPanes();
}

void CMainFrame::RenewStatusPanes()
{
    // Many changes in one turn of the event loop renew the panes once, after them.
    if (m_bStatusRenewQueued)
        return;
    m_bStatusRenewQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this]
        {
            m_bStatusRenewQueued = false;
            UpdateStatusPanes();
        },
        Qt::QueuedConnection);
}

void CMainFrame::PlayChannelNumber(int nChannel)
{
    // What a forwarded channel number does is the player page's business.
    emit ChannelNumberRequested(nChannel);
}

void CMainFrame::LoadChannelList()
{
    RefreshChannelList(this, ERefresh::Automatic);
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
    m_actions.SetChecked(nLook, true);
    looks::Apply(nLook, m_pRibbon, m_pStatusPane1 ? statusBar() : nullptr);
    // The main window's layout leaves the ribbon's width out of its minimum; panels must not be squeezed.
    if (m_pRibbon)
        setMinimumWidth(m_pRibbon->minimumSizeHint().width());
    update();
    m_context.Settings().Write(settings::kApplicationLook, int(nLook));
}

void CMainFrame::ShowAndActivate()
{
    if (m_bMinimizedOnWayland)
    {
        // A Wayland client cannot take its own window out of the minimised state, nor learn that it is
        // in it (xdg-shell has no word for either): the window is unmapped and mapped afresh, which the
        // compositor shows.
        m_bMinimizedOnWayland = false;
        hide();
        showNormal();
    }
    else if (isMinimized())
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
    QWidget* view = GetActivePage();
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
    m_bMinimizedOnWayland = IsWaylandPlatform();
    showMinimized();
}

void CMainFrame::StartMinimized()
{
    if (!IsWaylandPlatform())
    {
        showMinimized();
        return;
    }
    // A Wayland compositor minimises only a window it has mapped; asked before, it shows the window.
    show();
    if (QWindow* window = windowHandle())
    {
        m_bMinimizeWhenExposed = true;
        window->installEventFilter(this);
    }
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* e)
{
    if (m_bMinimizeWhenExposed && pWatched == windowHandle() && e->type() == QEvent::Expose &&
        windowHandle()->isExposed())
    {
        m_bMinimizeWhenExposed = false;
        pWatched->removeEventFilter(this);
        // After the first frame has gone to the compositor.
        QMetaObject::invokeMethod(this, &CMainFrame::HideToTray, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(pWatched, e);
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
    ClosePage();
    if (m_pTray)
        m_pTray->RemoveTrayIcon();
    e->accept();
    QCoreApplication::quit();
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
    UpdateAutoStartup();
}

void CMainFrame::UpdateAutoStartup()
{
    if (m_nAutoStartState == -1)
        m_nAutoStartState = autostart::QueryAutoStart();
    const bool bAvailable = m_nAutoStartState != autostart::kUnavailable;
    m_actions.SetEnabled(ID_AUTO_STARTUP, bAvailable);
    m_actions.SetChecked(ID_AUTO_STARTUP, bAvailable && m_nAutoStartState == autostart::kOn);
}

void CMainFrame::ToggleAutoPlay()
{
    m_context.Settings().Toggle(settings::kAutoPlay);
    m_actions.SetChecked(ID_AUTO_PLAY, m_context.Settings().Read(settings::kAutoPlay) != 0);
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
    // A Wayland client is never told where the compositor put its window (Qt says 0,0): the position
    // that an X11 session stored stays for the next one.
    if (!IsWaylandPlatform())
    {
        m_context.Settings().Write(kPlacementLeft, rect.left());
        m_context.Settings().Write(kPlacementTop, rect.top());
    }
    m_context.Settings().Write(kPlacementWidth, rect.width());
    m_context.Settings().Write(kPlacementHeight, rect.height());
}
