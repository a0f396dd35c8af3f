#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/Settings.h"
#include "platform/Port.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"

// A port that records every byte written to the data register.
class RecordingPort : public PortBackend {
  public:
    void writeData(uint8_t value) override { bytes.push_back(value); }
    uint8_t readStatus() override { return 0; }
    QString description() const override { return QStringLiteral("recording port"); }
    std::vector<uint8_t> bytes;
};

// Each test runs in its own program folder, silent, with answered message boxes
// and a recording port.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetAppPath(folder.path());
        SetSoundOutputEnabled(false);
        ClearSoundRequests();
        MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
        MsgBoxService::ClearHistory();
        port = std::make_shared<RecordingPort>();
        PortService::SetOverride(port);
    }

    void TearDown() override {
        PortService::SetOverride(nullptr);
        MsgBoxService::SetScript(nullptr);
    }

    QString SettingsPath() const { return folder.filePath(QStringLiteral("quenz.ini")); }

    // A complete, good settings file; change lines before writing as a test needs.
    static QStringList GoodSettings(const ControlSettings& controls = ControlSettings()) {
        TestState s;
        s.StepSize = 0.000125;
        s.LRStepSize = 0.000125;
        s.Max = 60;
        s.Min = 30;
        s.textpath = QStringLiteral("/results");
        AssignAutoTestDefaults(s);
        return BuildSettingsLines(s, controls);
    }

    void WriteSettings(const QStringList& lines) {
        ASSERT_TRUE(WriteTextLines(SettingsPath(), lines));
    }

    QList<MsgBoxRequest> Messages() const { return MsgBoxService::History(); }

    QTemporaryDir folder;
    std::shared_ptr<RecordingPort> port;
};
