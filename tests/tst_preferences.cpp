// The 18-line preferences format on its own: the exact bytes written, how items are read
// back (blanks, numbers, line ends, encodings, damaged files) and how the file is found.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "prefs/Preferences.h"
#include "prefs/SafeFile.h"
#include "support/PipeWatchdog.h"
#include "support/SpecialFiles.h"
#include "support/ThrowsFault.h"

#include <sys/time.h>

Q_DECLARE_METATYPE(prefs::Preferences)

namespace {

prefs::Preferences sample() {
    prefs::Preferences preferences;
    preferences.clock = QStringLiteral("4000000");
    preferences.names = {QStringLiteral("CntD"), QStringLiteral("CntC"), QStringLiteral("CntB"), QStringLiteral("CntA")};
    preferences.values = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("75"), QStringLiteral("0")};
    preferences.addCallReturn = true;
    preferences.parallax = false;
    preferences.tab = 2;
    preferences.topTwips = 1500;
    preferences.leftTwips = 22.5f;
    preferences.popups = false;
    preferences.chipType = 1;
    preferences.sound = true;
    preferences.animateLogo = false;
    return preferences;
}

// The items read back in the loader's order and kinds, as the settings they stand for.
prefs::Preferences readBack(prefs::PreferencesReader& reader) {
    prefs::Preferences read;
    read.clock = reader.readText();
    for (QString& name : read.names) name = reader.readText();
    for (QString& value : read.values) value = reader.readText();
    read.addCallReturn = reader.readText() == QStringLiteral("1");
    read.parallax = reader.readText() == QStringLiteral("Parallax");
    read.tab = reader.readWhole16();
    read.topTwips = static_cast<float>(reader.readNumber());
    read.leftTwips = static_cast<float>(reader.readNumber());
    read.popups = reader.readText() != QStringLiteral("0");
    read.chipType = reader.readWhole16();
    read.sound = reader.readNumber() != 0;
    read.animateLogo = reader.readNumber() != 0;
    return read;
}

// Every item the reader yields as text, up to the first missing one.
QStringList allTexts(const QByteArray& content) {
    prefs::PreferencesReader reader(content);
    QStringList texts;
    while (!faultOf([&] { texts << reader.readText(); }))
        ;
    return texts;
}

// Reads all 18 items in the loader's order, whatever they hold, stopping at the first fault.
int itemsReadInLoaderOrder(prefs::PreferencesReader& reader) {
    int read = 0;
    faultOf([&] {
        for (; read < prefs::ItemCount; ++read) {
            if (read < 11 || read == 14) reader.readText();
            else if (read == 15) reader.readWhole16();
            else reader.readNumber();
        }
    });
    return read;
}

QByteArray randomBytes(quint32 seed, int size) {
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

}  // namespace

class TestPreferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writtenBytes_data();
    void writtenBytes();
    void twipsAreWrittenShortest_data();
    void twipsAreWrittenShortest();
    void roundTrip_data();
    void roundTrip();
    void textItems_data();
    void textItems();
    void numberItems_data();
    void numberItems();
    void wholeNumbersRoundTiesToEven_data();
    void wholeNumbersRoundTiesToEven();
    void itemsThatAreNoNumberFail_data();
    void itemsThatAreNoNumberFail();
    void missingItemFails();
    void emptyFileHoldsNoItem();
    void latin1FileReadsItsLetters();
    void damagedContentNeverCrashes_data();
    void damagedContentNeverCrashes();
    void openReadsTheFile();
    void openReadsOnlyTheHeadOfAHugeFile();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();
    void savesOnlyOverRegularFiles_data();
    void savesOnlyOverRegularFiles();
    void removesOnlyItsOwnOldLeftovers_data();
    void removesOnlyItsOwnOldLeftovers();
    void fileInFolderIgnoresCase_data();
    void fileInFolderIgnoresCase();
};

