#include "net/msinfo.h"

#include "platform/core/stringutils.h"

namespace vex {

TmsRemoteInfo::~TmsRemoteInfo() {
    Clear();
}

TmsRemoteInfoItem* TmsRemoteInfo::Items(int32_t Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return List[static_cast<std::size_t>(Index)].get();
}

TmsRemoteInfoItem* TmsRemoteInfo::Add(std::unique_ptr<TmsRemoteInfoItem> Item) {
    if (!Item) throw EListError("A message info list holds no empty items");
    List.push_back(std::move(Item));
    return List.back().get();
}

void TmsRemoteInfo::Clear() {
    while (!List.empty())
        List.pop_back();
}

}  // namespace vex
