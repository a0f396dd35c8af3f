// The Pause button while it flashes: its face changes colour, its caption keeps
// the font of the other buttons.

#include <QFontInfo>
#include <QPushButton>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "frmmain_fixture.h"

namespace {

struct FaceFont {
    std::string family;
    qreal points = 0;
    int weight = 0;
    // What the caption is drawn in.
    std::string shownFamily;
    int shownPixels = 0;
};

FaceFont FontOf(const QPushButton* button) {
    const QFont font = button->font();
    const QFontInfo shown(font);
    return {font.family().toStdString(), font.pointSizeF(), font.weight(),
            shown.family().toStdString(), shown.pixelSize()};
}

void ExpectSameFont(const FaceFont& got, const FaceFont& want, const char* when) {
    EXPECT_EQ(got.family, want.family) << when;
    EXPECT_EQ(got.points, want.points) << when;
    EXPECT_EQ(got.weight, want.weight) << when;
    EXPECT_EQ(got.shownFamily, want.shownFamily) << when;
    EXPECT_EQ(got.shownPixels, want.shownPixels) << when;
}

}  // namespace

using PauseFace = MainWindowTest;

TEST_F(PauseFace, FlashingKeepsTheCaptionFont) {
    frmMain w;
    w.show();
    const FaceFont before = FontOf(w.cmdpause);
    // The same font as its neighbour "Reset", which never changes colour.
    ExpectSameFont(before, FontOf(w.Command1), "Reset");
    const QString face = w.cmdpause->styleSheet();

    // Pause, wait for two flashes (green, then magenta), then click again.
    QStringList faces;
    std::vector<FaceFont> fonts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &w, [&] {
        const QString now = w.cmdpause->styleSheet();
        if (now != face && (faces.isEmpty() || faces.back() != now)) {
            faces.append(now);
            fonts.push_back(FontOf(w.cmdpause));
        }
        if (faces.size() >= 2 || !w.PauseState.Paused()) {
            watch.stop();
            w.cmdpause->click();
        }
    });
    watch.start(2);
    w.cmdpause->click();

    ASSERT_EQ(faces.size(), 2u);
    EXPECT_TRUE(faces[0].contains("#00ff00")) << faces[0].toStdString();
    EXPECT_TRUE(faces[1].contains("#ff00ff")) << faces[1].toStdString();
    ExpectSameFont(fonts[0], before, "first flash");
    ExpectSameFont(fonts[1], before, "second flash");
    EXPECT_EQ(w.cmdpause->styleSheet(), face);
    ExpectSameFont(FontOf(w.cmdpause), before, "after the pause");
}
