#include <cstdint>
#include <string>

#include "dataaware/richedit/wwrichdata.h"
#include "dataaware/richedit/wwriched.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/gfx/cursors.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/ui/screen.h"
#include "platform/win/windowclass.h"

namespace vex {

void TwwCustomRichEdit::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "RichEditVersion", [this](TReader& Reader) { ReadVersion(Reader); },
        [](TWriter& Writer) { Writer.WriteInteger(2); }, true);
    TCustomRichEdit::DefineProperties(Filer);
    // No data field can supply the document yet, so the form always keeps it.
    Filer.DefineProperty(
        "Data", [this](TReader& Reader) { ReadData(Reader); },
        [this](TWriter& Writer) { WriteData(Writer); }, true);
}

void TwwCustomRichEdit::ReadVersion(TReader& Reader) {
    FRichEditVersion = Reader.ReadInteger();
    MatchWindowClass();
}

void TwwCustomRichEdit::MatchWindowClass() {
    // Loading starts from version 1, so the window is made again only when it is of the wrong
    // class for the version read.
    if (HandleAllocated() && GetClassName(Handle()) != WindowClassName()) RecreateWnd();
}

void TwwCustomRichEdit::ReadData(TReader& Reader) {
    const std::string document = wwDecodeRichData(Reader.ReadBinary());
    SetPlainText(false);
    if (!document.empty()) {
        TStringStream stream(document);
        TCustomRichEdit::Lines().LoadFromStream(stream);
    }
    FDataRead = true;
}

void TwwCustomRichEdit::WriteData(TWriter& Writer) {
    Writer.WriteBinary(wwEncodeRichData(StreamOut(PlainText() ? SF_TEXT : SF_RTF)));
}

void TwwCustomRichEdit::ReadState(TReader& Reader) {
    const int32_t version = FRichEditVersion;
    FRichEditVersion = 1;
    try {
        ReadStoredProperties(Reader);
    } catch (...) {
        // A read that fails leaves the control of the version it was, in a window of its class.
        FRichEditVersion = version;
        MatchWindowClass();
        throw;
    }
}

void TwwCustomRichEdit::ReadStoredProperties(TReader& Reader) {
    if (IsBound()) {
        Reader.ReadProperties(*this);
        return;
    }
    const TScreenCursorGuard hourGlass(crHourGlass);
    FDataRead = false;
    // Plain-text mode drops the formats, so a read that fails puts the document back as it was.
    const bool wasPlain = PlainText();
    const std::string before = StreamOut(SF_RTF);
    // Lines stored without a Data block are plain text; they become the rich document after.
    SetPlainText(true);
    try {
        Reader.ReadProperties(*this);
    } catch (...) {
        SetPlainText(false);
        StreamIn(before, SF_RTF);
        SetPlainText(wasPlain);
        throw;
    }
    if (FDataRead) return;
    const std::string text = StreamOut(SF_TEXT);
    SetPlainText(false);
    StreamIn(text, SF_TEXT);
}

void TwwCustomRichEdit::ReadFromStream(TStream& Stream, bool IntoSelection) {
    const std::string bytes = ReadRestOf(Stream);
    const uint32_t format = !PlainText() && LooksLikeRtf(bytes) ? SF_RTF : SF_TEXT;
    StreamIn(bytes, IntoSelection ? format | SFF_SELECTION : format);
}

}  // namespace vex
