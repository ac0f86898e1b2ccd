// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Autostart.h"

#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>

namespace autostart
{
namespace
{
// Makes the folder if needed; false when it cannot be made or written.
bool PrepareFolder()
{
    const QString folder = FolderPath();
    QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return false;
    if (!info.exists() && !QDir().mkpath(folder))
        return false;
    info.refresh();
    return info.isDir() && info.isWritable();
}

// The keys of the [Desktop Entry] group with their values as written (the first of a repeated key),
// or an empty map when the file cannot be read.
QHash<QString, QString> ReadDesktopEntry(const QString& strPath)
{
    QHash<QString, QString> keys;
    QFile f(strPath);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    QTextStream in(&f);
    bool bInGroup = false;
    while (!in.atEnd())
    {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            bInGroup = line == QLatin1String("[Desktop Entry]");
        else if (bInGroup && !line.startsWith(QLatin1Char('#')) && line.contains(QLatin1Char('=')))
        {
            const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
            if (!keys.contains(key))
                keys.insert(key, line.section(QLatin1Char('='), 1).trimmed());
        }
    }
    return keys;
}

// Desktops switch an autostart entry off without removing it: the session settings of GNOME, KDE
// and Xfce write Hidden=true (the XDG way) or X-GNOME-Autostart-enabled=false into it.
bool IsSwitchedOff(const QHash<QString, QString>& entry)
{
    return entry.value(QStringLiteral("Hidden")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           entry.value(QStringLiteral("X-GNOME-Autostart-enabled"))
                   .compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}
} // namespace

QString FolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/autostart");
}

QString EntryPath()
{
    return FolderPath() + QLatin1String("/vedrix.desktop");
}

int QueryAutoStart()
{
    if (!PrepareFolder())
        return kUnavailable;
    const QHash<QString, QString> entry = ReadDesktopEntry(EntryPath());
    const QString exec = entry.value(QStringLiteral("Exec"));
    if (exec.isEmpty() || IsSwitchedOff(entry))
        return kOff;
    const QStringList args = SplitExecValue(exec);
    if (args.isEmpty())
        return kOff;
    const QFileInfo program(args.first());
    return program.isFile() ? kOn : kOff;
}

int SetAutoStart(bool bEnable, const QString& strProgramPath, const QString& strName)
{
    if (PrepareFolder())
    {
        if (bEnable)
        {
            const QStringList lines = {QStringLiteral("[Desktop Entry]"),
                                       QStringLiteral("Type=Application"),
                                       QStringLiteral("Name=") + strName,
                                       QStringLiteral("Comment=Internet radio and TV player"),
                                       QStringLiteral("Exec=") + ExecValue(strProgramPath),
                                       QStringLiteral("Terminal=false"),
                                       QStringLiteral("X-GNOME-Autostart-enabled=true")};
            // A write that fails leaves the entry as it was, which the answer then says.
            WriteWholeFile(EntryPath(), (lines.join(u'\n') + u'\n').toUtf8());
        }
        else
        {
            QFile::remove(EntryPath());
        }
    }
    return QueryAutoStart();
}

QString QuoteExecArgument(const QString& strArgument)
{
    QString quoted;
    quoted.reserve(strArgument.size() + 2);
    quoted += QLatin1Char('"');
    for (QChar c : strArgument)
    {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString ExecValue(const QString& strProgramPath)
{
    QString value = QuoteExecArgument(strProgramPath) + QLatin1String(" :silent");
    // The file format's own escapes come on top of the quoting; a literal % is doubled for the
    // field codes.
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('%'), QLatin1String("%%"));
    return value;
}

QStringList SplitExecValue(const QString& strValue)
{
    // Undo the file format's escapes first.
    QString text;
    for (qsizetype i = 0; i < strValue.size(); ++i)
    {
        QChar c = strValue[i];
        if (c == QLatin1Char('\\') && i + 1 < strValue.size())
        {
            const QChar e = strValue[++i];
            if (e == QLatin1Char('s'))
                c = QLatin1Char(' ');
            else if (e == QLatin1Char('n'))
                c = QLatin1Char('\n');
            else if (e == QLatin1Char('t'))
                c = QLatin1Char('\t');
            else if (e == QLatin1Char('r'))
                c = QLatin1Char('\r');
            else if (e == QLatin1Char('\\'))
                c = QLatin1Char('\\');
            else
            {
                text += QLatin1Char('\\');
                c = e;
            }
        }
        text += c;
    }
    // Then split into arguments: double-quoted ones with backslash escapes, others at blanks.
    QStringList args;
    QString current;
    bool bInArg = false, bQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const QChar c = text[i];
        if (bQuoted)
        {
            if (c == QLatin1Char('\\') && i + 1 < text.size())
                current += text[++i];
            else if (c == QLatin1Char('"'))
                bQuoted = false;
            else
                current += c;
        }
        else if (c == QLatin1Char('"'))
        {
            bQuoted = bInArg = true;
        }
        else if (c.isSpace())
        {
            if (bInArg)
                args << current;
            current.clear();
            bInArg = false;
        }
        else
        {
            current += c;
            bInArg = true;
        }
    }
    if (bInArg)
        args << current;
    for (QString& a : args)
        a.replace(QLatin1String("%%"), QLatin1String("%"));
    return args;
}
} // namespace autostart
