// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Cutting channel lines into records: commas only, no quoting, a failed comma search restarts at the
// line's start, white space trimmed at both ends of each field, every other code unit kept.
#include "catalogue/ChannelRecord.h"

#include <QtTest>

namespace
{
QStringList Fields(const CChannelRecord& r)
{
    return {r.GetType(),     r.GetName(),        r.GetUrl(),   r.m_strExtra,
            r.GetLanguage(), r.GetDescription(), r.GetStatus()};
}
} // namespace

class TestCatalogueParser : public QObject
{
    Q_OBJECT
private slots:
    void cutsFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");

        QTest::newRow("six commas, padded")
            << " Radio , Example One ,rtsp://192.0.2.7/live,x, Hindi ,Music and talk,ON"
            << QStringList{"Radio",          "Example One", "rtsp://192.0.2.7/live", "x", "Hindi",
                           "Music and talk", "ON"};
        QTest::newRow("status keeps later commas")
            << "TV,Name,http://h/s,e,English,About,ON,extra,more"
            << QStringList{"TV", "Name", "http://h/s", "e", "English", "About", "ON,extra,more"};
        QTest::newRow("empty fields")
            << "Radio,,http://h/s,,,," << QStringList{"Radio", "", "http://h/s", "", "", "", ""};
        QTest::newRow("only commas") << ",,,,,," << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("no comma") << "  just some text\t"
                                  << QStringList{"", "", "", "", "", "", "just some text"};
        QTest::newRow("a,b,c") << "a,b,c" << QStringList{"a", "b", "", "a", "b", "", "a,b,c"};
        QTest::newRow("a,b") << "a,b" << QStringList{"a", "", "a", "", "a", "", "a,b"};
        QTest::newRow("five commas") << "1,2,3,4,5,6"
                                     << QStringList{"1", "2", "3", "4", "5", "", "1,2,3,4,5,6"};
        QTest::newRow("inner space and case kept")
            << "rAdIo ,  Two   Words ,u,x,hindi FM,  A  b  ,off"
            << QStringList{"rAdIo", "Two   Words", "u", "x", "hindi FM", "A  b", "off"};
        QTest::newRow("all white space kinds")
            << QString::fromUtf16(u"\t\v\f\r\n Radio \t,N\u3000,u,x,L,D,S ")
            << QStringList{"Radio", "N", "u", "x", "L", "D", "S"};
        QTest::newRow("byte-order mark stays in field 0")
            << QChar(0xFEFF) + QStringLiteral("Type,Channel,Address,Extra,Language,About,Status")
            << QStringList{QChar(0xFEFF) + QStringLiteral("Type"),
                           "Channel",
                           "Address",
                           "Extra",
                           "Language",
                           "About",
                           "Status"};
        QTest::newRow("empty line") << "" << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("white space only") << "   " << QStringList{"", "", "", "", "", "", ""};
    }
    void cutsFields()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(Fields(ParseChannelLine(line)), fields);
    }

    // Fields hold whatever 16-bit units the file had: unpaired surrogates, NUL, characters beyond
    // Latin-1 and pairs for characters beyond the BMP.
    void keepsEveryCodeUnit()
    {
        const char16_t units[] = {u'R',   0xD800, u'x', u',',   0x0000, u'N', 0xDFFF, u',', 0xD83D,
                                  0xDCFB, u',',   u',', 0x0939, 0x093F, u',', u',',   u'O', u'N'};
        const QString line(reinterpret_cast<const QChar*>(units), qsizetype(std::size(units)));
        const CChannelRecord r = ParseChannelLine(line);
        QCOMPARE(r.GetType(), QString(reinterpret_cast<const QChar*>(units), 3));
        QCOMPARE(r.GetName(), QString(reinterpret_cast<const QChar*>(units + 4), 3));
        QCOMPARE(r.GetUrl(), QString(reinterpret_cast<const QChar*>(units + 8), 2));
        QCOMPARE(r.GetLanguage(), QString(reinterpret_cast<const QChar*>(units + 12), 2));
        QCOMPARE(r.GetStatus(), QStringLiteral("ON"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueParser)
#include "catalogue_parser.moc"
