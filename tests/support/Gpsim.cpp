#include "support/Gpsim.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The watchdog is off (it would reset a long delay); the counters of the window and of
// kestrune-cli lie in the first general-purpose registers. The nop comes first because gpsim
// never breaks on the reset vector it starts at.
const QString kPrologue =
    u"\tlist\tp=16f84\n\tinclude\t<p16f84.inc>\n\t__config\t_WDT_OFF & _XT_OSC & _PWRTE_OFF & _CP_OFF\n"
    u"\tcblock\t0x0C\n\tCntA, CntB, CntC, CntD, Delay1, Delay2, Delay3, Delay4\n\tendc\n\torg\t0\n\tnop\n"_s;

QString runTool(const QString& folder, const QString& tool, const QStringList& arguments, bool& succeeded) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    const bool finished = process.waitForFinished(120000);
    if (!finished) process.kill();
    process.waitForFinished();
    succeeded = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return (finished ? QString() : tool + u" did not finish\n"_s) + QString::fromLocal8Bit(process.readAll());
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toLatin1()) == text.size();
}

}  // namespace

bool gpsimAvailable() {
    return !QStandardPaths::findExecutable(u"gpasm"_s).isEmpty() && !QStandardPaths::findExecutable(u"gpsim"_s).isEmpty();
}

GpsimCycles cyclesInGpsim(const QList<GpsimPiece>& pieces, qint64 cycleLimit) {
    // Label Bn before each piece and after the last; the cycle counter read at each of them.
    QString program = kPrologue;
    QString subroutines;
    QString script = u"load delay.cod\n"_s;
    for (qsizetype at = 0; at < pieces.size(); ++at) {
        const QString listing = QString(pieces[at].listing).remove(u'\r').replace(u"loop"_s, u"loop%1"_s.arg(at));
        program += u"B%1\n"_s.arg(at) + (pieces[at].subroutine ? u"\tcall\tR%1\n"_s.arg(at) : listing + u'\n');
        if (pieces[at].subroutine) subroutines += u"R%1\n"_s.arg(at) + listing + u'\n';
        script += u"break e B%1\n"_s.arg(at);
    }
    program += u"B%1\n\tgoto\tB%1\n"_s.arg(pieces.size()) + subroutines + u"\tend\n"_s;
    script += u"break e B%1\nbreak c %2\n"_s.arg(pieces.size()).arg(cycleLimit) + u"run\ncycles\n"_s.repeated(pieces.size() + 1) + u"quit\n"_s;

    GpsimCycles result;
    QTemporaryDir folder;
    if (!writeFile(folder.filePath(u"delay.asm"_s), program) || !writeFile(folder.filePath(u"delay.stc"_s), script)) {
        result.failure = u"cannot write the test program"_s;
        return result;
    }
    bool succeeded = false;
    const QString assembly = runTool(folder.path(), u"gpasm"_s, {u"delay.asm"_s}, succeeded);
    if (!succeeded) {
        result.failure = u"gpasm refused the program:\n"_s + assembly + program;
        return result;
    }
    const QString simulation = runTool(folder.path(), u"gpsim"_s, {u"-i"_s, u"-S"_s, u"disable"_s, u"-c"_s, u"delay.stc"_s}, succeeded);
    // gpsim answers "cycles" with the count in decimal and in hex: "14939 = 0x00003A5B".
    static const QRegularExpression reading(u"(\\d+) = 0x([0-9A-Fa-f]+)"_s);
    QList<qint64> readings;
    for (const QRegularExpressionMatch& match : reading.globalMatch(simulation))
        if (match.captured(1).toLongLong() == match.captured(2).toLongLong(nullptr, 16)) readings << match.captured(1).toLongLong();
    if (!succeeded || readings.size() != pieces.size() + 1 || readings.back() >= cycleLimit) {
        result.failure = u"gpsim did not read the cycles at every piece:\n"_s + simulation;
        return result;
    }
    for (qsizetype at = 0; at < pieces.size(); ++at) result.cycles << readings[at + 1] - readings[at];
    return result;
}
