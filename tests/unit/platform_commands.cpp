// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Commands are actions: the ribbon's element, a menu entry (as the tray's) and a key shortcut all run
// the one action's handler; the state that the handler's owner pushes shows at once on every element,
// with no pass of the event loop; when the owner goes, its commands go disabled and unchecked.
#include "context/CommandActions.h"
#include "ribbon/RibbonBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

class TestPlatformCommands : public QObject
{
    Q_OBJECT
private slots:
    void oneActionServesRibbonMenuAndShortcut()
    {
        CCommandActions actions;
        QMainWindow window;
        auto* ribbon = new CRibbonBar(&window);
        window.setMenuWidget(ribbon);
        CRibbonPanel* panel = ribbon->AddCategory(QStringLiteral("Player"))->AddPanel(QStringLiteral("Controls"));
        QAbstractButton* play = panel->AddButton(ID_PLAY, QStringLiteral("Play"));
        QAbstractButton* filter = panel->AddCheckBox(ID_DISPLAY_TV_CHANNELS, QStringLiteral("TV"));
        ribbon->UseActions([&](UINT nID) { return actions.Action(nID); });
        QMenu tray;
        tray.addAction(actions.Action(ID_PLAY));
        QAction* shortcut = actions.Action(ID_PLAY);
        shortcut->setShortcut(QKeySequence(Qt::Key_F8));
        window.addAction(shortcut);

        // Nothing handles the commands yet: every element is disabled, and a trigger does nothing.
        QVERIFY(!play->isEnabled());
        QVERIFY(!actions.Action(ID_PLAY)->isEnabled());

        QList<QString> runs;
        bool bTv = false;
        {
            QObject owner;
            actions.Bind(ID_PLAY, &owner, [&] { runs << QStringLiteral("play"); });
            actions.Bind(ID_DISPLAY_TV_CHANNELS, &owner,
                         [&]
                         {
                             bTv = !bTv;
                             actions.SetChecked(ID_DISPLAY_TV_CHANNELS, bTv);
                         });
            actions.SetChecked(ID_DISPLAY_TV_CHANNELS, false);
            QVERIFY(play->isEnabled()); // pushed, not polled: no event has been processed

            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            play->click();
            tray.actions().constFirst()->trigger();
            QTest::keyClick(&window, Qt::Key_F8);
            QCOMPARE(runs, (QList<QString>{"play", "play", "play"}));

            // A check box shows what the owner pushed, at once.
            filter->click();
            QVERIFY(filter->isChecked());
            QVERIFY(actions.IsChecked(ID_DISPLAY_TV_CHANNELS));
            actions.SetChecked(ID_DISPLAY_TV_CHANNELS, false); // changed elsewhere
            QVERIFY(!filter->isChecked());
            actions.SetChecked(ID_DISPLAY_TV_CHANNELS, true);
        }
        // The owner is gone: its commands are disabled and unchecked everywhere, and do nothing.
        QVERIFY(!play->isEnabled());
        QVERIFY(!filter->isEnabled());
        QVERIFY(!filter->isChecked());
        actions.Trigger(ID_PLAY);
        QTest::keyClick(&window, Qt::Key_F8);
        QCOMPARE(runs.size(), 3);
    }

    // Post runs the command after what runs now, in order; a command disabled by then does not run.
    void postedCommandsRunLaterInOrder()
    {
        CCommandActions actions;
        QList<UINT> runs;
        QObject owner;
        actions.Bind(ID_PLAY, &owner, [&] { runs << ID_PLAY; });
        actions.Bind(ID_STOP, &owner, [&] { runs << ID_STOP; });
        actions.Post(ID_STOP);
        actions.Post(ID_PLAY);
        actions.Post(ID_PLAY_NEXT); // nothing handles it
        QVERIFY(runs.isEmpty());
        QTRY_COMPARE(runs, (QList<UINT>{ID_STOP, ID_PLAY}));

        actions.Post(ID_PLAY);
        actions.SetEnabled(ID_PLAY, false);
        actions.Post(ID_STOP);
        QTRY_COMPARE(runs.size(), 3);
        QCOMPARE(runs.last(), ID_STOP);
    }
};

int main(int argc, char** argv)
{
    // Widgets without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestPlatformCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "platform_commands.moc"
