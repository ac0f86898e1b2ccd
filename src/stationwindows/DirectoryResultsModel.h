// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rows of the station directory window: one per result, in the directory's order, with the
// station's logo beside its name. A logo is asked of the favicon cache only when a view paints its
// row, so a search of 500 results fetches the dozen logos on screen, never on the way to showing the
// rows; until it comes, and when it is missing or not a picture, the place stays blank. Logos are
// decoded on the thread pool (CLogoImage), never on the thread that paints.
#include "stations/StationDirectory.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QUrl>

class CFaviconCache;

class CDirectoryResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum EColumn
    {
        kColName,
        kColCountry,
        kColCodec,
        kColBitrate,
        kColTags,
        kColumns
    };
    // Logos are drawn this size (pixels).
    static constexpr int kIconSize = 16;

    CDirectoryResultsModel(CFaviconCache* pFavicons, QObject* pParent);

    void SetStations(CDirectoryStationList stations);
    const CDirectoryStationList& Stations() const { return m_stations; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QPixmap Logo(const QString& strFavicon) const;
    // Decodes the logo's bytes away from this thread; OnDecoded follows.
    void StartDecode(const QUrl& url, const QByteArray& data);
    // A logo arrived (or failed, data empty): its picture is made.
    void OnLogo(const QUrl& url, const QByteArray& data);
    // The logo's picture is known (null when it is none): the rows that show it are painted again.
    void OnDecoded(const QUrl& url, const QImage& image);

    CFaviconCache* m_pFavicons;
    CDirectoryStationList m_stations;
    // Logos by address, scaled for the list; a null pixmap for one that failed. An address that is
    // not here has not been asked for, or its answer is awaited.
    mutable QHash<QUrl, QPixmap> m_logos;
    QSet<QUrl> m_decoding; // being decoded now
    QPixmap m_blank; // keeps the names in line where a row has no logo
};
