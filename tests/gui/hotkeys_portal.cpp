// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop portal's global shortcuts as the hot key service (the Wayland way), against a portal
// of our own on the test's private session bus (tests/support/fake_portal.py), which lets a session
// bind once as GNOME's does: which shortcuts are bound with which trigger and description, a press
// reported for the registering window, and the settings form showing what the desktop assigned.
#include "TestSupport.h"

#include "context/AppContext.h"
#include "hotkeys/HotKeyBindings.h"
#include "hotkeys/HotKeyCtrl.h"
#include "hotkeys/RadioSettingsView.h"
#include "platform/PortalHotKeyService.h"
#include "platform/VirtualKeys.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTranslator>
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

    // A call of the fake portal's test interface, as the user at the desktop.
    static QDBusMessage CallPortal(const QString& strMethod, const QList<QVariant>& arguments)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                           QStringLiteral("/org/freedesktop/portal/desktop"),
                                           QStringLiteral("org.vedrix.test.FakePortal"), strMethod);
        call.setArguments(arguments);
        return QDBusConnection::sessionBus().call(call);
    }
    void Press(const QString& strShortcut)
    {
        QCOMPARE(CallPortal(QStringLiteral("Activate"), {strShortcut}).type(), QDBusMessage::ReplyMessage);
    }
    bool WaitForBound(const QString& strLine)
    {
        return testsupport::WaitFor([&] { return !m_lines.isEmpty() && m_lines.last() == strLine; });
    }
    // What the portal printed after line n: its "closed", "bound ..." and "refused bind ..." lines.
    QStringList LinesSince(qsizetype n) const { return m_lines.mid(n); }

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

    void sameTrigger_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("same");
        QTest::newRow("the desktop's words") << "Ctrl+Alt+P" << true;
        QTest::newRow("another order, spaces") << "Alt + Ctrl + p" << true;
        QTest::newRow("GTK's accelerator") << "<Control><Alt>p" << true;
        QTest::newRow("German key names") << "Strg+Alt+P" << true;
        QTest::newRow("another key") << "Ctrl+Alt+Q" << false;
        QTest::newRow("a modifier less") << "Ctrl+P" << false;
        QTest::newRow("a modifier more") << "Ctrl+Alt+Shift+P" << false;
    }
    void sameTrigger()
    {
        QFETCH(QString, description);
        QFETCH(bool, same);
        QCOMPARE(CPortalHotKeyService::SameTrigger(description, QStringLiteral("CTRL+ALT+p")), same);
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

        // A page switch: one window's keys go, the next window's come a few turns of the event loop
        // later. While changes are held the desktop hears nothing of it, and its keys go on working;
        // the next real change is one new session.
        const qsizetype beforeHandOver = m_lines.size();
        service->HoldChanges();
        QVERIFY(service->UnregisterHotKey(&other, 2));
        Press(QStringLiteral("hotkey4"));
        QVERIFY(testsupport::WaitFor([&] { return player.m_hotKeys.size() == 3; }));
        CHotKeyWindow next;
        QVERIFY(service->RegisterHotKey(&next, 2, MOD_CONTROL | MOD_ALT, kVkP));
        service->ReleaseChanges();
        Press(QStringLiteral("hotkey2"));
        QVERIFY(testsupport::WaitFor([&] { return next.m_hotKeys.size() == 1; }));
        QVERIFY(service->RegisterHotKey(&next, 3, MOD_SHIFT, VK_F1));
        QVERIFY(WaitForBound(
            QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey3=SHIFT+F1 hotkey4=XF86AudioStop")));
        QCOMPARE(LinesSince(beforeHandOver),
                 QStringList({"closed", QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey3=SHIFT+F1 "
                                                       "hotkey4=XF86AudioStop")}));
        QVERIFY(service->UnregisterHotKey(&next, 3));
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey4=XF86AudioStop")));

        // The desktop ends the session: the next change of the keys is bound in a new one.
        const qsizetype beforeEnd = m_lines.size();
        QCOMPARE(CallPortal(QStringLiteral("EndSessions"), {}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(service->RegisterHotKey(&other, 3, MOD_ALT, VK_F1));
        QVERIFY(testsupport::WaitFor([&] { return LinesSince(beforeEnd).size() == 2; }));
        QCOMPARE(
            LinesSince(beforeEnd),
            QStringList(
                {"ended", QStringLiteral("bound hotkey2=CTRL+ALT+p hotkey3=ALT+F1 hotkey4=XF86AudioStop")}));

        // Every change went to a new session: the portal never had to refuse a second bind.
        QCOMPARE(m_lines.filter(QStringLiteral("refused")), QStringList());

        // The service closes its session as it goes.
        service.reset();
        QVERIFY(testsupport::WaitFor([&] { return m_lines.last() == QStringLiteral("closed"); }));
    }

    // The settings form over the portal, in German: every change of a key is one new session with one
    // bind of the whole set, described by the actions' names; what the user then assigns in the
    // desktop's settings, or chooses when the desktop asks, shows beside the row.
    void settingsFormFollowsTheDesktop()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/vedrix_de.qm")));
        QCoreApplication::installTranslator(&german);
        testsupport::ClearSettings();
        CAppContext context;
        std::unique_ptr<CPortalHotKeyService> service(CPortalHotKeyService::Create());
        QVERIFY(service);
        context.UseHotKeyService(service.get());
        constexpr quint8 kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
        QVERIFY(SaveHotKey(context.Settings(), QStringLiteral("Play"), kVkP, kCtrlAlt));
        QVERIFY(SaveHotKey(context.Settings(), QStringLiteral("Stop"), 0x53 /* S */, kCtrlAlt));

        auto view = std::make_unique<CRadioSettingsView>(context);
        view->show();
        auto label = [&](int nRow)
        { return view->findChild<QLabel*>(QStringLiteral("AssignedTrigger%1").arg(1009 + nRow)); };
        auto shows = [&](int nRow, const QString& strText)
        { return label(nRow)->isVisible() && label(nRow)->text() == strText; };
        auto click = [&](int nId) { qobject_cast<QPushButton*>(view->GetDlgItem(nId))->click(); };

        qsizetype start = m_lines.size();
        view->LoadAllHotKeyRows();
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey1=CTRL+ALT+p hotkey4=CTRL+ALT+s")));
        qDBusRegisterMetaType<QMap<QString, QString>>();
        const QDBusReply<QMap<QString, QString>> described = CallPortal(QStringLiteral("Descriptions"), {});
        QCOMPARE(described.value(),
                 (QMap<QString, QString>{{QStringLiteral("hotkey1"), QStringLiteral("Abspielen")},
                                         {QStringLiteral("hotkey4"), QStringLiteral("Stopp")}}));
        // The desktop bound what was asked: nothing to say beside the rows.
        QVERIFY(
            testsupport::WaitFor([&] { return service->AssignedTrigger(view.get(), 1) == std::nullopt; }));
        for (int row = 1; row <= 4; ++row)
            QVERIFY(label(row)->isHidden());

        // A new key for Play: the old session goes, a new one binds the new set once.
        start = m_lines.size();
        view->GetHotKeyCtrl(1)->SetHotKey(0x51 /* Q */, kCtrlAlt);
        click(1014);
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey1=CTRL+ALT+q hotkey4=CTRL+ALT+s")));
        QCOMPARE(LinesSince(start),
                 QStringList({"closed", QStringLiteral("bound hotkey1=CTRL+ALT+q hotkey4=CTRL+ALT+s")}));

        // A cleared key is gone from what is bound.
        start = m_lines.size();
        click(1021);
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey1=CTRL+ALT+q")));
        QCOMPARE(LinesSince(start), QStringList({"closed", QStringLiteral("bound hotkey1=CTRL+ALT+q")}));

        // The user gives Play another key in the desktop's settings: the row says so.
        QCOMPARE(
            CallPortal(QStringLiteral("Assign"), {QStringLiteral("hotkey1"), QStringLiteral("CTRL+SHIFT+F5")})
                .type(),
            QDBusMessage::ReplyMessage);
        QVERIFY(testsupport::WaitFor(
            [&] { return shows(1, QStringLiteral("der Desktop vergab Ctrl+Shift+F5")); }));
        QVERIFY(label(1)->accessibleName().startsWith(QStringLiteral("Abspielen: ")));
        // Reloading the rows asks the desktop nothing new: the same set stays in its session.
        start = m_lines.size();
        view->LoadAllHotKeyRows();
        QVERIFY(shows(1, QStringLiteral("der Desktop vergab Ctrl+Shift+F5")));

        // When the desktop asks, the user picks another key for Play Next, and none for Play Prev.
        QCOMPARE(
            CallPortal(QStringLiteral("ChooseAtBind"), {QStringLiteral("hotkey2"), QStringLiteral("LOGO+n")})
                .type(),
            QDBusMessage::ReplyMessage);
        QCOMPARE(CallPortal(QStringLiteral("ChooseAtBind"), {QStringLiteral("hotkey3"), QString()}).type(),
                 QDBusMessage::ReplyMessage);
        view->GetHotKeyCtrl(2)->SetHotKey(0x4E /* N */, kCtrlAlt);
        click(1015);
        QVERIFY(WaitForBound(QStringLiteral("bound hotkey1=CTRL+ALT+q hotkey2=LOGO+n")));
        QVERIFY(testsupport::WaitFor([&] { return shows(2, QStringLiteral("der Desktop vergab Meta+N")); }));
        QVERIFY(label(1)->isHidden()); // the new session bound Play as asked
        const qsizetype beforeRow3 = m_lines.size();
        view->GetHotKeyCtrl(3)->SetHotKey(0x52 /* R */, kCtrlAlt);
        click(1016);
        QVERIFY(testsupport::WaitFor([&] { return LinesSince(beforeRow3).size() == 2; }));
        QCOMPARE(LinesSince(beforeRow3),
                 QStringList({"closed", QStringLiteral("bound hotkey1=CTRL+ALT+q hotkey2=LOGO+n")}));
        QVERIFY(
            testsupport::WaitFor([&] { return shows(3, QStringLiteral("der Desktop vergab keine Taste")); }));
        // Before the last change, the reload of the rows closed no session and bound nothing.
        QCOMPARE(LinesSince(start).first(), QStringLiteral("closed"));
        QCOMPARE(LinesSince(start).filter(QStringLiteral("closed")).size(), 2);
        QCOMPARE(m_lines.filter(QStringLiteral("refused")), QStringList());

        view.reset();
        context.UseHotKeyService(nullptr);
        service.reset();
        QCoreApplication::removeTranslator(&german);
    }
};

QTEST_MAIN(TestHotKeysPortal)
#include "hotkeys_portal.moc"
