#include "platform/rich/richlayout.h"

#include <algorithm>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/rich/richlayoutindex.h"
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
        FDocument.AddListener(this);
        FIndex.Reset(static_cast<size_t>(Document.ParagraphCount()));
    }
    ~TImpl() override { FDocument.RemoveListener(this); }

    void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) override {
        FRunStarts.reset();
        if (FAll) {
            FIndex.Splice(First, Removed, Inserted);
            return;
        }
        if (Removed == Inserted) {
            // Typing: the old lines stay until the new ones replace them, so that the totals
            // and the widest line move by the difference.
            for (int32_t i = First; i < First + Removed; ++i) {
                if (FIndex.At(i).Valid) FChanged.push_back(i);
                FIndex.Invalidate(i);
            }
            return;
        }
        for (int32_t i = First; i < First + Removed; ++i)
            if (FIndex.At(i).Laid.Widest >= FWidest) FWidestStale = true;
        // What waits to be laid out moves with the paragraphs after the change.
        std::erase_if(FChanged, [&](int32_t I) { return I >= First && I < First + Removed; });
        for (int32_t& index : FChanged)
            if (index >= First + Removed) index += Inserted - Removed;
        FIndex.Splice(First, Removed, Inserted);
        for (int32_t i = First; i < First + Inserted; ++i)
            FChanged.push_back(i);
    }

    void RelayoutAll() {
        FAll = true;
        FChanged.clear();
    }

    void Update() {
        // Empty paragraphs take their height from the default format, which the document
        // changes without telling of any paragraph.
        if (FDocument.DefaultCharFormat() != FDefaultFormat) {
            FDefaultFormat = FDocument.DefaultCharFormat();
            RelayoutAll();
        }
        if (FAll) {
            FWidest = 0;
            FIndex.LayOutAll([&](size_t Index) {
                TRichLaidParagraph laid =
                    ParagraphLayout(static_cast<int32_t>(Index)).LayOut(FFlatRowsOver);
                FWidest = std::max(FWidest, laid.Widest);
                ++FLaidOut;
                return laid;
            });
            FAll = false;
            FWidestStale = false;
            return;
        }
        for (int32_t index : FChanged)
            if (!FIndex.At(index).Valid) LayOut(index);
        FChanged.clear();
    }

    const TRichLaidParagraph& Laid(int32_t Paragraph) const { return FIndex.At(Paragraph).Laid; }

    // The paragraph holding line Index, and the line's number within it.
    int32_t ParagraphOfLine(int32_t Index, int32_t& Line) const {
        int64_t within = 0;
        const auto paragraph = static_cast<int32_t>(FIndex.FindLine(Index, within));
        Line = static_cast<int32_t>(within);
        return paragraph;
    }
    int32_t FirstLineOf(int32_t Paragraph) const {
        return static_cast<int32_t>(FIndex.LinesBefore(Paragraph));
    }
    int64_t TopOf(int32_t Paragraph) const { return FIndex.HeightBefore(Paragraph); }
    int32_t ParagraphAtY(int64_t Y, int64_t& Within) const {
        return static_cast<int32_t>(FIndex.FindY(Y, Within));
    }
    int32_t LineCount() const { return static_cast<int32_t>(FIndex.Lines()); }
    int64_t Height() const { return FIndex.Height(); }
    int32_t Widest() {
        if (FWidestStale) {
            FWidest = 0;
            for (size_t i = 0; i < FIndex.Count(); ++i)
                FWidest = std::max(FWidest, FIndex.At(i).Laid.Widest);
            FWidestStale = false;
        }
        return FWidest;
    }

    TRichParagraphLayout ParagraphLayout(int32_t Paragraph) {
        return TRichParagraphLayout(FDocument, FFonts, Paragraph, FWrapWidth);
    }
    // Painting or hit-testing a long paragraph goes line by line; finding the starts of all
    // its runs again for each line would make a screen of it cost the whole paragraph.
    TRichParagraphLayout LineWalker(int32_t Paragraph) {
        if (!FRunStarts || FRunStartsOf != Paragraph) {
            FRunStarts = RichRunStarts(FDocument.Paragraph(Paragraph));
            FRunStartsOf = Paragraph;
        }
        return TRichParagraphLayout(FDocument, FFonts, Paragraph, FWrapWidth, FRunStarts);
    }

    // The line whose pieces hold Position on display line Index of Paragraph: the display
    // line, or in a table row the cell line that holds it.
    const TRichLaidLine& LineHolding(int32_t Paragraph, int32_t Index, int32_t Position) const {
        const TRichLaidParagraph& laid = Laid(Paragraph);
        if (laid.CellLines.empty()) return laid.Lines[Index - FirstLineOf(Paragraph)];
        const int32_t offset = Position - FDocument.ParagraphStart(Paragraph);
        const auto after = std::upper_bound(
            laid.CellLines.begin() + 1, laid.CellLines.end(), offset,
            [](int32_t Offset, const TRichLaidLine& Line) { return Offset < Line.Start; });
        return *(after - 1);
    }
    // The line whose pieces stand at X and Y (from the display line's top) on display line
    // Index: the display line, or in a table row the line at Y of the cell at X (of the last
    // cell whose text has begun, when that cell's has not).
    const TRichLaidLine& LineAt(int32_t Paragraph, int32_t Index, int64_t X, int64_t Y) {
        const TRichLaidParagraph& laid = Laid(Paragraph);
        if (laid.CellLines.empty()) return laid.Lines[Index - FirstLineOf(Paragraph)];
        const int32_t cell = std::min(LineWalker(Paragraph).CellAt(X), laid.CellLines.back().Cell);
        const TRichLaidLine* found = nullptr;
        for (const TRichLaidLine& line : laid.CellLines) {
            if (line.Cell != cell) continue;
            found = &line;
            if (Y < int64_t{line.Top} + line.Height) break;
        }
        return *found;
    }
    // The last caret place of Line (one of display line Info's). A wrapped line's last place is
    // the next line's first, so a click past its end or End stays before its last character, on
    // that line. A cell's last line stops before the mark that ends the cell.
    int32_t LastPlace(const TRichLineInfo& Info, const TRichLaidLine& Line) {
        bool wraps = !Info.EndsParagraph && Line.Length > 0;
        if (Line.Cell >= 0) {
            const std::vector<TRichLaidLine>& cellLines = Laid(Info.Paragraph).CellLines;
            const bool lastOfCell = &Line == &cellLines.back() || (&Line + 1)->Cell != Line.Cell;
            const std::string& text = FDocument.Paragraph(Info.Paragraph).Text;
            wraps =
                Line.Length > 0 &&
                (!lastOfCell || text[static_cast<size_t>(Line.Start + Line.Length - 1)] == '\t');
        }
        return FDocument.ParagraphStart(Info.Paragraph) + Line.Start + Line.Length -
               (wraps ? 1 : 0);
    }
    void ForEachPieceOf(int32_t Paragraph, const TRichLaidLine& Line,
                        const std::function<void(const TRichPiece&)>& Visit) {
        LineWalker(Paragraph).ForEachPiece(Line, FDocument.ParagraphStart(Paragraph), Visit);
    }

    const TRichDocument& FDocument;
    TRichFontCache FFonts;
    int32_t FWrapWidth = 0;
    int32_t FFlatRowsOver = 0;
    int64_t FLaidOut = 0;

