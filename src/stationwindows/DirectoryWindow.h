// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The station directory window: search fields, the results as the directory orders them (most
// played first), and Play / Add to My Stations for the chosen result. Non-modal, and never waits:
// the search runs in CStationDirectory and its answer or failure arrives as a signal; the status line
// says what is going on. Opens with a search of its own so that it shows the popular stations. Close
// and Escape hide it, as a dialog's would.
#include "stations/StationDirectory.h"

#include <QWidget>

class CDirectoryResultsModel;
class CFaviconCache;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class CDirectoryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CDirectoryWindow(QWidget* pParent);

    // Sets the status line (the caller's answer to Add, for example).
    void SetStatus(const QString& strText);
    // The result in the selected row, or null.
    const CDirectoryStation* SelectedStation() const;

signals:
    void PlayStation(const CDirectoryStation& station);
    void AddStation(const CDirectoryStation& station);

private:
    void StartSearch();
    void OnResults(const CDirectoryStationList& stations);
    void OnFailed(const QString& strMessage);
    void UpdateButtons();
    void OnPlay();

    CStationDirectory* m_pDirectory;
    QLineEdit* m_pName;
    QLineEdit* m_pTag;
    QLineEdit* m_pCountry;
    QLineEdit* m_pLanguage;
    QPushButton* m_pSearch;
    CFaviconCache* m_pFavicons;
    CDirectoryResultsModel* m_pModel;
    QTableView* m_pResults;
    QPushButton* m_pPlay;
    QPushButton* m_pAdd;
    QPushButton* m_pClose;
    QLabel* m_pStatus;
};
