// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AboutDlg.h"
#include "base/TextAreas.h"

#include "base/Resources.h"
#include "base/ServerAddresses.h"
#include "platform/PlainText.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(text::Dialogs::tr("About Vedrix"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    InitVedrixResources();
    const QIcon icon(QStringLiteral(":/res/icons/vedrix.svg"));
    setWindowIcon(icon);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("AboutIcon"));
    iconLabel->setPixmap(icon.pixmap(QSize(48, 48), devicePixelRatio()));
    iconLabel->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(text::Dialogs::tr("Vedrix, Version 1.0"), this);
    version->setObjectName(QStringLiteral("AboutVersion"));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    // The address may come from the settings file.
    auto* contact = new QLabel(this);
    SetPlainText(contact, text::Dialogs::tr("Contact Us : ") + servers::SupportEmail());
    contact->setObjectName(QStringLiteral("AboutContact"));
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* licence = new QLabel(text::Dialogs::tr("Licensed under the GNU GPL, version 3 or later"), this);
    licence->setObjectName(QStringLiteral("AboutLicence"));

    auto* texts = new QVBoxLayout();
    texts->addWidget(version);
    texts->addWidget(contact);
    texts->addWidget(licence);
    texts->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 24, 18);
    layout->setSpacing(16);
    layout->addWidget(iconLabel);
    layout->addLayout(texts, 1);
    setFixedSize(sizeHint().expandedTo(QSize(340, 100)));
}
