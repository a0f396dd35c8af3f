#include "platform/Port.h"

#include "platform/PpdevPort.h"

namespace {

struct PortState {
    std::unique_ptr<PpdevPort> real;
    std::shared_ptr<PortBackend> fallback = std::make_shared<MemoryPort>();
    std::shared_ptr<PortBackend> override;
};

PortState& State() {
    static PortState state;
    return state;
}

}  // namespace

QString PortService::OpenRealPort(const QString& device) {
    PortState& state = State();
    state.real.reset();
    auto port = std::make_unique<PpdevPort>();
    if (!port->open(device)) return port->errorText();
    state.real = std::move(port);
    return QString();
}

bool PortService::HasRealPort() {
    return State().real != nullptr;
}

void PortService::SetFallback(std::shared_ptr<PortBackend> backend) {
    State().fallback = backend ? std::move(backend) : std::make_shared<MemoryPort>();
}

void PortService::SetOverride(std::shared_ptr<PortBackend> backend) {
    State().override = std::move(backend);
}

PortBackend& PortService::Current() {
    PortState& state = State();
    if (state.override) return *state.override;
    if (state.real) return *state.real;
    return *state.fallback;
}

void Out32(int16_t port, int16_t value) {
    if (port != kDataPort) return;
    PortService::Current().writeData(static_cast<uint8_t>(value & 0xFF));
}

int16_t Inp32(int16_t port) {
    if (port != kStatusPort) return 0;
    return PortService::Current().readStatus();
}
