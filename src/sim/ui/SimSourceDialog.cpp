#include "sim/ui/SimSourceDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/ui/MsgBox.h"
#include "sim/SimDriver.h"
#include "sim/SimTester.h"

namespace {

const QString kTitle = QStringLiteral("Simulated Foucault tester");

QDoubleSpinBox* Number(const char* name, double low, double high, int decimals, double step) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setKeyboardTracking(false);
    return box;
}

QSpinBox* Level(const char* name) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 255);
    return box;
}

QCheckBox* Check(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

}  // namespace

SimSourceDialog::SimSourceDialog(SimTester& tester, QWidget* parent)
    : QDialog(parent), tester_(tester) {
    using namespace SimLimits;
    setObjectName(QStringLiteral("SimSourceDialog"));
    setWindowTitle(kTitle);

    spnDiameter = Number("spnDiameter", 0.1, kMaxDiameter, 3, 0.5);
    spnRoc = Number("spnRoc", 0.1, 100000, 3, 1);
    spnConic = Number("spnConic", -kMaxConic, kMaxConic, 4, 0.1);
    spnEdgeHeight = Number("spnEdgeHeight", -kMaxEdgeHeight, kMaxEdgeHeight, 7, 0.000001);
    spnEdgeZone = Number("spnEdgeZone", 0.01, 1, 3, 0.01);
    auto* mirror = new QGroupBox(QStringLiteral("Mirror (inches)"));
    auto* mirrorForm = new QFormLayout(mirror);
    mirrorForm->addRow(QStringLiteral("Diameter"), spnDiameter);
    mirrorForm->addRow(QStringLiteral("Radius of curvature"), spnRoc);
    mirrorForm->addRow(QStringLiteral("Conic constant"), spnConic);
    mirrorForm->addRow(QStringLiteral("Turned edge, depth at the rim"), spnEdgeHeight);
    mirrorForm->addRow(QStringLiteral("Turned edge, part of the radius"), spnEdgeZone);

    spnSlitWidth = Number("spnSlitWidth", 0.00001, kMaxSlitWidth, 5, 0.0005);
    spnSeparation = Number("spnSeparation", 0, kMaxSeparation, 4, 0.05);
    chkFixedSource = Check("chkFixedSource", QStringLiteral("Fixed light source"));
    chkKnifeRight = Check("chkKnifeRight", QStringLiteral("Knife on the right of the source"));
    auto* source = new QGroupBox(QStringLiteral("Source and knife (inches)"));
    auto* sourceForm = new QFormLayout(source);
    sourceForm->addRow(QStringLiteral("Slit width"), spnSlitWidth);
    sourceForm->addRow(QStringLiteral("Source to knife"), spnSeparation);
    sourceForm->addRow(chkFixedSource);
    sourceForm->addRow(chkKnifeRight);

    spnCentreX = Number("spnCentreX", -1000, 1000, 1, 1);
    spnCentreY = Number("spnCentreY", -1000, 1000, 1, 1);
    spnRadiusPixels = Number("spnRadiusPixels", 1, kMaxRadiusPixels, 1, 1);
    spnBackground = Level("spnBackground");
    spnDark = Level("spnDark");
    spnPeak = Level("spnPeak");
    spnNoise = Number("spnNoise", 0, kMaxNoise, 2, 0.5);
    spnDriftX = Number("spnDriftX", -kMaxDrift, kMaxDrift, 2, 0.5);
    spnDriftY = Number("spnDriftY", -kMaxDrift, kMaxDrift, 2, 0.5);
    spnFrameRate = Number("spnFrameRate", 0, kMaxFrameRate, 1, 5);
    auto* picture = new QGroupBox(QStringLiteral("Picture (pixels, grey levels)"));
    auto* pictureForm = new QFormLayout(picture);
    pictureForm->addRow(QStringLiteral("Mirror centre x"), spnCentreX);
    pictureForm->addRow(QStringLiteral("Mirror centre y"), spnCentreY);
    pictureForm->addRow(QStringLiteral("Mirror radius"), spnRadiusPixels);
    pictureForm->addRow(QStringLiteral("Background"), spnBackground);
    pictureForm->addRow(QStringLiteral("Dark (knife cuts all)"), spnDark);
    pictureForm->addRow(QStringLiteral("Peak (knife cuts nothing)"), spnPeak);
    pictureForm->addRow(QStringLiteral("Noise (levels)"), spnNoise);
    pictureForm->addRow(QStringLiteral("Drift x (pixels a minute)"), spnDriftX);
    pictureForm->addRow(QStringLiteral("Drift y (pixels a minute)"), spnDriftY);
    pictureForm->addRow(QStringLiteral("Frames a second (0: at once)"), spnFrameRate);

    spnKnifeStart = Number("spnKnifeStart", -kMaxKnifeStart, kMaxKnifeStart, 5, 0.001);
    spnPlatformStart = Number("spnPlatformStart", -kMaxPlatformStart, kMaxPlatformStart, 4, 0.01);
    spnKnifeTravel = Number("spnKnifeTravel", kMinTravel, kMaxTravel, 7, 0.000005);
    spnPlatformTravel = Number("spnPlatformTravel", kMinTravel, kMaxTravel, 7, 0.000005);
    auto* motion = new QGroupBox(QStringLiteral("Axes (inches)"));
    auto* motionForm = new QFormLayout(motion);
    motionForm->addRow(QStringLiteral("Knife start, from the source image"), spnKnifeStart);
    motionForm->addRow(QStringLiteral("Platform start, from the centre of curvature"),
                       spnPlatformStart);
    motionForm->addRow(QStringLiteral("Knife travel per half step"), spnKnifeTravel);
    motionForm->addRow(QStringLiteral("Platform travel per half step"), spnPlatformTravel);

    chkKnifeHighNibble =
        Check("chkKnifeHighNibble", QStringLiteral("Knife motor on data bits 4 to 7"));
    chkActiveLow = Check("chkActiveLow", QStringLiteral("Coils active low"));
    chkKnifeReversed = Check("chkKnifeReversed", QStringLiteral("Knife motor turns the other way"));
    chkPlatformReversed =
        Check("chkPlatformReversed", QStringLiteral("Platform motor turns the other way"));
    auto* wiring = new QGroupBox(QStringLiteral("Rig wiring"));
    auto* wiringLayout = new QVBoxLayout(wiring);
    for (QCheckBox* box : {chkKnifeHighNibble, chkActiveLow, chkKnifeReversed, chkPlatformReversed})
        wiringLayout->addWidget(box);
    motionForm->addRow(wiring);

    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    QObject::connect(cmdOK, &QPushButton::clicked, this, &SimSourceDialog::cmdOK_Click);
    QObject::connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(mirror, 0, 0);
    grid->addWidget(source, 1, 0);
    grid->addWidget(picture, 0, 1, 2, 1);
    grid->addWidget(motion, 0, 2, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    load(tester_.settings());
}

void SimSourceDialog::load(const SimSettings& s) {
    spnDiameter->setValue(s.mirrorDiameter);
    spnRoc->setValue(s.radiusOfCurvature);
    spnConic->setValue(s.conicConstant);
    spnEdgeHeight->setValue(s.edgeHeight);
    spnEdgeZone->setValue(s.edgeZone);
    spnSlitWidth->setValue(s.slitWidth);
    spnSeparation->setValue(s.separation);
    chkFixedSource->setChecked(s.fixedSource);
    chkKnifeRight->setChecked(s.knifeRight);
    spnCentreX->setValue(s.centreX);
    spnCentreY->setValue(s.centreY);
    spnRadiusPixels->setValue(s.radiusPixels);
    spnBackground->setValue(s.background);
    spnDark->setValue(s.dark);
    spnPeak->setValue(s.peak);
    spnNoise->setValue(s.noiseSigma);
    spnDriftX->setValue(s.driftX);
    spnDriftY->setValue(s.driftY);
    spnFrameRate->setValue(s.frameRate);
    spnKnifeStart->setValue(s.knifeStart);
    spnPlatformStart->setValue(s.platformStart);
    spnKnifeTravel->setValue(s.knifeTravel);
    spnPlatformTravel->setValue(s.platformTravel);
    chkKnifeHighNibble->setChecked(s.knifeHighNibble);
    chkActiveLow->setChecked(s.activeLow);
    chkKnifeReversed->setChecked(s.knifeReversed);
    chkPlatformReversed->setChecked(s.platformReversed);
}

SimSettings SimSourceDialog::edited() const {
    SimSettings s;
    s.mirrorDiameter = spnDiameter->value();
    s.radiusOfCurvature = spnRoc->value();
    s.conicConstant = spnConic->value();
    s.edgeHeight = spnEdgeHeight->value();
    s.edgeZone = spnEdgeZone->value();
    s.slitWidth = spnSlitWidth->value();
    s.separation = spnSeparation->value();
    s.fixedSource = chkFixedSource->isChecked();
    s.knifeRight = chkKnifeRight->isChecked();
    s.centreX = spnCentreX->value();
    s.centreY = spnCentreY->value();
    s.radiusPixels = spnRadiusPixels->value();
    s.background = spnBackground->value();
    s.dark = spnDark->value();
    s.peak = spnPeak->value();
    s.noiseSigma = spnNoise->value();
    s.driftX = spnDriftX->value();
    s.driftY = spnDriftY->value();
    s.frameRate = spnFrameRate->value();
    s.knifeStart = spnKnifeStart->value();
    s.platformStart = spnPlatformStart->value();
    s.knifeTravel = spnKnifeTravel->value();
    s.platformTravel = spnPlatformTravel->value();
    s.knifeHighNibble = chkKnifeHighNibble->isChecked();
    s.activeLow = chkActiveLow->isChecked();
    s.knifeReversed = chkKnifeReversed->isChecked();
    s.platformReversed = chkPlatformReversed->isChecked();
    return s;
}

void SimSourceDialog::cmdOK_Click() {
    const SimSettings settings = edited();
    const QString problem = SimSettingsProblem(settings);
    if (!problem.isEmpty()) {
        MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
        return;
    }
    tester_.applySettings(settings);
    QString error;
    if (!tester_.saveSettings(&error))
        MsgBox(QStringLiteral("The settings are in use but could not be saved to %1: %2")
                   .arg(SimTester::SettingsPath(), error),
               MsgButtons::OK, MsgIcon::Exclamation, kTitle);
    accept();
}

bool ShowSimSourceDialog(SimTester& tester) {
    SimSourceDialog dialog(tester, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void InstallSimSourceDialog() {
    SimDriver::SetSourceDialog(&ShowSimSourceDialog);
}
