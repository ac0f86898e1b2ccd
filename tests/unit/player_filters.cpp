// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The nine display-choice commands: their check marks show the stored choice (with its default when
// nothing is stored), and a toggle writes the negation, reloads it on the next read and asks for a
// refresh.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"
#include "player/FilterCommands.h"

#include <QtTest>

namespace
{
int CheckOf(CSettingsStore& cache, UINT nID)
{
    const SFilterCommand* command = FindFilterCommand(nID);
    return command ? (IsFilterChecked(cache, *command) ? 1 : 0) : -2;
}

void Toggle(CSettingsStore& cache, UINT nID, const std::function<void()>& refresh)
{
    ToggleFilter(cache, *FindFilterCommand(nID), refresh);
}
} // namespace

class TestPlayerFilters : public QObject
{
    Q_OBJECT
    CSettingsStore m_cache;
private slots:
    void init() { testsupport::ClearSettings(&m_cache); }

    void table_data()
    {
        QTest::addColumn<UINT>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("check"); // with nothing stored
        QTest::newRow("radio") << 325u << "DisplayRadioChannels" << 1;
        QTest::newRow("TV") << 326u << "DisplayTVChannels" << 0;
        QTest::newRow("English") << 327u << "DisplayEnglishChannels" << 1;
        QTest::newRow("German") << 328u << "DisplayGermanChannels" << 1;
        QTest::newRow("French") << 329u << "DisplayFrenchChannels" << 1;
        QTest::newRow("Chinese") << 330u << "DisplayChineseChannels" << 1;
        QTest::newRow("Indian") << 331u << "DisplayIndianChannels" << 1;
        QTest::newRow("Bulgarian") << 332u << "DisplayBulgarianChannels" << 1;
        QTest::newRow("Romanian") << 333u << "DisplayRomanianChannels" << 1;
    }
    // Each command names a value that the store keeps after its first read (the list filters read it
    // for every line), and shows its default with no settings stored.
    void table()
    {
        QFETCH(UINT, id);
        QFETCH(QString, name);
        QFETCH(int, check);
        const SFilterCommand* command = FindFilterCommand(id);
        QVERIFY(command);
        QCOMPARE(QString::fromLatin1(command->setting.name), name);
        QCOMPARE(command->setting.group, settings::kSection);
        QVERIFY(command->setting.cache == settings::ECache::Kept);

        QCOMPARE(CheckOf(m_cache, id), check);
        QVERIFY(!QFile::exists(testsupport::SettingsFilePath())); // reading creates nothing
    }

    void storedFiveShowsCheckedAndTogglesToZero()
    {
        WriteSettingInt("DisplayTVChannels", 5);
        int nRefreshes = 0;
        QCOMPARE(CheckOf(m_cache, ID_DISPLAY_TV_CHANNELS), 1);
        Toggle(m_cache, ID_DISPLAY_TV_CHANNELS, [&] { ++nRefreshes; });
        QCOMPARE(ReadSettingInt("DisplayTVChannels", -7), 0);
        QCOMPARE(CheckOf(m_cache, ID_DISPLAY_TV_CHANNELS), 0);
        QCOMPARE(nRefreshes, 1);
    }

    // Each toggle reads what the previous one wrote, not a stale cached value.
    void twoTogglesInARow()
    {
        QList<int> written;
        const auto refresh = [&] { written.append(ReadSettingInt("DisplayTVChannels", -7)); };
        Toggle(m_cache, ID_DISPLAY_TV_CHANNELS, refresh);
        Toggle(m_cache, ID_DISPLAY_TV_CHANNELS, refresh);
        QCOMPARE(written, (QList<int>{1, 0})); // one refresh after each write
        QCOMPARE(m_cache.Read(settings::kDisplayTVChannels), 0); // the store holds what the file holds
        QCOMPARE(CheckOf(m_cache, ID_DISPLAY_TV_CHANNELS), 0);
        // The other choices are untouched.
        QCOMPARE(ReadSettingInt("DisplayRadioChannels", -7), -7);
    }
};

QTEST_GUILESS_MAIN(TestPlayerFilters)
#include "player_filters.moc"
