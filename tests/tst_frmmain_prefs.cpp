// The preferences through the real window: saving at shut-down and loading at start-up, the
// restore commands, how each item is applied, and damaged, short or unwritable files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <optional>

#include <sys/resource.h>

#include "support/WindowFixture.h"
#include "ui/CodeListBox.h"
#include "ui/Resources.h"

namespace {

const QString kPreferencesFile = QStringLiteral("kestrune.cfg");
const QString kDefaultsFile = QStringLiteral("Kestrune.def");
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
const QString kBlankNamesOnSave =
    QStringLiteral("You must not have any blank counter names. Preference saving aborted.");
const QString kDigitFirst = QStringLiteral("Do not use a number as the first character of a counter name!");

// A preferences file in which every setting differs from the state start-up prepares.
QStringList sampleLines() {
    return {QStringLiteral("4000000"), QStringLiteral("Outer"), QStringLiteral("Middle"),
            QStringLiteral("Inner"),   QStringLiteral("Fast"),  QStringLiteral("2"),
            QStringLiteral("5"),       QStringLiteral("20"),    QStringLiteral("100"),
            QStringLiteral("1"),       QStringLiteral("Parallax"), QStringLiteral(" 2 "),
            QStringLiteral(" 1500 "),  QStringLiteral(" 3000 "), QStringLiteral(" 1 "),
            QStringLiteral(" 1 "),     QStringLiteral(" 0 "),   QStringLiteral(" 0 ")};
}

// The sample's settings as settingsOf() shows them once applied.
QStringList sampleApplied() {
    QStringList applied;
    for (const QString& line : sampleLines()) applied << line.trimmed();
    return applied;
}

// The settings as start-up leaves them when no file sets them.
const QStringList kStartUp = {QString(), QString(), QString(), QString(), QString(),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                              QStringLiteral("0"), QStringLiteral("Microchip"), QStringLiteral("0"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                              QStringLiteral("1"), QStringLiteral("1")};

// Factory defaults as shipped: PIC at 4 MHz, 1 ms in two loops.
QStringList defaultLines() {
    return {QStringLiteral("4000000"), QStringLiteral("Delay4"), QStringLiteral("Delay3"),
            QStringLiteral("Delay2"),  QStringLiteral("Delay1"), QStringLiteral("1"),
            QStringLiteral("1"),       QStringLiteral("2"),      QStringLiteral("75"),
            QStringLiteral("0"),       QStringLiteral("Microchip"), QStringLiteral(" 1 "),
            QStringLiteral(" 0 "),     QStringLiteral(" 0 "),    QStringLiteral("False"),
            QStringLiteral(" 1 "),     QStringLiteral(" 1 "),    QStringLiteral(" 1 ")};
}

QByteArray fileOf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text.toUtf8();
}

void writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

QByteArray readFile(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QImage pictureOf(const QPushButton* button) {
    return button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage resourceImage(const QString& name) {
    return ui::pictureResource(name).toImage().convertToFormat(QImage::Format_ARGB32);
}


// The 18 settings in file order, as the window shows them.
template <typename Fixture>
QStringList settingsOf(Fixture& fixture) {
    const auto ticked = [&](const char* name) {
        return fixture.template control<QCheckBox>(name)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    const bool parallax = fixture.template control<QRadioButton>("OptParallax")->isChecked();
    return {fixture.box("TxtClock")->text(),
            fixture.box("TxtDName")->text(),
            fixture.box("TxtCName")->text(),
            fixture.box("TxtBName")->text(),
            fixture.box("TxtAName")->text(),
            fixture.box("TxtDValue")->text(),
            fixture.box("TxtCValue")->text(),
            fixture.box("TxtBValue")->text(),
            fixture.box("TxtAValue")->text(),
            ticked("ChkAddCR"),
            parallax ? QStringLiteral("Parallax") : QStringLiteral("Microchip"),
            QString::number(fixture.tabs()->currentIndex()),
            QString::number(fixture.window().y() * 15),
            QString::number(fixture.window().x() * 15),
            ticked("ChkPopups"),
            QString::number(fixture.state().ChipType),
            ticked("ChkSound"),
            ticked("ChkAnimateLogo")};
}

// The settings of a load that applied the first `count` items of `applied` and no more.
QStringList appliedUpTo(int count, const QStringList& applied) {
    return applied.mid(0, count) + kStartUp.mid(count);
}

// Chip picture and labels as start-up leaves them, before any file applied a chip type.
template <typename Fixture>
bool showsStartUpChip(Fixture& fixture) {
    return pictureOf(fixture.template control<QPushButton>("BtnChip")) == resourceImage(QStringLiteral("Sxturbo")) &&
           fixture.template control<QLabel>("Label5")->text() == QStringLiteral("Machine Cycles:") &&
           fixture.template control<QLabel>("Label7")->text() == QStringLiteral("mc");
}

// Picture and labels agree with the chip type held.
template <typename Fixture>
void verifyChipShown(Fixture& fixture) {
    const bool pic = fixture.state().ChipType == calc::ChipMchip;
    QCOMPARE(pictureOf(fixture.template control<QPushButton>("BtnChip")),
             resourceImage(pic ? QStringLiteral("Mchip") : QStringLiteral("Sxturbo")));
    QCOMPARE(fixture.template control<QLabel>("Label5")->text(),
             pic ? QStringLiteral("Machine Cycles:") : QStringLiteral("Clock Cycles:"));
    QCOMPARE(fixture.template control<QLabel>("Label7")->text(), pic ? QStringLiteral("mc") : QStringLiteral("cc"));
}

// Only messages a person can act on: at most one per item and one for the final calculation.
void verifyMessagesAreClear(const RecordingDesktop& desktop) {
    static const QStringList kKnown = {
        kBlankNames,
        kDigitFirst,
        QStringLiteral("Do not use spaces within counter names!"),
        QStringLiteral("Do not use non-numeric characters within counter values!"),
        QStringLiteral("Do not use non-numeric characters within Oscillator Frequency value!")};
    QVERIFY2(desktop.messages.size() <= 10, qPrintable(desktop.messageTexts().join(QLatin1Char('|'))));
    for (const QString& text : desktop.messageTexts())
        QVERIFY2(kKnown.contains(text) || text.startsWith(QStringLiteral("Error : ")), qPrintable(text));
}

QByteArray randomBytes(quint32 seed, int size) {
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

}  // namespace

class TestFrmMainPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveThenLoadAtStartUp_data();
    void saveThenLoadAtStartUp();
    void missingFileAtStartUp();
    void shortFileAppliesWhatItHolds_data();
    void shortFileAppliesWhatItHolds();
    void badItemStopsTheLoad_data();
    void badItemStopsTheLoad();
    void itemIsReadAs_data();
    void itemIsReadAs();
    void emptyFileOnResetChangesNothing();
    void digitFirstNameWhileLoading_data();
    void digitFirstNameWhileLoading();
    void blankNameAtShutDownKeepsTheFile_data();
    void blankNameAtShutDownKeepsTheFile();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();
    void oneFileWhateverItsCase_data();
    void oneFileWhateverItsCase();
    void savedPositionComesBackOnScreen_data();
    void savedPositionComesBackOnScreen();
    void defaultsCommand_data();
    void defaultsCommand();
    void defaultsCommandWithoutDefaultsFile();
    void defaultsTab_data();
    void defaultsTab();
    void defaultsPopups_data();
    void defaultsPopups();
    void damagedFileNeverHurts_data();
    void damagedFileNeverHurts();
    void bytesAfterTheItemsAreIgnored();
};

void TestFrmMainPrefs::saveThenLoadAtStartUp_data() {
    QTest::addColumn<bool>("pic");
    QTest::addColumn<bool>("parallax");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("addCallReturn");
    QTest::addColumn<bool>("popups");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("animate");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QStringList>("names");   // A first
    QTest::addColumn<QStringList>("values");  // A first
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("atClose");
    const QStringList names = {QStringLiteral("CntA"), QStringLiteral("CntB"), QStringLiteral("CntC"), QStringLiteral("CntD")};
    const QStringList values = {QStringLiteral("75"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    QTest::newRow("PIC, Microchip, single, boxes clear, saved by the hidden button")
        << true << false << 0 << false << false << false << false << "4000000" << names << values << QPoint(0, 0) << false;
    QTest::newRow("SX, Parallax, quad, boxes ticked, saved at close")
        << false << true << 3 << true << true << true << true << "50000000" << names << values << QPoint(200, 100) << true;
    QTest::newRow("PIC, Parallax, double, CALL only, saved at close")
        << true << true << 1 << true << false << false << false << "3579545" << names
        << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")} << QPoint(37, 5) << true;
    QTest::newRow("SX, Microchip, triple, pop-ups and sound")
        << false << false << 2 << false << true << true << false << "20000000" << names
        << QStringList{QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("17"), QStringLiteral("0")} << QPoint(1, 2) << false;
    QTest::newRow("names with an umlaut, a comma and double quotes")
        << true << false << 3 << false << false << false << true << "4000000"
        << QStringList{QStringLiteral("Z\u00e4hler"), QStringLiteral("loop,inner"), QStringLiteral("\"outer\""), QStringLiteral("x\"y,z")}
        << values << QPoint(10, 10) << false;
}

void TestFrmMainPrefs::saveThenLoadAtStartUp() {
    QFETCH(bool, pic);
    QFETCH(bool, parallax);
    QFETCH(int, tab);
    QFETCH(bool, addCallReturn);
    QFETCH(bool, popups);
    QFETCH(bool, sound);
    QFETCH(bool, animate);
    QFETCH(QString, clock);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    QFETCH(QPoint, position);
    QFETCH(bool, atClose);

    WindowFixture first;
    first.box("TxtClock")->setText(clock);
    const std::array<const char*, 4> nameBoxes = {"TxtAName", "TxtBName", "TxtCName", "TxtDName"};
    const std::array<const char*, 4> valueBoxes = {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"};
    for (int counter = 0; counter < 4; ++counter) {
        first.box(nameBoxes[counter])->setText(names[counter]);
        first.box(valueBoxes[counter])->setText(values[counter]);
    }
    first.control<QCheckBox>("ChkAddCR")->setChecked(addCallReturn);
    first.control<QRadioButton>(parallax ? "OptParallax" : "OptMicroChip")->click();
    first.tabs()->setCurrentIndex(tab);
    first.control<QCheckBox>("ChkPopups")->setChecked(popups);
    first.control<QCheckBox>("ChkSound")->setChecked(sound);
    first.control<QCheckBox>("ChkAnimateLogo")->setChecked(animate);
    first.setChip(pic);
    first.window().move(position);
    const QStringList expected = {clock, names[3], names[2], names[1], names[0],
                                  values[3], values[2], values[1], values[0],
                                  addCallReturn ? QStringLiteral("1") : QStringLiteral("0"),
                                  parallax ? QStringLiteral("Parallax") : QStringLiteral("Microchip"),
                                  QString::number(tab), QString::number(position.y() * 15),
                                  QString::number(position.x() * 15),
                                  popups ? QStringLiteral("1") : QStringLiteral("0"),
                                  pic ? QStringLiteral("1") : QStringLiteral("0"),
                                  sound ? QStringLiteral("1") : QStringLiteral("0"),
                                  animate ? QStringLiteral("1") : QStringLiteral("0")};
    QCOMPARE(settingsOf(first), expected);
    first.desktop.clear();
    if (atClose)
        first.window().close();
    else
        first.press("BtnSave");
    QVERIFY(first.desktop.messages.isEmpty());
    QCOMPARE(filesIn(first.folder.path()), QStringList{kPreferencesFile});  // no scratch file left
    const QByteArray saved = readFile(first.folder.path(), kPreferencesFile);
    for (const QString& name : names) QVERIFY(saved.contains(name.toUtf8()));

    WindowFixture second(first.folder.path());
    QCOMPARE(settingsOf(second), expected);
    verifyChipShown(second);
    QVERIFY(second.desktop.messages.isEmpty());
    // The loaded settings were calculated and listed as they were when saved.
    QCOMPARE(second.box("TxtMC")->text(), first.box("TxtMC")->text());
    QCOMPARE(second.box("TxtTime")->text(), first.box("TxtTime")->text());
    QCOMPARE(second.listing(), first.listing());
    QVERIFY(!second.listing().isEmpty());
    // The start-up sound and the logo follow the loaded boxes.
    QCOMPARE(second.desktop.soundNames(), sound ? QStringList{QStringLiteral("elvis")} : QStringList{});
    QCOMPARE(second.window().findChild<QTimer*>(QStringLiteral("TimerAnimation"))->isActive(), animate);
}

void TestFrmMainPrefs::missingFileAtStartUp() {
    WindowFixture fixture;
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(settingsOf(fixture), kStartUp);
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0"));
    QCOMPARE(fixture.window().pos(), QPoint(0, 0));
    QVERIFY(showsStartUpChip(fixture));
    // No calculation ran.
    QCOMPARE(fixture.box("TxtMC")->text(), QString());
    QVERIFY(fixture.listing().isEmpty());
}

void TestFrmMainPrefs::shortFileAppliesWhatItHolds_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("lastLineEnded");
    for (int lines = 0; lines < 18; ++lines) {
        QTest::addRow("ends after line %d", lines) << lines << true;
        if (lines > 0) QTest::addRow("ends inside line %d, without its line end", lines) << lines << false;
    }
}

void TestFrmMainPrefs::shortFileAppliesWhatItHolds() {
    QFETCH(int, lines);
    QFETCH(bool, lastLineEnded);
    QTemporaryDir folder;
    QByteArray content = fileOf(sampleLines().mid(0, lines));
    if (!lastLineEnded) content.chop(2);
    writeFile(folder.path(), kPreferencesFile, content);
    WindowFixture window(folder.path());
    QCOMPARE(settingsOf(window), appliedUpTo(lines, sampleApplied()));
    QVERIFY(window.desktop.messages.isEmpty());
    // The chip type is applied and the load calculates only after all 18 items.
    QVERIFY(showsStartUpChip(window));
    if (lines < 10) QCOMPARE(window.box("TxtMC")->text(), QString());  // line 10 ticks ChkAddCR, which calculates
}

void TestFrmMainPrefs::badItemStopsTheLoad_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("item");
    QTest::newRow("tab is a word") << 12 << "two";
    QTest::newRow("tab is empty") << 12 << "";
    QTest::newRow("tab 7") << 12 << " 7 ";
    QTest::newRow("tab -1") << 12 << "-1";
    QTest::newRow("tab 3.5 rounds to 4") << 12 << "3.5";
    QTest::newRow("top is a word") << 13 << "top";
    QTest::newRow("top beyond single precision") << 13 << "1e39";
    QTest::newRow("left is empty") << 14 << "";
    QTest::newRow("chip is a word") << 16 << "PIC";
    QTest::newRow("chip beyond 16 bits") << 16 << "40000";
    QTest::newRow("sound is a word") << 17 << "yes";
    QTest::newRow("animation is a word") << 18 << "on";
}

void TestFrmMainPrefs::badItemStopsTheLoad() {
    QFETCH(int, line);
    QFETCH(QString, item);
    QTemporaryDir folder;
    QStringList lines = sampleLines();
    lines[15] = QStringLiteral(" 0 ");  // SX: applying it would change the labels
    QStringList applied = sampleApplied();
    applied[15] = QStringLiteral("0");
    lines[line - 1] = item;
    writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    WindowFixture window(folder.path());
    QCOMPARE(settingsOf(window), appliedUpTo(line - 1, applied));
    QVERIFY(window.desktop.messages.isEmpty());
    QVERIFY(showsStartUpChip(window));
}

void TestFrmMainPrefs::itemIsReadAs_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("before");  // the item of the file the window started with
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("shown");   // as settingsOf() shows it after the reload
    QTest::newRow("CALL: exactly 1 ticks") << 10 << "0" << "1" << "1";
    QTest::newRow("CALL: 1 between spaces ticks") << 10 << "0" << " 1 " << "1";
    QTest::newRow("CALL: True unticks") << 10 << "1" << "True" << "0";
    QTest::newRow("CALL: 01 unticks") << 10 << "1" << "01" << "0";
    QTest::newRow("format: Parallax") << 11 << "Microchip" << "Parallax" << "Parallax";
    QTest::newRow("format: Parallax between spaces") << 11 << "Microchip" << " Parallax " << "Parallax";
    QTest::newRow("format: lower-case parallax selects MicroChip") << 11 << "Parallax" << "parallax" << "Microchip";
    QTest::newRow("format: PARALLAX selects MicroChip") << 11 << "Parallax" << "PARALLAX" << "Microchip";
    QTest::newRow("format: the caption Ex-Lax selects MicroChip") << 11 << "Parallax" << "Ex-Lax" << "Microchip";
    QTest::newRow("tab: 3") << 12 << " 0 " << " 3 " << "3";
    QTest::newRow("tab: 2.5 ties to 2") << 12 << " 0 " << "2.5" << "2";
    QTest::newRow("tab: 1.5 ties to 2") << 12 << " 0 " << "1.5" << "2";
    QTest::newRow("tab: 0.5 ties to 0") << 12 << " 1 " << "0.5" << "0";
    QTest::newRow("tab: -0.4 is 0") << 12 << " 2 " << "-0.4" << "0";
    QTest::newRow("top: on screen") << 13 << " 0 " << " 1500 " << "1500";
    QTest::newRow("top: partly above the screen") << 13 << " 0 " << "-1500 " << "-1500";
    QTest::newRow("left: on screen") << 14 << " 0 " << " 3000 " << "3000";
    QTest::newRow("pop-ups: saved 0 unticks") << 15 << " 1 " << " 0 " << "0";
    QTest::newRow("pop-ups: bare 0 unticks") << 15 << " 1 " << "0" << "0";
    QTest::newRow("pop-ups: saved 1 ticks") << 15 << " 0 " << " 1 " << "1";
    QTest::newRow("pop-ups: False ticks here") << 15 << " 0 " << "False" << "1";
    QTest::newRow("pop-ups: empty ticks") << 15 << " 0 " << "" << "1";
    QTest::newRow("chip: 7 loads as PIC") << 16 << " 0 " << " 7 " << "1";
    QTest::newRow("chip: -1 loads as PIC") << 16 << " 0 " << "-1" << "1";
    QTest::newRow("chip: 1.5 loads as PIC") << 16 << " 0 " << "1.5" << "1";
    QTest::newRow("chip: 0 loads as SX") << 16 << " 1 " << " 0 " << "0";
    QTest::newRow("chip: 0.4 rounds to SX") << 16 << " 1 " << "0.4" << "0";
    QTest::newRow("chip: 0.5 ties to SX") << 16 << " 1 " << "0.5" << "0";
    QTest::newRow("sound: 2 ticks") << 17 << " 0 " << " 2 " << "1";
    QTest::newRow("sound: -0.5 ticks") << 17 << " 0 " << "-0.5" << "1";
    QTest::newRow("sound: 0.0 unticks") << 17 << " 1 " << "0.0" << "0";
    QTest::newRow("animation: 2 ticks") << 18 << " 0 " << " 2 " << "1";
    QTest::newRow("animation: 0.001 ticks") << 18 << " 0 " << "0.001" << "1";
    QTest::newRow("animation: saved 0 unticks") << 18 << " 1 " << " 0 " << "0";
}

void TestFrmMainPrefs::itemIsReadAs() {
    QFETCH(int, line);
    QFETCH(QString, before);
    QFETCH(QString, item);
    QFETCH(QString, shown);
    QTemporaryDir folder;
    QStringList lines = sampleLines();
    lines[line - 1] = before;
    writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    WindowFixture window(folder.path());
    QVERIFY2(settingsOf(window)[line - 1] != shown, "the reload must change the setting");

    lines[line - 1] = item;
    writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    window.desktop.clear();
    window.press("BtnReset");
    QCOMPARE(settingsOf(window)[line - 1], shown);
    verifyChipShown(window);
    QVERIFY(window.desktop.messages.isEmpty());
}

void TestFrmMainPrefs::emptyFileOnResetChangesNothing() {
    // A file of no lines fails at its first item; nothing is applied and nothing is said.
    WindowFixture fixture;
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    writeFile(fixture.folder.path(), kPreferencesFile, QByteArray());
    fixture.desktop.clear();
    fixture.press("BtnReset");
    QCOMPARE(fixture.desktop.messageTexts().join(QLatin1Char('|')), QString());
    QCOMPARE(fixture.box("TxtClock")->text(), QStringLiteral("4000000"));
    QCOMPARE(fixture.box("TxtAValue")->text(), QStringLiteral("255"));
}

void TestFrmMainPrefs::digitFirstNameWhileLoading_data() {
    QTest::addColumn<bool>("atStartUp");
    QTest::newRow("at start-up, no name accepted yet") << true;
    QTest::newRow("on reset, after a name was accepted") << false;
}

void TestFrmMainPrefs::digitFirstNameWhileLoading() {
    QFETCH(bool, atStartUp);
    QTemporaryDir folder;
    QStringList lines = sampleLines();
    lines[9] = QStringLiteral("0");  // no CALL tick, which would calculate in the middle
    if (!atStartUp) writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    std::optional<WindowFixture> started;
    if (!atStartUp) {
        started.emplace(folder.path());
        QCOMPARE(started->box("TxtAName")->text(), QStringLiteral("Fast"));
        started->desktop.clear();
    }
    lines[4] = QStringLiteral("1st");
    writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    if (atStartUp)
        started.emplace(folder.path());
    else
        started->press("BtnReset");
    WindowFixture& window = *started;

    // Loading went on after the refused name.
    QStringList expected = sampleApplied();
    expected[9] = QStringLiteral("0");
    expected[4] = atStartUp ? QString() : QStringLiteral("Fast");
    QCOMPARE(settingsOf(window), expected);
    verifyChipShown(window);
    if (atStartUp) {
        QCOMPARE(window.desktop.messageTexts(), (QStringList{kDigitFirst, kBlankNames}));
    } else {
        QCOMPARE(window.desktop.messageTexts(), QStringList{kDigitFirst});
        QVERIFY(window.listing().contains(QStringLiteral("Fast")));
    }
}

void TestFrmMainPrefs::blankNameAtShutDownKeepsTheFile_data() {
    QTest::addColumn<QString>("blankBox");
    QTest::addColumn<bool>("savedBefore");
    QTest::newRow("counter A blank, earlier file") << "TxtAName" << true;
    QTest::newRow("counter B blank, earlier file") << "TxtBName" << true;
    QTest::newRow("counter C blank, earlier file") << "TxtCName" << true;
    QTest::newRow("counter D blank, earlier file") << "TxtDName" << true;
    QTest::newRow("counter C blank, no file yet") << "TxtCName" << false;
}

void TestFrmMainPrefs::blankNameAtShutDownKeepsTheFile() {
    QFETCH(QString, blankBox);
    QFETCH(bool, savedBefore);
    WindowFixture fixture;
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    if (savedBefore) fixture.press("BtnSave");
    const QByteArray before = readFile(fixture.folder.path(), kPreferencesFile);
    QCOMPARE(before.isEmpty(), !savedBefore);

    fixture.box(qPrintable(blankBox))->clear();
    fixture.control<QCheckBox>("ChkAddCR")->setChecked(true);
    fixture.tabs()->setCurrentIndex(3);
    fixture.desktop.clear();
    fixture.window().close();
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNamesOnSave});
    QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(readFile(fixture.folder.path(), kPreferencesFile), before);
    QCOMPARE(filesIn(fixture.folder.path()), savedBefore ? QStringList{kPreferencesFile} : QStringList{});
    QCOMPARE(fixture.desktop.programEnds, 1);  // the program still ends
}

void TestFrmMainPrefs::failedSaveKeepsThePreviousFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("a folder in the way of the file") << "folder in the way";
    QTest::newRow("the disk fills while writing") << "disk full";
    QTest::newRow("read-only program folder") << "read-only folder";
}

