// Messages and command routing: posted messages arrive after the current one, sent ones at once;
// the first handler on the path wins; an element without any handler is disabled.
#include "platform/CmdTarget.h"
#include "app/Commands.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QtTest>

namespace
{
class CRecorder : public QObject, public CMessageTarget
{
public:
    QList<QPair<UINT, WPARAM>> m_received;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_received.append({message, wParam});
        return LRESULT(wParam) + lParam;
    }
    bool event(QEvent* e) override { return DispatchMessageEvent(e, this) || QObject::event(e); }
};
} // namespace

class TestPlatformCommands : public QObject
{
    Q_OBJECT
private slots:
    void postedMessagesArriveLaterInOrder()
    {
        CRecorder r;
        PostMessage(&r, WM_RELOAD_CHANNELS, 1, 0);
        PostMessage(&r, WM_COMMAND, 310, 0);
        QVERIFY(r.m_received.isEmpty());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(r.m_received.size(), 2);
        QCOMPARE(r.m_received[0].first, WM_RELOAD_CHANNELS);
        QCOMPARE(r.m_received[1].second, WPARAM(310));
    }

    void sentMessageReturnsResult()
    {
        CRecorder r;
        QCOMPARE(SendMessage(&r, WM_USER + 4, 12, 12), LRESULT(24));
        QCOMPARE(SendMessage(nullptr, WM_USER + 4, 12, 12), LRESULT(0));
        QVERIFY(!PostMessage(nullptr, WM_USER));
    }

    void commandMapDispatch()
    {
        CCommandMap map;
        int played = 0;
        UINT ranged = 0;
        map.On(319, [&] { ++played; });
        map.OnRange(210, 218, [&](UINT id) { ranged = id; });
        map.OnUpdate(325, [](CCmdUI* ui) { ui->SetCheck(1); });

        QVERIFY(map.Dispatch(319, nullptr));
        QCOMPARE(played, 1);
        QVERIFY(map.Dispatch(216, nullptr));
        QCOMPARE(ranged, 216u);
        QVERIFY(!map.Dispatch(317, nullptr));

        CCmdUI withHandler(319), withUpdate(325), none(317);
        QVERIFY(map.Dispatch(319, &withHandler));
        QVERIFY(withHandler.m_bEnabled);
        QVERIFY(map.Dispatch(325, &withUpdate));
        QCOMPARE(withUpdate.m_nCheck, 1);
        QVERIFY(!map.Dispatch(317, &none));
        QVERIFY(!none.m_bEnabled);
        QCOMPARE(played, 1); // update queries never run the command
    }
};

QTEST_GUILESS_MAIN(TestPlatformCommands)
#include "platform_commands.moc"
