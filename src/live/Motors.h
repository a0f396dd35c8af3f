#pragma once

#include <array>
#include <cstdint>

// Two unipolar four-coil steppers on the data lines of the parallel port, driven
// in half steps, and the handpad on the status lines.

using CoilTableArray = std::array<int32_t, 64>;

// The 64 coil patterns: index = phase + 8 * (inverted + 2 * reversed + 4 * high nibble).
void BuildCoilTable(CoilTableArray& table);

// The four wiring check marks, read afresh at every output.
struct WiringMarks {
    bool invert = false;      // every coil line active low
    bool reverseLR = false;   // knife motor sequence reversed
    bool reverseTF = false;   // platform motor sequence reversed
    bool swapMotors = false;  // knife motor on the high nibble
};

// The data byte for both motors' current phases.
uint8_t MotorByte(const CoilTableArray& table, int32_t lrPhase, int32_t tfPhase,
                  const WiringMarks& marks);

// All coils released: 0, or 255 when the output is inverted.
uint8_t AllOffByte(bool invert);

// One half step: +1 from 7 gives 0, -1 from 0 gives 7.
int32_t StepPhase(int32_t phase, int direction);

// Handpad code from a status byte: 0..6, plus 10 while bit 7 (the fast line) is set.
int32_t DecodeHandpad(int status);

// Reads the status register at the given port and decodes it.
int32_t ReadHandpad(int16_t statusPort);
