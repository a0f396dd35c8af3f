#pragma once

#include <QWidget>

#include "platform/PictureCanvas.h"

// The picture box control: a widget with a 2-pixel border that shows its canvas.
// Width() and Height() are the outer size; the canvas is the inner area.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    PictureCanvas& canvas() { return canvas_; }
    const PictureCanvas& canvas() const { return canvas_; }

    // Repaints the widget from the canvas now.
    void Refresh();

  signals:
    void resized();                                // the outer size changed (Picture1_Resize)
    void clicked(int button, double x, double y);  // mouse press in canvas pixels

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    PictureCanvas canvas_;
};