private:
    void LayOut(int32_t Index) {
        const int32_t oldWidest = FIndex.At(Index).Laid.Widest;
        TRichLaidParagraph laid = ParagraphLayout(Index).LayOut(FFlatRowsOver);
        if (laid.Widest >= FWidest)
            FWidest = laid.Widest;
        else if (oldWidest >= FWidest)
            FWidestStale = true;
        FIndex.Set(Index, std::move(laid));
        ++FLaidOut;
    }

    TRichLayoutIndex FIndex;
    int32_t FDefaultFormat = -1;
    // Paragraphs to lay out at the next query: those that changed, or all of them.
    std::vector<int32_t> FChanged;
    bool FAll = true;
    int32_t FWidest = 0;
    bool FWidestStale = false;
    // Of paragraph FRunStartsOf until the document next changes.
    std::shared_ptr<const std::vector<int32_t>> FRunStarts;
    int32_t FRunStartsOf = -1;
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

void TRichLayout::SetFlatRowsOver(int32_t Value) {
    Value = std::max(0, Value);
    if (Value == FImpl->FFlatRowsOver) return;
    FImpl->FFlatRowsOver = Value;
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
    const int32_t index = LineFromChar(Position);
    const TRichLineInfo info = Line(index);
    const TRichLaidLine& line = FImpl->LineHolding(info.Paragraph, index, Position);
    int64_t x = int64_t{line.Indent} + line.Shift;
    FImpl->ForEachPieceOf(info.Paragraph, line, [&](const TRichPiece& Piece) {
        if (Piece.Kind == TRichPiece::Bullet || Position < Piece.Start) return;
        x = Piece.X;
        if (Position >= Piece.Start + Piece.Length) {
            x += Piece.Width;
            return;
        }
        if (Piece.Kind != TRichPiece::Text) return;
        const std::string text = FImpl->FDocument.Text(Piece.Start, Position - Piece.Start);
        for (char ch : text)
            x += FImpl->FFonts.Advance(Piece.Format, static_cast<uint8_t>(ch));
    });
    const int32_t top = line.Cell >= 0 ? line.Top : 0;
    x = std::min(x, FImpl->LineWalker(info.Paragraph).Reach(line));
    return Point(SaturateToInt32(x), SaturateToInt32(int64_t{info.Top} + top));
}

