// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Type-ahead in the channel list: which row the typed letters select, by the channel's name, from
// the selected row on, with wrap-around, case-insensitively; a pause starts a new search.
#include "catalogue/ChannelTableModel.h"
#include "player/TypeAheadSearch.h"

#include <QtTest>

namespace
{
// Fills the list with channels of these names; nothing selected.
void Fill(CChannelTableModel& list, const QStringList& names)
{
    std::vector<CChannelRecord> records(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        records[size_t(i)].m_strName = names[i];
    list.SetChannels(QStringList(channellist::kColumnCount), std::move(records));
}
} // namespace

class TestTypeAhead : public QObject
{
    Q_OBJECT
private slots:
    void typing_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("selected");
        // The keys typed; "|" is a pause long enough to start a new search.
        QTest::addColumn<QString>("keys");
        // The selected row after each key (-1: none).
        QTest::addColumn<QList<int>>("rows");
        const QStringList names{"One", "Two", "Three", "tango", "Ten"};
        QTest::newRow("a letter moves to the next row with it") << names << 0 << "t" << QList<int>{1};
        QTest::newRow("nothing selected: from the top") << names << -1 << "t" << QList<int>{1};
        QTest::newRow("more letters narrow the name") << names << 0 << "th" << QList<int>{1, 2};
        QTest::newRow("case does not matter") << names << 0 << "TA" << QList<int>{1, 3};
        QTest::newRow("the same letter again moves on") << names << 0 << "ttt" << QList<int>{1, 2, 3};
        QTest::newRow("after a pause, a new search") << names << 0 << "t|t|t" << QList<int>{1, 2, 3};
        QTest::newRow("a pause forgets the letters before") << names << 0 << "th|o" << QList<int>{1, 2, 0};
        QTest::newRow("wraps past the end") << names << 4 << "o" << QList<int>{0};
        QTest::newRow("wraps back to the same row") << names << 0 << "o" << QList<int>{0};
        QTest::newRow("longer text wraps too") << names << 3 << "tw" << QList<int>{4, 1};
        QTest::newRow("no match keeps the selection") << names << 2 << "x" << QList<int>{2};
        QTest::newRow("a miss stays a miss until a pause") << names << 0 << "tx|o" << QList<int>{1, 1, 0};
        QTest::newRow("spaces and digits are text") << QStringList{"Radio 1", "Radio 2", "Radio 10"} << 0
                                                    << "radio 2" << QList<int>{1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("empty list") << QStringList{} << -1 << "a" << QList<int>{-1};
    }
    void typing()
    {
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        QFETCH(QString, keys);
        QFETCH(QList<int>, rows);
        CChannelTableModel list;
        Fill(list, names);
        list.SelectRow(selected);
        CTypeAheadSearch search(1000);
        QList<int> seen;
        bool bPaused = true;
        for (const QChar key : keys)
        {
            if (key == QLatin1Char('|'))
            {
                bPaused = true;
                continue;
            }
            const int nRow = search.KeyTyped(list, QString(key), bPaused);
            bPaused = false;
            if (nRow >= 0)
                list.SelectRow(nRow);
            seen.append(list.SelectedRow());
        }
        QCOMPARE(seen, rows);
    }

    // The real clock: keys in quick succession add up, as they do when someone types.
    void quickKeysAddUp()
    {
        CChannelTableModel list;
        Fill(list, {"One", "Two", "Three"});
        list.SelectRow(0);
        CTypeAheadSearch search(60 * 1000);
        QCOMPARE(search.KeyTyped(list, "t"), 1);
        list.SelectRow(1);
        QVERIFY(search.IsSearching());
        QCOMPARE(search.KeyTyped(list, "h"), 2);
        QCOMPARE(search.Typed(), QStringLiteral("th"));
    }
};

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "mpris_typeahead.moc"
