#include "platform/rich/rtfwriter.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/rich/richdocument.h"

namespace vex {

namespace {

using TFontKey = std::tuple<std::string, uint8_t, uint8_t>;  // face, character set, pitch

void AppendHex(std::string& Out, unsigned char Byte) {
    static constexpr char hex[] = "0123456789abcdef";
    Out.push_back(hex[Byte >> 4]);
    Out.push_back(hex[Byte & 15]);
}

// What the reader starts every document with, and so what the first run is written against.
struct TWrittenFormat {
    int32_t Font = 0;
    int32_t HalfPoints = 24;
    int32_t Color = 0;
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false, Protected = false;
};

class TRtfWriter {
public:
    TRtfWriter(const TRichDocument& Document, int32_t Start, int32_t Count, bool Whole);
    std::string Write();

private:
    void CollectTables();
    void Word(std::string_view Name);
    void Word(std::string_view Name, int64_t Value);
    void Flag(bool Now, bool& Was, std::string_view On, std::string_view Off);
    // A name in the font table escapes the semicolon that would end it.
    void Text(std::string_view Chars, bool Name = false);
    void WriteFontTable();
    void WriteColorTable();
    void WriteRowDefinition(const TRichParaFormat& Format);
    void WriteParagraphFormat(const TRichParaFormat& Format);
    void WriteCharFormat(const TRichCharFormat& Format);
    void WriteParagraph(const TRichParagraph& Paragraph, int32_t From, int32_t To);
    void WriteObject(const IRichObject& Object);
    template <typename TVisit>
    void ForEachPart(TVisit Visit) const;

