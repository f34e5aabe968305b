#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// examples/gallery/menus.cpp
int Menus(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
