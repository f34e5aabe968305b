#include "platform/ui/fontdialogform.h"

#include <cstdlib>

#include "platform/core/stringutils.h"
#include "platform/ui/customedit.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/messagedialog.h"

namespace vex {

namespace {

// The entry that is Text, case ignored; -1 for none.
int32_t ExactEntry(const TStrings& Items, const std::string& Text) {
    for (int32_t i = 0; i < Items.Count(); ++i)
        if (SameText(Items[i], Text)) return i;
    return -1;
}

// The entry that is Text (case ignored), else the first that begins with it; -1 for none.
int32_t EntryFor(const TStrings& Items, const std::string& Text) {
    const int32_t exact = ExactEntry(Items, Text);
    if (exact >= 0 || Text.empty()) return exact;
    for (int32_t i = 0; i < Items.Count(); ++i)
        if (SameText(Items[i].substr(0, Text.size()), Text)) return i;
    return -1;
}

}  // namespace

TFontForm::TFontForm(const TFontChoice& Choice)
    : FChoice(Choice), FForm(NewDialogForm("Font")), FUnits(DialogUnitsOf(FForm->Font())) {
    TForm& form = *FForm;
    const TDialogUnits& du = FUnits;
    form.SetClientWidth(du.Horz(274));
    form.SetClientHeight(du.Vert(154));

    FFaceName = AddColumn("&Font:", "FaceName", "Faces", du.Horz(6), du.Horz(94), FFaces);
    FStyleName =
        AddColumn("Font st&yle:", "StyleName", "Styles", du.Horz(108), du.Horz(64), FStyles);
    FSizeText = AddColumn("&Size:", "SizeText", "Sizes", du.Horz(180), du.Horz(32), FSizes);
    for (const std::string& family : Choice.Families)
        FFaces->Items().Add(family);
    for (const TNamedFontStyle& style : FontDialogStyles())
        FStyles->Items().Add(style.Name);
    for (int32_t size : FontDialogSizes(Choice.MinFontSize, Choice.MaxFontSize))
        FSizes->Items().Add(std::to_string(size));

    auto* frame = new TGroupBox(&form);
    frame->SetName("SampleFrame");
    frame->SetCaption("Sample");
    frame->SetBounds(du.Horz(6), du.Vert(100), du.Horz(206), du.Vert(48));
    frame->SetParent(&form);
    FSample = new TLabel(&form);
    FSample->SetName("Sample");
    FSample->SetAutoSize(false);
    FSample->SetAlignment(taCenter);
    FSample->SetLayout(tlCenter);
    FSample->SetShowAccelChar(false);
    FSample->SetCaption("AaBbYyZz");
    FSample->SetBounds(du.Horz(4), du.Vert(10), du.Horz(198), du.Vert(34));
    FSample->SetParent(frame);

    const int32_t buttonLeft = du.Horz(218), width = du.Horz(50), height = du.Vert(14);
    AddDialogButton(form, mbOK,
                    Rect(buttonLeft, du.Vert(6), buttonLeft + width, du.Vert(6) + height))
        ->SetDefault(true);
    AddDialogButton(form, mbCancel,
                    Rect(buttonLeft, du.Vert(23), buttonLeft + width, du.Vert(23) + height))
        ->SetCancel(true);

    FFaceName->SetText(Choice.Start->Name());
    FStyleName->SetText(FontStyleName(Choice.Start->Style()));
    FSizeText->SetText(std::to_string(std::abs(Choice.Start->Size())));
    FSample->Font().Assign(Choice.Start);
    ShowSample();

    form.OnShow = [this](TObject*) { FForm->SetActiveControl(FFaceName); };
    form.OnCloseQuery = [this](TObject*, bool& CanClose) {
        if (FForm->ModalResult() != mrOk) return;
        TEdit* wrong = Refusal();
        if (wrong == nullptr) return;
        CanClose = false;
        FForm->SetActiveControl(wrong);
        wrong->SelectAll();
    };
}

TFontForm::~TFontForm() = default;

TEdit* TFontForm::AddColumn(const char* Prompt, const char* FieldName, const char* ListName,
                            int32_t Left, int32_t Width, TListBox*& List) {
    TForm& form = *FForm;
    const TDialogUnits& du = FUnits;
    auto* label = new TLabel(&form);
    label->SetCaption(Prompt);
    label->SetBounds(Left, du.Vert(3), Width, du.Vert(9));
    label->SetParent(&form);
    auto* field = new TEdit(&form);
    field->SetName(FieldName);
    const int32_t fieldHeight = du.Vert(12) + 4;
    field->SetBounds(Left, du.Vert(13), Width, fieldHeight);
    field->SetParent(&form);
    label->SetFocusControl(field);
    List = new TListBox(&form);
    List->SetName(ListName);
    List->SetBounds(Left, du.Vert(13) + fieldHeight, Width, du.Vert(80) - fieldHeight);
    List->SetParent(&form);
    Follow(field, List);
    return field;
}

void TFontForm::Follow(TEdit* Field, TListBox* List) {
    List->OnClick = [Field, List](TObject*) {
        const int32_t index = List->ItemIndex();
        if (index >= 0) Field->SetText(List->Items()[index]);
    };
    Field->OnChange = [this, Field, List](TObject*) {
        const int32_t index = EntryFor(List->Items(), Field->Text());
        if (index >= 0 && index != List->ItemIndex()) List->SetItemIndex(index);
        ShowSample();
    };
}

void TFontForm::ShowSample() {
    if (FSample == nullptr) return;  // still being made
    TFont& sample = FSample->Font();
    const int32_t face = ExactEntry(FFaces->Items(), FFaceName->Text());
    if (face >= 0) sample.SetName(FFaces->Items()[face]);
    if (const std::optional<TFontStyles> style = FontStyleNamed(FStyleName->Text()))
        sample.SetStyle((sample.Style() - TFontStyles{fsBold, fsItalic}) + *style);
    if (const std::optional<int32_t> size =
            ParseFontSize(FSizeText->Text(), FChoice.MinFontSize, FChoice.MaxFontSize))
        sample.SetSize(*size);
}

TEdit* TFontForm::Refusal() {
    const std::string face = FFaceName->Text();
    if (ExactEntry(FFaces->Items(), face) < 0 && !SameText(face, FChoice.Start->Name())) {
        MessageDlg("There is no font named \"" + face + "\". Choose a font from the list.", mtError,
                   {mbOK}, 0);
        return FFaceName;
    }
    if (!FontStyleNamed(FStyleName->Text())) {
        MessageDlg(
            "There is no style named \"" + FStyleName->Text() + "\". Choose a style from the list.",
            mtError, {mbOK}, 0);
        return FStyleName;
    }
    if (!ParseFontSize(FSizeText->Text(), FChoice.MinFontSize, FChoice.MaxFontSize)) {
        MessageDlg(FontSizeRangeText(FChoice.MinFontSize, FChoice.MaxFontSize), mtError, {mbOK}, 0);
        return FSizeText;
    }
    return nullptr;
}

bool TFontForm::Run(TFont& Chosen) {
    if (FForm->ShowModal() != mrOk) return false;
    const int32_t face = ExactEntry(FFaces->Items(), FFaceName->Text());
    Chosen.SetName(face >= 0 ? FFaces->Items()[face] : FChoice.Start->Name());
    Chosen.SetStyle((Chosen.Style() - TFontStyles{fsBold, fsItalic}) +
                    *FontStyleNamed(FStyleName->Text()));
    Chosen.SetSize(*ParseFontSize(FSizeText->Text(), FChoice.MinFontSize, FChoice.MaxFontSize));
    return true;
}

}  // namespace vex
