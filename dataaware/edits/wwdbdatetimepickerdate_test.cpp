// The picker's text checked against GNU date over random date-times from 1900 to 9999.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "platform/core/datetime.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// The lines date writes for every input line of the file, one run of it for them all.
std::vector<std::string> RunDate(const std::string& Inputs, const std::string& Format) {
    const std::string command = "LC_ALL=C TZ=UTC date -f '" + Inputs + "' '+" + Format + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    std::vector<std::string> lines;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        lines.push_back(line);
        line.clear();
    }
    pclose(pipe);
    return lines;
}

bool DateInstalled() {
    for (const char* dir : {"/usr/bin/date", "/bin/date", "/usr/local/bin/date"})
        if (access(dir, X_OK) == 0) return true;
    return false;
}

TEST(DBDateTimePickerText, MatchesGnuDateForTenThousandRandomMoments) {
    if (!DateInstalled()) GTEST_SKIP() << "date is not installed";
    const int64_t first = DateTimeToUnix(EncodeDate(1900, 1, 1));
    const int64_t last = DateTimeToUnix(EncodeDate(9999, 12, 31)) + 86399;
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int64_t> seconds(first, last);
    std::vector<int64_t> moments(10000);
    std::string inputs;
    for (int64_t& m : moments) {
        m = seconds(random);
        inputs += "@" + std::to_string(m) + "\n";
    }
    test::TempDir folder;
    test::WriteWholeFile(folder.File("moments"), inputs);

    TwwDBDateTimePicker picker(nullptr);
    for (const test::TestCase& k :
         test::ReadCases(VEX_TEST_DIR "/testdata/pickerformats.txt", "date")) {
        SCOPED_TRACE(k.Where);
        const std::vector<std::string> expected = RunDate(folder.File("moments"), k[1]);
        ASSERT_EQ(expected.size(), moments.size()) << (expected.empty() ? "" : expected[0]);
        picker.SetDisplayFormat(k[0]);
        int mismatches = 0;
        for (size_t i = 0; i < moments.size() && mismatches < 5; ++i) {
            picker.SetValue(UnixToDateTime(moments[i]));
            if (picker.Text() == expected[i]) continue;
            ++mismatches;
            ADD_FAILURE() << "@" << moments[i] << ": " << picker.Text() << " vs " << expected[i];
        }
    }
}

}  // namespace
}  // namespace vex
