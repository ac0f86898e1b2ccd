// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings store when the settings file cannot be used: a folder where the file should be, a
// regular file where its folder should be, a read-only folder or file, a file that cannot be read.
// Reading gives the defaults (or what a readable file holds), writing fails quietly and leaves the
// file system as it was. (Garbage content is covered by settings_store.)
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{
// While alive, the process obeys file permissions even when it runs as root: the capabilities that
// override them leave the effective set (they stay permitted, so they come back afterwards).
class CPermissionsApply
{
public:
    CPermissionsApply()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct data[2] = {m_saved[0], m_saved[1]};
        data[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        m_bChanged = syscall(SYS_capset, &m_header, data) == 0;
    }
    ~CPermissionsApply()
    {
        if (m_bChanged)
            syscall(SYS_capset, &m_header, m_saved);
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_bChanged = false;
};

QString ConfigFolder()
{
    return QFileInfo(testsupport::SettingsFilePath()).absolutePath();
}

void MakeAccessible(const QString& strPath)
{
    if (QFileInfo::exists(strPath))
        ::chmod(QFile::encodeName(strPath).constData(), 0700);
}
} // namespace

class TestRobustSettings : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        MakeAccessible(ConfigFolder());
        MakeAccessible(testsupport::SettingsFilePath());
        const QFileInfo file(testsupport::SettingsFilePath());
        if (file.isDir())
            QDir(file.absoluteFilePath()).removeRecursively();
        if (QFileInfo(ConfigFolder()).isFile())
            QFile::remove(ConfigFolder());
        else
            QDir(ConfigFolder()).removeRecursively();
    }

    void unusableStore_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("tv"); // what DisplayTVChannels reads as
        QTest::newRow("folder in place of the file") << "file-is-folder" << 0;
        QTest::newRow("regular file in place of the folder") << "folder-is-file" << 0;
        QTest::newRow("read-only folder, no file") << "read-only-folder" << 0;
        QTest::newRow("read-only file") << "read-only-file" << 1;
        QTest::newRow("read-only file in a read-only folder") << "read-only-both" << 1;
        QTest::newRow("unreadable file") << "unreadable-file" << 0;
    }
    void unusableStore()
    {
        QFETCH(QString, setup);
        QFETCH(int, tv);
        const QString strFile = testsupport::SettingsFilePath();
        const QString strFolder = ConfigFolder();
        const QByteArray stored("[Settings]\nDisplayTVChannels=1\n[Servers]\nChannelListServer=http://127.0.0.1:9\n");
        if (setup == "file-is-folder")
        {
            QVERIFY(QDir().mkpath(strFile));
        }
        else if (setup == "folder-is-file")
        {
            QVERIFY(testsupport::WriteFile(strFolder, "not a folder"));
        }
        else
        {
            QVERIFY(QDir().mkpath(strFolder));
            if (setup != "read-only-folder")
                QVERIFY(testsupport::WriteFile(strFile, stored));
            if (setup == "read-only-file" || setup == "read-only-both")
                QCOMPARE(::chmod(QFile::encodeName(strFile).constData(), 0444), 0);
            if (setup == "unreadable-file")
                QCOMPARE(::chmod(QFile::encodeName(strFile).constData(), 0), 0);
            if (setup == "read-only-folder" || setup == "read-only-both")
                QCOMPARE(::chmod(QFile::encodeName(strFolder).constData(), 0555), 0);
        }
        const QStringList before = QDir(strFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        {
            const CPermissionsApply permissions;
            CSettingsStore cache;
            QSignalSpy failures(&cache, &CSettingsStore::WriteFailed);
            QCOMPARE(cache.Read(settings::kDisplayTVChannels), tv);
            QCOMPARE(cache.Read(settings::kDisplayRadioChannels), 1);
            QCOMPARE(ReadSettingInt(settings::kAutoPlay), 1);
            QCOMPARE(ReadSectionString(settings::kServersSection, "ChannelListServer", "default"),
                     QString(tv ? "http://127.0.0.1:9" : "default"));

            QVERIFY(!WriteSettingInt(settings::kAutoPlay.name, 0));
            QVERIFY(!WriteSectionInt(settings::kWorkspaceSection, settings::kApplicationLook.name, 212));
            // A toggle whose write is lost leaves the choice where it was.
            QVERIFY(!cache.Toggle(settings::kDisplayTVChannels));
            QCOMPARE(cache.Read(settings::kDisplayTVChannels), tv);
            // ... and says so, once, naming the value.
            QCOMPARE(failures.size(), 1);
            QCOMPARE(failures.at(0).at(1).toString(), QStringLiteral("DisplayTVChannels"));
            QCOMPARE(ReadSettingInt(settings::kAutoPlay), 1);
        }

        // Nothing was replaced, created or removed.
        QCOMPARE(QFileInfo(strFile).isDir(), setup == "file-is-folder");
        QCOMPARE(QFileInfo(strFolder).isFile(), setup == "folder-is-file");
        if (QFileInfo(strFolder).isDir())
            QCOMPARE(QDir(strFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        if (tv || setup == "unreadable-file")
        {
            MakeAccessible(strFile);
            QFile file(strFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), stored);
        }
    }
};

QTEST_GUILESS_MAIN(TestRobustSettings)
#include "robust_settings.moc"
