// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text that comes from outside the program (stream titles, station names and descriptions, directory
// and channel list fields, playlist names, device names, server messages) is shown as the characters
// it is, never as markup or mnemonics. Qt takes a label's text and a tool tip for rich text as soon
// as it looks like HTML (Qt::mightBeRichText): a station's title `<img src="/dev/zero">` would make
// a label read that file on the GUI thread. Every widget that shows such text goes through these.
#include <QString>

class QLabel;

// Makes the label plain text (whatever it shows later) and sets its text.
void SetPlainText(QLabel* pLabel, const QString& strText);

// A tool tip that shows strText as it is: escaped into rich text when Qt would take it for markup,
// unchanged otherwise (so a tip whose first line is the program's own stays plain everywhere).
QString PlainToolTip(const QString& strText);

// A menu entry's text: "&" shows as "&" instead of marking a mnemonic, and a tab or line break does
// not open the shortcut column or a second line.
QString PlainMenuText(const QString& strText);
