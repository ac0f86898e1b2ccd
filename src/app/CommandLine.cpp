#include "app/CommandLine.h"

#include <algorithm>
#include <climits>

int AToI(const QString& strText)
{
    qsizetype i = 0;
    const qsizetype n = strText.size();
    while (i < n && strText[i].isSpace())
        ++i;
    bool bNegative = false;
    if (i < n && (strText[i] == QLatin1Char('+') || strText[i] == QLatin1Char('-')))
        bNegative = strText[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < n && strText[i] >= QLatin1Char('0') && strText[i] <= QLatin1Char('9'); ++i)
    {
        value = value * 10 + (strText[i].unicode() - '0');
        if (value > 1LL + INT_MAX) // enough to know that it will be clamped
            value = 1LL + INT_MAX;
    }
    if (bNegative)
        value = -value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

SCommandLine ParseCommandLine(const QStringList& args, const QString& strProgramPath)
{
    SCommandLine result;
    const QStringList rest = args.mid(1);
    QString text = rest.join(QLatin1Char(' '));
    if (text.contains(QLatin1String(":silent")))
    {
        result.nCmdShow = SW_HIDE;
        return result;
    }
    if (!strProgramPath.isEmpty())
        text.remove(strProgramPath);
    text.remove(QLatin1Char('"'));
    text = text.trimmed();
    if (text.isEmpty())
        return result;
    result.bHasChannel = true;
    result.nChannel = AToI(text);
    result.nCmdShow = SW_HIDE;
    return result;
}
