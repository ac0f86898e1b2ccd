// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Hot key bindings: the stored values and their two modifier encodings, registration of stored
// bindings on a window, and the virtual-key table behind the key-entry field and the X grabs.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"
#include "hotkeys/HotKeyBindings.h"
#include "platform/VirtualKeys.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace
{
// Records every call and, like the real service, refuses a combination that is already held.
class CRecordingHotKeyService : public CHotKeyService
{
public:
    struct SCall
    {
        bool bRegister;
        int nId;
        UINT fsModifiers;
        UINT nVirtualKey;
        bool bResult;
    };
    struct SHeld
    {
        QObject* pWnd;
        int nId;
        UINT fsModifiers;
        UINT nVirtualKey;
    };

    bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) override
    {
        bool ok = true;
        for (const SHeld& h : m_held)
            if ((h.fsModifiers == fsModifiers && h.nVirtualKey == nVirtualKey) || (h.pWnd == pWnd && h.nId == nId))
                ok = false;
        if (ok)
            m_held.append({pWnd, nId, fsModifiers, nVirtualKey});
        m_calls.append({true, nId, fsModifiers, nVirtualKey, ok});
        return ok;
    }
    bool UnregisterHotKey(QObject* pWnd, int nId) override
    {
        bool found = false;
        for (int i = 0; i < m_held.size(); ++i)
            if (m_held[i].pWnd == pWnd && m_held[i].nId == nId)
            {
                m_held.removeAt(i);
                found = true;
                break;
            }
        m_calls.append({false, nId, 0, 0, found});
        return found;
    }

    // "U1" for an unregister of id 1, "R2:0x2/0x41" for a registration of id 2, "!" when refused.
    QStringList Trace() const
    {
        QStringList out;
        for (const SCall& c : m_calls)
            out << (c.bRegister ? QStringLiteral("R%1:0x%2/0x%3%4")
                                      .arg(c.nId)
                                      .arg(c.fsModifiers, 0, 16)
                                      .arg(c.nVirtualKey, 0, 16)
                                      .arg(c.bResult ? "" : "!")
                                : QStringLiteral("U%1").arg(c.nId));
        return out;
    }

    QList<SCall> m_calls;
    QList<SHeld> m_held;
};

QString PalomerFolder()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Palomer");
}
} // namespace

class TestHotKeyBindings : public QObject
{
    Q_OBJECT
private:
    CRecordingHotKeyService m_service;
    CSettingsStore m_settings;
    QObject m_window;

private slots:
    void init()
    {
        testsupport::ClearSettings();
        m_service.m_calls.clear();
        m_service.m_held.clear();
    }

    void modifierTranslationBothWays()
    {
        // Shift and Alt trade places, Control and the extended flag (Windows key) stay, nothing else passes.
        QCOMPARE(ControlToRegistrationModifiers(HOTKEYF_SHIFT), quint16(MOD_SHIFT));
        QCOMPARE(ControlToRegistrationModifiers(HOTKEYF_ALT), quint16(MOD_ALT));
        QCOMPARE(ControlToRegistrationModifiers(HOTKEYF_CONTROL), quint16(MOD_CONTROL));
        QCOMPARE(ControlToRegistrationModifiers(HOTKEYF_EXT), quint16(MOD_WIN));
        for (int b = 0; b < 256; ++b)
        {
            const quint16 w = ControlToRegistrationModifiers(quint8(b));
            QVERIFY2(w <= 0x0F, qPrintable(QString::number(b)));
            QCOMPARE(RegistrationToControlModifiers(w), quint8(b & 0x0F));
        }
        QCOMPARE(RegistrationToControlModifiers(0xFFF0), quint8(0));
    }

    void saveAndLoad_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<int>("controlModifiers");
        QTest::addColumn<int>("storedKey");
        QTest::addColumn<int>("storedMod");

