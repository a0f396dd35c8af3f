#include "platform/ui/FileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/ProgramFolder.h"

namespace {

struct FileDialogState {
    FileDialogService::Answerer script;
    QList<FileDialogRequest> history;
};

FileDialogState& State() {
    static FileDialogState state;
    return state;
}

QString ShowRealDialog(const FileDialogRequest& request) {
    QWidget* parent = QApplication::activeWindow();
    const QString dir = request.initialDir.isEmpty() ? QString() : ResolvePath(request.initialDir);
    QString chosen;
    switch (request.kind) {
        case FileDialogRequest::Kind::OpenFile:
            chosen = QFileDialog::getOpenFileName(parent, request.title, dir, request.filter);
            break;
        case FileDialogRequest::Kind::PickFolder:
            chosen = QFileDialog::getExistingDirectory(parent, request.title, dir);
            break;
        case FileDialogRequest::Kind::SaveFile:
            chosen = QFileDialog::getSaveFileName(parent, request.title, dir, request.filter);
            break;
    }
    return QDir::fromNativeSeparators(chosen);
}

}  // namespace

QString ShowFileDialog(const FileDialogRequest& request) {
    FileDialogState& state = State();
    state.history.append(request);
    if (state.script) return state.script(request);
    return ShowRealDialog(request);
}

void FileDialogService::SetScript(Answerer answerer) {
    State().script = std::move(answerer);
}

const QList<FileDialogRequest>& FileDialogService::History() {
    return State().history;
}

void FileDialogService::ClearHistory() {
    State().history.clear();
}
