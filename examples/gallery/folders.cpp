// A folder button: it runs the folder dialog on the home folder, the status line following the
// selection, and shows the folder chosen beside it.

#include "components/misc/BrowseDr.h"
#include "examples/gallery/groups.h"
#include "platform/ui/button.h"

namespace gallery {

using namespace vex;

int FolderDialogs(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 64, "Folder dialog");
    auto* dialog = new TBrowseDirectoryDlg(Form);
    dialog->SetRoot(idPersonal);
    dialog->SetCaption("Select starting drive/folder");
    dialog->SetTitle("Select starting drive/folder");
    dialog->SetShowSelectionInStatus(true);
    auto* button = Add<TButton>(box, Rect(8, 8, 100, 32));
    button->SetCaption("Browse...");
    TLabel* chosen = AddLabel(box, Rect(108, 12, 290, 28), "No folder chosen");
    AddLabel(box, Rect(8, 38, 290, 54), "Keys: arrows, + and -, Enter, Escape");
    button->OnClick = [dialog, chosen](TObject*) {
        chosen->SetCaption(dialog->Execute() ? dialog->Selection() : "No folder chosen");
    };
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
