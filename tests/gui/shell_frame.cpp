// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main frame with its ribbon, status panes, looks, start-up options and tray menu, driven through
// its actions as the ribbon, the tray and a second start drive it.
#include "TestSupport.h"
#include "base/Commands.h"

#include "context/AppContext.h"
#include "base/Settings.h"
#include "frame/ApplicationLook.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "frame/TrayIcon.h"
#include "platform/Autostart.h"
#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "ribbon/CustomMFCRibbonBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QtTest>

namespace
{
// A page that tells which factory made it and records the commands and channel numbers it gets.
class CProbeView : public QWidget
{
public:
    CProbeView(int nTemplate, CCommandActions& actions) : m_nTemplate(nTemplate)
    {
        if (nTemplate == 0) // the player's playback commands exist only on the first kind
        {
            actions.Bind(ID_PLAY, this, [] {});
            for (UINT nID : {ID_DISPLAY_ENGLISH_CHANNELS, ID_DISPLAY_GERMAN_CHANNELS})
                actions.Bind(nID, this, [this, nID] { m_commands.append(nID); });
        }
    }
    QList<UINT> m_commands;
    QList<int> m_channelNumbers;
    int m_nTemplate;
};

// The application side: four factories of probe pages, and the frame as main window.
struct SShell
{
    SShell()
    {
        context.SetActions(&actions);
        frame = new CMainFrame(context);
        for (int i = 0; i < 4; ++i)
            frame->AddPageFactory(
                [this, i]
                {
                    auto* view = new CProbeView(i, actions);
                    QObject::connect(frame, &CMainFrame::ChannelNumberRequested, view,
                                     [view](int n) { view->m_channelNumbers << n; });
                    return view;
                });
        frame->LoadFrame();
        // The start category's page opens once the ribbon's notice has been handled.
        if (!QTest::qWaitFor([this] { return frame->GetActivePage() != nullptr; }))
            QTest::qFail("the start category's page did not open", __FILE__, __LINE__);
    }
    ~SShell() { delete frame; }
    QList<CProbeView*> OpenViews() const
    {
        QList<CProbeView*> views;
        for (QWidget* w : frame->findChildren<QWidget*>())
            if (auto* v = dynamic_cast<CProbeView*>(w))
                views << v;
        return views;
    }
    // The kind of the one page shown, -1 while none (or more than one) is.
    int ShownTemplate() const
    {
        const auto views = OpenViews();
        return views.size() == 1 && frame->GetActivePage() == views[0] ? views[0]->m_nTemplate : -1;
    }
    QAbstractButton* Element(UINT nID) const
    {
        CCustomMFCRibbonBar* bar = frame->GetRibbonBar();
        for (int c = 0; c < bar->GetCategoryCount(); ++c)
            for (int p = 0; p < bar->GetCategory(c)->GetPanelCount(); ++p)
                for (const SRibbonElement& e : bar->GetCategory(c)->GetPanel(p)->GetElements())
                    if (e.nID == nID)
                        return e.pButton;
        return nullptr;
    }

    CAppContext context;
    CCommandActions actions;
    CMainFrame* frame;
};

void WriteWorkspace(const char* name, int value)
{
    WriteSectionInt(settings::kWorkspaceSection, name, value);
}
} // namespace

class TestShellFrame : public QObject
{
    Q_OBJECT
    QProcess m_trayHost;

private slots:
    // A desktop panel: the tray icon, and with it the hiding close box, exist only where one is.
    void initTestCase()
    {
        const QString rig =
            QStringLiteral(VEDRIX_TEST_SOURCE_DIR "/tests/e2e/rig_app.py");
        m_trayHost.start(QStringLiteral("python3"), {rig});
        QVERIFY(m_trayHost.waitForReadyRead(20000));
        QCOMPARE(m_trayHost.readLine().trimmed(), QByteArray("ready"));
    }
    void cleanupTestCase()
    {
        m_trayHost.terminate();
        m_trayHost.waitForFinished();
    }

