// The preferences through the real window: saving at shut-down and loading at start-up, the
// restore commands, how each item is applied, and damaged, short or unwritable files.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <optional>

#include <sys/resource.h>

#include "support/PipeWatchdog.h"
#include "support/SpecialFiles.h"
#include "support/WindowFixture.h"
#include "ui/Resources.h"
#include "ui/ScreenFit.h"

namespace {

const QString kPreferencesFile = QStringLiteral("kestrune.cfg");
const QString kDefaultsFile = QStringLiteral("Kestrune.def");
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
const QString kDigitFirst = QStringLiteral("Do not use a number as the first character of a counter name!");

QStringList items(const char* text) { return QString::fromUtf8(text).split(QLatin1Char('|')); }

// A preferences file in which every setting differs from the state start-up prepares.
const QStringList kSample = items("4000000|Outer|Middle|Inner|Fast|2|5|20|100|1|Parallax| 2 | 1500 | 1500 | 1 | 1 | 0 | 0 ");
// The settings as start-up leaves them when no file sets them.
const QStringList kStartUp = items("|||||0|0|0|0|0|Microchip|0|0|0|0|0|1|1");
// Factory defaults as shipped: PIC at 4 MHz, 1 ms in two loops.
const QStringList kDefaults = items("4000000|Delay4|Delay3|Delay2|Delay1|1|1|2|75|0|Microchip| 1 | 0 | 0 |False| 1 | 1 | 1 ");

QStringList trimmed(const QStringList& lines) {
    QStringList result;
    for (const QString& line : lines) result << line.trimmed();
    return result;
}

QByteArray fileOf(const QStringList& lines) { return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(); }

void writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

// The sample with one item replaced.
QByteArray sampleWith(int line, const QString& item) {
    QStringList lines = kSample;
    lines[line - 1] = item;
    return fileOf(lines);
}

QByteArray readFile(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name); }

