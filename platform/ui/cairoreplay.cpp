#include "platform/ui/cairoreplay.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fontengine.h"
#include "platform/win/x11/x11text.h"

namespace vex {

namespace {

// cairo keeps faces in caches of its own beyond any document, so the library their FreeType
// faces come from lives as long as the process.
FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

const cairo_user_data_key_t FaceKey{};

void DoneFace(void* Face) {
    FT_Done_Face(static_cast<FT_Face>(Face));
}

// The bytes a Windows-1252 character takes in UTF-8.
int Utf8Length(uint8_t Ch) {
    const char32_t c = Win1252ToUnicode(Ch);
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

void Rectangle(cairo_t* Cr, const TRect& R) {
    cairo_rectangle(Cr, R.Left, R.Top, static_cast<double>(R.Right) - R.Left,
                    static_cast<double>(R.Bottom) - R.Top);
}

// The box a shape's outline runs along: the pen lies inside the rectangle. Without a pen the
// fill ends a pixel short at the right and bottom, as the canvas's does.
struct TShapeBox {
    double X, Y, W, H;
};
TShapeBox ShapeBox(const TRect& R, double Inset, bool HasPen) {
    const double shortBy = HasPen ? 0 : 1;
    return {R.Left + Inset, R.Top + Inset,
            std::max(0.0, static_cast<double>(R.Right) - R.Left - 2 * Inset - shortBy),
            std::max(0.0, static_cast<double>(R.Bottom) - R.Top - 2 * Inset - shortBy)};
}

void EllipsePath(cairo_t* Cr, const TShapeBox& B) {
    if (B.W <= 0 || B.H <= 0) return;
    cairo_save(Cr);
    cairo_translate(Cr, B.X + B.W / 2, B.Y + B.H / 2);
    cairo_scale(Cr, B.W / 2, B.H / 2);
    cairo_new_sub_path(Cr);
    cairo_arc(Cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(Cr);
}

void RoundRectPath(cairo_t* Cr, const TShapeBox& B, double Rx, double Ry) {
    Rx = std::min(Rx, B.W / 2);
    Ry = std::min(Ry, B.H / 2);
    if (Rx <= 0 || Ry <= 0) {
        cairo_rectangle(Cr, B.X, B.Y, B.W, B.H);
        return;
    }
    const auto corner = [&](double Cx, double Cy, double From) {
        cairo_save(Cr);
        cairo_translate(Cr, Cx, Cy);
        cairo_scale(Cr, Rx, Ry);
        cairo_arc(Cr, 0, 0, 1, From, From + M_PI / 2);
        cairo_restore(Cr);
    };
    cairo_new_sub_path(Cr);
    corner(B.X + B.W - Rx, B.Y + Ry, -M_PI / 2);
    corner(B.X + B.W - Rx, B.Y + B.H - Ry, 0);
    corner(B.X + Rx, B.Y + B.H - Ry, M_PI / 2);
    corner(B.X + Rx, B.Y + Ry, M_PI);
    cairo_close_path(Cr);
}

}  // namespace

TCairoFonts::~TCairoFonts() {
    for (auto& [key, face] : FFaces)
        if (face->Face) cairo_font_face_destroy(face->Face);
}

const TCairoFonts::TFace* TCairoFonts::Face(const std::shared_ptr<const TRealizedFont>& Realized) {
    if (Realized == FLastFont) return FLastFace;
    const TRealizedFont& font = *Realized;
    FLastFont = Realized;
    FLastFace = nullptr;
    if (font.FileName().empty()) return nullptr;
    auto key = std::make_tuple(font.FileName(), font.FaceIndex(), font.Emboldened());
    auto found = FFaces.find(key);
    if (found == FFaces.end()) {
        auto face = std::make_unique<TFace>();
        FT_Face ft = nullptr;
        if (Library() &&
            FT_New_Face(Library(), font.FileName().c_str(), font.FaceIndex(), &ft) == 0) {
            for (int ch = 0; ch < 256; ++ch)
                face->Glyphs[static_cast<size_t>(ch)] =
                    FT_Get_Char_Index(ft, Win1252ToUnicode(static_cast<uint8_t>(ch)));
            face->Face = cairo_ft_font_face_create_for_ft_face(ft, 0);
            if (cairo_font_face_set_user_data(face->Face, &FaceKey, ft, DoneFace) !=
                CAIRO_STATUS_SUCCESS) {
                cairo_font_face_destroy(face->Face);
                FT_Done_Face(ft);
                face->Face = nullptr;
            } else if (font.Emboldened()) {
                cairo_ft_font_face_set_synthesize(face->Face, CAIRO_FT_SYNTHESIZE_BOLD);
            }
        }
        found = FFaces.emplace(std::move(key), std::move(face)).first;
    }
    FLastFace = found->second->Face ? found->second.get() : nullptr;
    return FLastFace;
}

void TCairoPageTarget::SetColor(TColor Color) {
    const uint32_t pixel = ColorToPixel(Color);
    cairo_set_source_rgb(FCr, ((pixel >> 16) & 0xFF) / 255.0, ((pixel >> 8) & 0xFF) / 255.0,
                         (pixel & 0xFF) / 255.0);
}

TCairoPageTarget::TCairoPageTarget(cairo_t* Cr, TCairoFonts& Fonts) : FCr(Cr), FFonts(Fonts) {
    cairo_save(FCr);
}

TCairoPageTarget::~TCairoPageTarget() {
    cairo_restore(FCr);
}

double TCairoPageTarget::NaturalAdvance(unsigned long Glyph, uint8_t Ch) {
    double& advance = (*FAdvances)[Ch];
    if (advance < 0) {
        cairo_glyph_t glyph{Glyph, 0, 0};
        cairo_text_extents_t extents;
        cairo_scaled_font_glyph_extents(cairo_get_scaled_font(FCr), &glyph, 1, &extents);
        advance = std::max(0.0, extents.x_advance);
    }
    return advance;
}

void TCairoPageTarget::Restored() {
    FFontFace = nullptr;
    FFontSize = 0;
    FLineWidth = 0;
}

void TCairoPageTarget::Clip(const std::optional<TRegion>& Region) {
    cairo_restore(FCr);
    Restored();
    cairo_save(FCr);
    if (!Region) return;
    cairo_new_path(FCr);
    for (const TRect& r : Region->Rects())
        Rectangle(FCr, r);
    // An empty region clips everything away, as it does on the canvas.
    if (Region->Empty()) cairo_rectangle(FCr, 0, 0, 0, 0);
    cairo_clip(FCr);
}

void TCairoPageTarget::StrokePen(const TCanvasCall& Call) {
    if (Call.PenStyle == psClear || Call.PenColor == clNone) return;
    const int32_t width = std::max(1, Call.PenWidth);
    SetColor(Call.PenColor);
    if (width != FLineWidth || Call.PenStyle != FLineStyle) {
        FLineWidth = width;
        FLineStyle = Call.PenStyle;
        cairo_set_line_width(FCr, width);
        // A one-pixel line covers the pixels it passes through and no more; a wide one is
        // round at its ends and joins, as a geometric pen is.
        cairo_set_line_cap(FCr, width == 1 ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(FCr, width == 1 ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
        const auto pattern = width == 1 ? DashPattern(Call.PenStyle) : std::span<const int64_t>{};
        std::vector<double> dashes(pattern.begin(), pattern.end());
        cairo_set_dash(FCr, dashes.data(), static_cast<int>(dashes.size()), 0);
    }
    cairo_stroke_preserve(FCr);
}

void TCairoPageTarget::FillBrush(const TCanvasCall& Call) {
    if (Call.BrushStyle == bsClear || Call.BrushColor == clNone) return;
    SetColor(Call.BrushColor);
    cairo_fill_preserve(FCr);
}

void TCairoPageTarget::Lines(const TCanvasCall& Call, bool Closed) {
    cairo_new_path(FCr);
    // Pixel centres: a canvas line runs through them.
    for (const TPoint& p : Call.Points)
        cairo_line_to(FCr, p.X + 0.5, p.Y + 0.5);
    if (Closed) {
        cairo_close_path(FCr);
        cairo_set_fill_rule(FCr, CAIRO_FILL_RULE_EVEN_ODD);
        FillBrush(Call);
    }
    StrokePen(Call);
    cairo_new_path(FCr);
}

void TCairoPageTarget::Shape(const TCanvasCall& Call) {
    const TRect& r = Call.Rects[0];
    const TRect box = Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
                           std::max(r.Left, r.Right), std::max(r.Top, r.Bottom));
    const bool hasPen = Call.PenStyle != psClear && Call.PenColor != clNone;
    const double inset = hasPen ? std::max(1, Call.PenWidth) / 2.0 : 0;
    const auto path = [&](const TShapeBox& B) {
        cairo_new_path(FCr);
        if (Call.Name == "Ellipse") {
            EllipsePath(FCr, B);
        } else if (Call.Name == "RoundRect" && Call.Points.size() == 1) {
            RoundRectPath(FCr, B, Call.Points[0].X / 2.0, Call.Points[0].Y / 2.0);
        } else {
            cairo_rectangle(FCr, B.X, B.Y, B.W, B.H);
        }
    };
    cairo_set_fill_rule(FCr, CAIRO_FILL_RULE_WINDING);
    path(ShapeBox(box, 0, hasPen));
    FillBrush(Call);
    if (hasPen) {
        path(ShapeBox(box, inset, true));
        StrokePen(Call);
    }
    cairo_new_path(FCr);
}

void TCairoPageTarget::Fill(const TRect& R, TColor Color) {
    SetColor(Color);
    cairo_new_path(FCr);
    Rectangle(FCr, R);
    cairo_fill(FCr);
}

void TCairoPageTarget::Text(const TCanvasCall& Call) {
    const TRealizedFont& face = *Call.Face;
    const TTextMetric& tm = face.Metrics();
    const bool hasRect = !Call.Rects.empty();
    const bool clipped = hasRect && (Call.Flags & ETO_CLIPPED);
    const bool turned = Call.Escapement % 3600 != 0;
    if (hasRect && (Call.Flags & ETO_OPAQUE) && Call.BkColor != clNone)
        Fill(Call.Rects[0], Call.BkColor);
    // The text's own box, as the canvas lays it out, turned by the escapement about the
    // reference point. Upright text, nearly all of a page's, is placed by an offset instead: a
    // saved and restored state for each would cost more than the text.
    const int64_t width = face.Width(Call.Text);
    const TTextAnchor anchor = TextAnchor(tm, width, Call.TextAlign);
    TPointF box{static_cast<double>(Call.Points[0].X - anchor.X),
                static_cast<double>(Call.Points[0].Y - anchor.Y)};
    if (clipped || turned) {
        cairo_save(FCr);
        if (clipped) {
            cairo_new_path(FCr);
            Rectangle(FCr, Call.Rects[0]);
            cairo_clip(FCr);
        }
        cairo_translate(FCr, Call.Points[0].X, Call.Points[0].Y);
        if (turned) cairo_rotate(FCr, -Call.Escapement * M_PI / 1800.0);
        cairo_translate(FCr, static_cast<double>(-anchor.X), static_cast<double>(-anchor.Y));
        box = {0, 0};
    }
    if (Call.BkColor != clNone && width > 0) {
        SetColor(Call.BkColor);
        cairo_rectangle(FCr, box.X, box.Y, static_cast<double>(width), tm.tmHeight);
        cairo_fill(FCr);
    }
    SetColor(Call.TextColor);
    TextGlyphs(Call, box, tm.tmAscent);
    const auto line = [&](int64_t Top) {
        cairo_rectangle(FCr, box.X, box.Y + static_cast<double>(Top), static_cast<double>(width),
                        face.LineThickness());
        cairo_fill(FCr);
    };
    if (width > 0 && Call.FontStyle.Contains(fsUnderline))
        line(tm.tmAscent + face.UnderlineOffset());
    if (width > 0 && Call.FontStyle.Contains(fsStrikeOut))
        line(tm.tmAscent - face.StrikeOutOffset());
    if (clipped || turned) {
        cairo_restore(FCr);
        Restored();
    }
}

void TCairoPageTarget::TextGlyphs(const TCanvasCall& Call, TPointF Box, int64_t Baseline) {
    const TRealizedFont& font = *Call.Face;
    const TCairoFonts::TFace* face = FFonts.Face(Call.Face);
    if (!face) {
        // No outlines to give a reader: the glyphs are drawn as the pictures the canvas drew.
        int64_t pen = 0;
        for (char ch : Call.Text) {
            const uint8_t c = static_cast<uint8_t>(ch);
            const auto glyph = font.Glyph(c);
            if (glyph->Width > 0 && glyph->Height > 0) {
                const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, glyph->Width);
                std::vector<unsigned char> rows(static_cast<size_t>(stride) * glyph->Height);
                for (int32_t y = 0; y < glyph->Height; ++y)
                    std::copy_n(glyph->Coverage.data() + static_cast<size_t>(y) * glyph->Width,
                                glyph->Width, rows.data() + static_cast<size_t>(y) * stride);
                cairo_surface_t* mask = cairo_image_surface_create_for_data(
                    rows.data(), CAIRO_FORMAT_A8, glyph->Width, glyph->Height, stride);
                cairo_mask_surface(FCr, mask, Box.X + static_cast<double>(pen + glyph->Left),
                                   Box.Y + static_cast<double>(Baseline - glyph->Top));
                cairo_surface_destroy(mask);
            }
            pen += font.Advance(c);
        }
        return;
    }
    if (Call.Text.empty()) return;
    const std::string utf8 = Win1252ToUtf8(Call.Text);
    if (face->Face != FFontFace || font.PixelSize() != FFontSize) {
        FFontFace = face->Face;
        FFontSize = font.PixelSize();
        cairo_set_font_face(FCr, FFontFace);
        cairo_set_font_size(FCr, FFontSize);
        auto [advances, made] = face->Advances.try_emplace(FFontSize);
        if (made) advances->second.fill(-1);
        FAdvances = &advances->second;
    }
    FGlyphs.clear();
    FClusters.clear();
    // Each glyph goes where the canvas put it, give or take less than a device pixel: as long as
    // the face's own advances keep within that, they place it, and a reader's file needs no
    // correction for every glyph (which costs more to write than the glyph). In small text a
    // pixel is a good part of the em, and a reader takes a jump that large for a space between
    // words, so there the glyphs keep closer still. A glyph whose own advance would take the
    // next one out of that goes where the canvas put it: the jump back is then the drift so
    // far, still within it, and not that drift and a glyph's difference on top.
    const double tolerance = std::min(1.0, font.PixelSize() / 20.0);
    int64_t pen = 0;
    double natural = 0;
    for (char ch : Call.Text) {
        const uint8_t c = static_cast<uint8_t>(ch);
        const int64_t advance = font.Advance(c);
        const double naturalAdvance = NaturalAdvance(face->Glyphs[c], c);
        if (std::abs(natural + naturalAdvance - static_cast<double>(pen + advance)) >= tolerance)
            natural = static_cast<double>(pen);
        FGlyphs.push_back(
            {face->Glyphs[c], Box.X + natural, Box.Y + static_cast<double>(Baseline)});
        FClusters.push_back({Utf8Length(c), 1});
        pen += advance;
        natural += naturalAdvance;
    }
    cairo_show_text_glyphs(FCr, utf8.data(), static_cast<int>(utf8.size()), FGlyphs.data(),
                           static_cast<int>(FGlyphs.size()), FClusters.data(),
                           static_cast<int>(FClusters.size()), cairo_text_cluster_flags_t{});
}

void TCairoPageTarget::Picture(const TRect& Dest, const TPixelImage& Picture) {
    // Scaling to nothing is a matrix cairo cannot invert, which would stop the whole page: the
    // canvas draws nothing there, and neither does the sheet.
    if (Dest.Right <= Dest.Left || Dest.Bottom <= Dest.Top || Picture.Width <= 0 ||
        Picture.Height <= 0)
        return;
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Picture.Width, Picture.Height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int32_t y = 0; y < Picture.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        const uint32_t* from = Picture.Pixels.data() + static_cast<size_t>(y) * Picture.Width;
        // Premultiplied: a pixel the picture leaves out is all zero.
        for (int32_t x = 0; x < Picture.Width; ++x)
            row[x] = (from[x] >> 24) ? from[x] | 0xFF000000 : 0;
    }
    cairo_surface_mark_dirty(image);
    cairo_save(FCr);
    cairo_translate(FCr, Dest.Left, Dest.Top);
    cairo_scale(FCr, (static_cast<double>(Dest.Right) - Dest.Left) / Picture.Width,
                (static_cast<double>(Dest.Bottom) - Dest.Top) / Picture.Height);
    cairo_set_source_surface(FCr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(FCr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(FCr, 0, 0, Picture.Width, Picture.Height);
    cairo_fill(FCr);
    cairo_restore(FCr);
    cairo_surface_destroy(image);
}

}  // namespace vex
