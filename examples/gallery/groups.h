#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// edits.cpp
int Edits(vex::TForm* Form, int Left, int Top);
int Memos(vex::TForm* Form, int Left, int Top);
// List boxes and combo boxes (lists.cpp).
int ListBoxes(vex::TForm* Form, int Left, int Top);
int ComboBoxes(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
