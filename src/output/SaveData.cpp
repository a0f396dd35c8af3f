#include "output/SaveData.h"

#include <QDir>

#include "app/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/TextResults.h"
#include "platform/TextFile.h"

namespace {

// The mirror profile with the advanced test number: the seven lines WorkFile,
// MirDiam, Roc, CC, Obst, NZ, WorkNum, written whole.
QStringList ProfileLines(const TestState& s) {
    return {s.WorkFile,      NumText(s.MirDiam), NumText(s.Roc),    NumText(s.CC),
            NumText(s.Obst), NumText(s.NZ),      NumText(s.WorkNum)};
}

bool RewriteMirrorProfile(const TestState& s) {
    const QString path = MirrorProfilePath(s.WorkFile);
    if (path.isEmpty()) return false;
    QDir().mkdir(MirrorsFolder());
    return WriteTextLines(path, ProfileLines(s));
}

}  // namespace

bool SaveData(TestState& s, SaveDataHost& host) {
    s.SaveFailed = false;
    if (s.Savefigure) host.SaveFigure45File();
    if (s.Savetext) SaveTextDataFile(s, host.FixedSource(), host);
    if (s.SaveSixtests) {
        if (s.LaunchFigure && s.LaunchSixtests) {
            // Gives the user time to finish with figure45.exe, which runs on its own.
            if (host.ShowMessage(QStringLiteral("Press OK to load Sixtests"), MsgButtons::OKCancel,
                                 MsgIcon::None,
                                 QStringLiteral("Waiting for Figure to exit")) == MsgResult::OK)
                host.SaveSixTestsFile();
        } else {
            host.SaveSixTestsFile();
        }
    }
    if ((!s.Savefigure && !s.Savetext && !s.SaveSixtests) || s.SaveFailed) {
        host.ShowMessage(QStringLiteral("Save Data Details not configured Properly\r\n"
                                        "Goto Test Options/Save Data Options to Setup Files "
                                        "Save Options"),
                         MsgButtons::OK, MsgIcon::Information, QStringLiteral("Not Configured!"));
        return false;
    }
    s.WorkNum += 1;
    // The profile keeps the number of the next test; a failure here is not reported.
    RewriteMirrorProfile(s);
    return true;
}
