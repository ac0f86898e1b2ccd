// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stationwindows/AddStationDlg.h"
#include "base/TextAreas.h"

#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CAddStationDlg::CAddStationDlg(Check check, QWidget* pParent)
    : QDialog(pParent), m_check(std::move(check)), m_pName(new QLineEdit(this)), m_pUrl(new QLineEdit(this))
{
    setWindowTitle(text::Dialogs::tr("Add Station by Address"));
    setObjectName(QStringLiteral("AddStationDlg"));
    m_pName->setAccessibleName(text::Dialogs::tr("Name"));
    m_pUrl->setAccessibleName(text::Dialogs::tr("Address"));
    m_pUrl->setPlaceholderText(QStringLiteral("http://..."));
    m_pUrl->setMinimumWidth(320);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pLayout = new QFormLayout(this);
    pLayout->addRow(text::Dialogs::tr("&Name:"), m_pName);
    pLayout->addRow(text::Dialogs::tr("&Address:"), m_pUrl);
    pLayout->addRow(pButtons);
    m_pUrl->setFocus();
}

void CAddStationDlg::accept()
{
    const QString strMessage = m_check(m_pName->text().trimmed(), m_pUrl->text().trimmed());
    if (!strMessage.isEmpty())
    {
        ShowMessageBox(this, windowTitle(), QMessageBox::Warning, strMessage);
        return;
    }
    QDialog::accept();
}
