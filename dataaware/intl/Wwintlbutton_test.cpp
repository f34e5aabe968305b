#include <gtest/gtest.h>

#include "dataaware/intl/Wwintl.h"
#include "platform/core/exceptions.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

// Each test puts the global switches and the screen's resolution back as it found them.
class DialogButton : public ::testing::Test {
protected:
    void TearDown() override {
        TwwIntl defaults(nullptr);
        defaults.SetConnected(true);
        Screen().SetPixelsPerInch(96);
    }
    test::TShownForm Form;
};

TEST_F(DialogButton, IsAPlainCancelButtonWhenButtonsAreNotBitmapped) {
    wwGlobalIntl->SetOKCancelBitmapped(false);
    wwGlobalIntl->SetBtnCancelCaption("Abbrechen");
    TButton* button = wwCreateDialogButton(Form.Form, bkCancel);
    EXPECT_EQ(dynamic_cast<TBitBtn*>(button), nullptr);
    EXPECT_EQ(button->Owner(), Form.Form);
    EXPECT_EQ(button->Parent(), Form.Form);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(button->Width(), 77);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_EQ(button->Caption(), "Abbrechen");
    EXPECT_EQ(button->ModalResult(), mrCancel);
    EXPECT_TRUE(button->Cancel());
}

TEST_F(DialogButton, IsABitmapButtonInTheDialogFontScaledToTheScreen) {
    Screen().SetPixelsPerInch(120);
    wwGlobalIntl->SetDialogFontStyle({fsBold});
    auto* button = dynamic_cast<TBitBtn*>(wwCreateDialogButton(Form.Form, bkOK));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Width(), 96);
    EXPECT_EQ(button->Height(), 33);
    EXPECT_EQ(button->Kind(), bkOK);
    EXPECT_EQ(button->Caption(), "&OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_EQ(button->Margin(), 2);
    EXPECT_EQ(button->Spacing(), -1);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    EXPECT_EQ(button->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(button->Font().Height(), -11);
    EXPECT_TRUE(button->Font().Style().Contains(fsBold));
}

TEST_F(DialogButton, CaptionsHelpAndLeavesOtherKindsTheirOwn) {
    wwGlobalIntl->SetOKCancelBitmapped(false);
    EXPECT_EQ(wwCreateDialogButton(Form.Form, bkHelp)->Caption(), "Help");
    wwGlobalIntl->SetOKCancelBitmapped(true);
    TButton* retry = wwCreateDialogButton(Form.Form, bkRetry);
    TBitBtn reference(nullptr);
    reference.SetKind(bkRetry);
    EXPECT_EQ(retry->Caption(), reference.Caption());
}

TEST_F(DialogButton, RaisesAnOverflowRatherThanWrapAtAnAbsurdResolution) {
    Screen().SetPixelsPerInch(30'000'000);
    const int32_t controls = Form.Form->ControlCount();
    const int32_t components = Form.Form->ComponentCount();
    for (const bool bitmapped : {false, true}) {
        wwGlobalIntl->SetOKCancelBitmapped(bitmapped);
        EXPECT_THROW(wwCreateDialogButton(Form.Form, bkOK), EIntOverflow);
        // No half-made button is left behind on the dialog.
        EXPECT_EQ(Form.Form->ControlCount(), controls);
        EXPECT_EQ(Form.Form->ComponentCount(), components);
    }
}

}  // namespace
}  // namespace vex
