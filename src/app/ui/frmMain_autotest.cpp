// "Do the Magic" and "Save Data": the automated test and the saving of its
// readings, run over the main window's own controls.
//
// Both handlers let window events run while they work (the test at every frame
// and during its end sound, Save Data while it waits for an outside program's
// window), and both buttons may be enabled meanwhile. A click that arrives then
// must not start a second test or save inside the first: a nested save would
// type the same test number's paths, start the outside program again and
// advance the number twice. Nor may the menus load another mirror meanwhile:
// the test would measure one mirror and save its readings under the other's
// name, diameter, zones and test number.

#include <QAction>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include "app/ui/MainAutoTestHost.h"
#include "app/ui/frmMain.h"
#include "autotest/AutoTest.h"
#include "output/SaveData.h"

void frmMain::ConnectAutoTest() {
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
}

void frmMain::Command3_Click() {
    if (testRunning_ || saveRunning_) return;
    // Declared first, so it runs after the flag is restored.
    const auto mirrorChoice = qScopeGuard([this] { EnableMirrorChoice(); });
    const QScopedValueRollback running(testRunning_, true);
    EnableMirrorChoice();
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
    const auto mirrorChoice = qScopeGuard([this] { EnableMirrorChoice(); });
    const QScopedValueRollback running(saveRunning_, true);
    EnableMirrorChoice();
    MainAutoTestHost host(*this);
    ::SaveData(*this, host);
    saveProblems_ = host.ProgramFailures();
    for (const QString& line : saveProblems_) LogLine(line);
}

void frmMain::EnableMirrorChoice() {
    const bool free = !testRunning_ && !saveRunning_;
    mnuEditMirror->setEnabled(free);
    for (int k = 1; k <= kRecentMirrors; ++k) Mnu[k]->setEnabled(free);
}
