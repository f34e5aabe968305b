#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dataaware/intl/Wwintlrecords.h"
#include "platform/core/component.h"
#include "platform/gfx/font.h"
#include "platform/ui/bitbtn.h"

namespace vex {

enum TwwCheckBoxInGridStyle { cbStyleAuto, cbStyleCheckmark, cbStyleXmark };

// Every user-visible text of the data-aware library and a few library-wide switches. The
// library reads them from wwGlobalIntl when it needs them; an application retunes the library
// with an instance of its own whose Connected is True, which copies everything into the global
// instance (ApplyToGlobal). The texts stay there after that instance is gone.
class TwwIntl : public TComponent {
    VEX_CLASS(TwwIntl, TComponent)

public:
    explicit TwwIntl(TComponent* AOwner);
    ~TwwIntl() override;

    TwwDBNavigatorIntl* Navigator() const { return FNavigator.get(); }
    TwwSearchDialogIntl* SearchDialog() const { return FSearchDialog.get(); }
    TwwLocateDialogIntl* LocateDialog() const { return FLocateDialog.get(); }
    TwwMonthCalendarIntl* MonthCalendar() const { return FMonthCalendar.get(); }
    TwwUserMessagesIntl* UserMessages() const { return FUserMessages.get(); }
    TwwFilterDialogIntl* FilterDialog() const { return FFilterDialog.get(); }
    TwwDBRichEditIntl* RichEdit() const { return FRichEdit.get(); }

    // Dialog OK and Cancel buttons are bitmap buttons, their font in this style.
    bool OKCancelBitmapped() const { return FOKCancelBitmapped; }
    void SetOKCancelBitmapped(bool Value) { FOKCancelBitmapped = Value; }
    TFontStyles DialogFontStyle() const { return FDialogFontStyle; }
    void SetDialogFontStyle(TFontStyles Value) { FDialogFontStyle = Value; }

    const std::string& BtnOKCaption() const { return FBtnOKCaption; }
    void SetBtnOKCaption(const std::string& Value) { FBtnOKCaption = Value; }
    const std::string& BtnCancelCaption() const { return FBtnCancelCaption; }
    void SetBtnCancelCaption(const std::string& Value) { FBtnCancelCaption = Value; }

    // True copies this instance into the global one at once, and again once a stream that set
    // it has finished loading.
    bool Connected() const { return FConnected; }
    void SetConnected(bool Value);

    // Read-only: an assignment keeps the library's version.
    const std::string& VersionOndrix() const { return FVersionOndrix; }
    void SetVersionOndrix(const std::string& Value);

    // A connected instance other than the global one forwards a change at once.
    TwwCheckBoxInGridStyle CheckBoxInGridStyle() const { return FCheckBoxInGridStyle; }
    void SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle Value);

    bool UseLocateMethodForSearch() const { return FUseLocateMethodForSearch; }
    void SetUseLocateMethodForSearch(bool Value) { FUseLocateMethodForSearch = Value; }
    // Copied into the Epoch of each new data-aware date picker.
    int32_t DefaultEpochYear() const { return FDefaultEpochYear; }
    void SetDefaultEpochYear(int32_t Value) { FDefaultEpochYear = Value; }
    // The buffer size the library's datasets use for memo filtering.
    int32_t FilterMemoSize() const { return FFilterMemoSize; }
    void SetFilterMemoSize(int32_t Value) { FFilterMemoSize = Value; }

    // Copies every text and switch but the version and Connected into wwGlobalIntl; nothing
    // when this is the global instance (or the global one is gone).
    void ApplyToGlobal();

protected:
    void Loaded() override;

private:
    std::unique_ptr<TwwFilterDialogIntl> FFilterDialog;
    std::unique_ptr<TwwDBRichEditIntl> FRichEdit;
    std::unique_ptr<TwwDBNavigatorIntl> FNavigator;
    std::unique_ptr<TwwMonthCalendarIntl> FMonthCalendar;
    std::unique_ptr<TwwSearchDialogIntl> FSearchDialog;
    std::unique_ptr<TwwLocateDialogIntl> FLocateDialog;
    std::unique_ptr<TwwUserMessagesIntl> FUserMessages;
    bool FOKCancelBitmapped = true;
    TFontStyles FDialogFontStyle;
    std::string FBtnOKCaption = "&OK";
    std::string FBtnCancelCaption = "Cancel";
    bool FConnected = false;
    std::string FVersionOndrix = "4.03F";
    TwwCheckBoxInGridStyle FCheckBoxInGridStyle = cbStyleAuto;
    bool FUseLocateMethodForSearch = true;
    int32_t FDefaultEpochYear = 1950;
    int32_t FFilterMemoSize = 65536;
};

// A dialog's OK, Cancel or Help button for Parent, as the switches of wwGlobalIntl say: a bitmap
// button in the dialog font or a plain one, 77 pixels wide at 96 dots per inch, captioned with
// the global texts. It comes invisible; the caller places and shows it.
TButton* wwCreateDialogButton(TWinControl* Parent, TBitBtnKind Kind);

// The library's instance, owned by the application object; null once the program has ended.
extern TwwIntl* wwGlobalIntl;

// Makes wwGlobalIntl before the first user of this header needs it and frees it after the last,
// however the program's static objects are ordered.
struct TwwIntlUnit {
    TwwIntlUnit();
    ~TwwIntlUnit();
    TwwIntlUnit(const TwwIntlUnit&) = delete;
    TwwIntlUnit& operator=(const TwwIntlUnit&) = delete;
};
static const TwwIntlUnit wwIntlUnit;

}  // namespace vex
