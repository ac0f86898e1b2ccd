// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SorvanaApp.h"
#include "base/Commands.h"
#include "base/TextAreas.h"

#include "app/AboutDlg.h"
#include "base/DesktopEntry.h"
#include "app/NewTypeDlg.h"
#include "base/Resources.h"
#include "base/StringTable.h"
#include "app/Translations.h"
#include "catalogue/DataFolder.h"
#include "frame/MainFrame.h"
#include "frame/TrayIcon.h"
#include "hotkeys/RadioSettingsView.h"
#include "listenback/RingFile.h"
#include "platform/HotKeyBackend.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "platform/WholeFile.h"
#include "platform/WindowSystem.h"
#include "base/PlayerTrace.h"
#include "player/SorvanaView.h"
#include "web/HardwareStoreView.h"
#include "web/PromoView.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>

#include <clocale>

namespace
{
// A request line that hands the running instance the desktop's permission to come to the front.
constexpr QLatin1String kActivatePrefix("activate ");

// The token a Wayland desktop gives a program it starts (xdg-activation), for the running instance;
// empty when there is none or it is not one line of plain characters.
QString ActivationTokenOfThisStart()
{
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty() || token.size() > 512)
        return {};
    for (const QChar c : token)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return {};
    return token;
}
} // namespace

int& CSorvanaApp::PrepareArguments(int& argc)
{
    // No Qt::AA_ShareOpenGLContexts here: it would make an OpenGL context (and load the driver) at
    // start-up, which a program that mostly plays radio from the tray never needs. The web module
    // makes the shared context when it is first loaded (web/WebModule.cpp).
    return argc;
}

CSorvanaApp::CSorvanaApp(int& argc, char** argv) : QApplication(PrepareArguments(argc), argv)
{
    // libmpv refuses to start under any other numeric locale; QApplication has just set the user's.
    std::setlocale(LC_NUMERIC, "C");
    InitVedrixResources();
    InstallTranslations(this);
    setOrganizationName(QString::fromLatin1(settings::kOrganization));
    setApplicationName(QStringLiteral("vedrix"));
    // Wayland compositors and portals find the entry's name and icon through it.
    setDesktopFileName(QString::fromLatin1(kDesktopEntryId));
    setWindowIcon(QIcon(QStringLiteral(":/res/icons/vedrix.svg")));
    // The main window is often hidden in the tray; closing a message box then must not end the program.
    setQuitOnLastWindowClosed(false);

    m_context.SetActions(&m_actions);
    m_actions.Bind(ID_APP_ABOUT, this, [this] { OnAppAbout(); });
    m_actions.Bind(ID_FILE_NEW, this, [this] { OnFileNew(); });
    m_actions.Bind(ID_FILE_OPEN, this, [this] { OnFileOpen(); });
}

CSorvanaApp::~CSorvanaApp()
{
    // The views give up their hot keys as they go; the service goes after them, while the
    // application still has its connection to the display.
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    m_context.SetHotKeyService(nullptr);
}

bool CSorvanaApp::CheckRunningInstance()
{
    m_commandLine = ParseCommandLine(arguments(), applicationFilePath());
    if (m_commandLine.bHasChannel)
        m_context.SetStartChannel(m_commandLine.nChannel);

    m_pInstance = new CSingleInstance(QString(), this);
    if (m_pInstance->Start())
    {
        connect(m_pInstance, &CSingleInstance::RequestReceived, this, &CSorvanaApp::OnInstanceRequest);
        return false;
    }
    // Without a channel there is no telling whether another copy runs: this one does not start.
    if (!m_pInstance->IsSecondary())
        return true;
    QStringList requests;
    const int channel = m_commandLine.bHasChannel ? m_commandLine.nChannel : -1;
    if (m_commandLine.bHasChannel)
        requests << QString::number(channel);
    // A channel number alone leaves the running window as it is; anything else brings it up. A Wayland
    // compositor raises a window only for a client that shows the token of a user's action: the one
    // the desktop gave this start goes along.
    if (channel <= -1)
    {
        if (const QString token = ActivationTokenOfThisStart(); !token.isEmpty())
            requests << QString(kActivatePrefix) + token;
        requests << QStringLiteral("show");
    }
    m_pInstance->Forward(requests);
    return true;
}

