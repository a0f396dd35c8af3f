#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

// Pictures of the Foucault tester for choosing the knife side: the tester seen
// from the observer's place behind it, the light source with its slit in the
// middle, the knife blade on the left or on the right of it, and the mirror
// beyond, with the light going out from the slit and coming back to the knife.
namespace TesterPictures {

// Every picture is this size.
constexpr QSize kSize(250, 400);

// The flat colour of the knife blade; nothing else in the pictures has it.
QColor KnifeBlade();

// The tester with the knife on the right of the slit (or on the left). A chosen
// picture has a bright frame, a lighter background and a tick in its corner.
QPixmap Draw(bool knifeRight, bool chosen);

}  // namespace TesterPictures
