#pragma once

#include <memory>
#include <string>

#include "platform/gfx/canvas.h"
#include "platform/rich/richobjectkinds.h"

namespace vex::test {

// An object kind for tests and the gallery: a box that draws its class name and keeps a label
// as its data. Its verbs are "&Edit" (primary: appends "!" to the label, a data change) and
// "&Open" on the container's menu, and "Hidden", which is not.
class TBoxObject : public IRichObject {
public:
    static constexpr const char* Class = "Sample.Box";

    std::string UserType() const override { return "Box Object"; }
    std::string ClassName() const override { return Class; }
    uint32_t Status() const override { return OLEMISC_RECOMPOSEONRESIZE; }
    TSize Extent() const override { return FExtent; }
    void SetExtent(TSize Value) override {
        FExtent = {std::max(Value.cx, 1), std::max(Value.cy, 1)};
        Changed(TRichObjectChange::View);
    }
    uint32_t DrawAspect() const override { return FAspect; }
    void SetDrawAspect(uint32_t Aspect) override { FAspect = Aspect; }
    void Draw(TCanvas& Canvas, const TRect& Box) const override {
        Canvas.Brush().SetColor(clWhite);
        Canvas.Pen().SetColor(clBlack);
        Canvas.Rectangle(Box);
        Canvas.TextOut(Box.Left + 2, Box.Top + 2, FAspect == DVASPECT_ICON ? UserType() : Class);
    }
    std::vector<TRichObjectVerb> Verbs() const override {
        return {{0, "&Edit", 0, OLEVERBATTRIB_ONCONTAINERMENU},
                {1, "&Open", 0, OLEVERBATTRIB_ONCONTAINERMENU | OLEVERBATTRIB_NEVERDIRTIES},
                {2, "Hidden", 0, 0}};
    }
    HRESULT DoVerb(int32_t Verb) override {
        if (Verb != 0) return IRichObject::DoVerb(Verb);
        FLabel += "!";
        Changed(TRichObjectChange::Data);
        return S_OK;
    }
    // Bytes are the label: printable, at most 64 of them.
    std::string Save() const override { return FLabel; }
    void Load(std::string_view Bytes) override {
        if (Bytes.size() > 64 ||
            Bytes.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
            throw ERichObjectError("A box label is a short line");
        FLabel = Bytes;
    }
    // What the box's server does when a person saves it there.
    void SaveInServer() { Changed(TRichObjectChange::Save); }

    const std::string& Label() const { return FLabel; }
    void SetLabel(std::string Value) { FLabel = std::move(Value); }

private:
    TSize FExtent{1440, 720};
    uint32_t FAspect = DVASPECT_CONTENT;
    std::string FLabel = "box";
};

inline TRichObjectKind BoxObjectKind() {
    return {
        TBoxObject::Class, "Box Object", {".box"}, [] { return std::make_shared<TBoxObject>(); }};
}

inline TRichObjectKinds BoxObjectKinds() {
    TRichObjectKinds kinds;
    kinds.Register(BoxObjectKind());
    return kinds;
}

}  // namespace vex::test
