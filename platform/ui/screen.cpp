#include "platform/ui/screen.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/gfx/fontengine.h"
#include "platform/ui/form.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/systemparameters.h"
#include "platform/win/windowtree.h"

namespace vex {

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
    for (TCursor standard = crHandPoint; standard <= crDefault; ++standard)
        FCursors[standard] = standard;
    // Hints show in the small font of tool tips.
    FHintFont.SetSize(8);
}

TScreen::~TScreen() = default;

int32_t TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int32_t TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const {
    TRect area;
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0)) area = Rect(0, 0, Width(), Height());
    return area;
}

void TScreen::SetPixelsPerInch(int32_t Value) {
    if (Value < 1) throw ERangeError("Pixels per inch must be at least 1");
    FPixelsPerInch = Value;
}

TStrings& TScreen::Fonts() {
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        for (const TFontFamily& family : InstalledFontFamilies())
            FFonts->Add(family.Name);
    }
    return *FFonts;
}

HCURSOR TScreen::Cursors(TCursor Index) const {
    const auto found = FCursors.find(Index);
    return found != FCursors.end() ? found->second : FCursors.at(crDefault);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
    FCursors[Index] = Handle;
}

std::vector<TCustomForm*> TScreen::FormsInZOrder() const {
    std::vector<TCustomForm*> ordered;
    EnumWindows(
        [&](HWND Wnd, LPARAM) {
            const auto found = std::find_if(FForms.begin(), FForms.end(), [Wnd](TCustomForm* F) {
                return F->HandleAllocated() && F->Handle() == Wnd;
            });
            if (found != FForms.end()) ordered.push_back(*found);
            return true;
        },
        0);
    for (TCustomForm* form : FForms)
        if (!form->HandleAllocated()) ordered.push_back(form);
    return ordered;
}

TCustomForm* TScreen::CustomForms(int32_t Index) const {
    const std::vector<TCustomForm*> ordered = FormsInZOrder();
    if (Index < 0 || Index >= static_cast<int32_t>(ordered.size()))
        throw EListError("Form index out of bounds (" + std::to_string(Index) + ")");
    return ordered[static_cast<size_t>(Index)];
}

int32_t TScreen::FormCount() const {
    return static_cast<int32_t>(std::count_if(FForms.begin(), FForms.end(), [](TCustomForm* F) {
        return dynamic_cast<TForm*>(F) != nullptr;
    }));
}

TForm* TScreen::Forms(int32_t Index) const {
    int32_t seen = 0;
    for (TCustomForm* form : FormsInZOrder())
        if (auto* plain = dynamic_cast<TForm*>(form); plain != nullptr && seen++ == Index)
            return plain;
    throw EListError("Form index out of bounds (" + std::to_string(Index) + ")");
}

void TScreen::SetActiveForm(TCustomForm* Value) {
    if (FActiveForm == Value) return;
    FActiveForm = Value;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Value) {
    if (FActiveControl == Value) return;
    FActiveControl = Value;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::AddForm(TCustomForm* Form) {
    FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    std::erase(FForms, Form);
    if (FActiveControl != nullptr && GetParentForm(FActiveControl) == Form)
        SetActiveControl(nullptr);
    if (FActiveForm == Form) SetActiveForm(nullptr);
}

TScreen& Screen() {
    static TScreen screen(nullptr);
    return screen;
}

}  // namespace vex
