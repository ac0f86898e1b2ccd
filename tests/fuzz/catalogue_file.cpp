// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target: the channel list file. The input, whatever it is, becomes the channel list file in a
// data folder of the run's own; the catalogue loads it and fills a real list model. The rows must be
// what the plain reading of the rules (CatalogueOracle.h) makes of the same bytes, and the file must be
// gone afterwards. The line reader is also run over the bytes with a small buffer, fed in uneven
// pieces, so that lines crossing buffer refills and code units split between reads are exercised
// without megabyte inputs.
#include "CatalogueOracle.h"

#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "catalogue/Utf16LineReader.h"
#include "catalogue/ChannelTableModel.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace
{
std::unique_ptr<QTemporaryDir> g_pRoot;

// Delivers its bytes in pieces of the sizes a small generator picks (1 to 37 bytes), as a pipe or a
// slow disk may.
class CChunkedDevice : public QIODevice
{
public:
    CChunkedDevice(const QByteArray& bytes, quint32 nSeed) : m_bytes(bytes), m_nState(nSeed | 1)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* pData, qint64 nMax) override
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        const qint64 nLeft = m_bytes.size() - m_nPos;
        const qint64 n = std::min<qint64>({nMax, nLeft, qint64(m_nState % 37 + 1)});
        std::memcpy(pData, m_bytes.constData() + m_nPos, size_t(n));
        m_nPos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_nPos = 0;
    quint32 m_nState;
};

quint32 Hash(const uint8_t* data, size_t size)
{
    quint32 h = 2166136261u ^ quint32(size);
    for (size_t i = 0; i < std::min<size_t>(size, 64); ++i)
        h = (h ^ data[i]) * 16777619u;
    return h;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    // The run's own folders: nothing of the user's is read, written or deleted.
    g_pRoot = std::make_unique<QTemporaryDir>();
    if (!g_pRoot->isValid())
        std::abort();
    qputenv("XDG_DATA_HOME", QFile::encodeName(g_pRoot->filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(g_pRoot->filePath(QStringLiteral("config"))));
    std::atexit([] { g_pRoot.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const quint32 nHash = Hash(data, size);
    CSettingsStore cache;
    oracle::SetChoices(cache, nHash);

    const qsizetype nUnits = qsizetype(size / 2);
    QList<char16_t> units(nUnits);
    if (nUnits)
        std::memcpy(units.data(), data, size_t(nUnits) * 2);
    const QStringList lines = oracle::SplitLines(units.constData(), nUnits);

    // The reader alone, with a buffer of 2 to 64 bytes.
    {
        CChunkedDevice device(bytes, nHash);
        CUtf16LineReader reader(device, qsizetype(nHash >> 24) % 63 + 2);
        const bool bViews = nHash & 0x100000;
        qsizetype nLine = 0;
        for (;;)
        {
            QString line;
            CUtf16LineReader::EResult result;
            if (bViews)
            {
                QStringView view;
                result = reader.ReadLine(view);
                line = view.toString();
            }
            else
            {
                result = reader.ReadLine(line);
            }
            if (result == CUtf16LineReader::ERROR)
                oracle::Fail("reader reported an error");
            if (result == CUtf16LineReader::END)
                break;
            if (nLine >= lines.size() || line != lines[nLine])
                oracle::Fail("reader line differs", line);
            ++nLine;
        }
        if (nLine != lines.size())
            oracle::Fail("reader ended early");
    }

    // The whole load from the data folder into the list model.
    const QString strPath = GetChannelListPath();
    {
        QFile file(strPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }
    oracle::SCatalogue expected;
    for (const QString& line : lines)
        expected.AddLine(line, cache);

    // The steps of FillChannelList, so that the catalogue can be checked before the list takes its
    // records.
    CChannelTableModel model;
    CChannelCatalogue catalogue(CDisplayChoices::FromSettings(cache));
    if (!catalogue.Load())
        oracle::Fail("the channel list file could not be read");
    if (QFile::exists(strPath))
        oracle::Fail("the channel list file was not deleted");

    QList<QStringList> channels;
    for (const CChannelRecord& record : catalogue.m_channels)
        channels << oracle::FieldsOf(record);
    oracle::CheckCatalogue(expected, catalogue.m_header, channels);
    model.SetChannels(ChannelColumnTitles(catalogue.m_header), catalogue.TakeListedChannels());

    // Nothing is stored, so channels marked OFF are left out of the list.
    if (model.columnCount() != channellist::kColumnCount)
        oracle::Fail("column count");
    const int headerFields[channellist::kColumnCount] = {-1, 1, 5, 4, 2};
    for (int nCol = 1; nCol < channellist::kColumnCount; ++nCol)
    {
        if (model.headerData(nCol, Qt::Horizontal).toString() != expected.header[headerFields[nCol]])
            oracle::Fail("column title");
    }
    int nRow = 0;
    for (const QStringList& channel : std::as_const(expected.channels))
    {
        if (channel[6].contains(QLatin1String("OFF")))
            continue;
        if (nRow >= model.rowCount())
            oracle::Fail("too few rows");
        for (int nCol = 0; nCol < channellist::kColumnCount; ++nCol)
        {
            const QString want = nCol == 0 ? QString::number(nRow + 1) : channel[headerFields[nCol]];
            if (model.data(model.index(nRow, nCol)).toString() != want)
                oracle::Fail("cell differs", want);
        }
        // What the player plays: the channel found by its number, read from its record.
        const CChannel played = model.Channel(model.RowOfNumber(nRow + 1));
        if (played.m_nNumber != nRow + 1 || played.m_strUrl != channel[2] || played.m_strName != channel[1] ||
            played.m_strType != channel[0])
            oracle::Fail("channel by number differs", channel[2]);
        ++nRow;
    }
    if (nRow != model.rowCount())
        oracle::Fail("too many rows");
    if (model.RowOfNumber(nRow + 1) != -1 || model.RowOfNumber(0) != -1 || model.Channel(nRow).IsValid())
        oracle::Fail("a channel number past the list");

    QCoreApplication::sendPostedEvents();
    return 0;
}
