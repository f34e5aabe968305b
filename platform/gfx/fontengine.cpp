#include "platform/gfx/fontengine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <tuple>

#include "platform/core/codepage.h"
#include "platform/core/stringutils.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"

namespace vex {

namespace {

// FreeType objects are not safe to share between threads; everything that touches them holds
// this lock.
std::recursive_mutex& EngineLock() {
    static std::recursive_mutex lock;
    return lock;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

// One configuration of our own for the life of the process. Fontconfig keeps caches that only
// FcFini frees; releasing them at exit keeps leak checkers quiet about them.
FcConfig* FontConfig() {
    static FcConfig* config = [] {
        FcConfig* loaded = FcInitLoadConfigAndFonts();
        std::atexit([] {
            FcConfigDestroy(FontConfig());
            FcFini();
        });
        return loaded;
    }();
    return config;
}

struct TFaceAlias {
    const char* Name;
    const char* Family;
};

constexpr const char* SansFamily = "DejaVu Sans";
constexpr const char* SerifFamily = "DejaVu Serif";
constexpr const char* MonoFamily = "DejaVu Sans Mono";

constexpr TFaceAlias FaceAliases[] = {
    {"MS Sans Serif", SansFamily},    {"MS Shell Dlg", SansFamily},
    {"MS Shell Dlg 2", SansFamily},   {"Arial", SansFamily},
    {"Helvetica", SansFamily},        {"Tahoma", SansFamily},
    {"Verdana", SansFamily},          {"System", SansFamily},
    {"Small Fonts", SansFamily},      {"Segoe UI", SansFamily},
    {"Times New Roman", SerifFamily}, {"MS Serif", SerifFamily},
    {"Times", SerifFamily},           {"Georgia", SerifFamily},
    {"Courier New", MonoFamily},      {"Courier", MonoFamily},
    {"Fixedsys", MonoFamily},         {"Terminal", MonoFamily},
    {"Lucida Console", MonoFamily},
};

// Grey-level pictures beyond this many bytes per font are drawn afresh each time rather than
// kept, so a huge size cannot fill memory.
constexpr size_t GlyphCacheBytes = 4 << 20;
constexpr size_t RealizedFontCacheSize = 16;

int32_t Ceil26(FT_Pos V) {
    return static_cast<int32_t>((V + 63) >> 6);
}

class TFreeTypeFont : public TRealizedFont {
public:
    TFreeTypeFont(FT_Face Face, const TLogFont& LogFont, bool FixedPitch, uint8_t Family,
                  const std::string& FileName, int32_t FaceIndex);
    ~TFreeTypeFont() override {
        std::lock_guard guard(EngineLock());
        FT_Done_Face(FFace);
    }
    TFreeTypeFont(const TFreeTypeFont&) = delete;
    TFreeTypeFont& operator=(const TFreeTypeFont&) = delete;

    std::shared_ptr<const TGlyph> Glyph(uint8_t Ch) const override;

private:
    std::shared_ptr<const TGlyph> Render(uint8_t Ch) const;

    FT_Face FFace;
    mutable std::array<std::shared_ptr<const TGlyph>, 256> FGlyphs;
    mutable size_t FCachedBytes = 0;
};

TFreeTypeFont::TFreeTypeFont(FT_Face Face, const TLogFont& LogFont, bool FixedPitch, uint8_t Family,
                             const std::string& FileName, int32_t FaceIndex)
    : FFace(Face) {
    FFileName = FileName;
    FFaceIndex = FaceIndex;
    const int32_t height = LogFont.lfHeight == 0 ? -11 : LogFont.lfHeight;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
    const int32_t upem = std::max<int32_t>(FFace->units_per_EM, 1);
    int32_t winAscent = os2 ? os2->usWinAscent : FFace->ascender;
    int32_t winDescent = os2 ? os2->usWinDescent : -FFace->descender;
    if (winAscent + winDescent <= 0) {
        winAscent = upem * 4 / 5;
        winDescent = upem / 5;
    }
    // A positive height is the whole cell, which the original filled with the face's
    // Windows ascent and descent; a negative one is the em.
    int32_t ppem = height < 0 ? -height
                              : static_cast<int32_t>(std::lround(static_cast<double>(height) *
                                                                 upem / (winAscent + winDescent)));
    ppem = std::clamp(ppem, 1, MaxFontHeight);
    FT_Set_Pixel_Sizes(FFace, 0, static_cast<FT_UInt>(ppem));
    FPixelSize = ppem;

    const auto scale = [&](int32_t Units) {
        return static_cast<int32_t>(std::lround(static_cast<double>(Units) * ppem / upem));
    };
    const bool bold = LogFont.lfWeight >= FW_SEMIBOLD;
    FEmboldened = bold && !(FFace->style_flags & FT_STYLE_FLAG_BOLD);
    FMetrics.tmAscent = std::max(1, scale(winAscent));
    FMetrics.tmDescent = std::max(0, scale(winDescent));
    FMetrics.tmHeight = FMetrics.tmAscent + FMetrics.tmDescent;
    FMetrics.tmInternalLeading = std::max(0, FMetrics.tmHeight - ppem);
    FMetrics.tmExternalLeading =
        os2 ? std::max(0, scale(os2->sTypoLineGap) - FMetrics.tmInternalLeading) : 0;
    FMetrics.tmMaxCharWidth = std::max(1, Ceil26(FFace->size->metrics.max_advance));
    FMetrics.tmWeight = bold ? FW_BOLD : FW_NORMAL;
    FMetrics.tmItalic = LogFont.lfItalic ? 1 : 0;
    FMetrics.tmUnderlined = LogFont.lfUnderline ? 1 : 0;
    FMetrics.tmStruckOut = LogFont.lfStrikeOut ? 1 : 0;
    FMetrics.tmPitchAndFamily = static_cast<uint8_t>(Family | TMPF_TRUETYPE | TMPF_VECTOR |
                                                     (FixedPitch ? 0 : TMPF_FIXED_PITCH));
    FMetrics.tmCharSet = LogFont.lfCharSet;

    for (int ch = 0; ch < 256; ++ch) {
        const FT_UInt index = FT_Get_Char_Index(FFace, Win1252ToUnicode(static_cast<uint8_t>(ch)));
        int32_t advance = 0;
        if (FT_Load_Glyph(FFace, index, FT_LOAD_DEFAULT) == 0)
            advance = static_cast<int32_t>((FFace->glyph->advance.x + 32) >> 6);
        if (FEmboldened && advance > 0) advance += std::max(1, ppem / 24);
        FAdvances[static_cast<size_t>(ch)] = advance;
    }
    // Windows measured the average on the lower-case letters and the space.
    int64_t sum = FAdvances[' '] * 26;
    for (char ch = 'a'; ch <= 'z'; ++ch)
        sum += FAdvances[static_cast<uint8_t>(ch)];
    FMetrics.tmAveCharWidth = std::max<int32_t>(1, static_cast<int32_t>((sum + 26) / 52));

    FLineThickness = std::max(1, scale(FFace->underline_thickness));
    FUnderlineOffset = std::max(0, scale(-FFace->underline_position) - FLineThickness / 2);
    FStrikeOutOffset =
        os2 && os2->yStrikeoutPosition > 0 ? scale(os2->yStrikeoutPosition) : FMetrics.tmAscent / 3;
}

std::shared_ptr<const TGlyph> TFreeTypeFont::Glyph(uint8_t Ch) const {
    std::lock_guard guard(EngineLock());
    if (FGlyphs[Ch]) return FGlyphs[Ch];
    std::shared_ptr<const TGlyph> glyph = Render(Ch);
    if (FCachedBytes + glyph->Coverage.size() <= GlyphCacheBytes) {
        FCachedBytes += glyph->Coverage.size();
        FGlyphs[Ch] = glyph;
    }
    return glyph;
}

std::shared_ptr<const TGlyph> TFreeTypeFont::Render(uint8_t Ch) const {
    auto glyph = std::make_shared<TGlyph>();
    const FT_UInt index = FT_Get_Char_Index(FFace, Win1252ToUnicode(Ch));
    if (FT_Load_Glyph(FFace, index, FT_LOAD_DEFAULT) != 0) return glyph;
    FT_GlyphSlot slot = FFace->glyph;
    if (FEmboldened && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Embolden(&slot->outline,
                            std::max<FT_Pos>(64, FFace->size->metrics.x_ppem * 64 / 24));
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return glyph;
    glyph->Left = slot->bitmap_left;
    glyph->Top = slot->bitmap_top;
    glyph->Width = static_cast<int32_t>(bitmap.width);
    glyph->Height = static_cast<int32_t>(bitmap.rows);
    glyph->Coverage.resize(static_cast<size_t>(glyph->Width) * glyph->Height);
    for (int32_t y = 0; y < glyph->Height; ++y) {
        const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* out = glyph->Coverage.data() + static_cast<size_t>(y) * glyph->Width;
        for (int32_t x = 0; x < glyph->Width; ++x)
            out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY
                         ? row[x]
                         : ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0);
    }
    return glyph;
}

struct TFaceFile {
    std::string File;
    int Index = 0;
    bool FixedPitch = false;
};

// The installed file fontconfig picks for a family and style.
TFaceFile MatchFace(const std::string& Family, bool Bold, bool Italic, bool Fixed) {
    TFaceFile result;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (Fixed) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(FontConfig(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult status = FcResultNoMatch;
    FcPattern* match = FcFontMatch(FontConfig(), pattern, &status);
    FcPatternDestroy(pattern);
    if (!match) return result;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
        result.File = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &result.Index);
    int spacing = FC_PROPORTIONAL;
    if (FcPatternGetInteger(match, FC_SPACING, 0, &spacing) == FcResultMatch)
        result.FixedPitch = spacing >= FC_MONO;
    FcPatternDestroy(match);
    return result;
}

uint8_t FamilyOf(const std::string& Mapped) {
    if (Mapped == SerifFamily) return FF_ROMAN;
    if (Mapped == MonoFamily) return FF_MODERN;
    if (Mapped == SansFamily) return FF_SWISS;
    return FF_DONTCARE;
}

// Everything of a description that the realized font depends on, its metrics included.
using TFontKey = std::tuple<std::string, int32_t, bool, bool, bool, bool, uint8_t, bool>;

struct TFontCache {
    std::list<std::pair<TFontKey, std::shared_ptr<const TRealizedFont>>> Recent;
};

std::shared_ptr<const TRealizedFont> Realize(const TLogFont& LogFont, const std::string& Family) {
    const bool bold = LogFont.lfWeight >= FW_SEMIBOLD;
    const bool italic = LogFont.lfItalic != 0;
    const bool fixed = (LogFont.lfPitchAndFamily & 3) == FIXED_PITCH;
    FT_Library library = Library();
    if (library) {
        const TFaceFile file = MatchFace(Family, bold, italic, fixed);
        FT_Face face = nullptr;
        if (!file.File.empty() && FT_New_Face(library, file.File.c_str(), file.Index, &face) == 0) {
            if (FT_IS_SCALABLE(face))
                return std::make_shared<TFreeTypeFont>(face, LogFont,
                                                       file.FixedPitch || FT_IS_FIXED_WIDTH(face),
                                                       FamilyOf(Family), file.File, file.Index);
            FT_Done_Face(face);
        }
    }
    // Without any usable installed face text still measures and draws, in blocks.
    TLogFont fallback = LogFont;
    fallback.lfFaceName = FixedFontName;
    return std::make_shared<TFixedFont>(fallback);
}

}  // namespace

int64_t TRealizedFont::Width(std::string_view Text) const {
    int64_t width = 0;
    for (char ch : Text)
        width += FAdvances[static_cast<uint8_t>(ch)];
    return width;
}

TTextAnchor TextAnchor(const TTextMetric& Metrics, int64_t Width, uint32_t TextAlign) {
    const uint32_t horz = TextAlign & TA_CENTER;
    const uint32_t vert = TextAlign & TA_BASELINE;
    return {horz == TA_CENTER  ? Width / 2
            : horz == TA_RIGHT ? Width
                               : 0,
            vert == TA_BASELINE ? Metrics.tmAscent
            : vert == TA_BOTTOM ? Metrics.tmHeight
                                : 0};
}

std::string MapFaceName(const std::string& FaceName, bool Fixed) {
    if (Fixed) return MonoFamily;
    for (const TFaceAlias& alias : FaceAliases)
        if (SameText(FaceName, alias.Name)) return alias.Family;
    return FaceName.empty() ? SansFamily : FaceName;
}

std::vector<std::string> MappedFaceNames() {
    std::vector<std::string> names;
    for (const TFaceAlias& alias : FaceAliases)
        names.emplace_back(alias.Name);
    return names;
}

std::shared_ptr<const TRealizedFont> RealizeFont(const TLogFont& LogFont) {
    TLogFont lf = LogFont;
    lf.lfHeight = std::clamp(lf.lfHeight, -MaxFontHeight, MaxFontHeight);
    if (SameText(lf.lfFaceName, FixedFontName)) return std::make_shared<TFixedFont>(lf);
    const bool fixed = (lf.lfPitchAndFamily & 3) == FIXED_PITCH;
    const std::string family = MapFaceName(lf.lfFaceName, fixed);
    TFontKey key{family,
                 lf.lfHeight,
                 lf.lfWeight >= FW_SEMIBOLD,
                 lf.lfItalic != 0,
                 lf.lfUnderline != 0,
                 lf.lfStrikeOut != 0,
                 lf.lfCharSet,
                 fixed};

    // The lock is made first, so it outlives the cache whose fonts take it when freed at exit.
    std::lock_guard guard(EngineLock());
    static TFontCache cache;
    for (auto it = cache.Recent.begin(); it != cache.Recent.end(); ++it)
        if (it->first == key) {
            cache.Recent.splice(cache.Recent.begin(), cache.Recent, it);
            return cache.Recent.front().second;
        }
    std::shared_ptr<const TRealizedFont> font = Realize(lf, family);
    cache.Recent.emplace_front(std::move(key), font);
    if (cache.Recent.size() > RealizedFontCacheSize) cache.Recent.pop_back();
    return font;
}

std::vector<TFontFamily> InstalledFontFamilies() {
    std::map<std::string, bool> families{{FixedFontName, true}};
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SPACING, nullptr);
    FcFontSet* set = FcFontList(FontConfig(), pattern, objects);
    if (set) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* name = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch || !name)
                continue;
            int spacing = FC_PROPORTIONAL;
            FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing);
            // A family is fixed pitch only when every face of it is.
            const auto it = families.emplace(reinterpret_cast<const char*>(name), true).first;
            it->second = it->second && spacing >= FC_MONO;
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::vector<TFontFamily> result;
    for (const auto& [name, fixed] : families)
        result.push_back({name, fixed});
    return result;
}

}  // namespace vex
