#include "components/entry/OvcFxFont.h"

#include <algorithm>
#include <utility>

#include "components/entry/OvcErrors.h"
#include "platform/core/stringlist.h"
#include "platform/core/typinfo.h"
#include "platform/gfx/fontengine.h"

namespace vex {

namespace {

std::unique_ptr<TStringList> FixedFaces() {
    auto list = std::make_unique<TStringList>();
    list->SetSorted(true);
    list->SetDuplicates(dupIgnore);
    std::vector<std::string> fixedFamilies;
    for (const TFontFamily& family : InstalledFontFamilies())
        if (family.FixedPitch) fixedFamilies.push_back(family.Name);
    for (const std::string& family : fixedFamilies)
        list->Add(family);
    for (const std::string& face : MappedFaceNames()) {
        const std::string family = MapFaceName(face, false);
        if (std::find(fixedFamilies.begin(), fixedFamilies.end(), family) != fixedFamilies.end())
            list->Add(face);
    }
    return list;
}

bool IsFixedFace(const std::string& Name) {
    const TStringList& list = FixedFontList();
    for (int32_t i = 0; i < list.Count(); ++i)
        if (list[i] == Name) return true;
    return false;
}

const bool FixedFontPublished = [] {
    using F = TOvcFixedFont;
    RegisterProperties(F::StaticClassInfo(),
                       {OrdinalProperty("Color", tkInteger, "TColor", &F::Color, &F::SetColor),
                        StringProperty("Name", &F::Name, &F::SetName),
                        OrdinalProperty("Size", tkInteger, "Integer", &F::Size, &F::SetSize),
                        SetProperty("Style", "TFontStyles", &F::Style, &F::SetStyle)});
    return true;
}();

}  // namespace

const TStringList& FixedFontList() {
    static const std::unique_ptr<TStringList> list = FixedFaces();
    return *list;
}

TOvcFixedFont::TOvcFixedFont() : FFont(std::make_unique<TFont>()) {
    const TStringList& list = FixedFontList();
    if (list.Count() > 0) FFont->SetName(list[0]);
}

TOvcFixedFont::~TOvcFixedFont() = default;

void TOvcFixedFont::DoOnChange() {
    if (OnChange) OnChange(this);
}

void TOvcFixedFont::SetColor(TColor Value) {
    FFont->SetColor(Value);
    DoOnChange();
}

void TOvcFixedFont::SetName(const std::string& Value) {
    if (!IsFixedFace(Value)) return;
    FFont->SetName(Value);
    DoOnChange();
}

void TOvcFixedFont::SetSize(int32_t Value) {
    FFont->SetSize(Value);
    DoOnChange();
}

void TOvcFixedFont::SetStyle(TFontStyles Value) {
    FFont->SetStyle(Value);
    DoOnChange();
}

void TOvcFixedFont::Assign(const TPersistent* Source) {
    if (const auto* fixed = dynamic_cast<const TOvcFixedFont*>(Source)) {
        const std::string name = FFont->Name();
        FFont->Assign(fixed->FFont.get());
        if (!IsFixedFace(FFont->Name())) FFont->SetName(name);
    } else if (const auto* font = dynamic_cast<const TFont*>(Source)) {
        if (!IsFixedFace(font->Name())) throw EInvalidFixedFont();
        FFont->Assign(font);
    } else {
        throw EInvalidFontParam();
    }
    DoOnChange();
}

}  // namespace vex
