#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richfind.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfwriter.h"

namespace vex {

void TCustomRichEdit::StreamIn(std::string_view Bytes, uint32_t Format) {
    const bool selection = (Format & SFF_SELECTION) != 0;
    FView->Editing = true;
    try {
        if ((Format & SF_RTF) != 0)
            LoadRtf(FEngine, Bytes, selection);
        else
            LoadPlainText(FEngine, Bytes, selection);
    } catch (...) {
        FView->Editing = false;
        FView->DirtyFirst = -1;
        throw;
    }
    if (!selection) FEngine.SetSel(0, 0);
    AfterEdit(!selection);
}

std::string TCustomRichEdit::StreamOut(uint32_t Format) const {
    const TRichDocument& document = FEngine.Document();
    const bool selection = (Format & SFF_SELECTION) != 0;
    const int32_t start = selection ? FEngine.SelStart() : 0;
    const int32_t count = selection ? FEngine.SelLength() : FEngine.TextLength();
    if ((Format & SF_RTF) != 0) return WriteRtf(document, start, count);
    return PlainTextOf(document, start, count);
}

int32_t TCustomRichEdit::FindText(const std::string& Text, int32_t Start, int32_t End,
                                  uint32_t Options) {
    return vex::FindText(FEngine.Document(), Text, Start, End, Options);
}

int32_t TCustomRichEdit::FormatRange(const TFormatRange* Range, bool Render) {
    if (Range == nullptr) {
        FView->Formatter.Release();
        return 0;
    }
    return FView->Formatter.Format(*Range, Render, AutoUrlDetect() ? &FView->Links : nullptr);
}

}  // namespace vex
