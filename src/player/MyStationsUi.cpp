// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/MyStationsUi.h"
#include "base/TextAreas.h"

#include "base/SettingsStore.h"
#include "catalogue/ChannelCatalogue.h"
#include "catalogue/ChannelTableModel.h"
#include "catalogue/DataFolder.h"
#include "context/CommandActions.h"
#include "player/ChannelListView.h"
#include "platform/MessageBox.h"
#include "stationwindows/AddStationDlg.h"
#include "player/ChannelPlayer.h"
#include "stationwindows/DirectoryWindow.h"
#include "stations/Playlist.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>

namespace
{
QString Caption()
{
    return text::MyStations::tr("My Stations");
}

QString PlaylistFilters()
{
    return text::MyStations::tr("Playlists (*.m3u *.m3u8 *.pls *.xspf);;M3U playlist (*.m3u *.m3u8);;"
                                "PLS playlist (*.pls);;XSPF playlist (*.xspf);;All files (*)");
}

// The local playlist files among dropped data; other drops are not ours.
QStringList DroppedPlaylists(const QMimeData* pData)
{
    QStringList paths;
    if (!pData || !pData->hasUrls())
        return paths;
    for (const QUrl& url : pData->urls())
        if (url.isLocalFile() && PlaylistFormatFromName(url.toLocalFile()) != EPlaylistFormat::Unknown)
            paths << url.toLocalFile();
    return paths;
}
} // namespace

CMyStationsUi::CMyStationsUi(QWidget* pView, CCommandActions& actions, CChannelListView* pList,
                             CChannelPlayer& logic,
                             std::function<void(const QString&, const QString&)> playAddress)
    : QObject(pView), m_pView(pView), m_actions(actions), m_pList(pList), m_logic(logic),
      m_playAddress(std::move(playAddress))
{
    connect(&m_stations, &CMyStations::Changed, this, &CMyStationsUi::OnStationsChanged);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pList, &QWidget::customContextMenuRequested, this, &CMyStationsUi::ShowContextMenu);
    if (QItemSelectionModel* pSelection = m_pList->selectionModel())
        connect(pSelection, &QItemSelectionModel::selectionChanged, this, &CMyStationsUi::UpdateActions);
    connect(this, &CMyStationsUi::RowsChanged, this, &CMyStationsUi::UpdateActions);
    BindCommands();
}

CMyStationsUi::~CMyStationsUi()
{
    delete m_pDirectory;
}

void CMyStationsUi::Initialize()
{
    m_stations.Load();
    if (QWidget* pMain = m_pView->window(); pMain != m_pView)
    {
        // A playlist file dropped anywhere on the main window is imported.
        pMain->setAcceptDrops(true);
        pMain->installEventFilter(this);
    }
    UpdateTray();
    if (m_logic.Settings().Read(settings::kShowMyStations) == 1)
        ShowList(true);
}

void CMyStationsUi::BindCommands()
{
    m_actions.Bind(ID_MY_STATIONS, this,
                   [this]
                   {
                       m_logic.Settings().Write(settings::kShowMyStations, m_bShown ? 0 : 1);
                       ShowList(!m_bShown);
                   });
    const std::pair<UINT, std::function<void()>> commands[] = {
        {ID_ADD_TO_MY_STATIONS, [this] { OnAddFromList(); }},
        {ID_ADD_STATION_BY_ADDRESS, [this] { OnAddByAddress(); }},
        {ID_RENAME_STATION, [this] { OnRename(); }},
        {ID_REMOVE_STATION, [this] { OnRemove(); }},
        {ID_MOVE_STATION_UP, [this] { OnMove(-1); }},
        {ID_MOVE_STATION_DOWN, [this] { OnMove(+1); }},
        {ID_IMPORT_PLAYLIST, [this] { OnImport(); }},
        {ID_EXPORT_PLAYLIST, [this] { OnExport(); }},
        {ID_STATION_DIRECTORY, [this] { OnDirectory(); }},
    };
    for (const auto& [nID, handler] : commands)
        m_actions.Bind(nID, this, handler);
    for (UINT nID = ID_TRAY_MY_STATION_FIRST; nID <= ID_TRAY_MY_STATION_LAST; ++nID)
        m_actions.Bind(nID, this, [this, nID] { OnTrayStation(nID); });
    UpdateActions();
}

