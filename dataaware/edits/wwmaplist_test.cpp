#include "dataaware/edits/wwmaplist.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbcombomaplist.h"

namespace vex {
namespace {

// Items told to the lookup as a combo box tells it, asked after every change whether the lookup
// still answers as a scan of the items does.
struct TWatchedItems {
    TWatchedItems() {
        for (const char* item : {"Red\tR", "Rose\tR", "Green\tG", "Plain"})
            Items.Add(item);
        Items.OnChanging = [this](TObject*) { Lookup.ItemsChanging(); };
        Items.OnChange = [this](TObject*) { Lookup.ItemsChanged(); };
    }

    void ExpectAsScanned(bool MapList) {
        for (const char* key : {"Red", "Rose", "Green", "Crimson", "Plain", "R", "G", "C", "",
                                "Red\tR", "Crimson\tR"}) {
            SCOPED_TRACE(std::string("key ") + key + (MapList ? " map list" : " plain"));
            EXPECT_EQ(Lookup.IndexOfDisplay(Items, MapList, key),
                      wwIndexOfDisplay(Items, MapList, key));
            EXPECT_EQ(Lookup.IndexOfValue(Items, MapList, key),
                      wwIndexOfValue(Items, MapList, key));
        }
    }

    TStringList Items;
    TwwMapLookup Lookup;
};

TEST(MapLookup, AnswersAsAScanAfterEveryChangeToTheItems) {
    struct TCase {
        const char* Change;
        std::function<void(TStringList&)> Make;
    };
    const std::vector<TCase> cases{
        {"an item added", [](TStringList& l) { l.Add("Crimson\tC"); }},
        {"an item in front storing a known value",
         [](TStringList& l) { l.Insert(0, "Crimson\tR"); }},
        {"an item rewritten", [](TStringList& l) { l.SetStrings(0, "Crimson\tR"); }},
        {"the first of two deleted", [](TStringList& l) { l.Delete(0); }},
        {"sorted", [](TStringList& l) { l.SetSorted(true); }},
        {"exchanged", [](TStringList& l) { l.Exchange(0, 2); }},
        {"cleared", [](TStringList& l) { l.Clear(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Change);
        TWatchedItems watched;
        watched.ExpectAsScanned(true);  // built before the change
        c.Make(watched.Items);
        watched.ExpectAsScanned(true);
        watched.ExpectAsScanned(false);  // MapList turned off
        watched.ExpectAsScanned(true);
    }
}

TEST(MapLookup, AnUpdateInProgressIsNeverAnsweredFromWhatWasBuiltBeforeIt) {
    TWatchedItems watched;
    watched.ExpectAsScanned(true);
    watched.Items.BeginUpdate();
    watched.Items.Insert(0, "Crimson\tR");
    watched.ExpectAsScanned(true);
    watched.Items.Delete(1);
    watched.ExpectAsScanned(true);
    watched.Items.EndUpdate();
    watched.ExpectAsScanned(true);
}

}  // namespace
}  // namespace vex
