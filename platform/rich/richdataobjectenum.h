#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rich/richdataobject.h"
#include "platform/rich/richolecallback.h"

namespace vex {

// Walks the formats a data object offers, one or a few at a time, as a receiver that looks for
// the one it takes does.
class TRichFormatEnumerator {
public:
    explicit TRichFormatEnumerator(std::vector<UINT> Formats);

    // Puts up to Count formats from the current one into Out and moves past them: S_OK when
    // Count were there, S_FALSE when fewer were (Out.size() says how many).
    HRESULT Next(uint32_t Count, std::vector<UINT>& Out);
    // Moves past Count formats: S_FALSE, at the end, when fewer were left.
    HRESULT Skip(uint32_t Count);
    void Reset() { FIndex = 0; }
    // Another walk over the same formats from where this one is.
    std::unique_ptr<TRichFormatEnumerator> Clone() const;

private:
    TRichFormatEnumerator(std::shared_ptr<const std::vector<UINT>> Formats, size_t Index);

    std::shared_ptr<const std::vector<UINT>> FFormats;
    size_t FIndex = 0;
};

// The formats Data offers, richest first.
std::unique_ptr<TRichFormatEnumerator> EnumFormats(const IRichDataObject& Data);

}  // namespace vex
