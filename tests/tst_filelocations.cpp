// Where the program's files are: portable beside the program, or installed with the user's
// preferences in the user's configuration folder.
#include <unistd.h>

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "prefs/FileLocations.h"
#include "prefs/InstallLayout.h"

using namespace Qt::Literals::StringLiterals;

class TestFileLocations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data() {
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
    void rules() {
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

QTEST_APPLESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
