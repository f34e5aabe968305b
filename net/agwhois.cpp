#include "net/agwhois.h"

namespace vex {

TagWhoIs::TagWhoIs(TComponent* AOwner)
    : TagSocket(AOwner), FAnswer(std::make_unique<TMemoryStream>()) {
    SetDefaultPort(43);
    SetServiceName("whois");
}

TagWhoIs::~TagWhoIs() = default;

}  // namespace vex
