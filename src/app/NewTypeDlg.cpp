// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/NewTypeDlg.h"
#include "base/TextAreas.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CNewTypeDlg::CNewTypeDlg(const QStringList& names, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(text::Dialogs::tr("New"));
    m_pList = new QListWidget(this);
    m_pList->addItems(names);
    m_pList->setCurrentRow(0);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text::Dialogs::tr("&New"), this));
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
}

int CNewTypeDlg::GetSelection() const
{
    return m_pList->currentRow();
}