QImage pictureOf(const WindowFixture& fixture) {
    const auto* button = fixture.control<QPushButton>("BtnChip");
    return button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage resourceImage(const char* name) {
    return ui::pictureResource(QString::fromLatin1(name)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The 18 settings in file order, as the window shows them.
QStringList settingsOf(WindowFixture& fixture) {
    const auto ticked = [&](const char* name) { return QString::number(int(fixture.control<QCheckBox>(name)->isChecked())); };
    QStringList settings = {fixture.box("TxtClock")->text()};
    for (const char* box : {"TxtDName", "TxtCName", "TxtBName", "TxtAName", "TxtDValue", "TxtCValue", "TxtBValue", "TxtAValue"})
        settings << fixture.box(box)->text();
    return settings << ticked("ChkAddCR")
                    << (fixture.control<QRadioButton>("OptParallax")->isChecked() ? QStringLiteral("Parallax") : QStringLiteral("Microchip"))
                    << QString::number(fixture.tabs()->currentIndex()) << QString::number(fixture.window().y() * 15)
                    << QString::number(fixture.window().x() * 15) << ticked("ChkPopups")
                    << QString::number(calc::storedChip(fixture.state().ChipType)) << ticked("ChkSound") << ticked("ChkAnimateLogo");
}

// Chip picture and labels as start-up leaves them, before any file applied a chip type.
bool showsStartUpChip(const WindowFixture& fixture) {
    return pictureOf(fixture) == resourceImage("Sxturbo") &&
           fixture.control<QLabel>("Label5")->text() == QStringLiteral("Machine Cycles:");
}

// Picture and labels agree with the chip type held.
void verifyChipShown(const WindowFixture& fixture) {
    const bool pic = fixture.state().ChipType == calc::Chip::Pic;
    QCOMPARE(pictureOf(fixture), resourceImage(pic ? "Mchip" : "Sxturbo"));
    QCOMPARE(fixture.control<QLabel>("Label5")->text(), pic ? QStringLiteral("Machine Cycles:") : QStringLiteral("Clock Cycles:"));
    QCOMPARE(fixture.control<QLabel>("Label7")->text(), pic ? QStringLiteral("mc") : QStringLiteral("cc"));
}

}  // namespace

class TestFrmMainPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveThenLoadAtStartUp_data() {
        QTest::addColumn<QStringList>("settings");  // in file order
        QTest::addColumn<bool>("atClose");
        QTest::newRow("PIC, Microchip, single, boxes clear, saved by the hidden button")
            << items("4000000|CntD|CntC|CntB|CntA|4|3|2|75|0|Microchip|0|0|0|0|1|0|0") << false;
        QTest::newRow("SX, Parallax, quad, boxes ticked, saved at close")
            << items("50000000|outer.d|_c?|loop.inner|zaehler|0|0|1|1|1|Parallax|3|1500|1500|1|0|1|1") << true;
    }
    void saveThenLoadAtStartUp() {
        QFETCH(QStringList, settings);
        QFETCH(bool, atClose);
        WindowFixture first;
        first.box("TxtClock")->setText(settings[0]);
        const std::array<const char*, 8> boxes = {"TxtDName", "TxtCName", "TxtBName", "TxtAName", "TxtDValue", "TxtCValue", "TxtBValue", "TxtAValue"};
        for (int box = 0; box < 8; ++box) first.box(boxes[box])->setText(settings[box + 1]);
        first.setTicked("ChkAddCR", settings[9] == QStringLiteral("1"));
        first.press(settings[10] == QStringLiteral("Parallax") ? "OptParallax" : "OptMicroChip");
        first.clickTab(settings[11].toInt());
        first.window().move(settings[13].toInt() / 15, settings[12].toInt() / 15);
        first.setTicked("ChkPopups", settings[14] == QStringLiteral("1"));
        first.setChip(settings[15] == QStringLiteral("1"));
        first.setTicked("ChkSound", settings[16] == QStringLiteral("1"));
        first.setTicked("ChkAnimateLogo", settings[17] == QStringLiteral("1"));
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
        // The loaded settings were calculated and listed as they were when saved.
        QCOMPARE(second.box("TxtMC")->text(), first.box("TxtMC")->text());
        QCOMPARE(second.box("TxtTime")->text(), first.box("TxtTime")->text());
        QCOMPARE(second.listing(), first.listing());
        QVERIFY(!second.listing().isEmpty());
        // The start-up sound and the logo follow the loaded boxes.
        QCOMPARE(second.desktop.soundNames(), settings[16] == QStringLiteral("1") ? QStringList{QStringLiteral("elvis")} : QStringList{});
        QCOMPARE(second.window().findChild<QTimer*>(QStringLiteral("TimerAnimation"))->isActive(), settings[17] == QStringLiteral("1"));
    }

    void missingFileAtStartUp() {
        WindowFixture fixture;
        QVERIFY(fixture.desktop.messages.isEmpty());
        QCOMPARE(settingsOf(fixture), kStartUp);
        QVERIFY(showsStartUpChip(fixture));
        QCOMPARE(fixture.box("TxtMC")->text(), QString());  // no calculation ran
        QVERIFY(fixture.listing().isEmpty());
    }

    void loadStopsAtTheEndOrABadItem_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("chop");  // bytes cut off the end
        QTest::addColumn<int>("badLine");
        QTest::addColumn<QString>("item");
        QTest::newRow("empty") << 0 << 0 << 0 << QString();
        QTest::newRow("ends after line 5") << 5 << 0 << 0 << QString();
        QTest::newRow("ends after line 11") << 11 << 0 << 0 << QString();
        QTest::newRow("ends inside line 11, without its line end") << 11 << 2 << 0 << QString();
        QTest::newRow("ends after line 17") << 17 << 0 << 0 << QString();
        QTest::newRow("tab is a word") << 18 << 0 << 12 << "two";
        QTest::newRow("chip beyond 16 bits") << 18 << 0 << 16 << "40000";
        QTest::newRow("animation is a word") << 18 << 0 << 18 << "on";
    }
    void loadStopsAtTheEndOrABadItem() {
        QFETCH(int, lines);
        QFETCH(int, chop);
        QFETCH(int, badLine);
        QFETCH(QString, item);
        QTemporaryDir folder;
        QStringList file = kSample.mid(0, lines);
        if (badLine) file[badLine - 1] = item;
        QByteArray content = lines ? fileOf(file) : QByteArray();
        content.chop(chop);
        writeFile(folder.path(), kPreferencesFile, content);
        WindowFixture window(folder.path());
        const int applied = badLine ? badLine - 1 : lines;
        QCOMPARE(settingsOf(window), trimmed(file).mid(0, applied) + kStartUp.mid(applied));
        QVERIFY(window.desktop.messages.isEmpty());
        // The chip type is applied and the load calculates only after all 18 items.
        QVERIFY(showsStartUpChip(window));
        if (applied < 10) QCOMPARE(window.box("TxtMC")->text(), QString());  // line 10 ticks ChkAddCR, which calculates
        // However far the load got, the code box shows the listing the load left.
        QCOMPARE(window.shownListing(), QString(window.listing()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void itemIsReadAs_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("before");  // the item of the file the window started with
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");  // as settingsOf() shows it after the reload
        QTest::newRow("CALL: True unticks") << 10 << "1" << "True" << "0";
        QTest::newRow("format: lower-case parallax selects MicroChip") << 11 << "Parallax" << "parallax" << "Microchip";
        QTest::newRow("tab: 2.5 ties to 2") << 12 << " 0 " << "2.5" << "2";
        QTest::newRow("pop-ups: saved 0 unticks") << 15 << " 1 " << " 0 " << "0";
        QTest::newRow("pop-ups: False ticks here") << 15 << " 0 " << "False" << "1";
        QTest::newRow("chip: 7 loads as PIC") << 16 << " 0 " << " 7 " << "1";
        QTest::newRow("chip: 0.5 ties to SX") << 16 << " 1 " << "0.5" << "0";
        QTest::newRow("sound: 2 ticks") << 17 << " 0 " << " 2 " << "1";
        QTest::newRow("animation: 2 ticks") << 18 << " 0 " << " 2 " << "1";
    }
    void itemIsReadAs() {
        QFETCH(int, line);
        QFETCH(QString, before);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        writeFile(folder.path(), kPreferencesFile, sampleWith(line, before));
        WindowFixture window(folder.path());
        QVERIFY2(settingsOf(window)[line - 1] != shown, "the reload must change the setting");
        writeFile(folder.path(), kPreferencesFile, sampleWith(line, item));
        window.pressHidden("BtnReset");
        QCOMPARE(settingsOf(window)[line - 1], shown);
        verifyChipShown(window);
        QVERIFY(window.desktop.messages.isEmpty());
    }

    void emptyFileOnResetChangesNothing() {
        WindowFixture fixture;
        fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
        fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        const QStringList settings = settingsOf(fixture);
        writeFile(fixture.folder.path(), kPreferencesFile, QByteArray());
        fixture.desktop.clear();
        fixture.pressHidden("BtnReset");
        QVERIFY(fixture.desktop.messages.isEmpty());
        QCOMPARE(settingsOf(fixture), settings);
    }

    void digitFirstNameWhileLoading_data() {
        QTest::addColumn<bool>("atStartUp");
        QTest::newRow("at start-up, no name accepted yet") << true;
        QTest::newRow("on reset, after a name was accepted") << false;
    }
    void digitFirstNameWhileLoading() {
        QFETCH(bool, atStartUp);
        QTemporaryDir folder;
        QStringList lines = kSample;
        lines[9] = QStringLiteral("0");  // no CALL tick, which would calculate in the middle
        std::optional<WindowFixture> window;
        if (!atStartUp) {
            writeFile(folder.path(), kPreferencesFile, fileOf(lines));
            window.emplace(folder.path());
            window->desktop.clear();
        }
        lines[4] = QStringLiteral("1st");
        writeFile(folder.path(), kPreferencesFile, fileOf(lines));
        if (atStartUp)
            window.emplace(folder.path());
        else
            window->pressHidden("BtnReset");
        // Loading went on after the refused name.
        QStringList expected = trimmed(lines);
        expected[4] = atStartUp ? QString() : QStringLiteral("Fast");
        QCOMPARE(settingsOf(*window), expected);
        verifyChipShown(*window);
        QCOMPARE(window->desktop.messageTexts(), (atStartUp ? QStringList{kDigitFirst, kBlankNames} : QStringList{kDigitFirst}));
    }

    void blankNameAtShutDownKeepsTheFile_data() {
        QTest::addColumn<QString>("blankBox");
        QTest::addColumn<bool>("savedBefore");
        QTest::newRow("counter A blank, earlier file") << "TxtAName" << true;
        QTest::newRow("counter C blank, no file yet") << "TxtCName" << false;
    }
    void blankNameAtShutDownKeepsTheFile() {
        QFETCH(QString, blankBox);
        QFETCH(bool, savedBefore);
        WindowFixture fixture;
        fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
        fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        if (savedBefore) fixture.pressHidden("BtnSave");
        const QByteArray before = readFile(fixture.folder.path(), kPreferencesFile);
        fixture.box(qPrintable(blankBox))->clear();
        fixture.clickTab(3);
        fixture.desktop.clear();
        fixture.window().close();
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames + QStringLiteral(" Preference saving aborted.")});
        QCOMPARE(readFile(fixture.folder.path(), kPreferencesFile), before);
        QCOMPARE(filesIn(fixture.folder.path()), savedBefore ? QStringList{kPreferencesFile} : QStringList{});
        QCOMPARE(fixture.desktop.programEnds, 1);  // the program still ends
    }

    void failedSaveKeepsThePreviousFile_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("says");
        QTest::newRow("a folder in the way of the file") << "folder" << "is a folder, not a regular file";
        QTest::newRow("a link to a device node") << "link to device node" << "is a device, not a regular file";
        QTest::newRow("the disk fills while writing") << "disk full" << "could not be written: ";
    }
    void failedSaveKeepsThePreviousFile() {
        QFETCH(QString, fault);
        QFETCH(QString, says);
        WindowFixture fixture;
        const QString folder = fixture.folder.path();
        const QString path = QDir(folder).filePath(kPreferencesFile);
        fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
        fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        fixture.pressHidden("BtnSave");
        const QByteArray previous = readFile(folder, kPreferencesFile);
        QVERIFY(!previous.isEmpty());
        if (fault != QStringLiteral("disk full")) {
            QVERIFY(QFile::remove(path));
            if (!makeSpecial(fault, path)) QSKIP("this system does not let the test make one");
        }
        const QString before = identityOf(path);
        // A typed value rebuilds the listing only; a completed save would recalculate.
        fixture.box("TxtAValue")->setText(QStringLiteral("100"));
        const QString shownCycles = fixture.box("TxtMC")->text();
        fixture.desktop.clear();
        // A file size limit holds for root too: writing past 16 bytes fails as on a full disk.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit unlimited = limit;
        const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 16;
        if (fault == QStringLiteral("disk full")) QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        fixture.pressHidden("BtnSave");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoredSignal);

        // The message names the file and why; the file or whatever stands in its place is untouched.
        QCOMPARE(fixture.desktop.messages.size(), 1);
        const QString text = fixture.desktop.messages.front().text;
        QVERIFY2(text.startsWith(QStringLiteral("Error : ") + path + QLatin1Char(' ') + says), qPrintable(text));
        QCOMPARE(identityOf(path), before);
        if (fault == QStringLiteral("disk full")) QCOMPARE(readFile(folder, kPreferencesFile), previous);
        QCOMPARE(filesIn(folder).filter(QRegularExpression(QStringLiteral("cfg\\.[A-Za-z0-9]{6}$"))), QStringList());  // no scratch file left
        QCOMPARE(fixture.box("TxtMC")->text(), shownCycles);
    }

    void namedPipesHoldNothingUp_data() {
        QTest::addColumn<QString>("pipeName");
        QTest::newRow("preferences at start-up") << kPreferencesFile;
        QTest::newRow("defaults on the defaults button") << kDefaultsFile;
    }
    void namedPipesHoldNothingUp() {
        QFETCH(QString, pipeName);
        QTemporaryDir folder;
        const bool defaults = pipeName == kDefaultsFile;
        if (defaults) writeFile(folder.path(), kPreferencesFile, fileOf(kSample));
        QVERIFY(makeSpecial(QStringLiteral("named pipe"), folder.filePath(pipeName)));
        const PipeWatchdog watchdog({folder.filePath(pipeName)});
        WindowFixture window(folder.path());
        if (defaults) window.press("BtnDefaults");
        QVERIFY(!watchdog.expired());
        // Read as a missing file: the start-up state, or the settings as they were.
        QCOMPARE(settingsOf(window).mid(0, 12), (defaults ? trimmed(kSample) : kStartUp).mid(0, 12));
        QVERIFY(window.desktop.messages.isEmpty());
    }

    void startRemovesWhatAnInterruptedSaveLeft() {
        QTemporaryDir folder;
        writeFile(folder.path(), kPreferencesFile, fileOf(kSample));
        const QString leftover = QDir(folder.path()).filePath(kPreferencesFile + QStringLiteral(".x7Kq2Z"));
        writeFile(folder.path(), QFileInfo(leftover).fileName(), "4000000\r\nOu");
        QFile written(leftover);
        QVERIFY(written.open(QIODevice::ReadWrite));
        QVERIFY(written.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        written.close();
        WindowFixture window(folder.path());
        QCOMPARE(filesIn(folder.path()), QStringList{kPreferencesFile});
        QCOMPARE(settingsOf(window), trimmed(kSample));
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

    void savedPositionComesBackOnScreen_data() {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("kept");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("fits, kept exactly") << " 1500 " << " 1500 " << true;
        QTest::newRow("partly above the screen") << "-1500 " << " 1500 " << false;
        QTest::newRow("mostly off the lower right") << QString::number(screen.bottom() * 15 - 3000) << QString::number(screen.right() * 15 - 3000) << false;
        QTest::newRow("all off to the right") << " 0 " << QString::number((screen.right() + 1) * 15) << false;
        QTest::newRow("beyond any pixel count") << " 3e38 " << " 3e38 " << false;
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
        // The same from wherever the window stands when the preferences are restored.
        for (const bool restored : {false, true}) {
            if (restored) {
                window.window().move(123, 45);
                window.pressHidden("BtnReset");
            }
            const QRect frame = window.window().frameGeometry();
            QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(frame));
            if (kept) QCOMPARE(window.window().pos(), QPoint(100, 100));
        }
        // Once shown, its frame too lies on the screen.
        window.window().show();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(window.window().frameGeometry()));
        QVERIFY(window.desktop.messages.isEmpty());
    }

    void defaultsCommand_data() {
        QTest::addColumn<bool>("pic");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<int>("startTab");
        QTest::addColumn<QString>("tabItem");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("popupsItem");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("PIC, sound on, same tab 1, pop-ups 0 ticks") << true << true << 1 << " 1 " << 1 << "0" << true;
        QTest::newRow("SX, sound off, tab 2 to 0, False unticks") << false << false << 2 << " 0 " << 0 << " False " << false;
        QTest::newRow("PIC, 7 keeps tab 2, lower-case false ticks") << true << true << 2 << " 7 " << 2 << "false" << true;
        QTest::newRow("SX, 1.5 is no tab") << false << false << 0 << "1.5" << 0 << "False" << false;
    }
    void defaultsCommand() {
        QFETCH(bool, pic);
        QFETCH(bool, sound);
        QFETCH(int, startTab);
        QFETCH(QString, tabItem);
        QFETCH(int, tab);
        QFETCH(QString, popupsItem);
        QFETCH(bool, ticked);
        WindowFixture fixture;
        fixture.box("TxtClock")->setText(QStringLiteral("8000000"));
        fixture.setCounters({QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
        // The other chip: a tab click that recalculated would first show that chip's cycles.
        fixture.setChip(!pic);
        fixture.clickTab(startTab);
        fixture.setTicked("ChkSound", sound);
        fixture.setTicked("ChkPopups", !ticked);
        QStringList lines = kDefaults;
        lines[11] = tabItem;
        lines[14] = popupsItem;
        lines[15] = pic ? QStringLiteral(" 1 ") : QStringLiteral(" 0 ");
        writeFile(fixture.folder.path(), kDefaultsFile, fileOf(lines));
        fixture.desktop.clear();
        QSignalSpy clicks(fixture.tabs(), &QTabBar::currentChanged);
        QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
        fixture.press("BtnDefaults");

        QCOMPARE(fixture.desktop.soundNames(), sound ? QStringList{QStringLiteral("drip")} : QStringList{});
        QVERIFY(fixture.desktop.messages.isEmpty());
        lines[11] = QString::number(tab);
        lines[14] = QString::number(int(ticked));
        QCOMPARE(settingsOf(fixture), trimmed(lines));
        verifyChipShown(fixture);
        QCOMPARE(clicks.count(), tab == startTab ? 0 : 1);
        // Recalculated once, with the defaults, and no flag left to swallow a later tab click.
        QCOMPARE(shownCycles.count(), 1);
        QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
        if (pic && tab == 1) QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1000"));
        const QString listing = fixture.listing();
        QCOMPARE(fixture.shownListing(), QString(listing).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        fixture.press("BtnCalcTime");
        QCOMPARE(fixture.listing(), listing);
        QCOMPARE(filesIn(fixture.folder.path()), QStringList{kDefaultsFile});  // only ever read
        const QString cycles = fixture.box("TxtMC")->text();
        fixture.clickTab((tab + 1) % 4);
        QVERIFY(fixture.box("TxtMC")->text() != cycles);
    }

    void damagedFileNeverHurts_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("18 lines of spaces") << fileOf(QStringList(18, QStringLiteral("   ")));
        QTest::newRow("a 200 000 character name") << sampleWith(2, QString(200000, QLatin1Char('x')));
        QTest::newRow("a name line beyond the read limit") << QByteArray("4000000\r\n") + QByteArray(3 << 20, 'y');
        QByteArray garbage(4096, Qt::Uninitialized);
        QRandomGenerator generator(11);
        for (char& byte : garbage) byte = static_cast<char>(generator.bounded(256));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("binary garbage in short lines") << QByteArray(garbage).replace('\0', '\n');
    }
    void damagedFileNeverHurts() {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        writeFile(folder.path(), kPreferencesFile, content);
        WindowFixture window(folder.path());
        // Only messages a person can act on: at most one per item and one for the final calculation.
        QVERIFY2(window.desktop.messages.size() <= 10, qPrintable(window.desktop.messageTexts().join(QLatin1Char('|'))));
        // Whatever was loaded, the window goes on working.
        window.box("TxtClock")->setText(QStringLiteral("4000000"));
        window.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        window.setTicked("ChkAddCR", false);
        window.clickTab(0);
        window.setChip(true);
        window.press("BtnCalcTime");
        QCOMPARE(window.box("TxtMC")->text(), QStringLiteral("766"));
        window.desktop.clear();
        window.pressHidden("BtnSave");
        QVERIFY(window.desktop.messages.isEmpty());
        QVERIFY(readFile(folder.path(), kPreferencesFile).startsWith("4000000\r\nCntD\r\n"));
    }
};

QTEST_MAIN(TestFrmMainPrefs)
#include "tst_frmmain_prefs.moc"
