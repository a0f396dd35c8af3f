#include <gtest/gtest.h>

#include <memory>

#include "live/Motors.h"
#include "platform/Port.h"

namespace {

CoilTableArray Table() {
    CoilTableArray table{};
    BuildCoilTable(table);
    return table;
}

// The wiring table as the rig's documentation gives it, row by row.
constexpr int32_t kExpected[8][8] = {
    {1, 3, 2, 6, 4, 12, 8, 9},                // low nibble
    {14, 12, 13, 9, 11, 3, 7, 6},             // low, inverted
    {1, 9, 8, 12, 4, 6, 2, 3},                // low, reversed
    {14, 6, 7, 3, 11, 9, 13, 12},             // low, reversed, inverted
    {16, 48, 32, 96, 64, 192, 128, 144},      // high nibble
    {224, 192, 208, 144, 176, 48, 112, 96},   // high, inverted
    {16, 144, 128, 192, 64, 96, 32, 48},      // high, reversed
    {224, 96, 112, 48, 176, 144, 208, 192}};  // high, reversed, inverted

TEST(CoilTable, AllSixtyFourEntriesMatchTheWiringTable) {
    const CoilTableArray table = Table();
    for (int row = 0; row < 8; ++row) {
        for (int phase = 0; phase < 8; ++phase) {
            EXPECT_EQ(table[phase + 8 * row], kExpected[row][phase])
                << "row " << row << " phase " << phase;
        }
    }
}

TEST(MotorByte, ExamplesForEachWiringMark) {
    const CoilTableArray table = Table();
    EXPECT_EQ(MotorByte(table, 0, 0, {}), 17);
    EXPECT_EQ(MotorByte(table, 0, 0, {.invert = true}), 238);
    EXPECT_EQ(MotorByte(table, 0, 2, {.swapMotors = true}), 18);
    EXPECT_EQ(MotorByte(table, 7, 7, {.invert = true}), 102);
    EXPECT_EQ(MotorByte(table, 1, 0, {.reverseLR = true}), 25);
    // Platform reversed: platform phase 1 from row 6 (144), knife phase 0 from row 0.
    EXPECT_EQ(MotorByte(table, 0, 1, {.reverseTF = true}), 145);
}

TEST(MotorByte, EveryWiringKeepsTheMotorsOnSeparateNibbles) {
    const CoilTableArray table = Table();
    for (int marks = 0; marks < 16; ++marks) {
        const WiringMarks wiring{.invert = (marks & 1) != 0,
                                 .reverseLR = (marks & 2) != 0,
                                 .reverseTF = (marks & 4) != 0,
                                 .swapMotors = (marks & 8) != 0};
        const int knifeShift = wiring.swapMotors ? 4 : 0;
        const int platformShift = wiring.swapMotors ? 0 : 4;
        for (int lr = 0; lr < 8; ++lr) {
            for (int tf = 0; tf < 8; ++tf) {
                const int byte = MotorByte(table, lr, tf, wiring);
                const int lrRow = (wiring.invert ? 1 : 0) + (wiring.reverseLR ? 2 : 0);
                const int tfRow = (wiring.invert ? 1 : 0) + (wiring.reverseTF ? 2 : 0);
                EXPECT_EQ((byte >> knifeShift) & 0xF, kExpected[lrRow][lr]);
                EXPECT_EQ((byte >> platformShift) & 0xF, kExpected[tfRow][tf]);
            }
        }
    }
}

TEST(MotorByte, PhaseOutsideTheCycleWrapsInsteadOfReadingPastTheTable) {
    const CoilTableArray table = Table();
    EXPECT_EQ(MotorByte(table, 8, -1, {}), MotorByte(table, 0, 7, {}));
    EXPECT_EQ(MotorByte(table, -9, 17, {.invert = true, .swapMotors = true}),
              MotorByte(table, 7, 1, {.invert = true, .swapMotors = true}));
}

TEST(MotorByte, AllOffReleasesEveryCoil) {
    EXPECT_EQ(AllOffByte(false), 0);
    EXPECT_EQ(AllOffByte(true), 255);
}

TEST(StepPhase, WrapsAtBothEnds) {
    EXPECT_EQ(StepPhase(7, +1), 0);
    EXPECT_EQ(StepPhase(0, -1), 7);
    EXPECT_EQ(StepPhase(3, +1), 4);
    EXPECT_EQ(StepPhase(3, -1), 2);
    int phase = 5;
    for (int i = 0; i < 8; ++i) phase = StepPhase(phase, +1);
    EXPECT_EQ(phase, 5);
}

TEST(Handpad, StatusBytesGiveTheButtonCodes) {
    EXPECT_EQ(DecodeHandpad(0x00), 0);
    EXPECT_EQ(DecodeHandpad(0x10), 1);
    EXPECT_EQ(DecodeHandpad(0x20), 2);
    EXPECT_EQ(DecodeHandpad(0x40), 3);
    EXPECT_EQ(DecodeHandpad(0x30), 4);
    EXPECT_EQ(DecodeHandpad(0x50), 5);
    EXPECT_EQ(DecodeHandpad(0x60), 6);
    EXPECT_EQ(DecodeHandpad(0x70), 0);
    EXPECT_EQ(DecodeHandpad(0x90), 11);
    EXPECT_EQ(DecodeHandpad(0xF0), 10);
    EXPECT_EQ(DecodeHandpad(0x80), 10);
    EXPECT_EQ(DecodeHandpad(0xE0), 16);
    EXPECT_EQ(DecodeHandpad(0x0F), 0);  // the low status bits are not buttons
    EXPECT_EQ(DecodeHandpad(0x5F), 5);
}

TEST(Handpad, ReadsTheStatusRegisterOfThePort) {
    auto port = std::make_shared<MemoryPort>();
    PortService::SetOverride(port);
    port->setStatus(0xB0);  // fast line with pins 12 and 13
    EXPECT_EQ(ReadHandpad(kStatusPort), 14);
    EXPECT_EQ(ReadHandpad(kDataPort), 0);  // not the status register: reads 0
    PortService::SetOverride(nullptr);
}

}  // namespace
