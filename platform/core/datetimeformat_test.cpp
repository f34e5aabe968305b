#include "platform/core/datetimeformat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const TDateTime gValue = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 45));

TFormatSettings Iso() {
    TFormatSettings iso;
    iso.DateSeparator = '-';
    iso.ShortDateFormat = "yyyy/mm/dd";
    iso.LongTimeFormat = "hh:nn";
    iso.ShortMonthNames[2] = "MRZ";
    return iso;
}

TFormatSettings Looping() {
    TFormatSettings looping;
    looping.ShortDateFormat = "d/ddddd";
    looping.LongTimeFormat = "tt c";
    looping.ShortTimeFormat = "t";
    return looping;
}

// Every format is read under the defaults, then written under each settings in turn: a format
// read once writes what FormatDateTime writes, whatever the settings became since.
TEST(DateTimeFormat, WritesWhatFormatDateTimeWritesUnderTheSettingsOfTheMoment) {
    std::vector<std::string> formats{"", "c", "ddddd tt", "dddddd t", "mmmm d yyyy"};
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/formatdatetime.txt"))
        formats.push_back(row[0]);
    std::vector<TDateTimeFormat> read;
    for (const std::string& format : formats)
        read.emplace_back(format);
    for (const TFormatSettings& settings : {TFormatSettings(), Iso(), Looping()}) {
        TFormatSettingsOverride use(settings);
        for (const TDateTimeFormat& format : read) {
            SCOPED_TRACE(format.Format() + " under " + settings.ShortDateFormat);
            for (const TDateTime value : {gValue, EncodeDate(2024, 3, 5)})
                EXPECT_EQ(format.Write(value), FormatDateTime(format.Format(), value));
        }
    }
}

TEST(DateTimeFormat, RefusesAValueOutsideTheYearsAsFormatDateTimeDoes) {
    EXPECT_THROW(TDateTimeFormat("hh").Write(1e300), EConvertError);
}

}  // namespace
}  // namespace vex
