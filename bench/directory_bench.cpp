// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A station directory search, from the answer to the rows on screen: the real directory window
// (CDirectoryWindow) searches tools/fakedirectory.py, which answers with 500 of its 2000 made-up
// stations (about 440 kB of JSON, as the real directory sends for a common tag). Each search is timed
// from the reply's last byte to the rows in the window's model and to the list's first paint with
// them: wall time and the GUI thread's CPU time. Prints the median and the largest; the target is
// 100 ms. Also the bare parse of the same answer, for comparison.
// Run it through `tools/bench directory`, which gives it its own XDG folders and a display.
// `bench_directory --shot FILE` also saves a picture of the window, logos shown, as FILE (PNG).
#include "TestSupport.h"
#include "base/SettingNames.h"
#include "stationwindows/DirectoryWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double ThreadCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double MsSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

constexpr int kRounds = 15;
constexpr int kStations = 2000;
constexpr double kTargetMs = 100.0;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Max(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Notes the first paint of the watched widget after Arm().
class CPaintWatch : public QObject
{
public:
    void Arm() { m_bArmed = true, m_bPainted = false; }
    bool m_bPainted = false;
    Clock::time_point m_at;
    double m_dCpuMs = 0;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (m_bArmed && pEvent->type() == QEvent::Paint)
        {
            // The paint itself counts: the time is taken when the event loop is back from it.
            m_bArmed = false;
            QTimer::singleShot(0, this,
                               [this]
                               {
                                   m_at = Clock::now();
                                   m_dCpuMs = ThreadCpuMs();
                                   m_bPainted = true;
                               });
        }
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    bool m_bArmed = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("VEDRIX_SOURCE"))
        qputenv("VEDRIX_SOURCE", VEDRIX_SOURCE_DIR);
    testsupport::CLocalServer server;
    if (!server.Start(QStringLiteral("tools/fakedirectory.py"),
                      {QStringLiteral("--generate"), QString::number(kStations)}))
    {
        std::fprintf(stderr, "the fake directory did not start\n");
        return 1;
    }
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.setValue(QLatin1String(settings::kServersSection) + "/StationDirectory", server.Base());
    }

    // The bare parse of an answer like the window's.
    const QByteArray body = server.Get(
        QStringLiteral("/json/stations/search?hidebroken=true&order=clickcount&reverse=true&limit=500"));
    std::vector<double> parses;
    int nParsed = 0;
    for (int i = 0; i < kRounds; ++i)
    {
        CDirectoryStationList stations;
        const auto t0 = Clock::now();
        ParseDirectoryStations(body, stations);
        parses.push_back(MsSince(t0));
        nParsed = int(stations.size());
    }

    CDirectoryWindow window(nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* pResults = window.findChild<QTableView*>(QStringLiteral("DirectoryResults"));
    auto* pNetwork = window.findChild<CStationDirectory*>()->findChild<QNetworkAccessManager*>();
    QLineEdit* pName = nullptr;
    for (QLineEdit* pEdit : window.findChildren<QLineEdit*>())
        if (pEdit->accessibleName() == QLatin1String("Name"))
            pName = pEdit;
    if (!pResults || !pNetwork || !pName)
    {
        std::fprintf(stderr, "the directory window lacks its parts\n");
        return 1;
    }
    // The window's own first search.
    if (!testsupport::WaitFor([&] { return pResults->model()->rowCount() > 0; }))
        return 1;

    CPaintWatch paint;
    pResults->viewport()->installEventFilter(&paint);
    Clock::time_point lastByte, finished, rowsIn;
    double dCpuLastByte = 0, dCpuRows = 0;
    bool bHaveLastByte = false, bRowsIn = false;
    QObject::connect(pNetwork, &QNetworkAccessManager::finished, &window,
                     [&](QNetworkReply*)
                     {
                         finished = Clock::now();
                         // When the last bytes did not come with a progress report.
                         if (!bHaveLastByte)
                         {
                             lastByte = Clock::now();
                             dCpuLastByte = ThreadCpuMs();
                             bHaveLastByte = true;
                         }
                     });
    auto onRows = [&]
    {
        if (bRowsIn)
            return;
        rowsIn = Clock::now();
        dCpuRows = ThreadCpuMs();
        bRowsIn = true;
        paint.Arm();
    };
    // A reset for a model of whole answers, inserted rows for a table of items.
    QObject::connect(pResults->model(), &QAbstractItemModel::modelReset, &window, onRows);
    QObject::connect(pResults->model(), &QAbstractItemModel::rowsInserted, &window, onRows);

    std::vector<double> toFinished, toRows, toPaint, cpuToPaint;
    int nRows = 0;
    for (int nRound = 0; nRound < kRounds; ++nRound)
    {
        bHaveLastByte = bRowsIn = false;
        paint.m_bPainted = false;
        QTest::keyClick(pName, Qt::Key_Return);
        for (QNetworkReply* pReply : pNetwork->findChildren<QNetworkReply*>())
            if (!pReply->isFinished())
                QObject::connect(pReply, &QNetworkReply::downloadProgress, &window,
                                 [&](qint64 nReceived, qint64 nTotal)
                                 {
                                     if (nTotal > 0 && nReceived == nTotal && !bHaveLastByte)
                                     {
                                         lastByte = Clock::now();
                                         dCpuLastByte = ThreadCpuMs();
                                         bHaveLastByte = true;
                                     }
                                 });
        if (!testsupport::WaitFor([&] { return paint.m_bPainted; }, 20000) || !bHaveLastByte || !bRowsIn)
        {
            std::fprintf(stderr, "round %d: no results shown\n", nRound);
            return 1;
        }
        nRows = pResults->model()->rowCount();
        toFinished.push_back(std::chrono::duration<double, std::milli>(finished - lastByte).count());
        toRows.push_back(std::chrono::duration<double, std::milli>(rowsIn - lastByte).count());
        toPaint.push_back(std::chrono::duration<double, std::milli>(paint.m_at - lastByte).count());
        cpuToPaint.push_back(paint.m_dCpuMs - dCpuLastByte);
        (void)dCpuRows;
        // The logos of the rows on screen come in between searches, as they would for a user.
        QTest::qWait(200);
    }

    if (const qsizetype nShot = QCoreApplication::arguments().indexOf(QStringLiteral("--shot"));
        nShot > 0 && nShot + 1 < QCoreApplication::arguments().size())
    {
        QTest::qWait(1000); // the logos of the rows on screen
        window.grab().save(QCoreApplication::arguments().at(nShot + 1));
    }
    std::printf("station directory search of %d rows (%lld bytes of JSON), %d searches\n", nRows,
                qlonglong(body.size()), kRounds);
    std::printf("bare parse of the answer (%d stations): median %.1f ms\n", nParsed, Median(parses));
    std::printf("last byte -> reply finished:      median %.1f ms, max %.1f ms\n", Median(toFinished),
                Max(toFinished));
    std::printf("last byte -> rows in the model:   median %.1f ms, max %.1f ms\n", Median(toRows),
                Max(toRows));
    std::printf("last byte -> rows painted:        median %.1f ms, max %.1f ms (target < %.0f ms)\n",
                Median(toPaint), Max(toPaint), kTargetMs);
    std::printf("GUI thread cpu in between:        median %.1f ms, max %.1f ms\n", Median(cpuToPaint),
                Max(cpuToPaint));
    return Median(toPaint) < kTargetMs ? 0 : 3;
}
