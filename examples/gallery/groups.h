#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// edits.cpp
int Edits(vex::TForm* Form, int Left, int Top);
int Memos(vex::TForm* Form, int Left, int Top);

// explorer.cpp: a bar of explorer-style buttons, with their toggle, disabled and office looks.
int ExplorerButtons(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
