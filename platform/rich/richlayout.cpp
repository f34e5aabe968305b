#include "platform/rich/richlayout.h"

#include <algorithm>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/rich/richlayoutparagraph.h"

namespace vex {

namespace {

void CheckLineIndex(int32_t Index, int32_t Count) {
    if (Index < 0 || Index >= Count)
        throw ERangeError("Line index out of bounds (" + std::to_string(Index) + ")");
}

}  // namespace

class TRichLayout::TImpl : public TRichDocumentListener {
public:
    TImpl(const TRichDocument& Document, int32_t PixelsPerInch)
        : FDocument(Document), FFonts(Document.CharFormats(), PixelsPerInch) {
        // Listening reads the document; it changes nothing in it.
        const_cast<TRichDocument&>(FDocument).AddListener(this);
        FParagraphs.resize(Document.ParagraphCount());
    }
    ~TImpl() override { const_cast<TRichDocument&>(FDocument).RemoveListener(this); }

    void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) override {
        if (Removed == Inserted) {
            for (int32_t i = First; i < First + Removed; ++i) {
                TEntry& entry = FParagraphs.at(i);
                if (entry.Valid) FChanged.push_back(i);
                entry.Valid = false;
            }
            return;
        }
        const auto first = FParagraphs.begin() + First;
        FParagraphs.erase(first, first + Removed);
        FParagraphs.insert(FParagraphs.begin() + First, Inserted, TEntry{});
        FReindex = true;
    }

    void RelayoutAll() {
        for (TEntry& entry : FParagraphs)
            entry.Valid = false;
        FReindex = true;
    }

    void Update() {
        if (FReindex) {
            Reindex();
            return;
        }
        for (int32_t index : FChanged) {
            TEntry& entry = FParagraphs[index];
            if (entry.Valid) continue;
            const auto oldLines = static_cast<int32_t>(entry.Laid.Lines.size());
            const int32_t oldHeight = entry.Laid.Height;
            const int32_t oldWidest = entry.Laid.Widest;
            LayOut(index);
            FLines.Add(index, static_cast<int32_t>(entry.Laid.Lines.size()) - oldLines);
            FHeights.Add(index, entry.Laid.Height - oldHeight);
            if (entry.Laid.Widest >= FWidest)
                FWidest = entry.Laid.Widest;
            else if (oldWidest >= FWidest)
                FWidestStale = true;
        }
        FChanged.clear();
    }

    const TRichLaidParagraph& Laid(int32_t Paragraph) const { return FParagraphs[Paragraph].Laid; }

    // The paragraph holding line Index, and the line's number within it.
    int32_t ParagraphOfLine(int32_t Index, int32_t& Line) const {
        int64_t offset = 0;
        const auto paragraph = static_cast<int32_t>(FLines.Find(Index, offset));
        Line = static_cast<int32_t>(offset);
        return paragraph;
    }
    int32_t FirstLineOf(int32_t Paragraph) const {
        return static_cast<int32_t>(FLines.Before(Paragraph));
    }
    int64_t TopOf(int32_t Paragraph) const { return FHeights.Before(Paragraph); }
    int32_t ParagraphAtY(int64_t Y, int64_t& Offset) const {
        return static_cast<int32_t>(FHeights.Find(Y, Offset));
    }
    int32_t LineCount() const { return static_cast<int32_t>(FLines.Before(FParagraphs.size())); }
    int64_t Height() const { return FHeights.Before(FParagraphs.size()); }
    int32_t Widest() {
        if (FWidestStale) {
            FWidest = 0;
            for (const TEntry& entry : FParagraphs)
                FWidest = std::max(FWidest, entry.Laid.Widest);
            FWidestStale = false;
        }
        return FWidest;
    }

    TRichParagraphLayout ParagraphLayout(int32_t Paragraph) {
        return TRichParagraphLayout(FDocument, FFonts, Paragraph, FWrapWidth);
    }

    const TRichDocument& FDocument;
    TRichFontCache FFonts;
    int32_t FWrapWidth = 0;
    int64_t FLaidOut = 0;

private:
    struct TEntry {
        TRichLaidParagraph Laid;
        bool Valid = false;
    };

