// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading the channel list file into the list: the header row, the display filters with their
// defaults, the non-working mark, line ends, and what happens to the file and the list when the file
// is missing, empty or unreadable.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"
#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "catalogue/Utf16LineReader.h"
#include "catalogue/ChannelTableModel.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

using testsupport::Utf16Le;

namespace
{
// The settings store of the loads under test.
CSettingsStore& Cache()
{
    static CSettingsStore cache;
    return cache;
}

const QString kHeader = QStringLiteral("Type,Channel,Address,Extra,Language,About,Status");

QString Line(const QString& type, const QString& name, const QString& language, const QString& status = "ON")
{
    return QStringLiteral("%1,%2,http://streams.example/%2,x,%3,About %2,%4")
        .arg(type, name, language, status);
}

bool WriteChannelList(const QByteArray& bytes)
{
    return testsupport::WriteFile(GetChannelListPath(), bytes);
}

bool WriteChannelList(const QStringList& lines, const QString& lineEnd = "\r\n")
{
    return WriteChannelList(Utf16Le(lines.join(lineEnd) + lineEnd));
}

// Column 1 of every row, each prefixed with its serial number: "1 Alpha".
// The text a view shows in a cell.
QString Cell(const CChannelTableModel& list, int nRow, int nColumn)
{
    return list.data(list.index(nRow, nColumn)).toString();
}

QStringList Rows(const CChannelTableModel& list)
{
    QStringList rows;
    for (int i = 0; i < list.rowCount(); ++i)
        rows << Cell(list, i, 0) + ' ' + Cell(list, i, 1);
    return rows;
}

QStringList Titles(const CChannelTableModel& list)
{
    QStringList titles;
    for (int c = 0; c < list.columnCount(); ++c)
        titles << list.headerData(c, Qt::Horizontal).toString();
    return titles;
}

QStringList Fill(CChannelTableModel& list)
{
    CChannelCatalogue catalogue(CDisplayChoices::FromSettings(Cache()));
    FillChannelList(list, catalogue);
    return Rows(list);
}

// A device that hands out its data in small pieces and can fail after a number of bytes.
class CTrickleDevice : public QIODevice
{
public:
    CTrickleDevice(QByteArray data, qint64 nChunk, qint64 nFailAt = -1)
        : m_data(std::move(data)), m_nChunk(nChunk), m_nFailAt(nFailAt)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_nFailAt >= 0 && m_nPos >= m_nFailAt)
            return -1;
        qint64 n = std::min({maxSize, m_nChunk, qint64(m_data.size()) - m_nPos});
        if (m_nFailAt >= 0)
            n = std::min(n, m_nFailAt - m_nPos);
        memcpy(data, m_data.constData() + m_nPos, size_t(n));
        m_nPos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_nChunk;
    qint64 m_nFailAt;
    qint64 m_nPos = 0;
};

QStringList ReadAll(QIODevice& device, qsizetype nBufferBytes, CUtf16LineReader::EResult* pEnd = nullptr,
                    qsizetype nMaxLineUnits = -1)
{
    CUtf16LineReader reader(device, nBufferBytes);
    reader.SetMaxLineUnits(nMaxLineUnits);
    QStringList lines;
    QString line;
    CUtf16LineReader::EResult result;
    while ((result = reader.ReadLine(line)) == CUtf16LineReader::LINE)
        lines << line;
    if (pEnd)
        *pEnd = result;
    return lines;
}
} // namespace

