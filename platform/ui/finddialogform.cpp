#include "platform/ui/finddialogform.h"

#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/label.h"
#include "platform/ui/pairedradiobutton.h"

namespace vex {

TFindForm::TFindForm(TFindDialog& Dialog)
    : FDialog(Dialog),
      FForm(NewDialogForm(Dialog.Replacing() ? "Replace" : "Find")),
      FUnits(DialogUnitsOf(FForm->Font())) {
    const TDialogUnits& du = FUnits;
    const bool replacing = Dialog.Replacing();
    FForm->SetClientWidth(du.Horz(replacing ? 230 : 236));
    FForm->SetClientHeight(du.Vert(replacing ? 76 : 62));
    if (replacing)
        AddReplaceControls(du.Horz(168));
    else
        AddFindControls(du.Horz(175));

    // Closing only hides: the dialog shows the same form, where it was, next time.
    FForm->OnClose = [this](TObject*, TCloseAction& Action) {
        Action = caHide;
        FDialog.Closed();
    };
    ShowFindText();
    ShowOptions();
}

TFindForm::~TFindForm() = default;

void TFindForm::AddFindControls(int32_t Right) {
    const TDialogUnits& du = FUnits;
    AddFindText(du.Vert(7), du.Horz(47), Right);
    FFindNext = AddPressButton("FindNext", "&Find Next", du.Horz(182), du.Vert(5), frFindNext);
    AddCancelButton(du.Horz(182), du.Vert(23));
    FWholeWord = AddCheck("WholeWord", "Match &whole word only", du.Vert(26), frWholeWord);
    FMatchCase = AddCheck("MatchCase", "Match &case", du.Vert(42), frMatchCase);

    FDirection = new TGroupBox(FForm.get());
    FDirection->SetName("Direction");
    FDirection->SetCaption("Direction");
    FDirection->SetBounds(du.Horz(107), du.Vert(26), du.Horz(68), du.Vert(28));
    FDirection->SetParent(FForm.get());
    const auto direction = [&](const char* Name, const char* Caption, int32_t Left, int32_t Width,
                               bool Down) {
        auto* button = new TPairedRadioButton(FForm.get());
        button->SetName(Name);
        button->SetCaption(Caption);
        button->SetBounds(Left, du.Vert(12), Width, du.Vert(12));
        button->SetParent(FDirection);
        button->OnClick = [this, button, Down](TObject*) {
            if (!button->Checked()) return;
            if (Down)
                FDialog.FOptions.Include(frDown);
            else
                FDialog.FOptions.Exclude(frDown);
        };
        return button;
    };
    auto* up = direction("Up", "&Up", du.Horz(4), du.Horz(28), false);
    auto* down = direction("Down", "&Down", du.Horz(32), du.Horz(32), true);
    TPairedRadioButton::Pair(*up, *down);
    FUp = up;
    FDown = down;
}

void TFindForm::AddReplaceControls(int32_t Right) {
    const TDialogUnits& du = FUnits;
    AddFindText(du.Vert(7), du.Horz(54), Right);
    FReplaceText = AddField("ReplaceText", "Re&place with:", du.Vert(24), du.Horz(54), Right);
    FReplaceText->OnChange = [this](TObject*) {
        static_cast<TReplaceDialog&>(FDialog).FReplaceText = FReplaceText->Text();
    };
    const int32_t left = du.Horz(174);
    FFindNext = AddPressButton("FindNext", "&Find Next", left, du.Vert(4), frFindNext);
    FReplace = AddPressButton("Replace", "&Replace", left, du.Vert(21), frReplace);
    FReplaceAll = AddPressButton("ReplaceAll", "Replace &All", left, du.Vert(38), frReplaceAll);
    AddCancelButton(left, du.Vert(55));
    FWholeWord = AddCheck("WholeWord", "Match &whole word only", du.Vert(46), frWholeWord);
    FMatchCase = AddCheck("MatchCase", "Match &case", du.Vert(62), frMatchCase);
    ShowReplaceText();
}

TButton* TFindForm::AddButton(const char* Name, const char* Caption, int32_t Left, int32_t Top) {
    const TDialogUnits& du = FUnits;
    auto* button = new TButton(FForm.get());
    button->SetName(Name);
    button->SetCaption(Caption);
    button->SetBounds(Left, Top, du.Horz(50), du.Vert(14));
    button->SetParent(FForm.get());
    return button;
}

TButton* TFindForm::AddPressButton(const char* Name, const char* Caption, int32_t Left, int32_t Top,
                                   TFindOption Pressed) {
    TButton* button = AddButton(Name, Caption, Left, Top);
    button->SetDefault(Pressed == frFindNext);
    button->OnClick = [this, Pressed](TObject*) { FDialog.ButtonPressed(Pressed); };
    return button;
}

void TFindForm::AddCancelButton(int32_t Left, int32_t Top) {
    TButton* button = AddButton("Cancel", "Cancel", Left, Top);
    button->SetCancel(true);
    button->OnClick = [this](TObject*) { FForm->Close(); };
}

TCheckBox* TFindForm::AddCheck(const char* Name, const char* Caption, int32_t Top,
                               TFindOption Option) {
    const TDialogUnits& du = FUnits;
    auto* box = new TCheckBox(FForm.get());
    box->SetName(Name);
    box->SetCaption(Caption);
    box->SetBounds(du.Horz(5), Top, du.Horz(100), du.Vert(12));
    box->SetParent(FForm.get());
    box->OnClick = [this, box, Option](TObject*) {
        if (box->Checked())
            FDialog.FOptions.Include(Option);
        else
            FDialog.FOptions.Exclude(Option);
    };
    return box;
}

TEdit* TFindForm::AddField(const char* Name, const char* Prompt, int32_t Top, int32_t Left,
                           int32_t Right) {
    const TDialogUnits& du = FUnits;
    auto* edit = new TEdit(FForm.get());
    edit->SetName(Name);
    edit->SetBounds(Left, Top, Right - Left, du.Vert(12) + 4);
    edit->SetParent(FForm.get());
    auto* label = new TLabel(FForm.get());
    label->SetCaption(Prompt);
    label->SetBounds(du.Horz(5), Top + du.Vert(2), Left - du.Horz(6), du.Vert(8));
    label->SetFocusControl(edit);
    label->SetParent(FForm.get());
    return edit;
}

void TFindForm::AddFindText(int32_t Top, int32_t Left, int32_t Right) {
    FFindText = AddField("FindText", "Fi&nd what:", Top, Left, Right);
    FFindText->OnChange = [this](TObject*) {
        FDialog.FFindText = FFindText->Text();
        EnableButtons();
    };
}

void TFindForm::ShowFindText() {
    if (FFindText->Text() != FDialog.FFindText) FFindText->SetText(FDialog.FFindText);
    EnableButtons();
}

void TFindForm::ShowReplaceText() {
    const std::string& text = static_cast<TReplaceDialog&>(FDialog).FReplaceText;
    if (FReplaceText->Text() != text) FReplaceText->SetText(text);
}

void TFindForm::ShowOptions() {
    // The handlers of the boxes write the options back as they change: take them first.
    const TFindOptions options = FDialog.FOptions;
    FWholeWord->SetChecked(options.Contains(frWholeWord));
    FMatchCase->SetChecked(options.Contains(frMatchCase));
    if (FDirection != nullptr) {
        FUp->SetChecked(!options.Contains(frDown));
        FDown->SetChecked(options.Contains(frDown));
        FDirection->SetVisible(!options.Contains(frHideUpDown));
    }
    FDialog.FOptions = options;
}

void TFindForm::FocusFindText() {
    FForm->SetActiveControl(FFindText);
    FFindText->SelectAll();
}

void TFindForm::EnableButtons() {
    const bool any = !FDialog.FFindText.empty();
    for (TButton* button : {FFindNext, FReplace, FReplaceAll})
        if (button != nullptr) button->SetEnabled(any);
}

}  // namespace vex
