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
// List boxes and combo boxes (lists.cpp).
int ListBoxes(vex::TForm* Form, int Left, int Top);
int ComboBoxes(vex::TForm* Form, int Left, int Top);

// entry.cpp
int StatusBars(vex::TForm* Form, int Left, int Top);
int SpinButtons(vex::TForm* Form, int Left, int Top);
int MaskAndSpinEdits(vex::TForm* Form, int Left, int Top);
// explorer.cpp: a bar of explorer-style buttons, with their toggle, disabled and office looks.
int ExplorerButtons(vex::TForm* Form, int Left, int Top);
int EditButtons(vex::TForm* Form, int Left, int Top);  // editbtn.cpp

// A calendar, and a date edit that drops one down (calendar.cpp).
int Calendars(vex::TForm* Form, int Left, int Top);
// Date and time pickers (datetimes.cpp).
int DateTimePickers(vex::TForm* Form, int Left, int Top);

// Carets, colour pairs and the tab list box of the entry controls, the mail address dialog and
// the data-aware library's dialog buttons (partsa.cpp).
int Carets(vex::TForm* Form, int Left, int Top);
int ColourPairs(vex::TForm* Form, int Left, int Top);
int TabListBoxes(vex::TForm* Form, int Left, int Top);
int AddressDialog(vex::TForm* Form, int Left, int Top);

// A tray icon's pictures in each state, and a button that animates it (tray.cpp).
int TrayIcons(vex::TForm* Form, int Left, int Top);
// A read-only, word-wrapped text file viewer (editors.cpp).
int FileViewers(vex::TForm* Form, int Left, int Top);
// A button that runs the folder dialog and shows the folder chosen (folders.cpp).
int FolderDialogs(vex::TForm* Form, int Left, int Top);
// Buttons that run the find, replace and font dialogs, and what they said (finddialogs.cpp).
int FindAndFontDialogs(vex::TForm* Form, int Left, int Top);
// Buttons that run the open and save dialogs and show the file chosen (filedialogs.cpp).
int FileDialogs(vex::TForm* Form, int Left, int Top);
// Buttons that run the print and page-setup dialogs and say what the printer took
// (printdialogs.cpp).
int PrintDialogs(vex::TForm* Form, int Left, int Top);

// The version-check window's read-only rich-text note with its links (richedits.cpp).
int VersionCheckViews(vex::TForm* Form, int Left, int Top);

// A masked edit, a combo edit, a combo box with a map list and a date/time picker, bound to one
// record of a small table (wwedits.cpp).
int DataAwareEdits(vex::TForm* Form, int Left, int Top);

// A numeric field and a field with a picture mask (entryfields.cpp).
int EntryFields(vex::TForm* Form, int Left, int Top);
// Spinners of each shape beside the fields they step (spinners.cpp).
int Spinners(vex::TForm* Form, int Left, int Top);
// The grids (grids.cpp), one group a kind of grid.
int DrawGrids(vex::TForm* Form, int Left, int Top);
int StringGrids(vex::TForm* Form, int Left, int Top);
// The advanced string grid holding rules, as the rule-list window does (rulegrid.cpp).
int RuleGrids(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
