#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "platform/Port.h"
#include "platform/PpdevPort.h"

namespace {

// Records every byte, as a rig's logic analyser would.
class RecordingPort : public PortBackend {
  public:
    void writeData(uint8_t value) override { bytes.push_back(value); }
    uint8_t readStatus() override { return status; }
    QString description() const override { return QStringLiteral("recording"); }
    std::vector<uint8_t> bytes;
    uint8_t status = 0;
};

class PortTest : public ::testing::Test {
  protected:
    void TearDown() override {
        PortService::SetOverride(nullptr);
        PortService::SetFallback(nullptr);
    }
};

TEST_F(PortTest, MissingDeviceLeavesTheMemoryPort) {
    const QString error = PortService::OpenRealPort(QStringLiteral("/nonexistent/parport9"));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/parport9")));
    EXPECT_FALSE(PortService::HasRealPort());
    EXPECT_EQ(PortService::Current().description(), QStringLiteral("no port"));

    Out32(kDataPort, 0x11);
    auto* memory = dynamic_cast<MemoryPort*>(&PortService::Current());
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->last(), 0x11);
    EXPECT_EQ(Inp32(kStatusPort), 0);
}

TEST_F(PortTest, DeviceThatIsNotAPortIsRefusedAtTheClaim) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/parport0";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    PpdevPort port;
    EXPECT_FALSE(port.open(path));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.errorText().contains(QStringLiteral("claimed")));
    port.writeData(0xFF);  // a port that is not open ignores writes
    EXPECT_EQ(port.readStatus(), 0);

    EXPECT_FALSE(PortService::OpenRealPort(path).isEmpty());
    EXPECT_FALSE(PortService::HasRealPort());
}

TEST_F(PortTest, FallbackReceivesTheBytesAndNullRestoresMemory) {
    auto rig = std::make_shared<RecordingPort>();
    PortService::SetFallback(rig);
    rig->status = 0x90;
    Out32(kDataPort, 17);
    Out32(kDataPort, 0x1EE);  // only the low byte reaches the lines
    Out32(kDataPort, -1);
    EXPECT_EQ(rig->bytes, (std::vector<uint8_t>{17, 0xEE, 0xFF}));
    EXPECT_EQ(Inp32(kStatusPort), 0x90);

    PortService::SetFallback(nullptr);
    EXPECT_EQ(PortService::Current().description(), QStringLiteral("no port"));
}

TEST_F(PortTest, OverrideWinsAndOtherAddressesAreIgnored) {
    auto fallback = std::make_shared<RecordingPort>();
    auto test = std::make_shared<RecordingPort>();
    PortService::SetFallback(fallback);
    PortService::SetOverride(test);
    test->status = 0x40;

    Out32(kDataPort, 5);
    Out32(0x37A, 9);  // the control register is not ours
    Out32(kStatusPort, 9);
    EXPECT_EQ(test->bytes, std::vector<uint8_t>{5});
    EXPECT_TRUE(fallback->bytes.empty());
    EXPECT_EQ(Inp32(kStatusPort), 0x40);
    EXPECT_EQ(Inp32(kDataPort), 0);
    EXPECT_EQ(Inp32(0x37A), 0);

    PortService::SetOverride(nullptr);
    Out32(kDataPort, 6);
    EXPECT_EQ(fallback->bytes, std::vector<uint8_t>{6});
}

}  // namespace
