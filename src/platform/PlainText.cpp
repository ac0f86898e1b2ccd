// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PlainText.h"

#include <QLabel>
#include <QTextDocument>

void SetPlainText(QLabel* pLabel, const QString& strText)
{
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setText(strText);
}

QString PlainToolTip(const QString& strText)
{
    if (!Qt::mightBeRichText(strText))
        return strText;
    QString strHtml = strText.toHtmlEscaped();
    strHtml.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(strHtml);
}

QString PlainMenuText(const QString& strText)
{
    QString strMenu = strText;
    for (QChar& ch : strMenu)
    {
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            ch = QLatin1Char(' ');
    }
    return strMenu.replace(QLatin1Char('&'), QLatin1String("&&"));
}
