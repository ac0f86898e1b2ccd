// The ribbon's layout: four categories, one per document template and in the same order.
#include "app/AppContext.h"
#include "app/StringTable.h"
#include "frame/ApplicationLook.h"
#include "frame/MainFrame.h"
#include "frame/SleepTimerControl.h"
#include "frame/SongNotifier.h"
#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "ribbon/CustomMFCRibbonBar.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

namespace
{
QIcon ResIcon(const char* name)
{
    return QIcon(QStringLiteral(":/res/icons/%1.svg").arg(QLatin1String(name)));
}

// Tooltip and description from the string table; an element without an entry shows its label.
template <typename W> W* WithTips(W* pWidget, UINT nID, const QString& strLabel)
{
    const QString tip = CommandTooltip(nID);
    CRibbonBar::SetElementTips(pWidget, tip.isEmpty() ? strLabel : tip, CommandDescription(nID));
    return pWidget;
}
} // namespace

void CMainFrame::InitializeRibbon()
{
    CCustomMFCRibbonBar* bar = m_pRibbon;
    const QIcon panelIcon = ResIcon("panel");
    const QIcon play = ResIcon("play"), stop = ResIcon("stop"), refresh = ResIcon("refresh");

    m_pAppButton = new CCustomMFCRibbonApplicationButton(bar);
    m_pAppButton->setIcon(ResIcon("vedrix"));
    m_pAppButton->setIconSize(QSize(26, 26));
    m_pAppButton->setFixedSize(45, 45);
    m_pAppButton->setToolTip(LoadString(strings::IDS_APP_BUTTON_TIP));
    bar->SetApplicationButton(m_pAppButton);

    auto button = [](CRibbonPanel* panel, UINT nID, const char* label, const QIcon& small, const QIcon& large)
    {
        const QString text = QString::fromLatin1(label);
        WithTips(panel->AddButton(nID, text, small, large), nID, text);
    };
    auto check = [](CRibbonPanel* panel, UINT nID, const char* label)
    {
        const QString text = QString::fromLatin1(label);
        WithTips(panel->AddCheckBox(nID, text), nID, text);
    };

    CRibbonCategory* player = bar->AddCategory(QStringLiteral("Online Channel Player"));
    CRibbonPanel* controls = player->AddPanel(QStringLiteral("Channel Controls"), panelIcon);
    button(controls, ID_PLAY, "Play", play, play);
    button(controls, ID_PLAY_NEXT, "Play Next", play, play);
    button(controls, ID_PLAY_PREVIOUS, "Play Previous", play, play);
    button(controls, ID_STOP, "Stop", stop, stop);
    CRibbonPanel* management = player->AddPanel(QStringLiteral("Channel Management"), panelIcon);
    button(management, ID_REFRESH_CHANNELS, "Refresh Channels List", QIcon(), refresh);
    CRibbonPanel* filters = player->AddPanel(QStringLiteral("Channel Filters"), panelIcon);
    check(filters, ID_DISPLAY_ENGLISH_CHANNELS, "English");
    check(filters, ID_DISPLAY_GERMAN_CHANNELS, "German");
    check(filters, ID_DISPLAY_FRENCH_CHANNELS, "French");
    check(filters, ID_DISPLAY_BULGARIAN_CHANNELS, "Bulgarian");
    check(filters, ID_DISPLAY_ROMANIAN_CHANNELS, "Romanian");
    check(filters, ID_DISPLAY_CHINESE_CHANNELS, "Chinese");
    check(filters, ID_DISPLAY_INDIAN_CHANNELS, "Indian");
    CRibbonPanel* application = player->AddPanel(QStringLiteral("Application Management"), panelIcon);
    check(application, ID_DISPLAY_RADIO_CHANNELS, "Display Radio Channels");
    check(application, ID_DISPLAY_TV_CHANNELS, "Display TV Channels");
    button(application, ID_HIDE_TO_TRAY, "Hide to System Tray", QIcon(), QIcon());
    // The check box and a split button whose main part opens the station directory and whose arrow
    // holds the rest. The ribbon's least width is the main window's least width: this panel gives
    // way (clipped) in a window narrower than the ribbon rather than widening it.
    CRibbonPanel* mine = player->AddPanel(QStringLiteral("My Stations"), panelIcon);
    mine->setMinimumWidth(1);
    check(mine, ID_MY_STATIONS, "My Stations");
    QToolButton* directory = mine->AddButton(ID_STATION_DIRECTORY, QStringLiteral("Directory..."));
    WithTips(directory, ID_STATION_DIRECTORY, QStringLiteral("Station Directory..."));
    auto* stationsMenu = new QMenu(directory);
    const std::pair<UINT, const char*> stationCommands[] = {
        {ID_ADD_TO_MY_STATIONS, "Add to My Stations"},
        {ID_ADD_STATION_BY_ADDRESS, "Add Station by Address..."},
        {ID_RENAME_STATION, "Rename..."},
        {ID_REMOVE_STATION, "Remove"},
        {ID_MOVE_STATION_UP, "Move Up"},
        {ID_MOVE_STATION_DOWN, "Move Down"},
        {ID_IMPORT_PLAYLIST, "Import Playlist..."},
        {ID_EXPORT_PLAYLIST, "Export Playlist..."},
    };
    for (const auto& [nID, label] : stationCommands)
    {
        QAction* action = stationsMenu->addAction(QString::fromLatin1(label));
        action->setData(nID);
        const UINT id = nID;
        connect(action, &QAction::triggered, this, [this, id] { PostMessage(this, WM_COMMAND, WPARAM(id)); });
    }
    connect(stationsMenu, &QMenu::aboutToShow, this,
            [this, stationsMenu]
            {
                for (QAction* action : stationsMenu->actions())
                {
                    CCmdUI ui(action->data().toUInt());
                    OnCmdMsg(ui.m_nID, &ui);
                    action->setEnabled(ui.m_bEnabled);
                }
            });
    directory->setMenu(stationsMenu);
    directory->setPopupMode(QToolButton::MenuButtonPopup);

    CRibbonCategory* settingsCategory = bar->AddCategory(QStringLiteral("Settings"));
    CRibbonPanel* radio = settingsCategory->AddPanel(QStringLiteral("Radio Control"), panelIcon);
    check(radio, ID_AUTO_STARTUP, "Auto Startup with Windows");
    check(radio, ID_AUTO_PLAY, "Play Last Channel Automatically");
    check(radio, ID_SHOW_SONG_NOTIFICATIONS, "Show Song Notifications");

    CRibbonCategory* downloads = bar->AddCategory(QStringLiteral("Software Downloads"));
    CRibbonPanel* promoNav = downloads->AddPanel(QStringLiteral("Navigation"), panelIcon);
    button(promoNav, ID_OPEN_PROMOTION_SITE, "Open In New Window", QIcon(), QIcon());
    button(promoNav, ID_REFRESH_PROMOTION, "Refresh", QIcon(), QIcon());

    CRibbonCategory* more = bar->AddCategory(QStringLiteral("More Softwares"));
    CRibbonPanel* storeNav = more->AddPanel(QStringLiteral("Navigation"), panelIcon);
    button(storeNav, ID_OPEN_DOWNLOAD_SITE, "Open In New Window", QIcon(), QIcon());
    button(storeNav, ID_REFRESH_STORE, "Refresh", QIcon(), QIcon());

    // Right of the tabs: the Style drop-down, then About.
    auto* styleMenu = new QMenu(bar);
    for (UINT look = ID_VIEW_APPLOOK_OFF_2007_BLUE; look <= ID_VIEW_APPLOOK_OFF_2007_AQUA;
         ++look)
        bar->AddMenuCommand(styleMenu, look, looks::StyleMenuLabel(look));
    QToolButton* style = bar->AddDropDownToTabs(LoadString(strings::IDS_STYLE_LABEL), styleMenu);
    CRibbonBar::SetElementTips(style, LoadString(strings::IDS_STYLE_TIP),
                               LoadString(strings::IDS_STYLE_DESCRIPTION));
    QToolButton* about = bar->AddToTabs(ID_APP_ABOUT, QString(), ResIcon("about"));
    CRibbonBar::SetElementTips(about, CommandTooltip(ID_APP_ABOUT), CommandDescription(ID_APP_ABOUT));
    connect(styleMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandElements(); });
    // Then the sleep timer: here rather than in a panel, where it would widen the ribbon and with it
    // the window's least width.
    QToolButton* sleep = bar->AddDropDownToTabs(
        QStringLiteral("Sleep Timer"), m_pSleepTimer->CreateMenu(QStringLiteral("Sleep Timer"), bar));
    CRibbonBar::SetElementTips(
        sleep, QStringLiteral("Sleep Timer"),
        QStringLiteral("Stop playing after a while, or at the end of the current song."));

    // The start category; values that name no category start with the player.
    int category = m_context.Settings().Read(SLOT_LAST_CATEGORY);
    if (category < 0 || category >= bar->GetCategoryCount())
        category = 0;
    bar->SetActiveCategory(bar->GetCategory(category));
}
