#pragma once

#include <QWidget>

#include "app/TextWindowLayout.h"

class QGroupBox;
class QPlainTextEdit;
class QTimer;
class frmMain;

// "QUENZ Text Output": live copies of the main window's log (Text1) and test
// data (Text2), replaced whole every 50 ms. A sizable tool window owned by the
// main window, one instance at a time; it deletes itself when it closes. It never
// writes back into the main window.
class frmText : public QWidget {
    Q_OBJECT
  public:
    frmText(frmMain& main, QWidget* owner);

    QGroupBox* Frame1 = nullptr;  // "Debug Output"
    QPlainTextEdit* Text1 = nullptr;
    QGroupBox* Frame2 = nullptr;  // "Foucault Test Data"
    QPlainTextEdit* Text2 = nullptr;
    QTimer* Timer1 = nullptr;  // 50 ms

    // Centres the window on the screen; its size stays.
    void Form_Load();
    // The resize rule for the window's outer size.
    void Form_Resize();
    // Both boxes get the whole text of the main window's boxes.
    void Timer1_Timer();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Apply();

    frmMain& main_;
    TextWindowControls controls_ = TextWindowDesign();
};