    void LayOut(int32_t Index) {
        FParagraphs[Index].Laid = ParagraphLayout(Index).LayOut();
        FParagraphs[Index].Valid = true;
        ++FLaidOut;
    }

    // After paragraphs came or went the running totals are built anew; that is linear in the
    // paragraphs, not in the text, and only the paragraphs that changed are laid out.
    void Reindex() {
        std::vector<int32_t> lines(FParagraphs.size()), heights(FParagraphs.size());
        FWidest = 0;
        for (size_t i = 0; i < FParagraphs.size(); ++i) {
            if (!FParagraphs[i].Valid) LayOut(static_cast<int32_t>(i));
            const TRichLaidParagraph& laid = FParagraphs[i].Laid;
            lines[i] = static_cast<int32_t>(laid.Lines.size());
            heights[i] = laid.Height;
            FWidest = std::max(FWidest, laid.Widest);
        }
        FLines.Reset(lines);
        FHeights.Reset(heights);
        FWidestStale = false;
        FReindex = false;
        FChanged.clear();
    }

    std::vector<TEntry> FParagraphs;
    std::vector<int32_t> FChanged;  // paragraphs whose text or format changed in place
    bool FReindex = true;
    TRichPositionIndex FLines;
    TRichPositionIndex FHeights;
    int32_t FWidest = 0;
    bool FWidestStale = false;
};

TRichLayout::TRichLayout(const TRichDocument& Document, int32_t PixelsPerInch)
    : FImpl(std::make_unique<TImpl>(Document, std::clamp(PixelsPerInch, 1, MaxPixelsPerInch))) {}

TRichLayout::~TRichLayout() = default;

const TRichDocument& TRichLayout::Document() const {
    return FImpl->FDocument;
}

int32_t TRichLayout::PixelsPerInch() const {
    return FImpl->FFonts.PixelsPerInch();
}

void TRichLayout::SetPixelsPerInch(int32_t Value) {
    if (Value < 1 || Value > MaxPixelsPerInch || Value == PixelsPerInch()) return;
    FImpl->FFonts.SetPixelsPerInch(Value);
    FImpl->RelayoutAll();
}

int32_t TRichLayout::WrapWidth() const {
    return FImpl->FWrapWidth;
}

void TRichLayout::SetWrapWidth(int32_t Value) {
    Value = std::max(0, Value);
    if (Value == FImpl->FWrapWidth) return;
    FImpl->FWrapWidth = Value;
    FImpl->RelayoutAll();
}

void TRichLayout::Update() const {
    FImpl->Update();
}

int64_t TRichLayout::ParagraphsLaidOut() const {
    return FImpl->FLaidOut;
}

int32_t TRichLayout::LineCount() const {
    Update();
    return FImpl->LineCount();
}

TRichLineInfo TRichLayout::Line(int32_t Index) const {
    CheckLineIndex(Index, LineCount());
    int32_t within = 0;
    const int32_t paragraph = FImpl->ParagraphOfLine(Index, within);
    const TRichLaidParagraph& laid = FImpl->Laid(paragraph);
    const TRichLaidLine& line = laid.Lines[within];
    TRichLineInfo info;
    info.Paragraph = paragraph;
    info.Start = FImpl->FDocument.ParagraphStart(paragraph) + line.Start;
    info.Length = line.Length;
    info.EndsParagraph = within + 1 == static_cast<int32_t>(laid.Lines.size());
    info.Top = SaturateToInt32(FImpl->TopOf(paragraph) + line.Top);
    info.Height = line.Height;
    info.Baseline = line.Baseline;
    info.Left = SaturateToInt32(int64_t{line.Indent} + line.Shift);
    info.Width = line.Width;
    return info;
}

int32_t TRichLayout::LineIndex(int32_t Index) const {
    if (Index < 0 || Index >= LineCount()) return -1;
    return Line(Index).Start;
}

int32_t TRichLayout::LineFromChar(int32_t Position) const {
    Update();
    int32_t offset = 0;
    const int32_t paragraph = FImpl->FDocument.Locate(Position, offset);
    const std::vector<TRichLaidLine>& lines = FImpl->Laid(paragraph).Lines;
    const auto after = std::upper_bound(
        lines.begin() + 1, lines.end(), offset,
        [](int32_t Offset, const TRichLaidLine& Line) { return Offset < Line.Start; });
    return FImpl->FirstLineOf(paragraph) + static_cast<int32_t>(after - lines.begin()) - 1;
}

