#pragma once

#include <QPixmap>

// The program's own small picture (93 x 70): a mirror seen past the knife edge,
// one half lit and one half in shadow. The splash window and the repetition
// dialog show it.
QPixmap ProgramLogo();
