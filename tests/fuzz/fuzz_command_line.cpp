// Arbitrary bytes as the arguments of kestrune-cli, run in-process as the program runs them.
// The arguments are split at NUL bytes: a C argument vector cannot hold one, so every other
// byte can reach an argument. Written to memory a report cannot fail, so a run ends in 0 or 2,
// and a refusal is one line and nothing else. A report's numbers are judged in its JSON form:
// delays and cycle counts finite and not negative, counters whole register values.
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

void checkJsonReport(const QString& report) {
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(report.toUtf8(), &error).object();
    require(error.error == QJsonParseError::NoError);
    // A number that is not finite would be written as null; only counts beyond a double may be.
    for (const char* key : {"clock_hz", "delay_s", "cycles"}) require(object[QLatin1StringView(key)].toDouble(-1) >= 0);
    for (const QJsonValue counter : object[QLatin1StringView("counters")].toArray())
        require(counter.toDouble(-1) >= 0 && counter.toDouble() <= 255 && std::floor(counter.toDouble()) == counter.toDouble());
    if (!object.contains(QLatin1StringView("wanted_cycles"))) return;
    require(object[QLatin1StringView("requested_delay_s")].toDouble(-1) >= 0 && object[QLatin1StringView("time_error_s")].isDouble());
    require(object[QLatin1StringView("achieved_cycles")].toDouble(-1) >= 0);
    const QJsonValue wanted = object[QLatin1StringView("wanted_cycles")];
    require(wanted.isNull() ? object[QLatin1StringView("cycles_left")].isNull() : wanted.toDouble() >= 0 && object[QLatin1StringView("cycles_left")].isDouble());
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
