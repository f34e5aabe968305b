#include "net/msinfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vex {
namespace {

TEST(RemoteInfoItem, EachFlagLeavesTheOtherAlone) {
    TmsRemoteInfoItem item;
    item.SetToRetrieve(true);
    item.SetToDelete(true);
    item.SetToRetrieve(false);
    EXPECT_FALSE(item.ToRetrieve());
    EXPECT_TRUE(item.ToDelete());
    item.SetToRetrieve(true);
    item.SetToDelete(false);
    EXPECT_TRUE(item.ToRetrieve());
    EXPECT_FALSE(item.ToDelete());
    EXPECT_EQ(item.Flags, TmsInfoFlags{ifToRetrieve});
}

// Records its destruction, so the tests can see when and in which order the list frees items.
class TTrackedItem : public TmsRemoteInfoItem {
public:
    TTrackedItem(std::vector<int>& Freed, int Id) : FFreed(Freed), FId(Id) {}
    ~TTrackedItem() override { FFreed.push_back(FId); }

private:
    std::vector<int>& FFreed;
    int FId;
};

TEST(RemoteInfo, ClearAndDestructionFreeEveryItemLastFirst) {
    std::vector<int> freed;
    {
        TmsRemoteInfo info;
        info.Clear();
        for (int id = 1; id <= 3; ++id)
            info.Add(std::make_unique<TTrackedItem>(freed, id));
        info.Clear();
        EXPECT_EQ(freed, std::vector<int>({3, 2, 1}));
        EXPECT_EQ(info.Count(), 0);
        info.Add(std::make_unique<TTrackedItem>(freed, 4));
        info.Add(std::make_unique<TTrackedItem>(freed, 5));
    }
    EXPECT_EQ(freed, std::vector<int>({3, 2, 1, 5, 4}));
}

TEST(RemoteInfo, ItemsAreFoundByIndexAndAnIndexOutOfRangeRaises) {
    TmsRemoteInfo info;
    TmsRemoteInfoItem* first = info.Add(std::make_unique<TmsRemoteInfoItem>());
    TmsRemoteInfoItem* second = info.Add(std::make_unique<TmsRemoteInfoItem>());
    EXPECT_EQ(info.Items(0), first);
    EXPECT_EQ(info.Items(1), second);
    try {
        info.Items(2);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(info.Items(-1), EListError);
    EXPECT_THROW(info.Add(nullptr), EListError);
    EXPECT_EQ(info.Count(), 2);
}

}  // namespace
}  // namespace vex
