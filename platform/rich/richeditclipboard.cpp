#include <cstring>
#include <memory>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/ui/editmessages.h"
#include "platform/win/clipboard.h"

namespace vex {

namespace {

UINT RtfFormat() {
    return RegisterClipboardFormat(CF_RTF);
}

// What a paste offers, read off the clipboard while it was open.
class TPastedData : public IRichDataObject {
public:
    std::vector<UINT> Formats() const override {
        std::vector<UINT> formats;
        if (Rtf) formats.push_back(RtfFormat());
        if (Text) formats.push_back(CF_TEXT);
        return formats;
    }
    std::optional<std::string> GetData(UINT Format) const override {
        if (Format == CF_TEXT) return Text;
        if (Format == RtfFormat()) return Rtf;
        return std::nullopt;
    }

    std::optional<std::string> Rtf;
    std::optional<std::string> Text;
};

// The first Count characters of Text, a CR LF pair counting as one, as paragraph ends do.
std::string_view FirstCharacters(std::string_view Text, int64_t Count) {
    size_t at = 0;
    for (; at < Text.size() && Count > 0; --Count)
        at += Text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
    return Text.substr(0, at);
}

// The first Count characters of Piece.
TRichFragment FirstCharacters(const TRichFragment& Piece, int64_t Count) {
    TRichFragment cut;
    cut.Paragraphs.clear();
    for (const TRichParagraph& paragraph : Piece.Paragraphs) {
        if (Count <= paragraph.Length()) {
            cut.Paragraphs.push_back(paragraph.Slice(0, static_cast<int32_t>(Count)));
            return cut;
        }
        cut.Paragraphs.push_back(paragraph);
        Count -= paragraph.Length() + 1;  // with its end
    }
    return cut;
}

}  // namespace

bool TCustomRichEdit::PutOnClipboard(uint32_t Reason) {
    const TCharRange range = GetSelection();
    std::unique_ptr<IRichDataObject> offered;
    const std::weak_ptr<const void> life = LifeToken();
    const HRESULT answer = CallBack(
        [&](IRichEditOleCallback& C) { return C.GetClipboardData(range, Reason, offered); });
    if (life.expired()) return false;
    const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
    if (!clipboard.Open()) return false;
    EmptyClipboard();
    if (answer == S_OK && offered != nullptr) {
        for (const UINT format : offered->Formats())
            if (std::optional<std::string> data = offered->GetData(format))
                SetClipboardData(format, std::move(*data));
    } else {
        // The richest first, as readers take the first format they know.
        SetClipboardData(RtfFormat(), StreamOut(SF_RTF | SFF_SELECTION));
        SetClipboardData(CF_TEXT, SelText());
    }
    FView->ClipboardObjects = ObjectsIn(range.CpMin, range.CpMax - range.CpMin);
    FView->ClipboardChars = range.CpMax - range.CpMin - FView->ClipboardObjects;
    return true;
}

void TCustomRichEdit::CopyToClipboard() {
    if (FEngine.SelLength() > 0) PutOnClipboard(RECO_COPY);
}

void TCustomRichEdit::CutToClipboard() {
    RunAction(TEditAction::Cut, false, TMessage{WM_CUT, 0, 0, 0});
}

void TCustomRichEdit::PasteFromClipboard() {
    RunAction(TEditAction::Paste, false, TMessage{WM_PASTE, 0, 0, 0});
}

bool TCustomRichEdit::CanPaste() const {
    return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(RtfFormat());
}

bool TCustomRichEdit::PasteNative(const TMessage& Cause) {
    if (FReadOnly) return false;
    TPastedData pasted;
    // Another program's data come through the message loop, whose handlers may free us.
    const std::weak_ptr<const void> life = LifeToken();
    {
        const TOpenClipboard clipboard(HandleAllocated() ? Handle() : 0);
        if (!clipboard.Open()) return false;
        if (const std::string* rtf = GetClipboardData(RtfFormat())) pasted.Rtf = *rtf;
        // CF_TEXT ends at its first NUL.
        if (const std::string* text = GetClipboardData(CF_TEXT))
            pasted.Text = std::string(text->data(), strnlen(text->data(), text->size()));
    }
    if (life.expired() || (!pasted.Rtf && !pasted.Text)) return false;
    bool rich = pasted.Rtf.has_value();
    if (FOleCallback != nullptr) {
        const HRESULT answer = CallBack(
            [&](IRichEditOleCallback& C) { return C.QueryAcceptData(pasted, RECO_PASTE, true); });
        if (life.expired() || FAILED(answer)) return false;
        if (answer == S_FALSE) rich = false;
    }
    TRichFragment piece;
    if (rich) {
        try {
            piece = TRtfReader(FEngine.Document()).Read(*pasted.Rtf);
        } catch (const ERtfError&) {
            rich = false;  // not RTF after all: its text, as it stands
        }
    }
    if (!rich) {
        if (!pasted.Text) pasted.Text = RtfToPlainText(*pasted.Rtf);
        piece = PlainTextFragment(*pasted.Text, 0, 0);
    }
    const int32_t start = FEngine.SelStart();
    const int32_t length = FEngine.SelLength();
    int64_t inserted = piece.Length();
    if (!UserMayReplace(start, length, inserted, Cause)) return false;
    if (!ObjectsLeaving(start, length)) return false;
    FView->Editing = true;
    if (rich)
        FEngine.ReplaceSelection(FirstCharacters(piece, inserted));
    else
        // Plain text takes the format typing would.
        FEngine.ReplaceSelection(FirstCharacters(*pasted.Text, inserted));
    return AfterEdit(false);
}

}  // namespace vex
