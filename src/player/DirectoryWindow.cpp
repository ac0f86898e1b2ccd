#include "player/DirectoryWindow.h"
#include "app/TextAreas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
enum EResultColumn
{
    kColName,
    kColCountry,
    kColCodec,
    kColBitrate,
    kColTags,
    kResultColumns
};

QLineEdit* Field(QWidget* pParent, const QString& strName)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setAccessibleName(strName);
    pEdit->setClearButtonEnabled(true);
    return pEdit;
}
} // namespace

CDirectoryWindow::CDirectoryWindow(QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_pDirectory(new CStationDirectory(this)),
      m_pName(Field(this, text::Directory::tr("Name"))), m_pTag(Field(this, text::Directory::tr("Tag"))),
      m_pCountry(Field(this, text::Directory::tr("Country"))),
      m_pLanguage(Field(this, text::Directory::tr("Language"))),
      m_pSearch(new QPushButton(text::Directory::tr("&Search"), this)),
      m_pResults(new QTableWidget(0, kResultColumns, this)),
      m_pPlay(new QPushButton(text::Directory::tr("&Play"), this)),
      m_pAdd(new QPushButton(text::Directory::tr("&Add to My Stations"), this)), m_pStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("StationDirectory"));
    setWindowTitle(text::Directory::tr("Station Directory"));
    resize(720, 460);

    auto* pFields = new QFormLayout;
    pFields->addRow(text::Directory::tr("&Name:"), m_pName);
    auto* pRow = new QHBoxLayout;
    pRow->addWidget(new QLabel(text::Directory::tr("&Tag:"), this));
    pRow->addWidget(m_pTag);
    pRow->addWidget(new QLabel(text::Directory::tr("&Country:"), this));
    pRow->addWidget(m_pCountry);
    pRow->addWidget(new QLabel(text::Directory::tr("&Language:"), this));
    pRow->addWidget(m_pLanguage);
    pRow->addWidget(m_pSearch);
    pFields->addRow(pRow);

    m_pResults->setObjectName(QStringLiteral("DirectoryResults"));
    m_pResults->setAccessibleName(text::Directory::tr("Results"));
    m_pResults->setHorizontalHeaderLabels({text::Directory::tr("Name"), text::Directory::tr("Country"),
                                           text::Directory::tr("Codec"), text::Directory::tr("Bitrate"),
                                           text::Directory::tr("Tags")});
    m_pResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pResults->verticalHeader()->hide();
    m_pResults->horizontalHeader()->setStretchLastSection(true);
    m_pResults->setColumnWidth(kColName, 240);
    // The directory's order is the popularity order; sorting by a column would hide it.
    m_pResults->setSortingEnabled(false);

    m_pStatus->setObjectName(QStringLiteral("DirectoryStatus"));
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pStatus, 1);
    pButtons->addWidget(m_pPlay);
    pButtons->addWidget(m_pAdd);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addWidget(m_pResults, 1);
    pLayout->addLayout(pButtons);

    for (QLineEdit* pEdit : {m_pName, m_pTag, m_pCountry, m_pLanguage})
        connect(pEdit, &QLineEdit::returnPressed, this, &CDirectoryWindow::StartSearch);
    connect(m_pSearch, &QPushButton::clicked, this, &CDirectoryWindow::StartSearch);
    connect(m_pPlay, &QPushButton::clicked, this, &CDirectoryWindow::OnPlay);
    connect(m_pAdd, &QPushButton::clicked, this,
            [this]
            {
                if (const CDirectoryStation* pStation = SelectedStation())
                    emit AddStation(*pStation);
            });
    connect(m_pResults, &QTableWidget::itemSelectionChanged, this, &CDirectoryWindow::UpdateButtons);
    connect(m_pResults, &QTableWidget::cellDoubleClicked, this, &CDirectoryWindow::OnPlay);
    connect(m_pDirectory, &CStationDirectory::ResultsReady, this, &CDirectoryWindow::OnResults);
    connect(m_pDirectory, &CStationDirectory::Failed, this, &CDirectoryWindow::OnFailed);
    connect(m_pDirectory, &CStationDirectory::ClickCounted, this, [](const QString&, bool) {});

    UpdateButtons();
    StartSearch();
}

void CDirectoryWindow::SetStatus(const QString& strText)
{
    m_pStatus->setText(strText);
}

const CDirectoryStation* CDirectoryWindow::SelectedStation() const
{
    const int nRow = m_pResults->currentRow();
    if (nRow < 0 || nRow >= m_stations.size() || !m_pResults->item(nRow, kColName)->isSelected())
        return nullptr;
    return &m_stations[nRow];
}

void CDirectoryWindow::StartSearch()
{
    CDirectoryQuery query;
    query.m_strName = m_pName->text().trimmed();
    query.m_strTag = m_pTag->text().trimmed();
    query.m_strCountry = m_pCountry->text().trimmed();
    query.m_strLanguage = m_pLanguage->text().trimmed();
    SetStatus(text::Directory::tr("Searching..."));
    m_pDirectory->Search(query);
}

void CDirectoryWindow::OnResults(const CDirectoryStationList& stations)
{
    m_stations = stations;
    m_pResults->clearContents();
    m_pResults->setRowCount(int(stations.size()));
    for (int nRow = 0; nRow < stations.size(); ++nRow)
    {
        const CDirectoryStation& station = stations[nRow];
        const QString strBitrate =
            station.m_nBitrate > 0 ? text::Directory::tr("%1 kbit/s").arg(station.m_nBitrate) : QString();
        const QString texts[kResultColumns] = {station.m_strName, station.m_strCountry, station.m_strCodec,
                                               strBitrate, station.m_strTags};
        for (int nCol = 0; nCol < kResultColumns; ++nCol)
        {
            auto* pItem = new QTableWidgetItem(texts[nCol]);
            if (nCol == kColName)
                pItem->setToolTip(station.PlayAddress());
            m_pResults->setItem(nRow, nCol, pItem);
        }
    }
    SetStatus(stations.isEmpty()     ? text::Directory::tr("No station matches.")
              : stations.size() == 1 ? text::Directory::tr("1 station found.")
                                     : text::Directory::tr("%1 stations found.").arg(stations.size()));
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