void TestFrmMainPrefs::failedSaveKeepsThePreviousFile() {
    QFETCH(QString, fault);
    WindowFixture fixture;
    const QString folder = fixture.folder.path();
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnSave");
    const QByteArray previous = readFile(folder, kPreferencesFile);
    QVERIFY(!previous.isEmpty());

    const auto restorePermissions = qScopeGuard(
        [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (fault == QStringLiteral("read-only folder")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("The folder stays writable: this runs with root rights, which ignore permissions.");
        }
    } else if (fault == QStringLiteral("folder in the way")) {
        QVERIFY(QFile::remove(QDir(folder).filePath(kPreferencesFile)));
        QVERIFY(QDir(folder).mkdir(kPreferencesFile));
    }
    // A typed value rebuilds the listing only; a completed save would recalculate.
    fixture.box("TxtAValue")->setText(QStringLiteral("100"));
    const QString shownCycles = fixture.box("TxtMC")->text();
    fixture.desktop.clear();
    if (fault == QStringLiteral("disk full")) {
        // A file size limit holds for root too: writing past 16 bytes fails as on a full disk.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit unlimited = limit;
        const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        fixture.press("BtnSave");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoredSignal);
    } else {
        fixture.press("BtnSave");
    }

    if (fault == QStringLiteral("folder in the way")) {
        QVERIFY(QFileInfo(QDir(folder).filePath(kPreferencesFile)).isDir());
        QCOMPARE(filesIn(folder), QStringList{});
    } else {
        QCOMPARE(readFile(folder, kPreferencesFile), previous);
        QCOMPARE(filesIn(folder), QStringList{kPreferencesFile});  // no scratch file left
    }
    QCOMPARE(fixture.desktop.messages.size(), 1);
    const QString text = fixture.desktop.messages.front().text;
    QVERIFY2(text.startsWith(QStringLiteral("Error : ")) && text.size() > 8, qPrintable(text));
    QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(fixture.box("TxtMC")->text(), shownCycles);
}

