// The list control as the user meets it: one notification per selection change from code, mouse and
// keyboard; keys reported as virtual keys; the stream address column hidden but readable.
#include "platform/ListCtrlWidget.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QtTest>

namespace
{
struct SChange
{
    int nItem;
    unsigned nState;
    bool operator==(const SChange& o) const { return nItem == o.nItem && nState == o.nState; }
};
char* toString(const SChange& c)
{
    return qstrdup(QByteArray::number(c.nItem) + ":" + QByteArray::number(c.nState));
}
constexpr unsigned kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

void Fill(CListCtrl& list, int nRows)
{
    list.DeleteAllItems();
    for (int c = list.GetColumnCount() - 1; c >= 0; --c)
        list.DeleteColumn(c);
    list.InsertColumn(0, "Sr No", LVCFMT_LEFT, 50);
    list.InsertColumn(1, "Channel", LVCFMT_LEFT, 150);
    list.InsertColumn(2, "About", LVCFMT_CENTER, 300);
    list.InsertColumn(3, "Address", LVCFMT_LEFT, 0);
    for (int i = 0; i < nRows; ++i)
    {
        const int n = list.InsertItem(list.GetItemCount(), QString::number(i + 1));
        list.SetItemText(n, 1, QStringLiteral("Channel %1").arg(i + 1));
        list.SetItemText(n, 2, QStringLiteral("About %1").arg(i + 1));
        list.SetItemText(n, 3, QStringLiteral("http://streams.example/%1").arg(i + 1));
    }
}
} // namespace

class TestListCtrlWidget : public QObject
{
    Q_OBJECT

    CListCtrlWidget* m_pList = nullptr;
    QList<SChange> m_changes;
    QList<unsigned> m_keys;

private slots:
    void init()
    {
        m_pList = new CListCtrlWidget;
        m_pList->resize(700, 300);
        m_pList->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_pList->m_onItemChanged = [this](int nItem, unsigned nState) { m_changes.append({nItem, nState}); };
        m_pList->m_onKeyDown = [this](unsigned nKey) { m_keys.append(nKey); };
        Fill(*m_pList, 50);
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
        QVERIFY(m_pList->SelectAndFocusItem(2));
        QCOMPARE(m_changes, (QList<SChange>{{2, kSelectedFocused}}));
        QVERIFY(m_pList->SelectAndFocusItem(2));
        QCOMPARE(m_changes.size(), 1); // no change, no notification
        QVERIFY(m_pList->SelectAndFocusItem(0));
        QCOMPARE(m_changes, (QList<SChange>{{2, kSelectedFocused}, {2, 0}, {0, kSelectedFocused}}));
        QCOMPARE(m_pList->GetSelectedItem(), 0);
        QVERIFY(!m_pList->SelectAndFocusItem(50));
        QCOMPARE(m_pList->GetSelectedItem(), 0);

        // Emptying the list says nothing; the same row selected after a refill is a change again.
        m_changes.clear();
        Fill(*m_pList, 10);
        QVERIFY(m_changes.isEmpty());
        QCOMPARE(m_pList->GetSelectedItem(), -1);
        QVERIFY(m_pList->SelectAndFocusItem(0));
        QCOMPARE(m_changes, (QList<SChange>{{0, kSelectedFocused}}));
    }

    // A row inserted above the selected one moves the selection along without a notification.
    void insertAboveSelection()
    {
        QVERIFY(m_pList->SelectAndFocusItem(5));
        m_changes.clear();
        QCOMPARE(m_pList->InsertItem(2, "new"), 2);
        QCOMPARE(m_pList->GetSelectedItem(), 6);
        QCOMPARE(m_pList->GetItemText(6, 1), QStringLiteral("Channel 6"));
        QVERIFY(m_pList->SelectAndFocusItem(6));
        QVERIFY(m_changes.isEmpty());
        QVERIFY(m_pList->SelectAndFocusItem(5));
        QCOMPARE(m_changes, (QList<SChange>{{6, 0}, {5, kSelectedFocused}}));
    }

    // Views see a consistent model through fills, batched appends, selection and column changes.
    void modelStaysConsistent()
    {
        QAbstractItemModelTester tester(m_pList->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Fill(*m_pList, 300);
        QVERIFY(m_pList->SelectAndFocusItem(299));
        QCOMPARE(m_pList->model()->rowCount(), 300);
        m_pList->InsertItem(300, "301");
        m_pList->SetItemText(300, 1, "late");
        QCoreApplication::processEvents();
        QCOMPARE(m_pList->model()->rowCount(), 301);
        QCOMPARE(m_pList->model()->index(300, 1).data().toString(), QStringLiteral("late"));
        m_pList->InsertItem(0, "first");
        m_pList->SetItemText(0, 1, "a much longer text than the cell held before");
        m_pList->SetItemText(0, 1, "short");
        QCOMPARE(m_pList->GetItemText(0, 1), QStringLiteral("short"));
        m_pList->DeleteColumn(1);
        QCOMPARE(m_pList->GetItemText(1, 1), QStringLiteral("About 1"));
        Fill(*m_pList, 20);
        QCoreApplication::processEvents();
        QCOMPARE(m_pList->model()->rowCount(), 20);

        // Cells rewritten many times, growing and shrinking, keep their latest text.
        QStringList latest(20);
        for (int i = 0; i < 3000; ++i)
        {
            latest[i % 20] = QString((i * 37) % 200 + 1, QChar('a' + i % 26));
            QVERIFY(m_pList->SetItemText(i % 20, 2, latest[i % 20]));
        }
        for (int row = 0; row < 20; ++row)
        {
            QCOMPARE(m_pList->GetItemText(row, 2), latest[row]);
            QCOMPARE(m_pList->GetItemText(row, 1), QStringLiteral("Channel %1").arg(row + 1));
        }
    }

    void selectionByMouseAndArrows()
    {
        QVERIFY(m_pList->SelectAndFocusItem(1));
        m_changes.clear();
        const QRect cell = m_pList->visualRect(m_pList->model()->index(4, 1));
        QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(m_changes, (QList<SChange>{{1, 0}, {4, kSelectedFocused}}));
        QCOMPARE(m_pList->GetSelectedItem(), 4);

        m_changes.clear();
        QTest::keyClick(m_pList, Qt::Key_Down);
        QCOMPARE(m_changes, (QList<SChange>{{4, 0}, {5, kSelectedFocused}}));
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

    void columns()
    {
        QVERIFY(m_pList->isColumnHidden(3));
        QVERIFY(!m_pList->isColumnHidden(2));
        QCOMPARE(m_pList->columnWidth(0), 50);
        QCOMPARE(m_pList->columnWidth(2), 300);
        QCOMPARE(m_pList->GetItemText(7, 3), QStringLiteral("http://streams.example/8"));
        QCOMPARE(m_pList->model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QVERIFY(m_pList->showGrid());
        m_pList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        QVERIFY(!m_pList->showGrid());
    }

    void ensureVisible()
    {
        QVERIFY(m_pList->EnsureVisible(49));
        const QRect row = m_pList->visualRect(m_pList->model()->index(49, 0));
        QVERIFY(m_pList->viewport()->rect().contains(row));
        QVERIFY(!m_pList->EnsureVisible(50));
    }
};

QTEST_MAIN(TestListCtrlWidget)
#include "listctrl_widget.moc"
