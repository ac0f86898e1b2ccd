// The ribbon's layout: four categories, one per document template and in the same order.
#include "app/AppContext.h"
#include "app/StringTable.h"
#include "frame/ApplicationLook.h"
#include "frame/MainFrame.h"
#include "frame/OutputDeviceChoice.h"
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

    // Each element has its Alt+letter (the letter underlined in its text). The tabs' letters are
    // unique over the whole window; an element's letter only within its page and the view under it
    // (the hot key form uses P, N, R and S).
    auto button = [](CRibbonPanel* panel, UINT nID, const char* label, const QIcon& small, const QIcon& large,
                     char mnemonic)
    {
        const QString text = QString::fromLatin1(label);
        CRibbonBar::SetMnemonic(WithTips(panel->AddButton(nID, text, small, large), nID, text),
                                QLatin1Char(mnemonic));
    };
    auto check = [](CRibbonPanel* panel, UINT nID, const char* label, char mnemonic)
    {
        const QString text = QString::fromLatin1(label);
        CRibbonBar::SetMnemonic(WithTips(panel->AddCheckBox(nID, text), nID, text), QLatin1Char(mnemonic));
    };

    CRibbonCategory* player = bar->AddCategory(QStringLiteral("Online Channel Player"));
    CRibbonPanel* controls = player->AddPanel(QStringLiteral("Channel Controls"), panelIcon);
    button(controls, ID_PLAY, "Play", play, play, 'P');
    button(controls, ID_PLAY_NEXT, "Play Next", play, play, 'N');
    button(controls, ID_PLAY_PREVIOUS, "Play Previous", play, play, 'v');
    button(controls, ID_STOP, "Stop", stop, stop, 'S');
    const QIcon record = ResIcon("record");
    // No letter of its own: every letter of its label already serves another element or a tab.
    WithTips(controls->AddButton(ID_RECORD, QStringLiteral("Record"), record, record), ID_RECORD,
             QStringLiteral("Record"));
    CRibbonPanel* management = player->AddPanel(QStringLiteral("Channel Management"), panelIcon);
    button(management, ID_REFRESH_CHANNELS, "Refresh Channels List", QIcon(), refresh, 'R');
    CRibbonPanel* filters = player->AddPanel(QStringLiteral("Channel Filters"), panelIcon);
    check(filters, ID_DISPLAY_ENGLISH_CHANNELS, "English", 'E');
    check(filters, ID_DISPLAY_GERMAN_CHANNELS, "German", 'G');
    check(filters, ID_DISPLAY_FRENCH_CHANNELS, "French", 'F');
    check(filters, ID_DISPLAY_BULGARIAN_CHANNELS, "Bulgarian", 'B');
    check(filters, ID_DISPLAY_ROMANIAN_CHANNELS, "Romanian", 'a');
    check(filters, ID_DISPLAY_CHINESE_CHANNELS, "Chinese", 'C');
    check(filters, ID_DISPLAY_INDIAN_CHANNELS, "Indian", 'I');
    CRibbonPanel* application = player->AddPanel(QStringLiteral("Application Management"), panelIcon);
    check(application, ID_DISPLAY_RADIO_CHANNELS, "Display Radio Channels", 'D');
    check(application, ID_DISPLAY_TV_CHANNELS, "Display TV Channels", 'y');
    button(application, ID_HIDE_TO_TRAY, "Hide to System Tray", QIcon(), QIcon(), 'H');
    // The check box and a split button whose main part opens the station directory and whose arrow
    // holds the rest, kept small: the ribbon's least width is the main window's least width, and a
    // panel cut off at the window's edge would hide My Stations from anyone who does not widen it.
    CRibbonPanel* mine = player->AddPanel(QStringLiteral("My Stations"), panelIcon);
    // No letter of its own: every letter of its label already serves another element of the page.
    WithTips(mine->AddCheckBox(ID_MY_STATIONS, QStringLiteral("My Stations")), ID_MY_STATIONS,
             QStringLiteral("My Stations"));
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
    check(radio, ID_AUTO_STARTUP, "Auto Startup with Windows", 'A');
    check(radio, ID_AUTO_PLAY, "Play Last Channel Automatically", 'L');
    check(radio, ID_SHOW_SONG_NOTIFICATIONS, "Show Song Notifications", 'g');
    CRibbonPanel* sound = settingsCategory->AddPanel(QStringLiteral("Sound"), panelIcon);
    QToolButton* device = sound->AddButton(ID_OUTPUT_DEVICE, QStringLiteral("Output Device"));
    CRibbonBar::SetElementTips(device, QStringLiteral("Output Device"),
                               QStringLiteral("Choose the device that plays the sound."));
    device->setMenu((new COutputDeviceChoice(this))->CreateMenu(device));
    device->setPopupMode(QToolButton::InstantPopup);
    CRibbonBar::SetMnemonic(device, QLatin1Char('u'));

    CRibbonCategory* downloads = bar->AddCategory(QStringLiteral("Software Downloads"));
    CRibbonPanel* promoNav = downloads->AddPanel(QStringLiteral("Navigation"), panelIcon);
    button(promoNav, ID_OPEN_PROMOTION_SITE, "Open In New Window", QIcon(), QIcon(), 'I');
    button(promoNav, ID_REFRESH_PROMOTION, "Refresh", QIcon(), QIcon(), 'R');

    CRibbonCategory* more = bar->AddCategory(QStringLiteral("More Softwares"));
    CRibbonPanel* storeNav = more->AddPanel(QStringLiteral("Navigation"), panelIcon);
    button(storeNav, ID_OPEN_DOWNLOAD_SITE, "Open In New Window", QIcon(), QIcon(), 'I');
    button(storeNav, ID_REFRESH_STORE, "Refresh", QIcon(), QIcon(), 'R');

    const char tabMnemonics[] = {'O', 't', 'w', 'M'};
    for (int i = 0; i < bar->GetCategoryCount(); ++i)
        CRibbonBar::SetMnemonic(bar->GetCategoryTab(i), QLatin1Char(tabMnemonics[i]));

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
    about->setAccessibleName(CommandTooltip(ID_APP_ABOUT)); // an icon alone
    connect(styleMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandElements(); });
    // Then the sleep timer: here rather than in a panel, where it would widen the ribbon and with it
    // the window's least width.
    QToolButton* sleep = bar->AddDropDownToTabs(
        QStringLiteral("Sleep Timer"), m_pSleepTimer->CreateMenu(QStringLiteral("Sleep Timer"), bar));
    CRibbonBar::SetElementTips(
        sleep, QStringLiteral("Sleep Timer"),
        QStringLiteral("Stop playing after a while, or at the end of the current song."));
    bar->UpdateTabOrder();

    // The start category; values that name no category start with the player.
    int category = m_context.Settings().Read(SLOT_LAST_CATEGORY);
    if (category < 0 || category >= bar->GetCategoryCount())
        category = 0;
    bar->SetActiveCategory(bar->GetCategory(category));
}