void TestPreferences::writtenBytes_data() {
    QTest::addColumn<prefs::Preferences>("preferences");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("PIC, Microchip, triple, CALL counted")
        << sample()
        << QByteArray("4000000\r\nCntD\r\nCntC\r\nCntB\r\nCntA\r\n1\r\n2\r\n75\r\n0\r\n1\r\nMicrochip\r\n"
                      " 2 \r\n 1500 \r\n 22.5 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n");
    prefs::Preferences other = sample();
    other.addCallReturn = false;
    other.parallax = true;
    other.tab = 0;
    other.topTwips = -15;
    other.leftTwips = 0;
    other.popups = true;
    other.chipType = 0;
    other.sound = false;
    other.animateLogo = true;
    QTest::newRow("SX, Parallax, single, window above the screen")
        << other
        << QByteArray("4000000\r\nCntD\r\nCntC\r\nCntB\r\nCntA\r\n1\r\n2\r\n75\r\n0\r\n0\r\nParallax\r\n"
                      " 0 \r\n-15 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n");
    prefs::Preferences texts = sample();
    texts.clock = QStringLiteral("3579545.5");
    texts.names = {QStringLiteral("Z\u00e4hler"), QStringLiteral("a,b"), QStringLiteral("say\"hi\""), QString()};
    QTest::newRow("texts as held, UTF-8, no quoting")
        << texts
        << QByteArray("3579545.5\r\nZ\xc3\xa4hler\r\na,b\r\nsay\"hi\"\r\n\r\n1\r\n2\r\n75\r\n0\r\n1\r\nMicrochip\r\n"
                      " 2 \r\n 1500 \r\n 22.5 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n");
}

void TestPreferences::writtenBytes() {
    QFETCH(prefs::Preferences, preferences);
    QFETCH(QByteArray, bytes);
    const QByteArray written = prefs::writePreferences(preferences);
    QCOMPARE(written, bytes);
    QCOMPARE(written.count("\r\n"), qsizetype(prefs::ItemCount));
}

void TestPreferences::twipsAreWrittenShortest_data() {
    QTest::addColumn<float>("twips");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("whole") << 1500.0f << QByteArray(" 1500 ");
    QTest::newRow("half") << 22.5f << QByteArray(" 22.5 ");
    QTest::newRow("zero") << 0.0f << QByteArray(" 0 ");
    QTest::newRow("negative") << -15.0f << QByteArray("-15 ");
    QTest::newRow("negative fraction") << -22.5f << QByteArray("-22.5 ");
    // Widened to double first, 0.1f would come out as 0.100000001490116.
    QTest::newRow("single-precision tenth") << 0.1f << QByteArray(" 0.1 ");
    QTest::newRow("far off, no exponent") << 9e6f << QByteArray(" 9000000 ");
}

void TestPreferences::twipsAreWrittenShortest() {
    QFETCH(float, twips);
    QFETCH(QByteArray, line);
    prefs::Preferences preferences = sample();
    preferences.topTwips = twips;
    preferences.leftTwips = twips;
    const QList<QByteArray> lines = prefs::writePreferences(preferences).split('\n');
    QCOMPARE(lines[12], line + '\r');
    QCOMPARE(lines[13], line + '\r');
}

void TestPreferences::roundTrip_data() {
    QTest::addColumn<prefs::Preferences>("preferences");
    QTest::newRow("sample") << sample();
    prefs::Preferences texts = sample();
    texts.clock = QStringLiteral("20000000");
    texts.names = {QStringLiteral("Z\u00e4hler"), QStringLiteral("a,b,c"), QStringLiteral("\"quoted\""), QStringLiteral("x\"y,z")};
    texts.values = {QStringLiteral("255"), QStringLiteral("0"), QStringLiteral(""), QStringLiteral("17")};
    QTest::newRow("names with umlauts, commas, quotes; an empty value") << texts;
    prefs::Preferences numbers = sample();
    numbers.parallax = true;
    numbers.addCallReturn = false;
    numbers.tab = 3;
    numbers.topTwips = -1234.5f;
    numbers.leftTwips = 0.1f;
    numbers.popups = true;
    numbers.chipType = 0;
    numbers.sound = false;
    numbers.animateLogo = true;
    QTest::newRow("Parallax, quad, negative and fractional twips") << numbers;
    prefs::Preferences extreme = sample();
    extreme.topTwips = 3.0e38f;
    extreme.leftTwips = -3.0e38f;
    QTest::newRow("twips near the single-precision limit") << extreme;
}

