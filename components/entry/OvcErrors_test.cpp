#include "components/entry/OvcErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "components/entry/OvcIntl.h"
#include "platform/core/profile.h"

namespace vex {
namespace {

template <class Parent, class E>
bool Descends(const E& Error) {
    return dynamic_cast<const Parent*>(&Error) != nullptr;
}

TEST(OvcErrors, FixedMessagesComeFromTheComponentTable) {
    auto check = [](const EOvcException& e, const char* Class, const std::string& Text) {
        SCOPED_TRACE(Class);
        EXPECT_STREQ(e.ClassName(), Class);
        EXPECT_EQ(e.Message(), Text);
    };
    check(ENoTimersAvailable(), "ENoTimersAvailable", "No Window's timers are available");
    check(ENoControllerAssigned(), "ENoControllerAssigned", "No Controller assigned");
    check(EDuplicateCommand(), "EDuplicateCommand",
          "Duplicate command found while adding a new command to the table");
    check(ETableNotFound(), "ETableNotFound",
          "Command table not found or command table index out of range");
    check(EInvalidDataType(), "EInvalidDataType", "Invalid data type for this field");
    check(EInvalidLineOrCol(), "EInvalidLineOrCol", "Invalid line or column");
    check(EInvalidLineOrPara(), "EInvalidLineOrPara", "Invalid line or paragraph index");
    check(EInvalidTriggerHandle(), "EInvalidTriggerHandle", "Invalid trigger handle");
    check(EInvalidFixedFont(), "EInvalidFixedFont",
          "Invalid font assignment. Font must be a fixed font");
    check(EInvalidFontParam(), "EInvalidFontParam",
          "Invalid font assignemnt. Font must be a TFont or TOvcFixedFont");
}

TEST(OvcErrors, ClassTreeIsTheFixedOne) {
    EXPECT_TRUE(Descends<EOvcException>(ENoTimersAvailable()));
    EXPECT_FALSE(Descends<ETimerPoolError>(ENoTimersAvailable()));
    EXPECT_TRUE(Descends<EControllerError>(ENoControllerAssigned()));
    EXPECT_TRUE(Descends<ECmdProcessorError>(EDuplicateCommand()));
    EXPECT_TRUE(Descends<ECmdProcessorError>(ETableNotFound()));
    EXPECT_TRUE(Descends<EEntryFieldError>(EInvalidDataType()));
    EXPECT_TRUE(Descends<EEntryFieldError>(EInvalidPictureMask("x")));
    EXPECT_TRUE(Descends<EEntryFieldError>(EInvalidRangeValue(4)));
    EXPECT_TRUE(Descends<EEditorError>(EInvalidLineOrCol()));
    EXPECT_TRUE(Descends<EEditorError>(EInvalidLineOrPara()));
    EXPECT_TRUE(Descends<ETimerPoolError>(EInvalidTriggerHandle()));
    EXPECT_TRUE(Descends<EFixedFontError>(EInvalidFixedFont()));
    EXPECT_TRUE(Descends<EFixedFontError>(EInvalidFontParam()));
    EXPECT_FALSE(Descends<EEditorError>(EInvalidFixedFont()));
    // Thrown, a leaf is caught by its group.
    EXPECT_THROW(throw EInvalidTriggerHandle(), ETimerPoolError);
}

TEST(OvcErrors, ErrorCodeIsZeroUnlessAnEditorErrorSetsIt) {
    EXPECT_EQ(EOvcException("x").ErrorCode, 0);
    EXPECT_EQ(ENoTimersAvailable().ErrorCode, 0);
    EXPECT_EQ(EInvalidLineOrCol().ErrorCode, 0);
    const EEditorError e("Paragraph too long", 34201, 7);
    EXPECT_EQ(e.Message(), "Paragraph too long");
    EXPECT_EQ(e.ErrorCode, 34201);
}

TEST(OvcErrors, PictureMaskMessageNamesTheMask) {
    EXPECT_EQ(EInvalidPictureMask("99/99 %d").Message(), "Invalid picture mask: 99/99 %d");
    EXPECT_EQ(EInvalidPictureMask("").Message(), "Invalid picture mask: ");
}

TEST(OvcErrors, RangeMessageFollowsTheDataType) {
    const std::string between = "Invalid range. Enter a value between ";
    const std::string expected[] = {
        "Invalid range value",  // string
        "Invalid range value",  // char
        "Invalid range value",  // boolean
        "Invalid range value",  // yes/no
        between + "(-2147483648) and (2147483647)",
        between + "(0) and (65535)",
        between + "(-32768) and (32767)",
        between + "(0) and (255)",
        between + "(-128) and (127)",
        between + "(-1.7e+38) and (+1.7e+38)",
        between + "(-1.1e+4932) and (+1.1e+4932)",
        between + "(-1.7e+308) and (+1.7e+308)",
        between + "(-3.4e+38) and (+3.4e+38)",
        between + "(-9.2e+18) and (+9.2e+18)",
        "Invalid date range. Enter a value using 'MM/DD/yyyy' as the format",
        "Invalid time range. Enter a value using 'Hh:mm tt' as the format",
    };
    // The profile's United States defaults: short date "M/d/yy", a twelve-hour clock.
    const TProfileOverride profile;
    const TOvcIntlSup intl;
    for (uint8_t code = 0; code < 16; ++code) {
        SCOPED_TRACE(int{code});
        EXPECT_EQ(EInvalidRangeValue(code, intl).Message(), expected[code]);
    }
    EXPECT_EQ(EInvalidRangeValue(16, intl).Message(), "Invalid range value");
    EXPECT_EQ(EInvalidRangeValue(255, intl).Message(), "Invalid range value");
}

}  // namespace
}  // namespace vex
