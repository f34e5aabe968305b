#pragma once

// A display clipboard held by another program whose data come after a wait, for tests of
// what runs meanwhile.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/displayclipboard.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/win_testsupport.h"

namespace vex::test {

// A display whose clipboard another program holds, offering Theirs, until we offer ours; its
// data come after a wait, in which a handler of ours may run.
class SlowDisplayClipboard : public TDisplayClipboard {
public:
    bool Offer(TDisplayData Data) override {
        Offers.push_back(std::move(Data));
        return Ours = true;
    }
    THolder Holder() override { return Ours ? THolder::Us : THolder::Elsewhere; }
    std::vector<TDisplayFormat> Offered() override {
        std::vector<TDisplayFormat> formats;
        for (const auto& entry : Theirs)
            formats.push_back(entry.first);
        return formats;
    }
    std::optional<std::string> Fetch(TDisplayFormat Format) override {
        Fetched.push_back(Format);
        if (WhileWaiting) std::exchange(WhileWaiting, nullptr)();
        return Theirs.at(Format);
    }

    bool Ours = false;
    // nullopt: offered, but not given when asked for.
    std::map<TDisplayFormat, std::optional<std::string>> Theirs = {
        {TDisplayFormat::Text, "theirs"}};
    std::vector<TDisplayFormat> Fetched;
    std::vector<TDisplayData> Offers;
    std::function<void()> WhileWaiting;
};

class SlowClipboardPresenter : public THeadlessPresenter {
public:
    explicit SlowClipboardPresenter(SlowDisplayClipboard& Board) : FBoard(Board) {}
    TDisplayClipboard* Clipboard() override { return &FBoard; }

private:
    SlowDisplayClipboard& FBoard;
};

}  // namespace vex::test
