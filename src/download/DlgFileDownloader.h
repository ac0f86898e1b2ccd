#pragma once
// The small modal dialog that fetches one file: it shows m_strMessage, waits a second (the user can
// still close it then), fetches the URL into a temporary file, ends itself, and DownloadFile then
// puts the fetched file in place of the destination.
#include "download/FileDownloadManager.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QTimer>

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
    };

    explicit CDlgFileDownloader(QWidget* pParent = nullptr);
    ~CDlgFileDownloader() override;

    // Runs the dialog and, when the fetch succeeded, replaces strDestination with what was fetched.
    // Non-zero when the destination now holds the fetched file; 0 leaves the destination as it was.
    int DownloadFile(const QString& strUrl, const QString& strDestination);

    QIcon m_hIcon;
    CFileDownloadManager m_downloadManager;
    QString m_strFileUrl;
    QString m_strDownloadedFile;
    QString m_strMessage;

public slots:
    // Esc and the close box end the dialog with kResultFailed before the fetch; during the fetch
    // they are ignored, since the transfer cannot be interrupted halfway.
    void reject() override;

private:
    void OnInitDialog();
    void OnTimer();
    // Copies strSource over strDestination through a file beside it and a rename, so the destination
    // is either the old file or the complete new one.
    static bool ReplaceFile(const QString& strSource, const QString& strDestination);

    QLabel* m_pMessage;
    QTimer m_timer;
    bool m_bTransferring = false;
};
