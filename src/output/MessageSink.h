#pragma once

#include <QString>

#include "platform/MsgBoxRequest.h"

// Where logic code sends the messages the user must see. The main window shows
// them with MsgBox(); tests record them. Only the box's types come from MsgBox.h:
// nothing here shows a window.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Shows a message box and returns the button pressed.
    virtual MsgResult ShowMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                                  const QString& title) = 0;
};
