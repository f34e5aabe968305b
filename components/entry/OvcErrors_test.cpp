#include "components/entry/OvcErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "components/entry/OvcIntl.h"
#include "platform/core/profile.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(OvcErrors, FixedMessagesComeFromTheComponentTableAndTheClassTreeIsFixed) {
    const EOvcException* errors[] = {new ENoTimersAvailable, new ENoControllerAssigned,
                                     new EDuplicateCommand,  new ETableNotFound,
                                     new EInvalidDataType,   new EInvalidLineOrCol,
                                     new EInvalidLineOrPara, new EInvalidTriggerHandle,
                                     new EInvalidFixedFont,  new EInvalidFontParam};
    std::string all;
    for (const EOvcException* e : errors) {
        all += std::string(e->ClassName()) + ": " + e->Message() + "\n";
        EXPECT_EQ(e->ErrorCode, 0);
    }
    EXPECT_EQ(
        all,
        "ENoTimersAvailable: No Window's timers are available\n"
        "ENoControllerAssigned: No Controller assigned\n"
        "EDuplicateCommand: Duplicate command found while adding a new command to the table\n"
        "ETableNotFound: Command table not found or command table index out of range\n"
        "EInvalidDataType: Invalid data type for this field\n"
        "EInvalidLineOrCol: Invalid line or column\n"
        "EInvalidLineOrPara: Invalid line or paragraph index\n"
        "EInvalidTriggerHandle: Invalid trigger handle\n"
        "EInvalidFixedFont: Invalid font assignment. Font must be a fixed font\n"
        "EInvalidFontParam: Invalid font assignemnt. Font must be a TFont or TOvcFixedFont\n");
    EXPECT_TRUE(dynamic_cast<const EControllerError*>(errors[1]));
    EXPECT_TRUE(dynamic_cast<const ECmdProcessorError*>(errors[3]));
    EXPECT_TRUE(dynamic_cast<const EEntryFieldError*>(errors[4]));
    EXPECT_TRUE(dynamic_cast<const EEditorError*>(errors[6]));
    EXPECT_TRUE(dynamic_cast<const ETimerPoolError*>(errors[7]));
    EXPECT_TRUE(dynamic_cast<const EFixedFontError*>(errors[9]));
    EXPECT_FALSE(dynamic_cast<const ETimerPoolError*>(errors[0]));
    for (const EOvcException* e : errors)
        delete e;
    EXPECT_EQ(EEditorError("Paragraph too long", 34201, 7).ErrorCode, 34201);
    EXPECT_EQ(EInvalidPictureMask("99/99 %d").Message(), "Invalid picture mask: 99/99 %d");
}

TEST(OvcErrors, RangeMessageFollowsTheDataType) {
    const TProfileOverride profile;
    const TOvcIntlSup intl;
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/range-messages.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(EInvalidRangeValue(static_cast<uint8_t>(c.Int(0)), intl).Message(), c[1]);
    }
}

}  // namespace
}  // namespace vex
