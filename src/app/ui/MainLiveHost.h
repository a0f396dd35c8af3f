#pragma once

#include <QObject>

#include "app/ui/MainRigHost.h"
#include "live/LiveLoop.h"
#include "live/LiveLoopHost.h"

class frmMain;

// The live loop over the real main window: sliders, check box and wiring marks are
// read from its controls at every call, coil bytes go to the port service, keys to
// the key-state service, frames come from the capture window into Picture1, and
// the measurement and tracking are the window's own. It is a child of the window
// and owns the window's one live loop.
class MainLiveHost final : public QObject, public LiveLoopHost, public MainRigHost {
  public:
    explicit MainLiveHost(frmMain& window);

    LiveLoop& Loop() { return loop_; }

    TestState& State() override;

    int32_t MaxdelayValue() override;
    int32_t MirXValue() override;
    int32_t MirYValue() override;
    int32_t MirRadValue() override;
    bool TrackChecked() override;

    int32_t ReadHandpad() override;
    short GetAsyncKeyState(int virtualKey) override;

    void TrackMirror() override;

    PictureCanvas& Picture1() override;
    PictureCanvas& Picture3() override;
    void RefreshPicture1() override;
    double Picture3Width() override;
    double Picture3Height() override;

    void EnableTimer1() override;

  private:
    LiveLoop loop_{*this};
};
