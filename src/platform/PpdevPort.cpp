#include "platform/PpdevPort.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

PpdevPort::~PpdevPort() {
    close();
}

bool PpdevPort::open(const QString& device) {
    close();
    device_ = device;
    error_.clear();

    const QByteArray name = device.toLocal8Bit();
    fd_ = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = QStringLiteral("Parallel port %1 could not be opened: %2")
                     .arg(device, ErrnoText(errno));
        return false;
    }
    if (::ioctl(fd_, PPCLAIM) != 0) {
        error_ = QStringLiteral("Parallel port %1 could not be claimed: %2")
                     .arg(device, ErrnoText(errno));
        close();
        return false;
    }
    claimed_ = true;
    // The data lines drive the coils: make sure they are outputs (a port left in
    // bidirectional mode by another program may have them switched to input).
    int forward = 0;
    ::ioctl(fd_, PPDATADIR, &forward);
    return true;
}

void PpdevPort::close() {
    if (fd_ < 0) return;
    if (claimed_) ::ioctl(fd_, PPRELEASE);
    claimed_ = false;
    ::close(fd_);
    fd_ = -1;
}

void PpdevPort::writeData(uint8_t value) {
    if (fd_ < 0) return;
    unsigned char byte = value;
    ::ioctl(fd_, PPWDATA, &byte);
}

uint8_t PpdevPort::readStatus() {
    if (fd_ < 0) return 0;
    unsigned char status = 0;
    if (::ioctl(fd_, PPRSTATUS, &status) != 0) return 0;
    return status;
}

QString PpdevPort::description() const {
    return QStringLiteral("parallel port %1").arg(device_);
}
