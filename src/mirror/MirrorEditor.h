#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "mirror/MirrorProfile.h"
#include "platform/MsgBoxRequest.h"

// The checks and file handling of the mirror profile editor, without the form.
//
// How the editor form (frmEdit) uses them. The form keeps ProfileOpened and
// Cancelling (both false at every opening) and asks through
//   auto ask = [](const MsgBoxRequest& r) {
//       return MsgBox(r.text, r.buttons, r.icon, r.title, r.defaultButton); };
//
//   OpenMirrorFile:
//     path = ShowFileDialog({OpenFile, "", MirrorsFolder(), ""});
//     if (!path.isEmpty()) { auto opened = OpenProfileForEditor(path, fields());
//                            if (opened) { setFields(*opened); ProfileOpened = true; } }
//   ApplyMirrorSpecs:
//     auto check = CheckMirrorSpecs(fields(), ProfileOpened, Cancelling, ask);
//     if (check.outcome != MirrorSpecsOutcome::Accepted) return;
//     StoreProfile(main, check.profile);
//     if (!WriteMirrorProfile(check.profile.WorkFile, check.lines, &error))
//         ... the profile is not on disk: tell the user (error says why)
//     main.Zone_Calc();                      // also sets ZoneOn
//     PushRecentMirror(list, check.profile.WorkFile);   // into Mnu(1..10)
//     ProfileOpened = false;
//   Apply: ApplyMirrorSpecs.   OK: ApplyMirrorSpecs, then close.
//   Exit or Cancel: Cancelling = true; if (ProfileOpened) ApplyMirrorSpecs; close.

// The texts of the editor's fields, as typed.
struct MirrorEditorFields {
    QString NName;
    QString Ndiam;
    QString NRoc;
    QString NCC = QStringLiteral("-1");
    QString Nobst;
    QString NNZ;
    QString NSeries;
};

enum class MirrorSpecsOutcome {
    LeftSilently,  // empty name while cancelling: no message, nothing saved
    Refused,       // at least one check failed: nothing stored or written
    Accepted,      // store `profile`, write `lines`
};

struct MirrorSpecsCheck {
    MirrorSpecsOutcome outcome = MirrorSpecsOutcome::Refused;
    QList<MsgBoxRequest> messages;  // every message shown, in order
    MirrorProfile profile;          // when accepted
    QStringList lines;              // the seven profile lines, as typed (line 7: tests + 1)
};

// Shows one message and returns the answer; only the overwrite question's
// answer matters (OK overwrites).
using EditorAsk = std::function<MsgResult(const MsgBoxRequest&)>;

// Runs every check of the editor in order, showing each failing check's message
// through `ask` (several can appear in one call). The overwrite question is
// asked when the name passed and a profile of that name exists, unless the
// profile was opened in the editor; Cancel refuses. Numbers are taken as the
// general number format reads them; the zone count must be 2 to 16 and is
// rounded halves to even; "Tests Ran to Date" + 1 is the next test number.
MirrorSpecsCheck CheckMirrorSpecs(const MirrorEditorFields& fields, bool profileOpened,
                                  bool cancelling, const EditorAsk& ask);

// "Open Existing File": the fields filled from the chosen file's lines (line 1
// the name, lines 2 to 6 as they stand, line 7 as a number minus 1 into "Tests
// Ran to Date"). Lines the file lacks, and a line 7 that is no number, leave
// their fields as in `current`. Nothing when the file can't be read; the editor
// then does not count the profile as opened.
std::optional<MirrorEditorFields> OpenProfileForEditor(const QString& path,
                                                       const MirrorEditorFields& current);
