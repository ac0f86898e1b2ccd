// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WaitCursor.h"

#include <QApplication>
#include <QCursor>

CWaitCursor::CWaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CWaitCursor::~CWaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}