void TestFrmMainPrefs::oneFileWhateverItsCase_data() {
    QTest::addColumn<QStringList>("present");
    QTest::newRow("Kestrune.cfg") << QStringList{QStringLiteral("Kestrune.cfg")};
    QTest::newRow("KESTRUNE.CFG") << QStringList{QStringLiteral("KESTRUNE.CFG")};
    QTest::newRow("kestrune.cfg") << QStringList{QStringLiteral("kestrune.cfg")};
    QTest::newRow("both Kestrune.cfg and kestrune.cfg") << QStringList{QStringLiteral("Kestrune.cfg"), QStringLiteral("kestrune.cfg")};
}

void TestFrmMainPrefs::oneFileWhateverItsCase() {
    QFETCH(QStringList, present);
    QTemporaryDir folder;
    for (const QString& name : present) writeFile(folder.path(), name, fileOf(sampleLines()));
    {
        WindowFixture window(folder.path());
        QCOMPARE(window.box("TxtAName")->text(), QStringLiteral("Fast"));
        window.box("TxtClock")->setText(QStringLiteral("8000000"));
        window.press("BtnSave");
        QVERIFY(window.desktop.messages.isEmpty());
    }
    QStringList sorted = present;
    sorted.sort();
    QCOMPARE(filesIn(folder.path()), sorted);  // no second spelling was created
    // What was saved is what the next start reads.
    WindowFixture next(folder.path());
    QCOMPARE(next.box("TxtClock")->text(), QStringLiteral("8000000"));
}