    void init()
    {
        testsupport::ClearSettings();
        QFile::remove(autostart::EntryPath());
    }

    void startCategoryOpensItsView_data()
    {
        QTest::addColumn<int>("stored"); // -100: no value
        QTest::addColumn<int>("expected");
        QTest::newRow("absent") << -100 << 0;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("7 is not a category") << 7 << 0;
        QTest::newRow("-2 is not a category") << -2 << 0;
    }
    void startCategoryOpensItsView()
    {
        QFETCH(int, stored);
        QFETCH(int, expected);
        if (stored != -100)
            WriteSettingInt(settings::kLastCategory.name, stored);
        SShell shell;
        const auto views = shell.OpenViews();
        QCOMPARE(views.size(), 1);
        QCOMPARE(views.first()->m_nTemplate, expected);
        CCustomMFCRibbonBar* bar = shell.frame->GetRibbonBar();
        QCOMPARE(bar->GetCategoryIndex(bar->GetActiveCategory()), expected);
    }

    void openCategoryClosesTheOthers_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("beyond the last") << 9 << 3;
    }
    void openCategoryClosesTheOthers()
    {
        QFETCH(int, index);
        QFETCH(int, expected);
        SShell shell;
        // Another page in place of the first, as New opens one.
        QPointer<CProbeView> first = shell.OpenViews().value(0);
        QVERIFY(shell.frame->OpenPage(2));
        QVERIFY(first.isNull());
        QCOMPARE(shell.ShownTemplate(), 2);
        QPointer<CProbeView> before = shell.OpenViews().value(0);

        shell.frame->OpenCategoryView(index);
        // The old page is gone at once; the new one comes on the next turn of the event loop.
        QVERIFY(before.isNull());
        QVERIFY(shell.OpenViews().isEmpty());
        QTRY_COMPARE(shell.ShownTemplate(), expected);
    }

    void activatingTheActiveCategoryReopensItsView()
    {
        SShell shell;
        QPointer<CProbeView> first = shell.OpenViews().value(0);
        QVERIFY(first);
        CCustomMFCRibbonBar* bar = shell.frame->GetRibbonBar();
        bar->SetActiveCategory(bar->GetActiveCategory());
        QTRY_VERIFY(first.isNull() && shell.ShownTemplate() == 0);

        // A click on a tab goes the same way.
        auto tabs = bar->findChildren<QToolButton*>(QStringLiteral("RibbonTab"));
        QCOMPARE(tabs.size(), 4);
        tabs[2]->click();
        QTRY_COMPARE(shell.ShownTemplate(), 2);
        QCOMPARE(bar->GetCategoryIndex(bar->GetActiveCategory()), 2);
    }

    void nextLook_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("next");
        QTest::newRow("214 -> 215") << 214 << 215;
        QTest::newRow("218 -> 215") << 218 << 215;
        QTest::newRow("210 -> 211") << 210 << 211;
        QTest::newRow("216 -> 217") << 216 << 217;
    }
    void nextLook()
    {
        QFETCH(int, current);
        QFETCH(int, next);
        WriteWorkspace(settings::kApplicationLook.name, current);
        SShell shell;
        QCOMPARE(int(shell.frame->GetApplicationLook()), current);
        emit shell.frame->GetApplicationButton()->NextLookRequested();
        QCOMPARE(int(shell.frame->GetApplicationLook()), current); // on the next turn of the loop
        QTRY_COMPARE(int(shell.frame->GetApplicationLook()), next);
        QCOMPARE(ReadSectionInt(settings::kWorkspaceSection, settings::kApplicationLook.name, 0), next);
    }

    void applicationButtonPressAndDoubleClickEachAskOnce()
    {
        SShell shell; // default look 216
        QCOMPARE(int(shell.frame->GetApplicationLook()), 216);
        auto* button = shell.frame->GetApplicationButton();
        QCOMPARE(button->toolTip(), QStringLiteral("Click Here to Change Application Skin"));
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
        QTRY_COMPARE(int(shell.frame->GetApplicationLook()), 217);
        // A double click on its own (as a second press that the system replaced) asks once too.
        QMouseEvent dblClick(QEvent::MouseButtonDblClick, QPointF(10, 10),
                             button->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(button, &dblClick);
        QTRY_COMPARE(int(shell.frame->GetApplicationLook()), 218);
        QTest::mousePress(button, Qt::LeftButton);
        QTRY_COMPARE(int(shell.frame->GetApplicationLook()), 215);
        // A right press asks for nothing: a left one after it is the only change.
        QTest::mousePress(button, Qt::RightButton);
        QTest::mousePress(button, Qt::LeftButton);
        QTRY_COMPARE(int(shell.frame->GetApplicationLook()), 216);
        QCOMPARE(ReadSectionInt(settings::kWorkspaceSection, settings::kApplicationLook.name, 0), 216);
    }

    void styleMenuMarksTheCurrentLook()
    {
        WriteWorkspace(settings::kApplicationLook.name, 217);
        SShell shell;
        CCustomMFCRibbonBar* bar = shell.frame->GetRibbonBar();
        const auto& tabElements = bar->GetTabElements();
        QCOMPARE(int(tabElements.size()), 3);
        QCOMPARE(tabElements[2].pButton->text(), QStringLiteral("Sleep Timer"));
        auto* style = qobject_cast<QToolButton*>(tabElements[0].pButton);
        QCOMPARE(style->text(), QStringLiteral("Style"));
        QCOMPARE(style->toolTip(), QStringLiteral("Modify Visual Style"));
        QCOMPARE(style->statusTip(), QStringLiteral("Choose one of the Office 2007 themes"));
        QCOMPARE(tabElements[1].nID, 57664u);
        const auto actions = style->menu()->actions();
        QStringList labels;
        QList<int> ids;
        for (QAction* a : actions)
        {
            labels << a->text();
            ids << a->data().toInt();
        }
        QCOMPARE(labels, (QStringList{"Office 2007 (&Blue Style)", "Office 2007 (B&lack Style)",
                                      "Office 2007 (&Silver Style)", "Office 2007 (&Aqua Style)"}));
        QCOMPARE(ids, (QList<int>{215, 216, 217, 218}));
        QVERIFY(!actions[0]->isChecked() && !actions[1]->isChecked() && actions[2]->isChecked());
        actions[3]->trigger();
        QCOMPARE(int(shell.frame->GetApplicationLook()), 218);
        QVERIFY(actions[3]->isChecked() && !actions[2]->isChecked());
    }

    void statusPaneTexts_data()
    {
        QTest::addColumn<int>("category"); // -100: no value
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        const QString status = QStringLiteral("Playing Radio One");
        QTest::newRow("absent") << -100 << status << "This Pane Displays Current Status";
        QTest::newRow("0") << 0 << status << "This Pane Displays Current Status";
        QTest::newRow("1") << 1 << "Visit Palomer"
                           << "Get More Software Utilities";
        QTest::newRow("2") << 2 << "Visit Palomer"
                           << "Download More Software Utilities";
        QTest::newRow("3") << 3 << "Visit us at Palomer"
                           << "Visit Palomer";
        QTest::newRow("7 changes nothing") << 7 << "Current Status"
                                           << "";
    }
    void statusPaneTexts()
    {
        QFETCH(int, category);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        if (category != -100)
            WriteSettingInt(settings::kLastCategory.name, category);
        SShell shell;
        shell.frame->SetStatusText(QStringLiteral("Playing Radio One"));
        if (category != 7)
            QTRY_COMPARE(shell.frame->GetStatusPane(1)->text(), text);
        QCOMPARE(shell.frame->GetStatusPane(1)->text(), text);
        QCOMPARE(shell.frame->GetStatusPane(1)->toolTip(), tip);
        if (category == 7)
        {
            QCOMPARE(shell.frame->GetStatusPane(2)->text(), QStringLiteral("XXXX"));
            return;
        }
        QCOMPARE(shell.frame->GetStatusPane(2)->text(), QStringLiteral("Contact Us"));
        QCOMPARE(shell.frame->GetStatusPane(2)->toolTip(),
                 QStringLiteral("Please do drop us a line at support@palomer.example"));
    }

    void ribbonLayout()
    {
        SShell shell;
        CCustomMFCRibbonBar* bar = shell.frame->GetRibbonBar();
        QStringList actual;
        for (int c = 0; c < bar->GetCategoryCount(); ++c)
        {
            actual << QStringLiteral("category %1").arg(bar->GetCategory(c)->GetName());
            for (int p = 0; p < bar->GetCategory(c)->GetPanelCount(); ++p)
            {
                CRibbonPanel* panel = bar->GetCategory(c)->GetPanel(p);
                actual << QStringLiteral(" panel %1").arg(panel->GetName());
                for (const SRibbonElement& e : panel->GetElements())
                {
                    const char* kind = e.kind == ERibbonElementKind::CheckBox      ? "check"
                                       : e.kind == ERibbonElementKind::LargeButton ? "large"
                                                                                   : "small";
                    actual
                        << QStringLiteral("  %1 %2 %3").arg(e.strLabel).arg(e.nID).arg(QLatin1String(kind));
                }
            }
        }
        const QStringList expected = {
            "category Online Channel Player",
            " panel Channel Controls",
            "  Play 319 large",
            "  Play Next 320 large",
            "  Play Previous 321 large",
            "  Stop 317 large",
            "  Record 357 large",
            " panel Listen Back",
            "  Pause 360 small",
            "  Live 361 small",
            "  Save Song 364 small",
            "  Previous Song 362 small",
            "  Next Song 363 small",
            " panel Channel Management",
            "  Refresh Channels List 310 large",
            " panel Channel Filters",
            "  English 327 check",
            "  German 328 check",
            "  French 329 check",
            "  Bulgarian 332 check",
            "  Romanian 333 check",
            "  Chinese 330 check",
            "  Indian 331 check",
            " panel Application Management",
            "  Display Radio Channels 325 check",
            "  Display TV Channels 326 check",
            "  Hide to System Tray 324 small",
            " panel My Stations",
            "  My Stations 340 check",
            "  Directory... 349 small",
            "category Settings",
            " panel Radio Control",
            "  Auto Startup with the Desktop 322 check",
            "  Play Last Channel Automatically 323 check",
            "  Show Song Notifications 334 check",
            " panel Sound",
            "  Output Device 358 small",
            "category Software Downloads",
            " panel Navigation",
            "  Open In New Window 311 small",
            "  Refresh 312 small",
            "category More Softwares",
            " panel Navigation",
            "  Open In New Window 315 small",
            "  Refresh 316 small",
        };
        QCOMPARE(actual, expected);
    }

    void elementTips_data()
    {
        QTest::addColumn<uint>("id");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("description");
        QTest::newRow("310") << 310u << "Refresh Radio Channels List"
                             << "Press this button to Refresh Radio Channels List.";
        QTest::newRow("324")
            << 324u << "Hide Window to System Tray"
            << "Hide Main Application Window. You can Restore Window using System Tray Menu of the "
               "Application.";
        QTest::newRow("323") << 323u << "Auto Play"
                             << "Play Last Channel Automatically on Application Startup.";
        QTest::newRow("327 has no entry") << 327u << "English"
                                          << "";
    }
    void elementTips()
    {
        QFETCH(uint, id);
        QFETCH(QString, tooltip);
        QFETCH(QString, description);
        SShell shell;
        QAbstractButton* element = shell.Element(id);
        QVERIFY(element);
        QCOMPARE(element->toolTip(), tooltip);
        QCOMPARE(element->statusTip(), description);
    }

    void clickRunsTheFramesCommand()
    {
        SShell shell;
        shell.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(shell.frame));
        shell.Element(ID_HIDE_TO_TRAY)->click();
        QVERIFY(!shell.frame->isVisible());
        QCOMPARE(shell.OpenViews().size(), 1); // hiding closes nothing
    }

    void checkMarksFollowTheirState()
    {
        SShell shell;
        QAbstractButton* autoStart = shell.Element(ID_AUTO_STARTUP);
        QAbstractButton* autoPlay = shell.Element(ID_AUTO_PLAY);
        QVERIFY(autoStart->isEnabled() && !autoStart->isChecked());
        QVERIFY(autoPlay->isEnabled() && autoPlay->isChecked()); // AutoPlay defaults to 1

        // The mark is the stored state, pushed by the command as it runs.
        autoPlay->click();
        QVERIFY(!autoPlay->isChecked());
        QCOMPARE(ReadSettingInt(settings::kAutoPlay.name, -9), 0);
        autoPlay->click();
        QVERIFY(autoPlay->isChecked());
        QCOMPARE(ReadSettingInt(settings::kAutoPlay.name, -9), 1);

        autoStart->click();
        QVERIFY(autoStart->isChecked());
        QVERIFY(QFile::exists(autostart::EntryPath()));
        autoStart->click();
        QVERIFY(!autoStart->isChecked());
        QVERIFY(!QFile::exists(autostart::EntryPath()));
    }

    // One action behind the ribbon's check box and every other way to the command: the mark follows
    // at once, without a pass of the event loop, whichever way the command ran.
    void marksFollowWhereverTheCommandRuns()
    {
        SShell shell;
        QAbstractButton* autoPlay = shell.Element(ID_AUTO_PLAY);
        QVERIFY(autoPlay->isChecked());
        QAction* action = shell.actions.Action(ID_AUTO_PLAY);
        action->trigger(); // as a menu or a shortcut would
        QVERIFY(!autoPlay->isChecked());
        QVERIFY(!action->isChecked());
        QCOMPARE(ReadSettingInt(settings::kAutoPlay.name, -9), 0);
    }

    void autoStartBeforeAnyUpdateCountsAsOn()
    {
        QVERIFY(autostart::SetAutoStart(true, QCoreApplication::applicationFilePath(), QStringLiteral("Vedrix by Palomer")) == autostart::kOn);
        CAppContext context;
        CCommandActions actions;
        context.SetActions(&actions);
        CMainFrame frame(context); // not loaded: no ribbon
        QVERIFY(actions.IsChecked(ID_AUTO_STARTUP));
        actions.Trigger(ID_AUTO_STARTUP);
        QVERIFY(!QFile::exists(autostart::EntryPath()));
        QCOMPARE(frame.GetAutoStartState(), autostart::kOff);
        QVERIFY(!actions.IsChecked(ID_AUTO_STARTUP));
    }

    void autoStartUnavailableDisablesTheBox()
    {
        // A file where the folder should be: root ignores permissions, not this.
        const QString folder = autostart::FolderPath();
        QDir(folder).removeRecursively();
        QVERIFY(testsupport::WriteFile(folder, "not a folder"));
        {
            SShell shell;
            QAbstractButton* autoStart = shell.Element(ID_AUTO_STARTUP);
            QVERIFY(!autoStart->isEnabled());
            QVERIFY(!autoStart->isChecked());
            shell.actions.Action(ID_AUTO_STARTUP)->trigger(); // even if it ran, it changes nothing
            QCOMPARE(shell.frame->GetAutoStartState(), autostart::kUnavailable);
            QVERIFY(!autoStart->isEnabled());
        }
        QFile::remove(folder);
    }

    void closeBoxAltF4AndHideOnlyHide_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Alt+F4") << 1;
        QTest::newRow("command 324") << 2;
    }
    void closeBoxAltF4AndHideOnlyHide()
    {
        QFETCH(int, way);
        SShell shell;
        QPointer<CMainFrame> frame = shell.frame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QApplication::setActiveWindow(frame); // no window manager under the test display
        if (way == 0)
            frame->close();
        else if (way == 1)
            QTest::keyClick(frame, Qt::Key_F4, Qt::AltModifier);
        else
            shell.actions.Trigger(ID_HIDE_TO_TRAY);
        QTRY_VERIFY(!frame->isVisible());
        QVERIFY(frame);
        QCOMPARE(shell.OpenViews().size(), 1);
        QVERIFY(frame->GetTrayIcon()->GetIcon()->isVisible());

        // The tray's Show, a panel's activation and a double click bring it back. The test's bus has
        // a StatusNotifierItem host, whose primary activation arrives as Trigger (an XEmbed tray's
        // single click, which does nothing, is tried with a real tray in e2e_test_shell_tray_xembed).
        shell.actions.Trigger(ID_TRAY_SHOW);
        QVERIFY(frame->isVisible());
        frame->hide();
        emit frame->GetTrayIcon()->GetIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(frame->isVisible());
        frame->hide();
        emit frame->GetTrayIcon()->GetIcon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(frame->isVisible());
        frame->hide();
        emit frame->GetTrayIcon()->GetIcon()->activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!frame->isVisible());
    }

    void ribbonByKeyboardAlone()
    {
        SShell shell;
        CMainFrame* frame = shell.frame;
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QApplication::setActiveWindow(frame); // no window manager under the test display
        CCustomMFCRibbonBar* bar = frame->GetRibbonBar();
        auto tabTo = [&](QWidget* target, Qt::Key key)
        {
            for (int i = 0; i < 60 && QApplication::focusWidget() != target; ++i)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, key);
            return QApplication::focusWidget() == target;
        };

        // Alt with a tab's underlined letter opens its category; the tab's text reads as before.
        QCOMPARE(bar->GetCategoryTab(1)->text(), QStringLiteral("Se&ttings"));
        QTest::keyClick(frame, Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(bar->GetActiveCategory(), bar->GetCategory(1));
        QTRY_COMPARE(shell.ShownTemplate(), 1);

        // F6 goes from the view to the active tab; an arrow key moves to the next tab and opens its
        // category, as on a tab bar, and so does Space. (Shift+Tab would stop at the view's window:
        // Qt keeps it there.)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), bar->GetCategoryTab(1));
        QTest::keyClick(bar->GetCategoryTab(1), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), bar->GetCategoryTab(0));
        QTRY_COMPARE(bar->GetActiveCategory(), bar->GetCategory(0));
        QPointer<CProbeView> opened = shell.OpenViews().value(0);
        QTest::keyClick(bar->GetCategoryTab(0), Qt::Key_Space);
        // Space opens the category again: a new page.
        QTRY_VERIFY(opened.isNull() && shell.ShownTemplate() == 0);
        CProbeView* player = shell.OpenViews()[0];

        // On with Tab to a filter of the player's page, and Space gives its command to the view; so
        // does the letter of another filter.
        if (!bar->isAncestorOf(QApplication::focusWidget()))
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), bar->GetCategoryTab(0));
        QAbstractButton* english = shell.Element(ID_DISPLAY_ENGLISH_CHANNELS);
        QVERIFY(english->isEnabled());
        QVERIFY(tabTo(english, Qt::Key_Tab));
        QTest::keyClick(english, Qt::Key_Space);
        QTRY_COMPARE(player->m_commands, QList<UINT>{ID_DISPLAY_ENGLISH_CHANNELS});
        QTest::keyClick(frame, Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(player->m_commands, (QList<UINT>{ID_DISPLAY_ENGLISH_CHANNELS, ID_DISPLAY_GERMAN_CHANNELS}));
        // F6 again: back into the view.
        QTest::keyClick(english, Qt::Key_F6);
        QVERIFY(QApplication::focusWidget() == player || player->isAncestorOf(QApplication::focusWidget()));

        // Every control that shows no text has a name a screen reader can say.
        for (QAbstractButton* button : bar->findChildren<QAbstractButton*>())
            QVERIFY2(!button->text().isEmpty() || !button->accessibleName().isEmpty(),
                     qPrintable(button->objectName()));
        QVERIFY(!frame->GetApplicationButton()->accessibleName().isEmpty());
    }

    void trayMenuEntries()
    {
        SShell shell;
        CTrayIcon* tray = shell.frame->GetTrayIcon();
        QStringList entries;
        for (const auto& [id, action] : tray->GetEntries())
            entries << (action->isSeparator() ? QStringLiteral("-")
                                              : QStringLiteral("%1 %2").arg(id).arg(action->text()));
        QCOMPARE(entries,
                 (QStringList{"32774 Exit", "-", "32787 Customize Menu...", "32773 Show", "-", "317 Stop",
                              "319 Play", "321 Play Previous Channel", "320 Play Next Channel"}));
        // The same actions as the ribbon's.
        QCOMPARE(tray->GetEntries()[6].second, shell.actions.Action(ID_PLAY));
        QCOMPARE(tray->GetMenu()->defaultAction()->text(), QStringLiteral("Show"));
        QVERIFY(tray->GetMenu()->defaultAction()->font().bold());

        // Enabled where the page shown handles them: the probe player page handles Play only.
        auto entry = [&](UINT id)
        {
            for (const auto& [eid, action] : tray->GetEntries())
                if (eid == id)
                    return action;
            return static_cast<QAction*>(nullptr);
        };
        QVERIFY(entry(ID_PLAY)->isEnabled());
        QVERIFY(!entry(ID_STOP)->isEnabled());
        QVERIFY(entry(ID_TRAY_EXIT)->isEnabled() && entry(ID_TRAY_SHOW)->isEnabled());
        // The player's page goes: its commands go disabled with it, at once.
        shell.frame->OpenCategoryView(1);
        QVERIFY(!entry(ID_PLAY)->isEnabled());
        QTRY_COMPARE(shell.ShownTemplate(), 1);
        QVERIFY(!entry(ID_PLAY)->isEnabled());

        // A menu choice runs the frame's command.
        shell.frame->hide();
        entry(ID_TRAY_SHOW)->trigger();
        QVERIFY(shell.frame->isVisible());
    }

    void trayTip_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tip");
        QTest::newRow("empty") << ""
                               << "Vedrix by Palomer";
        QTest::newRow("status") << "Playing"
                                << "Vedrix by Palomer\nPlaying";
        const QString longStatus(200, QLatin1Char('s'));
        QTest::newRow("cut to 127") << longStatus
                                    << QStringLiteral("Vedrix by Palomer\n") + QString(127 - 18, 's');
    }
    void trayTip()
    {
        QFETCH(QString, status);
        QFETCH(QString, tip);
        SShell shell;
        shell.frame->SetStatusText(status);
        QCOMPARE(shell.frame->GetTrayIcon()->GetIcon()->toolTip(), tip);
        QVERIFY(tip.size() <= 127);
    }

    void channelNumberReachesTheActiveView_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("12") << 12;
        QTest::newRow("0") << 0;
        QTest::newRow("-5") << -5;
    }
    void channelNumberReachesTheActiveView()
    {
        QFETCH(int, number);
        SShell shell;
        CProbeView* view = shell.OpenViews().value(0);
        shell.frame->PlayChannelNumber(number);
        QCOMPARE(view->m_channelNumbers, QList<int>{number});
    }

    void placementIsRestoredButNotShown()
    {
        {
            SShell shell;
            shell.frame->setGeometry(120, 90, 1230, 640);
            shell.frame->SaveWindowPlacement();
        }
        SShell shell;
        QVERIFY(shell.frame->RestoreWindowPlacement());
        QVERIFY(!shell.frame->isVisible());
        QCOMPARE(shell.frame->geometry(), QRect(120, 90, 1230, 640));
    }
};

QTEST_MAIN(TestShellFrame)
#include "shell_frame.moc"
