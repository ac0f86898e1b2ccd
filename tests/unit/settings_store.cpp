// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings store: integers in the group "Settings" of "Palomer/Vedrix by Palomer.conf", read with
// the key's default, the channel filters' choices kept after their first read, and a signal for each
// change.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

namespace
{
const auto& kCachedSettings = settings::kKeptSettings;
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::ClearSettings(); }

    // A first start behaves as if the defaults were stored; reading creates nothing.
    void defaultsWithoutStore()
    {
        const QList<int> expected{1, 0, 0, 1, 1, 1, 1, 1, 1, 1};
        CSettingsStore cache;
        QList<int> values;
        for (const settings::IntSetting* s : kCachedSettings)
        {
            QVERIFY(!cache.IsCached(*s));
            values << cache.Read(*s);
        }
        QCOMPARE(values, expected);
        QCOMPARE(ReadSettingInt(settings::kDisplayNonWorkingChannels), 0);
        QCOMPARE(ReadSettingInt(settings::kAutoPlay), 1);
        QCOMPARE(ReadSettingInt("NeverWritten", 42), 42);
        QVERIFY(!QFile::exists(testsupport::SettingsFilePath()));
    }

    // Names and the group on disk are what other tools (and older files) use.
    void valuesOnDisk()
    {
        for (const settings::IntSetting* s : kCachedSettings)
            QVERIFY(WriteSettingInt(s->name, 7));
        QVERIFY(WriteSettingInt(settings::kDisplayNonWorkingChannels.name, 1));
        QVERIFY(WriteSettingInt(settings::kLastChannelIndex.name, 123));
        QVERIFY(WriteSettingInt(settings::kAutoPlay.name, -3));
        QVERIFY(WriteSettingInt(settings::kSorvanaViewSized.name, 1));

        const QStringList lines = testsupport::SettingsFileText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("[Settings]"));
        for (const settings::IntSetting* s : kCachedSettings)
            QVERIFY2(lines.contains(QString(s->name) + "=7"), s->name);
        QVERIFY(lines.contains("DisplayNonWorkingChannels=1"));
        QVERIFY(lines.contains("LastChannelIndex=123"));
        QVERIFY(lines.contains("AutoPlay=-3"));
        QVERIFY(lines.contains("CSorvanaView=1"));
        QCOMPARE(ReadSettingInt(settings::kAutoPlay), -3);
    }

    // Each typed key lands in its own group under its stored name, and a fresh store reads it back.
    void keysInTheirGroups_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("line");
        QTest::newRow("look") << 0 << "[Workspace]"
                              << "ApplicationLook=212";
        QTest::newRow("placement") << 1 << "[Workspace]"
                                   << "MainWindowWidth=640";
        QTest::newRow("hot key") << 2 << "[Settings]"
                                 << "Play%20Next%20Key=78";
        QTest::newRow("hot key modifiers") << 3 << "[Settings]"
                                           << "Play%20Next%20Mod=6";
        QTest::newRow("output device") << 4 << "[Settings]"
                                       << "AudioDevice=pulse/sink 2";
    }
    void keysInTheirGroups()
    {
        QFETCH(int, key);
        QFETCH(QString, group);
        QFETCH(QString, line);
        CSettingsStore store;
        QStringList changed;
        connect(&store, &CSettingsStore::ValueChanged, &store,
                [&](const QString& strGroup, const QString& strName)
                { changed << strGroup + '/' + strName; });
        CSettingsStore fresh;
        switch (key)
        {
        case 0:
            QCOMPARE(store.Read(settings::kApplicationLook), 216);
            QVERIFY(store.Write(settings::kApplicationLook, 212));
            QCOMPARE(fresh.Read(settings::kApplicationLook), 212);
            QCOMPARE(ReadSettingInt(settings::kApplicationLook.name, -1), -1); // not in Settings
            break;
        case 1:
            QVERIFY(store.Write(settings::kPlacementWidth, 640));
            QCOMPARE(fresh.Read(settings::kPlacementWidth), 640);
            break;
        case 2:
            QVERIFY(store.Write(settings::HotKeyKey("Play Next"), 0x4E));
            QCOMPARE(fresh.Read(settings::HotKeyKey("Play Next")), 0x4E);
            QCOMPARE(fresh.Read(settings::HotKeyKey("Play")), 0);
            break;
        case 3:
            QVERIFY(store.Write(settings::HotKeyModifiers("Play Next"), 6));
            QCOMPARE(fresh.Read(settings::HotKeyModifiers("Play Next")), 6);
            break;
        case 4:
            QCOMPARE(store.Read(settings::kAudioDevice), QStringLiteral("auto"));
            QVERIFY(store.Write(settings::kAudioDevice, QStringLiteral("pulse/sink 2")));
            QCOMPARE(fresh.Read(settings::kAudioDevice), QStringLiteral("pulse/sink 2"));
            break;
        }
        QCOMPARE(changed.size(), 1);
        QVERIFY(changed.first().startsWith(group.mid(1, group.size() - 2) + '/'));
        const QStringList lines = testsupport::SettingsFileText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{group, line}));
    }

    // The cache keeps what it loaded until its slot is emptied.
    void cacheLoadsOnce()
    {
        CSettingsStore cache;
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 0));
        QCOMPARE(cache.Read(settings::kDisplayGermanChannels), 0);
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 1));
        QCOMPARE(cache.Read(settings::kDisplayGermanChannels), 0);
        cache.Forget(settings::kDisplayGermanChannels);
        QCOMPARE(cache.Read(settings::kDisplayGermanChannels), 1);
        // Values outside the cache are read from the file each time.
        QVERIFY(WriteSettingInt("AutoPlay", 0));
        QCOMPARE(cache.Read(settings::kAutoPlay), 0);
        QVERIFY(WriteSettingInt("AutoPlay", 1));
        QCOMPARE(cache.Read(settings::kAutoPlay), 1);
    }

    // A stored -1 (or its unsigned form) is a value like any other: it shows the channels, and it is
    // read once, not on every line of a load.
    void storedMinusOneIsReadOnce_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("-1") << "-1";
        QTest::newRow("4294967295") << "4294967295";
    }
    void storedMinusOneIsReadOnce()
    {
        QFETCH(QString, stored);
        {
            QSettings store(settings::kOrganization, settings::kApplication);
            store.setValue(QStringLiteral("Settings/DisplayGermanChannels"), stored);
        }
        CSettingsStore cache;
        QCOMPARE(cache.Read(settings::kDisplayGermanChannels), -1);
        QVERIFY(cache.IsCached(settings::kDisplayGermanChannels));
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 0));
        QCOMPARE(cache.Read(settings::kDisplayGermanChannels), -1); // from the cache, not the file
    }

    void toggle_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("storedValue");
        QTest::addColumn<int>("written");
        // Rows index kCachedSettings.
        QTest::newRow("TV, nothing stored") << 1 << false << 0 << 1;
        QTest::newRow("radio, nothing stored") << 0 << false << 0 << 0;
        QTest::newRow("English 5") << 4 << true << 5 << 0;
        QTest::newRow("English 0") << 4 << true << 0 << 1;
        QTest::newRow("Romanian -7") << 9 << true << -7 << 0;
    }
    void toggle()
    {
        QFETCH(int, slot);
        QFETCH(bool, stored);
        QFETCH(int, storedValue);
        QFETCH(int, written);
        const settings::IntSetting& key = *kCachedSettings[slot];
        const char* name = key.name;
        if (stored)
            QVERIFY(WriteSettingInt(name, storedValue));

        CSettingsStore cache;
        QList<int> changes;
        cache.OnChanged(key, &cache, [&](int nValue) { changes << nValue; });
        cache.Read(key);
        QVERIFY(cache.Toggle(key));
        QCOMPARE(cache.Read(key), written);
        QCOMPARE(changes, QList<int>{written});
        // A fresh store reads the same from the file.
        CSettingsStore fresh;
        QCOMPARE(fresh.Read(key), written);
        QVERIFY(testsupport::SettingsFileText().contains(QString("\n%1=%2\n").arg(name).arg(written)));
    }

    // Whatever is wrong with the file, reading gives the defaults and a later write is kept.
    void unreadableStore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 7919 + 13) % 256));
        QTest::newRow("binary garbage") << binary;
        QTest::newRow("UTF-16 text") << testsupport::Utf16Le("[Settings]\r\nDisplayTVChannels=1\r\n");
        QTest::newRow("not numbers") << QByteArray(
            "[Settings]\nDisplayTVChannels=yes\nDisplayRadioChannels=\n"
            "DisplayEnglishChannels=1,0\nAutoPlay=0x10\n");
        QTest::newRow("out of range") << QByteArray("[Settings]\nDisplayTVChannels=99999999999\n"
                                                    "DisplayRadioChannels=-4294967296\nAutoPlay=1e3\n");
        QTest::newRow("other group") << QByteArray("[Setting]\nDisplayTVChannels=1\nAutoPlay=0\n");
    }
    void unreadableStore()
    {
        QFETCH(QByteArray, content);
        QVERIFY(testsupport::WriteFile(testsupport::SettingsFilePath(), content));
        CSettingsStore cache;
        QCOMPARE(cache.Read(settings::kDisplayTVChannels), 0);
        QCOMPARE(cache.Read(settings::kDisplayRadioChannels), 1);
        QCOMPARE(cache.Read(settings::kDisplayEnglishChannels), 1);
        QCOMPARE(ReadSettingInt(settings::kAutoPlay), 1);

        QVERIFY(WriteSettingInt("DisplayTVChannels", 1));
        QCOMPARE(ReadSettingInt(settings::kDisplayTVChannels), 1);
        QVERIFY(testsupport::SettingsFileText().contains("\nDisplayTVChannels=1\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "settings_store.moc"