void TestFrmMainPrefs::savedPositionComesBackOnScreen_data() {
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QPoint>("position");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint home = screen.topLeft();
    QTest::newRow("on screen, exactly") << " 1500 " << " 3000 " << QPoint(200, 100);
    QTest::newRow("top-left corner") << " 0 " << " 0 " << QPoint(0, 0);
    QTest::newRow("partly above the screen") << "-1500 " << " 0 " << QPoint(0, -100);
    QTest::newRow("partly left of the screen") << " 0 " << "-3000 " << QPoint(-200, 0);
    QTest::newRow("last pixel column still shows") << " 0 " << QString::number(screen.right() * 15) << QPoint(screen.right(), 0);
    QTest::newRow("just right of the screen") << " 0 " << QString::number((screen.right() + 1) * 15) << home;
    QTest::newRow("far below") << " 9000000 " << " 0 " << home;
    QTest::newRow("far below, left on screen") << " 9000000 " << " 3000 " << home;
    QTest::newRow("far right, top on screen") << " 1500 " << " 9000000 " << home;
    QTest::newRow("far above and left") << "-9000000 " << "-9000000 " << home;
    QTest::newRow("beyond any pixel count") << " 3e38 " << " 3e38 " << home;
}

void TestFrmMainPrefs::savedPositionComesBackOnScreen() {
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QPoint, position);
    QTemporaryDir folder;
    QStringList lines = sampleLines();
    lines[12] = top;
    lines[13] = left;
    writeFile(folder.path(), kPreferencesFile, fileOf(lines));
    WindowFixture window(folder.path());
    QCOMPARE(window.window().pos(), position);
    // The same from wherever the window stands when the preferences are restored.
    window.window().move(123, 45);
    window.press("BtnReset");
    QCOMPARE(window.window().pos(), position);
    QVERIFY(window.desktop.messages.isEmpty());
}

