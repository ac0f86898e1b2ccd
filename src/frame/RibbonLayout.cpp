// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The ribbon's layout: four categories, one per category page and in the same order.
#include "context/AppContext.h"
#include "base/StringTable.h"
#include "base/TextAreas.h"
#include "frame/ApplicationLook.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "frame/OutputDeviceChoice.h"
#include "frame/SleepTimerControl.h"
#include "frame/SongNotifier.h"
#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "ribbon/CustomMFCRibbonBar.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <tuple>

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

// A label in the user's language and its Alt letter. A translation marks its letter with "&" (the
// first occurrence of that letter); an English label takes the letter given here.
struct SLabel
{
    QString strText;
    QChar mnemonic;
};
SLabel Label(const char* source, char mnemonic = 0)
{
    QString text = text::Ribbon::tr(source);
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < text.size())
    {
        const QChar letter = text.at(amp + 1);
        return {text.remove(amp, 1), letter};
    }
    return {text, QLatin1Char(mnemonic)};
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
    auto button = [](CRibbonPanel* panel, UINT nID, const char* source, const QIcon& small,
                     const QIcon& large, char mnemonic)
    {
        const SLabel label = Label(source, mnemonic);
        CRibbonBar::SetMnemonic(
            WithTips(panel->AddButton(nID, label.strText, small, large), nID, label.strText), label.mnemonic);
    };
    auto check = [](CRibbonPanel* panel, UINT nID, const char* source, char mnemonic)
    {
        const SLabel label = Label(source, mnemonic);
        CRibbonBar::SetMnemonic(WithTips(panel->AddCheckBox(nID, label.strText), nID, label.strText),
                                label.mnemonic);
    };

    auto addCategory = [bar](const char* source, char mnemonic)
    {
        const SLabel label = Label(source, mnemonic);
        CRibbonCategory* added = bar->AddCategory(label.strText);
        CRibbonBar::SetMnemonic(bar->GetCategoryTab(bar->GetCategoryCount() - 1), label.mnemonic);
        return added;
    };

    CRibbonCategory* player = addCategory(QT_TRANSLATE_NOOP("Ribbon", "Online Channel Player"), 'O');
    CRibbonPanel* controls = player->AddPanel(text::Ribbon::tr("Channel Controls"), panelIcon);
    button(controls, ID_PLAY, QT_TRANSLATE_NOOP("Ribbon", "Play"), play, play, 'P');
    button(controls, ID_PLAY_NEXT, QT_TRANSLATE_NOOP("Ribbon", "Play Next"), play, play, 'N');
    button(controls, ID_PLAY_PREVIOUS, QT_TRANSLATE_NOOP("Ribbon", "Play Previous"), play, play, 'v');
    button(controls, ID_STOP, QT_TRANSLATE_NOOP("Ribbon", "Stop"), stop, stop, 'S');
    const QIcon record = ResIcon("record");
    // No letter of its own in English: every letter of its label already serves another element or a tab.
    const SLabel recordLabel = Label(QT_TRANSLATE_NOOP("Ribbon", "Record"));
    QToolButton* recordButton = WithTips(controls->AddButton(ID_RECORD, recordLabel.strText, record, record),
                                         ID_RECORD, recordLabel.strText);
    if (!recordLabel.mnemonic.isNull())
        CRibbonBar::SetMnemonic(recordButton, recordLabel.mnemonic);
    // Listening back: small buttons of icons alone, two columns, so the ribbon (and with it the
    // window's least width) grows little; the label is the tooltip and the accessible name.
    CRibbonPanel* listenBack = player->AddPanel(text::Ribbon::tr("Listen Back"), panelIcon);
    const std::tuple<UINT, const char*, QStyle::StandardPixmap> listenBackButtons[] = {
        {ID_PAUSE, QT_TRANSLATE_NOOP("Ribbon", "Pause"), QStyle::SP_MediaPause},
        {ID_GO_LIVE, QT_TRANSLATE_NOOP("Ribbon", "Live"), QStyle::SP_MediaSkipForward},
        {ID_SAVE_SONG, QT_TRANSLATE_NOOP("Ribbon", "Save Song"), QStyle::SP_DialogSaveButton},
        {ID_PREVIOUS_SONG, QT_TRANSLATE_NOOP("Ribbon", "Previous Song"), QStyle::SP_MediaSeekBackward},
        {ID_NEXT_SONG, QT_TRANSLATE_NOOP("Ribbon", "Next Song"), QStyle::SP_MediaSeekForward},
    };
    for (const auto& [nID, source, icon] : listenBackButtons)
    {
        const QString strLabel = text::Ribbon::tr(source);
        QToolButton* pButton =
            WithTips(listenBack->AddButton(nID, strLabel, bar->style()->standardIcon(icon)), nID, strLabel);
        pButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
        pButton->setAccessibleName(strLabel);
    }
    CRibbonPanel* management = player->AddPanel(text::Ribbon::tr("Channel Management"), panelIcon);
    button(management, ID_REFRESH_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Refresh Channels List"), QIcon(),
           refresh, 'R');
    CRibbonPanel* filters = player->AddPanel(text::Ribbon::tr("Channel Filters"), panelIcon);
    check(filters, ID_DISPLAY_ENGLISH_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "English"), 'E');
    check(filters, ID_DISPLAY_GERMAN_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "German"), 'G');
    check(filters, ID_DISPLAY_FRENCH_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "French"), 'F');
    check(filters, ID_DISPLAY_BULGARIAN_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Bulgarian"), 'B');
    check(filters, ID_DISPLAY_ROMANIAN_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Romanian"), 'a');
    check(filters, ID_DISPLAY_CHINESE_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Chinese"), 'C');
    check(filters, ID_DISPLAY_INDIAN_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Indian"), 'I');
    CRibbonPanel* application = player->AddPanel(text::Ribbon::tr("Application Management"), panelIcon);
    check(application, ID_DISPLAY_RADIO_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Display Radio Channels"), 'D');
    check(application, ID_DISPLAY_TV_CHANNELS, QT_TRANSLATE_NOOP("Ribbon", "Display TV Channels"), 'y');
    button(application, ID_HIDE_TO_TRAY, QT_TRANSLATE_NOOP("Ribbon", "Hide to System Tray"), QIcon(), QIcon(),
           'H');
    // The check box and a split button whose main part opens the station directory and whose arrow
    // holds the rest, kept small: the ribbon's least width is the main window's least width, and a
    // panel cut off at the window's edge would hide My Stations from anyone who does not widen it.
    CRibbonPanel* mine = player->AddPanel(text::Ribbon::tr("My Stations"), panelIcon);
    // No letter of its own: every letter of its label already serves another element of the page.
    const QString myStations = Label(QT_TRANSLATE_NOOP("Ribbon", "My Stations")).strText;
    WithTips(mine->AddCheckBox(ID_MY_STATIONS, myStations), ID_MY_STATIONS, myStations);
    QToolButton* directory =
        mine->AddButton(ID_STATION_DIRECTORY, Label(QT_TRANSLATE_NOOP("Ribbon", "Directory...")).strText);
    WithTips(directory, ID_STATION_DIRECTORY, text::Ribbon::tr("Station Directory..."));
    auto* stationsMenu = new QMenu(directory);
    const std::pair<UINT, const char*> stationCommands[] = {
        {ID_ADD_TO_MY_STATIONS, QT_TRANSLATE_NOOP("Ribbon", "Add to My Stations")},
        {ID_ADD_STATION_BY_ADDRESS, QT_TRANSLATE_NOOP("Ribbon", "Add Station by Address...")},
        {ID_RENAME_STATION, QT_TRANSLATE_NOOP("Ribbon", "Rename...")},
        {ID_REMOVE_STATION, QT_TRANSLATE_NOOP("Ribbon", "Remove")},
        {ID_MOVE_STATION_UP, QT_TRANSLATE_NOOP("Ribbon", "Move Up")},
        {ID_MOVE_STATION_DOWN, QT_TRANSLATE_NOOP("Ribbon", "Move Down")},
        {ID_IMPORT_PLAYLIST, QT_TRANSLATE_NOOP("Ribbon", "Import Playlist...")},
        {ID_EXPORT_PLAYLIST, QT_TRANSLATE_NOOP("Ribbon", "Export Playlist...")},
    };
    for (const auto& [nID, label] : stationCommands)
    {
        // The player's page binds them; the same actions fill the list's context menu.
        QAction* action = m_actions.Action(nID);
        action->setText(text::Ribbon::tr(label));
        stationsMenu->addAction(action);
    }
    directory->setMenu(stationsMenu);
    directory->setPopupMode(QToolButton::MenuButtonPopup);

    CRibbonCategory* settingsCategory = addCategory(QT_TRANSLATE_NOOP("Ribbon", "Settings"), 't');
    CRibbonPanel* radio = settingsCategory->AddPanel(text::Ribbon::tr("Radio Control"), panelIcon);
    check(radio, ID_AUTO_STARTUP, QT_TRANSLATE_NOOP("Ribbon", "Auto Startup with the Desktop"), 'A');
    check(radio, ID_AUTO_PLAY, QT_TRANSLATE_NOOP("Ribbon", "Play Last Channel Automatically"), 'L');
    check(radio, ID_SHOW_SONG_NOTIFICATIONS, QT_TRANSLATE_NOOP("Ribbon", "Show Song Notifications"), 'g');
    CRibbonPanel* sound = settingsCategory->AddPanel(text::Ribbon::tr("Sound"), panelIcon);
    const SLabel deviceLabel = Label(QT_TRANSLATE_NOOP("Ribbon", "Output Device"), 'u');
    QToolButton* device = sound->AddButton(ID_OUTPUT_DEVICE, deviceLabel.strText);
    CRibbonBar::SetElementTips(device, deviceLabel.strText,
                               text::Ribbon::tr("Choose the device that plays the sound."));
    device->setMenu((new COutputDeviceChoice(m_context.Settings(), m_context.Playback(), this))->CreateMenu(device));
    device->setPopupMode(QToolButton::InstantPopup);
    CRibbonBar::SetMnemonic(device, deviceLabel.mnemonic);

    CRibbonCategory* downloads = addCategory(QT_TRANSLATE_NOOP("Ribbon", "Software Downloads"), 'w');
    CRibbonPanel* promoNav = downloads->AddPanel(text::Ribbon::tr("Navigation"), panelIcon);
    button(promoNav, ID_OPEN_PROMOTION_SITE, QT_TRANSLATE_NOOP("Ribbon", "Open In New Window"), QIcon(),
           QIcon(), 'I');
    button(promoNav, ID_REFRESH_PROMOTION, QT_TRANSLATE_NOOP("Ribbon", "Refresh"), QIcon(), QIcon(), 'R');

    CRibbonCategory* more = addCategory(QT_TRANSLATE_NOOP("Ribbon", "More Softwares"), 'M');
    CRibbonPanel* storeNav = more->AddPanel(text::Ribbon::tr("Navigation"), panelIcon);
    button(storeNav, ID_OPEN_DOWNLOAD_SITE, QT_TRANSLATE_NOOP("Ribbon", "Open In New Window"), QIcon(),
           QIcon(), 'I');
    button(storeNav, ID_REFRESH_STORE, QT_TRANSLATE_NOOP("Ribbon", "Refresh"), QIcon(), QIcon(), 'R');

    // Right of the tabs: the Style drop-down, then About.
    auto* styleMenu = new QMenu(bar);
    for (UINT look = ID_VIEW_APPLOOK_OFF_2007_BLUE; look <= ID_VIEW_APPLOOK_OFF_2007_AQUA; ++look)
        bar->AddMenuCommand(styleMenu, look, looks::StyleMenuLabel(look));
    QToolButton* style = bar->AddDropDownToTabs(LoadString(strings::IDS_STYLE_LABEL), styleMenu);
    CRibbonBar::SetElementTips(style, LoadString(strings::IDS_STYLE_TIP),
                               LoadString(strings::IDS_STYLE_DESCRIPTION));
    QToolButton* about = bar->AddToTabs(ID_APP_ABOUT, QString(), ResIcon("about"));
    CRibbonBar::SetElementTips(about, CommandTooltip(ID_APP_ABOUT), CommandDescription(ID_APP_ABOUT));
    about->setAccessibleName(CommandTooltip(ID_APP_ABOUT)); // an icon alone
    // Then the sleep timer: here rather than in a panel, where it would widen the ribbon and with it
    // the window's least width.
    QToolButton* sleep = bar->AddDropDownToTabs(
        text::Ribbon::tr("Sleep Timer"), m_pSleepTimer->CreateMenu(text::Ribbon::tr("Sleep Timer"), bar));
    CRibbonBar::SetElementTips(
        sleep, text::Ribbon::tr("Sleep Timer"),
        text::Ribbon::tr("Stop playing after a while, or at the end of the current song."));
    bar->UpdateTabOrder();

    // The start category; values that name no category start with the player.
    int category = m_context.Settings().Read(settings::kLastCategory);
    if (category < 0 || category >= bar->GetCategoryCount())
        category = 0;
    bar->SetActiveCategory(bar->GetCategory(category));
}