class TestCatalogueLoading : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        testsupport::ClearSettings(&Cache());
        QFile::remove(GetChannelListPath());
    }

    // With nothing stored: TV hidden, radio and every language listed, non-working channels hidden.
    void defaultsWithoutStoredSettings()
    {
        QVERIFY(WriteChannelList({kHeader, Line("Radio", "Alpha", "Hindi"), Line("TV", "Beta", "English"),
                                  Line("Radio", "Gamma", "Chinese"), Line("radio", "Delta", "Romania", "OFF"),
                                  Line("Radio", "Epsilon", "Bulgarian"), Line("Podcast", "Zeta", "Klingon"),
                                  Line("tv", "Eta", "French")}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), (QStringList{"1 Alpha", "2 Gamma", "3 Epsilon", "4 Zeta"}));
        QCOMPARE(Titles(list), (QStringList{"Sr No", "Channel", "About", "Language", "Address"}));
        QList<int> widths;
        for (int c = 0; c < list.columnCount(); ++c)
            widths << list.headerData(c, Qt::Horizontal, CChannelTableModel::kColumnWidthRole).toInt();
        QCOMPARE(widths, (QList<int>{50, 150, 300, 150, 0}));
        const auto alignment = [&](int c)
        { return list.headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(); };
        QCOMPARE(alignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(alignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(Cell(list, 1, 2), QStringLiteral("About Gamma"));
        QCOMPARE(Cell(list, 1, 3), QStringLiteral("Chinese"));
        QCOMPARE(Cell(list, 1, 4), QStringLiteral("http://streams.example/Gamma"));
        QVERIFY(!QFile::exists(GetChannelListPath()));
        // The filters loaded the cache; the non-working choice is read per fill and never cached.
        QVERIFY(Cache().IsCached(settings::kDisplayTVChannels));
        QVERIFY(!Cache().IsCached(settings::kDisplayNonWorkingChannels));
        QCOMPARE(Cache().Read(settings::kDisplayTVChannels), 0);
        QCOMPARE(Cache().Read(settings::kDisplayRadioChannels), 1);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("listed");

        QTest::newRow("hindi, Indian off") << "DisplayIndianChannels" << 0 << "Radio"
                                           << "hindi" << false;
        QTest::newRow("Hindi FM, Indian off") << "DisplayIndianChannels" << 0 << "Radio"
                                              << "Hindi FM" << true;
        QTest::newRow("TELUGU, Indian off") << "DisplayIndianChannels" << 0 << "Radio"
                                            << "TELUGU" << false;
        QTest::newRow("Gujrati, Indian off") << "DisplayIndianChannels" << 0 << "Radio"
                                             << "Gujrati" << false;
        QTest::newRow("Gujarati, Indian off") << "DisplayIndianChannels" << 0 << "Radio"
                                              << "Gujarati" << true;
        QTest::newRow("Tamil, Indian on") << "DisplayIndianChannels" << 1 << "Radio"
                                          << "Tamil" << true;
        QTest::newRow("Romanian, Romanian off") << "DisplayRomanianChannels" << 0 << "Radio"
                                                << "Romanian" << false;
        QTest::newRow("ROMANIA, Romanian off") << "DisplayRomanianChannels" << 0 << "Radio"
                                               << "ROMANIA" << false;
        QTest::newRow("Romani, Romanian off") << "DisplayRomanianChannels" << 0 << "Radio"
                                              << "Romani" << true;
        QTest::newRow("chinese, Chinese off") << "DisplayChineseChannels" << 0 << "Radio"
                                              << "chinese" << false;
        QTest::newRow("English, English off") << "DisplayEnglishChannels" << 0 << "Radio"
                                              << "English" << false;
        QTest::newRow("English, English 5") << "DisplayEnglishChannels" << 5 << "Radio"
                                            << "English" << true;
        QTest::newRow("French, French off") << "DisplayFrenchChannels" << 0 << "Radio"
                                            << "FRENCH" << false;
        QTest::newRow("German, German off") << "DisplayGermanChannels" << 0 << "Radio"
                                            << "German" << false;
        QTest::newRow("Bulgarian, Bulgarian off") << "DisplayBulgarianChannels" << 0 << "Radio"
                                                  << "bulgarian" << false;
        QTest::newRow("radio, Radio off") << "DisplayRadioChannels" << 0 << "radio"
                                          << "English" << false;
        QTest::newRow("Radio FM, Radio off") << "DisplayRadioChannels" << 0 << "Radio FM"
                                             << "English" << true;
        QTest::newRow("TV, TV on") << "DisplayTVChannels" << 1 << "TV"
                                   << "English" << true;
        QTest::newRow("Tv, TV -1 counts as on") << "DisplayTVChannels" << -1 << "Tv"
                                                << "English" << true;
        QTest::newRow("empty type, Radio off") << "DisplayRadioChannels" << 0 << ""
                                               << "" << true;
    }
    void filters()
    {
        QFETCH(QString, setting);
        QFETCH(int, value);
        QFETCH(QString, type);
        QFETCH(QString, language);
        QFETCH(bool, listed);

        QVERIFY(WriteSettingInt(setting, value));
        QVERIFY(WriteChannelList({kHeader, Line(type, "Only", language)}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), listed ? QStringList{"1 Only"} : QStringList{});
    }

    void nonWorkingChannels_data()
    {
        QTest::addColumn<int>("displayNonWorking");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("hidden") << 0 << QStringList{"1 A", "2 off", "3 On"};
        QTest::newRow("shown") << 1 << QStringList{"1 A", "2 B", "3 C", "4 D", "5 off", "6 On"};
    }
    void nonWorkingChannels()
    {
        QFETCH(int, displayNonWorking);
        QFETCH(QStringList, rows);
        if (displayNonWorking)
            QVERIFY(WriteSettingInt("DisplayNonWorkingChannels", displayNonWorking));
        QVERIFY(WriteChannelList(
            {kHeader, Line("Radio", "A", "English"), Line("Radio", "B", "English", "OFF"),
             Line("Radio", "C", "English", "OFF-AIR"), Line("Radio", "D", "English", "xOFFLINE"),
             Line("Radio", "off", "English", "off"), Line("Radio", "On", "English", "On")}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), rows);
    }

    // Blank lines are dropped anywhere; lines with an empty field 0 replace the header until one with
    // a non-empty field 0 is stored; that header is never listed, whatever its type.
    void headerRow()
    {
        QVERIFY(WriteSettingInt("DisplayTVChannels", 1));
        QVERIFY(WriteChannelList({"", "   \t", ",First,U1,x,L1,D1,S1", "", ",Second,U2,x,L2,D2,S2",
                                  "TV,Name,Url,Extra,Lang,Desc,Status", "  ", Line("TV", "A", "English"), "",
                                  ",Untyped,u,x,German,d,ON", "\t", Line("Radio", "B", "German"), ""}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), (QStringList{"1 A", "2 Untyped", "3 B"}));
        QCOMPARE(Titles(list), (QStringList{"Sr No", "Name", "Desc", "Lang", "Url"}));
    }

    void headerOnlyWithEmptyTypes()
    {
        QVERIFY(WriteChannelList({",First,U1,x,L1,D1,S1", ",Second,U2,x,L2,D2,S2"}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), QStringList{});
        QCOMPARE(Titles(list), (QStringList{"Sr No", "Second", "D2", "L2", "U2"}));
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QStringList lines{kHeader, Line("Radio", "A", "English"), Line("Radio", "B", "English")};
        QTest::newRow("CR LF") << Utf16Le(lines.join("\r\n") + "\r\n");
        QTest::newRow("LF") << Utf16Le(lines.join("\n") + "\n");
        QTest::newRow("CR") << Utf16Le(lines.join("\r") + "\r");
        QTest::newRow("mixed, blank lines")
            << Utf16Le(lines[0] + "\r\n\n\r" + lines[1] + "\n\r\r\n" + lines[2]);
        QTest::newRow("no end on last line") << Utf16Le(lines.join("\r\n"));
        QTest::newRow("odd byte at the end") << Utf16Le(lines.join("\r\n")) + QByteArray("\x41", 1);
        QTest::newRow("byte-order mark") << QByteArray("\xFF\xFE", 2) + Utf16Le(lines.join("\r\n"));
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(WriteChannelList(bytes));
        CChannelTableModel list;
        QCOMPARE(Fill(list), (QStringList{"1 A", "2 B"}));
        QCOMPARE(Cell(list, 1, 4), QStringLiteral("http://streams.example/B"));
    }

    // Lines ending in a lone CR or LF used to be counted as if they ended in CR LF, which stopped the
    // reading before the end of the file. Every line is read, whatever the file's size and line ends.
    void readsToTheEndOfLongFiles()
    {
        QStringList lines{kHeader};
        for (int i = 1; i <= 3000; ++i)
            lines << Line("Radio", QString::number(i), "English");
        QVERIFY(WriteChannelList(lines, "\n"));
        CChannelTableModel list;
        Fill(list);
        QCOMPARE(list.rowCount(), 3000);
        QCOMPARE(Cell(list, 2999, 0), QStringLiteral("3000"));
        QCOMPARE(Cell(list, 2999, 1), QStringLiteral("3000"));
    }

    // A file without line ends is one line however large it is: the loader cuts a line at the size
    // the program takes for a channel list, and goes on after the line's end.
    void lineLongerThanTheCapIsCut()
    {
        const QString start = QStringLiteral("Radio,A,B,C,D,E,");
        QByteArray bytes = Utf16Le(start);
        bytes.append(QByteArray(kMaxChannelListBytes + 64 * 1024 - bytes.size(), 'x'));
        bytes.append(Utf16Le(QStringLiteral("\r\n") + Line("Radio", "Next", "English") + "\r\n"));
        QVERIFY(WriteChannelList(bytes));
        bytes.clear();
        bytes.squeeze();
        CChannelCatalogue catalogue;
        QVERIFY(catalogue.Load() != 0);
        QCOMPARE(catalogue.m_header.m_strType, QStringLiteral("Radio"));
        QCOMPARE(catalogue.m_header.m_strStatus.size(), kMaxChannelListBytes / 2 - start.size());
        QCOMPARE(catalogue.m_channels.GetSize(), 1);
        QCOMPARE(catalogue.m_channels[0].m_strName, QStringLiteral("Next"));
        QVERIFY(!QFile::exists(GetChannelListPath()));
    }

    // Names, addresses and descriptions share large blocks of storage: a record copied out lives on
    // after the catalogue, and changing its text leaves the others alone.
    void recordsOutliveTheCatalogue()
    {
        QVERIFY(
            WriteChannelList({kHeader, Line("Radio", "One", "English"), Line("Radio", "Two", "English")}));
        CChannelRecord first, second;
        {
            CChannelCatalogue catalogue;
            QVERIFY(catalogue.Load() != 0);
            QCOMPARE(catalogue.m_channels.GetSize(), 2);
            first = catalogue.m_channels[0];
            second = catalogue.m_channels[1];
        }
        first.m_strName += QStringLiteral(" and more");
        QCOMPARE(first.m_strName, QStringLiteral("One and more"));
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(second.m_strName.utf16())),
                 QStringLiteral("Two"));
        first = CChannelRecord();
        second.m_strName.append(QStringLiteral(" and more"));
        QCOMPARE(second.m_strName, QStringLiteral("Two and more"));
        QCOMPARE(second.m_strLanguage, QStringLiteral("English"));
    }

    void emptyFileClearsTheList()
    {
        QVERIFY(WriteChannelList({kHeader, Line("Radio", "A", "English")}));
        CChannelTableModel list;
        QCOMPARE(Fill(list), QStringList{"1 A"});
        QVERIFY(WriteChannelList(QByteArray()));
        CChannelCatalogue catalogue(CDisplayChoices::FromSettings(Cache()));
        QVERIFY(catalogue.Load() != 0);
        QVERIFY(!QFile::exists(GetChannelListPath()));

        QVERIFY(WriteChannelList(QByteArray()));
        QCOMPARE(Fill(list), QStringList{});
        QCOMPARE(Titles(list), (QStringList{"Sr No", "", "", "", ""}));
    }

    // A second reload without a new download finds no file: the list keeps its rows and columns.
    void missingFileKeepsTheList()
    {
        CChannelTableModel list;
        CChannelCatalogue empty;
        QCOMPARE(empty.Load(), 0);
        FillChannelList(list, empty);
        QCOMPARE(list.columnCount(), 0);

        QVERIFY(WriteChannelList({kHeader, Line("Radio", "A", "English"), Line("Radio", "B", "English")}));
        QCOMPARE(Fill(list), (QStringList{"1 A", "2 B"}));
        QVERIFY(list.SelectRow(1));
        QCOMPARE(Fill(list), (QStringList{"1 A", "2 B"}));
        QCOMPARE(Titles(list), (QStringList{"Sr No", "Channel", "About", "Language", "Address"}));
        QCOMPARE(list.SelectedRow(), 1);

        // Something at the path that cannot be opened as a file is left alone too.
        QVERIFY(QDir().mkpath(GetChannelListPath()));
        QCOMPARE(Fill(list), (QStringList{"1 A", "2 B"}));
        QVERIFY(QFileInfo(GetChannelListPath()).isDir());
        QVERIFY(QDir().rmdir(GetChannelListPath()));
    }

    // A file that opens but cannot be read ends the reading quietly; it is still removed.
    void unreadableFileIsRemoved()
    {
        QFile::remove(GetChannelListPath());
        if (!QFile::link(QStringLiteral("/proc/self/mem"), GetChannelListPath()))
            QSKIP("cannot link to /proc/self/mem here");
        {
            QFile probe(GetChannelListPath());
            char c;
            if (!probe.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || probe.read(&c, 1) != -1)
                QSKIP("/proc/self/mem does not fail to read here");
        }
        CChannelTableModel list;
        CChannelCatalogue catalogue(CDisplayChoices::FromSettings(Cache()));
        QVERIFY(catalogue.Load() != 0);
        QCOMPARE(catalogue.m_channels.GetSize(), 0);
        QVERIFY(!QFileInfo(GetChannelListPath()).isSymLink());
        QVERIFY(!QFile::exists(GetChannelListPath()));
    }

    // A read error in the middle keeps the complete lines read before it.
    void readErrorKeepsEarlierLines()
    {
        const QByteArray bytes =
            Utf16Le(QStringList{kHeader, Line("Radio", "A", "English"), Line("Radio", "B", "English"),
                                Line("Radio", "C", "English")}
                        .join("\r\n"));
        const qint64 nFailAt = bytes.indexOf(Utf16Le("Radio,C")) + 4;
        CTrickleDevice device(bytes, 7, nFailAt);
        CChannelCatalogue catalogue(CDisplayChoices::FromSettings(Cache()));
        QVERIFY(!catalogue.ReadLines(device));
        QCOMPARE(catalogue.m_channels.GetSize(), 2);
        QCOMPARE(catalogue.m_channels[1].GetName(), QStringLiteral("B"));
        QCOMPARE(catalogue.m_header.GetName(), QStringLiteral("Channel"));
    }

    // Line ends and characters split across buffer refills and odd-sized reads.
    void readerBufferBoundaries_data()
    {
        QTest::addColumn<qsizetype>("bufferBytes");
        QTest::addColumn<qint64>("chunk");
        for (qsizetype buffer : {2, 3, 4, 6, 8, 10, 4096})
            for (qint64 chunk : {1, 3, 5, 1 << 20})
                QTest::addRow("buffer %d, reads of %d", int(buffer), int(chunk)) << buffer << chunk;
    }
    void readerBufferBoundaries()
    {
        QFETCH(qsizetype, bufferBytes);
        QFETCH(qint64, chunk);
        static const char16_t raw[] =
            u"\uFEFFab\r\ncd\rx\n\n\r\r\nlong line \xD800 with\x0000 units\r\r\n,end";
        const QString text(reinterpret_cast<const QChar*>(raw), qsizetype(std::size(raw)) - 1);
        static const char16_t rawLong[] = u"long line \xD800 with\x0000 units";
        const QString longLine(reinterpret_cast<const QChar*>(rawLong), qsizetype(std::size(rawLong)) - 1);
        CTrickleDevice device(Utf16Le(text) + "\x7F", chunk);
        CUtf16LineReader::EResult end;
        const QStringList lines = ReadAll(device, bufferBytes, &end);
        QCOMPARE(end, CUtf16LineReader::END);
        const QStringList expected{
            QChar(0xFEFF) + QStringLiteral("ab"), "cd", "x", "", "", "", longLine, "", ",end"};
        QCOMPARE(lines, expected);

        // Cut at four code units, the long line loses its rest up to its CR; the CR LF after that
        // still ends an empty line.
        CTrickleDevice again(Utf16Le(text) + "\x7F", chunk);
        const QStringList cut = ReadAll(again, bufferBytes, &end, 4);
        QCOMPARE(end, CUtf16LineReader::END);
        QCOMPARE(cut, (QStringList{QChar(0xFEFF) + QStringLiteral("ab"), "cd", "x", "", "", "", "long", "",
                                   ",end"}));
    }

    void dataFolder()
    {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        const QString base = qEnvironmentVariable("VEDRIX_TEST_ROOT", QDir::tempPath()) + "/deep/er/data";
        qputenv("XDG_DATA_HOME", (base + "//").toUtf8());
        const QString folder = GetDataFolder();
        const QString again = GetDataFolder();
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(folder, base + "/Sorvana");
        QCOMPARE(again, folder);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(GetChannelListPath(), GetDataFolder() + "/StationList.zip");
    }
};

QTEST_GUILESS_MAIN(TestCatalogueLoading)
#include "catalogue_loading.moc"
