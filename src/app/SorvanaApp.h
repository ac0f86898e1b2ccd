// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The application: settings cache, command actions, single instance and command line, the four
// category pages, the main frame, and the application's own commands (About, New, Open).
#include "context/AppContext.h"
#include "base/CommandLine.h"
#include "context/CommandActions.h"

#include <QApplication>

class CMainFrame;
class CSingleInstance;

class CSorvanaApp : public QApplication
{
    Q_OBJECT
public:
    CSorvanaApp(int& argc, char** argv);
    ~CSorvanaApp() override;

    // Start-up; false ends the process at once (a second start, or a frame that cannot be made).
    // Where no single-instance channel can be made, a message box says so and the process ends when
    // it is closed.
    bool InitInstance();
    // InitInstance, then the message loop; the process's exit code.
    int Run();

    // Reads the command line and looks for a running instance; true when one runs, or when there is
    // no telling (no single-instance channel could be made). A second start hands its request over
    // before this returns.
    bool CheckRunningInstance();
    // The four pages in category order: player, settings, promotion, store, each tied to the frame
    // by its signals and binding the commands it handles on the context's actions.
    static void AddPageFactories(CMainFrame* pFrame, CAppContext& context);
    // The names of the four pages, as the New dialog offers them.
    static QStringList PageNames();
    CMainFrame* GetMainFrame() const { return m_pMainWnd; }
    const SCommandLine& GetCommandLine() const { return m_commandLine; }
    CAppContext& GetContext() { return m_context; }

    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    // Copies a channel list file chosen by the user into the data folder as "StationList.zip". The
    // user's file itself is never changed. False (with a reason) when it could not be copied.
    static bool ImportChannelListFile(const QString& strSource, QString* pError);

private:
    // Sets what must be set before the application object exists; returns argc unchanged.
    static int& PrepareArguments(int& argc);
    void OnInstanceRequest(const QString& strLine);
    void ImportChosenFile(const QString& strFile);
    void ShowNoInstanceChannel();

    CAppContext m_context;
    CCommandActions m_actions;
    CMainFrame* m_pMainWnd = nullptr;
    CSingleInstance* m_pInstance = nullptr;
    SCommandLine m_commandLine;
};
