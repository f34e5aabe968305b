#include "platform/rich/richobjectdescriptor.h"

#include "platform/core/codepage.h"
#include "platform/rich/littleendian32.h"
#include "platform/rich/richobject.h"

namespace vex {
namespace {

constexpr uint32_t DescriptorSize = 52;

void PutName(std::string& Out, const std::string& Name) {
    for (const char c : Name) {
        const char32_t unit = Win1252ToUnicode(static_cast<unsigned char>(c));
        Out.push_back(static_cast<char>(unit & 0xFF));
        Out.push_back(static_cast<char>(unit >> 8 & 0xFF));
    }
    Out.append(2, '\0');
}

// Twips to hundredths of a millimetre, rounded.
uint32_t HiMetric(int32_t Twips) {
    return static_cast<uint32_t>((int64_t{Twips} * 127 + 36) / 72);
}

}  // namespace

std::string ObjectDescriptor(const IRichObject& Object) {
    const std::string source = Object.LinkSource();
    const std::string type = source.empty() ? Object.UserType() : "Linked " + Object.UserType();
    const uint32_t typeOffset = DescriptorSize;
    const uint32_t sourceOffset = typeOffset + 2 * static_cast<uint32_t>(type.size() + 1);
    const uint32_t size = sourceOffset + 2 * static_cast<uint32_t>(source.size() + 1);
    const TSize extent = Object.Extent();

    std::string out;
    out.reserve(size);
    AppendNumber32(out, size);
    out.append(16, '\0');
    AppendNumber32(out, Object.DrawAspect());
    AppendNumber32(out, HiMetric(extent.cx));
    AppendNumber32(out, HiMetric(extent.cy));
    AppendNumber32(out, 0);
    AppendNumber32(out, 0);
    AppendNumber32(out, Object.Status());
    AppendNumber32(out, typeOffset);
    AppendNumber32(out, sourceOffset);
    PutName(out, type);
    PutName(out, source);
    return out;
}

}  // namespace vex
