// Arbitrary bytes as the arguments of kestrune-cli, run in-process as the program runs them.
// The arguments are split at NUL bytes: a C argument vector cannot hold one, so every other
// byte can reach an argument. Written to memory a report cannot fail, so a run ends in 0 or 2,
// and a refusal is one line and nothing else. A report's numbers are judged in its JSON form:
// delays and cycle counts finite and not negative, counters whole register values.
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "cli/Cli.h"

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

bool isOneLine(const QString& text) { return text.endsWith(QLatin1Char('\n')) && text.count(QLatin1Char('\n')) == 1; }

QString run(const QStringList& arguments) {
    QString out, err;
    int status = 0;
    {  // the streams write everything out as they close
        QTextStream outStream(&out), errStream(&err);
        status = cli::runCli(arguments, outStream, errStream);
    }
    if (status == cli::ExitBadInput) require(out.isEmpty() && isOneLine(err));
    else require(status == cli::ExitOk && !out.isEmpty() && (err.isEmpty() || isOneLine(err)));
    return out;
}

// Counts beyond a double are written as they are, so the text is read as a long double.
long double numberIn(const QString& text) {
    const QByteArray latin = text.toLatin1();
    char* end = nullptr;
    const long double value = std::strtold(latin.constData(), &end);
    require(!latin.isEmpty() && end == latin.constData() + latin.size() && std::isfinite(value));
    return value;
}

void checkJsonReport(const QString& report) {
    // Qt's reader refuses numbers beyond a double, so the counts are read as texts. Each key
    // starts a line of the indented object, where no string can reach.
    static const QRegularExpression counts(QStringLiteral("^( *\"(?:wanted_cycles|achieved_cycles|cycles_left)\": )([^,\n]+)"),
                                           QRegularExpression::MultilineOption);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QString(report).replace(counts, QStringLiteral("\\1\"\\2\"")).toUtf8(), &error);
    require(error.error == QJsonParseError::NoError);
    const QJsonObject object = document.object();
    // A number that is not finite is written as null.
    for (const char* key : {"clock_hz", "delay_s", "cycles"}) require(object[QLatin1StringView(key)].toDouble(-1) >= 0);
    for (const QJsonValue counter : object[QLatin1StringView("counters")].toArray())
        require(counter.toDouble(-1) >= 0 && counter.toDouble() <= 255 && std::floor(counter.toDouble()) == counter.toDouble());
    if (!object.contains(QLatin1StringView("wanted_cycles"))) return;
    require(object[QLatin1StringView("requested_delay_s")].toDouble(-1) >= 0 && object[QLatin1StringView("time_error_s")].isDouble());
    for (const char* key : {"wanted_cycles", "achieved_cycles"}) require(numberIn(object[QLatin1StringView(key)].toString()) >= 0);
    numberIn(object[QLatin1StringView("cycles_left")].toString());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // kestrune-cli runs inside its application object; the fuzzer's own arguments are not its.
    static int argc = 1;
    static char name[] = "kestrune-cli";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList arguments;
    // As QCoreApplication::arguments() decodes the program's own.
    if (size > 0)
        for (const QByteArray& argument : QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0'))
            arguments << QString::fromLocal8Bit(argument);
    const QString report = run(arguments);
    if (report.startsWith(QLatin1Char('{')))
        checkJsonReport(report);
    else if (report.startsWith(QLatin1StringView("Loop depth: ")))
        checkJsonReport(run(QStringList{QStringLiteral("--json")} + arguments));
    return 0;
}
