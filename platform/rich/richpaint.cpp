#include "platform/rich/richpaint.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"
#include "platform/rich/richfontstyle.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayoutparagraph.h"
#include "platform/rich/richlinks.h"

namespace vex {

namespace {

class TLinePainter {
public:
    TLinePainter(TCanvas& Canvas, const TRichLayout& Layout, TPoint Origin,
                 const TRichPaintOptions& Options, const TRect& Clip)
        : FCanvas(Canvas),
          FLayout(Layout),
          FDocument(Layout.Document()),
          FOrigin(Origin),
          FOptions(Options),
          FClip(Clip) {}

    void Paint(int32_t Index, const TRichLineInfo& Line) {
        FLineTop = SaturateToInt32(int64_t{FOrigin.Y} + Line.Top);
        UseBand(0, Line.Height, Line.Baseline);
        if (FOptions.Background != clNone) Fill(FClip.Left, FClip.Right, FOptions.Background);
        TakeLinksOf(Line);
        int64_t end = int64_t{FOrigin.X} + Line.Left;
        FLayout.ForEachPiece(Index, [&](const TRichPiece& Piece) {
            PaintPiece(Piece);
            end = std::max(end, int64_t{FOrigin.X} + Piece.X + Piece.Width);
        });
        // A selected paragraph end shows as a blank's width of selection after the line.
        UseBand(0, Line.Height, Line.Baseline);
        const int32_t lineEnd = Line.Start + Line.Length;
        if (Line.EndsParagraph && lineEnd < FDocument.Length() && Selected(lineEnd)) {
            const int32_t format = FDocument.Paragraph(Line.Paragraph)
                                       .FormatAt(Line.Length, FDocument.DefaultCharFormat());
            const TRichCharFormat& mark = FDocument.CharFormats()[format];
            UseFont(mark, false, clHighlightText);
            Fill(SaturateToInt32(end), SaturateToInt32(end + FCanvas.TextWidth(" ")), clHighlight);
        }
    }

private:
    // What is drawn next stands in this band of the line: the line's own, or a cell line's.
    void UseBand(int32_t Top, int32_t Height, int32_t Baseline) {
        FTop = SaturateToInt32(int64_t{FLineTop} + Top);
        FBottom = SaturateToInt32(int64_t{FTop} + Height);
        FBaseline = SaturateToInt32(int64_t{FLineTop} + Baseline);
    }

    // Each piece looks through the links, so a line keeps only its own, and the paragraph's
    // are asked for once for all its lines: a screen of a long paragraph of links must not
    // cost every link for every line.
    void TakeLinksOf(const TRichLineInfo& Line) {
        FLinks.clear();
        if (!FOptions.Links) return;
        if (FLinksParagraph != Line.Paragraph) {
            FParagraphLinks = FOptions.Links->InParagraph(Line.Paragraph);
            FLinksParagraph = Line.Paragraph;
        }
        // In order and apart, so ordered by their ends too.
        auto link = std::upper_bound(FParagraphLinks.begin(), FParagraphLinks.end(), Line.Start,
                                     [](int32_t Start, const TRichLinkRange& Link) {
                                         return Start < Link.Start + Link.Length;
                                     });
        for (; link != FParagraphLinks.end() && link->Start < Line.Start + Line.Length; ++link)
            FLinks.push_back(*link);
    }

    bool Selecting() const { return FOptions.ShowSelection && FOptions.SelStart < FOptions.SelEnd; }
    bool Selected(int32_t Position) const {
        return Selecting() && Position >= FOptions.SelStart && Position < FOptions.SelEnd;
    }
    bool InLink(int32_t Position) const {
        return std::any_of(FLinks.begin(), FLinks.end(), [&](const TRichLinkRange& Link) {
            return Position >= Link.Start && Position < Link.Start + Link.Length;
        });
    }

    void Fill(int32_t Left, int32_t Right, TColor Color) {
        FillBox(Rect(Left, FTop, Right, FBottom), Color);
    }
    void FillBox(const TRect& Box, TColor Color) {
        TBrush brush;
        brush.SetColor(Color);
        FCanvas.FillRect(Box, brush);
    }

    // The canvas's font becomes the format's as the layout measured it.
    void UseFont(const TRichCharFormat& Format, bool Underline, TColor Color) {
        const TLogFont lf = RichLogFont(Format, FLayout.PixelsPerInch());
        TFont& font = FCanvas.Font();
        font.SetName(lf.lfFaceName);
        font.SetHeight(lf.lfHeight);
        font.SetCharset(lf.lfCharSet);
        font.SetPitch(FontPitchOf(Format.Pitch));
        TFontStyles style = FontStylesOf(Format) - TFontStyles{fsUnderline};
        if (Underline) style.Include(fsUnderline);
        font.SetStyle(style);
        font.SetColor(Color);
    }

    void PaintPiece(const TRichPiece& Piece) {
        const int32_t x = SaturateToInt32(int64_t{FOrigin.X} + Piece.X);
        UseBand(Piece.Top, Piece.Height, Piece.Baseline);
        // A row is one line however many lines its cells hold: those out of sight cost nothing.
        if (FTop >= FClip.Bottom || FBottom <= FClip.Top) return;
        switch (Piece.Kind) {
            case TRichPiece::Cell:
                PaintBorders(Piece, x);
                break;
            case TRichPiece::Bullet: {
                const TRichCharFormat& format = FDocument.CharFormats()[Piece.Format];
                UseFont(format, false, FontColorOf(format, FOptions.AutoText));
                FCanvas.TextOut(x, FBaseline, std::string(1, static_cast<char>(RichBulletChar)));
                break;
            }
            case TRichPiece::Tab:
                if (Selected(Piece.Start))
                    Fill(x, SaturateToInt32(int64_t{x} + Piece.Width), clHighlight);
                break;
            case TRichPiece::Object:
                PaintObject(Piece, x);
                break;
            case TRichPiece::Text:
                PaintText(Piece, x);
                break;
        }
    }

