// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading the channel list: generated lists of 10 000, 100 000 and 1 000 000 lines are written to the
// data folder and filled into the real list model through FillChannelList, as a reload does (the
// list holding the rows of the previous reload, the catalogue destroyed at the end). Prints
// the median time, ns per line, the throughput over the file's bytes and how the time grows.
// Run it through `tools/bench catalogue`, which gives it its own XDG folders.
#include "base/SettingsStore.h"
#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "catalogue/Utf16LineReader.h"
#include "catalogue/ChannelTableModel.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

// CPU time of the process: steadier than wall time on a machine that other work shares.
double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

constexpr int kRuns = 7;

// A channel list whose lines look like the real ones: mostly radio, some TV, a dozen languages,
// a few channels marked OFF, a trailing comma-free description.
QByteArray GenerateList(int nLines)
{
    static const char* const languages[] = {"Hindi",     "English", "Tamil",   "Chinese", "French", "German",
                                            "Bulgarian", "Romania", "Spanish", "Arabic",  "Telugu", "Bangla"};
    static const char* const genres[] = {"Music and talk",     "News around the clock", "Classic hits",
                                         "Sports and weather", "Devotional songs",      "Jazz and blues"};
    std::mt19937 random(20240601);
    QString text;
    text.reserve(qsizetype(nLines) * 120);
    text += QStringLiteral("Type,Channel,Address,Extra,Language,About,Status\r\n");
    for (int i = 1; i < nLines; ++i)
    {
        const unsigned r = random();
        const bool bTV = r % 10 < 3;
        const char* language = languages[(r >> 4) % std::size(languages)];
        text += QStringLiteral("%1,%2 %3 %4,http://stream%5.example-radio.net:8000/live/%6.%7,%8,%9,")
                    .arg(bTV ? "TV" : "Radio", bTV ? "Vision" : "Radio", QString::fromLatin1(language))
                    .arg(i)
                    .arg((r >> 8) % 64)
                    .arg(i)
                    .arg(bTV ? "m3u8" : "mp3")
                    .arg((r >> 12) % 100)
                    .arg(QString::fromLatin1(language));
        text += QStringLiteral("%1 from city %2,%3\r\n")
                    .arg(QString::fromLatin1(genres[(r >> 16) % std::size(genres)]))
                    .arg((r >> 20) % 500)
                    .arg((r >> 28) % 16 == 0 ? "OFF" : "ON");
    }
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

bool WriteList(const QByteArray& bytes)
{
    QFile file(GetChannelListPath());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct SResult
{
    double dFillSeconds;
    double dFillCpuSeconds;
    double dReadSeconds;
    int nRows;
};

SResult Measure(const QByteArray& bytes)
{
    std::vector<double> fills, fillCpu, reads;
    // One list for all runs, as in the program: each reload also frees the rows of the one before.
    // The first run only gives the list its rows.
    CChannelTableModel list;
    for (int run = -1; run < kRuns; ++run)
    {
        if (!WriteList(bytes))
        {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(GetChannelListPath()));
            std::exit(1);
        }
        // The bare reader over the same bytes, lines only.
        {
            QFile file(GetChannelListPath());
            file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
            CUtf16LineReader reader(file);
            QString line;
            qsizetype nUnits = 0;
            const auto t0 = Clock::now();
            while (reader.ReadLine(line) == CUtf16LineReader::LINE)
                nUnits += line.size();
            if (run >= 0)
                reads.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
            if (nUnits == 0)
                std::exit(1);
        }
        CSettingsStore cache;
        // A reload ends with the catalogue's destruction, so that is timed too.
        const auto t0 = Clock::now();
        const double c0 = CpuSeconds();
        {
            CChannelCatalogue catalogue(CDisplayChoices::FromSettings(cache));
            FillChannelList(list, catalogue);
        }
        const double dCpu = CpuSeconds() - c0;
        const double dWall = std::chrono::duration<double>(Clock::now() - t0).count();
        if (run >= 0)
        {
            fillCpu.push_back(dCpu);
            fills.push_back(dWall);
        }
    }
    return {Median(fills), Median(fillCpu), Median(reads), list.Count()};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("channel list fill into the list model, median of %d runs (data folder %s)\n", kRuns,
                qPrintable(GetDataFolder()));
    std::printf("%10s %10s %8s %10s %10s %9s %10s %10s\n", "lines", "rows", "MB", "fill ms", "cpu ms",
                "ns/line", "fill MB/s", "read MB/s");
    // Line counts may be given on the command line (for profiling one size); the targets apply to the
    // default set.
    std::vector<int> sizes{10'000, 100'000, 1'000'000};
    if (argc > 1)
    {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::max(2, atoi(argv[i])));
    }
    double dFill100k = 0, dFill1M = 0;
    for (int nLines : sizes)
    {
        const QByteArray bytes = GenerateList(nLines);
        const SResult r = Measure(bytes);
        const double dMB = bytes.size() / 1e6;
        std::printf("%10d %10d %8.1f %10.1f %10.1f %9.0f %10.0f %10.0f\n", nLines, r.nRows, dMB,
                    r.dFillSeconds * 1e3, r.dFillCpuSeconds * 1e3, r.dFillSeconds * 1e9 / nLines,
                    dMB / r.dFillSeconds, dMB / r.dReadSeconds);
        std::fflush(stdout);
        if (nLines == 100'000)
            dFill100k = r.dFillSeconds;
        if (nLines == 1'000'000)
            dFill1M = r.dFillSeconds;
    }
    if (dFill100k == 0 || dFill1M == 0)
        return 0;
    const double dRatio = dFill1M / dFill100k;
    std::printf("growth 1M/100k: %.2f (target <= 12)\n", dRatio);
    std::printf("100k lines: %.1f ms (target <= 150 ms)\n", dFill100k * 1e3);
    QFile::remove(GetChannelListPath());
    return dFill100k <= 0.150 && dRatio <= 12 ? 0 : 3;
}
