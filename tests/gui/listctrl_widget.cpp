// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The channel list as the user meets it: one notification per selection change from code, mouse and
// keyboard; keys reported as virtual keys; the stream address column hidden, the widths kept through
// every refill; the channel chosen in code scrolled into view.
#include "catalogue/ChannelTableModel.h"
#include "player/ChannelListView.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QtTest>

namespace
{
using RowStates = CChannelTableModel::RowStates;

struct SChange
{
    int nItem;
    RowStates states;
    bool operator==(const SChange& o) const { return nItem == o.nItem && states == o.states; }
};
char* toString(const SChange& c)
{
    return qstrdup(QByteArray::number(c.nItem) + ":" + QByteArray::number(int(c.states)));
}
const RowStates kSelectedFocused = CChannelTableModel::Selected | CChannelTableModel::Focused;

void Fill(CChannelTableModel& list, int nRows)
{
    std::vector<CChannelRecord> records(static_cast<size_t>(nRows));
    for (int i = 0; i < nRows; ++i)
    {
        records[size_t(i)].m_strName = QStringLiteral("Channel %1").arg(i + 1);
        records[size_t(i)].m_strDescription = QStringLiteral("About %1").arg(i + 1);
        records[size_t(i)].m_strUrl = QStringLiteral("http://streams.example/%1").arg(i + 1);
    }
    list.SetChannels({"Sr No", "Channel", "About", "Language", "Address"}, std::move(records));
}
} // namespace

class TestChannelListView : public QObject
{
    Q_OBJECT

    CChannelListView* m_pList = nullptr;
    QList<SChange> m_changes;
    QList<unsigned> m_keys;

