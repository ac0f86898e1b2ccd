// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The small modal dialog that fetches one file: it shows m_strMessage, waits a second (the user can
// still close it then), fetches the URL into a temporary file, puts the fetched file in place of the
// destination and ends itself. It is modal over its parent window without a loop of its own: the
// outcome comes as DownloadFinished.
#include "download/FileDownloadManager.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QTimer>
#include <memory>

class CChannelSources;
class CWaitCursor;

class QLabel;

class CDlgFileDownloader : public QDialog
{
    Q_OBJECT
public:
    enum
    {
        IDD = 310,
        IDC_MESSAGE = 1001,
    };
    // Result codes of the dialog.
    enum
    {
        kResultFetched = 1,
        kResultFailed = 2,
        kResultBuilt = 3, // the sources wrote their list
    };

    explicit CDlgFileDownloader(QWidget* pParent = nullptr);
    ~CDlgFileDownloader() override;

    // Opens the dialog and starts the download; when the fetch succeeds, strDestination is replaced
    // with what was fetched, through a file beside it and a rename, so that it is either the old file
    // or the complete new one. DownloadFinished follows once with non-zero when the destination now holds
    // the fetched file, and 0 when it was left as it was. Deleting the dialog before then (the program
    // quits) cancels the transfer and writes nothing.
    void DownloadFile(const QString& strUrl, const QString& strDestination);
    // The same dialog for a list built from several sources (which the dialog then owns): after the
    // second's wait the sources are asked, the message counts their answers, and DownloadFinished
    // follows with non-zero when they wrote their list. Deleting the dialog cancels them.
    void BuildChannelList(CChannelSources* pSources);

    QIcon m_hIcon;
    CFileDownloadManager m_downloadManager;
    QString m_strFileUrl;
    QString m_strDownloadedFile;
    QString m_strMessage;

    // Why the fetched file could not be put in place of the destination (a full disk), after a
    // DownloadFinished with 0; empty when the fetch itself failed.
    QString WriteError() const { return m_strWriteError; }

signals:
    void DownloadFinished(int nResult);

public slots:
    // Esc and the close box end the dialog with kResultFailed before the fetch; during the fetch
    // they are ignored, since the transfer cannot be interrupted halfway. The sources of a built list
    // can: they write nothing until all have answered, so they are cancelled.
    void reject() override;

private:
    void OnInitDialog();
    void OnTimer();
    void OnFetched(bool bSuccess);
    void OnSourcesProgress(int nAnswered, int nTotal);

    QLabel* m_pMessage;
    CChannelSources* m_pSources = nullptr;
    QTimer m_timer;
    QString m_strDestination;
    QString m_strWriteError;
    std::unique_ptr<CWaitCursor> m_pWait; // while the transfer runs
    bool m_bTransferring = false;
};