        QTest::newRow("Ctrl+Shift+A") << 0x41 << 0x03 << 65 << 6;
        QTest::newRow("Alt+extended") << 0x25 << 0x0C << 0x25 << 9;
        QTest::newRow("all four") << 0x78 << 0x0F << 0x78 << 0x0F;
        QTest::newRow("key alone") << 0xB3 << 0x00 << 0xB3 << 0;
        QTest::newRow("cleared") << 0 << 0 << 0 << 0;
        QTest::newRow("bits above the four are dropped") << 0x41 << 0xF2 << 65 << 2;
    }
    void saveAndLoad()
    {
        QFETCH(int, virtualKey);
        QFETCH(int, controlModifiers);
        QFETCH(int, storedKey);
        QFETCH(int, storedMod);

        QVERIFY(SaveHotKey(m_settings, "Play Prev", quint16(virtualKey), quint8(controlModifiers)));
        QCOMPARE(ReadSettingInt("Play Prev Key", -1), storedKey);
        QCOMPARE(ReadSettingInt("Play Prev Mod", -1), storedMod);

        const HotKeyBinding b = LoadHotKey(m_settings, "Play Prev");
        QCOMPARE(int(b.wVirtualKey), virtualKey);
        QCOMPARE(int(b.wModifiers), storedMod);
        QCOMPARE(int(b.bControlModifiers), controlModifiers & 0x0F);
        // Nothing else is touched.
        QCOMPARE(ReadSettingInt("Play Key", -1), -1);
    }

    void registerStored_data()
    {
        QTest::addColumn<QVariant>("key");
        QTest::addColumn<QVariant>("mod");
        QTest::addColumn<QStringList>("trace");
        QTest::addColumn<int>("controlModifiers");

        const QVariant none;
        QTest::newRow("nothing stored") << none << none << QStringList{"U2"} << 0;
        QTest::newRow("key and mod") << QVariant(0x41) << QVariant(6) << QStringList{"U2", "R2:0x6/0x41"} << 0x03;
        QTest::newRow("key without mod") << QVariant(0x78) << none << QStringList{"U2", "R2:0x0/0x78"} << 0;
        QTest::newRow("mod without key") << none << QVariant(6) << QStringList{"U2"} << 0x03;
        QTest::newRow("key 0 with mod") << QVariant(0) << QVariant(2) << QStringList{"U2"} << 0x02;
        QTest::newRow("mod bit above the four passes unchanged")
            << QVariant(0x41) << QVariant(0x4002) << QStringList{"U2", "R2:0x4002/0x41"} << 0x02;
        QTest::newRow("mod above 16 bits") << QVariant(0x41) << QVariant(0x10002) << QStringList{"U2", "R2:0x2/0x41"}
                                           << 0x02;
        QTest::newRow("key above 16 bits") << QVariant(0x10041) << QVariant(2) << QStringList{"U2", "R2:0x2/0x41"}
                                           << 0x02;
        QTest::newRow("key whose low 16 bits are 0") << QVariant(0x20000) << QVariant(2) << QStringList{"U2"} << 0x02;
        QTest::newRow("negative key") << QVariant(-1) << none << QStringList{"U2", "R2:0x0/0xffff"} << 0;
        QTest::newRow("unreadable key") << QVariant("abc") << QVariant(2) << QStringList{"U2"} << 0x02;
    }
    void registerStored()
    {
        QFETCH(QVariant, key);
        QFETCH(QVariant, mod);
        QFETCH(QStringList, trace);
        QFETCH(int, controlModifiers);

        {
            QSettings store(settings::kOrganization, settings::kApplication);
            if (key.isValid())
                store.setValue("Settings/Play Next Key", key);
            if (mod.isValid())
                store.setValue("Settings/Play Next Mod", mod);
        }
        QCOMPARE(int(LoadHotKey(m_settings, "Play Next").bControlModifiers), controlModifiers);
        RegisterStoredHotKey(m_service, m_settings, "Play Next", 2, &m_window);
        QCOMPARE(m_service.Trace(), trace);
    }

    void registerAllWithNothingStored()
    {
        RegisterAllHotKeys(m_service, m_settings, &m_window);
        QCOMPARE(m_service.Trace(), QStringList({"U1", "U2", "U3", "U4"}));
        QVERIFY(m_service.m_held.isEmpty());
    }

    void sameCombinationTwiceLowerIdWins()
    {
        QVERIFY(SaveHotKey(m_settings, "Stop", 0x50, HOTKEYF_CONTROL | HOTKEYF_ALT));
        QVERIFY(SaveHotKey(m_settings, "Play Next", 0x50, HOTKEYF_CONTROL | HOTKEYF_ALT));
        RegisterAllHotKeys(m_service, m_settings, &m_window);
        QCOMPARE(m_service.Trace(), QStringList({"U1", "U2", "R2:0x3/0x50", "U3", "U4", "R4:0x3/0x50!"}));
        QCOMPARE(m_service.m_held.size(), 1);
        QCOMPARE(m_service.m_held[0].nId, 2);
    }

    void unregisterAllInIdOrder()
    {
        UnregisterAllHotKeys(m_service, &m_window);
        QCOMPARE(m_service.Trace(), QStringList({"U1", "U2", "U3", "U4"}));
    }

    void saveFailsWhenTheStoreCannotBeWritten()
    {
        // A regular file where the settings folder should be: nothing can be stored.
        QDir(PalomerFolder()).removeRecursively();
        QVERIFY(testsupport::WriteFile(PalomerFolder(), "not a folder"));
        QVERIFY(!SaveHotKey(m_settings, "Play", 0x41, HOTKEYF_CONTROL));
        QCOMPARE(LoadHotKey(m_settings, "Play").wVirtualKey, quint16(0));
        QFile::remove(PalomerFolder());
        QVERIFY(SaveHotKey(m_settings, "Play", 0x41, HOTKEYF_CONTROL));
    }

    // The virtual-key table.

    void everyKeyMapsBothWays()
    {
        // Each code has its own keysym and its own name, so a stored key survives the trip to X and back.
        QSet<QString> names;
        int count = 0;
        for (uint vk = 1; vk <= 0xFF; ++vk)
        {
            const SVirtualKey* k = FindVirtualKey(vk);
            if (!k)
                continue;
            ++count;
            QVERIFY2(k->nKeysym != 0, qPrintable(QString::number(vk, 16)));
            QCOMPARE(VirtualKeyFromKeysym(k->nKeysym), vk);
            QVERIFY2(!names.contains(k->pszName), k->pszName);
            names.insert(k->pszName);
            if (k->nQtKey != 0)
            {
                bool bExtended = !k->bExtended;
                QCOMPARE(VirtualKeyFromQtKey(k->nQtKey, k->bKeypad, &bExtended), vk);
                QCOMPARE(bExtended, k->bExtended);
            }
        }
        QVERIFY(count >= 26 + 10 + 24 + 10 + 30);
    }

    void qtKeysToVirtualKeys_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<bool>("extended");

        QTest::newRow("A") << int(Qt::Key_A) << false << 0x41 << false;
        QTest::newRow("Shift+1 on US") << int(Qt::Key_Exclam) << false << 0x31 << false;
        QTest::newRow("Shift+8 on US") << int(Qt::Key_Asterisk) << false << 0x38 << false;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << true << 0x6A << false;
        QTest::newRow("Shift+= on US") << int(Qt::Key_Plus) << false << 0xBB << false;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << true << 0x6B << false;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << true << 0x65 << false;
        QTest::newRow("keypad /") << int(Qt::Key_Slash) << true << 0x6F << true;
        QTest::newRow("keypad decimal comma") << int(Qt::Key_Comma) << true << 0x6E << false;
        QTest::newRow("Home") << int(Qt::Key_Home) << false << 0x24 << true;
        QTest::newRow("keypad Home (NumLock off)") << int(Qt::Key_Home) << true << 0x24 << false;
        QTest::newRow("keypad 5 (NumLock off)") << int(Qt::Key_Clear) << true << 0x0C << false;
        QTest::newRow("Return") << int(Qt::Key_Return) << false << 0x0D << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true << 0x0D << true;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << false << 0x09 << false;
        QTest::newRow("F24") << int(Qt::Key_F24) << false << 0x87 << false;
        QTest::newRow("media play") << int(Qt::Key_MediaPlay) << false << 0xB3 << false;
        QTest::newRow("media toggle") << int(Qt::Key_MediaTogglePlayPause) << false << 0xB3 << false;
        QTest::newRow("media next") << int(Qt::Key_MediaNext) << false << 0xB0 << false;
        QTest::newRow("unknown") << int(Qt::Key_unknown) << false << 0 << false;
        QTest::newRow("no key") << 0 << false << 0 << false;
    }
    void qtKeysToVirtualKeys()
    {
        QFETCH(int, qtKey);
        QFETCH(bool, keypad);
        QFETCH(int, virtualKey);
        QFETCH(bool, extended);
        bool bExtended = !extended;
        QCOMPARE(int(VirtualKeyFromQtKey(qtKey, keypad, &bExtended)), virtualKey);
        QCOMPARE(bExtended, extended);
    }

    void keysymsAndNames_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<QString>("name");

        QTest::newRow("A") << 0x41 << 0x61u << "A";
        QTest::newRow("F9") << 0x78 << 0xffc6u << "F9";
        QTest::newRow("Num 5") << 0x65 << 0xffb5u << "Num 5";
        QTest::newRow("Play/Pause") << int(VK_MEDIA_PLAY_PAUSE) << 0x1008FF14u << "Play/Pause";
        QTest::newRow("next track") << int(VK_MEDIA_NEXT_TRACK) << 0x1008FF17u << "Next Track";
        QTest::newRow("mute") << int(VK_VOLUME_MUTE) << 0x1008FF12u << "Mute";
        QTest::newRow("OEM 1") << 0xBA << 0x3bu << ";";
        QTest::newRow("unassigned code") << 0x07 << 0u << "";
        QTest::newRow("above a byte") << 0x141 << 0u << "";
    }
    void keysymsAndNames()
    {
        QFETCH(int, virtualKey);
        QFETCH(uint, keysym);
        QFETCH(QString, name);
        QCOMPARE(KeysymFromVirtualKey(uint(virtualKey)), keysym);
        QCOMPARE(VirtualKeyName(uint(virtualKey)), name);
    }
};

QTEST_GUILESS_MAIN(TestHotKeyBindings)
#include "hotkeys_bindings.moc"
