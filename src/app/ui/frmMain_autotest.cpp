// "Do the Magic" and "Save Data": the automated test and the saving of its
// readings, run over the main window's own controls.
//
// Both handlers let window events run while they work (the test at every frame
// and during its end sound, Save Data while it waits for an outside program's
// window), and both buttons may be enabled meanwhile. A click that arrives then
// must not start a second test or save inside the first: a nested save would
// type the same test number's paths, start the outside program again and
// advance the number twice. Nor may the menus and the setup dialog change what
// the readings mean meanwhile: the test would measure one mirror, or with one
// set of settings, and save its readings under another's.

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <initializer_list>

#include "app/ui/MainAutoTestHost.h"
#include "app/ui/frmMain.h"
#include "autotest/AutoTest.h"
#include "output/SaveReadings.h"
#include "setup/ui/frmsetup.h"

void frmMain::ConnectAutoTest() {
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
}

void frmMain::Command3_Click() {
    if (testRunning_ || saveRunning_) return;
    // Declared first, so it runs after the flag is restored.
    const auto held = qScopeGuard([this] { EnableTestHeld(); });
    const QScopedValueRollback running(testRunning_, true);
    EnableTestHeld();
    saveProblems_.clear();
    MainAutoTestHost host(*this);
    ::Command3_Click(*this, host);
    // The end of the test empties the log box after its save: why that save
    // failed goes back on top.
    for (const QString& line : saveProblems_) LogLine(line);
}

void frmMain::Command5_Click() {
    if (testRunning_ || saveRunning_) return;
    RunSaveData();
}

void frmMain::RunSaveData() {
    if (saveRunning_) return;
    const auto held = qScopeGuard([this] { EnableTestHeld(); });
    const QScopedValueRollback running(saveRunning_, true);
    EnableTestHeld();
    MainAutoTestHost host(*this);
    SaveTestReadings(*this, host);
    saveProblems_ = host.ProgramFailures();
    for (const QString& line : saveProblems_) LogLine(line);
}

// What a running test or save holds: the mirror and its zone table (the editor
// and the recent mirrors), and the settings a reading and its files depend on:
// the number of sets (the repetition menu), the units and the distance per full
// step, the light source and the knife side (their controls in an open setup
// dialog). The Auto Test Variables tune the search only and stay live.
void frmMain::EnableTestHeld() {
    const bool free = !testRunning_ && !saveRunning_;
    for (QAction* item : {mnuEditMirror, mnuReps}) item->setEnabled(free);
    for (int k = 1; k <= kRecentMirrors; ++k) Mnu[k]->setEnabled(free);
    if (!setup_) return;
    for (QWidget* control : std::initializer_list<QWidget*>{setup_->Frame1, setup_->Command1,
                                                            setup_->Command2, setup_->Command4})
        control->setEnabled(free);
}
