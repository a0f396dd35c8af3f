// The mirror profile reader, Save Data's profile writer and the profile
// editor's checks: a profile the reader accepts gives a zone table for either
// light source, and what Save Data writes from it (the next test number
// included) reads back to the same values; fields the editor accepts are written
// as lines the reader takes to the profile the editor stored.

#include "FuzzSupport.h"
#include "core/NumberText.h"
#include "mirror/MirrorEditor.h"
#include "mirror/MirrorProfile.h"
#include "mirror/ZoneGeometry.h"

namespace {

bool SameProfile(const MirrorProfile& a, const MirrorProfile& b) {
    return a.WorkFile == b.WorkFile && a.MirDiam == b.MirDiam && a.Roc == b.Roc && a.CC == b.CC &&
           a.Obst == b.Obst && a.NZ == b.NZ && a.WorkNum == b.WorkNum;
}

void CheckReader(const QStringList& lines) {
    const ProfileLoad load = ParseMirrorProfile(lines);
    if (!load.ok) {
        FUZZ_CHECK(!load.reason.isEmpty(), "a refusal says why");
        return;
    }
    const MirrorProfile& p = load.profile;
    for (const bool fixedSource : {false, true})
        FUZZ_CHECK(BuildZoneTable(p.MirDiam, p.Obst, p.Roc, p.NZ, fixedSource).ok,
                   "an accepted profile gives a zone table");

    // Save Data's rewrite, as it stands and with the advanced test number.
    TestState state;
    StoreProfile(state, p);
    const QStringList written = WrittenAndReadBack(MirrorProfileLines(state), "profile.ini");
    const ProfileLoad again = ParseMirrorProfile(written);
    FUZZ_CHECK(again.ok, "Save Data's profile reads back");
    FUZZ_CHECK(
        MirrorProfileLines(state) ==
            [&] {
                TestState back;
                StoreProfile(back, again.profile);
                return MirrorProfileLines(back);
            }(),
        "and writes the same lines again");
    if (state.WorkNum < kMaxTestNumber) {
        state.WorkNum += 1;
        const ProfileLoad next = ParseMirrorProfile(MirrorProfileLines(state));
        FUZZ_CHECK(next.ok && next.profile.WorkNum == state.WorkNum, "the next number reads back");
    }
}

void CheckEditor(const QStringList& lines, bool cancelling) {
    const QString path = FuzzProgramFolder() + QStringLiteral("/opened.ini");
    FUZZ_CHECK(WriteTextLines(path, lines), "the opened file is written");
    const std::optional<MirrorEditorFields> fields =
        OpenProfileForEditor(path, MirrorEditorFields());
    if (!fields) return;
    // Opened through "Open Existing File", so no overwrite question is asked.
    const MirrorSpecsCheck check = CheckMirrorSpecs(*fields, true, cancelling, nullptr);
    if (check.outcome != MirrorSpecsOutcome::Accepted) return;
    FUZZ_CHECK(check.messages.isEmpty(), "an accepted profile shows no message");
    const ProfileLoad load = ParseMirrorProfile(WrittenAndReadBack(check.lines, "edited.ini"));
    FUZZ_CHECK(load.ok, "the editor's profile reads back");
    FUZZ_CHECK(SameProfile(load.profile, check.profile), "as the profile the editor stored");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The whole input is the profile file.
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    QStringList lines;
    if (!ReadAsTextFile(data, QStringLiteral("input.ini"), lines)) return 0;
    CheckReader(lines);
    CheckEditor(lines, size % 2 == 1);
    return 0;
}
