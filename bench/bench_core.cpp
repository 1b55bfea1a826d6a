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
    calc::Chip chip;
    double clockHz;
    double delaySeconds;
};

std::vector<double> sweptDelays() {
    std::vector<double> delays;
    for (int step = 0; step < kDelaySteps; ++step) delays.push_back(1e-6 * std::pow(1e9, step / double(kDelaySteps - 1)));
    return delays;
}

std::vector<Request> requestsAt(double clock, calc::Chip chip) {
    std::vector<Request> requests;
    for (const double delay : sweptDelays()) requests.push_back({chip, clock, delay});
    return requests;
}

// The search and the recalculation after it, then the listing with the texts the boxes show.
QString answer(const Request& request) {
    calc::CalcState state;
    state.ChipType = request.chip;
    const calc::SearchCalculation run = calc::countersFromDelay(state, request.clockHz, request.delaySeconds, false);
    listing::ListingInput input;
    input.chip = request.chip;
    input.timeText = calc::formatDelay(run.result.shown.seconds);
    input.clockText = calc::formatPlain(request.clockHz);
    static const std::array<QString, calc::MaxDepth> kNames = {
        QStringLiteral("Delay1"), QStringLiteral("Delay2"), QStringLiteral("Delay3"), QStringLiteral("Delay4")};
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {kNames[counter], calc::formatPlain(run.result.registerValues[counter])};
    return listing::fullListing(listing::ListingFormat::Microchip, run.result.depth, input);
}

void reportPerRequest(benchmark::State& state, std::size_t requests) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * requests));
    state.counters["per_request"] = benchmark::Counter(
        static_cast<double>(requests),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Arguments: clock index, chip (1 PIC, 0 SX).
void searchAndListing(benchmark::State& state) {
    const std::vector<Request> requests =
        requestsAt(kClocks[static_cast<std::size_t>(state.range(0))], state.range(1) ? calc::Chip::Pic : calc::Chip::SxTurbo);
    for (auto _ : state)
        for (const Request& request : requests) benchmark::DoNotOptimize(answer(request));
    reportPerRequest(state, requests.size());
}
BENCHMARK(searchAndListing)
    ->ArgsProduct({{0, 1, 2, 3}, {1, 0}})
    ->ArgNames({"clock", "pic"});

// The same sweep through the whole command-line program, text output included.
void cliValues(benchmark::State& state) {
    std::vector<QStringList> commands;
    for (const double clock : kClocks)
        for (const double delay : sweptDelays())
            commands.push_back({QStringLiteral("values"), QStringLiteral("--clock"), calc::formatPlain(clock),
                                QStringLiteral("--delay"), calc::formatPlain(delay)});
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
