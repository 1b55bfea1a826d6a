// The preferences through the window: saved at close and loaded at the next start, the load
// that stops at its first bad item, the defaults command, failed and refused saves, files
// that are not plain files, and the window's place on the screen.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <sys/resource.h>

#include "support/PipeWatchdog.h"
#include "support/Scenario.h"
#include "support/SpecialFiles.h"
#include "support/WindowFixture.h"
#include "ui/Resources.h"
#include "ui/ScreenFit.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPreferencesFile = u"kestrune.cfg"_s;
const QString kDefaultsFile = u"Kestrune.def"_s;
const QString kBlankNames = u"You must not have any blank counter names."_s;

QStringList items(const QString& text) { return text.split(u'|'); }

// A preferences file in which every setting differs from the state start-up prepares.
const QStringList kSample = items(u"4000000|Outer|Middle|Inner|Fast|2|5|20|100|1|Parallax| 2 | 1500 | 1500 | 1 | 1 | 0 | 0 "_s);
// The settings as start-up leaves them when no file sets them.
const QStringList kStartUp = items(u"|||||0|0|0|0|0|Microchip|0|0|0|0|0|1|1"_s);

QStringList trimmed(QStringList lines) {
    for (QString& line : lines) line = line.trimmed();
    return lines;
}

QByteArray fileOf(const QStringList& lines) { return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8(); }

void writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
}

QByteArray readFile(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name); }

// The 18 settings in file order, as the window shows them.
QStringList settingsOf(WindowFixture& fixture) {
    const auto ticked = [&](const char* name) { return QString::number(int(fixture.control<QAbstractButton>(name)->isChecked())); };
    QStringList settings = {fixture.box("TxtClock")->text()};
    for (const char* box : {"TxtDName", "TxtCName", "TxtBName", "TxtAName", "TxtDValue", "TxtCValue", "TxtBValue", "TxtAValue"})
        settings << fixture.box(box)->text();
    return settings << ticked("ChkAddCR") << (fixture.control<QRadioButton>("OptParallax")->isChecked() ? u"Parallax"_s : u"Microchip"_s)
                    << QString::number(fixture.tabs()->currentIndex()) << QString::number(fixture.window().y() * 15)
                    << QString::number(fixture.window().x() * 15) << ticked("ChkPopups")
                    << QString::number(calc::storedChip(fixture.state().ChipType)) << ticked("ChkSound") << ticked("ChkAnimateLogo");
}

// The chip picture and labels: those of the chip held, or, when nothing applied a chip yet,
// those start-up leaves.
void verifyChipShown(WindowFixture& fixture, bool startUp = false) {
    const bool pic = !startUp && fixture.state().ChipType == calc::Chip::Pic;
    const auto* button = fixture.control<QPushButton>("BtnChip");
    const QImage picture = button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = ui::pictureResource(pic ? u"Mchip"_s : u"Sxturbo"_s).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture, expected);
    QCOMPARE(fixture.control<QLabel>("Label5")->text(), pic || startUp ? u"Machine Cycles:"_s : u"Clock Cycles:"_s);
}

}  // namespace

class TestFrmMainPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedAtCloseAndLoadedAtStart_data() {
        QTest::addColumn<QStringList>("settings");  // in file order
        QTest::addColumn<bool>("atClose");
        QTest::newRow("PIC, Microchip, single, boxes clear, saved by the hidden button")
            << items(u"4000000|CntD|CntC|CntB|CntA|4|3|2|75|0|Microchip|0|0|0|0|1|0|0"_s) << false;
        QTest::newRow("SX, Parallax, quad, boxes ticked, saved at close")
            << items(u"50000000|outer.d|_c?|loop.inner|zaehler|0|0|1|1|1|Parallax|3|1500|1500|1|0|1|1"_s) << true;
    }
    void savedAtCloseAndLoadedAtStart() {
        QFETCH(QStringList, settings);
        QFETCH(bool, atClose);
        WindowFixture first;
        QString steps = (settings[15] == u"1"_s ? u"pic"_s : u"sx"_s) + u" | type TxtClock "_s + settings[0];
        const QStringList boxes = items(u"TxtDName|TxtCName|TxtBName|TxtAName|TxtDValue|TxtCValue|TxtBValue|TxtAValue"_s);
        for (int box = 0; box < boxes.size(); ++box) steps += u" | type "_s + boxes[box] + u' ' + settings[box + 1];
        steps += u" | click "_s + (settings[10] == u"Parallax"_s ? u"OptParallax"_s : u"OptMicroChip"_s) + u" | tab "_s + settings[11];
        for (const auto& [line, box] : {std::pair{9, "ChkAddCR"}, std::pair{14, "ChkPopups"}, std::pair{16, "ChkSound"}, std::pair{17, "ChkAnimateLogo"}})
            steps += (settings[line] == u"1"_s ? u" | tick "_s : u" | untick "_s) + QLatin1StringView(box);
        runSteps(first, steps);
        first.window().move(settings[13].toInt() / 15, settings[12].toInt() / 15);
        QCOMPARE(settingsOf(first), settings);
        first.desktop.clear();
        if (atClose)
            first.window().close();
        else
            first.pressHidden("BtnSave");
        QVERIFY(first.desktop.messages.isEmpty());
        QCOMPARE(filesIn(first.folder.path()), QStringList{kPreferencesFile});  // no scratch file left

        WindowFixture second(first.folder.path());
        QCOMPARE(settingsOf(second), settings);
        verifyChipShown(second);
        QVERIFY(second.desktop.messages.isEmpty());
        // Calculated and listed as when saved; the start-up sound and the logo follow the boxes.
        QCOMPARE(second.box("TxtMC")->text(), first.box("TxtMC")->text());
        QCOMPARE(second.listing(), first.listing());
        QVERIFY(!second.listing().isEmpty());
        QCOMPARE(second.desktop.soundNames(), settings[16] == u"1"_s ? QStringList{u"elvis"_s} : QStringList{});
        QCOMPARE(second.window().findChild<QTimer*>(u"TimerAnimation"_s)->isActive(), settings[17] == u"1"_s);
    }

    void loadStopsAtItsFirstBadItem_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("badLine");
        QTest::addColumn<QString>("item");
        QTest::newRow("no file") << -1 << 0 << QString();
        QTest::newRow("empty") << 0 << 0 << QString();
        QTest::newRow("ends after line 11") << 11 << 0 << QString();
        QTest::newRow("ends after line 17") << 17 << 0 << QString();
        QTest::newRow("tab is a word") << 18 << 12 << u"two"_s;
        QTest::newRow("chip beyond 16 bits") << 18 << 16 << u"40000"_s;
        QTest::newRow("animation is a word") << 18 << 18 << u"on"_s;
    }
    void loadStopsAtItsFirstBadItem() {
        QFETCH(int, lines);
        QFETCH(int, badLine);
        QFETCH(QString, item);
        QTemporaryDir folder;
        QStringList file = kSample.mid(0, std::max(lines, 0));
        if (badLine) file[badLine - 1] = item;
        if (lines >= 0) writeFile(folder.path(), kPreferencesFile, lines ? fileOf(file) : QByteArray());
        WindowFixture window(folder.path());
        const int applied = badLine ? badLine - 1 : std::max(lines, 0);
        QCOMPARE(settingsOf(window), trimmed(file).mid(0, applied) + kStartUp.mid(applied));
        QVERIFY(window.desktop.messages.isEmpty());
        // The chip is shown, and the load calculates, only after all 18 items.
        verifyChipShown(window, true);
        if (applied < 10) QCOMPARE(window.box("TxtMC")->text(), QString());  // line 10 ticks ChkAddCR, which calculates
        QCOMPARE(window.shownListing(), QString(window.listing()).replace(u"\r\n"_s, u"\n"_s));
    }

    void reloadAppliesTheItems_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");  // as settingsOf() shows it
        QTest::newRow("pop-ups: saved 0 unticks") << 15 << u" 0 "_s << u"0"_s;
        QTest::newRow("chip: 7 read to the end is a PIC") << 16 << u" 7 "_s << u"1"_s;
        QTest::newRow("chip: 0.5 ties to SX") << 16 << u"0.5"_s << u"0"_s;
        QTest::newRow("an empty file changes nothing") << 0 << QString() << QString();
    }
    void reloadAppliesTheItems() {
        QFETCH(int, line);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        writeFile(folder.path(), kPreferencesFile, fileOf(kSample));
        WindowFixture window(folder.path());
        QStringList expected = settingsOf(window);
        QStringList lines = kSample;
        if (line) lines[line - 1] = item;
        if (line) expected[line - 1] = shown;
        writeFile(folder.path(), kPreferencesFile, line ? fileOf(lines) : QByteArray());
        window.pressHidden("BtnReset");
        QCOMPARE(settingsOf(window), expected);
        verifyChipShown(window);
        QVERIFY(window.desktop.messages.isEmpty());
    }

    void refusedNameWhileLoading() {
        for (const bool atStartUp : {true, false}) {
            QTemporaryDir folder;
            QStringList lines = kSample;
            lines[9] = u"0"_s;  // no CALL tick, which would calculate in the middle
            std::optional<WindowFixture> window;
            if (!atStartUp) {
                writeFile(folder.path(), kPreferencesFile, fileOf(lines));
                window.emplace(folder.path());
                window->desktop.clear();
            }
            lines[4] = u"1st"_s;
            writeFile(folder.path(), kPreferencesFile, fileOf(lines));
            if (atStartUp)
                window.emplace(folder.path());
            else
                window->pressHidden("BtnReset");
            // The load went on; at start-up no name was accepted yet, so the box stays empty.
            QStringList expected = trimmed(lines);
            expected[4] = atStartUp ? QString() : u"Fast"_s;
            QCOMPARE(settingsOf(*window), expected);
            const QString digitFirst = u"Do not use a number as the first character of a counter name!"_s;
            const QStringList messages = atStartUp ? QStringList{digitFirst, kBlankNames} : QStringList{digitFirst};
            QCOMPARE(window->desktop.messageTexts(), messages);
        }
    }

    void blankNameAtShutDownKeepsTheFile() {
        for (const bool savedBefore : {true, false}) {
            WindowFixture fixture;
            runSteps(fixture, u"type TxtClock 4000000 | counters 255 1 1 1"_s);
            if (savedBefore) fixture.pressHidden("BtnSave");
            const QByteArray before = readFile(fixture.folder.path(), kPreferencesFile);
            QVERIFY_SCENARIO(fixture, u"type TxtCName | tab 3 | forget | click BtnQuit"_s, u"said "_s + kBlankNames + u" Preference saving aborted."_s);
            QCOMPARE(readFile(fixture.folder.path(), kPreferencesFile), before);
            QCOMPARE(filesIn(fixture.folder.path()), savedBefore ? QStringList{kPreferencesFile} : QStringList{});
            QCOMPARE(fixture.desktop.programEnds, 1);  // the program still ends
        }
    }

    void failedSaveKeepsThePreviousFile_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("says");
        QTest::newRow("a folder in the way of the file") << u"folder"_s << u"is a folder, not a regular file"_s;
        QTest::newRow("a link to a device node") << u"link to device node"_s << u"is a device, not a regular file"_s;
        QTest::newRow("the disk fills while writing") << u"disk full"_s << u"could not be written: "_s;
    }
    void failedSaveKeepsThePreviousFile() {
        QFETCH(QString, fault);
        QFETCH(QString, says);
        WindowFixture fixture;
        const QString folder = fixture.folder.path();
        const QString path = QDir(folder).filePath(kPreferencesFile);
        runSteps(fixture, u"type TxtClock 4000000 | counters 255 1 1 1"_s);
        fixture.pressHidden("BtnSave");
        const QByteArray previous = readFile(folder, kPreferencesFile);
        if (fault != u"disk full"_s) {
            QVERIFY(QFile::remove(path));
            if (!makeSpecial(fault, path)) QSKIP("this system does not let the test make one");
        }
        const QString before = identityOf(path);
        runSteps(fixture, u"type TxtAValue 100"_s);  // a typed value rebuilds the listing only; a completed save recalculates
        const QString shownCycles = fixture.box("TxtMC")->text();
        // A file size limit holds for root too: writing past 16 bytes fails as on a full disk.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit unlimited = limit;
        const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 16;
        if (fault == u"disk full"_s) QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        fixture.pressHidden("BtnSave");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoredSignal);
        // The message names the file and why; the file, or what stands in its place, is untouched.
        QCOMPARE(fixture.desktop.messages.size(), 1);
        QVERIFY2(fixture.desktop.messages.front().text.startsWith(u"Error : "_s + path + u' ' + says), qPrintable(fixture.desktop.messages.front().text));
        QCOMPARE(identityOf(path), before);
        if (fault == u"disk full"_s) QCOMPARE(readFile(folder, kPreferencesFile), previous);
        QCOMPARE(filesIn(folder).filter(QRegularExpression(u"cfg\\.[A-Za-z0-9]{6}$"_s)), QStringList());  // no scratch file left
        QCOMPARE(fixture.box("TxtMC")->text(), shownCycles);
    }

    void namedPipesHoldNothingUp() {
        for (const QString& pipe : {kPreferencesFile, kDefaultsFile}) {
            QTemporaryDir folder;
            const bool defaults = pipe == kDefaultsFile;
            if (defaults) writeFile(folder.path(), kPreferencesFile, fileOf(kSample));
            QVERIFY(makeSpecial(u"named pipe"_s, folder.filePath(pipe)));
            const PipeWatchdog watchdog({folder.filePath(pipe)});
            WindowFixture window(folder.path());
            if (defaults) window.press("BtnDefaults");
            QVERIFY(!watchdog.expired());
            // Read as a missing file: the start-up state, or the settings as they were.
            QCOMPARE(settingsOf(window).mid(0, 12), (defaults ? trimmed(kSample) : kStartUp).mid(0, 12));
            QVERIFY(window.desktop.messages.isEmpty());
        }
    }

    void startRemovesWhatAnInterruptedSaveLeft() {
        QTemporaryDir folder;
        writeFile(folder.path(), kPreferencesFile, fileOf(kSample));
        QFile leftover(folder.filePath(kPreferencesFile + u".x7Kq2Z"_s));
        QVERIFY(leftover.open(QIODevice::WriteOnly) && leftover.write("4000000\r\nOu") > 0 && leftover.flush());
        QVERIFY(leftover.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        leftover.close();
        WindowFixture window(folder.path());
        QCOMPARE(filesIn(folder.path()), QStringList{kPreferencesFile});
        QCOMPARE(settingsOf(window), trimmed(kSample));
    }

    void savedPositionComesBackOnScreen_data() {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("kept");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("fits, kept exactly") << u" 1500 "_s << u" 1500 "_s << true;
        QTest::newRow("partly above the screen") << u"-1500 "_s << u" 1500 "_s << false;
        QTest::newRow("mostly off the lower right") << QString::number(screen.bottom() * 15 - 3000) << QString::number(screen.right() * 15 - 3000) << false;
        QTest::newRow("all off to the right") << u" 0 "_s << QString::number((screen.right() + 1) * 15) << false;
        QTest::newRow("beyond any pixel count") << u" 3e38 "_s << u" 3e38 "_s << false;
    }
    void savedPositionComesBackOnScreen() {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, kept);
        QTemporaryDir folder;
        QStringList lines = kSample;
        lines[12] = top;
        lines[13] = left;
        writeFile(folder.path(), kPreferencesFile, fileOf(lines));
        WindowFixture window(folder.path());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // The same from wherever the window stands when the preferences are restored.
        for (const bool restored : {false, true}) {
            if (restored) {
                window.window().move(123, 45);
                window.pressHidden("BtnReset");
            }
            QVERIFY(screen.contains(window.window().frameGeometry()));
            if (kept) QCOMPARE(window.window().pos(), QPoint(100, 100));
        }
        // Once shown, its frame too lies on the screen.
        window.window().show();
        QVERIFY(screen.contains(window.window().frameGeometry()));
    }

    void fitOnScreen_data() {
        // A 640 x 432 window, and the 1280 x 1024 screen of a saved position that left only a
        // 147 x 91 corner of it in view.
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("placed");
        const QRect screen(0, 0, 1280, 1024);
        const QRect right(1280, 0, 1920, 1080);
        QTest::newRow("fits, kept") << QPoint(640, 592) << QList<QRect>{screen} << QPoint(640, 592);
        QTest::newRow("mostly off the lower right") << QPoint(1133, 933) << QList<QRect>{screen} << QPoint(640, 592);
        QTest::newRow("off the left and the top") << QPoint(-300, -20) << QList<QRect>{screen} << QPoint(0, 0);
        QTest::newRow("on no screen, onto the primary one") << QPoint(5000, 40) << QList<QRect>{screen, right} << QPoint(640, 40);
        QTest::newRow("mostly on the second screen") << QPoint(1000, 700) << QList<QRect>{screen, right} << QPoint(1280, 648);
        QTest::newRow("larger than its screen") << QPoint(20, 20) << QList<QRect>{QRect(0, 0, 600, 400)} << QPoint(0, 0);
    }
    void fitOnScreen() {
        QFETCH(QPoint, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        QCOMPARE(ui::fitOnScreen(QRect(saved, QSize(640, 432)), screens, screens.front()), placed);
    }

    void defaultsCommand_data() {
        QTest::addColumn<bool>("pic");
        QTest::addColumn<int>("startTab");
        QTest::addColumn<QString>("tabItem");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("popUpsItem");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("PIC, same tab 1, pop-ups 0 ticks") << true << 1 << u" 1 "_s << 1 << u"0"_s << true;
        QTest::newRow("SX, tab 2 to 0, False unticks") << false << 2 << u" 0 "_s << 0 << u" False "_s << false;
        QTest::newRow("PIC, 7 keeps tab 2, lower-case false ticks") << true << 2 << u" 7 "_s << 2 << u"false"_s << true;
        QTest::newRow("SX, 1.5 is no tab") << false << 0 << u"1.5"_s << 0 << u"False"_s << false;
    }
    void defaultsCommand() {
        QFETCH(bool, pic);
        QFETCH(int, startTab);
        QFETCH(QString, tabItem);
        QFETCH(int, tab);
        QFETCH(QString, popUpsItem);
        QFETCH(bool, ticked);
        WindowFixture fixture;
        // The other chip: a tab click that recalculated would first show that chip's cycles.
        runSteps(fixture, (pic ? u"sx"_s : u"pic"_s) + u" | type TxtClock 8000000 | counters 9 9 9 9 | tab "_s + QString::number(startTab) +
                              (ticked ? u" | untick ChkPopups"_s : u" | tick ChkPopups"_s));
        QStringList lines = items(u"4000000|Delay4|Delay3|Delay2|Delay1|1|1|2|75|0|Microchip| 1 | 0 | 0 |False| 1 | 1 | 1 "_s);
        lines[11] = tabItem;
        lines[14] = popUpsItem;
        lines[15] = pic ? u" 1 "_s : u" 0 "_s;
        writeFile(fixture.folder.path(), kDefaultsFile, fileOf(lines));
        QVERIFY_SCENARIO(fixture, u"watch TxtMC | click BtnDefaults"_s, u"played drip | changes of TxtMC = 1 | SuppressTabRecalc = 0"_s);
        lines[11] = QString::number(tab);
        lines[14] = QString::number(int(ticked));
        QCOMPARE(settingsOf(fixture), trimmed(lines));
        verifyChipShown(fixture);
        if (pic && tab == 1) QCOMPARE(fixture.box("TxtMC")->text(), u"1000"_s);
        const QString listing = fixture.listing();
        QCOMPARE(fixture.shownListing(), QString(listing).replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(filesIn(fixture.folder.path()), QStringList{kDefaultsFile});  // only ever read
        // Recalculated once, with the defaults, and no flag left to swallow the next tab click.
        const QString cycles = fixture.box("TxtMC")->text();
        fixture.clickTab((tab + 1) % 4);
        QVERIFY(fixture.box("TxtMC")->text() != cycles);
    }

    void damagedFileNeverHurts() {
        QByteArray garbage(4096, Qt::Uninitialized);
        QRandomGenerator generator(11);
        for (char& byte : garbage) byte = static_cast<char>(generator.bounded(256));
        for (const QByteArray& content : {fileOf(QStringList(18, u"   "_s)), QByteArray("4000000\r\n") + QByteArray(3 << 20, 'y'), garbage,
                                          QByteArray(garbage).replace('\0', '\n')}) {
            QTemporaryDir folder;
            writeFile(folder.path(), kPreferencesFile, content);
            WindowFixture window(folder.path());
            // Only messages a person can act on: at most one per item and one for the calculation.
            QVERIFY(window.desktop.messages.size() <= 10);
            // Whatever was loaded, the window goes on working and saving.
            QVERIFY_SCENARIO(window, u"pic | type TxtClock 4000000 | counters 255 1 1 1 | untick ChkAddCR | tab 0 | click BtnCalcTime"_s, u"TxtMC = 766"_s);
            window.pressHidden("BtnSave");
            QVERIFY(window.desktop.messages.isEmpty());
            QVERIFY(readFile(folder.path(), kPreferencesFile).startsWith("4000000\r\nCntD\r\n"));
        }
    }
};

QTEST_MAIN(TestFrmMainPrefs)
#include "tst_frmmain_prefs.moc"
