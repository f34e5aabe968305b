#include "components/entry/OvcErrors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "components/entry/OvcIntl.h"
#include "platform/core/profile.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

template <class Group>
bool In(const EOvcException& E) {
    return dynamic_cast<const Group*>(&E) != nullptr;
}

TEST(OvcErrors, MessagesComeFromTheComponentTableAndFollowTheDataType) {
    const std::unique_ptr<const EOvcException> fixed[] = {
        std::make_unique<ENoTimersAvailable>(), std::make_unique<ENoControllerAssigned>(),
        std::make_unique<EDuplicateCommand>(),  std::make_unique<ETableNotFound>(),
        std::make_unique<EInvalidDataType>(),   std::make_unique<EInvalidLineOrCol>(),
        std::make_unique<EInvalidLineOrPara>(), std::make_unique<EInvalidTriggerHandle>(),
        std::make_unique<EInvalidFixedFont>(),  std::make_unique<EInvalidFontParam>()};
    const TProfileOverride profile;
    const TOvcIntlSup intl;
    size_t next = 0;
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/messages.txt")) {
        SCOPED_TRACE(c.Where);
        if (c[0] == "range") {
            EXPECT_EQ(EInvalidRangeValue(static_cast<uint8_t>(c.Int(1)), intl).Message(), c[2]);
            continue;
        }
        const EOvcException& e = *fixed[next++];
        EXPECT_EQ(std::string(e.ClassName()) + ": " + e.Message(), c[1] + ": " + c[2]);
        EXPECT_EQ(e.ErrorCode, 0);
    }
    EXPECT_EQ(next, std::size(fixed));
    // Each group catches its own errors; the timer group not the error of a pool without timers.
    EXPECT_TRUE(In<EControllerError>(*fixed[1]) && In<ECmdProcessorError>(*fixed[3]) &&
                In<EEntryFieldError>(*fixed[4]) && In<EEditorError>(*fixed[6]) &&
                In<ETimerPoolError>(*fixed[7]) && In<EFixedFontError>(*fixed[9]));
    EXPECT_FALSE(In<ETimerPoolError>(*fixed[0]));
    EXPECT_EQ(EEditorError("Paragraph too long", 34201, 7).ErrorCode, 34201);
    EXPECT_EQ(EInvalidPictureMask("99/99 %d").Message(), "Invalid picture mask: 99/99 %d");
}

}  // namespace
}  // namespace vex
