// The settings store: integers in the group "Settings" of "Palomer/Vedrix by Palomer.conf", read with
// the caller's default, and the cache of the channel filters' choices (-1 = not loaded yet).
#include "TestSupport.h"

#include "app/Settings.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

namespace
{
const settings::IntSetting* const kCachedSettings[] = {
    &settings::kDisplayRadioChannels,
    &settings::kDisplayTVChannels,
    &settings::kLastCategory,
    &settings::kDisplayChineseChannels,
    &settings::kDisplayEnglishChannels,
    &settings::kDisplayIndianChannels,
    &settings::kDisplayFrenchChannels,
    &settings::kDisplayGermanChannels,
    &settings::kDisplayBulgarianChannels,
    &settings::kDisplayRomanianChannels,
};
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
        CSettingsCache cache;
        QList<int> values;
        for (int nSlot = 1; nSlot <= 10; ++nSlot)
        {
            QVERIFY(!cache.IsLoaded(nSlot));
            values << cache.Read(nSlot);
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

    // The cache keeps what it loaded until its slot is emptied.
    void cacheLoadsOnce()
    {
        CSettingsCache cache;
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 0));
        QCOMPARE(cache.Read(SLOT_DISPLAY_GERMAN), 0);
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 1));
        QCOMPARE(cache.Read(SLOT_DISPLAY_GERMAN), 0);
        cache.Forget(SLOT_DISPLAY_GERMAN);
        QCOMPARE(cache.Read(SLOT_DISPLAY_GERMAN), 1);
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
        CSettingsCache cache;
        QCOMPARE(cache.Read(SLOT_DISPLAY_GERMAN), -1);
        QVERIFY(cache.IsLoaded(SLOT_DISPLAY_GERMAN));
        QVERIFY(WriteSettingInt("DisplayGermanChannels", 0));
        QCOMPARE(cache.Read(SLOT_DISPLAY_GERMAN), -1); // from the cache, not the file
    }

    void toggle_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("storedValue");
        QTest::addColumn<int>("written");
        QTest::newRow("TV, nothing stored") << int(SLOT_DISPLAY_TV) << false << 0 << 1;
        QTest::newRow("radio, nothing stored") << int(SLOT_DISPLAY_RADIO) << false << 0 << 0;
        QTest::newRow("English 5") << int(SLOT_DISPLAY_ENGLISH) << true << 5 << 0;
        QTest::newRow("English 0") << int(SLOT_DISPLAY_ENGLISH) << true << 0 << 1;
        QTest::newRow("Romanian -7") << int(SLOT_DISPLAY_ROMANIAN) << true << -7 << 0;
    }
    void toggle()
    {
        QFETCH(int, slot);
        QFETCH(bool, stored);
        QFETCH(int, storedValue);
        QFETCH(int, written);
        const char* name = CSettingsCache::SettingOf(slot).name;
        if (stored)
            QVERIFY(WriteSettingInt(name, storedValue));

        CSettingsCache cache;
        cache.Read(slot);
        cache.Toggle(slot);
        QVERIFY(!cache.IsLoaded(slot));
        QCOMPARE(cache.Read(slot), written);
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
        CSettingsCache cache;
        QCOMPARE(cache.Read(SLOT_DISPLAY_TV), 0);
        QCOMPARE(cache.Read(SLOT_DISPLAY_RADIO), 1);
        QCOMPARE(cache.Read(SLOT_DISPLAY_ENGLISH), 1);
        QCOMPARE(ReadSettingInt(settings::kAutoPlay), 1);

        QVERIFY(WriteSettingInt("DisplayTVChannels", 1));
        QCOMPARE(ReadSettingInt(settings::kDisplayTVChannels), 1);
        QVERIFY(testsupport::SettingsFileText().contains("\nDisplayTVChannels=1\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "settings_store.moc"
