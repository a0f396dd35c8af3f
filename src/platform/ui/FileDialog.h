#pragma once

#include <QList>
#include <QString>
#include <functional>

// The one file dialog service (the common dialog's open style, as file picker and
// as folder picker). Nothing else shows file dialogs. An empty result is Cancel.
struct FileDialogRequest {
    enum class Kind { OpenFile, PickFolder, SaveFile } kind = Kind::OpenFile;
    QString title;
    QString initialDir;
    QString filter;  // "Mirror files (*.ini)" style
};

QString ShowFileDialog(const FileDialogRequest& request);

class FileDialogService {
  public:
    using Answerer = std::function<QString(const FileDialogRequest&)>;
    static void SetScript(Answerer answerer);  // nullptr: the real dialog again
    static const QList<FileDialogRequest>& History();
    static void ClearHistory();
};
