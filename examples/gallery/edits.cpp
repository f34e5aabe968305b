// The edit family: single-line edits in their states, and a memo with a scroll bar.

#include "examples/gallery/groups.h"
#include "platform/ui/customedit.h"
#include "platform/ui/memo.h"

namespace gallery {

using namespace vex;

int Edits(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Edits");
    const struct {
        const char* Caption;
        const char* Text;
    } rows[] = {{"Plain", "Type here"},
                {"Selected", "Shift+arrows select"},
                {"Password", "secret"},
                {"Read-only", "Copy, do not change"},
                {"Disabled", "Out of use"}};
    TEdit* edits[5];
    for (int i = 0; i < 5; ++i) {
        const int y = 8 + 28 * i;
        AddLabel(box, Rect(8, y + 3, 88, y + 19), rows[i].Caption);
        edits[i] = Add<TEdit>(box, Rect(90, y, 290, y + 21));
        edits[i]->SetText(rows[i].Text);
    }
    edits[1]->SetHideSelection(false);
    edits[1]->SetSelStart(6);
    edits[1]->SetSelLength(6);
    edits[2]->SetPasswordChar('*');
    edits[3]->SetReadOnly(true);
    edits[4]->SetEnabled(false);
    return box->BoundsRect().Bottom;
}

int Memos(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 130, "Memo");
    auto* memo = Add<TMemo>(box, Rect(8, 8, 290, 120));
    memo->SetScrollBars(ssVertical);
    for (const char* line :
         {"A memo keeps lines and wraps the long ones at its right edge, word by word.", "",
          "Enter starts a line, the bar scrolls them.", "Line 4", "Line 5", "Line 6", "Line 7",
          "Line 8"})
        memo->Lines().Add(line);
    memo->SetSelStart(0);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
