#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// List boxes and combo boxes (lists.cpp).
int ListBoxes(vex::TForm* Form, int Left, int Top);
int ComboBoxes(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
