#include "autotest/ui/FrmAutoTest.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabBar>

#include "autotest/AutoTestVars.h"
#include "autotest/MoveSizes.h"
#include "autotest/PseudoCode.h"
#include "platform/ui/DesignButton.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Named.h"
#include "platform/ui/TabPages.h"

namespace {

// Design geometry in pixels.
constexpr int kWidth = 600;
constexpr int kHeight = 480;
constexpr int kPageTop = 44;
constexpr int kPageWidth = 572;
constexpr int kPageHeight = 380;

struct TabDesign {
    const char* caption;
    const char* key;
    const char* toolTip;
};
constexpr TabDesign kTabDesign[FrmAutoTest::kTabs] = {
    {"Zone Brightness", "Group1", "Use this to set Zone Intensity (brightness) "},
    {"Knife In/Out Stuff", "Group2", "Settings on how code will auto-adjust knife"},
    {"Zone Null Step #1", "Group3", "Settings to Avoid Backlash and test Oblates"},
    {"Zone Null Step #2", "Group4", "Settings to Find the Null"},
};

constexpr const char* kLabel9Text =
    "Use the below sliders to set the Min/Max zone intensity to use when auto-adjusting knife "
    "edge In/Out during an Automatic Foucault Test.  If the difference between Min and Max is "
    "too small, it will be difficult to establish proper knife postion In/Out.  If difference "
    "is too large, test accuracy is reduced.   A difference of 30 is usually sufficient.";

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption,
                     const QRect& design) {
    auto* frame = Named(new QGroupBox(caption, parent), name);
    frame->setGeometry(design);
    return frame;
}

// A slider with small change 1 and large change 5, its design value at its minimum.
QSlider* MakeSlider(QWidget* parent, const char* name, const QRect& design, int min, int max,
                    int tick) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setGeometry(design);
    slider->setRange(min, max);
    slider->setSingleStep(1);
    slider->setPageStep(5);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tick);
    slider->setValue(min);
    return slider;
}

// A drop-down list from which one item is chosen (no typed text).
QComboBox* MakeList(QWidget* parent, const char* name, const QRect& design) {
    auto* list = Named(new QComboBox(parent), name);
    list->setGeometry(design);
    list->setEditable(false);
    list->setMaxVisibleItems(12);
    return list;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& design) {
    auto* box = Named(new QPlainTextEdit(parent), name);
    box->setGeometry(design);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return box;
}

// Empties the list, adds the items with their item data, then selects.
void Fill(QComboBox* list, const std::vector<ListItem>& items, int selected) {
    list->clear();
    for (const ListItem& item : items) list->addItem(item.text, item.data);
    list->setCurrentIndex(selected);
}

QString CrLfText(const QPlainTextEdit* box) {
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void SetCrLfText(QPlainTextEdit* box, QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(text);
}

}  // namespace

std::optional<int32_t> SelectedItemData(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index < 0) return std::nullopt;
    return list->itemData(index).toInt();
}

// A tool window: it stays beside its owner, above it, without a taskbar entry.
FrmAutoTest::FrmAutoTest(AutoTestVarsHost& main, QWidget* owner)
    : QDialog(owner, Qt::Tool), main_(main) {
    setObjectName(QStringLiteral("FrmAutoTest"));
    setWindowTitle(QStringLiteral("Auto Test Variables"));
    setProperty("HelpContextID", 360);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);

    tbsOptions = Named(new QTabBar(this), "tbsOptions");
    tbsOptions->setGeometry(8, 8, kWidth - 16, 30);
    tbsOptions->setExpanding(false);
    for (int i = 0; i < kTabs; ++i) {
        tbsOptions->addTab(QLatin1String(kTabDesign[i].caption));
        tbsOptions->setTabData(i, QLatin1String(kTabDesign[i].key));
        tbsOptions->setTabToolTip(i, QLatin1String(kTabDesign[i].toolTip));
    }
    tbsOptions->setCurrentIndex(0);

    CreatePages();

    const int buttonTop = kPageTop + kPageHeight + 12;
    cmdOK = MakeButton(this, "cmdOK", QStringLiteral("OK"), QRect(308, buttonTop, 90, 30));
    cmdCancel =
        MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), QRect(404, buttonTop, 90, 30));
    cmdApply = MakeButton(this, "cmdApply", QStringLiteral("Apply"), QRect(500, buttonTop, 90, 30));

    ConnectHandlers();
    // Ctrl+Tab reaches the form whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

