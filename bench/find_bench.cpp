// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Filtering the player's list with Ctrl+F: a generated channel list of 100 000 lines is loaded into
// the real list view (CChannelListView, filled by FillChannelList as a reload does) under its filter
// box (CListFilterBox); a query is typed into the box letter by letter and then deleted with
// Backspace, several rounds. Each keystroke is timed from the key press until the event loop has
// nothing left to do (the rows hidden or shown, the view laid out and painted): the GUI thread's CPU
// time and the wall time. Prints the median and the largest per keystroke; the target is 16 ms.
// Run it through `tools/bench find`, which gives it its own XDG folders and a display.
#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "catalogue/ChannelTableModel.h"
#include "player/ChannelListView.h"
#include "player/ListFilterBox.h"

#include <QApplication>
#include <QFile>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

constexpr int kLines = 100'000;
constexpr int kRounds = 5;
constexpr double kTargetMs = 16.0;
// The first letters keep almost every row, the later ones few; "francais" finds "Français" too.
const QString kQuery = QStringLiteral("radio francais 7");

// Channel list lines as the maker writes them, in a dozen languages, some names and descriptions
// with accents.
QByteArray GenerateList(int nLines)
{
    static const char* const languages[] = {"Hindi",   "English", "Tamil",  "Chinese", "French", "German",
                                            "Spanish", "Arabic",  "Telugu", "Bangla",  "Polish", "Czech"};
    static const char* const words[] = {"Radio", "Radio", "Radio", "Vision", "Sound", "Ràdio", "Onda", "FM"};
    static const char* const names[] = {"Français", "Lumière", "Classic", "City", "Nacional",   "Musique",
                                        "Hits",     "Jazz",    "Señal",   "Live", "Österreich", "Dil"};
    static const char* const genres[] = {
        "Music and talk",   "News around the clock", "Chansons françaises", "Sports and weather",
        "Devotional songs", "Jazz and blues",        "Música latina y pop", "Hörspiele und Kultur"};
    std::mt19937 random(20261208);
    QString text;
    text.reserve(qsizetype(nLines) * 120);
    text += QStringLiteral("Type,Channel,Address,Extra,Language,About,Status\r\n");
    for (int i = 1; i < nLines; ++i)
    {
        const unsigned r = random();
        const bool bTV = r % 10 < 2;
        text += QStringLiteral(
                    "%1,%2 %3 %4,http://stream%5.example-radio.net:8000/live/%4.mp3,%6,%7,%8 from city "
                    "%9,ON\r\n")
                    .arg(bTV ? "TV" : "Radio", QString::fromUtf8(words[(r >> 4) % std::size(words)]),
                         QString::fromUtf8(names[(r >> 8) % std::size(names)]))
                    .arg(i)
                    .arg((r >> 12) % 64)
                    .arg((r >> 14) % 100)
                    .arg(QString::fromLatin1(languages[(r >> 18) % std::size(languages)]))
                    .arg(QString::fromUtf8(genres[(r >> 22) % std::size(genres)]))
                    .arg((r >> 25) % 500);
    }
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs what the keystroke left for the event loop: the view's deferred layout, the repaint.
void Settle()
{
    for (int i = 0; i < 3; ++i)
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

int ShownRows(CChannelListView& list)
{
    int nShown = 0;
    for (int nRow = 0; nRow < list.Channels().Count(); ++nRow)
        nShown += list.isRowHidden(nRow) ? 0 : 1;
    return nShown;
}

struct SKeystroke
{
    QString strText; // the box's text after the key
    int nShown = 0;
    std::vector<double> cpuMs, wallMs;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    {
        const QByteArray bytes = GenerateList(kLines);
        QFile file(GetChannelListPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(GetChannelListPath()));
            return 1;
        }
    }

    QWidget window;
    window.resize(900, 600);
    auto* pLayout = new QVBoxLayout(&window);
    auto* pList = new CChannelListView(&window);
    pLayout->addWidget(pList);
    auto* pBox = new CListFilterBox(pList, &window);
    {
        CDisplayChoices choices;
        choices.m_bShowNonWorking = true;
        CChannelCatalogue catalogue(choices);
        FillChannelList(pList->Channels(), catalogue);
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    Settle();
    std::printf("Ctrl+F filter over %d rows, %d rounds of typing \"%s\" and deleting it\n",
                pList->Channels().Count(), kRounds, qPrintable(kQuery));

    std::vector<SKeystroke> keys(size_t(kQuery.size()) * 2);
    std::vector<double> allCpu, allWall, opens;
    for (int nRound = 0; nRound < kRounds; ++nRound)
    {
        const double c0 = ThreadCpuSeconds();
        pBox->Open();
        Settle();
        opens.push_back((ThreadCpuSeconds() - c0) * 1e3);
        for (size_t k = 0; k < keys.size(); ++k)
        {
            const bool bTyping = k < size_t(kQuery.size());
            const auto t0 = Clock::now();
            const double dCpu0 = ThreadCpuSeconds();
            if (bTyping)
                QTest::keyClick(pBox, kQuery.at(qsizetype(k)).toLatin1());
            else
                QTest::keyClick(pBox, Qt::Key_Backspace);
            Settle();
            const double dCpu = (ThreadCpuSeconds() - dCpu0) * 1e3;
            const double dWall = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            keys[k].strText = pBox->text();
            keys[k].cpuMs.push_back(dCpu);
            keys[k].wallMs.push_back(dWall);
            allCpu.push_back(dCpu);
            allWall.push_back(dWall);
            if (nRound == 0)
                keys[k].nShown = ShownRows(*pList);
        }
        pBox->Clear();
        Settle();
    }

    std::printf("%-20s %8s %10s %10s %10s\n", "text after the key", "rows", "cpu ms", "max cpu", "wall ms");
    for (const SKeystroke& key : keys)
        std::printf("%-20s %8d %10.2f %10.2f %10.2f\n", qPrintable(u'"' + key.strText + u'"'), key.nShown,
                    Median(key.cpuMs), *std::max_element(key.cpuMs.begin(), key.cpuMs.end()),
                    Median(key.wallMs));
    const double dMaxCpu = *std::max_element(allCpu.begin(), allCpu.end());
    std::printf("Ctrl+F (folds the rows): median %.1f ms\n", Median(opens));
    std::printf("per keystroke, GUI thread cpu: median %.2f ms, max %.2f ms (target < %.0f ms)\n",
                Median(allCpu), dMaxCpu, kTargetMs);
    std::printf("per keystroke, wall: median %.2f ms, max %.2f ms\n", Median(allWall),
                *std::max_element(allWall.begin(), allWall.end()));
    return dMaxCpu < kTargetMs ? 0 : 3;
}
