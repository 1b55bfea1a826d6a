// The preferences format on its own: the bytes written, how each item reads back from either
// file, the line rules, damaged and special files, and the counter name and value rules; and
// where the program's files are: portable beside the program, or installed with the user's
// preferences in the user's configuration folder.
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include "prefs/CounterChecks.h"
#include "prefs/FileLocations.h"
#include "prefs/InstallLayout.h"
#include "prefs/Preferences.h"
#include "prefs/SafeFile.h"
#include "support/RowTable.h"
#include "support/ThrowsFault.h"

using namespace Qt::Literals::StringLiterals;
using prefs::FileKind;
using prefs::Settings;

namespace {

// Makes a thing of the given kind at `path`: "missing" (nothing), "named pipe", "socket", "device node"
// (like /dev/zero), "folder", "regular file" (holding "kept\r\n"), or "link to " one of those, lying
// beside the link. False when the system does not let the test make it (a device node needs root).
bool makeSpecial(const QString& kind, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (kind.startsWith(QStringLiteral("link to "))) {
        const QString target = path + QStringLiteral("-target");
        return makeSpecial(kind.mid(8), target) && ::symlink(QFile::encodeName(target).constData(), name.constData()) == 0;
    }
    if (kind == QStringLiteral("missing")) return true;
    if (kind == QStringLiteral("named pipe")) return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == QStringLiteral("device node")) return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
    if (kind == QStringLiteral("folder")) return ::mkdir(name.constData(), 0700) == 0;
    QFile file(path);
    if (kind == QStringLiteral("regular file")) return file.open(QIODevice::WriteOnly) && file.write("kept\r\n") == 6;
    sockaddr_un address{AF_UNIX, {}};
    if (kind != QStringLiteral("socket") || name.size() >= qsizetype(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

// What a file is, through a link as well, to tell that nothing replaced it.
QString identityOf(const QString& path) {
    struct stat link {}, target {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &link) != 0) return QStringLiteral("missing");
    const bool reached = ::stat(name.constData(), &target) == 0;
    return QStringLiteral("%1 %2 %3 -> %4 %5 %6")
        .arg(link.st_mode).arg(link.st_ino).arg(QFile::symLinkTarget(path))
        .arg(reached ? target.st_mode : 0).arg(reached ? target.st_ino : 0).arg(reached ? target.st_rdev : 0);
}

// A file whose every item differs from the settings a fresh Settings holds.
const QByteArray kSample = "4000000\r\nCntD\r\nCntC\r\nCntB\r\nCntA\r\n1\r\n2\r\n75\r\n0\r\n1\r\nParallax\r\n"
                           " 2 \r\n 1500 \r\n 22.5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n";

// Reads every item it can, stopping at the first that fails; says how many it read.
int readAll(const QByteArray& content, Settings& settings, FileKind file = FileKind::Preferences) {
    prefs::PreferencesReader reader(content, file);
    int read = 0;
    faultOf([&] {
        for (; !reader.atEnd(); ++read) QCOMPARE(int(reader.readNext(settings)), read);
    });
    return read;
}

}  // namespace

class TestPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writtenBytesReadBack() {
        // Every item both ways; numbers in the shortest form that reads back as the same single-precision number.
        for (const QByteArray& file : {kSample, QByteArray("\r\n\r\nsay\"hi\"\r\na,b\r\nZ\xc3\xa4hler\r\n0\r\n007\r\n255\r\n9\r\n0\r\nMicrochip\r\n 0 \r\n"
                                                           "-0.1 \r\n 300000000549775575777803994281145270272 \r\n 0 \r\n-7 \r\n 0 \r\n 0 \r\n")}) {
            Settings settings;
            QCOMPARE(readAll(file, settings), prefs::SettingCount);
            QCOMPARE(prefs::writePreferences(settings), file);
            QVERIFY(settings.topTwips == (file == kSample ? 1500.0f : -0.1f) && settings.leftTwips == (file == kSample ? 22.5f : 3e38f));
        }
    }

