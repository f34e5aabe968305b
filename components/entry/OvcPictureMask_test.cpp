#include "components/entry/OvcPictureMask.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/entry/OvcIntl.h"
#include "components/entry/OvcMisc.h"
#include "components/entry/picturemask_testsupport.h"
#include "platform/core/profile.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/picturemask.txt";

// The settings a case names, read from a profile written for it and put back after.
std::unique_ptr<TOvcIntlSup> Settings(const std::string& Name) {
    const TProfileOverride profile;
    const bool eu = Name == "eu";
    WriteProfileString("intl", "sDecimal", eu ? "," : ".");
    WriteProfileString("intl", "sThousand", eu ? "." : ",");
    WriteProfileString("intl", "sCurrency", eu ? "EU" : "$");
    WriteProfileString("intl", "iCurrency", "0");
    return std::make_unique<TOvcIntlSup>();
}

TOvcUserData SubstitutingUserData() {
    TOvcUserData data;
    data.SubstChars[0] = '@';
    return data;
}

TPictureFieldKind KindOf(const std::string& Letters) {
    TPictureFieldKind kind;
    kind.Numeric = Letters.find('n') != std::string::npos;
    kind.NumberBase = Letters.find('b') != std::string::npos;
    kind.RightJustify = Letters.find('r') != std::string::npos;
    kind.RealValue = Letters.find('f') != std::string::npos;
    return kind;
}

TEST(OvcPictureMask, MergesValuesIntoMasksAndStripsThemBackOut) {
    const TOvcUserData userData = SubstitutingUserData();
    for (const test::TestCase& c : test::ReadCases(Cases, "merge")) {
        SCOPED_TRACE(c.Where);
        const auto intl = Settings(c[3]);
        TOvcPictureMask mask(*intl, userData);
        test::AssignMask(mask, c[0], KindOf(c[2]).Numeric);
        EXPECT_EQ(mask.MergeWithPicture(c[1], KindOf(c[2])), c[4]);
    }
    for (const test::TestCase& c : test::ReadCases(Cases, "strip")) {
        SCOPED_TRACE(c.Where);
        const auto intl = Settings(c[2]);
        TOvcPictureMask mask(*intl, userData);
        test::AssignMask(mask, c[0], true);
        EXPECT_EQ(mask.StripPicture(c[1]), c[3]);
    }
}

TEST(OvcPictureMask, ClassifiesPositionsAndReportsAMaskWithoutLiterals) {
    const auto intl = Settings("us");
    TOvcPictureMask phone(*intl, DefaultUserData());
    test::AssignMask(phone, "(999) 999-9999", false);
    EXPECT_EQ(phone.MaxLength(), 14);
    size_t pictures = 0;
    for (size_t i = 0; i < phone.MaxLength(); ++i)
        pictures += phone.FlagAt(i) == TOvcPictureMask::pfPicture ? 1 : 0;
    EXPECT_EQ(pictures, 10u);
    EXPECT_FALSE(phone.NoLiterals());

    TOvcPictureMask plain(*intl, DefaultUserData());
    test::AssignMask(plain, "##########", true);
    EXPECT_TRUE(plain.NoLiterals());
    EXPECT_EQ(plain.StripPicture("  -12345.6"), "  -12345.6");

    TOvcPictureMask money(*intl, DefaultUserData());
    test::AssignMask(money, "$$#,###", true);
    EXPECT_EQ(money.FloatCount(), 3u);
    EXPECT_EQ(money.FirstEditPosition(), 3u);
}

TEST(OvcPictureMask, KeepsSignMarksOnlyInNumericMasksAndBoundsEveryPosition) {
    uint16_t length = 15;
    EXPECT_EQ(TOvcPictureMask::FitMask("###.##p", true, length), "###.##p");
    EXPECT_EQ(length, 6);
    EXPECT_EQ(TOvcPictureMask::FitMask("####g", true, length), "####g");
    EXPECT_EQ(length, 4) << "a numeric field's length follows a shorter mask too";
    length = 15;
    EXPECT_EQ(TOvcPictureMask::FitMask("gXXp", false, length), "XX");
    EXPECT_EQ(length, 15) << "a text field keeps a length beyond its mask";
    EXPECT_EQ(TOvcPictureMask::FitMask(std::string(400, '9'), false, length),
              std::string(255, '9'));
    EXPECT_EQ(length, 255);

    const auto intl = Settings("us");
    TOvcPictureMask text(*intl, DefaultUserData());
    text.Assign("9", 400);
    EXPECT_EQ(text.MaxLength(), 255);
    EXPECT_EQ(text.MergeWithPicture(std::string(1000, '7'), {}), std::string(255, '7'));
    EXPECT_EQ(text.MergeWithPicture(std::string(1000, '7'), KindOf("n")), std::string(255, '7'));
    EXPECT_EQ(text.StripPicture(std::string(255, '7')), std::string(255, '7'));
    text.Assign("", 0);
    EXPECT_EQ(text.Mask(), "X");
    EXPECT_EQ(text.MaxLength(), 1);
}