FrmAutoTest::~FrmAutoTest() {
    // Controls destroyed after this point must not reach the handlers.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void FrmAutoTest::CreatePages() {
    for (int i = 1; i <= kTabs; ++i) {
        picOptions[i] = Named(new QWidget(this), "picOptions");
        picOptions[i]->setProperty("Index", i);
        picOptions[i]->setGeometry(kPageShownLeft, kPageTop, kPageWidth, kPageHeight);
    }

    // Page 1: the intensity window.
    QWidget* page = picOptions[1];
    Frame1 = MakeFrame(page, "Frame1", QString(), QRect(0, 0, kPageWidth, kPageHeight));
    Label9 = Named(new QLabel(QLatin1String(kLabel9Text), Frame1), "Label9");
    Label9->setGeometry(12, 12, 548, 100);
    Label9->setWordWrap(true);
    Frame3 = MakeFrame(Frame1, "Frame3", QStringLiteral("Maximum Intensity (Brightnes)"),
                       QRect(12, 120, 548, 116));
    sldMax = MakeSlider(Frame3, "sldMax", QRect(12, 36, 524, 56), kIntensityLowest,
                        kIntensityHighest, 25);
    Frame4 = MakeFrame(Frame1, "Frame4", QStringLiteral("Minimum Intensity (Brightness)"),
                       QRect(12, 248, 548, 116));
    sldmin = MakeSlider(Frame4, "sldmin", QRect(12, 36, 524, 56), kIntensityLowest,
                        kIntensityHighest, 25);

    // Page 2: the knife In/Out adjustment.
    page = picOptions[2];
    fmrPseudoCode =
        MakeFrame(page, "fmrPseudoCode",
                  QStringLiteral("Resulting pseudo-code to adjust knife In/Out for each Zone"),
                  QRect(0, 0, kPageWidth, 212));
    TxtLrData = MakeTextBox(fmrPseudoCode, "TxtLrData", QRect(8, 22, kPageWidth - 16, 182));
    Frame2 = MakeFrame(page, "Frame2", QStringLiteral("Knife In/Out (Left/Right) Variables"),
                       QRect(0, 218, kPageWidth, 88));
    frmSmMotion =
        MakeFrame(Frame2, "frmSmMotion", QStringLiteral("Small Motion"), QRect(8, 22, 180, 58));
    cmbLrSmMove = MakeList(frmSmMotion, "cmbLrSmMove", QRect(8, 24, 164, 26));
    FrmLrLgMove =
        MakeFrame(Frame2, "FrmLrLgMove", QStringLiteral("Large Motion"), QRect(196, 22, 180, 58));
    cmbLrLgMove = MakeList(FrmLrLgMove, "cmbLrLgMove", QRect(8, 24, 164, 26));
    FrmDelta =
        MakeFrame(Frame2, "FrmDelta", QStringLiteral("Delta Difference"), QRect(384, 22, 180, 58));
    cmbLrDelta = MakeList(FrmDelta, "cmbLrDelta", QRect(8, 24, 164, 26));
    FrmLRminFrame =
        MakeFrame(page, "FrmLRminFrame",
                  QStringLiteral("Number of frames to average before adusting knife In/Out"),
                  QRect(0, 312, kPageWidth, 66));
    SldLRminFrames =
        MakeSlider(FrmLRminFrame, "SldLRminFrames", QRect(8, 22, kPageWidth - 16, 40), 1, 26, 1);

    // Page 3: the rough moves To/From the mirror.
    page = picOptions[3];
    FrmPsuedoCode =
        MakeFrame(page, "FrmPsuedoCode",
                  QStringLiteral("Resulting pseudo-code for rough motions To/From mirror"),
                  QRect(0, 0, kPageWidth, 212));
    TxtRough = MakeTextBox(FrmPsuedoCode, "TxtRough", QRect(8, 22, kPageWidth - 16, 182));
    FrmRoughData = MakeFrame(page, "FrmRoughData",
                             QStringLiteral("Rough Adjust Variables to Null Current Zone"),
                             QRect(0, 218, kPageWidth, 88));
    FrOblateDelta = MakeFrame(FrmRoughData, "FrOblateDelta", QStringLiteral("Fwd Delta"),
                              QRect(8, 22, 134, 58));
    cmbTfOblateDelta = MakeList(FrOblateDelta, "cmbTfOblateDelta", QRect(8, 24, 118, 26));
    frmTfOblate = MakeFrame(FrmRoughData, "frmTfOblate", QStringLiteral("Fwd Travel"),
                            QRect(148, 22, 134, 58));
    cmbTfOblateMove = MakeList(frmTfOblate, "cmbTfOblateMove", QRect(8, 24, 118, 26));
    frmRoughDelta = MakeFrame(FrmRoughData, "frmRoughDelta", QStringLiteral("Away Delta"),
                              QRect(288, 22, 134, 58));
    CmbTfRoughDelta = MakeList(frmRoughDelta, "CmbTfRoughDelta", QRect(8, 24, 118, 26));
    FrmTfRoughMove = MakeFrame(FrmRoughData, "FrmTfRoughMove", QStringLiteral("Away Travel"),
                               QRect(428, 22, 134, 58));
    CmbTfRoughMove = MakeList(FrmTfRoughMove, "CmbTfRoughMove", QRect(8, 24, 118, 26));
    frmTFRoughFrames =
        MakeFrame(page, "frmTFRoughFrames", QString(), QRect(0, 312, kPageWidth, 66));
    SldTFRoughFrames = MakeSlider(frmTFRoughFrames, "SldTFRoughFrames",
                                  QRect(8, 22, kPageWidth - 16, 40), 1, 28, 1);

    // Page 4: the final null.
    page = picOptions[4];
    Command1 =
        MakeButton(page, "Command1", QStringLiteral("Reset All Auto-Test Variables to Default"),
                   QRect(8, 8, 300, 32));
    FrmTfFinalMove = MakeFrame(page, "FrmTfFinalMove",
                               QStringLiteral("Distnace to move away from mirror to find null"),
                               QRect(0, 56, kPageWidth, 66));
    cmbTfFinalMove = MakeList(FrmTfFinalMove, "cmbTfFinalMove", QRect(8, 26, 180, 26));
    FrmTfFinalFrames =
        MakeFrame(page, "FrmTfFinalFrames", QString(), QRect(0, 136, kPageWidth, 66));
    sldTfFinalFrames = MakeSlider(FrmTfFinalFrames, "sldTfFinalFrames",
                                  QRect(8, 22, kPageWidth - 16, 40), 0, 30, 1);
}

