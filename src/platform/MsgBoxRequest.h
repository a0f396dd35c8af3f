#pragma once

#include <QString>

// What a message box asks and what it answers: plain data, so logic code can
// describe a message that a window then shows through the message box service.
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No, Retry };

struct MsgBoxRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0;  // 0 = first button, 1 = second, ...
};
