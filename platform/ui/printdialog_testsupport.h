#pragma once

// Driving the print and page-setup forms from a modal script as a person would: parts found by
// name in the dialog that runs, text typed over a field, an item stepped to by keys; a look at
// the dialog; and a printer list of names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/printer.h"
#include "platform/ui/recordingprinter.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "tests/support/idlepump.h"

namespace vex::test {

inline TCustomForm& RunningDialog() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr || !form->Modal()) throw std::runtime_error("no dialog runs");
    return *form;
}

template <class T>
T& DialogPart(const std::string& Name) {
    auto* part = dynamic_cast<T*>(RunningDialog().FindComponent(Name));
    if (part == nullptr) throw std::runtime_error("the dialog has no " + Name);
    return *part;
}

// The item the combo box Name shows; empty when none.
inline std::string ComboShown(const std::string& Name) {
    auto& combo = DialogPart<TCustomComboBox>(Name);
    return combo.ItemIndex() < 0 ? "" : combo.Items()[combo.ItemIndex()];
}

// The keys that type Text: letters, digits, points, minus signs and spaces.
inline std::vector<int32_t> KeysOf(const std::string& Text) {
    std::vector<int32_t> keys;
    for (char c : Text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        keys.push_back(c == ' '   ? VK_SPACE
                       : c == '.' ? VK_OEM_PERIOD
                       : c == '-' ? VK_OEM_MINUS
                                  : c);
    }
    return keys;
}

// Puts the focus in Field with its text selected, and types Text over it.
inline void TypeOver(const std::string& Field, const std::string& Text) {
    auto& edit = DialogPart<TCustomEdit>(Field);
    RunningDialog().SetActiveControl(&edit);
    edit.SelectAll();
    if (Text.empty())
        TapKey(VK_DELETE);
    else
        InjectKeys(KeysOf(Text));
}

// Moves the closed combo box Name down (positive) or up by Steps items, as its arrows do.
inline void StepCombo(const std::string& Name, int32_t Steps) {
    auto& combo = DialogPart<TCustomComboBox>(Name);
    RunningDialog().SetActiveControl(&combo);
    for (int32_t i = 0; i < std::abs(Steps); ++i)
        TapKey(Steps > 0 ? VK_DOWN : VK_UP);
}

// The text of the message dialog that runs.
inline std::string ToldText() {
    return DialogPart<TLabel>("Message").Caption();
}

// A script step that reads the message dialog that runs into Told, then closes it.
inline auto ReadTold(std::string& Told) {
    return [&Told] {
        Told = ToldText();
        TapKey(VK_RETURN);
    };
}

// A script step that notes which part of the dialog that runs has the focus, then cancels it.
inline auto NoteFocusAndCancel(std::string& Focused) {
    return [&Focused] {
        Focused = RunningDialog().ActiveControl()->Name();
        TapKey(VK_ESCAPE);
    };
}

// Once the dialog that runs has settled, takes its picture as a person would see it (and keeps
// it as Name in VEX_PICTURE_DIR when that names a folder), then closes it.
inline void LookAtRunningDialog(const std::string& Name) {
    PumpUntilIdle();
    TBitmap picture;
    PictureOfWindow(RunningDialog().Handle(), picture);
    EXPECT_GT(picture.Width(), 0);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveWindowPicture(RunningDialog().Handle(), std::string(dir) + "/" + Name);
    TapKey(VK_ESCAPE);
}

// The printer's list becomes printers of these names.
inline void UsePrinters(const std::vector<std::string>& Names) {
    std::vector<std::unique_ptr<TPrinterDevice>> devices;
    for (const std::string& name : Names)
        devices.push_back(std::make_unique<TRecordingPrinter>(name));
    Printer().SetDevices(std::move(devices));
}

}  // namespace vex::test
