#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;

// The splash window shown while the program starts: name, version and the
// start-up progress line. A key press or a click on it shows the main window
// at once and unloads the splash.
class frmSplash : public QWidget {
    Q_OBJECT

  public:
    // The main window owns the splash; it is hidden while the splash shows.
    explicit frmSplash(QWidget* mainWindow);

    QFrame* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;  // 93 x 70
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblWarning = nullptr;  // progress line written by start-up
    QLabel* lblCredit1 = nullptr;
    QLabel* lblCredit2 = nullptr;
    QLabel* lblCredit3 = nullptr;
    QLabel* lblCredit4 = nullptr;
    QLabel* lblCredit5 = nullptr;

    void Form_Load();
    void Form_KeyPress();
    void Form_Click();
    void Frame1_Click();
    void imgLogo_Click();
    // Closes the splash; it is deleted once control returns to the event loop.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    // "Version <major>.<minor>.<revision>" of this build.
    static QString VersionText();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowMainAndUnload();

    QPointer<QWidget> mainWindow_;
    bool unloaded_ = false;
};
