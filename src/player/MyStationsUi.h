// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// My Stations in the player view: which list the view's channel table shows (the maker's list or
// My Stations, one ribbon two-state button, remembered), and the commands that fill and tend My
// Stations: add from the maker's list, by address, from the station directory or a playlist file
// (chosen or dropped on the main window), rename, remove, move, export, and the tray's submenu.
//
// Both lists are shown in the same table with the same columns (serial number, name, description,
// language, hidden address), so the player logic, the hot keys and the desktop's media controls act
// on whichever list is shown. While My Stations is shown, a reload of the maker's list leaves the
// rows alone; the downloaded file waits on disk for the switch back.
#include "base/Commands.h"
#include "stations/MyStations.h"

#include <QObject>
#include <QPointer>
#include <functional>

class CAppContext;
class CChannelPlayer;
class CCommandActions;
class CDirectoryWindow;
class CChannelListView;
class QPoint;
class QWidget;

class CMyStationsUi : public QObject
{
    Q_OBJECT
public:
    // playAddress plays a stream that is not a row of the list (a directory result). The commands
    // are bound on actions for as long as this lives (it belongs to the player's page, pView).
    CMyStationsUi(QWidget* pView, CCommandActions& actions, CChannelListView* pList, CChannelPlayer& logic,
                  std::function<void(const QString& strName, const QString& strUrl)> playAddress);
    ~CMyStationsUi() override;

    // Loads My Stations and, when they were shown last time, shows them (with auto play, the
    // station played last plays).
    void Initialize();
    bool IsShown() const { return m_bShown; }
    // True while the control's selection is being put back after a refill: no Play follows.
    bool IsSelectingQuietly() const { return m_bQuiet; }
    CMyStations& Stations() { return m_stations; }

    // Pushes the enabled and checked state of the commands (after the list's selection or rows
    // changed).
    void UpdateActions();

    // Imports playlist files; the message says how many stations were added and refused.
    void ImportFiles(const QStringList& paths);

signals:
    // After every refill of the list by this class (the page re-applies its filter).
    void RowsChanged();
    // The names for the tray's "My Stations" submenu, in order; none hide it.
    void StationNamesChanged(const QStringList& names);
    // A line for the status bar.
    void StatusText(const QString& strText);
    // The maker's list is to be shown again: from the file on disk (reload), or downloaded.
    void ChannelListReloadWanted();
    void ChannelListDownloadWanted();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void ShowList(bool bMyStations);
    void FillRows(int nSelect);
    void OnStationsChanged();
    void UpdateTray();
    void BindCommands();
    void ShowContextMenu(const QPoint& pos);
    void Message(const QString& strText, bool bWarning);
    int SelectedRow() const;

    void OnAddFromList();
    void OnAddByAddress();
    void OnRename();
    void OnRemove();
    void OnMove(int nDelta);
    void OnImport();
    void OnExport();
    void OnDirectory();
    void OnTrayStation(UINT nID);

    QWidget* m_pView;
    CCommandActions& m_actions;
    CChannelListView* m_pList;
    CChannelPlayer& m_logic;
    std::function<void(const QString&, const QString&)> m_playAddress;
    CMyStations m_stations;
    bool m_bShown = false;
    bool m_bQuiet = false;
    QPointer<CDirectoryWindow> m_pDirectory;
};
