// The station directory window against tools/fakedirectory.py: a result's logo, served by the fake,
// appears beside its name; a logo that is not a picture leaves the place blank; a logo of a row far
// below the visible ones is not fetched at all.
#include "TestSupport.h"

#include "app/SettingNames.h"
#include "player/DirectoryWindow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// The colour of the fake's /favicons/logo-2.png, a disc on white.
const QColor kLogoColour(0x20, 0x80, 0xd0);

QPixmap Decoration(QTableView* pView, int nRow)
{
    return pView->model()->index(nRow, 0).data(Qt::DecorationRole).value<QPixmap>();
}
} // namespace

class TestStationsDirectoryWindow : public QObject
{
    Q_OBJECT
private slots:
    void logosOfVisibleRows()
    {
        // Row 0 has a logo, row 1 a "logo" that is an HTML page, the last of 300 rows a logo of its own.
        QJsonArray entries;
        for (int i = 0; i < 300; ++i)
        {
            QJsonObject entry{{"name", QStringLiteral("Station %1").arg(i)},
                              {"url", QStringLiteral("http://127.0.0.1:9/%1.mp3").arg(i)}};
            if (i == 0)
                entry["favicon"] = "/favicons/logo-2.png";
            else if (i == 1)
                entry["favicon"] = "/favicons/page.png";
            else if (i == 299)
                entry["favicon"] = "/favicons/logo-3.png";
            entries.append(entry);
        }
        QTemporaryDir folder;
        const QString strStations = folder.filePath("stations.json");
        QVERIFY(testsupport::WriteFile(strStations, QJsonDocument(entries).toJson()));
        testsupport::CLocalServer server;
        QVERIFY(server.Start("tools/fakedirectory.py", {"--stations", strStations}));
        QSettings(settings::kOrganization, settings::kApplication)
            .setValue(QLatin1String(settings::kServersSection) + "/StationDirectory", server.Base());

        CDirectoryWindow window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* pResults = window.findChild<QTableView*>("DirectoryResults");
        QVERIFY(pResults);
        QTRY_COMPARE_WITH_TIMEOUT(pResults->model()->rowCount(), 300, 20000);

        QVERIFY(testsupport::WaitFor(
            [&]
            {
                const QPixmap logo = Decoration(pResults, 0);
                return !logo.isNull() &&
                       logo.toImage().pixelColor(logo.width() / 2, logo.height() / 2) == kLogoColour;
            }));
        // Drawn, not only known: the row's icon area shows the disc's colour.
        const QRect cell = pResults->visualRect(pResults->model()->index(0, 0));
        const QImage shot = pResults->viewport()->grab(cell).toImage();
        bool bColourShown = false;
        for (int x = 0; x < shot.width() && !bColourShown; ++x)
            bColourShown = shot.pixelColor(x, shot.height() / 2) == kLogoColour;
        QVERIFY(bColourShown);

        QVERIFY(testsupport::WaitFor(
            [&] { return server.Get("/__count?path=/favicons/page.png").toInt() == 1; }));
        const QImage broken = Decoration(pResults, 1).toImage();
        for (int y = 0; y < broken.height(); ++y)
            for (int x = 0; x < broken.width(); ++x)
                QCOMPARE(broken.pixelColor(x, y).alpha(), 0);
        QCOMPARE(Decoration(pResults, 2).toImage().pixelColor(8, 8).alpha(), 0); // no logo at all
        QCOMPARE(server.Get("/__count?path=/favicons/logo-3.png").toInt(), 0);
    }
};

QTEST_MAIN(TestStationsDirectoryWindow)
#include "stations_directory_window.moc"
