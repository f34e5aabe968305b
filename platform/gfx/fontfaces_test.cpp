#include "platform/gfx/fontfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/gfx/fixedfont.h"

namespace vex {
namespace {

TEST(FontFaces, TheSetsCoveredFollowTheLettersAFaceHas) {
    const auto latin = [](uint32_t C) { return C < 0x80 || (C >= 0xC0 && C <= 0xFF); };
    const auto cyrillic = [&](uint32_t C) { return latin(C) || (C >= 0x400 && C <= 0x4FF); };
    const auto pictures = [](uint32_t C) { return C >= 0x2600; };
    const auto asciiOnly = [](uint32_t C) { return C < 0x80; };
    // Latin Extended-A holds the East European, Turkish and Baltic letters alike.
    const auto extendedA = [&](uint32_t C) { return latin(C) || (C >= 0x100 && C <= 0x17F); };
    const struct {
        const char* Face;
        std::function<bool(uint32_t)> HasChar;
        std::vector<TFontCharset> Expected;
    } cases[] = {
        {"western", latin, {ANSI_CHARSET}},
        {"with Cyrillic", cyrillic, {ANSI_CHARSET, RUSSIAN_CHARSET}},
        {"pictures, no letters", pictures, {SYMBOL_CHARSET}},
        {"ASCII alone", asciiOnly, {ANSI_CHARSET}},
        {"Latin Extended-A",
         extendedA,
         {ANSI_CHARSET, EASTEUROPE_CHARSET, TURKISH_CHARSET, BALTIC_CHARSET}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CharsetsCovered(c.HasChar), c.Expected) << c.Face;
}

TEST(FontFaces, TheScreenListsEachFamilyInItsSetsWithTheBuiltInFont) {
    const std::vector<TFontFace> faces = ScreenFontFaces();
    std::vector<TFontCharset> sans;
    std::set<std::string> names;
    for (const TFontFace& face : faces) {
        names.insert(face.FaceName);
        if (face.FaceName == "DejaVu Sans") sans.push_back(face.CharSet);
        if (face.FaceName == FixedFontName) {
            EXPECT_EQ(face, (TFontFace{FixedFontName, ANSI_CHARSET, FIXED_PITCH, true}));
        }
    }
    ASSERT_FALSE(sans.empty());
    EXPECT_EQ(sans.front(), ANSI_CHARSET);
    for (TFontCharset wanted : {EASTEUROPE_CHARSET, RUSSIAN_CHARSET, GREEK_CHARSET})
        EXPECT_NE(std::find(sans.begin(), sans.end(), wanted), sans.end()) << int(wanted);
    EXPECT_TRUE(names.contains(FixedFontName));
    EXPECT_TRUE(std::is_sorted(
        faces.begin(), faces.end(),
        [](const TFontFace& A, const TFontFace& B) { return A.FaceName < B.FaceName; }));
}

TEST(FontFaces, ALookupByNameIgnoresCaseStopsWhenAskedAndFallsBack) {
    const std::vector<TFontFace> faces = {{"Alpha", RUSSIAN_CHARSET, VARIABLE_PITCH, true},
                                          {"Alpha", GREEK_CHARSET, VARIABLE_PITCH, true},
                                          {"Beta", SYMBOL_CHARSET, VARIABLE_PITCH, true}};
    EXPECT_EQ(CharsetOfFace(faces, "ALPHA", 0x80), RUSSIAN_CHARSET);
    EXPECT_EQ(CharsetOfFace(faces, "beta", 0x80), SYMBOL_CHARSET);
    EXPECT_EQ(CharsetOfFace(faces, "Gamma", 0x80), 0x80);

    int seen = 0;
    EXPECT_FALSE(EnumFontFamilies(faces, "", [&](const TFontFace&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(EnumFontFamilies(faces, "Gamma", [](const TFontFace&) { return false; }));
}

}  // namespace
}  // namespace vex