void CMyStationsUi::UpdateActions()
{
    const int nRow = SelectedRow();
    m_actions.SetChecked(ID_MY_STATIONS, m_bShown);
    m_actions.SetEnabled(ID_ADD_TO_MY_STATIONS, !m_bShown && nRow >= 0);
    m_actions.SetEnabled(ID_RENAME_STATION, m_bShown && nRow >= 0);
    m_actions.SetEnabled(ID_REMOVE_STATION, m_bShown && nRow >= 0);
    m_actions.SetEnabled(ID_MOVE_STATION_UP, m_bShown && nRow > 0);
    m_actions.SetEnabled(ID_MOVE_STATION_DOWN, m_bShown && nRow >= 0 && nRow + 1 < m_stations.Count());
    m_actions.SetEnabled(ID_EXPORT_PLAYLIST, m_stations.Count() > 0);
}

int CMyStationsUi::SelectedRow() const
{
    return m_pList->Channels().SelectedRow();
}

void CMyStationsUi::ShowList(bool bMyStations)
{
    m_bShown = bMyStations;
    if (bMyStations)
    {
        m_logic.SetLastRowSetting(settings::kMyStationsLastIndex);
        FillRows(-1);
        // A channel number of the command line names a row of the list that is shown.
        const int nPending = m_logic.GetPendingChannel();
        if (nPending > -1 && m_stations.Count() > 0)
        {
            m_logic.ClearPendingChannel();
            if (m_logic.SelectChannelNumber(nPending))
                return;
        }
        if (m_logic.Settings().Read(settings::kAutoPlay) == 1)
            m_logic.SelectLastChannel(m_logic.Settings().Read(settings::kMyStationsLastIndex));
        return;
    }
    m_logic.SetLastRowSetting(settings::kLastChannelIndex);
    m_pList->Channels().Clear();
    emit RowsChanged();
    // The maker's list comes back from the file that waits on disk, or from a new download (the
    // receivers queue it).
    if (QFileInfo::exists(GetChannelListPath()))
        emit ChannelListReloadWanted();
    else
        emit ChannelListDownloadWanted();
}

void CMyStationsUi::FillRows(int nSelect)
{
    const CStationList& stations = m_stations.Stations();
    std::vector<CChannelRecord> records(size_t(stations.size()));
    for (qsizetype i = 0; i < stations.size(); ++i)
    {
        CChannelRecord& record = records[size_t(i)];
        record.m_strName = stations[i].m_strName;
        record.m_strDescription = stations[i].m_strDescription;
        record.m_strLanguage = stations[i].m_strLanguage;
        record.m_strUrl = stations[i].m_strUrl;
    }
    m_pList->Channels().SetChannels({text::MyStations::tr("Sr No"), text::MyStations::tr("Station"),
                                     text::MyStations::tr("Description"), text::MyStations::tr("Language"),
                                     text::MyStations::tr("Address")},
                                    std::move(records));
    if (nSelect >= 0 && nSelect < stations.size())
    {
        // The station keeps playing: putting its row back selected is no request to play it.
        m_bQuiet = true;
        m_logic.SelectRow(nSelect);
        m_bQuiet = false;
    }
    emit RowsChanged();
}

void CMyStationsUi::OnStationsChanged()
{
    UpdateTray();
    UpdateActions();
    if (!m_bShown)
        return;
    const int nRow = SelectedRow();
    const QString strUrl = m_pList->Channels().Channel(nRow).m_strUrl;
    FillRows(strUrl.isEmpty() ? -1 : m_stations.IndexOfAddress(strUrl));
}

void CMyStationsUi::UpdateTray()
{
    QStringList names;
    for (const CStationRecord& station : m_stations.Stations())
        names << station.m_strName;
    emit StationNamesChanged(names);
}

void CMyStationsUi::Message(const QString& strText, bool bWarning)
{
    ShowMessageBox(m_pView->window(), Caption(),
                   bWarning ? QMessageBox::Warning : QMessageBox::Information, strText);
}

void CMyStationsUi::ShowContextMenu(const QPoint& pos)
{
    auto* pMenu = new QMenu(m_pList);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<UINT, const char*> entries[] = {
        {ID_ADD_TO_MY_STATIONS, QT_TRANSLATE_NOOP("MyStations", "Add to My Stations")},
        {ID_ADD_STATION_BY_ADDRESS, QT_TRANSLATE_NOOP("MyStations", "Add Station by Address...")},
        {0, nullptr},
        {ID_RENAME_STATION, QT_TRANSLATE_NOOP("MyStations", "Rename...")},
        {ID_REMOVE_STATION, QT_TRANSLATE_NOOP("MyStations", "Remove")},
        {ID_MOVE_STATION_UP, QT_TRANSLATE_NOOP("MyStations", "Move Up")},
        {ID_MOVE_STATION_DOWN, QT_TRANSLATE_NOOP("MyStations", "Move Down")},
        {0, nullptr},
        {ID_FIND_IN_LIST, QT_TRANSLATE_NOOP("MyStations", "Filter...\tCtrl+F")},
    };
    for (const auto& [nID, label] : entries)
    {
        if (!label)
        {
            pMenu->addSeparator();
            continue;
        }
        // An entry of its own with the command's state; chosen, it runs the command once the menu
        // has closed.
        QAction* pAction = pMenu->addAction(text::MyStations::tr(label));
        pAction->setEnabled(m_actions.IsEnabled(nID));
        const UINT id = nID;
        connect(pAction, &QAction::triggered, this, [this, id] { m_actions.Post(id); });
    }
    pMenu->popup(m_pList->viewport()->mapToGlobal(pos));
}

