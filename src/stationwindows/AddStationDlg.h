// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Add Station by Address...": a name and a stream address. The check is the caller's: OK hands
// both to it, and the dialog closes only when it agrees; otherwise its message is shown and what
// was typed stays for correcting.
#include <QDialog>
#include <functional>

class QLineEdit;

class CAddStationDlg : public QDialog
{
    Q_OBJECT
public:
    // Returns "" when the station was taken, otherwise the sentence that says why not.
    using Check = std::function<QString(const QString& strName, const QString& strUrl)>;

    CAddStationDlg(Check check, QWidget* pParent);

    void accept() override;

private:
    Check m_check;
    QLineEdit* m_pName;
    QLineEdit* m_pUrl;
};
