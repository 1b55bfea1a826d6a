// The preferences through the window: saved at close and loaded at the next start, the load
// that stops at its first bad item, the defaults command, failed and refused saves, files
// that are not plain files, and the window's place on the screen.
#include <QDateTime>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

#include "support/FileKinds.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"
#include "ui/ScreenFit.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A preferences file in which every setting differs from the state start-up prepares, and
// the settings as the window then shows them.
const QString kSample = u"4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/ 2 / 1500 / 1500 / 1 / 1 / 0 / 0 "_s;
const QString kSampleShown = u"4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/2/1500/1500/1/1/0/0"_s;
// The settings as start-up leaves them when no file sets them.
const QString kStartUp = u"/////0/0/0/0/0/Microchip/0/0/0/0/0/1/1"_s;

// The sample with some of its lines replaced: "12=two" puts "two" on line 12; "-n" keeps n lines.
QString sample(std::initializer_list<const char*> changes, const QString& of = kSample) {
    QStringList lines = of.split(u'/');
    for (const char* change : changes) {
        const QString text = QString::fromUtf8(change);
        if (text.startsWith(u'-')) lines = lines.mid(0, text.mid(1).toInt());
        else lines[text.section(u'=', 0, 0).toInt() - 1] = text.section(u'=', 1);
    }
    return lines.join(u'/');
}

void row(const char* name, const QString& steps, const QString& then) { QTest::newRow(name) << steps << then; }

}  // namespace

