// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hot key settings form inside a main window on the test's own X server, with the real X11 hot
// key service: what the fields show, what is stored, what is registered, and every message box
// with its text, in order. Keys are typed into the key-entry field through the X server.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"
#include "context/AppContext.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "hotkeys/HotKeyBindings.h"
#include "hotkeys/HotKeyCtrl.h"
#include "hotkeys/RadioSettingsView.h"
#include "platform/HotKeyBackend.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <xcb/xcb_keysyms.h>

namespace
{
// Passes every call on to the real service and keeps a trace: "U1", "R1", and "R1!" when refused.
class CTracingHotKeyService : public CHotKeyService
{
public:
    explicit CTracingHotKeyService(CHotKeyService* pReal) : m_pReal(pReal) {}
    bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) override
    {
        const bool ok = m_pReal->RegisterHotKey(pWnd, nId, fsModifiers, nVirtualKey);
        m_trace << QStringLiteral("R%1%2").arg(nId).arg(ok ? "" : "!");
        return ok;
    }
    bool UnregisterHotKey(QObject* pWnd, int nId) override
    {
        m_trace << QStringLiteral("U%1").arg(nId);
        return m_pReal->UnregisterHotKey(pWnd, nId);
    }
    CHotKeyService* m_pReal;
    QStringList m_trace;
};

// Records each message box as it appears and presses its OK button.
class CMessageBoxCatcher : public QObject
{
public:
    struct SBox
    {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QWidget* parent;
    };
    QList<SBox> m_boxes;

    CMessageBoxCatcher() { qApp->installEventFilter(this); }
    ~CMessageBoxCatcher() override { qApp->removeEventFilter(this); }
    QStringList Texts() const
    {
        QStringList texts;
        for (const SBox& b : m_boxes)
            texts << b.text;
        return texts;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && e->type() == QEvent::Show && !box->property("caught").toBool())
        {
            box->setProperty("caught", true);
            m_boxes.append(
                {box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->parentWidget()});
            QMetaObject::invokeMethod(
                box, [box] { box->button(QMessageBox::Ok)->click(); }, Qt::QueuedConnection);
        }
        return false;
    }
};

// Another X client holding Ctrl+Alt+G.
class COtherClient
{
public:
    COtherClient() : m_pConnection(xcb_connect(nullptr, nullptr)) {}
    ~COtherClient() { xcb_disconnect(m_pConnection); }
    bool Grab(xcb_keysym_t keysym, uint16_t mask)
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data->root;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_pConnection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        xcb_generic_error_t* error =
            xcb_request_check(m_pConnection, xcb_grab_key_checked(m_pConnection, 0, root, mask, codes[0],
                                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(codes);
        xcb_key_symbols_free(symbols);
        free(error);
        return !error;
    }

private:
    xcb_connection_t* m_pConnection;
};

// Counts the releases of one key that reach a widget.
class CKeyReleaseCounter : public QObject
{
public:
    CKeyReleaseCounter(QWidget* pWidget, int nKey) : m_nKey(nKey) { pWidget->installEventFilter(this); }
    int m_nCount = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(e)->key() == m_nKey)
            ++m_nCount;
        return false;
    }

private:
    int m_nKey;
};

constexpr quint16 kVkG = 0x47;
constexpr quint16 kVkP = 0x50;
constexpr quint16 kVkQ = 0x51;
constexpr quint8 kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
constexpr uint16_t kXCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

int StoredKey(const char* pszName)
{
    return ReadSettingInt(QStringLiteral("%1 Key").arg(pszName), -1);
}
int StoredMod(const char* pszName)
{
    return ReadSettingInt(QStringLiteral("%1 Mod").arg(pszName), -1);
}

QPair<int, int> Held(CHotKeyCtrl* ctrl)
{
    quint16 vk = 0, mods = 0;
    ctrl->GetHotKey(vk, mods);
    return {vk, mods};
}

