#include "app/ui/frmMain.h"

#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

#include "app/ui/frmSplash.h"
#include "platform/ui/Named.h"
#include "platform/ui/PictureBox.h"

namespace {

// Design size of the client area, status bar included.
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 554;
constexpr int kStatusBarHeight = 17;

// The faces the window was designed with, or faces with the same metrics (the
// Liberation fonts stand in for Arial and Times New Roman), so that captions and
// printed texts fit where they were placed: a small sans for the controls,
// Arial for what is printed into the pictures, Times New Roman for the log.
QFont ControlFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    return font;
}
const QString kPictureFont = QStringLiteral("Arial");
const QString kLogFont = QStringLiteral("Times New Roman");

// A button whose caption wraps at blanks when it is wider than the button, as
// captions of buttons and button-style check boxes do ("Save Pics" in its
// narrow box shows as two lines).
class WrapButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        style()->drawItemText(&painter, room, Qt::AlignCenter | Qt::TextWordWrap, option.palette,
                              isEnabled(), caption, QPalette::ButtonText);
    }
};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& design, const QString& face = QString()) {
    auto* button = Named(static_cast<QPushButton*>(new WrapButton(caption, parent)), name);
    button->setGeometry(design);
    if (!face.isEmpty())
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(face));
    return button;
}

// A check box drawn as a button that stays down while its value is 1.
QPushButton* MakeButtonCheck(QWidget* parent, const char* name, const QString& caption,
                             const QRect& design, const QString& face = QString()) {
    QPushButton* button = MakeButton(parent, name, caption, design, face);
    button->setCheckable(true);
    return button;
}

QSlider* MakeSlider(QWidget* parent, const char* name, Qt::Orientation orientation,
                    const QRect& design, int min, int max, int value) {
    auto* slider = Named(new QSlider(orientation, parent), name);
    slider->setGeometry(design);
    slider->setRange(min, max);
    slider->setValue(value);
    return slider;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& design) {
    auto* box = Named(new QPlainTextEdit(parent), name);
    box->setGeometry(design);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return box;
}

PictureBox* MakeSwatch(QWidget* parent, const char* name, OleColor colour) {
    auto* swatch = Named(new PictureBox(parent), name);
    swatch->setGeometry(0, 0, 18, 18);
    swatch->hide();
    PictureCanvas& canvas = swatch->canvas();
    canvas.Resize(14, 14);
    canvas.BackColor = colour;
    canvas.ClearPicture();
    return swatch;
}

