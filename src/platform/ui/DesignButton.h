#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>

#include "platform/ui/Named.h"

// A dialog's push button at its design place and with its design name. Enter in
// a field presses no button: it is never the automatic default.
inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                               const QRect& design) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(design);
    button->setAutoDefault(false);
    return button;
}
