// "Do the Magic" and "Save Data": the automated test and the saving of its
// readings, run over the main window's own controls.

#include <QPushButton>

#include "app/ui/MainAutoTestHost.h"
#include "app/ui/frmMain.h"
#include "autotest/AutoTest.h"
#include "output/SaveData.h"

void frmMain::ConnectAutoTest() {
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
}

void frmMain::Command3_Click() {
    MainAutoTestHost host(*this);
    ::Command3_Click(*this, host);
}

void frmMain::Command5_Click() {
    MainAutoTestHost host(*this);
    ::SaveData(*this, host);
}
