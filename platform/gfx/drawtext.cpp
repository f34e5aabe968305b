#include "platform/gfx/drawtext.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/fontengine.h"

namespace vex {

namespace {

struct TLayoutLine {
    size_t Start = 0;
    size_t End = 0;  // exclusive
    bool Ellipsis = false;
    size_t EllipsisAt = 0;  // the text shown before the "..."
};

// Measures and places text the way DrawText lays a line out: tabs jump to the next stop when
// expanded, every other byte advances by its width.
class TLineMeasure {
public:
    TLineMeasure(const TRealizedFont& Face, bool ExpandTabs, int64_t TabWidth)
        : FFace(Face), FExpandTabs(ExpandTabs), FTabWidth(std::max<int64_t>(TabWidth, 1)) {}

    int64_t Next(int64_t X, char Ch) const {
        if (Ch == '\t' && FExpandTabs) return (X / FTabWidth + 1) * FTabWidth;
        return X + FFace.Advance(static_cast<uint8_t>(Ch));
    }
    int64_t Width(std::string_view Text, size_t Start, size_t End) const {
        int64_t x = 0;
        for (size_t i = Start; i < End; ++i)
            x = Next(x, Text[i]);
        return x;
    }

private:
    const TRealizedFont& FFace;
    bool FExpandTabs;
    int64_t FTabWidth;
};

// "&x" shows x underlined, "&&" one "&"; a lone "&" at the end shows nothing.
std::string StripPrefixes(std::string_view Text, std::vector<size_t>& Underlined) {
    std::string shown;
    shown.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '&') {
            shown += Text[i];
            continue;
        }
        if (++i >= Text.size()) break;
        if (Text[i] != '&') Underlined.push_back(shown.size());
        shown += Text[i];
    }
    return shown;
}

bool IsBreakSpace(char Ch) {
    return Ch == ' ' || Ch == '\t';
}

// Greedy word wrap of one paragraph: a line ends at the last space before the text outgrows
// Avail; a word wider than the line stands alone and overflows. An empty paragraph is one
// empty line.
void WrapParagraph(std::string_view Text, size_t Start, size_t End, int64_t Avail,
                   const TLineMeasure& Measure, std::vector<TLayoutLine>& Lines) {
    size_t lineStart = Start;
    while (true) {
        int64_t x = 0;
        size_t breakAt = SIZE_MAX;
        size_t i = lineStart;
        for (; i < End; ++i) {
            if (IsBreakSpace(Text[i]) && i > lineStart && !IsBreakSpace(Text[i - 1])) breakAt = i;
            x = Measure.Next(x, Text[i]);
            if (x > Avail && !IsBreakSpace(Text[i]) && breakAt != SIZE_MAX) break;
        }
        if (i >= End) {
            Lines.push_back({lineStart, End});
            return;
        }
        Lines.push_back({lineStart, breakAt});
        lineStart = breakAt;
        while (lineStart < End && IsBreakSpace(Text[lineStart]))
            ++lineStart;
        if (lineStart >= End) return;
    }
}

std::vector<TLayoutLine> SplitLines(std::string_view Text, uint32_t Format, int64_t Avail,
                                    const TLineMeasure& Measure) {
    std::vector<TLayoutLine> lines;
    if (Text.empty()) return lines;
    if (Format & DT_SINGLELINE) {
        lines.push_back({0, Text.size()});
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = start;
        while (end < Text.size() && Text[end] != '\r' && Text[end] != '\n')
            ++end;
        if (Format & DT_WORDBREAK)
            WrapParagraph(Text, start, end, Avail, Measure, lines);
        else
            lines.push_back({start, end});
        if (end >= Text.size()) break;
        start = end + (Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n' ? 2 : 1);
        if (start >= Text.size()) break;
    }
    return lines;
}

// Cuts the line so that it and "..." fit Avail.
void FitEllipsis(std::string_view Text, TLayoutLine& Line, int64_t Avail,
                 const TLineMeasure& Measure, const TRealizedFont& Face) {
    if (Measure.Width(Text, Line.Start, Line.End) <= Avail) return;
    const int64_t dots = Face.Width("...");
    int64_t x = 0;
    size_t keep = Line.Start;
    while (keep < Line.End) {
        const int64_t next = Measure.Next(x, Text[keep]);
        if (next + dots > Avail) break;
        x = next;
        ++keep;
    }
    Line.Ellipsis = true;
    Line.EllipsisAt = keep;
}

}  // namespace

