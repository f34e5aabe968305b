#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <cairo.h>

#include "platform/gfx/polygonfill.h"
#include "platform/ui/pagereplay.h"

namespace vex {

// The cairo faces of the font files printed text was measured with, made once per document:
// a PDF embeds each face once, however many texts use it.
class TCairoFonts {
public:
    TCairoFonts() = default;
    ~TCairoFonts();
    TCairoFonts(const TCairoFonts&) = delete;
    TCairoFonts& operator=(const TCairoFonts&) = delete;

    struct TFace {
        cairo_font_face_t* Face = nullptr;
        // The glyph of each Windows-1252 character, as the canvas looked it up.
        std::array<unsigned long, 256> Glyphs{};
    };
    // Null when the font has no file (the built-in font) or the file cannot be loaded: such
    // text is drawn from the glyph pictures the canvas drew with.
    const TFace* Face(const std::shared_ptr<const TRealizedFont>& Font);

private:
    std::map<std::tuple<std::string, int32_t, bool>, std::unique_ptr<TFace>> FFaces;
    // Texts come in runs of one font; held, so that its address names no other font meanwhile.
    std::shared_ptr<const TRealizedFont> FLastFont;
    const TFace* FLastFace = nullptr;
};

// Replays onto a cairo context whose user space is the page's device pixels. Text is set in the
// face and pixel size the canvas measured it with, each glyph where the canvas put it, with its
// characters attached, so that what a reader extracts is the text drawn.
class TCairoPageTarget : public TPageTarget {
public:
    // The context's clip stays in place under every clip of the page's.
    TCairoPageTarget(cairo_t* Cr, TCairoFonts& Fonts);
    ~TCairoPageTarget() override;
    TCairoPageTarget(const TCairoPageTarget&) = delete;
    TCairoPageTarget& operator=(const TCairoPageTarget&) = delete;

    void Clip(const std::optional<TRegion>& Region) override;
    void Lines(const TCanvasCall& Call, bool Closed) override;
    void Shape(const TCanvasCall& Call) override;
    void Fill(const TRect& R, TColor Color) override;
    void Text(const TCanvasCall& Call) override;
    void Picture(const TRect& Dest, const TPixelImage& Picture) override;

private:
    void SetColor(TColor Color);
    // Strokes the current path with Call's pen, keeping the path.
    void StrokePen(const TCanvasCall& Call);
    void FillBrush(const TCanvasCall& Call);
    // The glyphs of Call's text in a box whose top-left is at Box.
    void TextGlyphs(const TCanvasCall& Call, TPointF Box, int64_t Baseline);

    // After a restore the context's font and pen are what they were at the save: unknown here.
    void Restored();

    cairo_t* FCr;
    TCairoFonts& FFonts;
    // What the context holds now, so that a page of texts and lines in one font and pen does
    // not set them again for each (a new font size costs cairo a scaled font lookup).
    cairo_font_face_t* FFontFace = nullptr;
    int32_t FFontSize = 0;
    int32_t FLineWidth = 0;
    TPenStyle FLineStyle = psSolid;
    std::vector<cairo_glyph_t> FGlyphs;
    std::vector<cairo_text_cluster_t> FClusters;
};

}  // namespace vex