    const TRichDocument& FDocument;
    int32_t FStart, FCount;
    bool FWhole;
    std::string FOut;
    bool FNeedSpace = false;  // a control word was written last and text follows
    std::map<TFontKey, int32_t> FFontIndex;
    std::vector<TFontKey> FFonts;
    std::map<uint32_t, int32_t> FColorIndex;
    std::vector<uint32_t> FColors;
    int32_t FSymbolFont = -1;
    TWrittenFormat FWritten;
    bool FInRow = false;  // the paragraph being written is a table row
};

TRtfWriter::TRtfWriter(const TRichDocument& Document, int32_t Start, int32_t Count, bool Whole)
    : FDocument(Document), FStart(Start), FCount(Count), FWhole(Whole) {
    Document.Clamp(FStart, FCount);
}

// Calls Visit(paragraph, from, to, last) for each paragraph the range touches.
template <typename TVisit>
void TRtfWriter::ForEachPart(TVisit Visit) const {
    int32_t firstOffset = 0, lastOffset = 0;
    const int32_t first = FDocument.Locate(FStart, firstOffset);
    const int32_t last = FDocument.Locate(FStart + FCount, lastOffset);
    for (int32_t i = first; i <= last; ++i) {
        const TRichParagraph& paragraph = FDocument.Paragraph(i);
        Visit(paragraph, i == first ? firstOffset : 0, i == last ? lastOffset : paragraph.Length(),
              i == last);
    }
}

void TRtfWriter::CollectTables() {
    auto addFont = [&](const TRichCharFormat& Format) {
        const TFontKey key{Format.Face, Format.Charset, Format.Pitch};
        if (FFontIndex.emplace(key, static_cast<int32_t>(FFonts.size())).second)
            FFonts.push_back(key);
    };
    bool bullets = false;
    ForEachPart([&](const TRichParagraph& Paragraph, int32_t From, int32_t To, bool) {
        bullets |= FDocument.ParaFormats()[Paragraph.Format].Numbering == PFN_BULLET;
        int32_t at = 0;
        for (const TRichRun& run : Paragraph.Runs) {
            if (at + run.Length > From && at < To) {
                const TRichCharFormat& format = FDocument.CharFormats()[run.Format];
                addFont(format);
                if (!format.AutoColor &&
                    FColorIndex.emplace(format.Color, FColors.size() + 1).second)
                    FColors.push_back(format.Color);
            }
            at += run.Length;
        }
    });
    if (FFonts.empty()) addFont(FDocument.CharFormats()[FDocument.DefaultCharFormat()]);
    if (bullets) {
        FSymbolFont = static_cast<int32_t>(FFonts.size());
        FFonts.emplace_back("Symbol", SYMBOL_CHARSET, 0);
    }
}

void TRtfWriter::Word(std::string_view Name) {
    FOut.push_back('\\');
    FOut.append(Name);
    FNeedSpace = true;
}

void TRtfWriter::Word(std::string_view Name, int64_t Value) {
    Word(Name);
    FOut.append(std::to_string(Value));
}

void TRtfWriter::Flag(bool Now, bool& Was, std::string_view On, std::string_view Off) {
    if (Now == Was) return;
    Word(Now ? On : Off);
    Was = Now;
}

void TRtfWriter::Text(std::string_view Chars, bool Name) {
    size_t at = 0;
    while (at < Chars.size()) {
        size_t plain = at;
        while (plain < Chars.size()) {
            const auto c = static_cast<unsigned char>(Chars[plain]);
            if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}' || (Name && c == ';'))
                break;
            ++plain;
        }
        if (plain > at) {
            if (FNeedSpace) FOut.push_back(' ');
            FOut.append(Chars.substr(at, plain - at));
            FNeedSpace = false;
            at = plain;
            continue;
        }
        const auto c = static_cast<unsigned char>(Chars[at++]);
        if (c == '\t' && !Name) {  // the font table reads no \tab
            Word(FInRow ? "cell" : "tab");
        } else if (c == RichCellBreak && FInRow) {
            Word("line");
        } else if (c == '\\' || c == '{' || c == '}') {
            FOut.push_back('\\');
            FOut.push_back(static_cast<char>(c));
            FNeedSpace = false;
        } else {
            FOut.append("\\'");
            AppendHex(FOut, c);
            FNeedSpace = false;
        }
    }
}

void TRtfWriter::WriteFontTable() {
    FOut.append("{\\fonttbl");
    for (size_t i = 0; i < FFonts.size(); ++i) {
        const auto& [face, charset, pitch] = FFonts[i];
        FOut.append("{");
        Word("f", static_cast<int64_t>(i));
        Word("fnil");
        Word("fcharset", charset);
        if (pitch != 0) Word("fprq", pitch);
        Text(face, true);
        FOut.append(";}");
        FNeedSpace = false;
    }
    FOut.append("}");
}

void TRtfWriter::WriteColorTable() {
    if (FColors.empty()) return;
    FOut.append("{\\colortbl ;");
    for (uint32_t color : FColors) {
        Word("red", color & 0xFF);
        Word("green", color >> 8 & 0xFF);
        Word("blue", color >> 16 & 0xFF);
        FOut.push_back(';');
    }
    FOut.append("}");
    FNeedSpace = false;
}

void TRtfWriter::WriteRowDefinition(const TRichParaFormat& Format) {
    static constexpr std::pair<uint8_t, std::string_view> Sides[] = {{CellBorderLeft, "clbrdrl"},
                                                                     {CellBorderTop, "clbrdrt"},
                                                                     {CellBorderRight, "clbrdrr"},
                                                                     {CellBorderBottom, "clbrdrb"}};
    Word("trowd");
    Word("trgaph", Format.CellGap);
    if (Format.RowLeft != 0) Word("trleft", Format.RowLeft);
    for (const TRichCell& cell : Format.Cells) {
        for (const auto& [side, name] : Sides)
            if ((cell.Borders & side) != 0) {
                Word(name);
                Word("brdrs");
                Word("brdrw10");
            }
        Word("cellx", cell.Right);
    }
}

void TRtfWriter::WriteParagraphFormat(const TRichParaFormat& Format) {
    if (Format.IsRow()) WriteRowDefinition(Format);
    Word("pard");
    if (Format.IsRow()) Word("intbl");
    if (Format.Alignment == PFA_RIGHT) Word("qr");
    if (Format.Alignment == PFA_CENTER) Word("qc");
    if (Format.Alignment == PFA_JUSTIFY) Word("qj");
    if (Format.Offset != 0) Word("fi", -int64_t{Format.Offset});
    const int64_t left = int64_t{Format.StartIndent} + Format.Offset;
    if (left != 0) Word("li", left);
    if (Format.RightIndent != 0) Word("ri", Format.RightIndent);
    if (Format.SpaceBefore != 0) Word("sb", Format.SpaceBefore);
    if (Format.SpaceAfter != 0) Word("sa", Format.SpaceAfter);
    switch (Format.LineSpacingRule) {
        case 1:
            Word("sl", 360);
            Word("slmult", 1);
            break;
        case 2:
            Word("sl", 480);
            Word("slmult", 1);
            break;
        case 3:
            Word("sl", Format.LineSpacing);
            Word("slmult", 0);
            break;
        case 4:
            Word("sl", -int64_t{Format.LineSpacing});
            Word("slmult", 0);
            break;
        case 5:
            Word("sl", int64_t{Format.LineSpacing} * 12);
            Word("slmult", 1);
            break;
        default:
            break;
    }
    for (int32_t tab : Format.Tabs)
        Word("tx", tab);
    if (Format.Numbering == PFN_BULLET) {
        FOut.append("{\\pntext");
        Word("f", FSymbolFont);
        FOut.append("\\'b7\\tab}{\\*\\pn\\pnlvlblt");
        Word("pnf", FSymbolFont);
        Word("pnindent", 0);
        FOut.append("{\\pntxtb\\'b7}}");
        FNeedSpace = false;
    }
}

void TRtfWriter::WriteCharFormat(const TRichCharFormat& Format) {
    const int32_t font = FFontIndex.at({Format.Face, Format.Charset, Format.Pitch});
    if (font != FWritten.Font) Word("f", FWritten.Font = font);
    const int32_t halfPoints = (Format.Size + 5) / 10;
    if (halfPoints != FWritten.HalfPoints) Word("fs", FWritten.HalfPoints = halfPoints);
    const int32_t color = Format.AutoColor ? 0 : FColorIndex.at(Format.Color);
    if (color != FWritten.Color) Word("cf", FWritten.Color = color);
    Flag(Format.Bold, FWritten.Bold, "b", "b0");
    Flag(Format.Italic, FWritten.Italic, "i", "i0");
    Flag(Format.Underline, FWritten.Underline, "ul", "ulnone");
    Flag(Format.StrikeOut, FWritten.StrikeOut, "strike", "strike0");
    Flag(Format.Protected, FWritten.Protected, "protect", "protect0");
}

void TRtfWriter::WriteParagraph(const TRichParagraph& Paragraph, int32_t From, int32_t To) {
    const TRichParaFormat& format = FDocument.ParaFormats()[Paragraph.Format];
    WriteParagraphFormat(format);
    FInRow = format.IsRow();
    int32_t at = 0;
    for (const TRichRun& run : Paragraph.Runs) {
        const int32_t begin = std::max(at, From), end = std::min(at + run.Length, To);
        if (begin < end) {
            WriteCharFormat(FDocument.CharFormats()[run.Format]);
            if (const IRichObject* object = FDocument.Object(run.Object))
                WriteObject(*object);
            else
                Text(std::string_view(Paragraph.Text).substr(begin, end - begin));
        }
        at += run.Length;
    }
}

// The object's data goes as hex in \objdata, in lines a person can page through; its result is
// the blank that stands for it in the text, so that a reader that makes no object keeps every
// position after it.
void TRtfWriter::WriteObject(const IRichObject& Object) {
    static constexpr size_t BytesPerLine = 64;
    const TSize extent = Object.Extent();
    FOut.append("{\\object\\objemb{\\*\\objclass");
    FNeedSpace = true;
    Text(Object.ClassName());
    FOut.append("}");
    Word("objw", extent.cx);
    Word("objh", extent.cy);
    FOut.append("{\\*\\objdata");
    const std::string data = Object.Save();
    for (size_t at = 0; at < data.size(); ++at) {
        if (at % BytesPerLine == 0) FOut.append("\r\n");
        AppendHex(FOut, static_cast<unsigned char>(data[at]));
    }
    FOut.append("}{\\result");
    FNeedSpace = true;
    Text(std::string(1, RichObjectChar));
    FOut.append("}}");
    FNeedSpace = false;
}

std::string TRtfWriter::Write() {
    CollectTables();
    FOut.reserve(static_cast<size_t>(FCount) + FCount / 8 + 256);
    FOut.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033");
    WriteFontTable();
    WriteColorTable();
    FOut.append("\r\n");
    Word("viewkind", 4);
    Word("uc", 1);
    ForEachPart([&](const TRichParagraph& Paragraph, int32_t From, int32_t To, bool Last) {
        WriteParagraph(Paragraph, From, To);
        if (Last && !FWhole) return;
        Word(FInRow ? "row" : "par");
        FOut.append("\r\n");
        FNeedSpace = false;
    });
    FOut.append("}");
    return std::move(FOut);
}

}  // namespace

std::string WriteRtf(const TRichDocument& Document) {
    return TRtfWriter(Document, 0, Document.Length(), true).Write();
}

std::string WriteRtf(const TRichDocument& Document, int32_t Start, int32_t Count) {
    return TRtfWriter(Document, Start, Count, false).Write();
}

}  // namespace vex
