// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/SongHistoryControl.h"

#include "frame/SongHistoryWindow.h"
#include "platform/PlainText.h"
#include "playback/NowPlaying.h"
#include "player/StreamRecorder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace
{
constexpr int kRecentCount = 10;
constexpr int kMenuTextChars = 60;
} // namespace

CSongHistoryControl::CSongHistoryControl(CNowPlaying* pNowPlaying, QWidget* pWindowParent)
    : QObject(pWindowParent), m_pWindowParent(pWindowParent)
{
    m_history.Load();
    connect(pNowPlaying, &CNowPlaying::SongChanged, &m_history,
            [this](const QString& strChannel, const QString& strTitle)
            { m_history.Add(strChannel, strTitle); });
}

CSongHistoryControl::~CSongHistoryControl()
{
    // The window watches the history, which goes with this object.
    delete m_pWindow;
}

QMenu* CSongHistoryControl::CreateRecentMenu(const QString& strTitle, QWidget* parent)
{
    auto* pMenu = new QMenu(strTitle, parent);
    connect(&m_history, &CSongHistory::Changed, pMenu, [this, pMenu] { FillRecentMenu(pMenu); });
    FillRecentMenu(pMenu);
    return pMenu;
}

void CSongHistoryControl::FillRecentMenu(QMenu* pMenu)
{
    pMenu->clear();
    const auto recent = m_history.Recent(kRecentCount);
    if (recent.isEmpty())
        pMenu->addAction(tr("No songs yet"))->setEnabled(false);
    for (const CSongHistory::SSong& song : recent)
    {
        const QString strText = song.Text();
        QString strLabel = strText.size() > kMenuTextChars
                               ? strText.left(kMenuTextChars - 3) + QStringLiteral("...")
                               : strText;
        QAction* action = pMenu->addAction(PlainMenuText(strLabel));
        connect(action, &QAction::triggered, this,
                [strText] { QGuiApplication::clipboard()->setText(strText); });
    }
    pMenu->addSeparator();
    connect(pMenu->addAction(tr("Song History...")), &QAction::triggered, this,
            &CSongHistoryControl::ShowWindow);
}

void CSongHistoryControl::ShowWindow()
{
    if (!m_pWindow)
    {
        m_pWindow = new CSongHistoryWindow(&m_history, m_pWindowParent);
        m_pWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_pWindow->SetRecorder(m_pRecorder);
    }
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
}

void CSongHistoryControl::SetRecorder(CStreamRecorder* pRecorder)
{
    m_pRecorder = pRecorder;
    if (m_pWindow)
        m_pWindow->SetRecorder(pRecorder);
}
