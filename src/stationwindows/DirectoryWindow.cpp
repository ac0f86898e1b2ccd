// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stationwindows/DirectoryWindow.h"
#include "base/TextAreas.h"

#include "platform/PlainText.h"
#include "stations/FaviconCache.h"
#include "stationwindows/DirectoryResultsModel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace
{
// A common tag or country finds thousands of stations; this many of them, most played first, fill
// the list without the answer growing past half a megabyte.
constexpr int kResultLimit = 500;

QLineEdit* Field(QWidget* pParent, const QString& strName)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setAccessibleName(strName);
    pEdit->setClearButtonEnabled(true);
    return pEdit;
}
// A label whose mnemonic moves the focus to pEdit (without a buddy it shows the "&").
QLabel* Buddy(const QString& strText, QLineEdit* pEdit)
{
    auto* pLabel = new QLabel(strText, pEdit->parentWidget());
    pLabel->setBuddy(pEdit);
    return pLabel;
}
} // namespace

CDirectoryWindow::CDirectoryWindow(QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_pDirectory(new CStationDirectory(this)),
      m_pName(Field(this, text::Directory::tr("Name"))), m_pTag(Field(this, text::Directory::tr("Tag"))),
      m_pCountry(Field(this, text::Directory::tr("Country"))),
      m_pLanguage(Field(this, text::Directory::tr("Language"))),
      m_pSearch(new QPushButton(text::Directory::tr("&Search"), this)),
      m_pFavicons(new CFaviconCache(QString(), this)),
      m_pModel(new CDirectoryResultsModel(m_pFavicons, this)), m_pResults(new QTableView(this)),
      m_pPlay(new QPushButton(text::Directory::tr("&Play"), this)),
      m_pAdd(new QPushButton(text::Directory::tr("&Add to My Stations"), this)),
      m_pClose(new QPushButton(text::Directory::tr("Close"), this)), m_pStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("StationDirectory"));
    setWindowTitle(text::Directory::tr("Station Directory"));
    resize(720, 460);

    auto* pFields = new QFormLayout;
    pFields->addRow(text::Directory::tr("&Name:"), m_pName);
    auto* pRow = new QHBoxLayout;
    pRow->addWidget(Buddy(text::Directory::tr("&Tag:"), m_pTag));
    pRow->addWidget(m_pTag);
    pRow->addWidget(Buddy(text::Directory::tr("&Country:"), m_pCountry));
    pRow->addWidget(m_pCountry);
    pRow->addWidget(Buddy(text::Directory::tr("&Language:"), m_pLanguage));
    pRow->addWidget(m_pLanguage);
    pRow->addWidget(m_pSearch);
    pFields->addRow(pRow);

    m_pResults->setObjectName(QStringLiteral("DirectoryResults"));
    m_pResults->setAccessibleName(text::Directory::tr("Results"));
    m_pResults->setModel(m_pModel);
    m_pResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pResults->setWordWrap(false);
    m_pResults->setIconSize(QSize(CDirectoryResultsModel::kIconSize, CDirectoryResultsModel::kIconSize));
    // Rows of one height that nothing measures: a search's 500 rows show as fast as a screenful.
    QHeaderView* pRows = m_pResults->verticalHeader();
    pRows->hide();
    pRows->setSectionResizeMode(QHeaderView::Fixed);
    pRows->setDefaultSectionSize(qMax(fontMetrics().height(), int(CDirectoryResultsModel::kIconSize)) + 6);
    m_pResults->horizontalHeader()->setStretchLastSection(true);
    m_pResults->setColumnWidth(CDirectoryResultsModel::kColName, 260);
    // The directory's order is the popularity order; sorting by a column would hide it.
    m_pResults->setSortingEnabled(false);

    m_pClose->setObjectName(QStringLiteral("DirectoryClose"));
    m_pClose->setAutoDefault(false);
    m_pStatus->setObjectName(QStringLiteral("DirectoryStatus"));
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pStatus, 1);
    pButtons->addWidget(m_pPlay);
    pButtons->addWidget(m_pAdd);
    pButtons->addWidget(m_pClose);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addWidget(m_pResults, 1);
    pLayout->addLayout(pButtons);

    for (QLineEdit* pEdit : {m_pName, m_pTag, m_pCountry, m_pLanguage})
        connect(pEdit, &QLineEdit::returnPressed, this, &CDirectoryWindow::StartSearch);
    connect(m_pSearch, &QPushButton::clicked, this, &CDirectoryWindow::StartSearch);
    connect(m_pPlay, &QPushButton::clicked, this, &CDirectoryWindow::OnPlay);
    // Escape closes the window from any of its fields, the list too (a window, not a dialog, has no
    // Escape of its own). The field's clear button stays on the mouse.
    connect(m_pClose, &QPushButton::clicked, this, &QWidget::close);
    auto* pEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(pEscape, &QShortcut::activated, this, &QWidget::close);
    connect(m_pAdd, &QPushButton::clicked, this,
            [this]
            {
                if (const CDirectoryStation* pStation = SelectedStation())
                    emit AddStation(*pStation);
            });
    connect(m_pResults->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CDirectoryWindow::UpdateButtons);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, &CDirectoryWindow::UpdateButtons);
    connect(m_pResults, &QTableView::doubleClicked, this, &CDirectoryWindow::OnPlay);
    connect(m_pDirectory, &CStationDirectory::ResultsReady, this, &CDirectoryWindow::OnResults);
    connect(m_pDirectory, &CStationDirectory::Failed, this, &CDirectoryWindow::OnFailed);
    connect(m_pDirectory, &CStationDirectory::ClickCounted, this, [](const QString&, bool) {});

    UpdateButtons();
    StartSearch();
}

