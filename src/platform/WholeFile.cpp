// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace
{
bool Fail(QString* pstrError, const QString& strWhy)
{
    if (pstrError)
        *pstrError = strWhy;
    return false;
}
} // namespace

bool WriteWholeFile(const QString& strPath, const QByteArray& data, QString* pstrError)
{
    QSaveFile file(strPath);
    // Unbuffered: QSaveFile's own buffer is written out inside commit(), and a short write there is
    // not reported (the cut file is renamed into place). Written directly, each write says how much
    // of it reached the file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(pstrError, file.errorString());
    if (file.write(data) != data.size())
    {
        const QString strWhy = file.errorString();
        file.cancelWriting();
        return Fail(pstrError, strWhy);
    }
    if (!file.commit())
        return Fail(pstrError, file.errorString());
    return true;
}

bool CopyWholeFile(const QString& strSource, const QString& strDestination, qint64 nMaxBytes,
                   QString* pstrError)
{
    QFile source(strSource);
    if (!source.open(QIODevice::ReadOnly))
        return Fail(pstrError, source.errorString());
    const QByteArray data = source.read(nMaxBytes + 1);
    if (source.error() != QFileDevice::NoError)
        return Fail(pstrError, source.errorString());
    if (data.size() > nMaxBytes)
        return Fail(pstrError, QCoreApplication::translate("WholeFile", "The file is too large."));
    return WriteWholeFile(strDestination, data, pstrError);
}
