#pragma once

#include <QDialog>

#include "sim/SimSettings.h"

class QCheckBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class SimTester;

// The simulated tester's source dialog: every setting of the simulator. OK takes
// the settings at once and writes the simulator's settings file; Cancel changes
// nothing.
class SimSourceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SimSourceDialog(SimTester& tester, QWidget* parent = nullptr);

    // The settings as the controls show them.
    SimSettings edited() const;

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

  private:
    void load(const SimSettings& s);
    void cmdOK_Click();

    SimTester& tester_;
    QDoubleSpinBox *spnDiameter, *spnRoc, *spnConic, *spnEdgeHeight, *spnEdgeZone;
    QDoubleSpinBox *spnSlitWidth, *spnSeparation;
    QCheckBox *chkFixedSource, *chkKnifeRight;
    QDoubleSpinBox *spnCentreX, *spnCentreY, *spnRadiusPixels;
    QSpinBox *spnBackground, *spnDark, *spnPeak;
    QDoubleSpinBox *spnNoise, *spnDriftX, *spnDriftY, *spnFrameRate;
    QDoubleSpinBox *spnKnifeStart, *spnPlatformStart, *spnKnifeTravel, *spnPlatformTravel;
    QCheckBox *chkKnifeHighNibble, *chkActiveLow, *chkKnifeReversed, *chkPlatformReversed;
};

// Shows the dialog modally for the tester; true when OK took the settings.
bool ShowSimSourceDialog(SimTester& tester);

// Registers the dialog as the simulator driver's source dialog.
void InstallSimSourceDialog();
