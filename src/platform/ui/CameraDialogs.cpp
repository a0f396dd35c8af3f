#include "platform/ui/CameraDialogs.h"

#include <QApplication>
#include <QCamera>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoFrameFormat>

#include "platform/CameraDriver.h"

namespace {

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QString WhiteBalanceText(QCamera::WhiteBalanceMode mode) {
    switch (mode) {
        case QCamera::WhiteBalanceAuto:
            return QStringLiteral("Automatic");
        case QCamera::WhiteBalanceManual:
            return QStringLiteral("Manual (colour temperature)");
        case QCamera::WhiteBalanceSunlight:
            return QStringLiteral("Sunlight");
        case QCamera::WhiteBalanceCloudy:
            return QStringLiteral("Cloudy");
        case QCamera::WhiteBalanceShade:
            return QStringLiteral("Shade");
        case QCamera::WhiteBalanceTungsten:
            return QStringLiteral("Tungsten");
        case QCamera::WhiteBalanceFluorescent:
            return QStringLiteral("Fluorescent");
        case QCamera::WhiteBalanceFlash:
            return QStringLiteral("Flash");
        case QCamera::WhiteBalanceSunset:
            return QStringLiteral("Sunset");
    }
    return QString();
}

}  // namespace

QString CameraFormatText(const QCameraFormat& format) {
    const QSize size = format.resolution();
    QString text = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
    const float low = format.minFrameRate(), high = format.maxFrameRate();
    if (high > 0)
        text += low > 0 && low != high ? QStringLiteral(", %1-%2 fps").arg(low).arg(high)
                                       : QStringLiteral(", %1 fps").arg(high);
    const QString pixels = QVideoFrameFormat::pixelFormatToString(format.pixelFormat());
    if (!pixels.isEmpty()) text += QStringLiteral(", ") + pixels;
    return text;
}

bool ShowCameraFormatDialog(CameraDriver& camera) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("CameraFormatDialog"));
    dialog.setWindowTitle(QStringLiteral("Video Format"));
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("lstFormats"));
    const QList<QCameraFormat> formats = camera.formats();
    const QCameraFormat current = camera.format();
    for (int i = 0; i < formats.size(); ++i) {
        list->addItem(CameraFormatText(formats[i]));
        if (formats[i] == current) list->setCurrentRow(i);
    }
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(camera.name()));
    layout->addWidget(list);
    layout->addWidget(OkCancel(dialog));
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted) return false;
    const int row = list->currentRow();
    if (row < 0 || row >= formats.size()) return false;
    camera.setFormat(formats[row]);
    return true;
}

bool ShowCameraSourceDialog(CameraDriver& camera) {
    QCamera* cam = camera.camera();
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("CameraSourceDialog"));
    dialog.setWindowTitle(QStringLiteral("Video Source"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(camera.name()));
    if (!cam) {
        layout->addWidget(new QLabel(QStringLiteral("The camera is not connected.")));
        layout->addWidget(OkCancel(dialog));
        dialog.exec();
        return false;
    }
    const QCamera::Features features = cam->supportedFeatures();
    auto* form = new QFormLayout;

    auto* exposure = new QDoubleSpinBox;
    exposure->setObjectName(QStringLiteral("spnExposureCompensation"));
    exposure->setRange(-4, 4);
    exposure->setSingleStep(0.5);
    exposure->setValue(cam->exposureCompensation());
    exposure->setEnabled(features.testFlag(QCamera::Feature::ExposureCompensation));
    form->addRow(QStringLiteral("Exposure compensation (EV)"), exposure);

    const bool manualTime = features.testFlag(QCamera::Feature::ManualExposureTime);
    auto* autoTime = new QCheckBox(QStringLiteral("Automatic exposure time"));
    autoTime->setObjectName(QStringLiteral("chkAutoExposureTime"));
    autoTime->setChecked(cam->manualExposureTime() <= 0);
    autoTime->setEnabled(manualTime);
    auto* time = new QDoubleSpinBox;
    time->setObjectName(QStringLiteral("spnExposureTime"));
    time->setDecimals(4);
    const float minTime = cam->minimumExposureTime(), maxTime = cam->maximumExposureTime();
    time->setRange(minTime > 0 ? minTime : 0.0001, maxTime > minTime ? maxTime : 1.0);
    time->setValue(cam->manualExposureTime() > 0 ? cam->manualExposureTime() : cam->exposureTime());
    time->setEnabled(manualTime && !autoTime->isChecked());
    QObject::connect(autoTime, &QCheckBox::toggled, time,
                     [time, manualTime](bool on) { time->setEnabled(manualTime && !on); });
    form->addRow(autoTime);
    form->addRow(QStringLiteral("Exposure time (seconds)"), time);

    auto* balance = new QComboBox;
    balance->setObjectName(QStringLiteral("cboWhiteBalance"));
    for (int m = QCamera::WhiteBalanceAuto; m <= QCamera::WhiteBalanceSunset; ++m) {
        const auto mode = static_cast<QCamera::WhiteBalanceMode>(m);
        if (!cam->isWhiteBalanceModeSupported(mode)) continue;
        balance->addItem(WhiteBalanceText(mode), m);
        if (mode == cam->whiteBalanceMode()) balance->setCurrentIndex(balance->count() - 1);
    }
    balance->setEnabled(balance->count() > 1);
    form->addRow(QStringLiteral("White balance"), balance);

    auto* temperature = new QDoubleSpinBox;
    temperature->setObjectName(QStringLiteral("spnColourTemperature"));
    temperature->setDecimals(0);
    temperature->setRange(1000, 12000);
    temperature->setSingleStep(100);
    temperature->setValue(cam->colorTemperature() > 0 ? cam->colorTemperature() : 5600);
    temperature->setEnabled(features.testFlag(QCamera::Feature::ColorTemperature));
    form->addRow(QStringLiteral("Colour temperature (K)"), temperature);

    auto* zoom = new QDoubleSpinBox;
    zoom->setObjectName(QStringLiteral("spnZoom"));
    zoom->setRange(cam->minimumZoomFactor(),
                   std::max(cam->minimumZoomFactor(), cam->maximumZoomFactor()));
    zoom->setSingleStep(0.1);
    zoom->setValue(cam->zoomFactor());
    zoom->setEnabled(cam->maximumZoomFactor() > cam->minimumZoomFactor());
    form->addRow(QStringLiteral("Zoom"), zoom);

    layout->addLayout(form);
    layout->addWidget(OkCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) return false;

    // The camera may have gone while the dialog was open.
    cam = camera.camera();
    if (!cam) return false;
    if (exposure->isEnabled()) cam->setExposureCompensation(static_cast<float>(exposure->value()));
    if (manualTime) {
        if (autoTime->isChecked())
            cam->setAutoExposureTime();
        else
            cam->setManualExposureTime(static_cast<float>(time->value()));
    }
    if (balance->count() > 0)
        cam->setWhiteBalanceMode(
            static_cast<QCamera::WhiteBalanceMode>(balance->currentData().toInt()));
    if (temperature->isEnabled() && cam->whiteBalanceMode() == QCamera::WhiteBalanceManual)
        cam->setColorTemperature(static_cast<int>(temperature->value()));
    if (zoom->isEnabled()) cam->setZoomFactor(static_cast<float>(zoom->value()));
    return true;
}

void InstallCaptureDialogs() {
    CameraDriver::SetFormatDialog(&ShowCameraFormatDialog);
    CameraDriver::SetSourceDialog(&ShowCameraSourceDialog);
}