    void itemsRead_data() {
        // The file (p: preferences, d: defaults) and line, an item there and what it reads as; nothing when it stops the load.
        table({"p10| 1 |1", "p10|True|0", "p11|parallax|0", "p12|2.5|2", "p12|3.5|", "p12|-1|", "p12|two|", "d12| 7 |7", "d12|1.5|1.5",
              "p13|1e39|", "p15| 0 |0", "p15|False|1", "d15|False|0", "d15|0|1", "p16| 7 |7", "p16|0.5|0", "p16|32768|", "p17| 2 |1",
              "p17|0|0", "p17|on|", "p18| 1 2 |", "p18|1e999|"});
    }
    void itemsRead() {
        const QStringList f = fields();
        const int number = f[0].mid(1).toInt();
        QList<QByteArray> lines = kSample.split('\n');
        lines[number - 1] = f[1].toUtf8() + '\r';
        Settings s;
        QCOMPARE(readAll(lines.join('\n'), s, f[0][0] == u'd' ? FileKind::Defaults : FileKind::Preferences),
                 f[2].isEmpty() ? number - 1 : prefs::SettingCount);
        const QList<double> read = {double(s.addCallReturn), double(s.parallax), s.tab, s.topTwips, s.leftTwips,
                                    double(s.popups),        double(s.chip),     double(s.sound), double(s.animateLogo)};
        if (!f[2].isEmpty()) QCOMPARE(QString::number(read[number - 10]), f[2]);
    }