void TestPreferences::roundTrip() {
    QFETCH(prefs::Preferences, preferences);
    prefs::PreferencesReader reader(prefs::writePreferences(preferences));
    const prefs::Preferences read = readBack(reader);
    QCOMPARE(read.clock, preferences.clock);
    for (int counter = 0; counter < 4; ++counter) {
        QCOMPARE(read.names[counter], preferences.names[counter]);
        QCOMPARE(read.values[counter], preferences.values[counter]);
    }
    QCOMPARE(read.addCallReturn, preferences.addCallReturn);
    QCOMPARE(read.parallax, preferences.parallax);
    QCOMPARE(read.tab, preferences.tab);
    // Exactly the same single-precision numbers, not merely close ones.
    QVERIFY(read.topTwips == preferences.topTwips);
    QVERIFY(read.leftTwips == preferences.leftTwips);
    QCOMPARE(read.popups, preferences.popups);
    QCOMPARE(read.chipType, preferences.chipType);
    QCOMPARE(read.sound, preferences.sound);
    QCOMPARE(read.animateLogo, preferences.animateLogo);
}

void TestPreferences::textItems_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("texts");
    const auto texts = [](std::initializer_list<const char*> items) {
        QStringList list;
        for (const char* item : items) list << QString::fromUtf8(item);
        return list;
    };
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << texts({"a", "b"});
    QTest::newRow("LF only") << QByteArray("a\nb\n") << texts({"a", "b"});
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\r\n") << texts({"a", "b", "c"});
    QTest::newRow("last line without its end") << QByteArray("a\r\nb") << texts({"a", "b"});
    QTest::newRow("spaces around are not part of the item") << QByteArray("  a b  \r\n 0 \r\n") << texts({"a b", "0"});
    QTest::newRow("an empty line is an empty item") << QByteArray("a\r\n\r\nb\r\n") << texts({"a", "", "b"});
    QTest::newRow("a line of spaces is an empty item") << QByteArray("a\r\n   \r\nb\r\n") << texts({"a", "", "b"});
    QTest::newRow("comma stays inside its item") << QByteArray("1,2,3\r\nx\r\n") << texts({"1,2,3", "x"});
    QTest::newRow("double quotes stay inside their item") << QByteArray("\"a\"\r\nb\"c\r\n\"\r\n") << texts({"\"a\"", "b\"c", "\""});
    QTest::newRow("UTF-8") << QByteArray("Z\xc3\xa4hler\r\n\xe2\x82\xac\r\n") << texts({"Z\u00e4hler", "\u20ac"});
    QTest::newRow("UTF-8 byte-order mark is not text") << QByteArray("\xef\xbb\xbf" "4000000\r\n") << texts({"4000000"});
}

void TestPreferences::textItems() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, texts);
    QCOMPARE(allTexts(content), texts);
}

void TestPreferences::numberItems_data() {
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<double>("number");
    QTest::newRow("as written, not negative") << QByteArray(" 1 ") << 1.0;
    QTest::newRow("as written, negative") << QByteArray("-15 ") << -15.0;
    QTest::newRow("fraction") << QByteArray(" 22.5 ") << 22.5;
    QTest::newRow("no blanks") << QByteArray("3") << 3.0;
    QTest::newRow("exponent") << QByteArray("9e6") << 9e6;
    QTest::newRow("leading plus") << QByteArray("+2") << 2.0;
}

void TestPreferences::numberItems() {
    QFETCH(QByteArray, item);
    QFETCH(double, number);
    prefs::PreferencesReader reader(item + "\r\n");
    QCOMPARE(reader.readNumber(), number);
}