void CSorvanaApp::OnInstanceRequest(const QString& strLine)
{
    if (!m_pMainWnd)
        return;
    if (strLine.startsWith(kActivatePrefix))
    {
        // Qt's wayland platform hands the variable's token to the compositor with the next activation,
        // and clears it.
        if (IsWaylandPlatform())
            qputenv("XDG_ACTIVATION_TOKEN", strLine.mid(kActivatePrefix.size()).toUtf8());
        return;
    }
    if (strLine == QLatin1String("show"))
    {
        m_pMainWnd->ShowAndActivate();
        return;
    }
    bool ok = false;
    const int channel = strLine.toInt(&ok);
    if (ok)
        m_pMainWnd->PlayChannelNumber(channel);
}

QStringList CSorvanaApp::PageNames()
{
    // Field 2 of each page's resource string: the name offered when asked which kind to open.
    QStringList names;
    for (UINT nID : {strings::IDR_SORVANA_TYPE, strings::IDR_SORVANA_TYPE, strings::IDR_PROMO_TYPE,
                     strings::IDR_HARDWARE_TYPE})
        names << LoadString(nID).split(QLatin1Char('\n')).value(2);
    return names;
}

void CSorvanaApp::AddPageFactories(CMainFrame* pFrame, CAppContext& context)
{
    pFrame->AddPageFactory(
        [&context, pFrame]() -> QWidget*
        {
            auto* view = new CSorvanaView(context);
            connect(view, &CSorvanaView::StatusTextChanged, pFrame, &CMainFrame::SetStatusText);
            // As a posted request: brought after what asks for it has finished.
            connect(view, &CSorvanaView::ChannelListWanted, pFrame, &CMainFrame::LoadChannelList,
                    Qt::QueuedConnection);
            connect(pFrame, &CMainFrame::ChannelListArrived, view, &CSorvanaView::ReloadChannelList);
            connect(pFrame, &CMainFrame::ChannelNumberRequested, view, &CSorvanaView::PlayChannelNumber);
            if (CTrayIcon* tray = pFrame->GetTrayIcon())
            {
                connect(view, &CSorvanaView::MyStationNamesChanged, tray, &CTrayIcon::SetMyStations);
                // The tray's entries would reach no page any more.
                connect(view, &QObject::destroyed, tray, [tray] { tray->SetMyStations({}); });
            }
            return view;
        });
    pFrame->AddPageFactory(
        [&context, pFrame]() -> QWidget*
        {
            auto* view = new CRadioSettingsView(context);
            connect(view, &CRadioSettingsView::StatusTextChanged, pFrame, &CMainFrame::SetStatusText);
            return view;
        });
    pFrame->AddPageFactory(
        [&context, pFrame]() -> QWidget*
        {
            auto* view = new CPromoView(context);
            connect(view, &CPromoView::StatusTextChanged, pFrame, &CMainFrame::SetStatusText);
            context.Actions().Bind(
                ID_REFRESH_PROMOTION, view,
                [view] { QMetaObject::invokeMethod(view, &CPromoView::NavigateHome, Qt::QueuedConnection); });
            return view;
        });
    pFrame->AddPageFactory(
        [&context, pFrame]() -> QWidget*
        {
            auto* view = new CHardwareStoreView(context);
            connect(view, &CHardwareStoreView::StatusTextChanged, pFrame, &CMainFrame::SetStatusText);
            context.Actions().Bind(ID_REFRESH_STORE, view,
                                   [view] {
                                       QMetaObject::invokeMethod(view, &CHardwareStoreView::NavigateHome,
                                                                 Qt::QueuedConnection);
                                   });
            return view;
        });
}

bool CSorvanaApp::InitInstance()
{
    if (CheckRunningInstance())
    {
        if (m_pInstance->IsSecondary())
            return false;
        ShowNoInstanceChannel();
        return true;
    }
    const bool bShow = m_commandLine.nCmdShow == SW_SHOW;
    // Rewind buffers that a program killed before it could remove them left behind. Only the one
    // running copy gets here, and a buffer in use is locked by its program anyway.
    CRingFile::RemoveStale(CRingFile::DefaultFolder());

    m_context.SetHotKeyService(CreateHotKeyService());

    auto* frame = new CMainFrame(m_context);
    m_pMainWnd = frame;
    frame->RestoreWindowPlacement();
    AddPageFactories(frame, m_context);
    if (!frame->LoadFrame())
    {
        m_pMainWnd = nullptr;
        delete frame;
        return false;
    }
    if (bShow)
        frame->show();
    else if (!frame->HasTray())
        frame->StartMinimized(); // hidden, nothing on the desktop would lead back to it
    frame->setWindowTitle(AppTitle());
    playertrace::Mark("main window made");
    return true;
}

