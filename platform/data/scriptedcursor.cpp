#include "platform/data/scriptedcursor.h"

namespace vex {

DBIResult TScriptedCursor::Next(const std::string& Call) {
    Calls.push_back(Call);
    if (Script.empty()) return DBIERR_NONE;
    const DBIResult r = Script.front();
    Script.pop_front();
    return r;
}

DBIResult TScriptedCursor::AddFilter(void* ClientData, const uint8_t* Block, size_t BlockLength,
                                     pfDBIFilter Callback, hDBIFilter& Filter) {
    Filter = 0;
    const DBIResult r = Next(Block ? "AddFilter expression" : "AddFilter callback");
    return r != DBIERR_NONE
               ? r
               : TDbiCursor::AddFilter(ClientData, Block, BlockLength, Callback, Filter);
}

DBIResult TScriptedCursor::ActivateFilter(hDBIFilter Filter) {
    const DBIResult r = Next("ActivateFilter " + std::to_string(Filter));
    return r != DBIERR_NONE ? r : TDbiCursor::ActivateFilter(Filter);
}

DBIResult TScriptedCursor::DeactivateFilter(hDBIFilter Filter) {
    const DBIResult r = Next("DeactivateFilter " + std::to_string(Filter));
    return r != DBIERR_NONE ? r : TDbiCursor::DeactivateFilter(Filter);
}

DBIResult TScriptedCursor::DropFilter(hDBIFilter Filter) {
    const DBIResult r = Next("DropFilter " + std::to_string(Filter));
    return r != DBIERR_NONE ? r : TDbiCursor::DropFilter(Filter);
}

}  // namespace vex
