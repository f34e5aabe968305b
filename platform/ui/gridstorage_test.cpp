#include "platform/ui/gridstorage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vex {
namespace {

// The storage's texts row by row: cells joined by ',', rows by '|'.
std::string Picture(const TGridStorage& Storage) {
    std::string out;
    for (int32_t r = 0; r < Storage.Height(); ++r) {
        if (r) out += '|';
        for (int32_t c = 0; c < Storage.Width(); ++c) {
            if (c) out += ',';
            out += Storage.Text(c, r);
        }
    }
    return out;
}

// A 3 x 3 storage holding "a".."i" row by row.
TGridStorage Filled() {
    TGridStorage storage;
    storage.SetSize(3, 3);
    char ch = 'a';
    for (int32_t r = 0; r < 3; ++r)
        for (int32_t c = 0; c < 3; ++c)
            storage.SetText(c, r, std::string(1, ch++));
    return storage;
}

TEST(GridStorage, ReordersResizesAndDiscardsCutCells) {
    const struct {
        const char* Name;
        std::function<void(TGridStorage&)> Change;
        const char* Expected;
    } cases[] = {
        {"row down", [](TGridStorage& s) { s.MoveRow(0, 2); }, "d,e,f|g,h,i|a,b,c"},
        {"row up", [](TGridStorage& s) { s.MoveRow(2, 0); }, "g,h,i|a,b,c|d,e,f"},
        {"row in place", [](TGridStorage& s) { s.MoveRow(1, 1); }, "a,b,c|d,e,f|g,h,i"},
        {"rows swapped", [](TGridStorage& s) { s.SwapRows(0, 2); }, "g,h,i|d,e,f|a,b,c"},
        {"column right", [](TGridStorage& s) { s.MoveCol(0, 2); }, "b,c,a|e,f,d|h,i,g"},
        {"column left", [](TGridStorage& s) { s.MoveCol(2, 1); }, "a,c,b|d,f,e|g,i,h"},
        {"grown", [](TGridStorage& s) { s.SetSize(4, 4); }, "a,b,c,|d,e,f,|g,h,i,|,,,"},
        {"shrunk then grown",
         [](TGridStorage& s) {
             s.SetSize(2, 2);
             s.SetSize(3, 3);
         },
         "a,b,|d,e,|,,"},
        {"short row moved past the width",
         [](TGridStorage& s) {
             s.SetSize(4, 3);
             s.SetText(3, 1, "x");
             s.MoveCol(3, 0);
         },
         ",a,b,c|x,d,e,f|,g,h,i"},
        {"cleared", [](TGridStorage& s) { s.Clear(1, 1); }, "a,b,c|d,,f|g,h,i"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TGridStorage storage = Filled();
        c.Change(storage);
        EXPECT_EQ(Picture(storage), c.Expected);
    }
}

TEST(GridStorage, ObjectsTravelWithTheirTextsAndAreDroppedWithCutCells) {
    TGridStorage storage = Filled();
    TObject first, second;
    storage.SetObject(0, 0, &first);
    storage.SetObject(2, 2, &second);
    storage.SwapRows(0, 2);
    storage.MoveCol(2, 0);
    EXPECT_EQ(storage.Object(0, 0), &second);
    EXPECT_EQ(storage.Text(0, 0), "i");
    EXPECT_EQ(storage.Object(1, 2), &first);
    EXPECT_EQ(storage.Text(1, 2), "a");

    storage.SetSize(1, 3);
    storage.SetSize(3, 3);
    EXPECT_EQ(storage.Object(1, 2), nullptr);
    EXPECT_EQ(storage.Object(0, 0), &second);
}

// A descendant keeps hidden columns past the visible ones; they are cells like any other.
TEST(GridStorage, HiddenColumnsPastTheGridsCountKeepTheirCells) {
    TGridStorage storage = Filled();
    storage.SetSize(5, 3);
    storage.SetText(4, 0, "hidden");
    storage.MoveRow(0, 1);
    EXPECT_EQ(storage.Text(4, 1), "hidden");
    storage.SetSize(4, 3);
    storage.SetSize(5, 3);
    EXPECT_EQ(storage.Text(4, 1), "");
}

TEST(GridStorage, EveryIndexOutsideTheStorageIsRefused) {
    TGridStorage storage = Filled();
    const std::function<void()> misuses[] = {
        [&] { (void)storage.Text(3, 0); },    [&] { (void)storage.Text(0, -1); },
        [&] { storage.SetText(-1, 0, "x"); }, [&] { storage.SetText(0, 3, ""); },
        [&] { (void)storage.Object(0, 3); },  [&] { storage.SetObject(3, 0, nullptr); },
        [&] { storage.Clear(0, 3); },         [&] { storage.MoveRow(0, 3); },
        [&] { storage.MoveRow(-1, 0); },      [&] { storage.SwapRows(3, 0); },
        [&] { storage.MoveCol(0, 3); },       [&] { storage.SetSize(-1, 2); },
    };
    for (size_t i = 0; i < std::size(misuses); ++i) {
        SCOPED_TRACE(i);
        EXPECT_THROW(misuses[i](), EInvalidGridOperation);
    }
    EXPECT_EQ(Picture(storage), "a,b,c|d,e,f|g,h,i");
}

TEST(GridStorage, AMillionEmptyRowsCostOnlyTheirHandles) {
    TGridStorage storage;
    storage.SetSize(5, 1000000);
    storage.SetText(4, 999999, "last");
    storage.MoveRow(999999, 0);
    EXPECT_EQ(storage.Text(4, 0), "last");
    EXPECT_EQ(storage.Text(4, 999999), "");
}

TEST(GridStorage, UsedWidthBoundsTheCellsThatHoldSomething) {
    TGridStorage storage;
    storage.SetSize(6, 3);
    storage.SetText(3, 0, "x");
    TObject object;
    storage.SetObject(1, 1, &object);
    storage.SetText(5, 2, "");  // an empty text takes no cell
    EXPECT_EQ(storage.UsedWidth(0), 4);
    EXPECT_EQ(storage.UsedWidth(1), 2);
    EXPECT_EQ(storage.UsedWidth(2), 0);
    storage.SetSize(2, 3);  // a narrower storage bounds it too
    EXPECT_EQ(storage.UsedWidth(0), 2);
    storage.MoveRow(0, 2);  // the bound travels with its row
    EXPECT_EQ(storage.UsedWidth(2), 2);
    EXPECT_THROW(storage.UsedWidth(3), EInvalidGridOperation);
}

}  // namespace
}  // namespace vex
