// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Listening back on the player's page: the Pause, Live, Previous Song and Next Song commands, and
// the keys that move in the rewind buffer (Left/Right 10 seconds, with Shift a minute). The commands
// are bound for as long as the page lives and follow the engine's buffer; the keys work wherever the
// page has the focus except where a box takes them for itself (a text box, a slider).
#include <QObject>

class CCommandActions;
class CPlaybackEngine;
class QShortcut;
class QWidget;

class CListenBackControl : public QObject
{
    Q_OBJECT
public:
    CListenBackControl(CPlaybackEngine* pEngine, CCommandActions& actions, QWidget* pPage);

    // The index (of BufferedSongs) of the song heard now: the last that began at or just after the
    // playing point; -1 without a buffer or before the first.
    static int PlayingSong(const CPlaybackEngine& engine);
    // Whether a title begins after what is heard now.
    static bool HasNextSong(const CPlaybackEngine& engine);

private:
    void Update();

    CPlaybackEngine* m_pEngine;
    CCommandActions& m_actions;
    QList<QShortcut*> m_keys;
};