uint32_t SetTextAlign(HDC DC, uint32_t Align) {
    const uint32_t old = DC->TextAlign();
    DC->SetTextAlign(Align);
    return old;
}

uint32_t GetTextAlign(HDC DC) {
    return DC->TextAlign();
}

bool GetTextMetrics(HDC DC, TTextMetric& Metric) {
    Metric = DC->RealizedFont()->Metrics();
    if (DC->Mapped()) Metric = DC->Mapping().MetricsToLogical(Metric);
    return true;
}

bool GetTextExtentPoint(HDC DC, std::string_view Text, TSize& Size) {
    Size = DC->TextExtent(Text);
    return true;
}

bool TextOut(HDC DC, int32_t X, int32_t Y, std::string_view Text) {
    const TRecordedCall call(*DC, "TextOut", [&](TCanvasCall& C) {
        C.Points = {OnDevice(*DC, Point(X, Y))};
        C.Text = Text;
    });
    DC->ExtTextOut(X, Y, 0, nullptr, Text);
    return true;
}

bool ExtTextOut(HDC DC, int32_t X, int32_t Y, uint32_t Options, const TRect* Rect,
                std::string_view Text) {
    DC->ExtTextOut(X, Y, Options, Rect, Text);
    return true;
}

int32_t DrawText(HDC DC, std::string_view Text, TRect& Rect, uint32_t Format) {
    return DrawTextEx(DC, Text, Rect, Format, nullptr);
}

namespace {

// DrawText on a mapped canvas: laid out and drawn in device pixels, with the font as drawn, so
// that lines and tab stops fall on whole pixels; only what goes in and comes out is logical.
// The lines go down the page from the rectangle's top, whichever way the logical y grows.
int32_t DrawTextMapped(HDC DC, std::string_view Text, TRect& Rect, uint32_t Format,
                       TDrawTextParams* Params) {
    const TMapping mapping = DC->Mapping();
    TRect device = DC->LPtoDP(Rect);
    TDrawTextParams deviceParams;
    if (Params) {
        deviceParams = *Params;
        const auto across = [&](int32_t Units) {
            const int32_t pixels = SaturateToInt32(mapping.WidthToDevice(Units));
            return Units < 0 ? -pixels : pixels;
        };
        deviceParams.iLeftMargin = across(Params->iLeftMargin);
        deviceParams.iRightMargin = across(Params->iRightMargin);
    }
    int32_t height = 0;
    {
        const TDeviceUnits pixels(*DC);
        height = DrawTextEx(DC, Text, device, Format, Params ? &deviceParams : nullptr);
    }
    if (Params) Params->uiLengthDrawn = deviceParams.uiLengthDrawn;
    const int64_t logicalHeight = mapping.HeightToLogical(height);
    if (Format & DT_CALCRECT) {
        const int64_t width = int64_t{device.Right} - device.Left;
        Rect.Right = SaturateToInt32(Rect.Left + mapping.WidthToLogical(width));
        Rect.Bottom =
            SaturateToInt32(Rect.Top + mapping.DownY() * mapping.HeightToLogical(
                                                             int64_t{device.Bottom} - device.Top));
    }
    return SaturateToInt32(logicalHeight);
}

}  // namespace

