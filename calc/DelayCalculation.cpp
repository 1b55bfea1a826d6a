#include "calc/DelayCalculation.h"

#include "calc/NumberText.h"

namespace calc {

QString depthName(int depth) {
    static const std::array<QString, MaxDepth> kNames = {
        QStringLiteral("Single"), QStringLiteral("Double"), QStringLiteral("Triple"),
        QStringLiteral("Quad")};
    return kNames[depth - 1];
}

Calculation delayFromCounters(CalcState& state, const QString& clockText,
                              std::array<QString, MaxDepth> valueTexts, int depth,
                              bool addCallReturn) {
    for (QString& text : valueTexts)
        if (text.isEmpty()) text = QStringLiteral("1");
    CalcTime(state, clockText, valueTexts);
    const ShownResult shown = FillBoxes(state, depth - 1, addCallReturn, clockText);
    return {depth, valueTexts, shown};
}

SearchCalculation countersFromDelay(CalcState& state, const SearchRequest& request,
                                    int shownDepth) {
    SearchCalculation run;
    run.outcome = CounterSearch(state, request);
    if (run.outcome.inputNotNumeric) return run;
    std::array<QString, MaxDepth> valueTexts;
    const Counts counts = countsOf(state);
    for (int counter = 0; counter < MaxDepth; ++counter)
        valueTexts[counter] = formatPlain(counts[counter]);
    const int depth = run.outcome.depth > 0 ? run.outcome.depth : shownDepth;
    run.result =
        delayFromCounters(state, request.clockText, valueTexts, depth, request.addCallReturn);
    return run;
}

}  // namespace calc