class TestFrmMainPrefs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void behaviour_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("then");
        // What the window holds is saved at close and back at the next start, calculated.
        row("saved at close, PIC, Microchip, one loop",
            u"pic | type TxtClock 4000000 | counters 75 2 3 4 | click OptMicroChip | tab 0 | untick ChkPopups | untick ChkSound | untick ChkAnimateLogo | forget | restart"_s,
            u"settings = 4000000/CntD/CntC/CntB/CntA/4/3/2/75/0/Microchip/0/0/0/0/1/0/0 | chip picture = Mchip | TxtMC = 226 | played "
            "| file kestrune.cfg = 4000000/CntD/CntC/CntB/CntA/4/3/2/75/0/Microchip/ 0 / 0 / 0 / 0 / 1 / 0 / 0 /"_s);
        row("saved at close, SX, Parallax, four loops, names as they may be",
            u"sx | type TxtClock 50000000 | counters 1 1 0 0 | type TxtDName outer.d | type TxtCName _c? | type TxtAName zaehler | tick ChkAddCR "
            "| click OptParallax | tab 3 | tick ChkPopups | forget | restart"_s,
            u"settings = 50000000/outer.d/_c?/CntB/zaehler/0/0/1/1/1/Parallax/3/0/0/1/0/1/1 | chip picture = Sxturbo | TxtMC = 17230135316 | played donuts elvis "
            "| listing ^= ;SX-Turbo Time Delay = 344.60270632 s with Osc = 50000000 Hz\r\n\t\tmov\touter.d,#0"_s);
        // A load stops at its first bad item and keeps what it applied; only a load read to its
        // end shows the chip and calculates.
        row("no file", u"start"_s, u"settings = "_s + kStartUp + u" | chip picture = Sxturbo | Label5 = Machine Cycles: | TxtMC = | listing = "_s);
        row("ends after line 17", u"write kestrune.cfg "_s + sample({"-17"}) + u" | start"_s,
            u"settings = 4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/2/1500/1500/1/1/0/1 | chip picture = Sxturbo | Label5 = Machine Cycles:"_s);
        row("the sample", u"write kestrune.cfg "_s + kSample + u" | start"_s,
            u"settings = "_s + kSampleShown + u" | chip picture = Mchip | Label7 = mc | window.pos = 100,100"_s);
        // A saved position that would leave part of the window off the screen (800 x 600 on the
        // offscreen platform) comes back the least distance, however far off it lies.
        row("a position off the screen", u"write kestrune.cfg "_s + sample({"13=-1500 ", "14= 3e38 "}) + u" | start"_s,
            u"window.pos = 160,0"_s);
        row("a chip of 7 read to the end is a PIC", u"write kestrune.cfg "_s + sample({"16= 7 ", "10=0"}) + u" | start | restart"_s,
            u"chip picture = Mchip | settings = "_s + sample({"10=0"}, kSampleShown));
        // A name refused while loading shows its message and the load goes on; at start-up no
        // name was accepted yet, so the box stays empty and the calculation finds a blank.
        row("a name that starts with a digit, at start-up", u"write kestrune.cfg "_s + sample({"5=1st", "10=0"}) + u" | start"_s,
            u"said Do not use a number as the first character of a counter name! | said You must not have any blank counter names. "
            "| settings = "_s + sample({"5=", "10=0"}, kSampleShown));
        // A blank name at shut-down refuses the save; the earlier file stays, and the program ends.
        row("a blank name at shut-down", u"write kestrune.cfg "_s + kSample + u" | start | type TxtCName | tab 3 | forget | click BtnQuit"_s,
            u"said You must not have any blank counter names. Preference saving aborted. | file kestrune.cfg = "_s + kSample + u'/');
        // The defaults command: a change of tab does not recalculate, the command does, once.
        row("defaults: PIC, the same tab, pop-ups 0 ticks",
            u"sx | type TxtClock 8000000 | counters 9 9 9 9 | tab 1 | write Kestrune.def "_s + sample({"15=0", "11=Microchip", "10=0"}) + u" | watch TxtMC | click BtnDefaults"_s,
            u"played drip | changes of TxtMC = 1 | SuppressTabRecalc = 0 | chip picture = Mchip | settings = "_s +
                sample({"15=1", "11=Microchip", "10=0"}, kSampleShown) + u" | file kestrune.cfg = missing"_s);
        row("defaults: SX, tab 2 to 0, False unticks",
            u"pic | counters 9 9 9 9 | tab 2 | tick ChkPopups | write Kestrune.def "_s + sample({"12= 0 ", "15=False", "16=0", "10=0"}) + u" | watch TxtMC | click BtnDefaults | tab 1"_s,
            u"changes of TxtMC = 2 | tab = 1 | chip picture = Sxturbo | Label5 = Clock Cycles: | unticked ChkPopups"_s);
        row("defaults: 7 and 1.5 are no tab, false ticks",
            u"pic | counters 9 9 9 9 | tab 2 | write Kestrune.def "_s + sample({"12=1.5", "10=0"}) + u" | click BtnDefaults | write Kestrune.def "_s +
                sample({"12= 7 ", "15=false", "10=0"}) + u" | untick ChkPopups | click BtnDefaults"_s,
            u"tab = 2 | ticked ChkPopups | SuppressTabRecalc = 0"_s);
    }
    void behaviour() {
        QFETCH(QString, steps);
        QFETCH(QString, then);
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, steps, then);
    }

    void fullDiskKeepsWhatWasThere() {
        WindowFixture fixture;
        runSteps(fixture, u"write kestrune.cfg "_s + kSample + u" | start"_s);
        // A file size limit holds for root too: writing past 16 bytes fails as on a full disk.
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        runSteps(fixture, u"type TxtAValue 99 | click BtnQuit"_s);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoredSignal);
        // The message names the file and why; the file is whole, and no scratch file is left.
        QVERIFY_HOLDS(fixture, u"said Error : %1 could not be written: File too large | file kestrune.cfg = %2/"_s
                                   .arg(fixture.folder.filePath(u"kestrune.cfg"_s), kSample));
        QCOMPARE(QDir(fixture.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList(u"kestrune.cfg"_s));
    }

    void notPlainFilesHoldNothingUp() {
        // Read as a missing file: the start-up state, or the settings as they stand.
        for (const QString& pipe : {u"kestrune.cfg"_s, u"Kestrune.def"_s}) {
            WindowFixture window;
            QVERIFY(makeSpecial(u"named pipe"_s, window.folder.filePath(pipe)));
            QVERIFY_SCENARIO(window, u"start | click BtnDefaults"_s, u"settings ^= /////0/0/0/0/0/Microchip"_s);
        }
        // A temporary file an interrupted save left is gone after the next start.
        WindowFixture fixture;
        runSteps(fixture, u"write kestrune.cfg "_s + kSample + u" | write kestrune.cfg.x7Kq2Z 4000000/Ou"_s);
        QFile leftover(fixture.folder.filePath(u"kestrune.cfg.x7Kq2Z"_s));
        QVERIFY(leftover.open(QIODevice::Append) && leftover.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        leftover.close();
        fixture.restart(false);
        QVERIFY(!leftover.exists());
        QVERIFY_HOLDS(fixture, u"settings = "_s + kSampleShown);
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
        QTest::newRow("one pixel on the second screen") << QPoint(3199, 1079) << QList<QRect>{screen, right} << QPoint(2560, 648);
        QTest::newRow("larger than its screen") << QPoint(20, 20) << QList<QRect>{QRect(0, 0, 600, 400)} << QPoint(0, 0);
    }
    void fitOnScreen() {
        QFETCH(QPoint, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        QCOMPARE(ui::fitOnScreen(QRect(saved, QSize(640, 432)), screens, screens.front()), placed);
    }
};

QTEST_MAIN(TestFrmMainPrefs)
#include "tst_frmmain_prefs.moc"