void CMyStationsUi::OnAddFromList()
{
    const int nRow = SelectedRow();
    if (m_bShown || nRow < 0)
        return;
    const CChannel channel = m_pList->Channels().Channel(nRow);
    CStationRecord station;
    station.m_strName = channel.m_strName;
    station.m_strDescription = channel.m_strDescription;
    station.m_strLanguage = channel.m_strLanguage;
    station.m_strUrl = channel.m_strUrl;
    station.m_strOrigin = QString::fromLatin1(CStationRecord::kOriginList);
    const CMyStations::EResult eResult = m_stations.Add(station);
    if (eResult != CMyStations::Done)
        Message(CMyStations::Describe(eResult), true);
    else
        emit StatusText(text::MyStations::tr("\"%1\" was added to My Stations.").arg(station.m_strName));
}

void CMyStationsUi::OnAddByAddress()
{
    auto* pDlg = new CAddStationDlg(
        [this](const QString& strName, const QString& strUrl)
        {
            CStationRecord station;
            station.m_strName = strName;
            station.m_strUrl = strUrl;
            station.m_strOrigin = QString::fromLatin1(CStationRecord::kOriginAddress);
            return CMyStations::Describe(m_stations.Add(station));
        },
        m_pView->window());
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->open();
}

void CMyStationsUi::OnRename()
{
    const int nRow = SelectedRow();
    if (!m_bShown || nRow < 0 || nRow >= m_stations.Count())
        return;
    auto* pDlg = new QInputDialog(m_pView->window());
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->setWindowTitle(text::MyStations::tr("Rename Station"));
    pDlg->setLabelText(text::MyStations::tr("New name:"));
    pDlg->setTextValue(m_stations.Stations()[nRow].m_strName);
    const QString strUrl = m_stations.Stations()[nRow].m_strUrl;
    connect(pDlg, &QInputDialog::textValueSelected, this,
            [this, strUrl](const QString& strName)
            {
                // Found again by its address: the list may have changed while the dialog was open.
                const CMyStations::EResult eResult =
                    m_stations.Rename(m_stations.IndexOfAddress(strUrl), strName.trimmed());
                if (eResult != CMyStations::Done)
                    Message(CMyStations::Describe(eResult), true);
            });
    pDlg->open();
}

void CMyStationsUi::OnRemove()
{
    const int nRow = SelectedRow();
    if (!m_bShown || nRow < 0)
        return;
    const CMyStations::EResult eResult = m_stations.Remove(nRow);
    if (eResult != CMyStations::Done)
        Message(CMyStations::Describe(eResult), true);
}

void CMyStationsUi::OnMove(int nDelta)
{
    const int nRow = SelectedRow();
    if (!m_bShown || nRow < 0 || nRow + nDelta < 0 || nRow + nDelta >= m_stations.Count())
        return;
    const CMyStations::EResult eResult = m_stations.Move(nRow, nRow + nDelta);
    if (eResult != CMyStations::Done)
        Message(CMyStations::Describe(eResult), true);
}

void CMyStationsUi::ImportFiles(const QStringList& paths)
{
    CMyStations::SAddCounts counts;
    QStringList unreadable;
    const CMyStations::EResult eResult = m_stations.Import(paths, &counts, &unreadable);
    if (eResult != CMyStations::Done)
    {
        Message(CMyStations::Describe(eResult) + u'\n' + m_stations.LastWriteError(), true);
        return;
    }
    const int nAdded = counts.nAdded, nKnown = counts.nKnown, nRefused = counts.nRefused;
    QString strText = nAdded == 1
                          ? text::MyStations::tr("1 station was added to My Stations.")
                          : text::MyStations::tr("%1 stations were added to My Stations.").arg(nAdded);
    if (nRefused > 0)
        strText +=
            nRefused == 1
                ? text::MyStations::tr("\n1 entry was refused: it is not an internet stream address.")
                : text::MyStations::tr("\n%1 entries were refused: they are not internet stream addresses.")
                      .arg(nRefused);
    if (nKnown > 0)
        strText += text::MyStations::tr("\n%1 were in My Stations already.").arg(nKnown);
    if (!unreadable.isEmpty())
        strText += text::MyStations::tr("\nThese files could not be read: %1")
                       .arg(unreadable.join(QStringLiteral(", ")));
    Message(strText, nAdded == 0);
}

