#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "platform/MsgBoxRequest.h"

// The one message box service. Nothing else shows message boxes.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK,
                 MsgIcon icon = MsgIcon::None, const QString& title = QString(),
                 int defaultButton = 0);

// Tests: a scripted answerer replaces the real box; every request is recorded.
class MsgBoxService {
  public:
    using Answerer = std::function<MsgResult(const MsgBoxRequest&)>;
    static void SetScript(Answerer answerer);  // nullptr: the real box again
    static const QList<MsgBoxRequest>& History();
    static void ClearHistory();
};
