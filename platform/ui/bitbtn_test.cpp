#include "platform/ui/bitbtn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/buttons_testsupport.h"

namespace vex {
namespace {

TEST(BitBtn, EachKindBringsItsCaptionResultRoleAndGlyph) {
    const struct {
        TBitBtnKind Kind;
        const char* Caption;
        TModalResult Result;
        bool Default, Cancel;
    } kinds[] = {
        {bkOK, "OK", mrOk, true, false},
        {bkCancel, "Cancel", mrCancel, false, true},
        {bkHelp, "&Help", mrNone, false, false},
        {bkYes, "&Yes", mrYes, true, false},
        {bkNo, "&No", mrNo, false, true},
        {bkClose, "&Close", mrNone, false, false},
        {bkAbort, "&Abort", mrAbort, false, false},
        {bkRetry, "&Retry", mrRetry, false, false},
        {bkIgnore, "&Ignore", mrIgnore, false, false},
        {bkAll, "&All", mrAll, false, false},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.Caption);
        TBitBtn button(nullptr);
        button.SetKind(k.Kind);
        EXPECT_EQ(button.Caption(), k.Caption);
        EXPECT_EQ(button.ModalResult(), k.Result);
        EXPECT_EQ(button.Default(), k.Default);
        EXPECT_EQ(button.Cancel(), k.Cancel);
        ASSERT_FALSE(button.Glyph().Empty());
        // The corner that names the transparent colour is not part of the drawing.
        EXPECT_EQ(button.Glyph().TransparentColor(), clFuchsia);
    }
    TBitBtn custom(nullptr);
    custom.SetKind(bkOK);
    custom.SetKind(bkCustom);
    EXPECT_TRUE(custom.Glyph().Empty());
}

TEST(BitBtn, AGlyphOfItsOwnOutlivesAChangeOfKind) {
    TBitmap own;
    own.SetSize(32, 16);
    TBitBtn button(nullptr);
    button.SetGlyph(own);
    EXPECT_EQ(button.NumGlyphs(), 2);
    button.SetKind(bkNo);
    EXPECT_EQ(button.Glyph().Width(), 32);
}

TEST(BitBtn, CloseClosesItsFormAndTheOthersGiveTheirResult) {
    test::TButtonsScene scene;
    bool closed = false;
    scene.Form().OnClose = [&](TObject*, TCloseAction& Action) {
        closed = true;
        Action = caNone;
    };
    auto* close = scene.Add<TBitBtn>("close", Rect(10, 10, 85, 35), nullptr);
    close->SetKind(bkClose);
    auto* retry = scene.Add<TBitBtn>("retry", Rect(10, 40, 85, 65), nullptr);
    retry->SetKind(bkRetry);
    scene.ClickOn(*close);
    EXPECT_TRUE(closed);
    scene.ClickOn(*retry);
    EXPECT_EQ(scene.Form().ModalResult(), mrRetry);
    EXPECT_EQ(scene.TakeClicks(), (std::vector<std::string>{"close", "retry"}));
}

TEST(BitBtn, LooksAsReviewed) {
    test::TButtonsScene scene(Rect(100, 100, 420, 300));
    const TBitBtnKind kinds[] = {bkOK,    bkCancel, bkHelp,  bkYes,    bkNo,
                                 bkClose, bkAbort,  bkRetry, bkIgnore, bkAll};
    for (int i = 0; i < 10; ++i) {
        const int32_t x = 8 + (i % 4) * 78, y = 8 + (i / 4) * 30;
        scene.Add<TBitBtn>("", Rect(x, y, x + 74, y + 26), nullptr)->SetKind(kinds[i]);
    }
    const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
    for (int i = 0; i < 4; ++i) {
        const int32_t x = 8 + i * 78;
        auto* b = scene.Add<TBitBtn>("", Rect(x, 100, x + 74, 150), nullptr);
        b->SetKind(bkRetry);
        b->SetLayout(layouts[i]);
        b->SetMargin(i == 0 ? 4 : -1);
        b->SetEnabled(i != 3);
    }
    scene.Settle();
    EXPECT_TRUE(scene.LooksAsReviewed(scene.Form(), "bitbtns"));
}

}  // namespace
}  // namespace vex
