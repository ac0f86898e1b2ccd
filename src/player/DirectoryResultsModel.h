#pragma once
// The rows of the station directory window: one per result, in the directory's order, with the
// station's logo beside its name. A logo is asked of the favicon cache only when a view paints its
// row, so a search of 500 results fetches the dozen logos on screen, never on the way to showing the
// rows; until it comes, and when it is missing or not a picture, the place stays blank.
#include "stations/StationDirectory.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
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
    // The logo scaled for the list; null when data is not a picture.
    static QPixmap Decode(const QByteArray& data);
    // A logo arrived (or failed, data empty): the rows that show it are painted again.
    void OnLogo(const QUrl& url, const QByteArray& data);

    CFaviconCache* m_pFavicons;
    CDirectoryStationList m_stations;
    // Logos by address, scaled for the list; a null pixmap for one that failed. An address that is
    // not here has not been asked for, or its answer is awaited.
    mutable QHash<QUrl, QPixmap> m_logos;
    QPixmap m_blank; // keeps the names in line where a row has no logo
};
