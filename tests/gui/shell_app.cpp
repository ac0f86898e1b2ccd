// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The application's own pieces: the About box, the choice of a new document's kind and the import of a
// channel list file chosen by the user.
#include "TestSupport.h"

#include "app/AboutDlg.h"
#include "app/NewTypeDlg.h"
#include "app/SorvanaApp.h"
#include "catalogue/DataFolder.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestShellApp : public QObject
{
    Q_OBJECT
private slots:
    void aboutBox()
    {
        CAboutDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("About Vedrix"));
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("AboutVersion"))->text(),
                 QStringLiteral("Vedrix, Version 1.0"));
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("AboutContact"))->text(),
                 QStringLiteral("Contact Us : support@palomer.example"));
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("AboutLicence"))->text(),
                 QStringLiteral("Licensed under the GNU GPL, version 3 or later"));
        QVERIFY(!dlg.findChild<QLabel*>(QStringLiteral("AboutIcon"))->pixmap().isNull());
        QVERIFY(dlg.findChildren<QPushButton*>().isEmpty()); // no OK button
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    }

    void newDocumentKinds()
    {
        CNewTypeDlg dlg({"Sorvana", "Sorvana", "Promo", "Hardware"});
        QListWidget* list = dlg.GetList();
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(3)->text(), QStringLiteral("Hardware"));
        list->setCurrentRow(1); // the second "Sorvana" is the settings kind, told apart by position
        QCOMPARE(dlg.GetSelection(), 1);
    }

    void importCopiesAndLeavesTheUsersFile()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("my list.txt"));
        const QByteArray bytes = testsupport::Utf16Le(QStringLiteral("Type,Name\r\nRadio,One\r\n"));
        QVERIFY(testsupport::WriteFile(source, bytes));
        QFile::setPermissions(source, QFile::ReadOwner); // read-only: the copy must still be deletable
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), "old"));

        QString error;
        QVERIFY(CSorvanaApp::ImportChannelListFile(source, &error));
        QFile copy(GetChannelListPath());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), bytes);
        QVERIFY(copy.permissions() & QFile::WriteOwner);
        copy.close();
        QFile original(source);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), bytes);

        // Choosing the list file itself keeps it.
        QVERIFY(CSorvanaApp::ImportChannelListFile(GetChannelListPath(), &error));
        QVERIFY(QFile::exists(GetChannelListPath()));

        QVERIFY(!CSorvanaApp::ImportChannelListFile(dir.filePath(QStringLiteral("missing")), &error));
        QVERIFY(error.contains(QStringLiteral("missing")));
        QFile::remove(GetChannelListPath());
    }

    // Anything larger than a download may be is refused before it is copied, and the list file in the
    // data folder stays as it was. A sparse file costs no disk.
    void importRefusesFilesLargerThanAChannelList()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("film.mkv"));
        QFile big(source);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(kMaxChannelListBytes + 1));
        big.close();
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), "old"));

        QString error;
        QVERIFY(!CSorvanaApp::ImportChannelListFile(source, &error));
        QVERIFY2(error.contains(QStringLiteral("film.mkv")) && error.contains(QStringLiteral("64")),
                 qPrintable(error));
        QFile list(GetChannelListPath());
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), QByteArray("old"));
        list.close();

        // At the cap itself the file is taken.
        QVERIFY(big.resize(kMaxChannelListBytes));
        QVERIFY2(CSorvanaApp::ImportChannelListFile(source, &error), qPrintable(error));
        QCOMPARE(QFileInfo(GetChannelListPath()).size(), kMaxChannelListBytes);
        QFile::remove(GetChannelListPath());
    }
};

QTEST_MAIN(TestShellApp)
#include "shell_app.moc"
