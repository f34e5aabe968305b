// Feeds arbitrary bytes to the RTF reader behind the rich-text engine: it must refuse what is
// not RTF with ERtfError and read the rest within its caps, never crash or read past the bytes;
// what it read must write out as RTF that reads back to the same text and formats.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/rich/richdocument.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/rtfreader.h"
#include "platform/rich/rtfwriter.h"

namespace {

void ReadInto(vex::TRichDocument& Document, std::string_view Rtf) {
    vex::TRtfLimits limits;
    limits.MaxText = 1 << 20;
    vex::TRtfReader reader(Document, limits);
    const vex::TRichFragment piece = reader.ReadDocument(Rtf);
    Document.Replace(0, 0, piece);
    Document.SetParagraphFormat(Document.ParagraphCount() - 1, piece.Paragraphs.back().Format);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    vex::TRichDocument document;
    try {
        ReadInto(document, std::string_view(reinterpret_cast<const char*>(Data), Size));
    } catch (const vex::ERtfError&) {
        return 0;
    }
    vex::TRichDocument again;
    ReadInto(again, vex::WriteRtf(document));
    if (!again.SameContent(document)) __builtin_trap();
    return 0;
}