void CMyStationsUi::OnImport()
{
    auto* pDlg = new QFileDialog(m_pView->window(), text::MyStations::tr("Import Playlist"));
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->setFileMode(QFileDialog::ExistingFiles);
    pDlg->setNameFilters(PlaylistFilters().split(QStringLiteral(";;")));
    connect(pDlg, &QFileDialog::filesSelected, this, &CMyStationsUi::ImportFiles);
    pDlg->open();
}

void CMyStationsUi::OnExport()
{
    auto* pDlg = new QFileDialog(m_pView->window(), text::MyStations::tr("Export Playlist"));
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->setAcceptMode(QFileDialog::AcceptSave);
    pDlg->setNameFilters({text::MyStations::tr("M3U playlist (*.m3u)"),
                          text::MyStations::tr("PLS playlist (*.pls)"),
                          text::MyStations::tr("XSPF playlist (*.xspf)")});
    pDlg->setDefaultSuffix(QStringLiteral("m3u"));
    pDlg->selectFile(text::MyStations::tr("My Stations.m3u"));
    connect(pDlg, &QFileDialog::filterSelected, pDlg,
            [pDlg](const QString& strFilter)
            {
                const EPlaylistFormat eFormat = PlaylistFormatFromName(
                    strFilter.section(QLatin1Char('*'), 1).section(QLatin1Char(')'), 0, 0));
                pDlg->setDefaultSuffix(PlaylistExtension(eFormat));
            });
    connect(pDlg, &QFileDialog::fileSelected, this,
            [this](const QString& strPath)
            {
                EPlaylistFormat eFormat = PlaylistFormatFromName(strPath);
                if (eFormat == EPlaylistFormat::Unknown)
                    eFormat = EPlaylistFormat::M3U;
                QString strError;
                if (!m_stations.Export(strPath, eFormat, &strError))
                    Message(text::MyStations::tr("The playlist could not be written to %1: %2")
                                .arg(strPath, strError),
                            true);
            });
    pDlg->open();
}

void CMyStationsUi::OnDirectory()
{
    if (!m_pDirectory)
    {
        m_pDirectory = new CDirectoryWindow(m_pView->window());
        m_pDirectory->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_pDirectory, &CDirectoryWindow::PlayStation, this,
                [this](const CDirectoryStation& station)
                { m_playAddress(station.m_strName, station.PlayAddress()); });
        connect(m_pDirectory, &CDirectoryWindow::AddStation, this,
                [this](const CDirectoryStation& station)
                {
                    const CMyStations::EResult eResult = m_stations.Add(station.ToStationRecord());
                    m_pDirectory->SetStatus(
                        eResult == CMyStations::Done
                            ? text::MyStations::tr("\"%1\" was added to My Stations.").arg(station.m_strName)
                            : CMyStations::Describe(eResult));
                });
    }
    m_pDirectory->show();
    m_pDirectory->raise();
    m_pDirectory->activateWindow();
}

void CMyStationsUi::OnTrayStation(UINT nID)
{
    const int nIndex = int(nID - ID_TRAY_MY_STATION_FIRST);
    if (nIndex < 0 || nIndex >= m_stations.Count())
        return;
    if (!m_bShown)
    {
        m_logic.Settings().Write(settings::kShowMyStations, 1);
        m_bShown = true;
        m_logic.SetLastRowSetting(settings::kMyStationsLastIndex);
        FillRows(-1);
    }
    if (SelectedRow() == nIndex)
        m_actions.Post(ID_PLAY);
    else
        m_logic.SelectRow(nIndex);
}

bool CMyStationsUi::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::DragEnter || pEvent->type() == QEvent::DragMove)
    {
        auto* pDrag = static_cast<QDropEvent*>(pEvent);
        if (!DroppedPlaylists(pDrag->mimeData()).isEmpty())
        {
            pDrag->acceptProposedAction();
            return true;
        }
    }
    else if (pEvent->type() == QEvent::Drop)
    {
        auto* pDrop = static_cast<QDropEvent*>(pEvent);
        const QStringList paths = DroppedPlaylists(pDrop->mimeData());
        if (!paths.isEmpty())
        {
            pDrop->acceptProposedAction();
            ImportFiles(paths);
            return true;
        }
    }
    return QObject::eventFilter(pWatched, pEvent);
}
