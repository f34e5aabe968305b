#include <algorithm>
#include <cstdint>

#include "dataaware/intl/Wwintl.h"
#include "dataaware/richedit/wwriched.h"
#include "platform/core/exceptions.h"
#include "platform/rich/richfind.h"
#include "platform/ui/finddialog.h"
#include "platform/ui/form.h"
#include "platform/ui/messagedialog.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

bool Shows(const TFindDialog& Dialog) {
    return Dialog.Form() != nullptr && Dialog.Form()->Visible();
}

}  // namespace

// The search on the control itself, a step at a time, so that each find and replace is seen
// and told as the user's own would be. A handler that frees the control ends the search.
class TwwCustomRichEdit::TDialogSearch : public TwwSearchTarget {
public:
    explicit TDialogSearch(TwwCustomRichEdit& Edit) : FEdit(Edit), FLife(Edit.LifeToken()) {}

    int32_t Find(const std::string& Text, int32_t Start, uint32_t Options) override {
        return FEdit.FindText(Text, Start, -1, Options | FR_DOWN);
    }
    int32_t SelStart() const override { return FEdit.SelStart(); }
    int32_t SelLength() const override { return FEdit.SelLength(); }
    void Select(int32_t Start, int32_t Length) override {
        FEdit.SetSelection({Start, Start + Length});
        StillThere();
    }
    void ReplaceSelection(const std::string& Text) override {
        FEdit.SetSelText(Text);
        StillThere();
    }

private:
    void StillThere() const {
        if (FLife.expired()) throw EAbort("");
    }

    TwwCustomRichEdit& FEdit;
    std::weak_ptr<const void> FLife;
};

int32_t TwwCustomRichEdit::FindText(const std::string& Text, int32_t Start, int32_t End,
                                    uint32_t Options) {
    if (!Switch(SearchEitherWay)) Options |= FR_DOWN;
    return TCustomRichEdit::FindText(Text, Start, End, Options);
}

int32_t TwwCustomRichEdit::FindText(const std::string& SearchStr, int32_t StartPos, int32_t Length,
                                    TSearchTypes Options) {
    uint32_t flags = FR_DOWN;
    if (Options.Contains(stWholeWord)) flags |= FR_WHOLEWORD;
    if (Options.Contains(stMatchCase)) flags |= FR_MATCHCASE;
    const int64_t end = std::clamp<int64_t>(int64_t{StartPos} + std::max(Length, 0), 0, INT32_MAX);
    return FindText(SearchStr, StartPos, static_cast<int32_t>(end), flags);
}

void TwwCustomRichEdit::ShowFindDialog() {
    ShowSearchDialog(*FFindDialog);
}

void TwwCustomRichEdit::ShowReplaceDialog() {
    ShowSearchDialog(*FReplaceDialog);
}

void TwwCustomRichEdit::ShowSearchDialog(TFindDialog& Dialog) {
    const std::string selected = SelText();
    // Over a paragraph end, or a line break inside a paragraph (a table cell's lines are apart
    // by one), a selection is more than one line.
    const bool oneLine = selected.find_first_of("\r\v") == std::string::npos;
    Dialog.SetFindText(!selected.empty() && oneLine ? selected : FLastSearchText);
    FSearch = TwwSearchState{SelStart(), false};
    // While a dialog shows, HideSelection is the one it set: the value to restore stays kept.
    if (!Shows(*FFindDialog) && !Shows(*FReplaceDialog)) FKeptHideSelection = HideSelection();
    SetHideSelection(false);
    Dialog.Execute();
}

void TwwCustomRichEdit::SearchDialogClosed(const TFindDialog& Dialog) {
    const TFindDialog& other =
        &Dialog == FFindDialog ? static_cast<const TFindDialog&>(*FReplaceDialog) : *FFindDialog;
    if (!Shows(other)) SetHideSelection(FKeptHideSelection);
}

void TwwCustomRichEdit::DoFindNext(TFindDialog& Dialog) {
    Search(Dialog, TwwSearchRequest{});
}

void TwwCustomRichEdit::DoReplace(TReplaceDialog& Dialog) {
    TwwSearchRequest request;
    request.Replace = true;
    request.ReplaceAll = Dialog.Options().Contains(frReplaceAll);
    request.Replacement = Dialog.ReplaceText();
    Search(Dialog, request);
}

void TwwCustomRichEdit::Search(TFindDialog& Dialog, TwwSearchRequest Request) {
    Request.Text = Dialog.FindText();
    if (Dialog.Options().Contains(frWholeWord)) Request.Options |= FR_WHOLEWORD;
    if (Dialog.Options().Contains(frMatchCase)) Request.Options |= FR_MATCHCASE;
    // Replacing is the user's edit, which a read-only control refuses.
    if (Request.Replace && ReadOnly()) {
        MessageBeep(0);
        return;
    }
    // The message waits until the text shows what the search did.
    bool noMore = false;
    const auto told = [&noMore] { noMore = true; };
    if (Request.ReplaceAll) {
        // One edit of the document: the view and the notices follow once, at the end.
        if (wwReplaceAll(Engine(), FSearch, Request, told) > 0) {
            if (!EngineEdited()) return;
        } else {
            const std::weak_ptr<const void> life = LifeToken();
            SetSelection({Engine().SelStart(), Engine().SelStart() + Engine().SelLength()});
            if (life.expired()) return;
            ScrollCaret();
        }
    } else {
        TDialogSearch target(*this);
        wwSearch(target, FSearch, Request, told);
    }
    if (noMore) NoMoreMatches();
}

void TwwCustomRichEdit::NoMoreMatches() {
    const std::string text = wwGlobalIntl != nullptr
                                 ? wwGlobalIntl->UserMessages()->LocateNoMoreMatches
                                 : TwwUserMessagesIntl().LocateNoMoreMatches;
    MessageDlg(text, mtInformation, {mbOK}, 0);
}

}  // namespace vex