void FrmAutoTest::ConnectHandlers() {
    connect(cmdApply, &QPushButton::clicked, this, &FrmAutoTest::cmdApply_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FrmAutoTest::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmAutoTest::cmdCancel_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmAutoTest::Command1_Click);
    connect(tbsOptions, &QTabBar::currentChanged, this, &FrmAutoTest::tbsOptions_OnSelect);

    connect(sldMax, &QSlider::valueChanged, this, &FrmAutoTest::sldMax_OnValue);
    connect(sldmin, &QSlider::valueChanged, this, &FrmAutoTest::sldmin_OnValue);
    // The gap rule runs only for what the user does to a slider.
    connect(sldMax, &QSlider::actionTriggered, this, &FrmAutoTest::sldMax_OnGapCheck);
    connect(sldmin, &QSlider::actionTriggered, this, &FrmAutoTest::sldmin_OnGapCheck);
    connect(SldLRminFrames, &QSlider::valueChanged, this, &FrmAutoTest::SldLRminFrames_OnValue);
    connect(SldTFRoughFrames, &QSlider::valueChanged, this, &FrmAutoTest::SldTFRoughFrames_OnValue);
    connect(sldTfFinalFrames, &QSlider::valueChanged, this, &FrmAutoTest::sldTfFinalFrames_OnValue);

    // A choice in a list, by mouse or key, and a selection set by the load.
    for (QComboBox* list : {cmbLrDelta, cmbLrLgMove, cmbLrSmMove})
        connect(list, &QComboBox::currentIndexChanged, this, &FrmAutoTest::ShowLRPseudoCode);
    for (QComboBox* list : {cmbTfOblateDelta, cmbTfOblateMove, CmbTfRoughDelta, CmbTfRoughMove})
        connect(list, &QComboBox::currentIndexChanged, this, &FrmAutoTest::ShowTFPseudoCode);
}

