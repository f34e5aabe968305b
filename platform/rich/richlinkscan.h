#pragma once

#include <string_view>
#include <vector>

#include "platform/rich/richlinks.h"

namespace vex {

// The addresses in one paragraph's text, in order, as positions in Text: "http://", "https://",
// "ftp://", "mailto:" (compared without case) or "www." at the start of a word, up to the next
// blank, less the punctuation that ends a sentence or closes a bracket opened before the address. A
// prefix with nothing after it is no address.
std::vector<TRichLinkRange> FindLinksInText(std::string_view Text);

}  // namespace vex
