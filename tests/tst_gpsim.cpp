// The Microchip listings judged by a real assembler and simulator: the cycles gpsim counts for
// the listing the window shows must equal the count the window shows beside it.
#include <QDebug>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "support/WindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QString kGpasm = u"gpasm"_s;
const QString kGpsim = u"gpsim"_s;

// A PIC16F84 with the watchdog off (it would reset a long delay) and the four counters in its
// first general-purpose registers. The nop comes first because gpsim never breaks on the reset
// vector it starts at.
const QString kPrologue =
    u"\tlist\tp=16f84\n"
    u"\tinclude\t<p16f84.inc>\n"
    u"\t__config\t_WDT_OFF & _XT_OSC & _PWRTE_OFF & _CP_OFF\n"
    u"\tcblock\t0x0C\n"
    u"\tCntA, CntB, CntC, CntD\n"
    u"\tendc\n"
    u"\torg\t0\n"
    u"\tnop\n"
    u"Start\n"_s;

// Reads the cycle counter at Start and at Done. The cycle break (%1) stops a routine that
// never gets to Done long before the process timeout would.
const QString kScript =
    u"load delay.cod\n"
    u"break e Start\n"
    u"break e Done\n"
    u"break c %1\n"
    u"run\n"
    u"cycles\n"
    u"run\n"
    u"cycles\n"
    u"quit\n"_s;

constexpr int kAssembleMs = 30000;
constexpr int kSimulateMs = 60000;  // a 100 s delay at 4 MHz takes gpsim under two seconds

struct Simulation {
    qint64 cycles = -1;
    QString failure;  // empty when cycles holds gpsim's count
};

// The listing, unchanged, as a straight-line routine between Start and Done, or, when it ends
// in a return, as the subroutine Delay that Start calls.
QString programFor(const QString& listing, bool subroutine) {
    if (subroutine)
        return kPrologue + u"\tcall\tDelay\nDone\n\tgoto\tDone\nDelay\n"_s + listing +
               u"\n\tend\n"_s;
    return kPrologue + listing + u"\nDone\n\tgoto\tDone\n\tend\n"_s;
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    const QByteArray bytes = text.toLatin1();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs a tool in the folder; its merged output, or why it did not finish, for the failure message.
QString runTool(const QString& folder, const QString& tool, const QStringList& arguments,
                int timeoutMs, bool& succeeded) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    succeeded = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (!finished) return u"%1 did not finish within %2 ms\n"_s.arg(tool).arg(timeoutMs) + output;
    return output;
}

// The cycles gpsim counts for the listing on a PIC16F84, giving up after cycleLimit.
Simulation simulate(const QString& listing, bool subroutine, qint64 cycleLimit) {
    Simulation result;
    QTemporaryDir folder;
    if (!folder.isValid() ||
        !writeFile(folder.filePath(u"delay.asm"_s), programFor(listing, subroutine)) ||
        !writeFile(folder.filePath(u"delay.stc"_s), kScript.arg(cycleLimit))) {
        result.failure = u"cannot write the test program into a temporary folder"_s;
        return result;
    }

    bool succeeded = false;
    const QString assembly =
        runTool(folder.path(), kGpasm, {u"delay.asm"_s}, kAssembleMs, succeeded);
    if (!succeeded) {
        result.failure = u"gpasm refused the listing:\n"_s + assembly;
        return result;
    }

    const QString simulation =
        runTool(folder.path(), kGpsim, {u"-i"_s, u"-S"_s, u"disable"_s, u"-c"_s, u"delay.stc"_s},
                kSimulateMs, succeeded);
    // gpsim answers "cycles" with the count in decimal and in hex: "14939 = 0x00003A5B".
    static const QRegularExpression reading(u"(\\d+) = 0x([0-9A-Fa-f]+)"_s);
    QList<qint64> readings;
    for (const QRegularExpressionMatch& match : reading.globalMatch(simulation)) {
        const qint64 decimal = match.captured(1).toLongLong();
        if (decimal == match.captured(2).toLongLong(nullptr, 16)) readings.append(decimal);
    }
    if (!succeeded || readings.size() != 2) {
        result.failure = u"gpsim gave no two cycle readings:\n"_s + simulation;
        return result;
    }
    if (readings[1] >= cycleLimit) {
        result.failure =
            u"the routine ran for %1 cycles without reaching its end"_s.arg(cycleLimit);
        return result;
    }
    result.cycles = readings[1] - readings[0];
    return result;
}

