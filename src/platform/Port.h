#pragma once

#include <QString>
#include <cstdint>
#include <memory>

// The parallel port: write a byte to the data register, read the status register.
class PortBackend {
  public:
    virtual ~PortBackend() = default;
    virtual void writeData(uint8_t value) = 0;
    virtual uint8_t readStatus() = 0;
    virtual QString description() const = 0;
};

// Out32(&H378, value) latches the low byte on the data register; Inp32(&H379)
// returns the status register (0 to 255). Other addresses are ignored / read 0.
void Out32(int16_t port, int16_t value);
int16_t Inp32(int16_t port);

constexpr int16_t kDataPort = 0x378;
constexpr int16_t kStatusPort = 0x379;

// The port service. A real port (Linux ppdev, /dev/parport0) is used when it opens
// and can be claimed; otherwise the fallback backend (memory, or the simulated
// tester's port) receives the bytes.
class PortService {
  public:
    // Tries the real port once; returns its failure text (empty on success).
    static QString OpenRealPort(const QString& device = QStringLiteral("/dev/parport0"));
    static bool HasRealPort();
    // The backend used when no real port is claimed (memory latch by default).
    static void SetFallback(std::shared_ptr<PortBackend> backend);
    // Tests: replace whatever is in use (real or fallback) by this backend;
    // nullptr restores the normal choice.
    static void SetOverride(std::shared_ptr<PortBackend> backend);
    static PortBackend& Current();
};

// A port that only latches bytes in memory; status reads 0 unless set.
class MemoryPort : public PortBackend {
  public:
    void writeData(uint8_t value) override {
        last_ = value;
        ++writes_;
    }
    uint8_t readStatus() override { return status_; }
    QString description() const override { return QStringLiteral("no port"); }
    uint8_t last() const { return last_; }
    int writes() const { return writes_; }
    void setStatus(uint8_t status) { status_ = status; }

  private:
    uint8_t last_ = 0;
    uint8_t status_ = 0;
    int writes_ = 0;
};
