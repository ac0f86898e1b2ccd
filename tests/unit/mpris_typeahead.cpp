// Type-ahead in the channel list: which row the typed letters select, by the channel's name, from
// the selected row on, with wrap-around, case-insensitively; a pause starts a new search.
#include "platform/ListCtrl.h"
#include "player/ChannelPlayer.h"
#include "player/TypeAheadSearch.h"

#include <QtTest>

namespace
{
// Rows with a name in the name column; selection is whatever the test sets.
class CNameList : public CListCtrl
{
public:
    explicit CNameList(const QStringList& names) : m_names(names) {}
    bool DeleteAllItems() override { return false; }
    int GetColumnCount() const override { return 5; }
    bool DeleteColumn(int) override { return false; }
    int InsertColumn(int, const QString&, int, int) override { return -1; }
    int GetItemCount() const override { return int(m_names.size()); }
    int InsertItem(int, const QString&) override { return -1; }
    bool SetItemText(int, int, const QString&) override { return false; }
    QString GetItemText(int nItem, int nSubItem) const override
    {
        return nSubItem == kNameColumn ? m_names[nItem] : QString::number(nItem + 1);
    }
    int GetSelectedItem() const override { return m_nSelected; }
    bool EnsureVisible(int) override { return true; }
    bool SelectAndFocusItem(int nItem) override
    {
        m_nSelected = nItem;
        return true;
    }
    void SetExtendedStyle(unsigned) override {}

    QStringList m_names;
    int m_nSelected = -1;
};
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
        CNameList list(names);
        list.m_nSelected = selected;
        CTypeAheadSearch search(kNameColumn, 1000);
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
                list.SelectAndFocusItem(nRow);
            seen.append(list.GetSelectedItem());
        }
        QCOMPARE(seen, rows);
    }

    // The real clock: keys in quick succession add up, as they do when someone types.
    void quickKeysAddUp()
    {
        CNameList list({"One", "Two", "Three"});
        list.m_nSelected = 0;
        CTypeAheadSearch search(kNameColumn, 60 * 1000);
        QCOMPARE(search.KeyTyped(list, "t"), 1);
        list.m_nSelected = 1;
        QVERIFY(search.IsSearching());
        QCOMPARE(search.KeyTyped(list, "h"), 2);
        QCOMPARE(search.Typed(), QStringLiteral("th"));
    }
};

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "mpris_typeahead.moc"