void TestFrmMainPrefs::defaultsCommand_data() {
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("pic");
    QTest::newRow("PIC defaults, sound on") << true << true;
    QTest::newRow("SX defaults, sound off") << false << false;
}

void TestFrmMainPrefs::defaultsCommand() {
    QFETCH(bool, sound);
    QFETCH(bool, pic);
    WindowFixture fixture;
    fixture.setCounters({QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
    fixture.setChip(!pic);
    fixture.control<QCheckBox>("ChkSound")->setChecked(sound);
    fixture.control<QCheckBox>("ChkPopups")->setChecked(true);
    QStringList lines = defaultLines();
    lines[15] = pic ? QStringLiteral(" 1 ") : QStringLiteral(" 0 ");
    writeFile(fixture.folder.path(), kDefaultsFile, fileOf(lines));
    fixture.desktop.clear();
    fixture.press("BtnDefaults");

    QCOMPARE(fixture.desktop.soundNames(), sound ? QStringList{QStringLiteral("drip")} : QStringList{});
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(settingsOf(fixture),
             (QStringList{QStringLiteral("4000000"), QStringLiteral("Delay4"), QStringLiteral("Delay3"),
                          QStringLiteral("Delay2"), QStringLiteral("Delay1"), QStringLiteral("1"),
                          QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("75"), QStringLiteral("0"),
                          QStringLiteral("Microchip"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("0"), pic ? QStringLiteral("1") : QStringLiteral("0"),
                          QStringLiteral("1"), QStringLiteral("1")}));
    verifyChipShown(fixture);
    // Recalculated and listed with the defaults.
    if (pic) {
        QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1000"));
        QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.00100000"));
    }
    QVERIFY(fixture.listing().contains(QStringLiteral("Delay1")));
    const QString cycles = fixture.box("TxtMC")->text();
    const QString listing = fixture.listing();
    fixture.press("BtnCalcTime");
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    QCOMPARE(fixture.listing(), listing);
    // The defaults file is only ever read.
    QCOMPARE(filesIn(fixture.folder.path()), QStringList{kDefaultsFile});
}

void TestFrmMainPrefs::defaultsCommandWithoutDefaultsFile() {
    WindowFixture fixture;
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.setChip(true);
    const QStringList settings = settingsOf(fixture);
    fixture.desktop.clear();
    fixture.press("BtnDefaults");
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("drip")});
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(settingsOf(fixture), settings);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("766"));  // recalculated all the same
}

