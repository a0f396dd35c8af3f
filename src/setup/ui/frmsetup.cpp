#include "setup/ui/frmsetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>

#include "autotest/MoveSizes.h"
#include "output/ui/SaveOptions.h"
#include "platform/ui/Centre.h"
#include "platform/ui/DesignButton.h"
#include "platform/ui/Named.h"
#include "platform/ui/TabPages.h"
#include "setup/SetupRules.h"
#include "setup/ui/Dialog.h"
#include "setup/ui/frmOptions.h"
#include "setup/ui/frmStepSize.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr int kPageTop = 40;
constexpr int kPageWidth = 572;
constexpr int kPageHeight = 300;

constexpr int kKeyTab = 9;
constexpr int kShiftCtrl = 2;

QLabel* MakeText(QWidget* page, const QString& text, const QRect& design) {
    auto* label = new QLabel(text, page);
    label->setGeometry(design);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QSlider* MakeSlider(QWidget* parent, const char* name, const QRect& design, int min, int max,
                    int tick, int small, int large, int value) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setGeometry(design);
    slider->setRange(min, max);
    slider->setTickInterval(tick);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setSingleStep(small);
    slider->setPageStep(large);
    slider->setValue(value);
    return slider;
}

void SetBox(QCheckBox* box, bool checked) {
    box->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}
bool BoxSet(const QCheckBox* box) {
    return box->checkState() != Qt::Unchecked;
}

QString MaxCaption(int value) {
    return QStringLiteral("Max Intensity = ") + QString::number(value);
}
QString MinCaption(int value) {
    return QStringLiteral("Min Intensity = ") + QString::number(value);
}

}  // namespace

bool frmsetup::MaxLast = false;

frmsetup::frmsetup(SetupHost& main, QWidget* owner) : QDialog(owner), main_(main) {
    setObjectName(QStringLiteral("frmsetup"));
    setWindowTitle(QStringLiteral("Platfrom And Foucault Test setup"));
    setProperty("HelpContextID", 340);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);

    tbsOptions = Named(new QTabBar(this), "tbsOptions");
    tbsOptions->setGeometry(8, 8, kWidth - 16, 28);
    for (int i = 0; i < 5; ++i) tbsOptions->addTab(QString());
    BuildPages();

    cmdOK = MakeButton(this, "cmdOK", QStringLiteral("OK"), QRect(kWidth - 100, 356, 84, 28));
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(200);

    connect(tbsOptions, &QTabBar::currentChanged, this, &frmsetup::tbsOptions_OnSelect);
    connect(Check1, &QCheckBox::stateChanged, this, &frmsetup::Check1_Click);
    connect(Check2, &QCheckBox::stateChanged, this, &frmsetup::Check2_Click);
    connect(Check3, &QCheckBox::stateChanged, this, &frmsetup::Check3_Click);
    connect(Check4, &QCheckBox::stateChanged, this, &frmsetup::Check4_Click);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    // Only what the user does with a slider counts as touching it.
    connect(sldMax, &QSlider::actionTriggered, this, &frmsetup::sldMax_OnTouch);
    connect(sldmin, &QSlider::actionTriggered, this, &frmsetup::sldmin_OnTouch);
    connect(Timer1, &QTimer::timeout, this, &frmsetup::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &frmsetup::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmsetup::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmsetup::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmsetup::Command4_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmsetup::cmdOK_Click);

    // The dialog sees the keys of its controls before they do (for Ctrl+Tab).
    qApp->installEventFilter(this);
}

frmsetup::~frmsetup() {
    qApp->removeEventFilter(this);
}

