#include "app/ui/MainAutoTestHost.h"

#include <QAction>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTime>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "platform/Counter.h"
#include "platform/Events.h"
#include "platform/Port.h"
#include "platform/Sound.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/PictureBox.h"

namespace {

QString FromCrLf(const QString& text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return plain;
}

QString ToCrLf(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return lines;
}

OutsidePrograms* programsOverride = nullptr;

}  // namespace

MsgResult MainAutoTestHost::ShowMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                                        const QString& title) {
    return MsgBox(text, buttons, icon, title);
}

void MainAutoTestHost::GrabStillFrame() {
    w_.GrabStill();
}

void MainAutoTestHost::PlaySoundAsync(const QString& path) {
    ::PlaySoundAsync(path);
}

void MainAutoTestHost::PlaySoundSync(const QString& path) {
    ::PlaySoundSync(path);
}

bool MainAutoTestHost::AbortChecked() {
    return w_.abort->isChecked();
}

void MainAutoTestHost::SetAbortChecked(bool checked) {
    w_.abort->setChecked(checked);
}

void MainAutoTestHost::SetTrackingChecked(bool checked) {
    w_.Chk_trak->setChecked(checked);
}

bool MainAutoTestHost::SavePictureChecked() {
    return w_.Save_picture->isChecked();
}

std::chrono::nanoseconds MainAutoTestHost::BusyCountStepTime() {
    return w_.BusyCountStep();
}

QString MainAutoTestHost::Text1() {
    return ToCrLf(w_.Text1->toPlainText());
}

void MainAutoTestHost::SetText1(const QString& text) {
    w_.Text1->setPlainText(FromCrLf(text));
}

QString MainAutoTestHost::Text2() {
    return ToCrLf(w_.Text2->toPlainText());
}

void MainAutoTestHost::SetText2(const QString& text) {
    w_.Text2->setPlainText(FromCrLf(text));
}

void MainAutoTestHost::SetTestButtonsEnabled(bool enabled) {
    w_.Command3->setEnabled(enabled);
    w_.Command1->setEnabled(enabled);
    w_.Command5->setEnabled(enabled);
}

void MainAutoTestHost::SetPicture3Visible(bool visible) {
    w_.Picture3->setVisible(visible);
}

void MainAutoTestHost::FormResize() {
    w_.Form_Resize();
}

void MainAutoTestHost::SetTimerEnabled(bool enabled) {
    if (!enabled) {
        w_.Timer1->stop();
    } else if (!w_.Timer1->isActive()) {
        w_.Timer1->start();
    }
}

// While the test runs the mirror-radius slider reports its value only when it is
// let go, not at every mouse move.
void MainAutoTestHost::SetMirRadFlag(bool value) {
    w_.MirRad->setTracking(value);
}

bool MainAutoTestHost::SaveZoneImage(const QString& path) {
    return w_.Picture1->canvas().SaveImageBitmap(path);
}

bool MainAutoTestHost::SaveRawZoneImage(const QString& path) {
    return w_.Picture1->canvas().SavePictureBitmap(path);
}

void MainAutoTestHost::SaveData() {
    w_.RunSaveData();
}

QString MainAutoTestHost::TimeOfDay() {
    // The system's long time format (with seconds), without a time zone.
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(QTime::currentTime(), format.trimmed());
}

bool MainAutoTestHost::FixedSource() {
    return w_.MnuFixed->isChecked();
}

OutsidePrograms& MainAutoTestHost::Programs() {
    return watched_;
}

void MainAutoTestHost::SetProgramsOverride(OutsidePrograms* programs) {
    programsOverride = programs;
}

OutsidePrograms& MainAutoTestHost::InUse() {
    return programsOverride ? *programsOverride : programs_;
}

QString MainAutoTestHost::LastError() const {
    return programsOverride ? QString() : programs_.LastError();
}

bool MainAutoTestHost::WatchedPrograms::Shell(const QString& program, const QString& workingFolder,
                                              const QStringList& typedFiles) {
    program_ = program;
    if (host_.InUse().Shell(program, workingFolder, typedFiles)) return true;
    // The desktop's reason names the program already.
    const QString why = host_.LastError();
    host_.failures_ << QStringLiteral("Save Data: ") +
                           (why.isEmpty() ? program + QStringLiteral(" could not be started")
                                          : why);
    return false;
}

QString MainAutoTestHost::WatchedPrograms::TypedPath(const QString& path) const {
    return host_.InUse().TypedPath(path);
}

QString MainAutoTestHost::WatchedPrograms::Refusal() const {
    return host_.InUse().Refusal();
}

bool MainAutoTestHost::WatchedPrograms::SendKeys(const KeySequence& keys, bool wait) {
    if (host_.InUse().SendKeys(keys, wait)) return true;
    const QString why = host_.LastError();
    host_.failures_ << QStringLiteral("Save Data: the keys for %1 were not sent: %2")
                           .arg(program_, why.isEmpty() ? QStringLiteral("they could not be "
                                                                         "delivered")
                                                        : why);
    return false;
}

void MainAutoTestHost::WatchedPrograms::Pause(float ms) {
    host_.InUse().Pause(ms);
}
