// Feeds arbitrary bytes to the RTF reader with embedded objects of the sample kind allowed:
// whatever the object groups hold, what is read must write out and read back with the same
// text, formats and object data, and read without objects it must keep every position, each
// object's place taken by one character.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rich/richdocument.h"
#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/rtfreader.h"
#include "platform/rich/rtfwriter.h"

namespace {

void ReadInto(vex::TRichDocument& Document, std::string_view Rtf,
              const vex::TRichObjectKinds* Kinds) {
    vex::TRtfLimits limits;
    limits.MaxText = 1 << 20;
    limits.MaxObjectData = 1 << 16;
    vex::TRtfReader reader(Document, limits);
    reader.SetObjectKinds(Kinds);
    const vex::TRichFragment piece = reader.ReadDocument(Rtf);
    Document.Replace(0, 0, piece);
    Document.SetParagraphFormat(Document.ParagraphCount() - 1, piece.Paragraphs.back().Format);
}

// The data each object run's object saves, in order.
std::string ObjectData(const vex::TRichDocument& Document) {
    std::string data;
    for (int32_t i = 0; i < Document.ParagraphCount(); ++i)
        for (const vex::TRichRun& run : Document.Paragraph(i).Runs)
            if (run.Object != 0) data += Document.Object(run.Object)->Save() + '\0';
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const vex::TRichObjectKinds kinds = vex::test::BoxObjectKinds();
    vex::TRichDocument document;
    try {
        ReadInto(document, std::string_view(reinterpret_cast<const char*>(Data), Size), &kinds);
    } catch (const vex::ERtfError&) {
        return 0;
    }
    const std::string rtf = vex::WriteRtf(document);
    vex::TRichDocument again;
    ReadInto(again, rtf, &kinds);
    if (!again.SameContent(document) || ObjectData(again) != ObjectData(document)) __builtin_trap();
    vex::TRichDocument without;
    ReadInto(without, rtf, nullptr);
    if (without.Text() != document.Text()) __builtin_trap();
    return 0;
}