void frmsetup::BuildPages() {
    for (int i = 0; i < 5; ++i) {
        picOptions[i] = Named(new QWidget(this), "picOptions");
        picOptions[i]->setProperty("Index", i);
        picOptions[i]->setGeometry(kPageAwayLeft, kPageTop, kPageWidth, kPageHeight);
        picOptions[i]->setEnabled(false);
    }

    QWidget* page = picOptions[0];
    MakeText(page, QStringLiteral("Invert Output?"), QRect(8, 8, 300, 20));
    Check1 = Named(new QCheckBox(QStringLiteral("Invert Output"), page), "Check1");
    Check1->setGeometry(8, 36, 300, 24);
    MakeText(page,
             QStringLiteral(
                 "This is one of the most important selections. Choose it when a HIGH on the "
                 "parallel port pins 2 to 8 means the stepper coil is OFF. A good test: with the "
                 "right choice the motor shafts can be turned by hand while the motors are idle; "
                 "with the wrong one they are hard or impossible to turn."),
             QRect(8, 72, kPageWidth - 16, 120));

    page = picOptions[1];
    MakeText(page,
             QStringLiteral("Motor Starting Speed, (MaxDelay) If this is too fast, it will be "
                            "difficult to manually cut knife edge in using Handpad/Keyboard."),
             QRect(8, 4, kPageWidth - 16, 36));
    // The main window's speed sliders start at 1: these never go below it.
    Slider1 =
        MakeSlider(page, "Slider1", QRect(8, 40, kPageWidth - 16, 36), 1, 5000, 500, 5, 50, 1);
    MakeText(page,
             QStringLiteral("Motor Top Speed, (MinDelay) If this is too fast, it may cause the "
                            "motors to stall during slew, corrupting position measurement"),
             QRect(8, 84, kPageWidth - 16, 36));
    Slider2 =
        MakeSlider(page, "Slider2", QRect(8, 120, kPageWidth - 16, 36), 1, 1000, 100, 1, 10, 1);
    MakeText(page,
             QStringLiteral("Acceleration Value, Controls how fast platform accelerates from "
                            "Starting Speed, to Top Speed."),
             QRect(8, 164, kPageWidth - 16, 36));
    Slider3 = MakeSlider(page, "Slider3", QRect(8, 200, kPageWidth - 16, 36), 1, 10, 1, 1, 5, 1);
    MakeText(page,
             QStringLiteral("Faster <----------Use Handpad or Keyboard I/J/K/M to "
                            "test-------------> Slower"),
             QRect(8, 252, kPageWidth - 16, 20));

    page = picOptions[2];
    MakeText(page,
             QStringLiteral("Step #1    Press Handpad Up-Down, or Keyboard I/M, Does platform "
                            "move to-from mirror? If not, click 'Swap Motor Axis' below!"),
             QRect(8, 4, kPageWidth - 16, 40));
    MakeText(page,
             QStringLiteral("Step #2    Press Handpad Up or keyboard I, Does platform move "
                            "towards mirror?  If not, check 'Reverse To-From Mirror Axis' below."),
             QRect(8, 48, kPageWidth - 16, 40));
    MakeText(page,
             QStringLiteral("Step #3    Press Handpad Left or keyboard J, Does knife and Camera "
                            "move left as viewed from behind the tester, looking towards the "
                            "mirror?  If not click 'Reverse Left-Right Motor' below."),
             QRect(8, 92, kPageWidth - 16, 56));
    Check2 = Named(new QCheckBox(QStringLiteral("Swap Motor Axis ?"), page), "Check2");
    Check2->setGeometry(8, 160, 400, 24);
    Check3 = Named(new QCheckBox(page), "Check3");
    Check3->setGeometry(8, 192, 400, 24);
    Check4 = Named(new QCheckBox(page), "Check4");
    Check4->setGeometry(8, 224, 400, 24);

    page = picOptions[3];
    Frame1 = Named(new QGroupBox(QStringLiteral("Is your Light Source:"), page), "Frame1");
    Frame1->setGeometry(8, 8, 260, 96);
    Option1 = Named(new QRadioButton(QStringLiteral("Moving Light Source"), Frame1), "Option1");
    Option1->setGeometry(12, 28, 236, 24);
    Option2 = Named(new QRadioButton(QStringLiteral("Fixed Light Source"), Frame1), "Option2");
    Option2->setGeometry(12, 60, 236, 24);
    Command1 = MakeButton(page, "Command1", QStringLiteral("Set Distance per Full Step ...."),
                          QRect(288, 8, 260, 32));
    Command2 = MakeButton(page, "Command2", QStringLiteral("Set Knife Edge Location"),
                          QRect(288, 48, 260, 32));
    Command3 = MakeButton(page, "Command3", QStringLiteral("How to save test data options"),
                          QRect(288, 88, 260, 32));
    Command4 = MakeButton(page, "Command4", QStringLiteral("Set Test Repetition Options"),
                          QRect(288, 128, 260, 32));

    page = picOptions[4];
    Frame3 = Named(new QGroupBox(MaxCaption(70), page), "Frame3");
    Frame3->setGeometry(8, 8, kPageWidth - 16, 72);
    sldMax = MakeSlider(Frame3, "sldMax", QRect(12, 28, kPageWidth - 40, 36), kIntensityLowest,
                        kIntensityHighest, 25, 1, 5, 70);
    Frame4 = Named(new QGroupBox(MinCaption(40), page), "Frame4");
    Frame4->setGeometry(8, 88, kPageWidth - 16, 72);
    sldmin = MakeSlider(Frame4, "sldmin", QRect(12, 28, kPageWidth - 40, 36), kIntensityLowest,
                        kIntensityHighest, 25, 1, 5, 40);
    MakeText(page,
             QStringLiteral(
                 "Use the below sliders to set the Min/Max zone intensity to use when "
                 "auto-adjusting knife edge In/Out during an Automatic Foucault Test.  If the "
                 "Difference between Min and Max is too Small, It will be difficult to establish "
                 "proper knife postion In/out.  If difference is too large, test accuracy is "
                 "reduced.   A difference of 30 is usually sufficient."),
             QRect(8, 168, kPageWidth - 16, 100));
}