// Judges what the window shows now: its listing in gpsim against its cycle count.
void judgeShownListing(const WindowFixture& fixture) {
    QVERIFY2(fixture.desktop.messages.isEmpty(),
             qPrintable(fixture.desktop.messageTexts().join(u'\n')));
    const QString listing = fixture.listing();
    const QString readable = u"\nListing:\n"_s + QString(listing).remove(u'\r');
    QVERIFY2(listing.startsWith(u";PIC Time Delay = "_s), qPrintable(readable));
    bool isNumber = false;
    const qint64 shownCycles = fixture.box("TxtMC")->text().toLongLong(&isNumber);
    QVERIFY2(isNumber, qPrintable(fixture.box("TxtMC")->text()));

    const bool subroutine = fixture.control<QCheckBox>("ChkAddCR")->isChecked();
    const Simulation simulation = simulate(listing, subroutine, 2 * shownCycles + 1000);
    QVERIFY2(simulation.failure.isEmpty(), qPrintable(simulation.failure + readable));
    if (simulation.cycles != shownCycles) qInfo().noquote() << readable;
    QCOMPARE(simulation.cycles, shownCycles);
}

// A PIC window in Microchip format with the counters named CntA to CntD.
void prepare(WindowFixture& fixture, const QString& clock, const QStringList& values,
             bool addCallReturn) {
    fixture.setChip(true);
    fixture.setTicked("OptMicroChip", true);
    fixture.box("TxtClock")->setText(clock);
    fixture.setCounters({values[0], values[1], values[2], values[3]});
    fixture.setTicked("ChkAddCR", addCallReturn);
}

const char* const kDepthNames[] = {"Single", "Double", "Triple", "Quad"};

const char* callReturnText(bool addCallReturn) {
    return addCallReturn ? "with call and return" : "alone";
}

}  // namespace

class TestGpsim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void typedCounters_data();
    void typedCounters();
    void searchedCounters_data();
    void searchedCounters();
};

void TestGpsim::initTestCase() {
    if (QStandardPaths::findExecutable(kGpasm).isEmpty() ||
        QStandardPaths::findExecutable(kGpsim).isEmpty())
        QSKIP(
            "gpasm and gpsim (Debian packages gputils and gpsim) are needed to judge the listings");
}

void TestGpsim::typedCounters_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<bool>("addCallReturn");

    const QString clock = u"4000000"_s;
    for (const bool addCallReturn : {false, true}) {
        const char* tail = callReturnText(addCallReturn);
        for (int depth = 1; depth <= 4; ++depth) {
            const char* name = kDepthNames[depth - 1];
            QTest::addRow("%s, all at 1, %s", name, tail)
                << depth << QStringList{u"1"_s, u"1"_s, u"1"_s, u"1"_s} << clock << addCallReturn;
            QTest::addRow("%s, mixed, %s", name, tail)
                << depth << QStringList{u"100"_s, u"20"_s, u"5"_s, u"2"_s} << clock
                << addCallReturn;
            QTest::addRow("%s, 255 and 2, %s", name, tail)
                << depth << QStringList{u"255"_s, u"2"_s, u"255"_s, u"1"_s} << clock
                << addCallReturn;
            // 0 stands for 256 passes. D at 0 in the Quad routine is left out: about 1.3e10
            // cycles, over three minutes in gpsim.
            for (int counter = 0; counter < std::min(depth, 3); ++counter) {
                QStringList values{u"1"_s, u"1"_s, u"1"_s, u"1"_s};
                values[counter] = u"0"_s;
                QTest::addRow("%s, %c at 0, %s", name, 'A' + counter, tail)
                    << depth << values << clock << addCallReturn;
            }
        }
    }
    QTest::newRow("Quad, A to C at 0, alone")
        << 4 << QStringList{u"0"_s, u"0"_s, u"0"_s, u"1"_s} << clock << false;
    QTest::newRow("Single, at 32768 Hz, alone")
        << 1 << QStringList{u"37"_s, u"1"_s, u"1"_s, u"1"_s} << u"32768"_s << false;
    QTest::newRow("Double, mixed, at 3579545 Hz, alone")
        << 2 << QStringList{u"100"_s, u"20"_s, u"5"_s, u"2"_s} << u"3579545"_s << false;
    QTest::newRow("Triple, mixed, at 20 MHz, with call and return")
        << 3 << QStringList{u"100"_s, u"20"_s, u"5"_s, u"2"_s} << u"20000000"_s << true;
}