void TestPreferences::wholeNumbersRoundTiesToEven_data() {
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<qint16>("whole");
    QTest::newRow("1") << QByteArray(" 1 ") << qint16(1);
    QTest::newRow("7") << QByteArray(" 7 ") << qint16(7);
    QTest::newRow("0.4 down") << QByteArray("0.4") << qint16(0);
    QTest::newRow("0.6 up") << QByteArray("0.6") << qint16(1);
    QTest::newRow("0.5 to even 0") << QByteArray("0.5") << qint16(0);
    QTest::newRow("1.5 to even 2") << QByteArray("1.5") << qint16(2);
    QTest::newRow("2.5 to even 2") << QByteArray("2.5") << qint16(2);
    QTest::newRow("-2.5 to even -2") << QByteArray("-2.5") << qint16(-2);
    QTest::newRow("largest") << QByteArray("32767") << qint16(32767);
    QTest::newRow("smallest") << QByteArray("-32768") << qint16(-32768);
}

void TestPreferences::wholeNumbersRoundTiesToEven() {
    QFETCH(QByteArray, item);
    QFETCH(qint16, whole);
    prefs::PreferencesReader reader(item);
    QCOMPARE(reader.readWhole16(), whole);
}

void TestPreferences::itemsThatAreNoNumberFail_data() {
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<bool>("whole16");
    QTest::newRow("word") << QByteArray("two") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("spaces") << QByteArray("   ") << false;
    QTest::newRow("two numbers") << QByteArray(" 1 2 ") << false;
    QTest::newRow("number then text") << QByteArray("1st") << false;
    QTest::newRow("nan") << QByteArray("nan") << false;
    QTest::newRow("inf") << QByteArray("inf") << false;
    QTest::newRow("beyond double") << QByteArray("1e999") << false;
    QTest::newRow("whole: word") << QByteArray("PIC") << true;
    QTest::newRow("whole: above 16 bits") << QByteArray("32768") << true;
    QTest::newRow("whole: below 16 bits") << QByteArray("-32769") << true;
}

void TestPreferences::itemsThatAreNoNumberFail() {
    QFETCH(QByteArray, item);
    QFETCH(bool, whole16);
    prefs::PreferencesReader reader(item + "\r\nnext\r\n");
    if (whole16)
        QVERIFY_FAULT(reader.readWhole16());
    else
        QVERIFY_FAULT(reader.readNumber());
}

void TestPreferences::missingItemFails() {
    prefs::PreferencesReader reader(QByteArray("one\r\n 2 \r\n"));
    QCOMPARE(reader.readText(), QStringLiteral("one"));
    QCOMPARE(reader.readNumber(), 2.0);
    QVERIFY_FAULT(reader.readText());
    QVERIFY_FAULT(reader.readNumber());
    QVERIFY_FAULT(reader.readWhole16());
}

void TestPreferences::emptyFileHoldsNoItem() {
    // A file of no lines has no first item; an empty first item would clear the clock box.
    prefs::PreferencesReader reader{QByteArray()};
    QVERIFY_FAULT(reader.readText());
}

void TestPreferences::latin1FileReadsItsLetters() {
    // Not valid UTF-8 anywhere in the file: every item is taken as Latin-1.
    prefs::PreferencesReader reader(QByteArray("4000000\r\nZ\xe4hler\r\nStra\xdf" "e\r\n"));
    QCOMPARE(reader.readText(), QStringLiteral("4000000"));
    QCOMPARE(reader.readText(), QStringLiteral("Z\u00e4hler"));
    QCOMPARE(reader.readText(), QStringLiteral("Stra\u00dfe"));
}

void TestPreferences::damagedContentNeverCrashes_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("one very long line") << QByteArray(3 << 20, 'x');
    QTest::newRow("very long number") << QByteArray(200000, '9') + "\r\n";
    QTest::newRow("many short lines") << QByteArray(100000, '\n');
    QTest::newRow("carriage returns only") << QByteArray(1000, '\r');
    QTest::newRow("NUL bytes") << QByteArray(64, '\0');
    QTest::newRow("broken UTF-8 sequence at the end") << QByteArray("a\r\nb\xe2\x82");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u})
        QTest::addRow("binary garbage, seed %u", seed) << randomBytes(seed, 4096);
}

