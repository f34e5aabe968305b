#include "dataaware/richedit/wwriched.h"

#include "dataaware/richedit/wwrichstrings.h"
#include "dataaware/richedit/wwrichversion.h"
#include "platform/ui/finddialog.h"
#include "platform/win/application.h"

namespace vex {

namespace {

// A left press, single or double.
bool IsLeftPress(UINT Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK;
}

}  // namespace

TwwCustomRichEdit::TwwCustomRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner),
      FWwLines(std::make_unique<TwwRichEditStrings>(*this)),
      FPrintJobName(Application().Title()) {
    CompatibilitySwitches.fill(false);
    CompatibilitySwitches[5] = int32_t{0};
    FFindDialog = new TFindDialog(this);
    FReplaceDialog = new TReplaceDialog(this);
    for (TFindDialog* dialog : {FFindDialog, static_cast<TFindDialog*>(FReplaceDialog)}) {
        dialog->SetOptions({frHideUpDown, frReplace, frReplaceAll});
        dialog->OnFind = [this, dialog](TObject*) {
            FLastSearchText = dialog->FindText();
            FFindDialog->SetFindText(FLastSearchText);
            DoFindNext(*dialog);
        };
        dialog->OnClose = [this, dialog](TObject*) { SearchDialogClosed(*dialog); };
    }
    FReplaceDialog->OnReplace = [this](TObject*) {
        FLastSearchText = FReplaceDialog->FindText();
        DoReplace(*FReplaceDialog);
    };
}

TwwCustomRichEdit::~TwwCustomRichEdit() {
    // The dialogs outlive this part of the control (its owner frees them later): one still
    // showing must not call back into it.
    for (TFindDialog* dialog : {FFindDialog, static_cast<TFindDialog*>(FReplaceDialog)}) {
        dialog->OnFind = nullptr;
        dialog->OnClose = nullptr;
    }
    FReplaceDialog->OnReplace = nullptr;
}

void TwwCustomRichEdit::SetLines(const TStrings& Value) {
    TCustomRichEdit::Lines().Assign(&Value);
}

bool TwwCustomRichEdit::Switch(TSwitch Which) const {
    const auto& entry = CompatibilitySwitches.at(Which);
    if (const bool* on = std::get_if<bool>(&entry)) return *on;
    return std::get<int32_t>(entry) != 0;
}

std::string TwwCustomRichEdit::WindowClassName() const {
    // This platform always offers the version 2 class.
    return wwRichEditClassName(FRichEditVersion, true, Switch(Version1Class));
}

void TwwCustomRichEdit::SetOleOptions(TwwRichEditOleOptions Value) {
    if (FOleOptions == Value) return;
    FOleOptions = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TwwCustomRichEdit::CreateParams(TCreateParams& Params) {
    TCustomRichEdit::CreateParams(Params);
    Params.WinClassName = WindowClassName();
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TwwCustomRichEdit::CreateWnd() {
    FLastFormatRect = TRect{};
    FLayoutDone = false;
    TCustomRichEdit::CreateWnd();
    if (FAutoURLDetect) {
        SetAutoUrlDetect(true);
        SetEventMask(EventMask() | ENM_LINK);
    }
}

void TwwCustomRichEdit::DefaultHandler(TMessage& Message) {
    // A press that is not on a link ends any press that was; a release always does, so a drag
    // that merely ends on a link never opens it.
    if (IsLeftPress(Message.Msg)) FLinkButtonDown = false;
    const std::weak_ptr<const void> life = LifeToken();
    TCustomRichEdit::DefaultHandler(Message);
    if (Message.Msg == WM_LBUTTONUP && !life.expired()) FLinkButtonDown = false;
}

void TwwCustomRichEdit::SelectionChange() {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomRichEdit::SelectionChange();
    if (!life.expired() && FEditWidth == rewWindowSize && Focused()) LayoutText();
}

void TwwCustomRichEdit::Paint() {
    if (!FLayoutDone) LayoutText();
    TCustomRichEdit::Paint();
}

void TwwCustomRichEdit::Resize() {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomRichEdit::Resize();
    if (!life.expired()) LayoutText();
}

TwwDBRichEdit::TwwDBRichEdit(TComponent* AOwner) : TwwCustomRichEdit(AOwner) {
    FOleOptions = {reoAdjustPopupMenu};
    FLeftInset = 3;
}

}  // namespace vex
