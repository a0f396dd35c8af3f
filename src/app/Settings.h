#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "core/TestState.h"

// The settings file quenz.ini: 51 lines, one value per line, in a fixed order.
// Most values live in the test state; the rest are held by controls of the main
// window (menu check marks and captions, slider values, a check box), which the
// form copies into and out of ControlSettings around these functions.

inline constexpr int kSettingsLineCount = 51;

// Name of the settings file in the program folder.
inline constexpr const char* kSettingsFileName = "quenz.ini";

// Ranges of the three motor sliders (values outside are clamped on reading).
inline constexpr int32_t kMaxdelayMin = 1, kMaxdelayMax = 5000;
inline constexpr int32_t kMindelayMin = 1, kMindelayMax = 1000;
inline constexpr int32_t kAcellMin = 1, kAcellMax = 10;

// Design caption of each recent-mirror entry; such an entry is hidden.
inline constexpr const char* kUnusedMirrorCaption = "mnu";

// Settings held in the main window's controls, with their design values.
struct ControlSettings {
    bool mnuinvert = false;
    QString mnuLRswapCaption = QStringLiteral("&Reverse L/R Motor");
    bool mnuLRswap = false;
    QString mnuTFswapCaption = QStringLiteral("Reverse &To/From Mirror Motor");
    bool mnuTFswap = false;
    bool mnuSwapMotors = false;
    bool MnuFixed = false;
    int32_t Maxdelay = 2000;
    int32_t Mindelay = 136;
    int32_t sldAcell = 4;
    // Captions of Mnu(1) .. Mnu(10); index 0 is unused.
    std::array<QString, kRecentMirrors + 1> Mnu = DesignMirrorCaptions();
    int32_t Save_picture = 0;  // check box value, 0 or 1

    static std::array<QString, kRecentMirrors + 1> DesignMirrorCaptions() {
        std::array<QString, kRecentMirrors + 1> captions;
        for (int i = 1; i <= kRecentMirrors; ++i) captions[i] = QLatin1String(kUnusedMirrorCaption);
        return captions;
    }
};

// A recent-mirror entry is shown unless its caption is empty or "mnu".
bool MirrorEntryVisible(const QString& caption);

// The 51 lines of the file, in order, without line ends.
QStringList BuildSettingsLines(const TestState& state, const ControlSettings& controls);

// What reading the file did, so the form can show the messages and open the dialogs.
struct SettingsLoadOutcome {
    bool loaded = false;           // every line of zones 1 and 3 converted
    bool recovery1 = false;        // zone 1 failed: first message, then the setup dialog
    bool autoTestMessage = false;  // recovery 2 with WaitForIt clear: second message, then
                                   // the Auto Test Variables dialog
    int failedLine = 0;            // first line (1..51) that stopped zone 1 or 3; 0 when the
                                   // file could not be read or nothing failed
    QString failedReason;          // why that line's number was refused, when it is a number
                                   // out of a tester's reach (a step or a move); else empty
};

// Applies the lines read from the file (fileRead false: missing or unreadable)
// to the state and the control settings, with the recoveries' defaults.
// appPath is the program folder (for the default result folder).
SettingsLoadOutcome ApplySettingsLines(bool fileRead, const QStringList& lines, TestState& state,
                                       ControlSettings& controls, const QString& appPath);

// The messages of the two recoveries and their title.
inline constexpr const char* kSettingsErrorTitle = "Initialization Error :(";
inline constexpr const char* kSettingsLoadMessage =
    "Unable to Load Quenz.ini, Now opening Setup Dialog, Please confirm Data to continue";
inline constexpr const char* kAutoTestLoadMessage =
    "Unable to load Auto-Test Variuables, Now opening Auto-Test Dialog, please confirm data to "
    "continue";

// Text of a Double for the file: the general number format when it reads back
// unchanged, otherwise the shortest plain decimal that does.
QString DoubleSettingText(double value);

// The settings file's path in a program folder (an existing file is found
// without regard to letter case).
QString SettingsFilePath(const QString& appPath);

// Where the file as it was is kept before the first save after a failed load.
QString SettingsBackupPath(const QString& settingsPath);

// Most bytes the 51 lines may take; the file may go on past them, unread.
inline constexpr qint64 kSettingsMaxBytes = 1 << 20;

// Reads the first 51 lines of the settings file (fewer when the file has fewer);
// false when it is missing, is no regular file or its lines don't fit the limit.
bool ReadSettingsFile(const QString& path, QStringList& lines);
