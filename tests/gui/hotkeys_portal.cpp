// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop portal's global shortcuts as the hot key service (the Wayland way), against a portal
// of our own on the test's private session bus (tests/support/fake_portal.py): which shortcuts are
// bound with which trigger, and a press reported for the registering window when the portal reports one.
#include "TestSupport.h"

#include "platform/PortalHotKeyService.h"
#include "platform/VirtualKeys.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace
{
using LPARAM = qintptr;

// A window that keeps the presses reported for it: (identifier, modifiers in the low word and the
// virtual key in the high word).
class CHotKeyWindow : public QObject
{
public:
    QList<QPair<int, LPARAM>> m_hotKeys;
    // Hands every press that the service reports to the window it was registered for.
    static void Deliver(CHotKeyService* pService)
    {
        QObject::connect(pService, &CHotKeyService::HotKeyPressed, pService,
                         [](QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey)
                         {
                             if (auto* w = dynamic_cast<CHotKeyWindow*>(pWnd))
                                 w->m_hotKeys.append({nId, LPARAM(fsModifiers | (nVirtualKey << 16))});
                         });
    }
};

constexpr quint16 kVkP = 0x50;
constexpr quint16 kVkUnnamed = 0x07; // a code no key has

LPARAM HotKeyLParam(UINT fsModifiers, UINT nVirtualKey)
{
    return LPARAM(fsModifiers | (nVirtualKey << 16));
}
} // namespace

class TestHotKeysPortal : public QObject
{
    Q_OBJECT
    QProcess m_portal;
    QStringList m_lines; // what the portal has printed: "bound ...", "closed"

    void Press(const QString& strShortcut)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                                           QStringLiteral("/org/freedesktop/portal/desktop"),
                                                           QStringLiteral("org.vedrix.test.FakePortal"),
                                                           QStringLiteral("Activate"));
        call << strShortcut;
        QCOMPARE(QDBusConnection::sessionBus().call(call).type(), QDBusMessage::ReplyMessage);
    }
    bool WaitForBound(const QString& strLine)
    {
        return testsupport::WaitFor([&] { return !m_lines.isEmpty() && m_lines.last() == strLine; });
    }

private slots:
    void initTestCase()
    {
        const QString script = QStringLiteral(VEDRIX_TEST_SOURCE_DIR "/tests/support/fake_portal.py");
        connect(&m_portal, &QProcess::readyReadStandardOutput, this,
                [this]
                {
                    while (m_portal.canReadLine())
                        m_lines << QString::fromUtf8(m_portal.readLine()).trimmed();
                });
        m_portal.start(QStringLiteral("python3"), {script});
        QVERIFY(testsupport::WaitFor([&] { return m_lines.contains(QStringLiteral("ready")); }));
    }
    void cleanupTestCase()
    {
        m_portal.terminate();
        m_portal.waitForFinished();
    }

    void triggers_data()
    {
        QTest::addColumn<uint>("modifiers");
        QTest::addColumn<uint>("virtualKey");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("Ctrl+Alt+P") << uint(MOD_CONTROL | MOD_ALT) << uint(kVkP) << "CTRL+ALT+p";
        QTest::newRow("all four, F1")
            << uint(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN) << uint(VK_F1) << "CTRL+ALT+SHIFT+LOGO+F1";
        QTest::newRow("media key alone") << 0u << uint(VK_MEDIA_PLAY_PAUSE) << "XF86AudioPlay";
        QTest::newRow("arrow") << uint(MOD_SHIFT) << uint(VK_LEFT) << "SHIFT+Left";
        QTest::newRow("keypad") << uint(MOD_CONTROL) << uint(VK_NUMPAD0) << "CTRL+KP_0";
        QTest::newRow("a key without a name") << uint(MOD_CONTROL) << uint(kVkUnnamed) << "";
        QTest::newRow("beyond 16 bits") << uint(MOD_CONTROL) << uint(0x10000 + kVkP) << "";
    }
    void triggers()
    {
        QFETCH(uint, modifiers);
        QFETCH(uint, virtualKey);
        QFETCH(QString, trigger);
        QCOMPARE(CPortalHotKeyService::TriggerFor(modifiers, virtualKey), trigger);
    }

    void bindsTheRegistrationsAndDeliversActivations()
    {
        std::unique_ptr<CPortalHotKeyService> service(CPortalHotKeyService::Create());
        QVERIFY(service);
        CHotKeyWindow::Deliver(service.get());
        CHotKeyWindow player, other;
        QVERIFY(service->RegisterHotKey(&player, 1, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(service->RegisterHotKey(&player, 4, 0, VK_MEDIA_STOP));
        // Refused at once: a combination held already, an id the window uses, a key without a name.
        QVERIFY(!service->RegisterHotKey(&other, 2, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(!service->RegisterHotKey(&player, 1, MOD_SHIFT, kVkP));
        QVERIFY(!service->RegisterHotKey(&player, 3, MOD_SHIFT, kVkUnnamed));
        // One binding for what was registered together, once the session exists.
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey1=CTRL+ALT+p hotkey4=XF86AudioStop")));
        QCOMPARE(m_lines.filter(QStringLiteral("bound")).size(), 1);

        Press(QStringLiteral("hotkey1"));
        QVERIFY(testsupport::WaitFor([&] { return !player.m_hotKeys.isEmpty(); }));
        QCOMPARE(player.m_hotKeys,
                 (QList<QPair<int, LPARAM>>{{1, HotKeyLParam(MOD_CONTROL | MOD_ALT, kVkP)}}));

        // Unregistering binds the rest again; the combination is free for another window.
        QVERIFY(service->UnregisterHotKey(&player, 1));
        QVERIFY(!service->UnregisterHotKey(&player, 1));
        QVERIFY(service->RegisterHotKey(&other, 2, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey4=XF86AudioStop")));
        Press(QStringLiteral("hotkey2"));
        Press(QStringLiteral("hotkey4"));
        QVERIFY(testsupport::WaitFor([&] { return player.m_hotKeys.size() == 2; }));
        QCOMPARE(player.m_hotKeys.last(), qMakePair(4, HotKeyLParam(0, VK_MEDIA_STOP)));
        QCOMPARE(other.m_hotKeys,
                 (QList<QPair<int, LPARAM>>{{2, HotKeyLParam(MOD_CONTROL | MOD_ALT, kVkP)}}));

        // A window's registrations end with it.
        {
            CHotKeyWindow view;
            QVERIFY(service->RegisterHotKey(&view, 3, MOD_ALT, VK_F1));
            QVERIFY(WaitForBound(
                QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey3=ALT+F1 hotkey4=XF86AudioStop")));
        }
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey4=XF86AudioStop")));

        // The service closes its session as it goes.
        service.reset();
        QVERIFY(testsupport::WaitFor([&] { return m_lines.last() == QStringLiteral("closed"); }));
    }
};

QTEST_MAIN(TestHotKeysPortal)
#include "hotkeys_portal.moc"
