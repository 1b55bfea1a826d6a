// Speed of one request as the window and kestrune-cli make it: the counter search with the
// recalculation that follows it, then the listing. Requests sweep 20 delays from 1 us to
// 1000 s, log-spaced, at four clocks and on both chips. Figures are printed, not asserted.
#include <benchmark/benchmark.h>

#include <QTextStream>
#include <array>
#include <cmath>
#include <vector>

#include "calc/DelayCalculation.h"
#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "listing/Listing.h"

namespace {

constexpr int kDelaySteps = 20;
const std::vector<double> kClocks = {32768, 4e6, 20e6, 50e6};

struct Request {
    qint16 chip;
    QString clockText;
    QString delayText;
};

std::vector<QString> sweptDelays() {
    std::vector<QString> delays;
    for (int step = 0; step < kDelaySteps; ++step)
        delays.push_back(calc::formatPlain(1e-6 * std::pow(1e9, step / double(kDelaySteps - 1))));
    return delays;
}

std::vector<Request> requestsAt(double clock, qint16 chip) {
    std::vector<Request> requests;
    for (const QString& delay : sweptDelays())
        requests.push_back({chip, calc::formatPlain(clock), delay});
    return requests;
}

QString answer(const Request& request) {
    calc::CalcState state;
    state.ChipType = request.chip;
    const calc::SearchCalculation run =
        calc::countersFromDelay(state, {request.delayText, request.clockText, false}, 1);
    listing::ListingInput input;
    input.picHeader = request.chip == calc::ChipMchip;
    input.timeText = run.result.shown.timeText;
    input.clockText = request.clockText;
    static const std::array<QString, calc::MaxDepth> kNames = {
        QStringLiteral("Delay1"), QStringLiteral("Delay2"), QStringLiteral("Delay3"),
        QStringLiteral("Delay4")};
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {kNames[counter], run.result.valueTexts[counter]};
    return listing::fullListing(listing::Format::Microchip, run.result.depth, input);
}

void reportPerRequest(benchmark::State& state, std::size_t requests) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * requests));
    state.counters["per_request"] = benchmark::Counter(
        static_cast<double>(requests),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Arguments: clock index, chip (1 PIC, 0 SX).
void searchAndListing(benchmark::State& state) {
    const std::vector<Request> requests = requestsAt(
        kClocks[static_cast<std::size_t>(state.range(0))], static_cast<qint16>(state.range(1)));
    for (auto _ : state)
        for (const Request& request : requests) benchmark::DoNotOptimize(answer(request));
    reportPerRequest(state, requests.size());
}
BENCHMARK(searchAndListing)
    ->ArgsProduct({{0, 1, 2, 3}, {calc::ChipMchip, calc::ChipSxTurbo}})
    ->ArgNames({"clock", "pic"});

// The same sweep through the whole command-line program, text output included.
void cliValues(benchmark::State& state) {
    std::vector<QStringList> commands;
    for (const double clock : kClocks)
        for (const QString& delay : sweptDelays())
            commands.push_back({QStringLiteral("values"), QStringLiteral("--clock"),
                                calc::formatPlain(clock), QStringLiteral("--delay"), delay});
    for (auto _ : state) {
        for (const QStringList& command : commands) {
            QString output;
            QString errors;
            QTextStream out(&output);
            QTextStream err(&errors);
            benchmark::DoNotOptimize(cli::runCli(command, out, err));
        }
    }
    reportPerRequest(state, commands.size());
}
BENCHMARK(cliValues);

}  // namespace

BENCHMARK_MAIN();