// The picture Picture1 holds until the first frame arrives.
QImage StartPicture() {
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(24, 24, 24));
    return picture;
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(ControlFont());
    setWindowTitle(QStringLiteral("Drelmont"));
    setProperty("HelpContextID", 10);
    CreateControls();
    CreateMenus();
    resize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    ConnectHandlers();
    controlsReady_ = true;
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Picture1 = Named(new PictureBox(client_), "Picture1");
    Picture1->setGeometry(120, 0, 324, 244);
    Picture1->canvas().SetPicture(StartPicture());
    // Status texts over the video: yellow reads on a dark shadowgram and on a lit mirror.
    Picture1->canvas().ForeColor = kYellow;
    // The live picture holds the focus when the window first shows, and takes it
    // when clicked: the jog keys act while no text box has the focus.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setFocus();
    Picture2 = Named(new PictureBox(client_), "Picture2");
    Picture2->setGeometry(0, 288, 649, 275);
    Picture3 = Named(new PictureBox(client_), "Picture3");
    Picture3->setGeometry(728, 288, 73, 275);
    for (PictureBox* picture : {Picture1, Picture2, Picture3})
        picture->canvas().FontName = kPictureFont;
    pBlack = MakeSwatch(client_, "pBlack", 0x000000);
    pBlue = MakeSwatch(client_, "pBlue", 0xFF0000);
    pRed = MakeSwatch(client_, "pRed", 0x0000FF);

    Text1 = MakeTextBox(client_, "Text1", QRect(480, 0, 321, 73));
    QFont logFont = Text1->font();
    logFont.setFamily(kLogFont);
    Text1->setFont(logFont);
    Text1->setPlainText(QStringLiteral("Debug Output Screen\n"));
    Text2 = MakeTextBox(client_, "Text2", QRect(480, 72, 321, 217));

    Chk_trak = MakeButtonCheck(client_, "Chk_trak", QStringLiteral("Track"), QRect(4, 0, 113, 33));
    Command3 = MakeButton(client_, "Command3", QStringLiteral(" Do the Magic"),
                          QRect(4, 32, 113, 41), QStringLiteral("#00ff00"));
    abort = MakeButtonCheck(client_, "abort", QStringLiteral("Abort Action"), QRect(4, 72, 113, 33),
                            QStringLiteral("#ff0000"));
    Command5 = MakeButton(client_, "Command5", QStringLiteral("Save Data"), QRect(4, 104, 113, 33));
    Command5->setEnabled(false);
    Command1 = MakeButton(client_, "Command1", QStringLiteral("Reset"), QRect(4, 136, 64, 33),
                          QStringLiteral("#ffffc0"));
    cmdpause = MakeButton(client_, "cmdpause", QStringLiteral("Pause"), QRect(64, 136, 49, 33),
                          QStringLiteral("#00ffff"));

    Frame3 = Named(new QGroupBox(QStringLiteral("Averaging 10 Frames"), client_), "Frame3");
    Frame3->setGeometry(4, 168, 112, 73);
    Slider1 = MakeSlider(Frame3, "Slider1", Qt::Horizontal, QRect(8, 24, 97, 42), 1, 30, 10);

    MirX = MakeSlider(client_, "MirX", Qt::Horizontal, QRect(120, 240, 321, 25), 1, 320, 160);
    MirY = MakeSlider(client_, "MirY", Qt::Vertical, QRect(440, 0, 41, 241), 1, 240, 120);
    MirY->setInvertedAppearance(true);  // the smallest value at the top, as picture rows run
    MirRad = MakeSlider(client_, "MirRad", Qt::Horizontal, QRect(120, 264, 321, 25), 1, 180, 125);
    MirX->hide();
    MirY->hide();
    MirRad->hide();
    Save_picture = MakeButtonCheck(client_, "Save_picture", QStringLiteral("Save Pics"),
                                   QRect(440, 240, 41, 49));

    Frame2 =
        Named(new QGroupBox(QStringLiteral("Faster <----------->  Slower"), client_), "Frame2");
    Frame2->setGeometry(256, 56, 137, 121);
    Frame2->hide();
    Maxdelay = MakeSlider(Frame2, "Maxdelay", Qt::Horizontal, QRect(8, 16, 121, 25), 1, 5000, 2000);
    Mindelay = MakeSlider(Frame2, "Mindelay", Qt::Horizontal, QRect(8, 48, 121, 25), 1, 1000, 136);
    sldAcell = MakeSlider(Frame2, "sldAcell", Qt::Horizontal, QRect(8, 80, 121, 25), 1, 10, 4);

    StatusBar = Named(new QStatusBar(this), "StatusBar");
    StatusBar->setFixedHeight(kStatusBarHeight);
    setStatusBar(StatusBar);

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(25);
}

void frmMain::ConnectHandlers() {
    connect(Picture1, &PictureBox::resized, this, &frmMain::Picture1_Resize);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(sldAcell, &QSlider::valueChanged, this, &frmMain::sldAcell_OnValue);

    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuDisplay, &QAction::triggered, this, &frmMain::mnuDisplay_Click);
    connect(mnuFormat, &QAction::triggered, this, &frmMain::mnuFormat_Click);
    connect(mnuSource, &QAction::triggered, this, &frmMain::mnuSource_Click);
    connect(mnuSelect, &QAction::triggered, this, &frmMain::mnuSelect_Click);
    connect(mnuWizard, &QAction::triggered, this, &frmMain::mnuWizard_Click);
    connect(MnuAuto, &QAction::triggered, this, &frmMain::MnuAuto_Click);
    connect(mnuEditMirror, &QAction::triggered, this, &frmMain::mnuEditMirror_Click);
    for (int i = 1; i <= kRecentMirrors; ++i)
        connect(Mnu[i], &QAction::triggered, this, [this, i] { Mnu_Click(i); });
    connect(mnuReps, &QAction::triggered, this, &frmMain::mnuReps_Click);
    connect(mnuSave, &QAction::triggered, this, &frmMain::mnuSave_Click);
    connect(mnuText, &QAction::triggered, this, &frmMain::mnuText_Click);
    connect(mnuDebug, &QAction::triggered, this, &frmMain::mnuDebug_Click);
    connect(MnuMoreText, &QAction::triggered, this, &frmMain::MnuMoreText_Click);
    connect(MnuBars, &QAction::triggered, this, &frmMain::MnuBars_Click);
    ConnectSlider1();
    ConnectAutoTest();
    ConnectLiveButtons();
}

void frmMain::LogLine(const QString& line) {
    Text1->setPlainText(line + QLatin1Char('\n') + Text1->toPlainText());
}
