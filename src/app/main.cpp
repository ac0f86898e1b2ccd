// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/CommandLine.h"
#include "app/SorvanaApp.h"
#include "platform/FreedMemory.h"
#include "base/PlayerTrace.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    playertrace::Mark("main");
    freedmemory::SetUpAllocator();
    // --help, --version and a refused word are answered before the application object exists: it
    // would need a display, and a second start would reach the running instance.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const SCommandLineAnswer answer =
        AnswerCommandLine(ParseCommandLine(args, program), QFileInfo(args.value(0)).fileName());
    if (answer.nExitCode >= 0)
    {
        std::fputs(answer.strOut.toLocal8Bit().constData(), stdout);
        std::fputs(answer.strErr.toLocal8Bit().constData(), stderr);
        return answer.nExitCode;
    }

    CSorvanaApp app(argc, argv);
    return app.Run();
}
