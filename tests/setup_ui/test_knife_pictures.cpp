// The pictures of the knife-side and repetition dialogs.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/ui/frmSplash.h"
#include "setup/ui/Dialog.h"
#include "setup/ui/PictureOption.h"
#include "setup/ui/TesterPictures.h"
#include "setup/ui/frmOptions.h"

namespace {

// Columns where a picture shows the knife blade's own colour.
std::vector<int> BladeColumns(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb blade = TesterPictures::KnifeBlade().rgb();
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == blade) {
                columns.push_back(x);
                break;
            }
    return columns;
}

QImage Rgb(const QPixmap& picture) {
    return picture.toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(KnifePictures, EachButtonShowsItsSideAndLooksChosenWhenSelected) {
    TestState s;
    frmOptions d(s);
    const int width = TesterPictures::kSize.width();
    for (int i = 0; i < 2; ++i) {
        const PictureOption* button = d.Option1[i];
        EXPECT_EQ(button->Picture().size(), QSize(250, 400)) << i;
        EXPECT_EQ(button->DownPicture().size(), QSize(250, 400)) << i;
        EXPECT_NE(Rgb(button->Picture()), Rgb(button->DownPicture())) << i;
        // The whole picture and the caption lie inside the button, the buttons
        // inside the dialog and clear of each other and of the label.
        EXPECT_TRUE(button->rect().contains(button->PictureRect())) << i;
        EXPECT_TRUE(d.rect().contains(button->geometry())) << i;
        EXPECT_LE(button->geometry().bottom(), d.Label1->geometry().top()) << i;
        // The blade is on its side of the slit, in both looks, and the two
        // sides are mirror images of each other.
        for (const QPixmap* picture : {&button->Picture(), &button->DownPicture()}) {
            const std::vector<int> columns = BladeColumns(*picture);
            ASSERT_GE(columns.size(), 10u) << i;
            if (i == 0)
                EXPECT_LT(columns.back(), width / 2 - 10);
            else
                EXPECT_GT(columns.front(), width / 2 + 10);
        }
    }
    EXPECT_LT(d.Option1[0]->geometry().right(), d.Option1[1]->geometry().left());
    const std::vector<int> left = BladeColumns(d.Option1[0]->Picture());
    std::vector<int> mirrored;
    for (auto x = left.rbegin(); x != left.rend(); ++x) mirrored.push_back(width - 1 - *x);
    EXPECT_EQ(mirrored, BladeColumns(d.Option1[1]->Picture()));

    // The button shows its down picture while it is selected.
    s.KnifeRight = true;
    d.Form_Load();
    d.show();
    const QRect inside = d.Option1[1]->PictureRect();
    EXPECT_EQ(d.Option1[1]->grab(inside).toImage().convertToFormat(QImage::Format_RGB32),
              Rgb(d.Option1[1]->DownPicture()));
    EXPECT_EQ(d.Option1[0]->grab(inside).toImage().convertToFormat(QImage::Format_RGB32),
              Rgb(d.Option1[0]->Picture()));
}

TEST(KnifePictures, AClickOnAPictureChoosesItsSide) {
    for (const bool start : {false, true}) {
        TestState s;
        s.KnifeRight = start;
        frmOptions d(s);
        d.Form_Load();
        d.show();
        const int choose = start ? 0 : 1;
        // Inside the picture, on the mirror, well away from the caption.
        QTest::mouseClick(d.Option1[choose], Qt::LeftButton, {}, QPoint(129, 100));
        EXPECT_TRUE(d.Option1[choose]->isChecked()) << start;
        EXPECT_FALSE(d.Option1[1 - choose]->isChecked()) << start;
        EXPECT_EQ(d.Label1->text(), start ? "Current Selection Places Knife on Left!"
                                          : "Current Selection Places Knife on Right!");
        d.cmdOK->click();
        EXPECT_EQ(s.KnifeRight, !start);
    }
}

TEST(KnifePictures, RepetitionDialogShowsTheSplashLogo) {
    TestState s;
    Dialog d(s);
    ASSERT_EQ(d.Picture1->pixmap().size(), QSize(93, 70));
    EXPECT_EQ(d.Picture1->size(), QSize(93, 70));
    EXPECT_TRUE(d.rect().contains(d.Picture1->geometry()));
    EXPECT_FALSE(d.Picture1->geometry().intersects(d.Frame1->geometry()));
    frmSplash splash(nullptr);
    const QImage logo = Rgb(d.Picture1->pixmap());
    EXPECT_EQ(logo, Rgb(splash.imgLogo->pixmap()));
    // A picture, not a blank: both the lit and the shadowed half show.
    EXPECT_NE(logo.pixel(30, 35), logo.pixel(62, 35));
    EXPECT_NE(logo.pixel(30, 35), logo.pixel(2, 2));
}
