// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Importing a playlist into My Stations: a generated IPTV-style M3U of 10 000 entries (some of
// them twice, as such lists have; the parser keeps the first) goes through CMyStations::Import, the
// path of the Import command and of a dropped file, into a list that holds 200 stations already;
// each run starts from that list. Prints the median wall and CPU time of the import, and for
// comparison the old way, one Add (one duplicate check over the list and one write of the file) per
// entry, for the first 1 000 entries.
// Run it through `tools/bench import`, which gives it its own XDG folders.
#include "stations/MyStations.h"
#include "stations/Playlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int kEntries = 10'000;
constexpr int kStored = 200;
constexpr int kOneByOne = 1'000;
constexpr int kRuns = 5;
constexpr double kTargetSeconds = 1.0;

double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString Address(int i)
{
    return QStringLiteral("http://iptv%1.example.net:8080/live/user/pass/%2.m3u8").arg(i % 97).arg(i);
}

// Every 50th entry repeats an earlier one; the first kStored are in My Stations already.
QByteArray GeneratePlaylist()
{
    static const char* const groups[] = {"News", "Sports", "Movies", "Kids", "Music", "Documentary"};
    QByteArray data = "#EXTM3U\n";
    for (int i = 0; i < kEntries; ++i)
    {
        const int n = i % 50 == 49 ? i / 2 : i;
        data += QStringLiteral("#EXTINF:-1 tvg-id=\"ch%1\" tvg-name=\"Channel %1\" "
                               "tvg-logo=\"http://logos.example.net/%1.png\" "
                               "group-title=\"%2\",Channel %1 HD\n%3\n")
                    .arg(n)
                    .arg(QLatin1String(groups[n % std::size(groups)]), Address(n))
                    .toUtf8();
    }
    return data;
}

CStationList Stored()
{
    CStationList stations;
    for (int i = 0; i < kStored; ++i)
    {
        CStationRecord record;
        record.m_strName = QStringLiteral("Channel %1 HD").arg(i);
        record.m_strUrl = Address(i);
        record.m_strOrigin = QStringLiteral("import");
        stations.append(record);
    }
    return stations;
}

bool WriteFile(const QString& strPath, const QByteArray& data)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

void Fail(const char* what)
{
    std::fprintf(stderr, "import bench: %s\n", what);
    std::exit(1);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString strPlaylist = QDir::temp().filePath(QStringLiteral("iptv.m3u"));
    const QByteArray playlist = GeneratePlaylist();
    const QByteArray stored = WritePlaylist(Stored(), EPlaylistFormat::M3U);
    if (!WriteFile(strPlaylist, playlist))
        Fail("cannot write the playlist");

    std::vector<double> walls, cpus;
    CMyStations::SAddCounts counts;
    for (int run = 0; run < kRuns; ++run)
    {
        if (!WriteFile(CMyStations::DefaultPath(), stored))
            Fail("cannot write My Stations");
        CMyStations mine;
        mine.Load();
        QStringList unreadable;
        const double dCpu = CpuSeconds();
        const auto t0 = Clock::now();
        if (mine.Import({strPlaylist}, &counts, &unreadable) != CMyStations::Done)
            Fail("the import failed");
        walls.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
        cpus.push_back(CpuSeconds() - dCpu);
        CMyStations reloaded;
        if (reloaded.Load() != mine.Count())
            Fail("the file does not hold the list");
    }
    std::printf(
        "import of %d entries (%.1f MB) into %d stations: added %d, in the list already %d, refused %d\n",
        kEntries, double(playlist.size()) / 1e6, kStored, counts.nAdded, counts.nKnown, counts.nRefused);
    const double dWall = Median(walls);
    std::printf("  median of %d: %.0f ms wall, %.0f ms CPU (target under %.0f ms): %s\n", kRuns, dWall * 1000,
                Median(cpus) * 1000, kTargetSeconds * 1000, dWall < kTargetSeconds ? "ok" : "TOO SLOW");

    // The old way, for comparison: one Add per entry, each checking the whole list and writing it.
    const CStationList entries = ParsePlaylist(playlist, strPlaylist, QUrl()).m_stations.mid(0, kOneByOne);
    if (!WriteFile(CMyStations::DefaultPath(), stored))
        Fail("cannot write My Stations");
    CMyStations mine;
    mine.Load();
    const auto t0 = Clock::now();
    for (const CStationRecord& station : entries)
        mine.Add(station);
    const double dOneByOne = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("  one Add per entry, the first %d entries: %.0f ms (%.1f ms an entry)\n", kOneByOne,
                dOneByOne * 1000, dOneByOne * 1000 / kOneByOne);
    return 0;
}
