#include "output/SaveData.h"

#include "mirror/MirrorProfile.h"
#include "output/Figure45File.h"
#include "output/SixTestsFile.h"
#include "output/TextResults.h"
#include "platform/TextFile.h"

bool SaveData(TestState& s, SaveDataHost& host) {
    // The profile could not hold the next number: the results would carry a
    // number that the next save writes over.
    if (s.WorkNum >= kMaxTestNumber) {
        host.ShowMessage(
            QStringLiteral("Test number %1 is the last one a mirror profile can count; "
                           "nothing was saved.\r\nStart a new profile for this mirror to go on "
                           "testing.")
                .arg(s.WorkNum),
            MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Save Data"));
        return false;
    }
    s.SaveFailed = false;
    if (s.Savefigure) SaveFigure45File(s, host.FixedSource(), host, host.Programs());
    if (s.Savetext) SaveTextDataFile(s, host.FixedSource(), host);
    if (s.SaveSixtests) {
        if (s.LaunchFigure && s.LaunchSixtests) {
            // Gives the user time to finish with figure45.exe, which runs on its own.
            if (host.ShowMessage(QStringLiteral("Press OK to load Sixtests"), MsgButtons::OKCancel,
                                 MsgIcon::None,
                                 QStringLiteral("Waiting for Figure to exit")) == MsgResult::OK)
                SaveSixTestsFile(s, host.FixedSource(), host, host.Programs());
        } else {
            SaveSixTestsFile(s, host.FixedSource(), host, host.Programs());
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
    // The profile keeps the number of the next test. Should it keep the old one,
    // the next test after a restart would be saved under this test's number (its
    // save asks before replacing these files): the user is told, to save the
    // profile before then.
    QString error;
    if (!WriteMirrorProfile(s.WorkFile, MirrorProfileLines(s), &error))
        host.ShowMessage(
            ProfileNotSavedText(s.WorkFile, error) +
                QStringLiteral("\r\nIt still gives %1 as the next test. %2 the mirror again "
                               "with \"Tests Ran to Date\" %1 (Add or Edit Mirror "
                               "Specifications) before the next test, or its save will ask to "
                               "replace these files.")
                    .arg(s.WorkNum - 1)
                    // More room only helps when room is what was missing.
                    .arg(IsOutOfSpaceError(error) ? QStringLiteral("Free some space and save")
                                                  : QStringLiteral("Save")),
            MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("File Warning!"));
    return true;
}