TEST(OvcPictureMask, AcceptsAndConvertsTypedCharactersByMaskCharacter) {
    const auto intl = Settings("us");
    TOvcPictureMask mask(*intl, DefaultUserData());
    for (const test::TestCase& c : test::ReadCases(Cases, "char")) {
        SCOPED_TRACE(c.Where);
        char typed = c[1].at(0);
        EXPECT_EQ(mask.ValidateChar(c[0].at(0), typed, true, c[2].at(0)), c.Int(3) != 0);
        EXPECT_EQ(std::string(1, typed), c[4]);
    }
}

TEST(OvcPictureMask, UserDefinedCharactersUseTheirOwnSetAndCase) {
    const auto intl = Settings("us");
    TOvcUserData data;
    data.UserCharSets[0].reset();
    for (char c = 'a'; c <= 'f'; ++c)
        data.UserCharSets[0].set(static_cast<uint8_t>(c));
    data.ForceCase[0] = mcLowerCase;
    TOvcPictureMask mask(*intl, data);
    char typed = 'C';
    EXPECT_TRUE(mask.ValidateChar('1', typed, true, ' '));
    EXPECT_EQ(typed, 'c');
    typed = 'g';
    EXPECT_FALSE(mask.ValidateChar('1', typed, true, ' '));
    typed = 'Q';
    EXPECT_TRUE(mask.ValidateChar('2', typed, true, ' ')) << "the second set still takes all";
}

TEST(OvcPictureMask, AlignsDecimalsAgainstThePoint) {
    const auto intl = Settings("us");
    for (const test::TestCase& c : test::ReadCases(Cases, "align")) {
        SCOPED_TRACE(c.Where);
        TOvcPictureMask mask(*intl, DefaultUserData());
        test::AssignMask(mask, c[0], false);
        std::string text = c[1];
        mask.AlignDecimals(text);
        EXPECT_EQ(text, c[2]);
    }
}

TEST(OvcPictureMask, PlacesTheCaretOnEditablePositions) {
    const auto intl = Settings("us");
    for (const test::TestCase& c : test::ReadCases(Cases, "caret")) {
        SCOPED_TRACE(c.Where);
        TOvcPictureMask mask(*intl, DefaultUserData());
        test::AssignMask(mask, c[0], false);
        EXPECT_EQ(mask.CaretPosition(static_cast<size_t>(c.Int(1))), static_cast<size_t>(c.Int(2)));
    }
    TOvcPictureMask phone(*intl, DefaultUserData());
    test::AssignMask(phone, "(999) 999-9999", false);
    EXPECT_EQ(phone.EndCaretPosition("(555)    -    "), 6u) << "past the literals after the text";
    EXPECT_EQ(phone.EndCaretPosition("(   )    -    "), 1u);
    EXPECT_TRUE(phone.IsEmpty("(   )    -    "));
    EXPECT_FALSE(phone.IsEmpty("(   )    -   1"));
}

TEST(OvcPictureMask, PaintsPadAndPasswordCharacters) {
    const auto intl = Settings("us");
    TOvcPictureMask phone(*intl, DefaultUserData());
    test::AssignMask(phone, "(999) 999-9999", false);
    EXPECT_EQ(phone.DisplayText("(555) 1  -    ", false, false, '_', '*'), "(555) 1__-____");
    EXPECT_EQ(phone.DisplayText("(555) 1  -    ", false, true, ' ', '*'), "(***) *  -    ");
    TOvcPictureMask number(*intl, DefaultUserData());
    test::AssignMask(number, "###,###", true);
    EXPECT_EQ(number.DisplayText("  1,234", true, false, '*', '#'), "**1,234");
    EXPECT_EQ(number.DisplayText("     12", true, true, ' ', '#'), "     12")
        << "a numeric field never hides its digits";
}

}  // namespace
}  // namespace vex
