#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/msheaders.h"
#include "platform/core/exceptions.h"
#include "platform/core/object.h"
#include "platform/core/set.h"

namespace vex {

enum TmsInfoFlag { ifToRetrieve, ifToDelete };
using TmsInfoFlags = TSet<TmsInfoFlag, 8>;

// What the server said about one waiting message: its size from the listing, its header lines,
// and what the user wants done with it.
class TmsRemoteInfoItem : public TObject {
    VEX_CLASS(TmsRemoteInfoItem, TObject)

public:
    // Download the message at the next pass over the marked ones.
    bool ToRetrieve() const { return Flags.Contains(ifToRetrieve); }
    void SetToRetrieve(bool Value) { SetFlag(ifToRetrieve, Value); }
    // Delete it on the server.
    bool ToDelete() const { return Flags.Contains(ifToDelete); }
    void SetToDelete(bool Value) { SetFlag(ifToDelete, Value); }

    TmsInfoFlags Flags;
    int32_t Size = 0;  // bytes; 0 when the listing gave no number
    TmsHeaders Headers;
    std::string UIDL;  // empty until it was asked for

private:
    void SetFlag(TmsInfoFlag Flag, bool Value) {
        if (Value)
            Flags.Include(Flag);
        else
            Flags.Exclude(Flag);
    }
};

// The messages waiting on the server, in server order: the item at index i is message i + 1.
// The list owns its items.
class TmsRemoteInfo : public TObject {
    VEX_CLASS(TmsRemoteInfo, TObject)

public:
    ~TmsRemoteInfo() override;

    int32_t Count() const { return static_cast<int32_t>(List.size()); }
    // Index counts from 0; out of range raises EListError.
    TmsRemoteInfoItem* Items(int32_t Index) const;
    // Appends Item and returns it.
    TmsRemoteInfoItem* Add(std::unique_ptr<TmsRemoteInfoItem> Item);
    // Frees every item, the last one first.
    void Clear();

    std::vector<std::unique_ptr<TmsRemoteInfoItem>> List;
};

}  // namespace vex