void TestGpsim::typedCounters() {
    QFETCH(int, depth);
    QFETCH(QStringList, values);
    QFETCH(QString, clock);
    QFETCH(bool, addCallReturn);

    WindowFixture fixture;
    prepare(fixture, clock, values, addCallReturn);
    fixture.clickTab(depth - 1);
    fixture.press("BtnCalcTime");

    judgeShownListing(fixture);
}

void TestGpsim::searchedCounters_data() {
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<bool>("addCallReturn");
    QTest::addColumn<int>("depth");

    // Requests at or beyond the longest Quad delay are left out: about 1.3e10 cycles.
    const QString at4MHz = u"4000000"_s;
    const QString at20MHz = u"20000000"_s;
    for (const bool addCallReturn : {false, true}) {
        const char* tail = callReturnText(addCallReturn);
        QTest::addRow("0.5 us, raised to the shortest, %s", tail)
            << u"0.0000005"_s << at4MHz << addCallReturn << 1;
        QTest::addRow("0.5 ms, %s", tail) << u"0.0005"_s << at4MHz << addCallReturn << 1;
        // The longest Single delay itself takes two loops; less the call and return, one.
        QTest::addRow("0.769 ms, %s", tail)
            << u"0.000769"_s << at4MHz << addCallReturn << (addCallReturn ? 1 : 2);
        QTest::addRow("1 ms, %s", tail) << u"0.001"_s << at4MHz << addCallReturn << 2;
        QTest::addRow("0.5 s, %s", tail) << u"0.5"_s << at4MHz << addCallReturn << 3;
        QTest::addRow("1 s, %s", tail) << u"1"_s << at4MHz << addCallReturn << 3;
        QTest::addRow("100 s, %s", tail) << u"100"_s << at4MHz << addCallReturn << 4;
        QTest::addRow("10 ms at 20 MHz, %s", tail) << u"0.01"_s << at20MHz << addCallReturn << 2;
        QTest::addRow("0.2 s at 20 MHz, %s", tail) << u"0.2"_s << at20MHz << addCallReturn << 3;
        QTest::addRow("15 s at 20 MHz, %s", tail) << u"15"_s << at20MHz << addCallReturn << 4;
    }
}

void TestGpsim::searchedCounters() {
    QFETCH(QString, delay);
    QFETCH(QString, clock);
    QFETCH(bool, addCallReturn);
    QFETCH(int, depth);

    WindowFixture fixture;
    prepare(fixture, clock, {u"1"_s, u"1"_s, u"1"_s, u"1"_s}, addCallReturn);
    fixture.box("TxtTime")->setText(delay);
    fixture.press("BtnCalcValues");
    QCOMPARE(fixture.tabs()->currentIndex(), depth - 1);

    judgeShownListing(fixture);
}

QTEST_MAIN(TestGpsim)
#include "tst_gpsim.moc"
