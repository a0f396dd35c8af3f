#pragma once

#include <QString>

#include "platform/Port.h"

// A real parallel port through the Linux ppdev driver: the device is opened and
// claimed for the program's lifetime, the data lines are driven by PPWDATA and the
// status lines read by PPRSTATUS. The port is released and closed on destruction.
class PpdevPort : public PortBackend {
  public:
    PpdevPort() = default;
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    // Opens and claims the device; false (with the reason in errorText()) when
    // it can't be opened or claimed, in which case nothing stays open.
    bool open(const QString& device);
    bool isOpen() const { return fd_ >= 0; }
    QString errorText() const { return error_; }

    void writeData(uint8_t value) override;
    uint8_t readStatus() override;
    QString description() const override;

  private:
    void close();

    int fd_ = -1;
    bool claimed_ = false;
    QString device_;
    QString error_;
};