    CChannelTableModel& Channels() { return m_pList->Channels(); }

private slots:
    void init()
    {
        m_pList = new CChannelListView;
        m_pList->resize(700, 300);
        connect(&Channels(), &CChannelTableModel::RowStateChanged, this,
                [this](int nItem, RowStates states) { m_changes.append({nItem, states}); });
        connect(m_pList, &CChannelListView::KeyDown, this, [this](unsigned nKey) { m_keys.append(nKey); });
        Fill(Channels(), 50);
        m_pList->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pList));
        m_changes.clear();
        m_keys.clear();
    }
    void cleanup()
    {
        delete m_pList;
        m_pList = nullptr;
    }

    void selectionFromCode()
    {
        QVERIFY(Channels().SelectRow(2));
        QCOMPARE(m_changes, (QList<SChange>{{2, kSelectedFocused}}));
        QVERIFY(Channels().SelectRow(2));
        QCOMPARE(m_changes.size(), 1); // no change, no notification
        QVERIFY(Channels().SelectRow(0));
        QCOMPARE(m_changes, (QList<SChange>{{2, kSelectedFocused}, {2, {}}, {0, kSelectedFocused}}));
        QCOMPARE(Channels().SelectedRow(), 0);
        QVERIFY(!Channels().SelectRow(50));
        QCOMPARE(Channels().SelectedRow(), 0);

        // Emptying the list says nothing; the same row selected after a refill is a change again.
        m_changes.clear();
        Fill(Channels(), 10);
        QVERIFY(m_changes.isEmpty());
        QCOMPARE(Channels().SelectedRow(), -1);
        QVERIFY(Channels().SelectRow(0));
        QCOMPARE(m_changes, (QList<SChange>{{0, kSelectedFocused}}));
        m_changes.clear();
        Channels().Clear();
        QVERIFY(m_changes.isEmpty());
        QCOMPARE(Channels().SelectedRow(), -1);
        QVERIFY(!Channels().SelectRow(0));
    }

    // A channel number names the row with that serial number, and the channel is read from its
    // record: the cells only show it.
    void channelsByNumber()
    {
        const CChannel channel = Channels().Channel(Channels().RowOfNumber(7));
        QCOMPARE(channel.m_nNumber, 7);
        QCOMPARE(channel.m_strName, QStringLiteral("Channel 7"));
        QCOMPARE(channel.m_strUrl, QStringLiteral("http://streams.example/7"));
        QCOMPARE(m_pList->model()->index(6, channellist::kSerialColumn).data().toString(), QStringLiteral("7"));
        QCOMPARE(Channels().RowOfNumber(50), 49);
        QCOMPARE(Channels().RowOfNumber(51), -1);
        QCOMPARE(Channels().RowOfNumber(0), -1);
        QVERIFY(!Channels().Channel(50).IsValid());
    }

    // Views see a consistent model through fills, selection and emptying.
    void modelStaysConsistent()
    {
        QAbstractItemModelTester tester(m_pList->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Fill(Channels(), 300);
        QVERIFY(Channels().SelectRow(299));
        QCOMPARE(m_pList->model()->rowCount(), 300);
        QCOMPARE(m_pList->model()->index(299, 1).data().toString(), QStringLiteral("Channel 300"));
        Channels().Clear();
        QCOMPARE(m_pList->model()->rowCount(), 0);
        QCOMPARE(m_pList->model()->columnCount(), channellist::kColumnCount);
        Fill(Channels(), 20);
        QCOMPARE(m_pList->model()->rowCount(), 20);
    }

    void selectionByMouseAndArrows()
    {
        QVERIFY(Channels().SelectRow(1));
        m_changes.clear();
        const QRect cell = m_pList->visualRect(m_pList->model()->index(4, 1));
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(m_changes, (QList<SChange>{{1, {}}, {4, kSelectedFocused}}));
        QCOMPARE(Channels().SelectedRow(), 4);

        m_changes.clear();
        QTest::keyClick(m_pList, Qt::Key_Down);
        QCOMPARE(m_changes, (QList<SChange>{{4, {}}, {5, kSelectedFocused}}));
        QCOMPARE(m_keys, QList<unsigned>{0x28});
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<unsigned>("virtualKey");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0x70u;
        QTest::newRow("F8") << int(Qt::Key_F8) << 0x77u;
        QTest::newRow("F9") << int(Qt::Key_F9) << 0x78u;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0x7Bu;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0x0Du;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0x26u;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(unsigned, virtualKey);
        m_pList->setFocus();
        QTest::keyClick(m_pList, Qt::Key(key));
        QCOMPARE(m_keys, QList<unsigned>{virtualKey});
    }

    // The columns look the same after every refill (a reset of the model would otherwise show the
    // address column and forget the widths).
    void columns()
    {
        for (int nFill = 0; nFill < 2; ++nFill)
        {
            QVERIFY(m_pList->isColumnHidden(channellist::kUrlColumn));
            QVERIFY(!m_pList->isColumnHidden(channellist::kDescriptionColumn));
            QCOMPARE(m_pList->columnWidth(0), 50);
            QCOMPARE(m_pList->columnWidth(2), 300);
            QCOMPARE(m_pList->model()->index(7, channellist::kUrlColumn).data().toString(),
                     QStringLiteral("http://streams.example/8"));
            QCOMPARE(m_pList->model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                         Qt::AlignHorizontal_Mask,
                     Qt::AlignHCenter);
            QCOMPARE(m_pList->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Channel"));
            QVERIFY(m_pList->showGrid());
            QVERIFY(m_pList->horizontalHeader()->isVisible());
            QVERIFY(!m_pList->verticalHeader()->isVisible());
            m_pList->setColumnWidth(0, 80);
            Fill(Channels(), 30);
        }
    }

    // A channel selected in code (by number, hot key, the desktop's media controls) is scrolled
    // into view.
    void selectedRowIsScrolledIntoView()
    {
        QVERIFY(Channels().SelectRow(49));
        const QRect row = m_pList->visualRect(m_pList->model()->index(49, 0));
        QVERIFY(m_pList->viewport()->rect().contains(row));
        QVERIFY(Channels().SelectRow(0));
        QVERIFY(m_pList->viewport()->rect().contains(m_pList->visualRect(m_pList->model()->index(0, 0))));
    }
};

QTEST_MAIN(TestChannelListView)
#include "listctrl_widget.moc"
