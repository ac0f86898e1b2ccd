// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The X11 hot key service on the test's own X server: keys pressed through XTEST (xdotool) reach
// the registering window as a reported press; combinations that another X client or this process holds
// are refused; a destroyed window gives its combinations back.
#include "TestSupport.h"

#include "platform/HotKeyBackend.h"
#include "platform/VirtualKeys.h"
#include "platform/X11HotKeyService.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>
#include <memory>

#include <xcb/xcb_keysyms.h>

namespace
{
constexpr uint kVkG = 0x47;
constexpr uint kVkP = 0x50;
constexpr uint kVkQ = 0x51;
constexpr xcb_keysym_t kKeysymG = 0x67;

using WPARAM = quintptr;
using LPARAM = qintptr;

// A window that keeps the presses reported for it: the id, and the modifiers in the low word with
// the virtual key in the high word.
class CHotKeyRecorder : public QObject
{
public:
    struct SHotKey
    {
        WPARAM id;
        LPARAM lParam;
    };
    QList<SHotKey> m_received;
    // Hands every press that the service reports to the recorder it was registered for.
    static void Deliver(CHotKeyService* pService)
    {
        QObject::connect(pService, &CHotKeyService::HotKeyPressed, pService,
                         [](QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey)
                         {
                             if (auto* r = dynamic_cast<CHotKeyRecorder*>(pWnd))
                                 r->m_received.append({WPARAM(nId), LPARAM((nVirtualKey << 16) | fsModifiers)});
                         });
    }
    QList<WPARAM> Ids() const
    {
        QList<WPARAM> ids;
        for (const SHotKey& h : m_received)
            ids << h.id;
        return ids;
    }
};

// Presses keys the way a user would, through the X server.
void Press(const QString& strKeys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), strKeys}), 0);
}

// A second X client, for combinations that someone else holds.
class COtherClient
{
public:
    COtherClient() : m_pConnection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data->root;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_pConnection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, kKeysymG);
        m_keycodeG = codes ? codes[0] : 0;
        free(codes);
        xcb_key_symbols_free(symbols);
    }
    ~COtherClient() { xcb_disconnect(m_pConnection); }
    bool GrabG(uint16_t mask)
    {
        xcb_generic_error_t* error = xcb_request_check(
            m_pConnection, xcb_grab_key_checked(m_pConnection, 0, m_root, mask, m_keycodeG, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC));
        free(error);
        return !error;
    }

private:
    xcb_connection_t* m_pConnection;
    xcb_window_t m_root;
    xcb_keycode_t m_keycodeG;
};

constexpr uint16_t kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
} // namespace

