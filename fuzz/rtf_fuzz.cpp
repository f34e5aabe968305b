// Feeds arbitrary bytes to the RTF reader behind the rich-text engine: it must refuse what is
// not RTF with ERtfError and read the rest within its caps, never crash or read past the bytes;
// what it read must write out as RTF that reads back to the same text and formats; and it must
// lay out at any width, with lines that cover the text in order, paint, and follow an edit.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/rich/richdocument.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richpaint.h"
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

// Laying out is linear in the text; past this many characters a run would take long enough to
// slow the search for inputs more than it finds.
constexpr int32_t MaxLaidOut = 1 << 16;

void LayOutAndPaint(vex::TRichDocument& Document) {
    if (Document.Length() > MaxLaidOut)
        Document.Replace(MaxLaidOut, Document.Length() - MaxLaidOut, vex::TRichFragment{});
    vex::TBitmap bitmap;
    bitmap.SetSize(64, 64);
    vex::TCanvas canvas(bitmap);
    vex::TRichLayout layout(Document);
    for (int32_t width : {0, 1, 300}) {
        layout.SetWrapWidth(width);
        int32_t next = 0;
        for (int32_t i = 0; i < layout.LineCount(); ++i) {
            const vex::TRichLineInfo line = layout.Line(i);
            if (line.Start != next || line.Length < 0) __builtin_trap();
            next = line.Start + line.Length + (line.EndsParagraph ? 1 : 0);
        }
        if (next != Document.Length() + 1) __builtin_trap();
        // Characters of no width share their place, so a hit test finds the place, not always
        // the same position.
        const int32_t middle = Document.Length() / 2;
        const vex::TPoint place = layout.PosFromChar(middle);
        if (!(layout.PosFromChar(layout.CharFromPos(place)) == place)) __builtin_trap();
        vex::TRichPaintOptions options;
        options.ShowSelection = true;
        options.SelEnd = middle;
        vex::PaintRichLines(canvas, layout, vex::Point(0, 0), 0, layout.LineCount() - 1, options);
    }
    // An edit lays out only what it touched, and that must come to what a fresh layout finds.
    Document.Replace(Document.Length() / 3, Document.Length() / 3,
                     vex::PlainTextFragment("new\rpara\rgraphs", Document.DefaultCharFormat(), 0));
    vex::TRichLayout fresh(Document);
    fresh.SetWrapWidth(layout.WrapWidth());
    if (layout.LineCount() != fresh.LineCount() || layout.Height() != fresh.Height())
        __builtin_trap();
    for (int32_t i = 0; i < layout.LineCount(); ++i) {
        const vex::TRichLineInfo a = layout.Line(i), b = fresh.Line(i);
        if (a.Start != b.Start || a.Length != b.Length || a.Top != b.Top || a.Left != b.Left)
            __builtin_trap();
    }
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
    LayOutAndPaint(document);
    return 0;
}
