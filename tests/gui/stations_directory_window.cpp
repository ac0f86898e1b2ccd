// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The station directory window against tools/fakedirectory.py: a result's logo, served by the fake,
// appears beside its name; a logo that is not a picture leaves the place blank; a logo of a row far
// below the visible ones is not fetched at all. Logos are decoded with a size cap, scaled while read,
// and never from SVG. The window closes with its Close button and with Escape from any of its parts.
#include "TestSupport.h"

#include "base/SettingNames.h"
#include "stationwindows/DirectoryWindow.h"
#include "stationwindows/LogoImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// The colour of the fake's /favicons/logo-2.png, a disc on white.
const QColor kLogoColour(0x20, 0x80, 0xd0);

QByteArray Encoded(const QImage& image, const char* pszFormat)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, pszFormat);
    return writer.write(image) ? buffer.data() : QByteArray();
}

QImage Filled(int nWidth, int nHeight, QImage::Format eFormat, const QColor& colour)
{
    QImage image(nWidth, nHeight, eFormat);
    image.fill(colour);
    return image;
}

QPixmap Decoration(QTableView* pView, int nRow)
{
    return pView->model()->index(nRow, 0).data(Qt::DecorationRole).value<QPixmap>();
}
} // namespace

class TestStationsDirectoryWindow : public QObject
{
    Q_OBJECT
private slots:
    void logoDecoding_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QSize>("size"); // invalid: refused
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("limitMb"); // what the test lets one picture take
        const QColor red(Qt::red), blue(Qt::blue), green(Qt::green);
        QTest::newRow("small png") << Encoded(Filled(32, 32, QImage::Format_RGB32, red), "png")
                                   << QSize(16, 16) << red << 4;
        QTest::newRow("ico") << Encoded(Filled(32, 32, QImage::Format_ARGB32, green), "ico") << QSize(16, 16)
                             << green << 4;
        // Decoded whole it would take 16 MB, more than the test lets a picture have.
        QTest::newRow("large png, scaled while read")
            << Encoded(Filled(2000, 2000, QImage::Format_RGB32, blue), "png") << QSize(16, 16) << blue << 4;
        QTest::newRow("wide jpeg, scaled while read")
            << Encoded(Filled(2048, 1024, QImage::Format_RGB32, blue), "jpeg") << QSize(16, 8) << blue << 4;
        // A few kilobytes that claim 32 million pixels: refused by their number, before any is read.
        QTest::newRow("giant png") << Encoded(Filled(5700, 5700, QImage::Format_Mono, Qt::white), "png")
                                   << QSize() << QColor() << 256;
        QTest::newRow("svg") << QByteArray(
                                    "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                    "width=\"32\" height=\"32\"><rect width=\"32\" height=\"32\" "
                                    "fill=\"red\"/></svg>\n")
                             << QSize() << QColor() << 256;
        QTest::newRow("not a picture")
            << QByteArray("<html><body>Not found</body></html>") << QSize() << QColor() << 256;
    }

    void logoDecoding()
    {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        QFETCH(QColor, colour);
        QFETCH(int, limitMb);
        QVERIFY(!data.isEmpty());
        const int nLimit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(limitMb);
        const auto restore = qScopeGuard([nLimit] { QImageReader::setAllocationLimit(nLimit); });
        const QImage logo = CLogoImage::Decode(data, 16);
        if (!size.isValid())
        {
            QVERIFY(logo.isNull());
            return;
        }
        QCOMPARE(logo.size(), size);
        const QColor centre = logo.pixelColor(size.width() / 2, size.height() / 2);
        QVERIFY2(qAbs(centre.red() - colour.red()) < 8 && qAbs(centre.green() - colour.green()) < 8 &&
                     qAbs(centre.blue() - colour.blue()) < 8,
                 qPrintable(centre.name()));
    }

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

    void closesWithButtonAndEscape()
    {
        // Nothing answers there: the search fails at once, the window stays usable.
        QSettings(settings::kOrganization, settings::kApplication)
            .setValue(QLatin1String(settings::kServersSection) + "/StationDirectory", "http://127.0.0.1:9");
        CDirectoryWindow window(nullptr);
        auto showWindow = [&]
        {
            window.show();
            window.activateWindow();
            return QTest::qWaitForWindowActive(&window);
        };
        QVERIFY(showWindow());

        QPushButton* pClose = nullptr;
        for (QPushButton* pButton : window.findChildren<QPushButton*>())
            if (pButton->accessibleName() == "Close" || pButton->text().remove('&') == "Close")
                pClose = pButton;
        QVERIFY2(pClose, "no button named Close");
        QVERIFY(pClose->isVisible() && pClose->isEnabled());
        QTest::mouseClick(pClose, Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());

        // Escape from a search field that holds text, and from the results list.
        auto* pName = window.findChild<QLineEdit*>();
        auto* pResults = window.findChild<QTableView*>("DirectoryResults");
        QVERIFY(pName && pResults);
        for (QWidget* pFocus : {static_cast<QWidget*>(pName), static_cast<QWidget*>(pResults)})
        {
            QVERIFY(showWindow());
            pName->setText("jazz");
            pFocus->setFocus();
            QTRY_VERIFY(pFocus->hasFocus());
            QTest::keyClick(pFocus, Qt::Key_Escape);
            QTRY_VERIFY2(!window.isVisible(), pFocus->metaObject()->className());
        }
    }
};

QTEST_MAIN(TestStationsDirectoryWindow)
#include "stations_directory_window.moc"
