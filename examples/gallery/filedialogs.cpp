// Open and Save As buttons: each runs its file dialog with the rich-text editor's filter, in the
// home folder, and shows the file chosen below.

#include <cstdlib>

#include "examples/gallery/groups.h"
#include "platform/ui/button.h"
#include "platform/ui/filedialog.h"

namespace gallery {

using namespace vex;

int FileDialogs(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 64, "Open and save dialogs");
    const char* home = std::getenv("HOME");
    const char* filter = "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT";
    auto* open = new TOpenDialog(Form);
    open->SetFilter(filter);
    open->SetInitialDir(home != nullptr ? home : "/");
    auto* save = new TSaveDialog(Form);
    save->SetFilter(filter);
    save->SetDefaultExt("rtf");
    save->SetInitialDir(open->InitialDir());
    TLabel* chosen = AddLabel(box, Rect(8, 38, 290, 54), "No file chosen");
    chosen->SetShowAccelChar(false);
    const struct {
        TOpenDialog* Dialog;
        const char* Caption;
        int X;
    } buttons[] = {{open, "Open...", 8}, {save, "Save As...", 108}};
    for (const auto& b : buttons) {
        auto* button = Add<TButton>(box, Rect(b.X, 8, b.X + 92, 32));
        button->SetCaption(b.Caption);
        TOpenDialog* dialog = b.Dialog;
        button->OnClick = [dialog, chosen](TObject*) {
            chosen->SetCaption(dialog->Execute() ? dialog->FileName() : "No file chosen");
        };
    }
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
