#include "components/entry/OvcTexts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

#include "components/entry/SRMgr.h"

namespace vex {
namespace {

int32_t CountEntries(const TpsStringResource& Reader, int32_t From, int32_t To) {
    int32_t count = 0;
    for (int32_t id = From; id <= To; ++id)
        if (Reader.FindEntry(id)) ++count;
    return count;
}

TEST(ComponentTable, HoldsEveryGroupWithItsTexts) {
    struct Case {
        uint16_t Id;
        const char* Text;
    };
    const Case cases[] = {
        {33768, "ccNone"},
        {33769, "ccBack"},
        {33799, "ccFirstPage"},
        {33800, "ccGotoMarker0"},
        {33809, "ccGotoMarker9"},
        {33810, "ccHome"},
        {33825, "ccScrollUp"},
        {33826, "ccSetMarker0"},
        {33836, "ccTab"},
        {33843, "ccWordRight"},
        {34068, "String"},
        {34071, "YesNo"},
        {34083, "Time"},
        {34168, "Unknown Error condition"},
        {34174, "Can't delete this table. Must have at least one command table defined"},
        {34186, "Region is too large (> 64K)"},
        {34197, "insufficient memory for requested operation"},
        {34203, "Invalid range. Enter a value between (%d) and (%d)"},
        {34209, "Invalid date range. Enter a value using '%s' as the format"},
        {34215, "Invalid font assignemnt. Font must be a TFont or TOvcFixedFont"},
        {34227, "Invalid date value for picture mask. (Year is outside the Epoch range)"},
        {34237, "This control is already attached to %s"},
        {34240, "DataSource must be attached to a TTable (or compatible) source"},
        {34268, "(None)"},
        {34270, "ccUser%d"},
        {34279, "%d. *** Warning *** OnGetItem not assigned!"},
        {34281, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {34285, " - Desc"},
        {34292, "Select &All"},
        {34368, "Y"},
        {34371, "F"},
        {34468, "X  any character"},
        {34477, "#  0-9, 42-42, 42.42"},
        {34484, "1  User 1"},
        {34491, "8  User 8"},
        {34498, "##########          Allows entry of 0 through 9, space, minus, and period"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Id);
        EXPECT_EQ(GetOvcString(c.Id), c.Text);
    }
}

TEST(ComponentTable, HasExactlyTheIdsOfItsGroups) {
    const TpsStringResource& table = EntryStringResource();
    EXPECT_EQ(CountEntries(table, 0, 65535), 260);
    EXPECT_EQ(CountEntries(table, 33768, 33843), 76);
    EXPECT_EQ(CountEntries(table, 34068, 34083), 16);
    EXPECT_EQ(CountEntries(table, 34168, 34240), 73);
    EXPECT_EQ(CountEntries(table, 34268, 34292), 25);
    EXPECT_EQ(CountEntries(table, 34368, 34371), 4);
    EXPECT_EQ(CountEntries(table, 34468, 34491), 24);
    EXPECT_EQ(CountEntries(table, 34493, 34510), 18);
    EXPECT_EQ(CountEntries(table, 34511, 34517), 0);
    EXPECT_EQ(CountEntries(table, 34518, 34541), 24);
}

TEST(ComponentTable, SampleMasksArePaddedToTwentyThenDescribed) {
    struct Case {
        uint16_t Id;
        const char* Mask;
    };
    const Case cases[] = {
        {34493, "$##,###.##"}, {34503, "###,###.##C"}, {34509, "bbbbbbbbbbbbbbbb"},
        {34510, "bbbbbbbb"},   {34518, "XXXXXXXXXX"},  {34525, "(999) 999-9999"},
        {34528, "B"},          {34532, "dd nnn yyyy"}, {34541, "HH:MM:SS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Id);
        const std::string text = GetOvcString(c.Id);
        ASSERT_GT(text.size(), 20u);
        EXPECT_EQ(text.substr(0, 20), std::string(c.Mask).append(20 - strlen(c.Mask), ' '));
        EXPECT_NE(text[20], ' ');
    }
}

TEST(ExtrasTable, HoldsTheColourNamesAndDateMessages) {
    const TpsStringResource& table = ExtrasStringResource();
    EXPECT_EQ(CountEntries(table, -100, 100), 26);
    EXPECT_EQ(CountEntries(table, 16, 29), 0);
    const char* const colours[] = {"Black", "Maroon",  "Green",  "Olive", "Navy", "Purple",
                                   "Teal",  "Gray",    "Silver", "Red",   "Lime", "Yellow",
                                   "Blue",  "Fuchsia", "Aqua",   "White"};
    for (int32_t id = 0; id < 16; ++id)
        EXPECT_EQ(table.GetAsString(id), colours[id]);
    EXPECT_EQ(table.GetAsString(30), "No label is attached");
    EXPECT_EQ(table.GetAsString(34), "Invalid month name");
    EXPECT_EQ(table.GetAsString(39), "Invalid date");
}

}  // namespace
}  // namespace vex
