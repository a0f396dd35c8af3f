#include <gtest/gtest.h>

#include "live/Motors.h"
#include "platform/Port.h"
#include "sim/SimPort.h"

namespace {

// Writes the coil pattern of knife phase k and platform phase p on the rig's own
// wiring (knife low nibble, active high).
void Phases(SimPort& port, int knife, int platform) {
    static constexpr int kSeq[8] = {1, 3, 2, 6, 4, 12, 8, 9};
    port.writeData(static_cast<uint8_t>(kSeq[knife & 7] | (kSeq[platform & 7] << 4)));
}

}  // namespace

TEST(SimPort, DecodesHalfStepsTheShorterWayStallsAndReleases) {
    SimPort port;
    Phases(port, 3, 5);  // the first pattern after power-up only sets the phase
    EXPECT_EQ(port.knifeSteps(), 0);
    EXPECT_EQ(port.platformSteps(), 0);

    Phases(port, 4, 5);  // one ahead
    EXPECT_EQ(port.knifeSteps(), 1);
    Phases(port, 6, 5);  // two ahead
    EXPECT_EQ(port.knifeSteps(), 3);
    Phases(port, 1, 5);  // three ahead, across the wrap
    EXPECT_EQ(port.knifeSteps(), 6);
    Phases(port, 6, 5);  // three back
    EXPECT_EQ(port.knifeSteps(), 3);
    Phases(port, 2, 5);  // four away: stalls, keeps its phase
    EXPECT_EQ(port.knifeSteps(), 3);
    Phases(port, 7, 5);  // one ahead of the phase it kept
    EXPECT_EQ(port.knifeSteps(), 4);

    // Phase +1 carries the platform towards the mirror.
    Phases(port, 7, 6);
    EXPECT_EQ(port.platformSteps(), -1);
    Phases(port, 7, 4);
    EXPECT_EQ(port.platformSteps(), 1);

    // All off releases both; the next pattern, wherever it is, moves nothing.
    port.writeData(0);
    Phases(port, 2, 0);
    EXPECT_EQ(port.knifeSteps(), 4);
    EXPECT_EQ(port.platformSteps(), 1);
    Phases(port, 3, 7);
    EXPECT_EQ(port.knifeSteps(), 5);
    EXPECT_EQ(port.platformSteps(), 2);

    // A pattern outside the sequence (two opposite coils) releases as well.
    port.writeData(0x05 | 0x30);
    EXPECT_EQ(SimMotor::PhaseOfPattern(5), -1);
    Phases(port, 0, 0);
    EXPECT_EQ(port.knifeSteps(), 5);
    EXPECT_EQ(port.lastByte(), 0x11);
}

TEST(SimPort, StatusByteIsSettableAndReadThroughThePortService) {
    auto port = std::make_shared<SimPort>();
    EXPECT_EQ(port->readStatus(), 0);
    PortService::SetOverride(port);
    Out32(kDataPort, 0x11);
    EXPECT_EQ(port->lastByte(), 0x11);
    EXPECT_EQ(Inp32(kStatusPort), 0);
    port->setStatus(0x90);
    EXPECT_EQ(Inp32(kStatusPort), 0x90);
    EXPECT_EQ(ReadHandpad(kStatusPort), 11);
    PortService::SetOverride(nullptr);
}

// For every wiring of the rig, the program's wiring marks set to match make the
// simulated positions follow Xpos and Ypos through a jog of I, M, J and K.
class WiringVariants : public ::testing::TestWithParam<int> {};

TEST_P(WiringVariants, MatchingMarksMakeTheRigFollowTheCounters) {
    const int bits = GetParam();
    SimWiring wiring;
    wiring.activeLow = bits & 1;
    wiring.knifeReversed = bits & 2;
    wiring.platformReversed = bits & 4;
    wiring.knifeHighNibble = bits & 8;
    WiringMarks marks;
    marks.invert = wiring.activeLow;
    marks.reverseLR = wiring.knifeReversed;
    marks.reverseTF = wiring.platformReversed;
    marks.swapMotors = wiring.knifeHighNibble;

    CoilTableArray table{};
    BuildCoilTable(table);
    SimPort port;
    port.setWiring(wiring);

    int32_t lrPhase = 5, tfPhase = 2, xpos = 0, ypos = 0;
    port.writeData(AllOffByte(marks.invert));
    port.writeData(MotorByte(table, lrPhase, tfPhase, marks));  // energise: no motion
    ASSERT_EQ(port.knifeSteps(), 0);
    ASSERT_EQ(port.platformSteps(), 0);

    // The live loop's keys: I = platform +1 phase, Ypos - 1; M = -1, Ypos + 1;
    // J = knife -1 phase, Xpos - 1; K = +1, Xpos + 1.
    const std::string jog = "IIIIIMMMMMMMMMMMMJJJJJJJKKKKKKKKKKKKKKKKKKKKIMJKKJMI";
    for (char key : jog) {
        switch (key) {
            case 'I':
                tfPhase = StepPhase(tfPhase, +1), --ypos;
                break;
            case 'M':
                tfPhase = StepPhase(tfPhase, -1), ++ypos;
                break;
            case 'J':
                lrPhase = StepPhase(lrPhase, -1), --xpos;
                break;
            case 'K':
                lrPhase = StepPhase(lrPhase, +1), ++xpos;
                break;
        }
        port.writeData(MotorByte(table, lrPhase, tfPhase, marks));
        ASSERT_EQ(port.knifeSteps(), xpos) << "after " << key;
        ASSERT_EQ(port.platformSteps(), ypos) << "after " << key;
    }
    // Released and energised again at the same phases: nothing moves.
    port.writeData(AllOffByte(marks.invert));
    port.writeData(MotorByte(table, lrPhase, tfPhase, marks));
    EXPECT_EQ(port.knifeSteps(), xpos);
    EXPECT_EQ(port.platformSteps(), ypos);

    // A reversal mark that does not match the rig runs that axis backwards.
    WiringMarks wrong = marks;
    wrong.reverseLR = !wrong.reverseLR;
    SimPort mismatched;
    mismatched.setWiring(wiring);
    mismatched.writeData(MotorByte(table, 0, 0, wrong));
    mismatched.writeData(MotorByte(table, 1, 0, wrong));
    EXPECT_EQ(mismatched.knifeSteps(), -1);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, WiringVariants, ::testing::Range(0, 16));
