#pragma once

#include <memory>

#include "platform/rich/richobjectkinds.h"
#include "platform/rich/richobjectstorage.h"

namespace vex {

// An object as a storage of its own: streams "Class", "Extent" and "Aspect" beside the bytes
// it saves ("Contents"), so that it can be made again where only the storage travels.
TRichObjectStorage SaveObjectToStorage(const IRichObject& Object);
// Makes the object a storage describes through the kind its class names, with the extent
// (within MaxObjectExtent) and aspect stored. Raises ERichObjectError for a storage that lacks
// a stream, names a class not registered or holds data the object cannot load.
std::shared_ptr<IRichObject> LoadObjectFromStorage(const TRichObjectKinds& Kinds,
                                                   const TRichObjectStorage& Storage);

}  // namespace vex
