#include "components/entry/OvcFxFont.h"

#include <gtest/gtest.h>

#include <string>

#include "components/entry/OvcErrors.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/fontengine.h"

namespace vex {
namespace {

bool Listed(const std::string& Name) {
    const TStringList& list = FixedFontList();
    for (int32_t i = 0; i < list.Count(); ++i)
        if (list[i] == Name) return true;
    return false;
}

TEST(FixedFontList, HoldsTheFixedFacesAndNoProportionalOne) {
    EXPECT_TRUE(Listed(FixedFontName));
    EXPECT_TRUE(Listed("Courier New"));
    EXPECT_TRUE(Listed("Lucida Console"));
    EXPECT_FALSE(Listed("MS Sans Serif"));
    EXPECT_FALSE(Listed("Times New Roman"));
    for (const TFontFamily& family : InstalledFontFamilies()) {
        SCOPED_TRACE(family.Name);
        EXPECT_EQ(Listed(family.Name), family.FixedPitch);
    }
}

TEST(OvcFixedFont, StartsWithTheFirstFixedFace) {
    TOvcFixedFont font;
    EXPECT_EQ(font.Name(), FixedFontList()[0]);
}

TEST(OvcFixedFont, TakesOnlyAFixedFaceByName) {
    TOvcFixedFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetName("Courier New");
    font.SetSize(8);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Size(), 8);
    font.SetName("Times New Roman");
    font.SetName("courier new");
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(changes, 2);
}

TEST(OvcFixedFont, AssignsAFixedFontAndRefusesAnyOtherSource) {
    TOvcFixedFont font;
    TFont fixed;
    fixed.SetName("Courier New");
    fixed.SetStyle({fsBold});
    font.Assign(&fixed);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_TRUE(font.Style().Contains(fsBold));

    TFont proportional;
    proportional.SetName("Arial");
    EXPECT_THROW(font.Assign(&proportional), EInvalidFixedFont);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_THROW(font.Assign(nullptr), EInvalidFontParam);
    try {
        font.Assign(&proportional);
    } catch (const EInvalidFixedFont& e) {
        EXPECT_STREQ(e.what(), "Invalid font assignment. Font must be a fixed font");
    }
}

TEST(OvcFixedFont, KeepsItsFixedNameWhenAnotherFixedFontHoldsAProportionalOne) {
    TOvcFixedFont font;
    font.SetName("Courier New");
    TOvcFixedFont source;
    source.Font().SetName("Arial");
    source.Font().SetHeight(-20);
    font.Assign(&source);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Font().Height(), -20);
}

}  // namespace
}  // namespace vex
