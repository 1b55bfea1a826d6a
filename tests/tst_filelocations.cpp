// Where the program's files are: portable beside the program, or installed with the user's
// preferences in the user's configuration folder; and an installed window that cannot save.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "prefs/FileLocations.h"
#include "prefs/InstallLayout.h"
#include "support/WindowFixture.h"

namespace {

// A program folder bin/ and a configuration folder config/ in a fresh folder; "<data>",
// "<doc>" and "<lib>" in a path stand for the folders an installed copy uses.
class Layout {
public:
    // A program folder made read-only must be writable again for the folder to go.
    ~Layout() {
        QFile::setPermissions(path(QStringLiteral("bin")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path(QString relative) const {
        const auto installed = [](const char* folder) {
            return QDir::cleanPath(QStringLiteral("bin/") + QLatin1StringView(folder));
        };
        relative.replace(QStringLiteral("<data>"), installed(prefs::kInstalledDataFolder))
            .replace(QStringLiteral("<doc>"), installed(prefs::kInstalledManualFolder))
            .replace(QStringLiteral("<lib>"), installed(prefs::kInstalledLibraryFolder));
        return root_.filePath(relative);
    }
    void put(const QString& relative, const QByteArray& content = "4000000\r\n") const {
        const QString file = path(relative);
        QFile out(file);
        if (!QDir().mkpath(QFileInfo(file).path()) || !out.open(QIODevice::WriteOnly) ||
            out.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(file));
    }
    prefs::FileLocations locations() const {
        return {path(QStringLiteral("bin")), path(QStringLiteral("config"))};
    }

private:
    QTemporaryDir root_;
};

QStringList paths(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(' '));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestFileLocations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data();
    void rules();
    void failedSaveNamesTheFileAndLosesNothing();
};

void TestFileLocations::rules_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("programFolderWritable");
    // Where the preferences are read and written, the defaults, the manual, the sound library.
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("the build folder: everything beside the program")
        << paths("bin/kestrune.cfg bin/Kestrune.def bin/kestrune_v2_2.pdf <data>/Kestrune.def")
        << true
        << paths(
               "bin/kestrune.cfg bin/kestrune.cfg bin/Kestrune.def bin/kestrune_v2_2.pdf "
               "bin/libkestrune_sound.so");
    QTest::newRow("a defaults file alone, in capitals, is portable too")
        << paths("bin/KESTRUNE.DEF <doc>/kestrune_v2_2.pdf") << true
        << paths(
               "bin/kestrune.cfg bin/kestrune.cfg bin/KESTRUNE.DEF bin/kestrune_v2_2.pdf "
               "bin/libkestrune_sound.so");
    QTest::newRow("installed, first start: the factory settings until the first save")
        << paths(
               "<data>/kestrune.cfg <data>/Kestrune.def <doc>/kestrune_v2_2.pdf "
               "<lib>/libkestrune_sound.so")
        << true
        << paths(
               "<data>/kestrune.cfg config/kestrune.cfg <data>/Kestrune.def "
               "<doc>/kestrune_v2_2.pdf <lib>/libkestrune_sound.so");
    QTest::newRow("installed, once saved: the user's own file, whatever its capitals")
        << paths("<data>/kestrune.cfg config/Kestrune.CFG") << true
        << paths(
               "config/Kestrune.CFG config/Kestrune.CFG <data>/Kestrune.def "
               "<doc>/kestrune_v2_2.pdf <lib>/libkestrune_sound.so");
    QTest::newRow("installed, with copies beside the program: those win")
        << paths(
               "<data>/kestrune.cfg bin/kestrune_v2_2.pdf bin/libkestrune_sound.so "
               "<lib>/libkestrune_sound.so")
        << true
        << paths(
               "<data>/kestrune.cfg config/kestrune.cfg <data>/Kestrune.def bin/kestrune_v2_2.pdf "
               "bin/libkestrune_sound.so");
    QTest::newRow("a program folder the user cannot write is no portable copy")
        << paths("bin/kestrune.cfg bin/Kestrune.def") << false
        << paths(
               "bin/kestrune.cfg config/kestrune.cfg bin/Kestrune.def <doc>/kestrune_v2_2.pdf "
               "<lib>/libkestrune_sound.so");
}

void TestFileLocations::rules() {
    QFETCH(QStringList, files);
    QFETCH(bool, programFolderWritable);
    QFETCH(QStringList, expected);
    if (!programFolderWritable && geteuid() == 0)
        QSKIP("root may write into any folder; this row runs as any other user");
    const Layout layout;
    for (const QString& file : files) layout.put(file);
    if (!programFolderWritable)
        QVERIFY(QFile::setPermissions(layout.path(QStringLiteral("bin")),
                                      QFile::ReadOwner | QFile::ExeOwner));
    const prefs::FileLocations locations = layout.locations();
    const QStringList found = {locations.preferencesToRead(), locations.preferencesToWrite(),
                               locations.defaults(), locations.manual(),
                               locations.library(QStringLiteral("kestrune_sound"))};
    QStringList wanted;
    for (const QString& file : expected) wanted << layout.path(file);
    QCOMPARE(found, wanted);
}

void TestFileLocations::failedSaveNamesTheFileAndLosesNothing() {
    const Layout layout;
    const QByteArray factory = readFile(QFINDTESTDATA("../resources/kestrune.cfg"));
    layout.put(QStringLiteral("<data>/kestrune.cfg"), factory);
    layout.put(QStringLiteral("config"), "a file where the configuration folder belongs");
    WindowFixture fixture(layout.locations());
    fixture.press("BtnChip");
    fixture.window().close();
    const QString wanted =
        QStringLiteral("Error : ") +
        QDir::toNativeSeparators(layout.path(QStringLiteral("config/kestrune.cfg"))) +
        QStringLiteral(" could not be written: ");
    QCOMPARE(fixture.desktop.messages.size(), 1);
    const QString text = fixture.desktop.messages.front().text;
    QVERIFY2(text.startsWith(wanted) && text.size() > wanted.size(), qPrintable(text));
    QCOMPARE(fixture.state().ChipType, calc::Chip::SxTurbo);
    QCOMPARE(readFile(layout.path(QStringLiteral("<data>/kestrune.cfg"))), factory);
    QCOMPARE(readFile(layout.path(QStringLiteral("config"))),
             QByteArray("a file where the configuration folder belongs"));
}

QTEST_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
