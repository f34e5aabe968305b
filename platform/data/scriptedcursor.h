#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/data/dbicursor.h"

namespace vex {

// A cursor whose filter calls first meet a script: each call takes the next scripted result,
// and only DBIERR_NONE (or an empty script) lets the engine do the work. Tests use it for the
// refusals SQLite never gives, and read Calls to see what was asked.
class TScriptedCursor : public TDbiCursor {
public:
    using TDbiCursor::TDbiCursor;

    std::deque<DBIResult> Script;
    std::vector<std::string> Calls;

    DBIResult AddFilter(void* ClientData, const uint8_t* Block, size_t BlockLength,
                        pfDBIFilter Callback, hDBIFilter& Filter) override;
    DBIResult ActivateFilter(hDBIFilter Filter) override;
    DBIResult DeactivateFilter(hDBIFilter Filter) override;
    DBIResult DropFilter(hDBIFilter Filter) override;

private:
    DBIResult Next(const std::string& Call);
};

}  // namespace vex
