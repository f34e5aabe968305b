#include "platform/rich/richobjectpersist.h"

#include <algorithm>

#include "platform/rich/littleendian32.h"

namespace vex {
namespace {

std::string Numbers(std::initializer_list<int32_t> Values) {
    std::string out;
    for (const int32_t value : Values)
        AppendNumber32(out, static_cast<uint32_t>(value));
    return out;
}

int32_t NumberAt(const std::string& Bytes, size_t Index) {
    return static_cast<int32_t>(Number32At(Bytes, Index * 4));
}

const std::string& Stream(const TRichObjectStorage& Storage, std::string_view Name,
                          size_t NumberCount = 0) {
    const std::string* stream = Storage.Read(Name);
    if (stream == nullptr || (NumberCount > 0 && stream->size() != NumberCount * 4))
        throw ERichObjectError("The object storage has no valid " + std::string(Name) + " stream");
    return *stream;
}

int32_t ExtentWithin(int32_t Twips) {
    return std::clamp(Twips, 1, MaxObjectExtent);
}

}  // namespace

TRichObjectStorage SaveObjectToStorage(const IRichObject& Object) {
    TRichObjectStorage storage;
    const TSize extent = Object.Extent();
    storage.Write("Class", Object.ClassName());
    storage.Write("Extent", Numbers({extent.cx, extent.cy}));
    storage.Write("Aspect", Numbers({static_cast<int32_t>(Object.DrawAspect())}));
    storage.Write("Contents", Object.Save());
    return storage;
}

std::shared_ptr<IRichObject> LoadObjectFromStorage(const TRichObjectKinds& Kinds,
                                                   const TRichObjectStorage& Storage) {
    const std::string& extent = Stream(Storage, "Extent", 2);
    const std::string& aspect = Stream(Storage, "Aspect", 1);
    const std::string& contents = Stream(Storage, "Contents");
    std::shared_ptr<IRichObject> object = Kinds.Create(Stream(Storage, "Class"));
    object->Load(contents);
    object->SetExtent({ExtentWithin(NumberAt(extent, 0)), ExtentWithin(NumberAt(extent, 1))});
    object->SetDrawAspect(NumberAt(aspect, 0) == static_cast<int32_t>(DVASPECT_ICON)
                              ? DVASPECT_ICON
                              : DVASPECT_CONTENT);
    return object;
}

}  // namespace vex