    // Thin lines: a pixel on the screen, as thin on a printer.
    void PaintBorders(const TRichPiece& Piece, int32_t X) {
        if (Piece.Borders == 0) return;
        const int32_t thin = std::max(1, FLayout.PixelsPerInch() / ScreenPixelsPerInch);
        const int32_t right = SaturateToInt32(int64_t{X} + Piece.Width);
        const TColor color = FOptions.AutoText;
        if (Piece.Borders & CellBorderLeft) FillBox(Rect(X, FTop, X + thin, FBottom), color);
        if (Piece.Borders & CellBorderRight)
            FillBox(Rect(right - thin, FTop, right, FBottom), color);
        if (Piece.Borders & CellBorderTop) FillBox(Rect(X, FTop, right, FTop + thin), color);
        if (Piece.Borders & CellBorderBottom)
            FillBox(Rect(X, FBottom - thin, right, FBottom), color);
    }

    void PaintObject(const TRichPiece& Piece, int32_t X) {
        const TSize box = RichObjectBox(FDocument, Piece.ObjectNumber, FLayout.PixelsPerInch());
        const TRect r = Rect(X, SaturateToInt32(int64_t{FBaseline} - box.cy),
                             SaturateToInt32(int64_t{X} + box.cx), FBaseline);
        if (const IRichObject* object = FDocument.Object(Piece.ObjectNumber)) {
            // The object's drawing leaves the canvas as the text needs it.
            const int32_t saved = FCanvas.SaveDC();
            object->Draw(FCanvas, r);
            FCanvas.RestoreDC(saved);
        } else {
            Frame(r, clGray);
        }
        if (Selected(Piece.Start)) Frame(r, clHighlight);
    }

    // Text goes on with a clear brush, so the frame's colour is the brush's only meanwhile.
    void Frame(const TRect& R, TColor Color) {
        FCanvas.Brush().SetColor(Color);
        FCanvas.FrameRect(R);
        FCanvas.Brush().SetStyle(bsClear);
    }

    // A run is drawn in stretches that are each wholly in or out of the selection and of a
    // link, so that each takes its own colours and underline.
    void PaintText(const TRichPiece& Piece, int32_t X) {
        const TRichCharFormat& format = FDocument.CharFormats()[Piece.Format];
        std::string text = FDocument.Text(Piece.Start, Piece.Length);
        for (char& ch : text)
            ch = static_cast<char>(DisplayChar(format, static_cast<uint8_t>(ch)));
        const int32_t end = Piece.Start + Piece.Length;
        std::vector<int32_t> cuts{Piece.Start, end};
        if (Selecting()) cuts.insert(cuts.end(), {FOptions.SelStart, FOptions.SelEnd});
        for (const TRichLinkRange& link : FLinks)
            cuts.insert(cuts.end(), {link.Start, link.Start + link.Length});
        std::erase_if(cuts, [&](int32_t Cut) { return Cut < Piece.Start || Cut > end; });
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

        int64_t x = X;
        for (size_t i = 0; i + 1 < cuts.size(); ++i) {
            const std::string_view stretch(text.data() + (cuts[i] - Piece.Start),
                                           cuts[i + 1] - cuts[i]);
            const bool selected = Selected(cuts[i]);
            UseFont(format, format.Underline || InLink(cuts[i]),
                    selected ? clHighlightText : FontColorOf(format, FOptions.AutoText));
            const int64_t width = FCanvas.TextExtent(stretch).cx;
            if (selected) Fill(SaturateToInt32(x), SaturateToInt32(x + width), clHighlight);
            FCanvas.TextOut(SaturateToInt32(x), FBaseline, std::string(stretch));
            x += width;
        }
    }

    TCanvas& FCanvas;
    const TRichLayout& FLayout;
    const TRichDocument& FDocument;
    TPoint FOrigin;
    const TRichPaintOptions& FOptions;
    TRect FClip;
    std::vector<TRichLinkRange> FParagraphLinks;
    int32_t FLinksParagraph = -1;
    std::vector<TRichLinkRange> FLinks;
    int32_t FLineTop = 0;
    int32_t FTop = 0;
    int32_t FBottom = 0;
    int32_t FBaseline = 0;
};

}  // namespace

void PaintRichLines(TCanvas& Canvas, const TRichLayout& Layout, TPoint Origin, int32_t First,
                    int32_t Last, const TRichPaintOptions& Options) {
    First = std::max(First, 0);
    Last = std::min(Last, Layout.LineCount() - 1);
    TRect clip = Canvas.ClipRect();
    if (clip.Top > clip.Bottom) std::swap(clip.Top, clip.Bottom);
    if (First > Last || IsRectEmpty(clip)) return;
    First = std::max(First, Layout.LineAtY(SaturateToInt32(int64_t{clip.Top} - Origin.Y)));

    const int32_t saved = Canvas.SaveDC();
    Canvas.SetTextAlign(TA_LEFT | TA_BASELINE);
    Canvas.Brush().SetStyle(bsClear);
    TLinePainter painter(Canvas, Layout, Origin, Options, clip);
    for (int32_t index = First; index <= Last; ++index) {
        const TRichLineInfo line = Layout.Line(index);
        const int64_t top = int64_t{Origin.Y} + line.Top;
        if (top >= clip.Bottom) break;
        if (top + line.Height > clip.Top) painter.Paint(index, line);
    }
    Canvas.RestoreDC(saved);
}

}  // namespace vex