int32_t TRichLayout::LineAtY(int32_t Y) const {
    Update();
    if (Y < 0) return 0;
    if (Y >= FImpl->Height()) return FImpl->LineCount() - 1;
    int64_t offset = 0;
    const int32_t paragraph = FImpl->ParagraphAtY(Y, offset);
    const std::vector<TRichLaidLine>& lines = FImpl->Laid(paragraph).Lines;
    const auto after = std::upper_bound(
        lines.begin() + 1, lines.end(), offset,
        [](int64_t Offset, const TRichLaidLine& Line) { return Offset < Line.Top; });
    return FImpl->FirstLineOf(paragraph) + static_cast<int32_t>(after - lines.begin()) - 1;
}

int32_t TRichLayout::Height() const {
    Update();
    return SaturateToInt32(FImpl->Height());
}

int32_t TRichLayout::Widest() const {
    Update();
    return FImpl->Widest();
}

TPoint TRichLayout::PosFromChar(int32_t Position) const {
    Position = std::clamp(Position, 0, FImpl->FDocument.Length());
    const TRichLineInfo line = Line(LineFromChar(Position));
    int32_t x = line.Left;
    ForEachPiece(LineFromChar(Position), [&](const TRichPiece& Piece) {
        if (Piece.Kind == TRichPiece::Bullet || Position < Piece.Start) return;
        if (Position >= Piece.Start + Piece.Length) {
            x = Piece.X + Piece.Width;
            return;
        }
        x = Piece.X;
        if (Piece.Kind != TRichPiece::Text) return;
        const TRealizedFont& font = *FontOf(Piece.Format);
        const TRichCharFormat& format = FImpl->FDocument.CharFormats()[Piece.Format];
        const std::string text = FImpl->FDocument.Text(Piece.Start, Position - Piece.Start);
        for (char ch : text)
            x += font.Advance(DisplayChar(format, static_cast<uint8_t>(ch)));
    });
    return Point(x, line.Top);
}

int32_t TRichLayout::CharFromPos(TPoint Point) const {
    const int32_t index = LineAtY(Point.Y);
    const TRichLineInfo line = Line(index);
    // A wrapped line's last place is the next line's first: a click past its end stays
    // before its last character, on the line that was clicked.
    const int32_t last = line.EndsParagraph || line.Length == 0 ? line.Start + line.Length
                                                                : line.Start + line.Length - 1;
    int32_t found = -1;
    ForEachPiece(index, [&](const TRichPiece& Piece) {
        if (found >= 0 || Piece.Kind == TRichPiece::Bullet) return;
        if (Piece.Kind != TRichPiece::Text && Point.X <= Piece.X + Piece.Width / 2) {
            found = Piece.Start;
            return;
        }
        if (Piece.Kind != TRichPiece::Text) return;
        const TRealizedFont& font = *FontOf(Piece.Format);
        const TRichCharFormat& format = FImpl->FDocument.CharFormats()[Piece.Format];
        const std::string text = FImpl->FDocument.Text(Piece.Start, Piece.Length);
        int64_t x = Piece.X;
        for (size_t i = 0; i < text.size(); ++i) {
            const int32_t width = font.Advance(DisplayChar(format, static_cast<uint8_t>(text[i])));
            if (Point.X <= x + width / 2) {
                found = Piece.Start + static_cast<int32_t>(i);
                return;
            }
            x += width;
        }
    });
    return found < 0 ? last : std::min(found, last);
}

void TRichLayout::ForEachPiece(int32_t Index,
                               const std::function<void(const TRichPiece&)>& Visit) const {
    CheckLineIndex(Index, LineCount());
    int32_t within = 0;
    const int32_t paragraph = FImpl->ParagraphOfLine(Index, within);
    FImpl->ParagraphLayout(paragraph).ForEachPiece(
        FImpl->Laid(paragraph).Lines[within], FImpl->FDocument.ParagraphStart(paragraph), Visit);
}

std::shared_ptr<const TRealizedFont> TRichLayout::FontOf(int32_t CharFormat) const {
    return FImpl->FFonts.Font(CharFormat);
}

}  // namespace vex
