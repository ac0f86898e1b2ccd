// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The songs heard, newest first, in a window of its own (not modal): a search box that narrows the
// list to the songs whose channel or title holds the text, and Copy (also Ctrl+C) that puts the
// selected songs, "channel - title" a line, on the clipboard. Save Song writes the selected song
// into the recording folder while the playing channel's rewind buffer still holds it.
#include <QPointer>
#include <QWidget>

class CSongHistory;
class CStreamRecorder;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class CSongHistoryWindow : public QWidget
{
    Q_OBJECT
public:
    CSongHistoryWindow(CSongHistory* pHistory, QWidget* parent);

    // The selected songs as copied.
    QString SelectedText() const;
    void CopySelection();
    // The recorder of the player's page, which saves songs from the buffer (null while no page has
    // one).
    void SetRecorder(CStreamRecorder* pRecorder);
    // The song that Save Song would save: an index of the buffer's songs, -1 for none.
    int SelectedBufferedSong() const;
    void SaveSelectedSong();
    QPushButton* SaveSongButton() const { return m_pSaveSong; }
    QLineEdit* SearchBox() const { return m_pSearch; }
    QTreeWidget* List() const { return m_pList; }

private:
    void Fill();
    void ApplySearch();
    void UpdateSaveSong();

    CSongHistory* m_pHistory;
    QLineEdit* m_pSearch;
    QTreeWidget* m_pList;
    QPushButton* m_pSaveSong;
    QPointer<CStreamRecorder> m_pRecorder;
};
