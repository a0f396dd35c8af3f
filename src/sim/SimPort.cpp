#include "sim/SimPort.h"

int SimMotor::PhaseOfPattern(int pattern) {
    static constexpr int kSequence[8] = {1, 3, 2, 6, 4, 12, 8, 9};
    for (int phase = 0; phase < 8; ++phase)
        if (kSequence[phase] == pattern) return phase;
    return -1;
}

int SimMotor::take(int pattern) {
    const int next = PhaseOfPattern(pattern);
    if (next < 0) {
        phase_ = -1;
        return 0;
    }
    if (phase_ < 0) {
        phase_ = next;
        return 0;
    }
    const int ahead = (next - phase_ + 8) % 8;
    if (ahead == 4) return 0;  // pulled from both sides at once: the rotor stays put
    phase_ = next;
    return ahead < 4 ? ahead : ahead - 8;
}

QString SimPort::description() const {
    return QStringLiteral("Simulated Foucault tester");
}

void SimPort::writeData(uint8_t value) {
    last_ = value;
    int low = value & 0x0F;
    int high = value >> 4;
    if (wiring_.activeLow) {
        low ^= 0x0F;
        high ^= 0x0F;
    }
    const int knifePattern = wiring_.knifeHighNibble ? high : low;
    const int platformPattern = wiring_.knifeHighNibble ? low : high;
    const int knifeTurn = knifeMotor_.take(knifePattern);
    const int platformTurn = platformMotor_.take(platformPattern);
    knife_ += wiring_.knifeReversed ? -knifeTurn : knifeTurn;
    // Forward rotation carries the platform towards the mirror.
    platform_ -= wiring_.platformReversed ? -platformTurn : platformTurn;
}

void SimPort::setWiring(const SimWiring& wiring) {
    if (wiring == wiring_) return;
    wiring_ = wiring;
    knifeMotor_.release();
    platformMotor_.release();
}

void SimPort::setPositions(int64_t knifeSteps, int64_t platformSteps) {
    knife_ = knifeSteps;
    platform_ = platformSteps;
}
