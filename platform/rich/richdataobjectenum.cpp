#include "platform/rich/richdataobjectenum.h"

#include <algorithm>

namespace vex {

TRichFormatEnumerator::TRichFormatEnumerator(std::vector<UINT> Formats)
    : FFormats(std::make_shared<const std::vector<UINT>>(std::move(Formats))) {}

TRichFormatEnumerator::TRichFormatEnumerator(std::shared_ptr<const std::vector<UINT>> Formats,
                                             size_t Index)
    : FFormats(std::move(Formats)), FIndex(Index) {}

HRESULT TRichFormatEnumerator::Next(uint32_t Count, std::vector<UINT>& Out) {
    const size_t taken = std::min<size_t>(Count, FFormats->size() - FIndex);
    Out.assign(FFormats->begin() + static_cast<ptrdiff_t>(FIndex),
               FFormats->begin() + static_cast<ptrdiff_t>(FIndex + taken));
    FIndex += taken;
    return taken == Count ? S_OK : S_FALSE;
}

HRESULT TRichFormatEnumerator::Skip(uint32_t Count) {
    const size_t skipped = std::min<size_t>(Count, FFormats->size() - FIndex);
    FIndex += skipped;
    return skipped == Count ? S_OK : S_FALSE;
}

std::unique_ptr<TRichFormatEnumerator> TRichFormatEnumerator::Clone() const {
    return std::unique_ptr<TRichFormatEnumerator>(new TRichFormatEnumerator(FFormats, FIndex));
}

std::unique_ptr<TRichFormatEnumerator> EnumFormats(const IRichDataObject& Data) {
    return std::make_unique<TRichFormatEnumerator>(Data.Formats());
}

}  // namespace vex
