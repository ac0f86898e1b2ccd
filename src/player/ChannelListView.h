// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player's channel list on screen: a QTableView over its own CChannelTableModel, sharing the
// model's selection, so clicks and arrow keys reach the owner through RowStateChanged as selections
// made in code do. Rows are of one fixed height (the view never measures their contents), the
// address column is hidden, and the current row is scrolled into view whenever it changes.
#include <QTableView>

class CChannelTableModel;

class CChannelListView : public QTableView
{
    Q_OBJECT
public:
    explicit CChannelListView(QWidget* parent = nullptr);

    CChannelTableModel& Channels() const { return *m_pChannels; }

signals:
    // A key pressed in the list, as its Windows virtual-key code, before the list moves its
    // selection (F8 and F9 play the previous and the next channel).
    void KeyDown(unsigned nVirtualKey);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Column widths from the model; a reset of the model forgets them in the header.
    void ApplyColumnWidths();

    CChannelTableModel* m_pChannels;
};
