// The known-spammer viewer: a read-only, word-wrapped text file editor.
#include <filesystem>
#include <string>

#include "components/entry/OvcTextFileEditor.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/core/files.h"
#include "platform/gfx/colors.h"

namespace gallery {

using namespace vex;

namespace {

const char* const kSpammers =
    "offers@cheap-pills.example\r\n"
    "winner@lottery-notice.example\r\n"
    "\tAdded by hand: sends the same prize notice under a new subject every morning, so the "
    "line is long enough to wrap.\r\n"
    "newsletter@unwanted.example\r\n"
    "support@account-verify.example\r\n";

TOvcController* ControllerOf(TForm* Form) {
    for (int32_t i = 0; i < Form->ComponentCount(); ++i)
        if (auto* controller = dynamic_cast<TOvcController*>(Form->Components(i)))
            return controller;
    return new TOvcController(Form);
}

}  // namespace

int FileViewers(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Read-only, word-wrapped file viewer");
    const std::string file =
        (std::filesystem::temp_directory_path() / "vex-gallery-spammers.txt").string();
    WriteFileAtomic(file, kSpammers);
    auto* viewer = new TOvcTextFileEditor(Form);
    viewer->SetController(ControllerOf(Form));
    viewer->SetBoundsRect(Rect(8, 8, 288, 140));
    viewer->SetParent(box);
    viewer->SetReadOnly(true);
    viewer->SetScrollBars(ssVertical);
    viewer->SetLeftMargin(5);
    viewer->SetColor(clBtnFace);
    viewer->SetWordWrap(true);
    viewer->SetWrapToWindow(true);
    viewer->SetFileName(file);
    viewer->SetIsOpen(true);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
