#pragma once

#include <memory>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/core/set.h"

namespace vex {

class TForm;
class TFindForm;

// frDown, frMatchCase and frWholeWord are the choices on the form. frFindNext, frReplace and
// frReplaceAll say which button fired the event: a press sets its own flag and clears the
// other two, so a handler that repeats on frReplaceAll never repeats after Find Next or
// Replace. frHideUpDown hides the direction.
enum TFindOption {
    frDown,
    frFindNext,
    frHideUpDown,
    frMatchCase,
    frReplace,
    frReplaceAll,
    frWholeWord
};
using TFindOptions = TSet<TFindOption, 8>;

// The find dialog, modeless: Execute shows it and returns at once, and the program hears of its
// buttons through the events while it stays open beside the program's other windows. Find Next
// (and Enter) fires OnFind; Cancel, Escape and the close box hide it and fire OnClose. The
// buttons are disabled while the find text is empty. The form's parts are named "FindText",
// "WholeWord", "MatchCase", "Direction", "Up", "Down", "FindNext" and "Cancel".
class TFindDialog : public TComponent {
    VEX_CLASS(TFindDialog, TComponent)

public:
    explicit TFindDialog(TComponent* AOwner);
    ~TFindDialog() override;

    // Follows what is typed; setting it while the dialog shows changes the field.
    const std::string& FindText() const { return FFindText; }
    void SetFindText(const std::string& Value);
    TFindOptions Options() const { return FOptions; }
    void SetOptions(TFindOptions Value);
    // The top left corner on the screen: where the dialog is while it shows, else where it
    // showed last or will show. Until it is set or the dialog has shown, (-1, -1): the dialog
    // then shows centred on the screen.
    TPoint Position() const;
    void SetPosition(TPoint Value);

    TNotifyEvent OnFind;
    TNotifyEvent OnClose;

    // Shows the dialog (brings it to the front when it shows already) with the focus in the
    // find text, and answers true.
    bool Execute();
    // Hides the dialog as Cancel does; nothing when it does not show.
    void CloseDialog();

    // The form while the dialog has made one, for the program's look at its parts.
    TForm* Form() const;

protected:
    // Whether the form asks for a replacement text, with Replace and Replace All.
    virtual bool Replacing() const { return false; }
    // Replace or Replace All was pressed, which only a replacing form offers.
    virtual void DoReplace() {}
    TFindForm* FindForm() const { return FForm.get(); }

private:
    friend class TFindForm;

    void ButtonPressed(TFindOption Button);
    void Closed();

    std::string FFindText;
    TFindOptions FOptions = {frDown};
    TPoint FPosition{-1, -1};
    std::unique_ptr<TFindForm> FForm;
};

// The find dialog with a replacement text, Replace and Replace All (both fire OnReplace, with
// frReplace or frReplaceAll in Options). It offers no direction. Its extra parts are named
// "ReplaceText", "Replace" and "ReplaceAll".
class TReplaceDialog : public TFindDialog {
    VEX_CLASS(TReplaceDialog, TFindDialog)

public:
    using TFindDialog::TFindDialog;

    const std::string& ReplaceText() const { return FReplaceText; }
    void SetReplaceText(const std::string& Value);

    TNotifyEvent OnReplace;

protected:
    bool Replacing() const override { return true; }
    void DoReplace() override;

private:
    friend class TFindForm;

    std::string FReplaceText;
};

}  // namespace vex