void TestFrmMainPrefs::defaultsTab_data() {
    QTest::addColumn<int>("startTab");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("tabClicks");
    QTest::newRow("same tab 1: no click") << 1 << " 1 " << 1 << 0;
    QTest::newRow("same tab 0: no click") << 0 << " 0 " << 0 << 0;
    QTest::newRow("tab 0 to 3") << 0 << " 3 " << 3 << 1;
    QTest::newRow("tab 2 to 0") << 2 << " 0 " << 0 << 1;
    QTest::newRow("tab 3 to 1") << 3 << "1" << 1 << 1;
    QTest::newRow("7 keeps tab 2") << 2 << " 7 " << 2 << 0;
    QTest::newRow("-1 keeps tab 1") << 1 << "-1" << 1 << 0;
    QTest::newRow("1.5 is no tab") << 0 << "1.5" << 0 << 0;
}

void TestFrmMainPrefs::defaultsTab() {
    QFETCH(int, startTab);
    QFETCH(QString, item);
    QFETCH(int, tab);
    QFETCH(int, tabClicks);
    WindowFixture fixture;
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
    fixture.setChip(false);
    fixture.tabs()->setCurrentIndex(startTab);
    // PIC defaults into an SX window: a tab click that recalculated would first show SX cycles.
    QStringList lines = defaultLines();
    lines[11] = item;
    writeFile(fixture.folder.path(), kDefaultsFile, fileOf(lines));
    QSignalSpy clicks(fixture.tabs(), &QTabBar::currentChanged);
    QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
    fixture.press("BtnDefaults");

    QCOMPARE(fixture.tabs()->currentIndex(), tab);
    QCOMPARE(clicks.count(), tabClicks);
    QCOMPARE(shownCycles.count(), 1);
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    QVERIFY(fixture.desktop.messages.isEmpty());
    const QString cycles = fixture.box("TxtMC")->text();
    fixture.press("BtnCalcTime");
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    // The user's next tab click recalculates.
    fixture.tabs()->setCurrentIndex((tab + 1) % 4);
    QVERIFY(fixture.box("TxtMC")->text() != cycles);
}

