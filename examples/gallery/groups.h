#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {

// edits.cpp
int Edits(vex::TForm* Form, int Left, int Top);
int Memos(vex::TForm* Form, int Left, int Top);
// Buttons, tool buttons and check boxes (buttons.cpp).
int Buttons(vex::TForm* Form, int Left, int Top);
int SpeedButtons(vex::TForm* Form, int Left, int Top);
// Panels, bevels and group boxes (buttons.cpp).
int Panels(vex::TForm* Form, int Left, int Top);
// examples/gallery/menus.cpp
int Menus(vex::TForm* Form, int Left, int Top);

// Carets, colour pairs and the tab list box of the entry controls, the mail address dialog and
// the data-aware library's dialog buttons (partsa.cpp).
int Carets(vex::TForm* Form, int Left, int Top);
int ColourPairs(vex::TForm* Form, int Left, int Top);
int TabListBoxes(vex::TForm* Form, int Left, int Top);
int AddressDialog(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
