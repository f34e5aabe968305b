#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/reginifile.h"
#include "platform/win/application.h"

namespace vex {
namespace {

const std::string SettingsKey = "Software\\Quentara Corporation\\Vexbane\\10";

// A rule grid of six columns, 64 pixels wide each, set up as a form resource sets it.
std::unique_ptr<TAdvStringGrid> LoadedGrid(const std::function<void(TColumnSize&)>& SetUp =
                                               [](TColumnSize& Size) {
                                                   Size.Save = true;
                                                   Size.Key = SettingsKey;
                                                   Size.Section = "Subject";
                                               }) {
    auto grid = std::make_unique<TAdvStringGrid>(nullptr);
    grid->BeginLoading();
    grid->SetColCount(6);
    SetUp(grid->ColumnSize());
    grid->EndLoading();
    return grid;
}

std::vector<int32_t> WidthsOf(const TAdvStringGrid& Grid) {
    std::vector<int32_t> widths;
    for (int32_t c = 0; c < Grid.ColCount(); ++c)
        widths.push_back(Grid.ColWidths(c));
    return widths;
}

class AdvGridColumnWidths : public ::testing::Test {
protected:
    std::string Value(const std::string& Section, const std::string& Name) {
        return TRegIniFile(SettingsKey).ReadString(Section, Name, "missing");
    }

    TRegistryStoreOverride Store{std::make_shared<TMemoryRegistryStore>()};
};

TEST_F(AdvGridColumnWidths, AreReadOnceTheGridIsLoadedWithinBounds) {
    {
        TRegIniFile ini(SettingsKey);
        // col1 is missing: that column keeps its width, as it does for -1 and for no number.
        const std::vector<std::pair<const char*, const char*>> stored = {
            {"col0", "50"}, {"col2", "-1"},   {"col3", "99999"},
            {"col4", "-7"}, {"col5", "wide"}, {"col6", "80"}};
        for (const auto& [name, value] : stored)
            ini.WriteString("Subject", name, value);
    }
    auto grid = LoadedGrid();
    EXPECT_EQ(WidthsOf(*grid), (std::vector<int32_t>{50, 64, 64, 32767, 0, 64}));
}

// A value of another type than text (an older program or a hand edit may leave one) is no
// width either: the form still loads.
TEST_F(AdvGridColumnWidths, OfAnotherTypeThanTextKeepTheColumnsWidth) {
    {
        TRegIniFile ini(SettingsKey);
        ini.WriteString("Subject", "col0", "50");
        ini.WriteString("Subject", "col2", "90");
        ASSERT_TRUE(ini.OpenKey("Subject", false));
        ini.WriteInteger("col1", 70);
    }
    std::unique_ptr<TAdvStringGrid> grid;
    ASSERT_NO_THROW(grid = LoadedGrid());
    EXPECT_EQ(WidthsOf(*grid), (std::vector<int32_t>{50, 64, 90, 64, 64, 64}));
}

TEST_F(AdvGridColumnWidths, AreWrittenForTheVisibleColumnsWhenTheGridIsFreed) {
    auto grid = LoadedGrid();
    for (int32_t c = 0; c < 6; ++c)
        grid->SetColWidths(c, 20 + c);
    grid.reset();
    for (int32_t c = 0; c < 6; ++c)
        EXPECT_EQ(Value("Subject", "col" + std::to_string(c)), std::to_string(20 + c));
    EXPECT_EQ(Value("Subject", "col6"), "missing");
}

TEST_F(AdvGridColumnWidths, StayOutOfTheRegistryUnlessSaveKeyAndSectionAreAllGiven) {
    TRegIniFile(SettingsKey).WriteString("Subject", "col0", "50");
    const std::function<void(TColumnSize&)> setups[] = {
        [](TColumnSize& Size) {
            Size.Key = SettingsKey;
            Size.Section = "Subject";
        },
        [](TColumnSize& Size) {
            Size.Save = true;
            Size.Section = "Subject";
        },
        [](TColumnSize& Size) {
            Size.Save = true;
            Size.Key = SettingsKey;
        },
    };
    for (size_t i = 0; i < std::size(setups); ++i) {
        SCOPED_TRACE(i);
        auto grid = LoadedGrid(setups[i]);
        EXPECT_EQ(grid->ColWidths(0), 64);
        grid->SetColWidths(1, 33);
        grid.reset();
        EXPECT_EQ(Value("Subject", "col1"), "missing");
    }
}

// A registry that cannot keep anything, as a settings file on a full disk.
class TUnwritableRegistryStore : public TMemoryRegistryStore {
public:
    void Commit(HKEY) override { throw ERegistryException("The settings cannot be written"); }
};

TEST_F(AdvGridColumnWidths, ThatCannotBeWrittenAreReportedAndTheGridIsStillFreed) {
    auto grid = LoadedGrid();
    TRegistryStoreOverride unwritable(std::make_shared<TUnwritableRegistryStore>());
    std::vector<std::string> reported;
    const TObject* freed = grid.get();
    Application().OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_EQ(Sender, freed);
        reported.push_back(E.what());
    };
    grid.reset();
    Application().OnException = nullptr;
    EXPECT_EQ(reported, std::vector<std::string>{"The settings cannot be written"});
}

// Reading asks nothing of a settings store that cannot be written, as on a full disk: the grid
// loads with its own widths.
TEST_F(AdvGridColumnWidths, ThatCannotBeOpenedLeaveTheWidthsAndTheGridLoads) {
    TRegistryStoreOverride unwritable(std::make_shared<TUnwritableRegistryStore>());
    std::unique_ptr<TAdvStringGrid> grid;
    ASSERT_NO_THROW(grid = LoadedGrid());
    EXPECT_EQ(WidthsOf(*grid), std::vector<int32_t>(6, 64));
    // Writing them back at the end is another test's.
    grid->ColumnSize().Save = false;
}

}  // namespace
}  // namespace vex