void TestFrmMainPrefs::defaultsPopups_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("0 ticks") << "0" << true;
    QTest::newRow("saved 0 ticks") << " 0 " << true;
    QTest::newRow("False unticks") << "False" << false;
    QTest::newRow("False between spaces unticks") << " False " << false;
    QTest::newRow("lower-case false ticks") << "false" << true;
    QTest::newRow("saved 1 ticks") << " 1 " << true;
}

void TestFrmMainPrefs::defaultsPopups() {
    QFETCH(QString, item);
    QFETCH(bool, ticked);
    WindowFixture fixture;
    auto* popups = fixture.control<QCheckBox>("ChkPopups");
    popups->setChecked(!ticked);
    QStringList lines = defaultLines();
    lines[14] = item;
    writeFile(fixture.folder.path(), kDefaultsFile, fileOf(lines));
    fixture.press("BtnDefaults");
    QCOMPARE(popups->isChecked(), ticked);
}

void TestFrmMainPrefs::damagedFileNeverHurts_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("18 empty lines") << fileOf(QStringList(18, QString()));
    QTest::newRow("18 lines of spaces") << fileOf(QStringList(18, QStringLiteral("   ")));
    QTest::newRow("line feeds only") << QByteArray(18, '\n');
    QStringList longName = sampleLines();
    longName[1] = QString(200000, QLatin1Char('x'));
    QTest::newRow("a 200 000 character name") << fileOf(longName);
    QStringList longValue = sampleLines();
    longValue[5] = QString(200000, QLatin1Char('9'));
    QTest::newRow("a 200 000 digit value") << fileOf(longValue);
    QTest::newRow("a first line beyond the read limit") << QByteArray(3 << 20, 'x') + fileOf(sampleLines());
    QTest::newRow("a name line beyond the read limit") << QByteArray("4000000\r\n") + QByteArray(3 << 20, 'y');
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
    for (quint32 seed : {11u, 12u, 13u, 14u})
        QTest::addRow("binary garbage, seed %u", seed) << randomBytes(seed, 4096);
    QTest::newRow("binary garbage in short lines") << randomBytes(15, 4096).replace('\0', '\n');
}