void Type(const QString& strKeys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), strKeys}), 0);
}
} // namespace

class TestHotKeySettingsView : public QObject
{
    Q_OBJECT
private:
    CCommandActions m_actions;
    CAppContext m_context;
    CMainFrame* m_pFrame = nullptr;
    std::unique_ptr<CTracingHotKeyService> m_pService;
    std::unique_ptr<CMessageBoxCatcher> m_pBoxes;

    CRadioSettingsView* Open()
    {
        m_pService->m_trace.clear();
        m_pFrame->OpenPage(0);
        return qobject_cast<CRadioSettingsView*>(m_pFrame->GetActivePage());
    }
    void Click(CRadioSettingsView* view, int nID)
    {
        auto* button = qobject_cast<QPushButton*>(view->GetDlgItem(nID));
        QVERIFY(button);
        button->click();
    }

private slots:
    void initTestCase()
    {
        m_pService = std::make_unique<CTracingHotKeyService>(CreateHotKeyService().release());
        m_context.UseHotKeyService(m_pService.get());
        m_context.SetActions(&m_actions);
        m_pFrame = new CMainFrame(m_context);
        m_pFrame->AddPageFactory(
            [this]
            {
                auto* view = new CRadioSettingsView(m_context);
                connect(view, &CRadioSettingsView::StatusTextChanged, m_pFrame, &CMainFrame::SetStatusText);
                return view;
            });
        m_pFrame->resize(900, 700);
        m_pFrame->show();
    }
    void cleanupTestCase()
    {
        delete m_pFrame;
        m_context.UseHotKeyService(nullptr);
        delete m_pService->m_pReal;
    }
    void init()
    {
        testsupport::ClearSettings();
        m_pBoxes = std::make_unique<CMessageBoxCatcher>();
    }
    void cleanup()
    {
        m_pFrame->ClosePage();
        m_pBoxes.reset();
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Palomer"));
    }