void TestPreferences::damagedContentNeverCrashes() {
    QFETCH(QByteArray, content);
    prefs::PreferencesReader reader(content);
    const int read = itemsReadInLoaderOrder(reader);
    QVERIFY(read >= 0 && read <= prefs::ItemCount);
}

void TestPreferences::openReadsTheFile() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("kestrune.cfg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(prefs::writePreferences(sample()));
    file.close();
    std::optional<prefs::PreferencesReader> reader = prefs::PreferencesReader::open(file.fileName());
    QVERIFY(reader.has_value());
    QCOMPARE(readBack(*reader).values[2], QStringLiteral("75"));
}

void TestPreferences::openReadsOnlyTheHeadOfAHugeFile() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("kestrune.cfg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A valid file followed by a long tail: the settings still read, the tail is cut at 1 MiB.
    file.write(prefs::writePreferences(sample()));
    file.write(QByteArray(8 << 20, 'x'));
    file.close();
    std::optional<prefs::PreferencesReader> reader = prefs::PreferencesReader::open(file.fileName());
    QVERIFY(reader.has_value());
    QCOMPARE(readBack(*reader).chipType, qint16(1));

    // A first line longer than the limit comes back cut, and the file holds no second item.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(3 << 20, 'y') + "\r\nsecond\r\n");
    file.close();
    reader = prefs::PreferencesReader::open(file.fileName());
    QVERIFY(reader.has_value());
    QCOMPARE(reader->readText().size(), qsizetype(1 << 20));
    QVERIFY_FAULT(reader->readText());
}

void TestPreferences::readsOnlyRegularFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    for (const char* kind : {"missing", "folder", "named pipe", "socket", "device node"}) {
        QTest::newRow(kind) << QString::fromLatin1(kind) << false;
        QTest::newRow(qPrintable(QStringLiteral("link to ") + QLatin1StringView(kind))) << QStringLiteral("link to ") + QLatin1StringView(kind) << false;
    }
    QTest::newRow("link to a regular file") << "link to regular file" << true;
}

void TestPreferences::readsOnlyRegularFiles() {
    QFETCH(QString, kind);
    QFETCH(bool, read);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kestrune.cfg"));
    if (!kind.endsWith(QStringLiteral("missing")) && !makeSpecial(kind, path)) QSKIP("this system does not let the test make one");
    // Anything but a regular file counts as missing, and a pipe with no writer holds nothing up.
    const PipeWatchdog watchdog({path, path + QStringLiteral(".target")});
    const std::optional<QByteArray> content = prefs::readRegularFile(path, 100);
    QVERIFY(!watchdog.expired());
    QCOMPARE(content.has_value(), read);
    QCOMPARE(prefs::PreferencesReader::open(path).has_value(), read);
}

void TestPreferences::savesOnlyOverRegularFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");  // empty when the save goes through
    QTest::newRow("nothing yet") << "missing" << "";
    QTest::newRow("link to a regular file") << "link to regular file" << "";
    QTest::newRow("named pipe") << "named pipe" << "is a named pipe, not a regular file";
    QTest::newRow("socket") << "socket" << "is a socket, not a regular file";
    QTest::newRow("folder") << "folder" << "is a folder, not a regular file";
    QTest::newRow("device node") << "device node" << "is a device, not a regular file";
    QTest::newRow("link to a named pipe") << "link to named pipe" << "is a named pipe, not a regular file";
    QTest::newRow("link to a device node") << "link to device node" << "is a device, not a regular file";
}

