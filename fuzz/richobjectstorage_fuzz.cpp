// Feeds arbitrary bytes to the object storage parser: it must refuse a bad buffer with
// ERichObjectError and never read past it; a buffer it takes must write back byte for byte; and
// an object made from it must save to a storage that makes the same object again.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/richobjectpersist.h"
#include "platform/rich/richobjectstorage.h"

namespace {

std::optional<vex::TRichObjectStorage> Parse(std::string_view Bytes) {
    try {
        return vex::TRichObjectStorage::FromBytes(Bytes);
    } catch (const vex::ERichObjectError&) {
        return std::nullopt;
    }
}

std::shared_ptr<vex::IRichObject> Load(const vex::TRichObjectKinds& Kinds,
                                       const vex::TRichObjectStorage& Storage) {
    try {
        return vex::LoadObjectFromStorage(Kinds, Storage);
    } catch (const vex::ERichObjectError&) {
        return nullptr;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    const std::optional<vex::TRichObjectStorage> storage = Parse(bytes);
    if (!storage) return 0;
    if (storage->Bytes() != bytes) __builtin_trap();

    static const vex::TRichObjectKinds kinds = vex::test::BoxObjectKinds();
    const std::shared_ptr<vex::IRichObject> object = Load(kinds, *storage);
    if (!object) return 0;
    const std::optional<vex::TRichObjectStorage> saved =
        Parse(vex::SaveObjectToStorage(*object).Bytes());
    if (!saved) __builtin_trap();
    const std::shared_ptr<vex::IRichObject> again = Load(kinds, *saved);
    if (!again || again->Save() != object->Save() || !(again->Extent() == object->Extent()) ||
        again->DrawAspect() != object->DrawAspect())
        __builtin_trap();
    return 0;
}
