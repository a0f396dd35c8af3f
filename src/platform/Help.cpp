#include "platform/Help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/ProgramFolder.h"

namespace {

struct HelpState {
    void* owner = nullptr;
    QString file;
    bool shown = false;
    std::function<bool(const QString&)> opener;
};

HelpState& State() {
    static HelpState state;
    return state;
}

bool OpenWithDesktop(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

}  // namespace

void InitHelp(void* ownerWindow) {
    HelpState& state = State();
    state.owner = ownerWindow;
    // Joined with a single separator, also when the program folder is a root.
    state.file = ResolvePath(AppPath(), QStringLiteral("QUENZ.HLP"));
}

void QuitHelp() {
    // The help viewer belongs to the desktop; all that is ours to close is the
    // link to it. Nothing happens when help was never opened.
    HelpState& state = State();
    state.shown = false;
    state.owner = nullptr;
}

QString HelpFile() {
    return State().file;
}

void ShowHelp(int contextId) {
    Q_UNUSED(contextId);  // the desktop's viewers open a file, not a topic
    HelpState& state = State();
    if (state.file.isEmpty()) return;
    const QString file = ResolvePath(state.file);
    if (!QFileInfo(file).isFile()) return;
    const bool opened = state.opener ? state.opener(file) : OpenWithDesktop(file);
    if (opened) state.shown = true;
}

bool HelpShown() {
    return State().shown;
}

void SetHelpOpenerForTests(std::function<bool(const QString&)> opener) {
    State().opener = std::move(opener);
}
