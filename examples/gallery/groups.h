#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// edits.cpp
int Edits(vex::TForm* Form, int Left, int Top);
int Memos(vex::TForm* Form, int Left, int Top);

// A calendar, and a date edit that drops one down (calendar.cpp).
int Calendars(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
