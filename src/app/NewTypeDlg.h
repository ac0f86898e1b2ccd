// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Asked by New (Ctrl+N) when there is more than one kind of page: lists each page's name.
#include <QDialog>

class QListWidget;

class CNewTypeDlg : public QDialog
{
    Q_OBJECT
public:
    CNewTypeDlg(const QStringList& names, QWidget* parent = nullptr);
    // The chosen row after Accepted.
    int GetSelection() const;
    QListWidget* GetList() const { return m_pList; }

private:
    QListWidget* m_pList;
};
