#include "setup/StepSize.h"

#include <utility>

#include "autotest/MoveSizes.h"
#include "core/NumberText.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

MsgBoxRequest Refusal(const QString& text, const char* title) {
    MsgBoxRequest request;
    request.text = text;
    request.title = QLatin1String(title);
    request.buttons = MsgButtons::OK;
    request.icon = MsgIcon::Critical;
    return request;
}

StepSizeOutcome Refused(const MsgBoxRequest& message) {
    StepSizeOutcome outcome;
    outcome.message = message;
    return outcome;
}

// A full step typed in millimetres, as inches through the number text, so that
// a value shown from the state reads back as exactly that value.
double InchesThroughText(double millimetres) {
    double inches = 0;
    ParseNumber(NumText(millimetres / kMillimetresPerInch), inches);
    return inches;
}

}  // namespace

QString StepSizeHelpText() {
    return QStringLiteral(
               "You need to calculate the distance the platform travels as the result of "
               "rotating the stepper motor one full Step.") +
           QStringLiteral(
               "Also, each step size during platform travel needs to be the same.  Non-Linear "
               "travel is currently not supported!") +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral(
               "For Instance, If you use a \u00bc -20 threaded rod, one revolution of the "
               "threaded rod = 0.050 inch of travel. ") +
           QStringLiteral(
               "For instance, if you use a 200 step stepper motor, then the math is 0.050 / 200 "
               "= 0.00025") +
           QStringLiteral("\" per full step");
}

QString FullStepText(double halfStepInches, bool millimetres) {
    double fullStep = halfStepInches + halfStepInches;
    if (millimetres) fullStep *= kMillimetresPerInch;
    return NumText(fullStep);
}

StepSizeOutcome ApplyStepSizes(const QString& platformText, const QString& knifeText,
                               bool millimetres, TestState& s) {
    double platform = 0, knife = 0;
    if (!ParseNumber(platformText, platform) || !ParseNumber(knifeText, knife))
        return Refused(
            Refusal("Step size must be a Numerical Value, not included any notation!", "Ooops1"));
    if (platform == 0 || knife == 0)
        return Refused(Refusal("Step size must be a non zero value!", "Ooops"));
    // A negative step would turn every move of the test around, and the settings
    // file refuses it at the next start.
    if (platform < 0 || knife < 0)
        return Refused(Refusal("Step size must be a positive value!", "Ooops"));

    if (millimetres) {
        platform = InchesThroughText(platform);
        knife = InchesThroughText(knife);
    }
    const double platformHalf = platform / 2;
    const double knifeHalf = knife / 2;
    // A step no tester's drive makes would make moves no tester travels, and the
    // test would run its half steps for days.
    for (const auto& [half, text] :
         {std::pair{platformHalf, platformText}, {knifeHalf, knifeText}}) {
        if (HalfStepUsable(half)) continue;
        return Refused(Refusal(
            QStringLiteral(
                "Step size %1 %2 is not one a tester makes: a full step must be %3 to %4 inches "
                "(%5 to %6 mm)!")
                .arg(text.trimmed(), millimetres ? QStringLiteral("mm") : QStringLiteral("inch"),
                     NumText(kMinFullStepInches), NumText(kMaxTravelInches),
                     NumText(kMinFullStepInches * kMillimetresPerInch),
                     NumText(kMaxTravelInches * kMillimetresPerInch)),
            "Ooops"));
    }

    const bool platformChanged = platformHalf != s.StepSize;
    const bool knifeChanged = knifeHalf != s.LRStepSize;
    s.StepSize = platformHalf;
    s.LRStepSize = knifeHalf;
    // An axis whose step did not change keeps its moves, tuned ones included.
    if (platformChanged) DerivePlatformMoves(s);
    if (knifeChanged) DeriveKnifeMoves(s);
    s.units = UnitMark(millimetres);
    s.Metric = millimetres;

    StepSizeOutcome outcome;
    outcome.accepted = true;
    return outcome;
}

bool StepSizesSet(const TestState& s) {
    return s.StepSize != 0 && s.LRStepSize != 0;
}

MsgBoxRequest StepSizeMissingMessage() {
    return Refusal("You must enter a Step size to continue!", "HEY!");
}