void TRichLayout::CaretLine(int32_t Position, int32_t& First, int32_t& Last) const {
    Position = std::clamp(Position, 0, FImpl->FDocument.Length());
    const int32_t index = LineFromChar(Position);
    const TRichLineInfo info = Line(index);
    const TRichLaidLine& line = FImpl->LineHolding(info.Paragraph, index, Position);
    First = FImpl->FDocument.ParagraphStart(info.Paragraph) + line.Start;
    Last = FImpl->LastPlace(info, line);
}

int32_t TRichLayout::CaretHeight(int32_t Position) const {
    Position = std::clamp(Position, 0, FImpl->FDocument.Length());
    const int32_t index = LineFromChar(Position);
    const TRichLineInfo info = Line(index);
    const TRichLaidLine& line = FImpl->LineHolding(info.Paragraph, index, Position);
    return std::max(line.Cell >= 0 ? line.Height : info.Height, 1);
}

int32_t TRichLayout::CharFromPos(TPoint Point) const {
    const int32_t index = LineAtY(Point.Y);
    const TRichLineInfo info = Line(index);
    const TRichLaidLine& line =
        FImpl->LineAt(info.Paragraph, index, Point.X, int64_t{Point.Y} - info.Top);
    const int32_t last = FImpl->LastPlace(info, line);
    // Places are measured as PosFromChar gives them, held within the line's reach.
    const int64_t reach = FImpl->LineWalker(info.Paragraph).Reach(line);
    const auto before = [&](int64_t Left, int64_t Width) {
        const int64_t left = std::min(Left, reach);
        return Point.X <= left + (std::min(Left + Width, reach) - left) / 2;
    };
    int32_t found = -1;
    FImpl->ForEachPieceOf(info.Paragraph, line, [&](const TRichPiece& Piece) {
        if (found >= 0 || Piece.Kind == TRichPiece::Bullet) return;
        if (Piece.Kind != TRichPiece::Text && before(Piece.X, Piece.Width)) {
            found = Piece.Start;
            return;
        }
        if (Piece.Kind != TRichPiece::Text) return;
        const std::string text = FImpl->FDocument.Text(Piece.Start, Piece.Length);
        int64_t x = Piece.X;
        for (size_t i = 0; i < text.size(); ++i) {
            const int32_t width =
                FImpl->FFonts.Advance(Piece.Format, static_cast<uint8_t>(text[i]));
            if (before(x, width)) {
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
    const TRichLaidParagraph& laid = FImpl->Laid(paragraph);
    const int32_t start = FImpl->FDocument.ParagraphStart(paragraph);
    if (laid.CellLines.empty())
        FImpl->LineWalker(paragraph).ForEachPiece(laid.Lines[within], start, Visit);
    else
        FImpl->LineWalker(paragraph).ForEachRowPiece(laid, start, Visit);
}

}  // namespace vex