    void linesAreItems_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("items");  // the first items, read as texts, separated by '|'
        const std::pair<QByteArray, const char*> table[] = {
            {"a\r\nb\r\n", "a|b"}, {"a\r\nb\nc", "a|b|c"}, {"  a b  \r\n\t1\r\n", "a b|\t1"}, {"a\r\n\r\n   \r\nb\r\n", "a|||b"},
            {"1,2\r\n\"a\"\r\nb\"c\r\n", "1,2|\"a\"|b\"c"}, {"\xef\xbb\xbfZ\xc3\xa4hler\r\n\xe2\x82\xac\r\n", "Zähler|€"},
            {"Z\xe4hler\r\nStra\xdf" "e\r\n", "Zähler|Straße"}, {"", ""}};
        for (const auto& [content, items] : table) QTest::newRow(items) << content << QString::fromUtf8(items);
    }
    void linesAreItems() {
        QFETCH(QByteArray, content);
        QFETCH(QString, items);
        const QStringList expected = items.isEmpty() ? QStringList() : items.split(u'|');
        Settings s;
        QCOMPARE(readAll(content, s), expected.size());
        QCOMPARE(QStringList({s.clock, s.names[3], s.names[2], s.names[1]}).mid(0, expected.size()), expected);
    }

    void onlyRegularFilesAreReadOrSaved_data() {
        // What stands where the file goes, and what a save that is refused calls it; nothing when the save goes through.
        table({"missing|", "regular file|", "folder|a folder", "named pipe|a named pipe", "socket|a socket", "device node|a device",
              "link to missing|", "link to regular file|", "link to folder|a folder", "link to named pipe|a named pipe",
              "link to socket|a socket", "link to device node|a device"});
    }
    void onlyRegularFilesAreReadOrSaved() {
        const QStringList f = fields();
        const QString &kind = f[0], &refusal = f[1];
        QTemporaryDir folder;
        const QString path = folder.filePath(u"kestrune.cfg"_s);
        if (!makeSpecial(kind, path)) QSKIP("this system does not let the test make one");
        // Anything but a regular file reads as missing, and a pipe with no writer holds nothing up.
        const bool regular = kind.endsWith(u"regular file"), link = kind.startsWith(u"link");
        QCOMPARE(prefs::readRegularFile(path, 4), regular ? std::optional<QByteArray>("kept") : std::nullopt);
        QCOMPARE(prefs::PreferencesReader::open(path, FileKind::Defaults).has_value(), regular);
        const QString before = identityOf(path);
        const QString complaint = prefs::saveRegularFile(path, "saved\r\n");
        if (refusal.isEmpty()) {
            QCOMPARE(complaint, QString());
            QCOMPARE(prefs::readRegularFile(path, 100), std::optional<QByteArray>("saved\r\n"));
            QCOMPARE(QFileInfo(path).isSymLink(), link);  // the link stays a link
        } else {
            QCOMPARE(complaint, u"%1 is %2, not a regular file; nothing was saved"_s.arg(path, refusal));
            QCOMPARE(identityOf(path), before);
        }
        // No scratch file is left.
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), link ? 2 : 1);
    }

    void removesOnlyItsOwnOldLeftovers_data() {
        // A leftover's name, its age in seconds when the program started (negative: made after), whether it goes, and what it is.
        table({"kestrune.cfg.Ab12Cd|60|1|regular file", "kestrune.cfg.Ab12Cd|-60|0|regular file", "kestrune.cfg.Ab12C|60|0|regular file",
              "kestrune.cfg.Ab-2Cd|60|0|regular file", "Kestrune.def.Ab12Cd|60|0|regular file", "kestrune.cfg.Ab12Cd|60|0|link to regular file",
              "kestrune.cfg.Ab12Cd|60|0|folder", "kestrune.cfg.Ab12Cd|60|0|another user's"});
    }
    void removesOnlyItsOwnOldLeftovers() {
        const QStringList f = fields();
        QTemporaryDir folder;
        const QString leftover = folder.filePath(f[0]);
        const bool foreign = f[3] == u"another user's";
        QVERIFY(makeSpecial(foreign ? u"regular file"_s : f[3], leftover));
        if (foreign && ::lchown(QFile::encodeName(leftover).constData(), 65534, 65534) != 0) QSKIP("only root can give a file to another user");
        const QDateTime started = QDateTime::currentDateTime();
        const timeval times[2] = {{started.toSecsSinceEpoch() - f[1].toInt(), 0}, {started.toSecsSinceEpoch() - f[1].toInt(), 0}};
        QCOMPARE(::lutimes(QFile::encodeName(leftover).constData(), times), 0);
        prefs::removeSaveLeftovers(folder.filePath(u"kestrune.cfg"_s), started);
        QCOMPARE(identityOf(leftover) == u"missing", f[2] == u"1");
    }

    void counterValues_data() {
        // A value's text and what it reads as: its register value, "another number", or nothing when it is no number.
        table({"000000000000000000000255|255", "256|another number", "99999999999999999999|another number", "1e999|another number", "0x10|", "|"});
    }
    void counterValues() {
        const QStringList f = fields();
        const auto [fault, value] = prefs::readCounterValue(f[0]);
        using prefs::ValueFault;
        QCOMPARE(fault == ValueFault::None ? QString::number(value) : fault == ValueFault::NotANumber ? QString() : u"another number"_s, f[1]);
    }

    void counterNames_data() {
        // A name, the verdict on it (0 fine, 1 a space or empty, 2 a leading digit), the first character an assembler would
        // not take, and the name with the spaces at its ends trimmed, where that differs.
        table({"Count1|0|", "_1|0|", "d.l?y|0|", "/x:|0|'/'", "1dly|2|", "0|2|", "9|2|", " d ly  |1|U+0020|d ly", "|1|", "   |1|U+0020|",
               "1 x|1|U+0020", " \tdly\t|1|U+0020|\tdly\t", "a;b|0|';'", "d\tly|0|U+0009", "\u00a0dly\n|0|U+00A0", "\u0663up|0|'\u0663'",
               "a\U0001F600|0|'\U0001F600'"});
    }
    void counterNames() {
        const QStringList f = fields();
        QCOMPARE(int(prefs::FindSpace(f[0])), f[1].toInt());
        const std::optional<char32_t> character = prefs::forbiddenCharacter(f[0]);
        QCOMPARE(character ? prefs::characterForMessage(*character) : QString(), f[2]);
        QCOMPARE(prefs::trimSpaces(f[0]), f.value(3, f[0]));
    }

    void fileLocations_data() {
        // The files there ("read-only": a program folder the user cannot write), and where the preferences are read and written,
        // the defaults, the manual and the sound library are found; a folder alone stands for the file's usual name there.
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the build folder: everything beside the program")
            << "bin/kestrune.cfg bin/Kestrune.def bin/kestrune_v2_2.pdf <data>/Kestrune.def" << "bin bin bin bin bin";
        QTest::newRow("a defaults file alone, in capitals, is portable too")
            << "bin/KESTRUNE.DEF <doc>/kestrune_v2_2.pdf" << "bin bin bin/KESTRUNE.DEF bin bin";
        QTest::newRow("installed, first start: the factory settings until the first save")
            << "<data>/kestrune.cfg <data>/Kestrune.def <doc>/kestrune_v2_2.pdf <lib>/libkestrune_sound.so" << "<data> config <data> <doc> <lib>";
        QTest::newRow("installed, once saved: the user's own file, whatever its capitals")
            << "<data>/kestrune.cfg config/Kestrune.CFG" << "config/Kestrune.CFG config/Kestrune.CFG <data> <doc> <lib>";
        QTest::newRow("installed, with copies beside the program: those win")
            << "<data>/kestrune.cfg bin/kestrune_v2_2.pdf bin/libkestrune_sound.so <lib>/libkestrune_sound.so" << "<data> config <data> bin bin";
        QTest::newRow("a program folder the user cannot write is no portable copy")
            << "bin/kestrune.cfg bin/Kestrune.def read-only" << "bin config bin <doc> <lib>";
    }
    void fileLocations() {
        QFETCH(QString, files);
        QFETCH(QString, expected);
        QStringList present = files.split(u' ');
        const bool readOnly = present.removeAll(u"read-only"_s);
        if (readOnly && geteuid() == 0) QSKIP("root may write into any folder; this row runs as any other user");
        // A program folder bin/ and a configuration folder config/ in a fresh folder; "<data>", "<doc>" and "<lib>"
        // stand for the folders an installed copy uses.
        const QTemporaryDir root;
        const auto path = [&root](QString relative) {
            const auto installed = [](const char* folder) { return QDir::cleanPath(u"bin/"_s + QLatin1StringView(folder)); };
            relative.replace(u"<data>"_s, installed(prefs::kInstalledDataFolder))
                .replace(u"<doc>"_s, installed(prefs::kInstalledManualFolder))
                .replace(u"<lib>"_s, installed(prefs::kInstalledLibraryFolder));
            return root.filePath(relative);
        };
        for (const QString& file : present)
            QVERIFY(QDir().mkpath(QFileInfo(path(file)).path()) && QFile(path(file)).open(QIODevice::WriteOnly));
        // A program folder made read-only must be writable again for the folder to go.
        const auto writable = qScopeGuard([&] { QFile::setPermissions(path(u"bin"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (readOnly) QVERIFY(QFile::setPermissions(path(u"bin"_s), QFile::ReadOwner | QFile::ExeOwner));
        const prefs::FileLocations locations(path(u"bin"_s), path(u"config"_s));
        const QStringList found = {locations.preferencesToRead(), locations.preferencesToWrite(), locations.defaults(),
                                   locations.manual(), locations.library(u"kestrune_sound"_s)};
        const QStringList names = {u"kestrune.cfg"_s, u"kestrune.cfg"_s, u"Kestrune.def"_s, u"kestrune_v2_2.pdf"_s, u"libkestrune_sound.so"_s};
        QStringList wanted = expected.split(u' ');
        for (qsizetype at = 0; at < wanted.size(); ++at)
            wanted[at] = path(wanted[at].contains(u'/') ? wanted[at] : wanted[at] + u'/' + names[at]);
        QCOMPARE(found, wanted);
    }
};

QTEST_APPLESS_MAIN(TestPrefs)
#include "tst_prefs.moc"