void CDirectoryWindow::SetStatus(const QString& strText)
{
    // Carries the directory's station names: never markup.
    SetPlainText(m_pStatus, strText);
}

const CDirectoryStation* CDirectoryWindow::SelectedStation() const
{
    const QModelIndexList rows = m_pResults->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_pModel->Stations().size())
        return nullptr;
    return &m_pModel->Stations()[rows.first().row()];
}

void CDirectoryWindow::StartSearch()
{
    CDirectoryQuery query;
    query.m_strName = m_pName->text().trimmed();
    query.m_strTag = m_pTag->text().trimmed();
    query.m_strCountry = m_pCountry->text().trimmed();
    query.m_strLanguage = m_pLanguage->text().trimmed();
    query.m_nLimit = kResultLimit;
    SetStatus(text::Directory::tr("Searching..."));
    m_pDirectory->Search(query);
}

void CDirectoryWindow::OnResults(const CDirectoryStationList& stations)
{
    const qsizetype nFound = stations.size();
    m_pModel->SetStations(stations);
    SetStatus(nFound == 0   ? text::Directory::tr("No station matches.")
              : nFound == 1 ? text::Directory::tr("1 station found.")
                            : text::Directory::tr("%1 stations found.").arg(nFound));
    UpdateButtons();
}

void CDirectoryWindow::OnFailed(const QString& strMessage)
{
    SetStatus(text::Directory::tr("The station directory could not be searched: %1").arg(strMessage));
}

void CDirectoryWindow::UpdateButtons()
{
    const bool bChosen = SelectedStation() != nullptr;
    m_pPlay->setEnabled(bChosen);
    m_pAdd->setEnabled(bChosen);
}

void CDirectoryWindow::OnPlay()
{
    const CDirectoryStation* pStation = SelectedStation();
    if (!pStation)
        return;
    // The directory counts what its users play; that is how it orders its results.
    if (!pStation->m_strUuid.isEmpty())
        m_pDirectory->CountClick(pStation->m_strUuid);
    emit PlayStation(*pStation);
}
