#pragma once

#include <QLatin1String>
#include <QObject>

// Gives a control the name it has in its window's design, so code and tests
// find it by that name; returns the control for chaining at creation.
template <typename T>
T* Named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}