void FrmAutoTest::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    tbsOptions_OnSelect();

    TestState& s = main_.State();
    // A value a slider can't show becomes the nearest end of its range.
    sldMax->setValue(s.Max);
    sldmin->setValue(s.Min);
    SldLRminFrames->setValue(s.LRMinFrames);
    SldTFRoughFrames->setValue(s.TFRoughFrames);
    sldTfFinalFrames->setValue(s.TFFinalFrames);
    // A slider already at the value sends no change: every caption is written here.
    sldMax_OnValue();
    sldmin_OnValue();
    SldLRminFrames_OnValue();
    SldTFRoughFrames_OnValue();
    sldTfFinalFrames_OnValue();

    DeriveUnsetMoveSizes(s);

    LRFineSteps = ComputeLRFineSteps(s.LRStepSize);
    Fill(cmbLrDelta, MarginItems(), MarginIndex(s.LRDelta));
    const std::vector<ListItem> knife =
        KnifeMoveItems(s.LRStepSize, LRFineSteps, s.Metric, s.units);
    Fill(cmbLrLgMove, knife, KnifeMoveIndex(s.LRLgMove, LRFineSteps, knife));
    Fill(cmbLrSmMove, knife, KnifeMoveIndex(s.LRSmMove, LRFineSteps, knife));
    ShowLRPseudoCode();

    TFCoarseSteps = ComputeTFCoarseSteps(s.StepSize);
    const std::vector<ListItem> platform = PlatformMoveItems(s.StepSize, TFCoarseSteps, kMoveItems);
    const std::vector<ListItem> final =
        PlatformMoveItems(s.StepSize, TFCoarseSteps, kFinalMoveItems);
    Fill(cmbTfOblateDelta, MarginItems(), MarginIndex(s.TFOblatedelta));
    Fill(cmbTfOblateMove, platform, PlatformMoveIndex(s.TFOblateMove, TFCoarseSteps, platform));
    Fill(CmbTfRoughDelta, MarginItems(), MarginIndex(s.TFRoughDelta));
    Fill(CmbTfRoughMove, platform, PlatformMoveIndex(s.TFRoughMove, TFCoarseSteps, platform));
    Fill(cmbTfFinalMove, final, PlatformMoveIndex(s.TFFinalMoves, TFCoarseSteps, final));
    // The lists' selections have rebuilt it already, unless a selection stayed as the
    // filling left it.
    ShowTFPseudoCode();
}

bool FrmAutoTest::StoreValues() {
    AutoTestControlValues v;
    v.sldMax = sldMax->value();
    v.sldmin = sldmin->value();
    v.SldLRminFrames = SldLRminFrames->value();
    v.SldTFRoughFrames = SldTFRoughFrames->value();
    v.sldTfFinalFrames = sldTfFinalFrames->value();
    v.cmbLrDelta = SelectedItemData(cmbLrDelta);
    v.cmbLrLgMove = SelectedItemData(cmbLrLgMove);
    v.cmbLrSmMove = SelectedItemData(cmbLrSmMove);
    v.cmbTfOblateDelta = SelectedItemData(cmbTfOblateDelta);
    v.cmbTfOblateMove = SelectedItemData(cmbTfOblateMove);
    v.CmbTfRoughDelta = SelectedItemData(CmbTfRoughDelta);
    v.CmbTfRoughMove = SelectedItemData(CmbTfRoughMove);
    v.cmbTfFinalMove = SelectedItemData(cmbTfFinalMove);
    const QString problem = StoreAutoTestValues(main_.State(), v);
    if (problem.isEmpty()) return true;
    MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Auto Test Variables"));
    return false;
}

void FrmAutoTest::cmdApply_Click() {
    StoreValues();
}

void FrmAutoTest::cmdOK_Click() {
    if (StoreValues()) Unload();
}

void FrmAutoTest::cmdCancel_Click() {
    Unload();
}

void FrmAutoTest::Unload() {
    close();
}

void FrmAutoTest::done(int result) {
    unloaded_ = true;
    QDialog::done(result);
}

void FrmAutoTest::Command1_Click() {
    ResetAutoTestVariables(main_.State());
    Form_Load();
}

