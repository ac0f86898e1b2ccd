// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/SongHistoryWindow.h"

#include "playback/SongHistory.h"
#include "player/StreamRecorder.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
enum EColumn
{
    kTimeColumn,
    kChannelColumn,
    kTitleColumn
};
constexpr int kTextRole = Qt::UserRole;
} // namespace

CSongHistoryWindow::CSongHistoryWindow(CSongHistory* pHistory, QWidget* parent)
    : QWidget(parent, Qt::Window), m_pHistory(pHistory), m_pSearch(new QLineEdit(this)),
      m_pList(new QTreeWidget(this)), m_pSaveSong(new QPushButton(tr("Save Song"), this))
{
    setWindowTitle(tr("Song History"));
    setObjectName(QStringLiteral("SongHistory"));
    resize(560, 420);

    m_pSearch->setPlaceholderText(tr("Search"));
    m_pSearch->setAccessibleName(tr("Search"));
    m_pSearch->setClearButtonEnabled(true);
    m_pList->setHeaderLabels({tr("Time"), tr("Channel"), tr("Title")});
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setAccessibleName(tr("Songs"));
    m_pList->header()->setStretchLastSection(true);
    auto* pCopy = new QPushButton(tr("Copy"), this);

    auto* pCopyAction = new QAction(tr("Copy"), this);
    pCopyAction->setShortcut(QKeySequence::Copy);
    pCopyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(pCopyAction);
    m_pList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pList->addAction(pCopyAction);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pSaveSong);
    pButtons->addWidget(pCopy);
    m_pSaveSong->setToolTip(tr("Save the selected song from the buffer of the channel that plays"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pSearch);
    pLayout->addWidget(m_pList, 1);
    pLayout->addLayout(pButtons);

    connect(m_pSearch, &QLineEdit::textChanged, this, &CSongHistoryWindow::ApplySearch);
    connect(pCopy, &QPushButton::clicked, this, &CSongHistoryWindow::CopySelection);
    connect(pCopyAction, &QAction::triggered, this, &CSongHistoryWindow::CopySelection);
    connect(m_pSaveSong, &QPushButton::clicked, this, &CSongHistoryWindow::SaveSelectedSong);
    connect(m_pList, &QTreeWidget::itemSelectionChanged, this, &CSongHistoryWindow::UpdateSaveSong);
    connect(m_pHistory, &CSongHistory::Changed, this, &CSongHistoryWindow::Fill);
    Fill();
}

void CSongHistoryWindow::SetRecorder(CStreamRecorder* pRecorder)
{
    if (m_pRecorder == pRecorder)
        return;
    if (m_pRecorder)
        disconnect(m_pRecorder, nullptr, this, nullptr);
    m_pRecorder = pRecorder;
    if (m_pRecorder)
    {
        connect(m_pRecorder, &CStreamRecorder::BufferedSongsChanged, this,
                &CSongHistoryWindow::UpdateSaveSong);
        connect(m_pRecorder, &QObject::destroyed, this, &CSongHistoryWindow::UpdateSaveSong,
                Qt::QueuedConnection);
    }
    UpdateSaveSong();
}

int CSongHistoryWindow::SelectedBufferedSong() const
{
    const QList<QTreeWidgetItem*> selected = m_pList->selectedItems();
    if (!m_pRecorder || selected.size() != 1 || selected.first()->isHidden())
        return -1;
    return m_pRecorder->BufferedSong(selected.first()->text(kChannelColumn),
                                     selected.first()->text(kTitleColumn));
}

void CSongHistoryWindow::UpdateSaveSong()
{
    m_pSaveSong->setEnabled(SelectedBufferedSong() >= 0);
}

void CSongHistoryWindow::SaveSelectedSong()
{
    const int nSong = SelectedBufferedSong();
    if (nSong >= 0)
        m_pRecorder->SaveSong(nSong);
}

void CSongHistoryWindow::Fill()
{
    m_pList->clear();
    const QLocale locale;
    QList<QTreeWidgetItem*> items;
    const auto& songs = m_pHistory->Songs();
    for (qsizetype i = songs.size() - 1; i >= 0; --i)
    {
        const CSongHistory::SSong& song = songs.at(i);
        auto* pItem = new QTreeWidgetItem(
            {locale.toString(song.time, QLocale::ShortFormat), song.strChannel, song.strTitle});
        pItem->setData(kTimeColumn, kTextRole, song.Text());
        items.append(pItem);
    }
    m_pList->addTopLevelItems(items);
    m_pList->resizeColumnToContents(kTimeColumn);
    ApplySearch();
    UpdateSaveSong();
}

void CSongHistoryWindow::ApplySearch()
{
    const QString strText = m_pSearch->text().trimmed();
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* pItem = m_pList->topLevelItem(i);
        const bool bMatch = strText.isEmpty() ||
                            pItem->text(kChannelColumn).contains(strText, Qt::CaseInsensitive) ||
                            pItem->text(kTitleColumn).contains(strText, Qt::CaseInsensitive);
        pItem->setHidden(!bMatch);
    }
}

QString CSongHistoryWindow::SelectedText() const
{
    QStringList lines;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* pItem = m_pList->topLevelItem(i);
        if (pItem->isSelected() && !pItem->isHidden())
            lines << pItem->data(kTimeColumn, kTextRole).toString();
    }
    return lines.join(QLatin1Char('\n'));
}

void CSongHistoryWindow::CopySelection()
{
    const QString strText = SelectedText();
    if (!strText.isEmpty())
        QGuiApplication::clipboard()->setText(strText);
}
