#pragma once

#include <QDialog>

#include "core/TestState.h"
#include "mirror/MirrorEditor.h"
#include "mirror/RecentMirrors.h"

class QLabel;
class QLineEdit;
class QPushButton;

// What the profile editor needs of the window that owns it: the test state, the
// light-source choice, the zone table and the recent-mirror list.
class MirrorEditorHost {
  public:
    virtual ~MirrorEditorHost() = default;
    virtual TestState& State() = 0;
    // True when the light source is fixed (it does not move with the knife).
    virtual bool FixedSource() const = 0;
    // Builds the zone table of the current mirror; false when it gives none.
    virtual bool Zone_Calc() = 0;
    virtual RecentMirrors RecentList() const = 0;
    virtual void SetRecentList(const RecentMirrors& list) = 0;
};

// The mirror profile editor: describes a mirror, checks the entries, saves them
// as a profile in the mirrors folder and makes that mirror the current one (test
// state, zone table, zone evaluation on, top of the recent list). It can also
// load an existing profile into its fields. Opened modally by the main window.
class frmEdit : public QDialog {
    Q_OBJECT

  public:
    explicit frmEdit(MirrorEditorHost& main, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // "Mirror Name"
    QLabel* Label2 = nullptr;  // "Mirror Diameter"
    QLabel* Label3 = nullptr;  // "Radius of Curvature"
    QLabel* Label4 = nullptr;  // "Deformation Constant (cc)"
    QLabel* Label5 = nullptr;  // "Diameter of Secondary Obst."
    QLabel* Label6 = nullptr;  // "Number of Zones to test"
    QLabel* Label7 = nullptr;  // "Tests Ran to Date"
    QLineEdit* NName = nullptr;
    QLineEdit* Ndiam = nullptr;
    QLineEdit* NRoc = nullptr;
    QLineEdit* NCC = nullptr;
    QLineEdit* Nobst = nullptr;
    QLineEdit* NNZ = nullptr;
    QLineEdit* NSeries = nullptr;
    QPushButton* Command1 = nullptr;      // "Open Existing File"
    QPushButton* Apply = nullptr;         // "Apply"
    QPushButton* Command2 = nullptr;      // "OK"
    QPushButton* CancelButton = nullptr;  // "Exit or Cancel"

    // Centres the window on the screen.
    void Form_Load();
    void Command1_Click();
    void Apply_Click();
    void Command2_Click();
    void CancelButton_Click();

    // The flags of this opening (both false when the editor opens).
    bool IsProfileOpened() const { return ProfileOpened; }
    bool IsCancelling() const { return Cancelling; }
    // The editor has been closed by "OK" or "Exit or Cancel".
    bool Unloaded() const { return unloaded_; }

  private:
    void OpenMirrorFile();
    void ApplyMirrorSpecs();
    MirrorEditorFields Fields() const;
    void SetFields(const MirrorEditorFields& fields);
    void Unload();

    MirrorEditorHost& main_;
    bool ProfileOpened = false;
    QString openedName_;  // the name of the profile opened
    bool Cancelling = false;
    bool unloaded_ = false;
};
