#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/TestState.h"

// The values behind the Auto Test Variables dialog: the contents of its eight
// drop-down lists and how a variable finds its item, the frame-count chain and
// the gap rule of its sliders, its captions, and what Apply and Reset store.

// One item of a drop-down list: its text and its item data.
struct ListItem {
    QString text;
    int32_t data = 0;
};

inline constexpr int kMarginItems = 31;              // 0 to 30
inline constexpr int kMoveItems = 101;               // the knife and the first two platform lists
inline constexpr int kFinalMoveItems = 26;           // cmbTfFinalMove
inline constexpr double kLRFineTravel = 0.00003125;  // inches between knife list entries
inline constexpr double kTFCoarseTravel = 0.001;     // twice the platform list step

// Knife half steps from one entry of a knife move list to the next: the nearest
// whole of 0.00003125 / LRStepSize, at least 1. A step size that is not a
// positive number gives 1.
int32_t ComputeLRFineSteps(double lrStepSize);
// Platform half steps of 0.001 inch, at least 1; the platform lists step by half
// of it. A step size that is not a positive number gives 1.
int32_t ComputeTFCoarseSteps(double stepSize);

// "0" to "30", item data 0 to 30.
std::vector<ListItem> MarginItems();
// 101 knife moves: item i is (i + 1) x fineSteps half steps, its text the distance
// to 6 decimals followed by the unit mark. With metric the distance is shown in
// millimetres, as the mark says.
std::vector<ListItem> KnifeMoveItems(double lrStepSize, int32_t fineSteps, bool metric,
                                     const QString& units);
// `count` platform moves: item i is the nearest whole of coarseSteps x (i + 1) x 0.5
// half steps, its text coarseSteps x 0.5 x stepSize x (i + 1) inches to 4 decimals.
std::vector<ListItem> PlatformMoveItems(double stepSize, int32_t coarseSteps, int count);

// The item a variable selects, or -1 for no selection.
// Margins: the value itself, when it is 0 to 30.
int MarginIndex(int32_t value);
// Knife moves: value \ fineSteps - 1.
int KnifeMoveIndex(int32_t value, int32_t fineSteps, const std::vector<ListItem>& items);
// Platform moves: value \ (nearest whole of coarseSteps x 0.5) - 1. When that
// divisor is 0 (coarseSteps 1), the item whose data is nearest the value.
int PlatformMoveIndex(int32_t value, int32_t coarseSteps, const std::vector<ListItem>& items);

// The frame-count chain: the slider after one that took `lowerValue` has
// `lowerValue` + 1 as its minimum, and its value is raised to it when below it.
struct SliderSpan {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t value = 0;
};
SliderSpan ChainAfter(int32_t lowerValue, SliderSpan next);

// The intensity sliders sldMax and sldmin span kIntensityLowest..kIntensityHighest
// and keep kIntensityGap apart when the user moves one of them.
// sldMax moved to `max`: the value sldmin takes, or none when the gap holds. The
// pushed slider stops at the end of its range.
std::optional<int32_t> MinAfterMaxMoved(int32_t max, int32_t min);
// sldmin moved to `min`: the value sldMax takes, or none when the gap holds.
std::optional<int32_t> MaxAfterMinMoved(int32_t max, int32_t min);

// Captions the dialog's handlers write, each followed by the slider's value.
inline constexpr const char* kMaxCaption = "Zone Maximum Intensity (Brightnes) = ";
inline constexpr const char* kMinCaption = "Zone Minimum Intensity (Brightness) = ";
inline constexpr const char* kLRMinFramesCaption =
    "Min # frames before adjusting knife In/Out (Left/Right) = ";
inline constexpr const char* kTFRoughFramesCaption =
    "# of frames prior to rough adjust To/From distance = ";
inline constexpr const char* kTFFinalFramesCaption =
    "Number of frames for final zone null evaluation = ";

// What the dialog's controls hold: the five slider values and the item data of
// each list's selected item (none when the list has no selection).
struct AutoTestControlValues {
    int32_t sldMax = 0;
    int32_t sldmin = 0;
    int32_t SldLRminFrames = 0;
    int32_t SldTFRoughFrames = 0;
    int32_t sldTfFinalFrames = 0;
    std::optional<int32_t> cmbLrDelta;
    std::optional<int32_t> cmbLrLgMove;
    std::optional<int32_t> cmbLrSmMove;
    std::optional<int32_t> cmbTfOblateDelta;
    std::optional<int32_t> cmbTfOblateMove;
    std::optional<int32_t> CmbTfRoughDelta;
    std::optional<int32_t> CmbTfRoughMove;
    std::optional<int32_t> cmbTfFinalMove;
};

// Apply and OK: the thirteen variables from the controls, in the dialog's order.
// A list without a selection leaves its variable as it is, and so does a move
// list whose item moves no half step: the dialog never stores a move of 0.
// An intensity window the test would refuse at its start (the gap rule stops at
// the sliders' ends, so sldMax can meet sldmin there) stores nothing: the result
// is then the test's own message, empty when the values were stored. So does a
// move list item longer than a tester travels (MoveSizeProblem).
[[nodiscard]] QString StoreAutoTestValues(TestState& s, const AutoTestControlValues& v);

// "Reset All Auto-Test Variables to Default": frame counts 4, 15, 30, margins
// 10, 15, 20 and the five move sizes derived from the step sizes. Max and Min
// keep their values.
void ResetAutoTestVariables(TestState& s);