int32_t DrawTextEx(HDC DC, std::string_view Text, TRect& Rect, uint32_t Format,
                   TDrawTextParams* Params) {
    if (DC->Mapped()) return DrawTextMapped(DC, Text, Rect, Format, Params);
    // Measuring alone draws nothing, so it is no drawing call to record.
    std::optional<TRecordedCall> call;
    if (!(Format & DT_CALCRECT))
        call.emplace(*DC, "DrawText", [&](TCanvasCall& C) {
            C.Rects = {OnDevice(*DC, Rect)};
            C.Text = Text;
            C.Flags = Format;
        });
    const auto face = DC->RealizedFont();
    const TTextMetric& tm = face->Metrics();
    const int32_t tabLength = Params && Params->iTabLength > 0 ? Params->iTabLength : 8;
    const int64_t leftMargin = Params ? Params->iLeftMargin : 0;
    const int64_t rightMargin = Params ? Params->iRightMargin : 0;
    const TLineMeasure measure(*face, Format & DT_EXPANDTABS,
                               int64_t{tabLength} * tm.tmAveCharWidth);
    const int64_t left = Rect.Left + leftMargin;
    const int64_t avail = std::max<int64_t>(int64_t{Rect.Right} - rightMargin - left, 0);
    const int64_t lineHeight =
        tm.tmHeight + (Format & DT_EXTERNALLEADING ? tm.tmExternalLeading : 0);
    if (Params)
        Params->uiLengthDrawn = static_cast<uint32_t>(std::min<size_t>(Text.size(), UINT32_MAX));

    std::vector<size_t> underlined;
    const std::string shown =
        Format & DT_NOPREFIX ? std::string(Text) : StripPrefixes(Text, underlined);
    std::vector<TLayoutLine> lines = SplitLines(shown, Format, avail, measure);
    const int64_t textHeight = static_cast<int64_t>(lines.size()) * lineHeight;

    if (Format & DT_CALCRECT) {
        int64_t widest = 0;
        for (const TLayoutLine& line : lines)
            widest = std::max(widest, measure.Width(shown, line.Start, line.End));
        Rect.Right = SaturateToInt32(left + widest + rightMargin);
        Rect.Bottom = SaturateToInt32(int64_t{Rect.Top} + textHeight);
        return SaturateToInt32(textHeight);
    }
    if (Format & DT_END_ELLIPSIS)
        for (TLayoutLine& line : lines)
            FitEllipsis(shown, line, avail, measure, *face);

    int64_t y = Rect.Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            y = Rect.Top + (int64_t{Rect.Bottom} - Rect.Top - lineHeight) / 2;
        else if (Format & DT_BOTTOM)
            y = int64_t{Rect.Bottom} - lineHeight;
    }
    const uint32_t savedAlign = DC->TextAlign();
    DC->SetTextAlign(TA_LEFT | TA_TOP);
    const uint32_t options = Format & DT_NOCLIP ? 0 : ETO_CLIPPED;
    for (const TLayoutLine& line : lines) {
        const size_t end = line.Ellipsis ? line.EllipsisAt : line.End;
        const int64_t width =
            measure.Width(shown, line.Start, end) + (line.Ellipsis ? face->Width("...") : 0);
        int64_t x = left;
        if (Format & DT_CENTER)
            x = left + (avail - width) / 2;
        else if (Format & DT_RIGHT)
            x = left + avail - width;

        // Tab-free pieces are drawn where the tab stops put them. The pen is carried along
        // rather than measured again from the line's start, which would be quadratic in a line
        // of many tabs.
        int64_t pen = 0;
        int64_t pieceAt = 0;
        size_t piece = line.Start;
        for (size_t i = line.Start; i <= end; ++i) {
            const bool tab = i < end && shown[i] == '\t' && (Format & DT_EXPANDTABS);
            if (i == end || tab) {
                if (i > piece)
                    DC->ExtTextOut(SaturateToInt32(x + pieceAt), SaturateToInt32(y), options, &Rect,
                                   std::string_view(shown).substr(piece, i - piece));
                piece = i + 1;
            }
            if (i == end) break;
            pen = measure.Next(pen, shown[i]);
            if (tab) pieceAt = pen;
        }
        if (line.Ellipsis)
            DC->ExtTextOut(SaturateToInt32(x + pen), SaturateToInt32(y), options, &Rect, "...");

        // The underlined positions are ascending, so the line's own are found by search and
        // measured onwards from one another.
        int64_t underlinePen = 0;
        size_t measuredTo = line.Start;
        for (auto it = std::lower_bound(underlined.begin(), underlined.end(), line.Start);
             it != underlined.end() && *it < end; ++it) {
            const size_t at = *it;
            for (; measuredTo < at; ++measuredTo)
                underlinePen = measure.Next(underlinePen, shown[measuredTo]);
            const int64_t ux = x + underlinePen;
            const int64_t uw = face->Advance(static_cast<uint8_t>(shown[at]));
            const int64_t uy = y + tm.tmAscent + face->UnderlineOffset();
            for (int64_t row = uy; row < uy + face->LineThickness(); ++row)
                for (int64_t col = ux; col < ux + uw; ++col) {
                    const bool inside = col >= Rect.Left && col < Rect.Right && row >= Rect.Top &&
                                        row < Rect.Bottom;
                    if (inside || (Format & DT_NOCLIP))
                        DC->SetPixels(SaturateToInt32(col), SaturateToInt32(row), DC->TextColor());
                }
        }
        y += lineHeight;
    }
    DC->SetTextAlign(savedAlign);
    return SaturateToInt32(textHeight);
}

}  // namespace vex
