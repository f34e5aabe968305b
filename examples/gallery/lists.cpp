// The list box and the combo box.

#include <string>

#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/combobox.h"
#include "platform/ui/listbox.h"

namespace gallery {

namespace {

using namespace vex;

// Columns on tab stops, as a window of search results shows them.
class TColumnsListBox : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& Params) override {
        TListBox::CreateParams(Params);
        Params.Style |= LBS_USETABSTOPS;
    }
};

}  // namespace

int ListBoxes(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 206, "List boxes");
    AddLabel(box, Rect(8, 6, 140, 20), "Sorted, one chosen");
    auto* folders = Add<TListBox>(box, Rect(8, 22, 140, 100));
    folders->SetSorted(true);
    folders->Items().SetCommaText("Inbox,Sent,Junk,Drafts,Outbox,Trash,Archive,Lists");
    folders->SetItemIndex(folders->Items().IndexOf("Junk"));

    AddLabel(box, Rect(152, 6, 290, 20), "Extended selection");
    auto* senders = Add<TListBox>(box, Rect(152, 22, 290, 100));
    senders->SetMultiSelect(true);
    senders->Items().SetCommaText(
        "ann@example.org,bob@example.org,eve@example.org,"
        "joe@example.org,sue@example.org");
    for (int i : {0, 2, 3})
        senders->SetSelected(i, true);

    AddLabel(box, Rect(8, 108, 140, 122), "Owner-drawn rows");
    auto* colours = Add<TListBox>(box, Rect(8, 124, 140, 198));
    colours->SetStyle(lbOwnerDrawFixed);
    colours->SetItemHeight(17);
    colours->Items().SetCommaText("Red,Green,Blue,Teal,Olive");
    colours->SetItemIndex(2);
    colours->OnDrawItem = [colours](TWinControl*, int32_t Index, TRect R, TOwnerDrawState) {
        static const TColor swatches[] = {clRed, clGreen, clBlue, clTeal, clOlive};
        TCanvas& canvas = colours->Canvas();
        canvas.FillRect(R);
        TBrush swatch;
        swatch.SetColor(swatches[Index % 5]);
        canvas.FillRect(Rect(R.Left + 3, R.Top + 3, R.Left + 17, R.Bottom - 3), swatch);
        canvas.TextOut(R.Left + 22, R.Top + 2, colours->Items().Strings(Index));
    };

    AddLabel(box, Rect(152, 108, 290, 122), "Columns on tab stops");
    auto* results = Add<TColumnsListBox>(box, Rect(152, 124, 290, 198));
    results->SetTabWidth(30);
    results->Items().SetText("ann\tHello\nbob\tInvoice\neve\tWinner!\njoe\tLunch\n");
    return box->BoundsRect().Bottom;
}

int ComboBoxes(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 92, "Combo boxes (a click drops the list)");
    const char* spacings = "Single,\"1.5 Lines\",Double,\"At least\",Exactly,Multiple";
    AddLabel(box, Rect(8, 6, 140, 20), "Drop-down list");
    auto* spacing = Add<TComboBox>(box, Rect(8, 22, 140, 42));
    spacing->SetStyle(csDropDownList);
    spacing->Items().SetCommaText(spacings);
    spacing->SetItemIndex(1);

    AddLabel(box, Rect(152, 6, 290, 20), "Disabled");
    auto* disabled = Add<TComboBox>(box, Rect(152, 22, 290, 42));
    disabled->SetStyle(csDropDownList);
    disabled->Items().SetCommaText(spacings);
    disabled->SetItemIndex(4);
    disabled->SetEnabled(false);

    AddLabel(box, Rect(8, 50, 140, 64), "Twenty months, 8 rows");
    auto* months = Add<TComboBox>(box, Rect(8, 66, 140, 86));
    months->SetStyle(csDropDownList);
    for (int i = 1; i <= 20; ++i)
        months->Items().Add("Month " + std::to_string(i));
    months->SetItemIndex(0);

    AddLabel(box, Rect(152, 50, 290, 64), "Drop-down: any text");
    auto* fonts = Add<TComboBox>(box, Rect(152, 66, 290, 86));
    fonts->Items().SetCommaText("Arial,\"Courier New\",\"Times New Roman\",Verdana");
    fonts->SetText("Courier New");
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
