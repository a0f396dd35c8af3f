#pragma once

#include <QString>

#include "core/TestState.h"

class QWidget;

// What the setup dialogs need of the main window.

// The hidden menu items of the main window whose check marks (and two captions)
// hold the wiring and light-source settings.
enum class SettingItem { mnuinvert, mnuLRswap, mnuTFswap, mnuSwapMotors, MnuFixed };

// The main window's motor speed sliders.
enum class SpeedSlider { Maxdelay, Mindelay, sldAcell };

class SetupHost {
  public:
    virtual ~SetupHost() = default;
    virtual TestState& State() = 0;

    virtual bool ItemChecked(SettingItem item) const = 0;
    virtual void SetItemChecked(SettingItem item, bool checked) = 0;
    virtual QString ItemCaption(SettingItem item) const = 0;
    virtual void SetItemCaption(SettingItem item, const QString& caption) = 0;

    virtual int SpeedValue(SpeedSlider slider) const = 0;
    // The main window's slider stops at the ends of its range.
    virtual void SetSpeedValue(SpeedSlider slider, int value) = 0;

    // The Save Data Options dialog (one instance): modal, owned by `owner`,
    // returning when it closes; or modeless, owned by the main window, so that it
    // stays open after the dialog that opened it has gone.
    virtual void ShowSaveOptions(QWidget* owner) = 0;
    virtual void ShowSaveOptionsModeless() = 0;

    // Gives the main window the focus.
    virtual void FocusMainWindow() = 0;
};
