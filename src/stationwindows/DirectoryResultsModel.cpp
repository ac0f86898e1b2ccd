// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stationwindows/DirectoryResultsModel.h"

#include "platform/PlainText.h"
#include "stationwindows/LogoImage.h"
#include "stations/FaviconCache.h"

#include <QFutureWatcher>
#include <QImage>
#include <QPromise>
#include <QThreadPool>

#include <memory>

CDirectoryResultsModel::CDirectoryResultsModel(CFaviconCache* pFavicons, QObject* pParent)
    : QAbstractTableModel(pParent), m_pFavicons(pFavicons), m_blank(kIconSize, kIconSize)
{
    m_blank.fill(Qt::transparent);
    connect(m_pFavicons, &CFaviconCache::Ready, this, &CDirectoryResultsModel::OnLogo);
    connect(m_pFavicons, &CFaviconCache::Failed, this, [this](const QUrl& url) { OnLogo(url, {}); });
}

void CDirectoryResultsModel::SetStations(CDirectoryStationList stations)
{
    beginResetModel();
    m_stations = std::move(stations);
    endResetModel();
}

int CDirectoryResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_stations.size());
}

int CDirectoryResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant CDirectoryResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_stations.size())
        return {};
    const CDirectoryStation& station = m_stations[index.row()];
    if (role == Qt::DisplayRole)
    {
        switch (index.column())
        {
        case kColName:
            return station.m_strName;
        case kColCountry:
            return station.m_strCountry;
        case kColCodec:
            return station.m_strCodec;
        case kColBitrate:
            return station.m_nBitrate > 0 ? tr("%1 kbit/s").arg(station.m_nBitrate) : QString();
        case kColTags:
            return station.m_strTags;
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole && index.column() == kColName)
        return PlainToolTip(station.PlayAddress());
    if (role == Qt::DecorationRole && index.column() == kColName)
    {
        const QPixmap logo = Logo(station.m_strFavicon);
        return logo.isNull() ? m_blank : logo;
    }
    return {};
}

QVariant CDirectoryResultsModel::headerData(int nSection, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (nSection)
    {
    case kColName:
        return tr("Name");
    case kColCountry:
        return tr("Country");
    case kColCodec:
        return tr("Codec");
    case kColBitrate:
        return tr("Bitrate");
    case kColTags:
        return tr("Tags");
    default:
        return {};
    }
}

QPixmap CDirectoryResultsModel::Logo(const QString& strFavicon) const
{
    if (strFavicon.isEmpty())
        return {};
    const QUrl url(strFavicon);
    if (const auto it = m_logos.constFind(url); it != m_logos.cend())
        return *it;
    if (m_decoding.contains(url))
        return {};
    // Known bytes come back at once (memory or disk); otherwise the fetch reports through OnLogo.
    const QByteArray data = m_pFavicons->Get(url);
    if (!data.isEmpty())
    {
        // data() is const for the views; what it starts only fills the cache of pictures.
        const_cast<CDirectoryResultsModel*>(this)->StartDecode(url, data);
    }
    return {};
}

void CDirectoryResultsModel::StartDecode(const QUrl& url, const QByteArray& data)
{
    if (m_decoding.contains(url))
        return;
    m_decoding.insert(url);
    auto pPromise = std::make_shared<QPromise<QImage>>();
    // The watcher outlives the model when the model goes first, and then ends unheard.
    auto* pWatcher = new QFutureWatcher<QImage>();
    connect(pWatcher, &QFutureWatcherBase::finished, this,
            [this, pWatcher, url]
            { OnDecoded(url, pWatcher->future().resultCount() > 0 ? pWatcher->result() : QImage()); });
    connect(pWatcher, &QFutureWatcherBase::finished, pWatcher, &QObject::deleteLater);
    pWatcher->setFuture(pPromise->future());
    QThreadPool::globalInstance()->start(
        [pPromise, data]
        {
            pPromise->start();
            pPromise->addResult(CLogoImage::Decode(data, kIconSize));
            pPromise->finish();
        });
}

void CDirectoryResultsModel::OnLogo(const QUrl& url, const QByteArray& data)
{
    if (m_logos.contains(url))
        return;
    if (data.isEmpty())
        OnDecoded(url, QImage());
    else
        StartDecode(url, data);
}

void CDirectoryResultsModel::OnDecoded(const QUrl& url, const QImage& image)
{
    m_decoding.remove(url);
    if (m_logos.contains(url))
        return;
    m_logos.insert(url, image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    for (int nRow = 0; nRow < m_stations.size(); ++nRow)
        if (!m_stations[nRow].m_strFavicon.isEmpty() && QUrl(m_stations[nRow].m_strFavicon) == url)
            emit dataChanged(index(nRow, kColName), index(nRow, kColName), {Qt::DecorationRole});
}
