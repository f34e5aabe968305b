// The version-check window's note: a read-only rich-text view loaded as that window loads it,
// first the empty document stored with the form, then the note that came down.

#include "dataaware/richedit/wwrichdata.h"
#include "dataaware/richedit/wwriched.h"
#include "examples/gallery/groups.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"

namespace gallery {

using namespace vex;

namespace {

// The document the window's form stores: empty, in the face it was designed with, ending in
// the 0 byte its save wrote.
const std::string kStoredDocument(
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n"
    "\\pard\\plain\\ql\\f0\\fs16\\cf0 \\par }",
    100);

const char* const kNote =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "\\f0\\fs20{\\b\\fs24 Vexbane 1.1 is out}\\par "
    "Faster checks of large mailboxes, and a sender list that sorts as you type.\\par "
    "Download it from www.example.com/vexbane or read the notes at "
    "http://example.com/vexbane/notes.\\par }";

void ReadStoredForm(TwwDBRichEdit& View) {
    TStringStream stored;
    TWriter writer(stored);
    writer.DefineProperty(
        "Data", nullptr,
        [](TWriter& Writer) { Writer.WriteBinary(wwEncodeRichData(kStoredDocument)); }, true);
    writer.WriteListEnd();
    stored.SetPosition(0);
    TReader reader(stored);
    View.ReadState(reader);
}

}  // namespace

int VersionCheckViews(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 112, "Version-check note (rich text)");
    auto* view = Add<TwwDBRichEdit>(box, Rect(8, 8, kGroupWidth - 8, 104));
    view->SetReadOnly(true);
    view->SetScrollBars(ssVertical);
    view->SetHideScrollBars(false);
    view->SetAutoURLDetect(true);
    view->SetDataField("Description");
    view->SetOleOptions({reoAdjustPopupMenu, reoDisableOLE});
    ReadStoredForm(*view);
    TStringStream downloaded(kNote);
    view->Lines().LoadFromStream(downloaded);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
