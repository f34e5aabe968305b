// Buttons that open the find and replace dialogs beside the gallery, and the font dialog, and a
// line that tells what the dialogs last said.

#include "examples/gallery/groups.h"
#include "platform/ui/button.h"
#include "platform/ui/finddialog.h"
#include "platform/ui/fontdialog.h"

namespace gallery {

using namespace vex;

namespace {

std::string Flags(TFindOptions Options) {
    std::string flags;
    if (Options.Contains(frMatchCase)) flags += ", case";
    if (Options.Contains(frWholeWord)) flags += ", whole word";
    if (!Options.Contains(frHideUpDown)) flags += Options.Contains(frDown) ? ", down" : ", up";
    return flags;
}

}  // namespace

int FindAndFontDialogs(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 64, "Find, replace and font dialogs");
    TLabel* said = AddLabel(box, Rect(8, 40, 290, 56), "No dialog has said anything yet");
    auto* find = new TFindDialog(Form);
    auto* replace = new TReplaceDialog(Form);
    auto* font = new TFontDialog(Form);
    font->SetDevice(fdBoth);

    find->OnFind = [said, find](TObject*) {
        said->SetCaption("Find \"" + find->FindText() + "\"" + Flags(find->Options()));
    };
    replace->OnFind = [said, replace](TObject*) {
        said->SetCaption("Find \"" + replace->FindText() + "\"" + Flags(replace->Options()));
    };
    replace->OnReplace = [said, replace](TObject*) {
        said->SetCaption(std::string(replace->Options().Contains(frReplaceAll) ? "Replace all \""
                                                                               : "Replace \"") +
                         replace->FindText() + "\" with \"" + replace->ReplaceText() + "\"");
    };
    const auto button = [box](int X, const char* Caption) {
        auto* b = Add<TButton>(box, Rect(X, 8, X + 88, 32));
        b->SetCaption(Caption);
        return b;
    };
    button(8, "Find...")->OnClick = [find](TObject*) { find->Execute(); };
    button(102, "Replace...")->OnClick = [replace](TObject*) { replace->Execute(); };
    button(196, "Font...")->OnClick = [said, font](TObject*) {
        if (font->Execute()) {
            said->Font().Assign(&font->Font());
            said->SetCaption(font->Font().Name() + " " + std::to_string(font->Font().Size()));
        }
    };
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
