#pragma once

#include <cstdint>

#include "platform/Port.h"

// One stepper motor of the simulated rig, seen from its four coil lines.
class SimMotor {
  public:
    // The half-step phase (0 to 7) of a coil pattern in the sequence 1, 3, 2, 6,
    // 4, 12, 8, 9; -1 for any other pattern (all coils off, or nonsense).
    static int PhaseOfPattern(int pattern);

    // Takes the next coil pattern (already corrected for active-low coils) and
    // returns the half steps the rotor turned: one to three either way by the
    // shorter way round, 0 when it stalls (four away) or was released. A pattern
    // outside the sequence releases the motor; the next valid one becomes its
    // phase without turning it.
    int take(int pattern);

    int phase() const { return phase_; }  // -1 while released
    void release() { phase_ = -1; }

  private:
    int phase_ = -1;
};

// How the rig is wired to the port's data lines.
struct SimWiring {
    bool knifeHighNibble = false;  // knife motor on bits 4 to 7, platform on 0 to 3
    bool activeLow = false;        // a coil is on when its line is low
    bool knifeReversed = false;    // the knife turns the other way for the same sequence
    bool platformReversed = false;

    bool operator==(const SimWiring&) const = default;
};

// The simulated tester's parallel port: latches every byte written to the data
// register and turns it into motion of the knife and the platform; the status
// register reads a settable byte (no handpad button pressed by default).
//
// Positions are in half steps: the knife to the right, the platform away from
// the mirror. With the rig's own wiring, phase +1 moves the knife to the right
// and the platform towards the mirror.
class SimPort : public PortBackend {
  public:
    void writeData(uint8_t value) override;
    uint8_t readStatus() override { return status_; }
    QString description() const override;

    void setStatus(uint8_t status) { status_ = status; }
    uint8_t status() const { return status_; }
    uint8_t lastByte() const { return last_; }

    // A change of wiring releases both motors, so the next byte is taken as their
    // phases without moving them.
    void setWiring(const SimWiring& wiring);
    const SimWiring& wiring() const { return wiring_; }

    int64_t knifeSteps() const { return knife_; }
    int64_t platformSteps() const { return platform_; }
    void setPositions(int64_t knifeSteps, int64_t platformSteps);

  private:
    SimWiring wiring_;
    SimMotor knifeMotor_;
    SimMotor platformMotor_;
    int64_t knife_ = 0;
    int64_t platform_ = 0;
    uint8_t last_ = 0;
    uint8_t status_ = 0;
};