    void openingWithNothingStored()
    {
        m_pFrame->SetStatusText(QStringLiteral("Playing"));
        CRadioSettingsView* view = Open();
        QVERIFY(view);
        QCOMPARE(m_pFrame->GetStatusText(), QString()); // the player's status is not this page's
        for (int row = 1; row <= 4; ++row)
        {
            QCOMPARE(Held(view->GetHotKeyCtrl(row)), qMakePair(0, 0));
            QCOMPARE(view->GetHotKeyCtrl(row)->text(), QString());
        }
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "U2", "U3", "U4"}));
        QVERIFY(m_pBoxes->m_boxes.isEmpty());
        QCOMPARE(m_pFrame->GetStatusText(), QString());
        // The main window is fitted to the form once ever.
        QCOMPARE(ReadSettingInt(settings::kRadioSettingsViewSized), 1);
    }

    void storedBindingsAreShownAndRegistered()
    {
        QVERIFY(SaveHotKey(m_context.Settings(), "Play", 0x41, HOTKEYF_CONTROL | HOTKEYF_SHIFT));
        QVERIFY(SaveHotKey(m_context.Settings(), "Stop", 0xB0, 0));
        CRadioSettingsView* view = Open();
        QCOMPARE(view->GetHotKeyCtrl(1)->text(), QStringLiteral("Ctrl + Shift + A"));
        QCOMPARE(Held(view->GetHotKeyCtrl(1)), qMakePair(0x41, 0x03));
        QCOMPARE(view->GetHotKeyCtrl(4)->text(), QStringLiteral("Next Track"));
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "R1", "U2", "U3", "U4", "R4"}));
        QVERIFY(m_pBoxes->m_boxes.isEmpty());
        // X11 grabs what it is asked for: nothing to say about the desktop's choice.
        const auto assigned =
            view->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^AssignedTrigger")));
        QCOMPARE(assigned.size(), 4);
        for (QLabel* label : assigned)
            QVERIFY(label->isHidden());
        // Closing the view gives the combinations back.
        m_pFrame->ClosePage();
        QObject other;
        QVERIFY(m_pService->RegisterHotKey(&other, 9, MOD_CONTROL | MOD_SHIFT, 0x41));
        QVERIFY(m_pService->UnregisterHotKey(&other, 9));
    }

    void combinationsHeldElsewhereAreReportedInRowOrder()
    {
        COtherClient other;
        QVERIFY(other.Grab(0x67 /* g */, kXCtrlAlt));
        QVERIFY(SaveHotKey(m_context.Settings(), "Stop", kVkG, kCtrlAlt));
        QVERIFY(SaveHotKey(m_context.Settings(), "Play Next", kVkG, kCtrlAlt));
        QVERIFY(SaveHotKey(m_context.Settings(), "Play", kVkP, kCtrlAlt));
        const QStringList refused = {"Failed to Load HotKey for Playing Next Channel.",
                                     "Failed to Load HotKey to Stop Playing Channel."};

        CRadioSettingsView* view = Open();
        QTRY_COMPARE(m_pBoxes->Texts(), refused);
        for (const CMessageBoxCatcher::SBox& box : m_pBoxes->m_boxes)
        {
            QCOMPARE(box.caption, QStringLiteral("Vedrix by Palomer"));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.parent, view);
        }
        // The refused bindings stay stored and shown.
        QCOMPARE(view->GetHotKeyCtrl(2)->text(), QStringLiteral("Ctrl + Alt + G"));
        QCOMPARE(StoredKey("Stop"), int(kVkG));

        // Clearing a row that is empty already stores it again and reloads every row.
        m_pBoxes->m_boxes.clear();
        m_pService->m_trace.clear();
        Click(view, 1020);
        QTRY_COMPARE(m_pBoxes->Texts(), refused);
        QCOMPARE(StoredKey("Play Prev"), 0);
        QCOMPARE(StoredMod("Play Prev"), 0);
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "R1", "U2", "R2!", "U3", "U4", "R4!"}));
    }

    void withoutAnyHotKeyServiceOneLineSaysWhy()
    {
        QVERIFY(SaveHotKey(m_context.Settings(), "Play", kVkP, kCtrlAlt));
        QVERIFY(SaveHotKey(m_context.Settings(), "Stop", kVkG, kCtrlAlt));
        m_context.UseHotKeyService(nullptr); // a desktop that offers no way to register them
        CRadioSettingsView* view = Open();
        auto* line = view->findChild<QLabel*>(QStringLiteral("HotKeysUnavailable"));
        QVERIFY(line && line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("System-wide hot keys are not available on this desktop."));
        // The bindings are still shown and stored, and no row has a message box of its own.
        QCOMPARE(view->GetHotKeyCtrl(1)->text(), QStringLiteral("Ctrl + Alt + P"));
        Click(view, 1018);
        QCOMPARE(StoredKey("Play"), 0);
        QVERIFY(m_pBoxes->m_boxes.isEmpty());
        m_context.UseHotKeyService(m_pService.get());

        m_pFrame->ClosePage();
        view = Open();
        QVERIFY(!view->findChild<QLabel*>(QStringLiteral("HotKeysUnavailable")));
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "U2", "U3", "U4", "R4"}));
    }

    void assigningACombinationThatAnotherRowHolds()
    {
        QVERIFY(SaveHotKey(m_context.Settings(), "Play", kVkP, kCtrlAlt));
        QVERIFY(SaveHotKey(m_context.Settings(), "Play Prev", kVkQ, kCtrlAlt));
        CRadioSettingsView* view = Open();
        QVERIFY(m_pBoxes->m_boxes.isEmpty());

        // Row 1's combination for row 3 too: row 1 keeps it, row 3 is refused.
        view->GetHotKeyCtrl(3)->SetHotKey(kVkP, kCtrlAlt);
        Click(view, 1016);
        QTRY_COMPARE(m_pBoxes->Texts(), QStringList{"Failed to Load HotKey for Playing Previous Channel."});
        QCOMPARE(StoredKey("Play Prev"), int(kVkP));
        QCOMPARE(StoredMod("Play Prev"), int(MOD_CONTROL | MOD_ALT));

        // Row 3 back to its own, then row 3's combination for row 1: row 1 comes first while row 3
        // still holds it, so row 1 is refused and row 3 registers it again.
        view->GetHotKeyCtrl(3)->SetHotKey(kVkQ, kCtrlAlt);
        Click(view, 1016);
        m_pBoxes->m_boxes.clear();
        m_pService->m_trace.clear();
        view->GetHotKeyCtrl(1)->SetHotKey(kVkQ, kCtrlAlt);
        Click(view, 1014);
        QTRY_COMPARE(m_pBoxes->Texts(), QStringList{"Failed to Load HotKey for Playing Channel."});
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "R1!", "U2", "U3", "R3", "U4"}));
        QCOMPARE(StoredKey("Play"), int(kVkQ));
    }

    void assignWithAnEmptyFieldClears()
    {
        QVERIFY(SaveHotKey(m_context.Settings(), "Play Next", kVkG, kCtrlAlt));
        CRadioSettingsView* view = Open();
        m_pService->m_trace.clear();
        view->GetHotKeyCtrl(2)->SetHotKey(0, 0);
        Click(view, 1015);
        QCOMPARE(StoredKey("Play Next"), 0);
        QCOMPARE(StoredMod("Play Next"), 0);
        QCOMPARE(m_pService->m_trace, QStringList({"U1", "U2", "U3", "U4"}));
        COtherClient other;
        QVERIFY(other.Grab(0x67 /* g */, kXCtrlAlt));
        QVERIFY(m_pBoxes->m_boxes.isEmpty());
    }

    void extendedKeyComesBackWithItsFlag()
    {
        CRadioSettingsView* view = Open();
        view->GetHotKeyCtrl(4)->SetHotKey(0x25 /* Left */, HOTKEYF_CONTROL | HOTKEYF_EXT);
        Click(view, 1017);
        QCOMPARE(StoredKey("Stop"), 0x25);
        QCOMPARE(StoredMod("Stop"), int(MOD_CONTROL | MOD_WIN));
        QCOMPARE(Held(view->GetHotKeyCtrl(4)), qMakePair(0x25, int(HOTKEYF_CONTROL | HOTKEYF_EXT)));
        QCOMPARE(m_pService->m_trace.last(), QStringLiteral("R4"));
    }

    void storeFailureIsReportedAndChangesNothing()
    {
        QVERIFY(SaveHotKey(m_context.Settings(), "Stop", kVkP, kCtrlAlt));
        CRadioSettingsView* view = Open();
        // A regular file where the settings folder should be: nothing can be stored.
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Palomer");
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(testsupport::WriteFile(folder, "not a folder"));
        m_pService->m_trace.clear();

        view->GetHotKeyCtrl(4)->SetHotKey(kVkQ, HOTKEYF_SHIFT);
        Click(view, 1017);
        view->GetHotKeyCtrl(1)->SetHotKey(kVkG, HOTKEYF_CONTROL);
        Click(view, 1018);
        QTRY_COMPARE(m_pBoxes->Texts(), QStringList({"Failed to Store HotKey to Stop Playing.",
                                                     "Failed to Store HotKey to Play Channel."}));
        QCOMPARE(m_pBoxes->m_boxes[0].icon, QMessageBox::Critical);
        // The fields keep what was entered (Clear emptied its own) and no registration changed.
        QCOMPARE(Held(view->GetHotKeyCtrl(4)), qMakePair(int(kVkQ), int(HOTKEYF_SHIFT)));
        QCOMPARE(Held(view->GetHotKeyCtrl(1)), qMakePair(0, 0));
        QCOMPARE(m_pService->m_trace, QStringList());
        QObject other;
        QVERIFY(!m_pService->RegisterHotKey(&other, 9, MOD_CONTROL | MOD_ALT, kVkP));
    }

    void typingIntoTheField_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");

        const int ctrl = HOTKEYF_CONTROL;
        QTest::newRow("Ctrl+Shift+A")
            << "ctrl+shift+a" << 0x41 << (ctrl | HOTKEYF_SHIFT) << "Ctrl + Shift + A";
        QTest::newRow("Alt+F9") << "alt+F9" << 0x78 << int(HOTKEYF_ALT) << "Alt + F9";
        QTest::newRow("Ctrl+Shift+1")
            << "ctrl+shift+1" << 0x31 << (ctrl | HOTKEYF_SHIFT) << "Ctrl + Shift + 1";
        QTest::newRow("window shortcut") << "ctrl+s" << 0x53 << ctrl << "Ctrl + S";
        QTest::newRow("Ctrl+Tab") << "ctrl+Tab" << 0x09 << ctrl << "Ctrl + Tab";
        QTest::newRow("keypad 5") << "KP_5" << 0x65 << 0 << "Num 5";
        QTest::newRow("cursor Left") << "ctrl+Left" << 0x25 << (ctrl | HOTKEYF_EXT) << "Ctrl + Left";
        QTest::newRow("keypad Enter") << "KP_Enter" << 0x0D << int(HOTKEYF_EXT) << "Enter";
        QTest::newRow("next track key") << "XF86AudioNext" << 0xB0 << 0 << "Next Track";
        QTest::newRow("play/pause key") << "XF86AudioPlay" << 0xB3 << 0 << "Play/Pause";
        QTest::newRow("Backspace empties") << "BackSpace" << 0 << 0 << "";
        QTest::newRow("Delete empties") << "Delete" << 0 << 0 << "";
        QTest::newRow("Ctrl+Backspace is a key") << "ctrl+BackSpace" << 0x08 << ctrl << "Ctrl + Backspace";
        QTest::newRow("Windows key is not kept") << "super+a" << 0x46 << ctrl << "Ctrl + F";
    }
    void typingIntoTheField()
    {
        QFETCH(QString, keys);
        QFETCH(int, virtualKey);
        QFETCH(int, modifiers);
        QFETCH(QString, text);

        QWidget window;
        auto* field = new CHotKeyCtrl(&window);
        field->setGeometry(10, 10, 160, 24);
        int triggered = 0;
        auto* save = new QAction(&window);
        save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
        window.addAction(save);
        connect(save, &QAction::triggered, [&] { ++triggered; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        field->SetHotKey(0x46, HOTKEYF_CONTROL);

        CKeyReleaseCounter shiftReleases(field, Qt::Key_Shift);
        Type(keys);
        // Keys arrive in order: once this Shift is let go, everything typed before it is in.
        Type(QStringLiteral("Shift_L"));
        QTRY_VERIFY(shiftReleases.m_nCount >= 1);
        QCOMPARE(field->text(), text);
        QCOMPARE(Held(field), qMakePair(virtualKey, modifiers));
        QCOMPARE(triggered, 0);
    }

    void modifiersAloneShowWhileHeld()
    {
        QWidget window;
        auto* field = new CHotKeyCtrl(&window);
        field->setGeometry(10, 10, 160, 24);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        field->SetHotKey(0x41, HOTKEYF_ALT);
        QCOMPARE(QProcess::execute("xdotool", {"keydown", "ctrl", "keydown", "shift"}), 0);
        QTRY_COMPARE(field->text(), QStringLiteral("Ctrl + Shift + "));
        QCOMPARE(Held(field), qMakePair(0x41, int(HOTKEYF_ALT)));
        QCOMPARE(QProcess::execute("xdotool", {"keyup", "shift", "keyup", "ctrl"}), 0);
        QTRY_COMPARE(field->text(), QStringLiteral("Alt + A"));
    }
};

QTEST_MAIN(TestHotKeySettingsView)
#include "hotkeys_settings_view.moc"