void CSorvanaApp::ShowNoInstanceChannel()
{
    auto* box = new QMessageBox(
        QMessageBox::Critical, AppTitle(),
        text::MainWindow::tr("%1 cannot start: it could not open the channel through which it finds a copy "
                             "of itself that is already running, so it cannot make sure that it runs only "
                             "once.\n\n%2")
            .arg(AppTitle(), m_pInstance->ErrorString()),
        QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText); // the system's error text
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [] { QCoreApplication::exit(1); });
    box->open();
}

int CSorvanaApp::Run()
{
    if (!InitInstance())
        return 0;
    return exec();
}

void CSorvanaApp::OnAppAbout()
{
    auto* pDlg = new CAboutDlg(m_pMainWnd);
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->open();
}

void CSorvanaApp::OnFileNew()
{
    if (!m_pMainWnd || m_pMainWnd->GetPageFactoryCount() == 0)
        return;
    if (m_pMainWnd->GetPageFactoryCount() == 1)
    {
        m_pMainWnd->OpenPage(0);
        return;
    }
    auto* pDlg = new CNewTypeDlg(PageNames().mid(0, m_pMainWnd->GetPageFactoryCount()), m_pMainWnd);
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(pDlg, &QDialog::accepted, this,
            [this, pDlg]
            {
                if (m_pMainWnd)
                    m_pMainWnd->OpenPage(pDlg->GetSelection());
            });
    pDlg->open();
}

void CSorvanaApp::OnFileOpen()
{
    if (!m_pMainWnd)
        return;
    auto* pDlg = new QFileDialog(m_pMainWnd, text::MainWindow::tr("Open"), QString(),
                                 text::MainWindow::tr("All Files (*)"));
    pDlg->setAttribute(Qt::WA_DeleteOnClose);
    pDlg->setFileMode(QFileDialog::ExistingFile);
    pDlg->setAcceptMode(QFileDialog::AcceptOpen);
    connect(pDlg, &QFileDialog::fileSelected, this, &CSorvanaApp::ImportChosenFile);
    pDlg->open();
}

void CSorvanaApp::ImportChosenFile(const QString& strFile)
{
    if (strFile.isEmpty() || !m_pMainWnd)
        return;
    QString error;
    if (!ImportChannelListFile(strFile, &error))
    {
        ShowMessageBox(m_pMainWnd, AppTitle(), QMessageBox::Warning, error);
        return;
    }
    m_pMainWnd->NotifyChannelListArrived();
}

bool CSorvanaApp::ImportChannelListFile(const QString& strSource, QString* pError)
{
    const QString target = GetChannelListPath();
    const QFileInfo source(strSource);
    if (!source.isFile())
    {
        if (pError)
            *pError = text::MainWindow::tr("The file %1 cannot be opened.")
                          .arg(QDir::toNativeSeparators(strSource));
        return false;
    }
    // The file is copied and then read on the user interface thread: a file larger than any channel
    // list (a film chosen by mistake) is refused before either starts.
    if (source.size() > kMaxChannelListBytes)
    {
        if (pError)
        {
            const QLocale locale;
            *pError = text::MainWindow::tr("The file %1 is not a channel list: it is %2, and a channel list "
                                           "is at most %3.")
                          .arg(QDir::toNativeSeparators(strSource), locale.formattedDataSize(source.size()),
                               locale.formattedDataSize(kMaxChannelListBytes));
        }
        return false;
    }
    // The chosen file may be the very file that the list is read from; then there is nothing to copy
    // (and removing the target first would lose it).
    if (QFileInfo(target).exists() && source.canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    // Put in place whole or not at all: a full disk keeps the list there was.
    QString strWhy;
    if (!CopyWholeFile(strSource, target, kMaxChannelListBytes, &strWhy))
    {
        if (pError)
            *pError = text::MainWindow::tr("The file %1 could not be copied to %2.")
                          .arg(QDir::toNativeSeparators(strSource), QDir::toNativeSeparators(target)) +
                      u'\n' + strWhy;
        return false;
    }
    // A read-only source gives a read-only copy, which the loader could not delete after reading.
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    return true;
}
