// The preferences format on its own: the bytes written, how each item reads back from either
// file, the line rules, damaged and special files, and the counter name rules.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/time.h>

#include "prefs/CounterChecks.h"
#include "prefs/Preferences.h"
#include "prefs/SafeFile.h"
#include "support/PipeWatchdog.h"
#include "support/SpecialFiles.h"
#include "support/ThrowsFault.h"

using prefs::FileKind;
using prefs::Settings;

Q_DECLARE_METATYPE(prefs::FileKind)

namespace {

// A file whose every item differs from the settings a fresh Settings holds.
const QByteArray kSample = "4000000\r\nCntD\r\nCntC\r\nCntB\r\nCntA\r\n1\r\n2\r\n75\r\n0\r\n1\r\nParallax\r\n"
                           " 2 \r\n 1500 \r\n 22.5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n";

// Reads every item it can, stopping at the first that fails; says how many it read.
int readAll(const QByteArray& content, FileKind file, Settings& settings) {
    prefs::PreferencesReader reader(content, file);
    int read = 0;
    faultOf([&] {
        while (!reader.atEnd()) {
            QCOMPARE(int(reader.readNext(settings)), read);
            ++read;
        }
    });
    return read;
}

// The sample with one line replaced.
QByteArray sampleWith(int line, const QByteArray& item) {
    QList<QByteArray> lines = kSample.split('\n');
    lines[line - 1] = item + '\r';
    return lines.join('\n');
}

// What the settings say of the item on that line, as text.
QString itemValue(const Settings& settings, int line) {
    switch (line) {
        case 10: return QString::number(settings.addCallReturn);
        case 11: return QString::number(settings.parallax);
        case 12: return QString::number(settings.tab);
        case 13: return QString::number(settings.topTwips);
        case 15: return QString::number(settings.popups);
        case 16: return QString::number(settings.chip);
        case 17: return QString::number(settings.sound);
        default: return QString::number(settings.animateLogo);
    }
}

}  // namespace

class TestPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writtenBytesReadBack() {
        Settings settings;
        QCOMPARE(readAll(kSample, FileKind::Preferences, settings), prefs::SettingCount);
        QCOMPARE(prefs::writePreferences(settings), kSample);
        // Numbers in their shortest form, exactly the same single-precision number on reading.
        Settings other;
        other.names = {QStringLiteral("Z\u00e4hler"), QStringLiteral("a,b"), QStringLiteral("say\"hi\""), QString()};
        other.topTwips = -0.1f;
        other.leftTwips = 3e38f;
        other.chip = -7;
        const QByteArray written = prefs::writePreferences(other);
        QCOMPARE(written, QByteArray("\r\n\r\nsay\"hi\"\r\na,b\r\nZ\xc3\xa4hler\r\n\r\n\r\n\r\n\r\n0\r\nMicrochip\r\n 0 \r\n"
                                     "-0.1 \r\n 300000000549775575777803994281145270272 \r\n 0 \r\n-7 \r\n 0 \r\n 0 \r\n"));
        Settings again;
        QCOMPARE(readAll(written, FileKind::Preferences, again), prefs::SettingCount);
        QCOMPARE(prefs::writePreferences(again), written);
        QVERIFY(again.topTwips == -0.1f);
    }

    void itemsRead_data() {
        QTest::addColumn<FileKind>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QString>("value");  // empty: the item stops the load
        const FileKind preferences = FileKind::Preferences;
        const FileKind defaults = FileKind::Defaults;
        QTest::newRow("CALL: 1 ticks") << preferences << 10 << QByteArray(" 1 ") << "1";
        QTest::newRow("CALL: True unticks") << preferences << 10 << QByteArray("True") << "0";
        QTest::newRow("format: lower-case parallax is Microchip") << preferences << 11 << QByteArray("parallax") << "0";
        QTest::newRow("tab 2.5 rounds to even") << preferences << 12 << QByteArray("2.5") << "2";
        QTest::newRow("tab 3.5 is beyond the tabs") << preferences << 12 << QByteArray("3.5") << "";
        QTest::newRow("tab -1") << preferences << 12 << QByteArray("-1") << "";
        QTest::newRow("tab a word") << preferences << 12 << QByteArray("two") << "";
        QTest::newRow("defaults: tab 7 as it is") << defaults << 12 << QByteArray(" 7 ") << "7";
        QTest::newRow("defaults: tab 1.5 as it is") << defaults << 12 << QByteArray("1.5") << "1.5";
        QTest::newRow("top beyond single precision") << preferences << 13 << QByteArray("1e39") << "";
        QTest::newRow("pop-ups: 0 unticks") << preferences << 15 << QByteArray(" 0 ") << "0";
        QTest::newRow("pop-ups: False ticks") << preferences << 15 << QByteArray("False") << "1";
        QTest::newRow("defaults: pop-ups False unticks") << defaults << 15 << QByteArray("False") << "0";
        QTest::newRow("defaults: pop-ups 0 ticks") << defaults << 15 << QByteArray("0") << "1";
        QTest::newRow("chip 7 as it is") << preferences << 16 << QByteArray(" 7 ") << "7";
        QTest::newRow("chip 0.5 to even 0") << preferences << 16 << QByteArray("0.5") << "0";
        QTest::newRow("chip beyond 16 bits") << preferences << 16 << QByteArray("32768") << "";
        QTest::newRow("sound 2 ticks") << preferences << 17 << QByteArray(" 2 ") << "1";
        QTest::newRow("sound 0 unticks") << preferences << 17 << QByteArray("0") << "0";
        QTest::newRow("sound a word") << preferences << 17 << QByteArray("on") << "";
        QTest::newRow("animation two numbers") << preferences << 18 << QByteArray(" 1 2 ") << "";
        QTest::newRow("animation beyond double") << preferences << 18 << QByteArray("1e999") << "";
    }
    void itemsRead() {
        QFETCH(FileKind, file);
        QFETCH(int, line);
        QFETCH(QByteArray, item);
        QFETCH(QString, value);
        Settings settings;
        const int read = readAll(sampleWith(line, item), file, settings);
        QCOMPARE(read, value.isEmpty() ? line - 1 : prefs::SettingCount);
        if (!value.isEmpty()) QCOMPARE(itemValue(settings, line), value);
    }

    void linesAreItems_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("items");  // the first items, read as texts
        const auto texts = [](std::initializer_list<const char*> items) {
            QStringList list;
            for (const char* item : items) list << QString::fromUtf8(item);
            return list;
        };
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << texts({"a", "b"});
        QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc") << texts({"a", "b", "c"});
        QTest::newRow("spaces around are not part of the item") << QByteArray("  a b  \r\n\t1\r\n") << texts({"a b", "\t1"});
        QTest::newRow("empty lines are empty items") << QByteArray("a\r\n\r\n   \r\nb\r\n") << texts({"a", "", "", "b"});
        QTest::newRow("commas and quotes stay inside") << QByteArray("1,2\r\n\"a\"\r\nb\"c\r\n") << texts({"1,2", "\"a\"", "b\"c"});
        QTest::newRow("UTF-8, its byte-order mark dropped") << QByteArray("\xef\xbb\xbfZ\xc3\xa4hler\r\n\xe2\x82\xac\r\n") << texts({"Z\u00e4hler", "\u20ac"});
        QTest::newRow("not UTF-8: Latin-1") << QByteArray("Z\xe4hler\r\nStra\xdf" "e\r\n") << texts({"Z\u00e4hler", "Stra\u00dfe"});
        QTest::newRow("an empty file has no item") << QByteArray() << QStringList();
    }
    void linesAreItems() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, items);
        Settings settings;
        QCOMPARE(readAll(content, FileKind::Preferences, settings), items.size());
        QStringList read = {settings.clock, settings.names[3], settings.names[2], settings.names[1]};
        QCOMPARE(read.mid(0, items.size()), items);
    }

    void damagedContentNeverCrashes() {
        QList<QByteArray> damaged = {QByteArray(3 << 20, 'x'), QByteArray(200000, '9') + "\r\n", QByteArray(100000, '\n'),
                                     QByteArray(1000, '\r'), QByteArray(64, '\0'), QByteArray("a\r\nb\xe2\x82")};
        QRandomGenerator random(7);
        for (int sample = 0; sample < 20; ++sample) {
            QByteArray bytes(4096, '\0');
            for (char& byte : bytes) byte = static_cast<char>(random.bounded(256));
            damaged << bytes;
        }
        for (const QByteArray& content : damaged) {
            Settings settings;
            QVERIFY(readAll(content, FileKind::Preferences, settings) <= prefs::SettingCount);
        }
    }

    void readsOnlyTheHeadOfAHugeFile() {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("kestrune.cfg")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kSample + QByteArray(8 << 20, 'x'));
        file.close();
        std::optional<prefs::PreferencesReader> reader = prefs::PreferencesReader::open(file.fileName(), FileKind::Preferences);
        QVERIFY(reader.has_value());
        Settings settings;
        while (!reader->atEnd()) reader->readNext(settings);
        QCOMPARE(settings.values[0], QStringLiteral("0"));
        QCOMPARE(prefs::readRegularFile(file.fileName(), 1 << 20)->size(), qsizetype(1 << 20));
    }

    void readsOnlyRegularFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("read");
        for (const char* kind : {"missing", "folder", "named pipe", "socket", "device node"}) {
            QTest::newRow(kind) << QString::fromLatin1(kind) << false;
            QTest::addRow("link to %s", kind) << QStringLiteral("link to ") + QLatin1StringView(kind) << false;
        }
        QTest::newRow("link to a regular file") << "link to regular file" << true;
    }
    void readsOnlyRegularFiles() {
        QFETCH(QString, kind);
        QFETCH(bool, read);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("kestrune.cfg"));
        if (!kind.endsWith(QStringLiteral("missing")) && !makeSpecial(kind, path)) QSKIP("this system does not let the test make one");
        // Anything but a regular file counts as missing, and a pipe with no writer holds nothing up.
        const PipeWatchdog watchdog({path, path + QStringLiteral("-target")});
        const std::optional<QByteArray> content = prefs::readRegularFile(path, 100);
        QVERIFY(!watchdog.expired());
        QCOMPARE(content.has_value(), read);
        QCOMPARE(prefs::PreferencesReader::open(path, FileKind::Defaults).has_value(), read);
    }

    void savesOnlyOverRegularFiles_data() {
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
    void savesOnlyOverRegularFiles() {
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
        QCOMPARE(complaint, path + QLatin1Char(' ') + refusal + QStringLiteral("; nothing was saved"));
        QCOMPARE(identityOf(path), before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
                 kind.startsWith(QStringLiteral("link")) ? 2 : 1);
    }

    void removesOnlyItsOwnOldLeftovers_data() {
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
    void removesOnlyItsOwnOldLeftovers() {
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

    void fileInFolderIgnoresCase_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("read name finds the written file") << QStringList{QStringLiteral("kestrune.cfg")} << "Kestrune.cfg" << "kestrune.cfg";
        QTest::newRow("upper case on disk") << QStringList{QStringLiteral("KESTRUNE.DEF")} << "Kestrune.def" << "KESTRUNE.DEF";
        QTest::newRow("none yet: the name as given") << QStringList{QStringLiteral("kestrune.cfg.bak")} << "Kestrune.cfg" << "Kestrune.cfg";
    }
    void fileInFolderIgnoresCase() {
        QFETCH(QStringList, present);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir folder;
        for (const QString& name : present) QVERIFY(makeSpecial(QStringLiteral("regular file"), folder.filePath(name)));
        QCOMPARE(prefs::fileInFolder(folder.path(), asked), QDir(folder.path()).filePath(found));
    }

    void counterNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("forbidden");  // the first character an assembler would not take
        const int ok = prefs::NameOk;
        const int space = prefs::NameHasSpace;
        const int digit = prefs::NameStartsWithDigit;
        QTest::newRow("Count1") << "Count1" << ok << "";
        QTest::newRow("_1") << "_1" << ok << "";
        QTest::newRow("dots and question marks") << "d.l?y" << ok << "";
        QTest::newRow("/ and : lie just outside the digits") << "/x:" << ok << "'/'";
        QTest::newRow("1dly") << "1dly" << digit << "";
        QTest::newRow("0 alone") << "0" << digit << "";
        QTest::newRow("9 alone") << "9" << digit << "";
        QTest::newRow("d ly") << "d ly" << space << "U+0020";
        QTest::newRow("empty") << "" << space << "";
        QTest::newRow("a space outweighs a digit") << "1 x" << space << "U+0020";
        QTest::newRow("a comment sign") << "a;b" << ok << "';'";
        QTest::newRow("a tab is no space") << "d\tly" << ok << "U+0009";
        QTest::newRow("a non-breaking space") << QStringLiteral("d\u00a0ly") << ok << "U+00A0";
        QTest::newRow("other digits are no digits") << QStringLiteral("\u0663up") << ok << "'\u0663'";
        QTest::newRow("beyond the first plane") << QStringLiteral("a\U0001F600") << ok << "'\U0001F600'";
    }
    void counterNames() {
        QFETCH(QString, name);
        QFETCH(int, verdict);
        QFETCH(QString, forbidden);
        QCOMPARE(int(prefs::FindSpace(name)), verdict);
        const std::optional<char32_t> character = prefs::forbiddenCharacter(name);
        QCOMPARE(character ? prefs::characterForMessage(*character) : QString(), forbidden);
    }

    void trimSpaces() {
        const QList<std::pair<QString, QString>> trimmed = {
            {QStringLiteral(" d ly  "), QStringLiteral("d ly")}, {QStringLiteral("   "), QString()},
            {QStringLiteral(" \tdly\t"), QStringLiteral("\tdly\t")}, {QStringLiteral("\u00a0dly\n"), QStringLiteral("\u00a0dly\n")}};
        for (const auto& [name, expected] : trimmed) QCOMPARE(prefs::trimSpaces(name), expected);
    }
};

QTEST_APPLESS_MAIN(TestPrefs)
#include "tst_prefs.moc"
