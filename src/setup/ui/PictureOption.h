#pragma once

#include <QPixmap>
#include <QRadioButton>

// A graphical option button: it shows its picture, or its down picture while it
// is selected or pressed, with its caption below. A click anywhere on it
// selects it.
class PictureOption : public QRadioButton {
    Q_OBJECT

  public:
    PictureOption(const QString& caption, const QPixmap& picture, const QPixmap& downPicture,
                  QWidget* parent = nullptr);

    const QPixmap& Picture() const { return picture_; }
    const QPixmap& DownPicture() const { return downPicture_; }
    // Where the picture sits inside the button.
    QRect PictureRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect CaptionRect() const;

    QPixmap picture_;
    QPixmap downPicture_;
};