class TestHotKeysX11 : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CHotKeyService> m_pOwned;
    CHotKeyService* m_pService = nullptr;

    bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey)
    {
        return m_pService->RegisterHotKey(pWnd, nId, fsModifiers, nVirtualKey);
    }
    bool UnregisterHotKey(QObject* pWnd, int nId) { return m_pService->UnregisterHotKey(pWnd, nId); }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        m_pOwned = CreateHotKeyService();
        m_pService = m_pOwned.get();
        QVERIFY(dynamic_cast<CX11HotKeyService*>(m_pService));
        CHotKeyRecorder::Deliver(m_pService);
    }
    void cleanupTestCase() { m_pOwned.reset(); }

    void pressedCombinationReachesTheWindow_data()
    {
        QTest::addColumn<uint>("modifiers");
        QTest::addColumn<uint>("virtualKey");
        QTest::addColumn<QString>("keys");

        QTest::newRow("Ctrl+Alt+P") << uint(MOD_CONTROL | MOD_ALT) << kVkP << "ctrl+alt+p";
        QTest::newRow("Shift+F9") << uint(MOD_SHIFT) << uint(VK_F1 + 8) << "shift+F9";
        QTest::newRow("Windows+Left") << uint(MOD_WIN) << uint(VK_LEFT) << "super+Left";
        QTest::newRow("keypad 5") << uint(MOD_CONTROL) << uint(VK_NUMPAD0 + 5) << "ctrl+KP_5";
        QTest::newRow("next track key") << 0u << uint(VK_MEDIA_NEXT_TRACK) << "XF86AudioNext";
        // A key that the keymap carries on several keycodes.
        QTest::newRow("play/pause key") << 0u << uint(VK_MEDIA_PLAY_PAUSE) << "XF86AudioPlay";
    }
    void pressedCombinationReachesTheWindow()
    {
        QFETCH(uint, modifiers);
        QFETCH(uint, virtualKey);
        QFETCH(QString, keys);

        CHotKeyRecorder window;
        QVERIFY(RegisterHotKey(&window, 3, modifiers, virtualKey));
        Press(keys);
        QTRY_COMPARE(window.m_received.size(), 1);
        QCOMPARE(window.m_received[0].id, WPARAM(3));
        QCOMPARE(window.m_received[0].lParam, LPARAM((virtualKey << 16) | modifiers));
        // The press alone counts, and the same key without its modifiers is not ours.
        if (modifiers)
        {
            QVERIFY(RegisterHotKey(&window, 4, MOD_CONTROL | MOD_SHIFT, kVkQ));
            Press(keys.section('+', -1));
            Press(QStringLiteral("ctrl+shift+q"));
            QTRY_COMPARE(window.m_received.size(), 2);
            QCOMPARE(window.m_received[1].id, WPARAM(4));
        }
        QVERIFY(UnregisterHotKey(&window, 3));
        UnregisterHotKey(&window, 4);
    }

    void unregisteredCombinationStaysSilent()
    {
        CHotKeyRecorder window;
        QVERIFY(RegisterHotKey(&window, 1, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(RegisterHotKey(&window, 2, MOD_CONTROL | MOD_ALT, kVkQ));
        QVERIFY(UnregisterHotKey(&window, 1));
        QVERIFY(!UnregisterHotKey(&window, 1));
        Press(QStringLiteral("ctrl+alt+p"));
        // Events come in order: once Q's message is here, P's would have come before it.
        Press(QStringLiteral("ctrl+alt+q"));
        QTRY_COMPARE(window.m_received.size(), 1);
        QCOMPARE(window.Ids(), QList<WPARAM>{2});
        QVERIFY(UnregisterHotKey(&window, 2));
    }

    void lockKeysDoNotMatter_data()
    {
        QTest::addColumn<QStringList>("locks");
        QTest::newRow("NumLock") << QStringList{"Num_Lock"};
        QTest::newRow("CapsLock") << QStringList{"Caps_Lock"};
        QTest::newRow("both") << QStringList{"Num_Lock", "Caps_Lock"};
    }
    void lockKeysDoNotMatter()
    {
        QFETCH(QStringList, locks);
        CHotKeyRecorder window;
        QVERIFY(RegisterHotKey(&window, 1, MOD_CONTROL | MOD_ALT, kVkP));
        for (const QString& lock : locks)
            Press(lock);
        // The locks are switched off again even when the case fails, for the cases after it.
        auto unlock = qScopeGuard([&] {
            for (const QString& lock : locks)
                QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), lock});
        });
        Press(QStringLiteral("ctrl+alt+p"));
        QTRY_COMPARE(window.m_received.size(), 1);
        unlock.dismiss();
        for (const QString& lock : locks)
            Press(lock);
        Press(QStringLiteral("ctrl+alt+p"));
        QTRY_COMPARE(window.m_received.size(), 2);
        QVERIFY(UnregisterHotKey(&window, 1));
    }

    void combinationHeldByAnotherClientIsRefused_data()
    {
        QTest::addColumn<uint>("otherMask");
        QTest::newRow("plain") << uint(kCtrlAlt);
        // Only one of the lock variants is taken: the grabs already made must be given back.
        QTest::newRow("with NumLock") << uint(kCtrlAlt | XCB_MOD_MASK_2);
        QTest::newRow("with CapsLock") << uint(kCtrlAlt | XCB_MOD_MASK_LOCK);
    }
    void combinationHeldByAnotherClientIsRefused()
    {
        QFETCH(uint, otherMask);
        CHotKeyRecorder window;
        {
            COtherClient other;
            QVERIFY(other.GrabG(uint16_t(otherMask)));
            QVERIFY(!RegisterHotKey(&window, 1, MOD_CONTROL | MOD_ALT, kVkG));
            // Nothing of ours is left on the key: a third client can take every variant.
            COtherClient third;
            QVERIFY(third.GrabG(kCtrlAlt) == (otherMask != kCtrlAlt));
            QVERIFY(third.GrabG(kCtrlAlt | XCB_MOD_MASK_LOCK) == (otherMask != (kCtrlAlt | XCB_MOD_MASK_LOCK)));
        }
        // Both clients are gone: the combination is free again.
        QVERIFY(RegisterHotKey(&window, 1, MOD_CONTROL | MOD_ALT, kVkG));
        COtherClient later;
        QVERIFY(!later.GrabG(kCtrlAlt));
        QVERIFY(UnregisterHotKey(&window, 1));
        QVERIFY(later.GrabG(kCtrlAlt));
    }

    void sameCombinationOrIdTwiceIsRefused()
    {
        CHotKeyRecorder first;
        CHotKeyRecorder second;
        QVERIFY(RegisterHotKey(&first, 1, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(!RegisterHotKey(&second, 3, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(!RegisterHotKey(&first, 2, MOD_CONTROL | MOD_ALT, kVkP));
        // Bits outside the four modifiers do not make another combination.
        QVERIFY(!RegisterHotKey(&second, 3, MOD_CONTROL | MOD_ALT | 0x4000, kVkP));
        // An id that the window uses already, whatever the combination.
        QVERIFY(!RegisterHotKey(&first, 1, MOD_CONTROL | MOD_ALT, kVkQ));
        // The same id on another window is another registration.
        QVERIFY(RegisterHotKey(&second, 1, MOD_CONTROL | MOD_ALT, kVkQ));
        Press(QStringLiteral("ctrl+alt+p"));
        Press(QStringLiteral("ctrl+alt+q"));
        QTRY_COMPARE(second.m_received.size(), 1);
        QCOMPARE(first.Ids(), QList<WPARAM>{1});
        QVERIFY(UnregisterHotKey(&first, 1));
        QVERIFY(RegisterHotKey(&second, 3, MOD_CONTROL | MOD_ALT, kVkP));
        QVERIFY(UnregisterHotKey(&second, 3));
        QVERIFY(UnregisterHotKey(&second, 1));
    }

    void keysOutsideTheKeymapAreRefused()
    {
        CHotKeyRecorder window;
        QVERIFY(!RegisterHotKey(&window, 1, MOD_CONTROL, 0x07));    // no such virtual key
        QVERIFY(!RegisterHotKey(&window, 1, MOD_CONTROL, 0x10050)); // above 16 bits
        QVERIFY(!RegisterHotKey(nullptr, 1, MOD_CONTROL, kVkP));
    }

    void destroyedWindowFreesItsCombinations()
    {
        auto* window = new CHotKeyRecorder;
        QVERIFY(RegisterHotKey(window, 1, MOD_CONTROL | MOD_ALT, kVkG));
        QVERIFY(RegisterHotKey(window, 2, MOD_CONTROL | MOD_ALT, kVkP));
        delete window;
        // Released at the X server, not only in our books.
        {
            COtherClient other;
            QVERIFY(other.GrabG(kCtrlAlt));
        }
        CHotKeyRecorder next;
        QVERIFY(RegisterHotKey(&next, 1, MOD_CONTROL | MOD_ALT, kVkG));
        QVERIFY(RegisterHotKey(&next, 2, MOD_CONTROL | MOD_ALT, kVkP));
        Press(QStringLiteral("ctrl+alt+p"));
        QTRY_COMPARE(next.Ids(), QList<WPARAM>{2});
        QVERIFY(UnregisterHotKey(&next, 1));
        QVERIFY(UnregisterHotKey(&next, 2));
    }
};

QTEST_MAIN(TestHotKeysX11)
#include "hotkeys_x11.moc"
