// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which hot key service the session gets (under Xvfb, Qt's xcb platform): the X11 grabs on an X11
// desktop even when a portal is on the bus; the desktop portal when the session is Wayland (X11 on
// XWayland sees keys only while one of its windows has the focus), and the grabs again when that
// Wayland session has no portal.
#include "platform/HotKeyBackend.h"
#include "platform/PortalHotKeyService.h"
#include "platform/X11HotKeyService.h"

#include <QProcess>
#include <QtTest>

class TestHotKeysBackend : public QObject
{
    Q_OBJECT
    QProcess m_portal;

    // One portal for the rest of the run once started.
    void StartPortal()
    {
        if (m_portal.state() != QProcess::NotRunning)
            return;
        m_portal.start(QStringLiteral("python3"),
                       {QStringLiteral(VEDRIX_TEST_SOURCE_DIR "/tests/support/fake_portal.py")});
        QVERIFY(m_portal.waitForReadyRead(20000));
        QCOMPARE(m_portal.readLine().trimmed(), QByteArray("ready"));
    }

private slots:
    void init()
    {
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("XDG_SESSION_TYPE", "x11");
    }
    void cleanupTestCase()
    {
        m_portal.terminate();
        m_portal.waitForFinished();
    }

    // First: no portal has run on this bus yet.
    void xwaylandWithoutAPortalGrabs()
    {
        qputenv("XDG_SESSION_TYPE", "wayland");
        std::unique_ptr<CHotKeyService> service = CreateHotKeyService();
        QVERIFY(dynamic_cast<CX11HotKeyService*>(service.get()));
    }

    void x11DesktopGrabsEvenWithAPortal()
    {
        StartPortal();
        std::unique_ptr<CHotKeyService> service = CreateHotKeyService();
        QVERIFY(dynamic_cast<CX11HotKeyService*>(service.get()));
    }

    void xwaylandTakesThePortal_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("WAYLAND_DISPLAY") << QByteArray("WAYLAND_DISPLAY") << QByteArray("wayland-0");
        QTest::newRow("XDG_SESSION_TYPE") << QByteArray("XDG_SESSION_TYPE") << QByteArray("wayland");
    }
    void xwaylandTakesThePortal()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        qputenv(variable.constData(), value);
        StartPortal();
        std::unique_ptr<CHotKeyService> service = CreateHotKeyService();
        QVERIFY(dynamic_cast<CPortalHotKeyService*>(service.get()));
    }
};

QTEST_MAIN(TestHotKeysBackend)
#include "hotkeys_backend.moc"
