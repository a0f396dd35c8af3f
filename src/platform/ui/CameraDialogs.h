#pragma once

#include <QCameraFormat>
#include <QString>

class CameraDriver;

// The text a camera format is listed with: "1280 x 720, 30 fps, YUYV".
QString CameraFormatText(const QCameraFormat& format);

// The camera's format dialog: a list of the formats the camera offers; OK uses
// the chosen one. True when a format was chosen.
bool ShowCameraFormatDialog(CameraDriver& camera);

// The camera's source dialog: the controls Qt offers for it (exposure, white
// balance, zoom), each enabled only when the camera supports it. True on OK.
bool ShowCameraSourceDialog(CameraDriver& camera);

// Registers the cameras' format and source dialogs. Called once at start-up.
void InstallCaptureDialogs();
