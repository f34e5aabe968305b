#include "platform/gfx/fontfaces.h"

#include <fontconfig/fontconfig.h>

#include <map>

#include "platform/core/stringutils.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/fontengine.h"

namespace vex {

namespace {

struct TCharsetProbe {
    TFontCharset Charset;
    // Letters the set's code page adds to ASCII; a face covers the set when it has them all.
    std::vector<uint32_t> Letters;
};

const std::vector<TCharsetProbe>& Probes() {
    static const std::vector<TCharsetProbe> probes = {
        {ANSI_CHARSET, {0x00C0, 0x00D1, 0x00DF, 0x00E9, 0x00FF}},
        {EASTEUROPE_CHARSET, {0x010D, 0x0142, 0x0150, 0x0171}},
        {RUSSIAN_CHARSET, {0x0416, 0x044F, 0x0451}},
        {GREEK_CHARSET, {0x0391, 0x03A9, 0x03C9}},
        {TURKISH_CHARSET, {0x011E, 0x0130, 0x015F}},
        {HEBREW_CHARSET, {0x05D0, 0x05EA}},
        {ARABIC_CHARSET, {0x0627, 0x0644}},
        {BALTIC_CHARSET, {0x0116, 0x012E, 0x0173}},
        {VIETNAMESE_CHARSET, {0x01A0, 0x01AF, 0x20AB}},
        {THAI_CHARSET, {0x0E01, 0x0E3F}},
    };
    return probes;
}

// What fontconfig knows of a family, gathered over its faces.
struct TFamilyCoverage {
    FcCharSet* Chars = nullptr;  // owned; the union of the faces' sets
    bool Scalable = false;
};

// Every family fontconfig lists, with the characters its faces cover between them. The list
// goes through the library's default configuration, which the font engine releases at exit
// with the rest of fontconfig.
std::map<std::string, TFamilyCoverage> FamilyCoverage() {
    std::map<std::string, TFamilyCoverage> families;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_CHARSET, FC_SCALABLE, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch || !name)
            continue;
        TFamilyCoverage& family = families[reinterpret_cast<const char*>(name)];
        FcCharSet* chars = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) == FcResultMatch) {
            if (family.Chars == nullptr) {
                family.Chars = FcCharSetCopy(chars);
            } else {
                FcCharSet* merged = FcCharSetUnion(family.Chars, chars);
                FcCharSetDestroy(family.Chars);
                family.Chars = merged;
            }
        }
        FcBool scalable = FcFalse;
        FcPatternGetBool(set->fonts[i], FC_SCALABLE, 0, &scalable);
        family.Scalable = family.Scalable || scalable == FcTrue;
    }
    if (set != nullptr) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return families;
}

}  // namespace

std::vector<TFontCharset> CharsetsCovered(const std::function<bool(uint32_t)>& HasChar) {
    if (!HasChar('A') || !HasChar('z')) return {SYMBOL_CHARSET};
    std::vector<TFontCharset> covered;
    for (const TCharsetProbe& probe : Probes()) {
        bool all = true;
        for (uint32_t letter : probe.Letters)
            all = all && HasChar(letter);
        if (all) covered.push_back(probe.Charset);
    }
    // A face of ASCII alone still writes the common part of the ANSI code page.
    if (covered.empty()) covered.push_back(ANSI_CHARSET);
    return covered;
}

std::vector<TFontFace> ScreenFontFaces() {
    std::map<std::string, TFamilyCoverage> coverage = FamilyCoverage();
    std::vector<TFontFace> faces;
    for (const TFontFamily& family : InstalledFontFamilies()) {
        const uint8_t pitch = family.FixedPitch ? FIXED_PITCH : VARIABLE_PITCH;
        if (family.Name == FixedFontName) {
            faces.push_back({family.Name, ANSI_CHARSET, pitch, true});
            continue;
        }
        const auto found = coverage.find(family.Name);
        if (found == coverage.end()) continue;  // installed between the two lists
        const FcCharSet* chars = found->second.Chars;
        const auto has = [chars](uint32_t C) {
            return chars != nullptr && FcCharSetHasChar(chars, C) == FcTrue;
        };
        for (TFontCharset charset : CharsetsCovered(has))
            faces.push_back({family.Name, charset, pitch, found->second.Scalable});
    }
    for (auto& [name, family] : coverage)
        if (family.Chars != nullptr) FcCharSetDestroy(family.Chars);
    return faces;
}

bool EnumFontFamilies(const std::vector<TFontFace>& Faces, const std::string& FaceName,
                      const std::function<bool(const TFontFace&)>& Proc) {
    bool result = true;
    for (const TFontFace& face : Faces) {
        if (!FaceName.empty() && !SameText(face.FaceName, FaceName)) continue;
        result = Proc(face);
        if (!result) break;
    }
    return result;
}

TFontCharset CharsetOfFace(const std::vector<TFontFace>& Faces, const std::string& FaceName,
                           TFontCharset Fallback) {
    TFontCharset charset = Fallback;
    EnumFontFamilies(Faces, FaceName, [&charset](const TFontFace& Face) {
        charset = Face.CharSet;
        return false;
    });
    return charset;
}

}  // namespace vex
