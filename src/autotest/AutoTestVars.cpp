#include "autotest/AutoTestVars.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "autotest/AutoTest.h"
#include "autotest/MoveSizes.h"
#include "core/NumberText.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

// Whole steps of `travel` at `stepSize`, at least 1. The division is left out
// when the step size is not a positive number.
int32_t ListSteps(double travel, double stepSize) {
    if (!(std::isfinite(stepSize) && stepSize > 0)) return 1;
    return std::max<int32_t>(1, RoundToLong(travel / stepSize));
}

int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int ItemWithData(int32_t value, const std::vector<ListItem>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].data == value) return static_cast<int>(i);
    return -1;
}

// value \ listStep - 1 ("\" truncates toward zero), -1 when it falls outside the
// list. When the formula's item carries another number and some item carries the
// value itself (odd platform steps, whose item data follow the halves-to-even
// rule), that item is chosen, so the list shows what the variable holds.
int IndexByListStep(int32_t value, int64_t listStep, const std::vector<ListItem>& items) {
    const int64_t index = value / listStep - 1;
    if (index < 0 || index >= static_cast<int64_t>(items.size())) return -1;
    if (items[index].data != value) {
        const int exact = ItemWithData(value, items);
        if (exact >= 0) return exact;
    }
    return static_cast<int>(index);
}

}  // namespace

int32_t ComputeLRFineSteps(double lrStepSize) {
    return ListSteps(kLRFineTravel, lrStepSize);
}

int32_t ComputeTFCoarseSteps(double stepSize) {
    return ListSteps(kTFCoarseTravel, stepSize);
}

std::vector<ListItem> MarginItems() {
    std::vector<ListItem> items;
    for (int i = 0; i < kMarginItems; ++i) items.push_back({QString::number(i), i});
    return items;
}

std::vector<ListItem> KnifeMoveItems(double lrStepSize, int32_t fineSteps, bool metric,
                                     const QString& units) {
    std::vector<ListItem> items;
    for (int i = 0; i < kMoveItems; ++i) {
        double distance = (i + 1) * lrStepSize * fineSteps;
        if (metric) distance = distance * kMillimetresPerInch;
        items.push_back({NumText(RoundHalfEven(distance, 6)) + units,
                         Saturated(static_cast<int64_t>(i + 1) * fineSteps)});
    }
    return items;
}

std::vector<ListItem> PlatformMoveItems(double stepSize, int32_t coarseSteps, int count) {
    std::vector<ListItem> items;
    for (int i = 0; i < count; ++i) {
        const double distance = coarseSteps * 0.5 * stepSize * (i + 1);
        items.push_back({NumText(RoundHalfEven(distance, 4)),
                         RoundToLong(static_cast<double>(coarseSteps) * (i + 1) * 0.5)});
    }
    return items;
}

int MarginIndex(int32_t value) {
    return value >= 0 && value < kMarginItems ? value : -1;
}

int KnifeMoveIndex(int32_t value, int32_t fineSteps, const std::vector<ListItem>& items) {
    return IndexByListStep(value, std::max<int32_t>(1, fineSteps), items);
}

int PlatformMoveIndex(int32_t value, int32_t coarseSteps, const std::vector<ListItem>& items) {
    const int32_t half = RoundToLong(coarseSteps * 0.5);
    if (half >= 1) return IndexByListStep(value, half, items);

    // Half of one step rounds to 0: the item nearest the value, the first of equals.
    // Values below the first step or past the last item select nothing, as above.
    if (items.empty() || value < 1 || value > items.back().data) return -1;
    int best = 0;
    for (size_t i = 1; i < items.size(); ++i)
        if (std::llabs(static_cast<int64_t>(items[i].data) - value) <
            std::llabs(static_cast<int64_t>(items[best].data) - value))
            best = static_cast<int>(i);
    return best;
}

SliderSpan ChainAfter(int32_t lowerValue, SliderSpan next) {
    next.minimum = lowerValue + 1;
    if (next.maximum < next.minimum) next.maximum = next.minimum;
    if (next.value < next.minimum) next.value = next.minimum;
    return next;
}

std::optional<int32_t> MinAfterMaxMoved(int32_t max, int32_t min) {
    if (max - min >= kIntensityGap) return std::nullopt;
    return std::clamp(max - kIntensityGap, kIntensityLowest, kIntensityHighest);
}

std::optional<int32_t> MaxAfterMinMoved(int32_t max, int32_t min) {
    if (max - min >= kIntensityGap) return std::nullopt;
    return std::clamp(min + kIntensityGap, kIntensityLowest, kIntensityHighest);
}

QString StoreAutoTestValues(TestState& s, const AutoTestControlValues& v) {
    if (QString problem = IntensityWindowProblem(v.sldMax, v.sldmin); !problem.isEmpty())
        return problem;
    struct Move {
        const char* name;
        const std::optional<int32_t>& item;
        int32_t& target;
    };
    const Move moves[] = {{"LRLgMove", v.cmbLrLgMove, s.LRLgMove},
                          {"LRSmMove", v.cmbLrSmMove, s.LRSmMove},
                          {"TFOblateMove", v.cmbTfOblateMove, s.TFOblateMove},
                          {"TFRoughMove", v.CmbTfRoughMove, s.TFRoughMove},
                          {"TFFinalMoves", v.cmbTfFinalMove, s.TFFinalMoves}};
    for (const Move& m : moves)
        if (m.item)
            if (QString far = MoveSizeProblem(QLatin1String(m.name), *m.item); !far.isEmpty())
                return far;
    auto margin = [](const std::optional<int32_t>& item, int32_t& target) {
        if (item) target = *item;
    };
    s.Min = v.sldmin;
    s.Max = v.sldMax;
    s.LRMinFrames = v.SldLRminFrames;
    s.TFRoughFrames = v.SldTFRoughFrames;
    s.TFFinalFrames = v.sldTfFinalFrames;
    margin(v.cmbLrDelta, s.LRDelta);
    margin(v.cmbTfOblateDelta, s.TFOblatedelta);
    margin(v.CmbTfRoughDelta, s.TFRoughDelta);
    for (const Move& m : moves)
        if (m.item && *m.item >= 1) m.target = *m.item;
    return QString();
}

void ResetAutoTestVariables(TestState& s) {
    AssignAutoTestDefaults(s);
    DeriveMoveSizes(s);
}
