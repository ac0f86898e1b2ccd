// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The song history in the window: every new title of the playing stream is added to it; the tray's
// "Recent Songs" submenu shows the last ten (a click copies "channel - title"), and its last entry
// opens the history window, a list of all of them with a search box and a copy action.
#include "frame/SongHistoryWindow.h"
#include "playback/SongHistory.h"

#include <QObject>
#include <QPointer>

class CNowPlaying;
class CStreamRecorder;
class QMenu;
class QWidget;

class CSongHistoryControl : public QObject
{
    Q_OBJECT
public:
    // pWindowParent: the window the history window belongs to.
    CSongHistoryControl(CNowPlaying* pNowPlaying, QWidget* pWindowParent);
    ~CSongHistoryControl() override;

    QMenu* CreateRecentMenu(const QString& strTitle, QWidget* parent);
    void ShowWindow();
    CSongHistory& History() { return m_history; }
    CSongHistoryWindow* Window() const { return m_pWindow; }
    // The recorder of the player's page (null: none), for the window's Save Song.
    void SetRecorder(CStreamRecorder* pRecorder);

private:
    void FillRecentMenu(QMenu* pMenu);

    QWidget* m_pWindowParent;
    CSongHistory m_history;
    QPointer<CSongHistoryWindow> m_pWindow;
    QPointer<CStreamRecorder> m_pRecorder;
};
