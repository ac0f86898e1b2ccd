// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target: channel lines. The input's first three bytes choose the display choices; the rest is
// UTF-16LE text, cut into lines at each LF (a CR stays in the line, as white space). Every line goes
// through both forms of ParseChannelLine and through CChannelCatalogue::AddLine; the records, the
// header and the kept channels must be what the plain reading of the rules (CatalogueOracle.h) gives.
#include "CatalogueOracle.h"

#include "catalogue/ChannelCatalogue.h"
#include "catalogue/StringPool.h"

#include <QString>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    CSettingsStore cache;
    oracle::SetChoices(cache, quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16);

    const qsizetype nUnits = qsizetype((size - 3) / 2);
    QString text(nUnits, Qt::Uninitialized);
    std::memcpy(text.data(), data + 3, size_t(nUnits) * 2); // the fuzz machines are little-endian

    CChannelCatalogue catalogue(CDisplayChoices::FromSettings(cache));
    oracle::SCatalogue expected;
    CStringPool pool;
    qsizetype start = 0;
    while (start <= text.size())
    {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QString line = text.mid(start, end - start);
        start = end + 1;

        const CChannelRecord record = ParseChannelLine(line);
        oracle::CheckRecord(record, line);
        // The pooled form shares storage between lines; what it returns must still be this line's.
        const CChannelRecord pooled = ParseChannelLine(QStringView(line), pool);
        oracle::CheckRecord(pooled, line);

        if (catalogue.AddLine(line) != 1)
            oracle::Fail("AddLine did not return 1");
        expected.AddLine(line, cache);
    }

    QList<QStringList> channels;
    for (const CChannelRecord& record : catalogue.m_channels)
        channels << oracle::FieldsOf(record);
    oracle::CheckCatalogue(expected, catalogue.m_header, channels);

    return 0;
}
