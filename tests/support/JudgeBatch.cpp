#include "support/Judges.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <limits>
#include <numeric>

using namespace Qt::StringLiterals;

namespace judge {

namespace {

// A label an earlier piece defined (in any case: avra ignores it) is made this piece's own, so pieces that share
// a loop or routine name sit in one program; each name is still assembled as printed once. GNU as's numeric
// local labels never clash.
QString withOwnLabels(QString listing, qsizetype piece, QSet<QString>& taken) {
    listing.remove(u'\r');
    static const QRegularExpression definition(u"^([A-Za-z_][\\w.?]*):?(?=\\s|$)"_s, QRegularExpression::MultilineOption);
    QSet<QString> defined;
    for (const QRegularExpressionMatch& match : definition.globalMatch(listing)) defined << match.captured(1);
    for (const QString& label : defined) {
        const QRegularExpression use(u"(?<![\\w.?])%1(?![\\w.?])"_s.arg(QRegularExpression::escape(label)));
        if (taken.contains(label.toLower())) listing.replace(use, u"%1_%2"_s.arg(label).arg(piece));
        taken << label.toLower();
    }
    return listing;
}

}  // namespace

QString batchProgram(const QString& colon, const QString& jump, const QString& call, const QList<JudgedPiece>& pieces) {
    QString subroutines, main;
    QSet<QString> taken;
    for (qsizetype at = 0; at < pieces.size(); ++at) {
        const QString listing = withOwnLabels(pieces[at].listing, at, taken) + u'\n';
        const QString marker = u"mark%1"_s.arg(at) + colon;
        if (!pieces[at].subroutine) {
            main += marker + u'\n' + listing;
            continue;
        }
        main += u"%1\t%2\tpiece%3\n"_s.arg(marker, call).arg(at);
        subroutines += u"piece%1"_s.arg(at) + colon + u'\n' + listing;
    }
    const QString end = u"mark%1"_s.arg(pieces.size());
    return u"\t%1\tmark0\n"_s.arg(jump) + subroutines + main + u"%1%2\t%3\t%1\n"_s.arg(end, colon, jump);
}

qint64 cycleLimit(const JudgedPiece& piece) { return 2 * piece.cycles + 1000; }

qint64 cycleLimit(const QList<JudgedPiece>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), qint64(1000),
                           [](qint64 sum, const JudgedPiece& piece) { return sum + cycleLimit(piece); });
}

ToolRun runTool(const QString& folder, const QString& tool, const QStringList& arguments, const QString& input, qint64 cycles) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    process.write(input.toLatin1());
    process.closeWriteChannel();
    if (!process.waitForFinished(int(std::min<qint64>(120000 + cycles / 1000, std::numeric_limits<int>::max())))) process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, QString::fromLocal8Bit(process.readAll())};
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toLatin1()) == text.size();
}

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

bool toolsFound(const QStringList& tools) {
    return std::ranges::all_of(tools, [](const QString& tool) { return !QStandardPaths::findExecutable(tool).isEmpty(); });
}

QString refusal(const QString& tool, const ToolRun& run, const QString& program) {
    return u"%1 refused the program:\n%2\n%3"_s.arg(tool, run.output, program);
}

QString differences(const QString& simulator, const QList<JudgedPiece>& pieces, const QList<qint64>& readings,
                    const QString& output) {
    if (readings.isEmpty()) return u"%1 did not reach the first piece:\n%2"_s.arg(simulator, output);
    QString differences;
    for (qsizetype at = 0; at < pieces.size() && at + 1 < readings.size(); ++at)
        if (const qint64 counted = readings[at + 1] - readings[at]; counted != pieces[at].cycles)
            differences += u"%1: %2 counts %3, not %4\n%5\n"_s.arg(pieces[at].origin, simulator).arg(counted).arg(pieces[at].cycles)
                               .arg(pieces[at].listing);
    if (const qsizetype unfinished = readings.size() - 1; unfinished < pieces.size())
        differences += u"%1: %2 did not see it end within the cycle limit:\n%3\n%4"_s.arg(
            pieces[unfinished].origin, simulator, pieces[unfinished].listing, output.right(3000));
    return differences;
}

}  // namespace judge