void frmsetup::Form_Load() {
    Busy = true;
    CentreOnScreen(this);
    tbsOptions_OnSelect();
    Slider1->setValue(main_.SpeedValue(SpeedSlider::Maxdelay));
    Slider2->setValue(main_.SpeedValue(SpeedSlider::Mindelay));
    Slider3->setValue(main_.SpeedValue(SpeedSlider::sldAcell));
    SetBox(Check1, main_.ItemChecked(SettingItem::mnuinvert));
    SetBox(Check3, main_.ItemChecked(SettingItem::mnuLRswap));
    SetBox(Check4, main_.ItemChecked(SettingItem::mnuTFswap));
    Check3->setText(main_.ItemCaption(SettingItem::mnuLRswap));
    Check4->setText(main_.ItemCaption(SettingItem::mnuTFswap));
    const char* tabs[] = {"Invert Output?", "Motor Speed", "Axis Setup", "Foucault Settings",
                          "Zone Intensity"};
    for (int i = 0; i < 5; ++i) tbsOptions->setTabText(i, QLatin1String(tabs[i]));
    const bool fixed = main_.ItemChecked(SettingItem::MnuFixed);
    Option1->setChecked(!fixed);
    Option2->setChecked(fixed);
    SetBox(Check2, main_.ItemChecked(SettingItem::mnuSwapMotors));
    const TestState& s = main_.State();
    // Values outside 5..255 stop at the ends of the sliders' range.
    if (s.Max != 0 && s.Min != 0) {
        sldMax->setValue(s.Max);
        sldmin->setValue(s.Min);
    }
    Frame3->setTitle(MaxCaption(sldMax->value()));
    Frame4->setTitle(MinCaption(sldmin->value()));
    Busy = false;
    Timer1->start();
}

void frmsetup::tbsOptions_OnSelect() {
    const int selected = tbsOptions->currentIndex();
    for (int i = 0; i < static_cast<int>(picOptions.size()); ++i)
        PlacePage(picOptions[i], i == selected, kPageTop);
}

bool frmsetup::Form_KeyDown(int KeyCode, int Shift) {
    if (KeyCode != kKeyTab || Shift != kShiftCtrl) return false;
    SelectNextTab(tbsOptions);
    return true;
}

