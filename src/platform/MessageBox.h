// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Message boxes that do not stop the program: the box is shown window-modal over its owner and the
// call returns at once. A box lives on the heap as the owner's child, so it goes with its owner (a
// view that is closed, the frame at Exit) and never outlives what it talks about. Boxes for the same
// owner come one after another, in the order asked for, as a row of modal boxes would.
#include <QMessageBox>
#include <QString>

class QWidget;

// Queues the box; returns it once it is the one shown, else null (it is shown when the ones before
// it are closed). pOwner may be null: the box is then application-modal and deletes itself.
QMessageBox* ShowMessageBox(QWidget* pOwner, const QString& strCaption, QMessageBox::Icon icon,
                            const QString& strText);