bool FrmAutoTest::Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift) {
    if (keyCode != Qt::Key_Tab || shift != Qt::ControlModifier) return false;
    SelectNextTab(tbsOptions);
    return true;
}

void FrmAutoTest::tbsOptions_OnSelect() {
    const int selected = tbsOptions->currentIndex() + 1;
    for (int i = 1; i <= kTabs; ++i) PlacePage(picOptions[i], i == selected, kPageTop);
}

void FrmAutoTest::sldMax_OnValue() {
    Frame3->setTitle(QLatin1String(kMaxCaption) + QString::number(sldMax->value()));
    ShowLRPseudoCode();
}

void FrmAutoTest::sldmin_OnValue() {
    Frame4->setTitle(QLatin1String(kMinCaption) + QString::number(sldmin->value()));
    ShowLRPseudoCode();
}

// While the user moves a slider, its new place is its slider position; its value
// follows when the handler returns.
void FrmAutoTest::sldMax_OnGapCheck() {
    if (const auto min = MinAfterMaxMoved(sldMax->sliderPosition(), sldmin->value()))
        sldmin->setValue(*min);
    ShowLRPseudoCode();
}

void FrmAutoTest::sldmin_OnGapCheck() {
    if (const auto max = MaxAfterMinMoved(sldMax->value(), sldmin->sliderPosition()))
        sldMax->setValue(*max);
    ShowLRPseudoCode();
}

void FrmAutoTest::SldLRminFrames_OnValue() {
    const int value = SldLRminFrames->value();
    FrmLRminFrame->setTitle(QLatin1String(kLRMinFramesCaption) + QString::number(value));
    const SliderSpan next = ChainAfter(
        value,
        {SldTFRoughFrames->minimum(), SldTFRoughFrames->maximum(), SldTFRoughFrames->value()});
    SldTFRoughFrames->setRange(next.minimum, next.maximum);
    SldTFRoughFrames->setValue(next.value);
    SldTFRoughFrames_OnValue();
    ShowLRPseudoCode();
}

void FrmAutoTest::SldTFRoughFrames_OnValue() {
    const int value = SldTFRoughFrames->value();
    frmTFRoughFrames->setTitle(QLatin1String(kTFRoughFramesCaption) + QString::number(value));
    const SliderSpan next = ChainAfter(
        value,
        {sldTfFinalFrames->minimum(), sldTfFinalFrames->maximum(), sldTfFinalFrames->value()});
    sldTfFinalFrames->setRange(next.minimum, next.maximum);
    sldTfFinalFrames->setValue(next.value);
    sldTfFinalFrames_OnValue();
    ShowTFPseudoCode();
}

void FrmAutoTest::sldTfFinalFrames_OnValue() {
    FrmTfFinalFrames->setTitle(QLatin1String(kTFFinalFramesCaption) +
                               QString::number(sldTfFinalFrames->value()));
}

void FrmAutoTest::ShowLRPseudoCode() {
    LRPseudoCodeValues v;
    v.frames = SldLRminFrames->value();
    v.max = sldMax->value();
    v.min = sldmin->value();
    v.delta = SelectedItemData(cmbLrDelta);
    v.large = SelectedItemData(cmbLrLgMove);
    v.small = SelectedItemData(cmbLrSmMove);
    v.lrStepSize = main_.State().LRStepSize;
    SetCrLfText(TxtLrData, LRPseudoCode(v));
}

void FrmAutoTest::ShowTFPseudoCode() {
    TFPseudoCodeValues v;
    v.frames = SldTFRoughFrames->value();
    v.oblateDelta = SelectedItemData(cmbTfOblateDelta);
    v.oblateMove = SelectedItemData(cmbTfOblateMove);
    v.roughDelta = SelectedItemData(CmbTfRoughDelta);
    v.roughMove = SelectedItemData(CmbTfRoughMove);
    v.stepSize = main_.State().StepSize;
    SetCrLfText(TxtRough, TFPseudoCode(v));
}

QString FrmAutoTest::LrDataText() const {
    return CrLfText(TxtLrData);
}

QString FrmAutoTest::RoughText() const {
    return CrLfText(TxtRough);
}

bool FrmAutoTest::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key->key(), key->modifiers())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmAutoTest::keyPressEvent(QKeyEvent* event) {
    if (Form_KeyDown(event->key(), event->modifiers())) return;
    QDialog::keyPressEvent(event);
}