bool frmsetup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        int shift = 0;
        if (key->modifiers() & Qt::ShiftModifier) shift |= 1;
        if (key->modifiers() & Qt::ControlModifier) shift |= 2;
        if (key->modifiers() & Qt::AltModifier) shift |= 4;
        if (Form_KeyDown(tab ? kKeyTab : key->key(), shift)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmsetup::Check1_Click() {
    main_.SetItemChecked(SettingItem::mnuinvert, BoxSet(Check1));
}

void frmsetup::Check2_Click() {
    if (Busy) return;
    Busy = true;
    main_.SetItemChecked(SettingItem::mnuSwapMotors, BoxSet(Check2));
    // The two reversal items follow their motors: each takes the other's caption
    // and check mark, and the two boxes still show their items.
    const QString lrCaption = main_.ItemCaption(SettingItem::mnuLRswap);
    main_.SetItemCaption(SettingItem::mnuLRswap, main_.ItemCaption(SettingItem::mnuTFswap));
    main_.SetItemCaption(SettingItem::mnuTFswap, lrCaption);
    const bool lrChecked = main_.ItemChecked(SettingItem::mnuLRswap);
    main_.SetItemChecked(SettingItem::mnuLRswap, main_.ItemChecked(SettingItem::mnuTFswap));
    main_.SetItemChecked(SettingItem::mnuTFswap, lrChecked);
    const Qt::CheckState check3 = Check3->checkState();
    Check3->setCheckState(Check4->checkState());
    Check4->setCheckState(check3);
    const QString caption3 = Check3->text();
    Check3->setText(Check4->text());
    Check4->setText(caption3);
    Busy = false;
}

void frmsetup::Check3_Click() {
    if (Busy) return;
    Busy = true;
    main_.SetItemChecked(SettingItem::mnuLRswap, BoxSet(Check3));
    Busy = false;
}

void frmsetup::Check4_Click() {
    if (Busy) return;
    Busy = true;
    main_.SetItemChecked(SettingItem::mnuTFswap, BoxSet(Check4));
    Busy = false;
}

void frmsetup::Option1_Click() {
    main_.SetItemChecked(SettingItem::MnuFixed, !Option1->isChecked());
}

void frmsetup::Option2_Click() {
    main_.SetItemChecked(SettingItem::MnuFixed, Option2->isChecked());
}

void frmsetup::sldMax_OnTouch() {
    MaxLast = true;
}

void frmsetup::sldmin_OnTouch() {
    MaxLast = false;
}

void frmsetup::Timer1_Timer() {
    main_.SetSpeedValue(SpeedSlider::Maxdelay, Slider1->value());
    main_.SetSpeedValue(SpeedSlider::Mindelay, Slider2->value());
    main_.SetSpeedValue(SpeedSlider::sldAcell, Slider3->value());
    int32_t max = sldMax->value();
    int32_t min = sldmin->value();
    KeepIntensityGap(max, min, MaxLast);
    sldMax->setValue(max);
    sldmin->setValue(min);
    TestState& s = main_.State();
    s.Max = sldMax->value();
    s.Min = sldmin->value();
    Frame3->setTitle(MaxCaption(sldMax->value()));
    Frame4->setTitle(MinCaption(sldmin->value()));
}

void frmsetup::Command1_Click() {
    frmStepSize dialog(main_.State(), this);
    dialog.Form_Load();
    dialog.exec();
}

void frmsetup::Command2_Click() {
    frmOptions dialog(main_.State(), this);
    dialog.Form_Load();
    dialog.exec();
}

void frmsetup::Command3_Click() {
    main_.ShowSaveOptions(this);
}

void frmsetup::Command4_Click() {
    Dialog dialog(main_.State(), this);
    dialog.Form_Load();
    dialog.exec();
}

void frmsetup::cmdOK_Click() {
    if (main_.State().WaitForIt) main_.ShowSaveOptionsModeless();
    main_.FocusMainWindow();
    done(QDialog::Accepted);
}

void frmsetup::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmsetup::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}

void frmsetup::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Timer1->stop();
    DeriveUnsetMoveSizes(main_.State());
    if (main_.State().WaitForIt) main_.ShowSaveOptionsModeless();
}