void TestPreferences::savesOnlyOverRegularFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, refusal);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kestrune.cfg"));
    if (kind != QStringLiteral("missing") && !makeSpecial(kind, path)) QSKIP("this system does not let the test make one");
    const QString before = identityOf(path);
    const QString complaint = prefs::saveRegularFile(path, "saved\r\n");
    if (refusal.isEmpty()) {
        QCOMPARE(complaint, QString());
        QCOMPARE(prefs::readRegularFile(path, 100), std::optional<QByteArray>("saved\r\n"));
        QCOMPARE(QFileInfo(path).isSymLink(), kind.startsWith(QStringLiteral("link")));  // the link stays a link
        return;
    }
    QCOMPARE(complaint, path + QStringLiteral(" ") + refusal + QStringLiteral("; nothing was saved"));
    QCOMPARE(identityOf(path), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), kind.startsWith(QStringLiteral("link")) ? 2 : 1);
}

void TestPreferences::removesOnlyItsOwnOldLeftovers_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("ageSeconds");  // before the program started; negative: after
    QTest::addColumn<bool>("removed");
    QTest::newRow("an interrupted save's file") << "kestrune.cfg.Ab12Cd" << "regular file" << 60 << true;
    QTest::newRow("one written after the start") << "kestrune.cfg.Ab12Cd" << "regular file" << -60 << false;
    QTest::newRow("five characters") << "kestrune.cfg.Ab12C" << "regular file" << 60 << false;
    QTest::newRow("not a letter or digit") << "kestrune.cfg.Ab-2Cd" << "regular file" << 60 << false;
    QTest::newRow("another file's") << "Kestrune.def.Ab12Cd" << "regular file" << 60 << false;
    QTest::newRow("a link") << "kestrune.cfg.Ab12Cd" << "link to regular file" << 60 << false;
    QTest::newRow("a folder") << "kestrune.cfg.Ab12Cd" << "folder" << 60 << false;
    QTest::newRow("another user's") << "kestrune.cfg.Ab12Cd" << "foreign" << 60 << false;
}

void TestPreferences::removesOnlyItsOwnOldLeftovers() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    const QString leftover = folder.filePath(name);
    QVERIFY(makeSpecial(kind == QStringLiteral("foreign") ? QStringLiteral("regular file") : kind, leftover));
    if (kind == QStringLiteral("foreign") && ::lchown(QFile::encodeName(leftover).constData(), 65534, 65534) != 0)
        QSKIP("only root can give a file to another user");
    const QDateTime started = QDateTime::currentDateTime();
    const timeval times[2] = {{started.toSecsSinceEpoch() - ageSeconds, 0}, {started.toSecsSinceEpoch() - ageSeconds, 0}};
    QCOMPARE(::lutimes(QFile::encodeName(leftover).constData(), times), 0);
    prefs::removeSaveLeftovers(folder.filePath(QStringLiteral("kestrune.cfg")), started);
    QCOMPARE(identityOf(leftover) == QStringLiteral("missing"), removed);
}

void TestPreferences::fileInFolderIgnoresCase_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found");
    QTest::newRow("read name finds the written file") << QStringList{QStringLiteral("kestrune.cfg")} << "Kestrune.cfg" << "kestrune.cfg";
    QTest::newRow("written name finds the read file") << QStringList{QStringLiteral("Kestrune.cfg")} << "kestrune.cfg" << "Kestrune.cfg";
    QTest::newRow("upper case on disk") << QStringList{QStringLiteral("KESTRUNE.DEF")} << "Kestrune.def" << "KESTRUNE.DEF";
    QTest::newRow("exact name") << QStringList{QStringLiteral("Kestrune.def")} << "Kestrune.def" << "Kestrune.def";
    QTest::newRow("none yet: the name as given") << QStringList{} << "kestrune.cfg" << "kestrune.cfg";
    QTest::newRow("other files do not match") << QStringList{QStringLiteral("kestrune.cfg.bak"), QStringLiteral("Kestrune.def")} << "Kestrune.cfg" << "Kestrune.cfg";
}

void TestPreferences::fileInFolderIgnoresCase() {
    QFETCH(QStringList, present);
    QFETCH(QString, asked);
    QFETCH(QString, found);
    QTemporaryDir folder;
    for (const QString& name : present) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(prefs::fileInFolder(folder.path(), asked), QDir(folder.path()).filePath(found));
}

QTEST_APPLESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
