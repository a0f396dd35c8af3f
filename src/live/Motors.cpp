#include "live/Motors.h"

#include "platform/Port.h"

namespace {

// Half-step sequence of four coils on bits 0..3: coil 1, coils 1+2, coil 2,
// coils 2+3, coil 3, coils 3+4, coil 4, coils 4+1.
constexpr int32_t kCoil1 = 1, kCoil2 = 2, kCoil3 = 4, kCoil4 = 8;
constexpr std::array<int32_t, 8> kHalfSteps = {kCoil1, kCoil1 | kCoil2, kCoil2, kCoil2 | kCoil3,
                                               kCoil3, kCoil3 | kCoil4, kCoil4, kCoil4 | kCoil1};

// Row flags of the coil table.
constexpr int kInverted = 1;
constexpr int kReversed = 2;
constexpr int kHighNibble = 4;

// A phase outside 0..7 is taken modulo 8, so the table is never read out of bounds.
int32_t WrapPhase(int32_t phase) {
    return ((phase % 8) + 8) % 8;
}

}  // namespace

void BuildCoilTable(CoilTableArray& table) {
    for (int row = 0; row < 8; ++row) {
        for (int phase = 0; phase < 8; ++phase) {
            // Reversed: the same sequence read backwards from the same start.
            int32_t pattern = (row & kReversed) ? kHalfSteps[(8 - phase) % 8] : kHalfSteps[phase];
            if (row & kInverted) pattern = 15 - pattern;  // coil lines active low
            if (row & kHighNibble) pattern *= 16;         // data bits 4..7
            table[phase + 8 * row] = pattern;
        }
    }
}

uint8_t MotorByte(const CoilTableArray& table, int32_t lrPhase, int32_t tfPhase,
                  const WiringMarks& marks) {
    const int inv = marks.invert ? 1 : 0;
    const int revLR = marks.reverseLR ? 1 : 0;
    const int revTF = marks.reverseTF ? 1 : 0;
    const int swap = marks.swapMotors ? 1 : 0;
    const int knife = WrapPhase(lrPhase) + 8 * (inv + 2 * revLR + 4 * swap);
    const int platform = WrapPhase(tfPhase) + 8 * (inv + 2 * revTF + 4 * (1 - swap));
    // One entry lies in a low-nibble row, the other in a high-nibble row: the sum
    // is their bitwise union.
    return static_cast<uint8_t>((table[knife] + table[platform]) & 0xFF);
}

uint8_t AllOffByte(bool invert) {
    return invert ? 255 : 0;
}

int32_t StepPhase(int32_t phase, int direction) {
    return WrapPhase(phase + direction);
}

int32_t DecodeHandpad(int status) {
    const int v = status & 0xFF;
    const bool pin11 = (v & 0x80) != 0;  // the fast line
    const bool pin10 = (v & 0x40) != 0;
    const bool pin12 = (v & 0x20) != 0;
    const bool pin13 = (v & 0x10) != 0;
    // Button code by lines pin 10, pin 12, pin 13; all three at once is no button.
    static constexpr std::array<int32_t, 8> kCodes = {0, 1, 2, 4, 3, 5, 6, 0};
    const int lines = (pin10 ? 4 : 0) + (pin12 ? 2 : 0) + (pin13 ? 1 : 0);
    return kCodes[lines] + (pin11 ? 10 : 0);
}

int32_t ReadHandpad(int16_t statusPort) {
    return DecodeHandpad(Inp32(statusPort));
}
