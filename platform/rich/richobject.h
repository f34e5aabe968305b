#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/geometry.h"
#include "platform/gfx/textmetrics.h"
#include "platform/rich/richolecallback.h"

namespace vex {

class TCanvas;

// Raised for object data that cannot be read (storage, saved bytes, a class no kind makes).
VEX_EXCEPTION(ERichObjectError, Exception);

// What an object says of itself (Status): the OLEMISC_ bits.
inline constexpr uint32_t OLEMISC_RECOMPOSEONRESIZE = 0x00000001;
inline constexpr uint32_t OLEMISC_ONLYICONIC = 0x00000002;
inline constexpr uint32_t OLEMISC_INSERTNOTREPLACE = 0x00000004;
inline constexpr uint32_t OLEMISC_STATIC = 0x00000008;
inline constexpr uint32_t OLEMISC_CANTLINKINSIDE = 0x00000010;
inline constexpr uint32_t OLEMISC_CANLINKBYOLE1 = 0x00000020;
inline constexpr uint32_t OLEMISC_ISLINKOBJECT = 0x00000040;
inline constexpr uint32_t OLEMISC_INSIDEOUT = 0x00000080;
inline constexpr uint32_t OLEMISC_ACTIVATEWHENVISIBLE = 0x00000100;
inline constexpr uint32_t OLEMISC_RENDERINGISDEVICEINDEPENDENT = 0x00000200;

// Verbs every object takes (DoVerb) besides its own, which count from 0 (the primary one) up.
inline constexpr int32_t OLEIVERB_PRIMARY = 0;
inline constexpr int32_t OLEIVERB_SHOW = -1;
inline constexpr int32_t OLEIVERB_OPEN = -2;
inline constexpr int32_t OLEIVERB_HIDE = -3;

// What a verb is (TRichObjectVerb::Attributes).
inline constexpr uint32_t OLEVERBATTRIB_NEVERDIRTIES = 0x1;
inline constexpr uint32_t OLEVERBATTRIB_ONCONTAINERMENU = 0x2;

// How an object is shown: its content or an icon standing for it.
inline constexpr uint32_t DVASPECT_CONTENT = 1;
inline constexpr uint32_t DVASPECT_ICON = 4;

// Failures the object interfaces answer.
inline constexpr HRESULT OLE_E_NOCONNECTION = static_cast<HRESULT>(0x80040004u);
inline constexpr HRESULT OLEOBJ_E_INVALIDVERB = static_cast<HRESULT>(0x80040181u);

// The largest extent data from outside may give an object, in twips each way (100 inches):
// layout sums extents, and a box larger than any page is no picture of anything.
inline constexpr int32_t MaxObjectExtent = 144000;

// One thing an object can be told to do, as its menu shows it.
struct TRichObjectVerb {
    int32_t Id = 0;
    std::string Name;
    uint32_t MenuFlags = 0;   // MF_ flags of its menu item
    uint32_t Attributes = 0;  // OLEVERBATTRIB_ bits
    friend bool operator==(const TRichObjectVerb&, const TRichObjectVerb&) = default;
};

// What an advised sink hears of its object, by the numbers the notices had.
enum class TRichObjectChange : uint8_t { Data = 0, View = 1, Rename = 2, Save = 3, Close = 4 };

class IRichObject;

// Hears of the changes of the objects it advised (Advise).
class IRichObjectSink {
public:
    virtual ~IRichObjectSink() = default;
    virtual void ObjectChanged(IRichObject& Object, TRichObjectChange Change) = 0;
};

// An object embedded in the text: it stands there as one character and is laid out and painted
// as a box of its extent. Only Extent and Draw must be given; the rest answers as an object of
// a fixed size with no data, no verbs and no class of its own would, and keeps the sinks.
class IRichObject {
public:
    IRichObject() = default;
    virtual ~IRichObject() = default;
    // Sinks advised the original are not the copy's.
    IRichObject(const IRichObject&) = delete;
    IRichObject& operator=(const IRichObject&) = delete;

    // The name a person knows its kind by ("Box Object"), and the class its kind registered.
    virtual std::string UserType() const { return {}; }
    virtual std::string ClassName() const { return {}; }
    // OLEMISC_ bits.
    virtual uint32_t Status() const { return 0; }

    // The box on the page, in twips; at least one twip each way.
    virtual TSize Extent() const = 0;
    // An object of a fixed size keeps it.
    virtual void SetExtent(TSize /*Value*/) {}
    // DVASPECT_CONTENT or DVASPECT_ICON.
    virtual uint32_t DrawAspect() const { return DVASPECT_CONTENT; }
    virtual void SetDrawAspect(uint32_t /*Aspect*/) {}
    // Paints the object into Box (device pixels of Canvas).
    virtual void Draw(TCanvas& Canvas, const TRect& Box) const = 0;

    // Its own verbs in menu order.
    virtual std::vector<TRichObjectVerb> Verbs() const { return {}; }
    // Runs a verb of its own or one of the OLEIVERB_ ones; OLEOBJ_E_INVALIDVERB for another.
    virtual HRESULT DoVerb(int32_t Verb);

    // Its data as bytes, and back: Load raises ERichObjectError for bytes it cannot read and
    // then stays as it was.
    virtual std::string Save() const { return {}; }
    virtual void Load(std::string_view Bytes);
    // The display name of the source of a linked object; empty for an embedded one.
    virtual std::string LinkSource() const { return {}; }

    // Sink hears of every change until unadvised by the token answered (never 0); it must be
    // unadvised before it goes. Unadvise answers OLE_E_NOCONNECTION for a token not held.
    virtual uint32_t Advise(IRichObjectSink& Sink);
    virtual HRESULT Unadvise(uint32_t Token);

protected:
    // Tells every advised sink; a sink may unadvise itself or another while it hears.
    void Changed(TRichObjectChange Change);

private:
    std::vector<std::pair<uint32_t, IRichObjectSink*>> FSinks;
    uint32_t FLastToken = 0;
};

}  // namespace vex
