// Edits with a button inside: one that counts its clicks into its text, one whose editor is
// off (typing only, no pasting or cutting), and a flat one without the 3D border.

#include <cstdint>
#include <memory>
#include <string>

#include "components/misc/EditBtn.h"
#include "examples/gallery/groups.h"

namespace gallery {

using namespace vex;

int EditButtons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 92, "Edits with a button");
    auto* counter = Add<TEditBtn>(box, Rect(90, 6, 210, 30));
    auto clicks = std::make_shared<int64_t>(0);
    counter->OnClickBtn = [counter, clicks](TObject*) {
        counter->SetText(std::to_string(++*clicks));
    };
    AddLabel(box, Rect(8, 10, 86, 26), "Clicks:");
    auto* noClipboard = Add<TEditBtn>(box, Rect(90, 34, 210, 58));
    noClipboard->SetText("no pasting here");
    noClipboard->SetEditorEnabled(false);
    AddLabel(box, Rect(8, 38, 86, 54), "Editor off:");
    auto* flat = Add<TEditBtn>(box, Rect(90, 62, 210, 86));
    flat->SetCtl3D(false);
    flat->SetText("a long text that scrolls left of the button");
    AddLabel(box, Rect(8, 66, 86, 82), "Flat:");
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
