#pragma once

#include <memory>
#include <string>

#include "net/agsocket.h"
#include "platform/core/events.h"
#include "platform/core/stream.h"

namespace vex {

// The shell of a whois client (TCP port 43): it carries the query and its settings for the
// window that holds it, and no operation sends anything.
class TagWhoIs : public TagSocket {
    VEX_CLASS(TagWhoIs, TagSocket)

public:
    explicit TagWhoIs(TComponent* AOwner);
    ~TagWhoIs() override;

    const std::string& Query() const { return FQuery; }
    void SetQuery(const std::string& Value) { FQuery = Value; }
    // Where a whois answer is kept; nothing present fills it, so it stays empty.
    TMemoryStream& Answer() { return *FAnswer; }

    TNotifyEvent OnSendingQuery;

private:
    std::string FQuery;
    std::unique_ptr<TMemoryStream> FAnswer;
};

}  // namespace vex