void TestFrmMainPrefs::damagedFileNeverHurts() {
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    writeFile(folder.path(), kPreferencesFile, content);
    WindowFixture window(folder.path());
    verifyMessagesAreClear(window.desktop);
    // Whatever was loaded, the window goes on working.
    window.box("TxtClock")->setText(QStringLiteral("4000000"));
    const std::array<const char*, 4> nameBoxes = {"TxtAName", "TxtBName", "TxtCName", "TxtDName"};
    const std::array<const char*, 4> valueBoxes = {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"};
    for (int counter = 0; counter < 4; ++counter) {
        window.box(nameBoxes[counter])->setText(QStringLiteral("Cnt") + QLatin1Char(static_cast<char>('A' + counter)));
        window.box(valueBoxes[counter])->setText(counter == 0 ? QStringLiteral("255") : QStringLiteral("1"));
    }
    window.control<QCheckBox>("ChkAddCR")->setChecked(false);
    window.tabs()->setCurrentIndex(0);
    if (window.state().ChipType != calc::ChipMchip) window.press("BtnChip");
    window.press("BtnCalcTime");
    QCOMPARE(window.box("TxtMC")->text(), QStringLiteral("766"));
    window.desktop.clear();
    window.press("BtnSave");
    QVERIFY(window.desktop.messages.isEmpty());
    QVERIFY(readFile(folder.path(), kPreferencesFile).startsWith("4000000\r\nCntD\r\n"));
}

void TestFrmMainPrefs::bytesAfterTheItemsAreIgnored() {
    QTemporaryDir folder;
    writeFile(folder.path(), kPreferencesFile, fileOf(sampleLines()) + randomBytes(21, 65536));
    WindowFixture window(folder.path());
    QCOMPARE(settingsOf(window), sampleApplied());
    QVERIFY(window.desktop.messages.isEmpty());
    verifyChipShown(window);
}

QTEST_MAIN(TestFrmMainPrefs)
#include "tst_frmmain_prefs.moc"
