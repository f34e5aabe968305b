// The calendar's day grid and week numbers against what ncal prints for every month from 1900 to
// 2100, with weeks from Sunday and from Monday.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/monthgrid.h"
#include "platform/shell/programoutput.h"

namespace vex {
namespace {

// One month as ncal lays it out: rows of a week number and seven day fields (0 where blank).
struct TPrintedMonth {
    std::vector<int32_t> Weeks;
    std::vector<std::vector<int32_t>> Days;
};

// Reads the year view of `ncal -b -w`: four bands of three months, each band a header line
// with " w|" at the start of every month, then a line per week.
std::vector<TPrintedMonth> ParseYear(const std::string& Output) {
    std::vector<TPrintedMonth> months;
    std::istringstream lines(Output);
    std::string line;
    std::vector<size_t> starts;
    size_t band = 0;
    while (std::getline(lines, line)) {
        if (line.find(" w|") != std::string::npos) {
            starts.clear();
            for (size_t at = line.find(" w|"); at != std::string::npos;
                 at = line.find(" w|", at + 1))
                starts.push_back(at);
            band = months.size();
            months.resize(months.size() + starts.size());
            continue;
        }
        if (starts.empty() || line.find('|') == std::string::npos) {
            starts.clear();
            continue;
        }
        for (size_t j = 0; j < starts.size(); ++j) {
            const size_t bar = starts[j] + 2;
            if (bar >= line.size() || line[bar] != '|') continue;
            TPrintedMonth& month = months[band + j];
            month.Weeks.push_back(std::stoi(line.substr(starts[j], 2)));
            std::vector<int32_t> days;
            for (size_t c = 0; c < 7; ++c) {
                const size_t field = bar + 2 + 3 * c;
                const std::string text = field + 2 <= line.size() ? line.substr(field, 2) : "  ";
                days.push_back(text == "  " ? 0 : std::stoi(text));
            }
            month.Days.push_back(days);
        }
    }
    return months;
}

TEST(MonthGridAgainstNcal, LaysOutEveryMonthFrom1900To2100AsNcalDoes) {
    struct TWeekStart {
        const char* Flag;
        int32_t FirstDayOfWeek;
    };
    for (const TWeekStart start : {TWeekStart{"-S", 6}, TWeekStart{"-M", 0}}) {
        for (uint16_t year = 1900; year <= 2100; ++year) {
            const std::optional<std::string> output =
                ProgramOutput({"ncal", "-b", "-h", "-w", start.Flag, std::to_string(year)},
                              std::chrono::seconds(10), 1 << 16);
            ASSERT_TRUE(output) << "ncal did not run; scripts/install-deps installs it";
            const std::vector<TPrintedMonth> printed = ParseYear(*output);
            ASSERT_EQ(printed.size(), 12u) << *output;
            for (uint16_t month = 1; month <= 12; ++month) {
                SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month) + " " + start.Flag);
                const TMonthGrid grid = MonthGridOf(year, month, start.FirstDayOfWeek);
                const TPrintedMonth& page = printed[month - 1];
                const int32_t rows = (grid.Leading + grid.Days + 6) / 7;
                ASSERT_EQ(static_cast<int32_t>(page.Days.size()), rows);
                for (int32_t row = 0; row < rows; ++row) {
                    EXPECT_EQ(RowWeekNumber(grid.DayAt(row * 7)), page.Weeks[row]) << "row " << row;
                    for (int32_t col = 0; col < 7; ++col) {
                        const int32_t cell = row * 7 + col;
                        const int32_t own = grid.PartOf(cell) == 0 ? cell - grid.Leading + 1 : 0;
                        EXPECT_EQ(own, page.Days[row][col]) << "row " << row << ", column " << col;
                    }
                }
            }
            if (HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace vex
