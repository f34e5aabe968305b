#include "components/entry/OvcCaret.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/typinfo.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/caret.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

constexpr int32_t MaxInt = std::numeric_limits<int32_t>::max();

const std::vector<std::string> ShapeNames = {"csBlock",    "csHalfBlock", "csVertLine",
                                             "csHorzLine", "csCustom",    "csBitmap"};
const std::vector<std::string> AlignNames = {"caLeft", "caTop", "caRight", "caBottom", "caCenter"};

template <class E>
E Named(const std::vector<std::string>& Names, const std::string& Name) {
    const auto at = std::find(Names.begin(), Names.end(), Name);
    if (at == Names.end()) throw std::runtime_error("no such value: " + Name);
    return static_cast<E>(at - Names.begin());
}

std::string TestData(const std::string& Name) {
    return std::string(VEX_TEST_DIR) + "/testdata/" + Name;
}

// A shown form with a window for the carets; the caret stays on while a test looks.
class CaretOnWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetCaretBlinkTime(CaretNoBlink);
        Panel = Form.Add<test::TPlainPanel>(Form.Form, Rect(10, 10, 60, 50));
        Panel->SetColor(clWindow);
        Panel->HandleNeeded();
    }
    void TearDown() override { SetCaretBlinkTime(530); }

    TRect CaretRect() const {
        const TCaretState state = GetCaretState();
        EXPECT_EQ(state.Wnd, Panel->Handle());
        return state.Rect;
    }

    test::TShownForm Form;
    test::TPlainPanel* Panel = nullptr;
};

TEST_F(CaretOnWindow, PlacesEachShapeInItsCell) {
    for (const test::TestCase& c : test::ReadCases(TestData("caretgeometry.txt"))) {
        SCOPED_TRACE(c.Where);
        TOvcSingleCaret single(Panel);
        auto caret = std::make_shared<TOvcCaret>();
        caret->SetCaretWidth(static_cast<int32_t>(c.Int(4)));
        caret->SetCaretHeight(static_cast<int32_t>(c.Int(5)));
        caret->SetShape(Named<TOvcCaretShape>(ShapeNames, c[0]));
        caret->SetAlign(Named<TOvcCaretAlign>(AlignNames, c[1]));
        single.SetCaret(caret);
        single.SetCellWidth(static_cast<int32_t>(c.Int(2)));
        single.SetCellHeight(static_cast<int32_t>(c.Int(3)));
        single.SetPosition(Point(20, 10));
        single.SetVisible(true);
        single.SetLinked(true);
        const TRect r = CaretRect();
        EXPECT_EQ(r.Left, c.Int(6));
        EXPECT_EQ(r.Top, c.Int(7));
        EXPECT_EQ(r.Right - r.Left, c.Int(8));
        EXPECT_EQ(r.Bottom - r.Top, c.Int(9));
        EXPECT_TRUE(GetCaretState().Visible);
    }
    EXPECT_EQ(GetCaretState().Wnd, 0u);
}

TEST_F(CaretOnWindow, APairShowsALineToInsertAndACellBlockToOverwrite) {
    TOvcCaretPair pair(Panel);
    pair.SetCellWidth(8);
    pair.SetCellHeight(14);
    pair.SetLinked(true);
    EXPECT_EQ(CaretRect(), Rect(0, 0, 2, 14));
    pair.SetInsertMode(false);
    EXPECT_TRUE(pair.Linked());
    EXPECT_EQ(pair.Caret(), pair.CaretOvr());
    EXPECT_EQ(CaretRect(), Rect(0, 0, 8, 14));
    // A caret changed while in use is rebuilt at once.
    pair.CaretOvr()->SetShape(csHalfBlock);
    EXPECT_EQ(CaretRect(), Rect(0, 7, 8, 14));
    // A caret handed over for the other mode waits for that mode.
    auto underline = std::make_shared<TOvcCaret>();
    underline->SetShape(csHorzLine);
    pair.SetCaretIns(underline);
    EXPECT_EQ(CaretRect(), Rect(0, 7, 8, 14));
    pair.SetInsertMode(true);
    EXPECT_EQ(CaretRect(), Rect(0, 12, 8, 14));
}

TEST_F(CaretOnWindow, KeepsACellAtMaxIntOffTheWindow) {
    TOvcSingleCaret single(Panel);
    single.SetLinked(true);
    single.SetPosition(Point(-1, 5));
    EXPECT_EQ(single.PosX(), MaxInt);
    EXPECT_EQ(single.PosY(), 5);
    EXPECT_EQ(CaretRect().Left, MaxInt);
    single.SetPosition(Point(3, 4));
    EXPECT_EQ(CaretRect(), Rect(3, 4, 5, 14));
}

TEST_F(CaretOnWindow, SetsItsBlinkTimeWhileLinkedAndPutsTheSystemsBack) {
    SetCaretBlinkTime(530);
    TOvcSingleCaret single(Panel);
    single.Caret()->SetBlinkTime(300);
    single.SetLinked(true);
    EXPECT_EQ(GetCaretBlinkTime(), 300u);
    single.SetLinked(false);
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
    EXPECT_EQ(GetCaretState().Wnd, 0u);
}

TEST_F(CaretOnWindow, PutsTheSystemsBlinkTimeBackWhenTwoCaretsUnlinkInterleaved) {
    SetCaretBlinkTime(530);
    auto* other = Form.Add<test::TPlainPanel>(Form.Form, Rect(70, 10, 90, 30));
    TOvcSingleCaret first(Panel);
    TOvcSingleCaret second(other);
    first.Caret()->SetBlinkTime(300);
    second.Caret()->SetBlinkTime(400);
    first.SetLinked(true);
    second.SetLinked(true);
    EXPECT_EQ(GetCaretBlinkTime(), 400u);
    first.SetLinked(false);
    EXPECT_EQ(GetCaretBlinkTime(), 400u);
    second.SetLinked(false);
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
}

TEST_F(CaretOnWindow, LeavesTheCaretAnotherWindowTookAlone) {
    auto* other = Form.Add<test::TPlainPanel>(Form.Form, Rect(70, 10, 90, 30));
    TOvcSingleCaret mine(Panel);
    mine.SetLinked(true);
    CreateCaret(other->Handle(), nullptr, 1, 1);
    mine.SetLinked(false);
    mine.SetPosition(Point(5, 5));
    EXPECT_EQ(GetCaretState().Wnd, other->Handle());
    EXPECT_EQ(GetCaretState().Rect, Rect(0, 0, 1, 1));
    DestroyCaret();
}

TEST_F(CaretOnWindow, KeepsACaretOffsetPastMaxIntOffTheWindow) {
    auto caret = std::make_shared<TOvcCaret>();
    caret->SetShape(csCustom);
    caret->SetAlign(caRight);
    TOvcSingleCaret single(Panel);
    single.SetCaret(caret);
    single.SetCellWidth(100);
    single.SetLinked(true);
    single.SetPosition(Point(MaxInt - 10, MaxInt - 10));
    EXPECT_EQ(CaretRect().Left, MaxInt);
    caret->SetShape(csBitmap);
    caret->SetBitmapHotSpotX(std::numeric_limits<int32_t>::min());
    caret->SetBitmapHotSpotY(std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CaretRect().Left, MaxInt);
    EXPECT_EQ(CaretRect().Top, MaxInt);
    single.SetPosition(Point(0, 0));
    caret->SetBitmapHotSpotX(MaxInt);
    EXPECT_LE(CaretRect().Left, 0);
}

TEST(OvcSingleCaret, StaysUnlinkedWithoutAWindow) {
    test::TPlainPanel windowless(nullptr);
    TOvcSingleCaret single(&windowless);
    single.SetLinked(true);
    EXPECT_FALSE(single.Linked());
    TOvcSingleCaret ownerless(nullptr);
    ownerless.SetLinked(true);
    EXPECT_FALSE(ownerless.Linked());
}

TEST(OvcCaret, IgnoresSizesBelowOneAndTellsOnlyChanges) {
    TOvcCaret caret;
    int changes = 0;
    caret.OnChange = [&](TObject*) { ++changes; };
    caret.SetCaretWidth(0);
    caret.SetCaretHeight(-3);
    caret.SetCaretWidth(2);
    EXPECT_EQ(caret.CaretWidth(), 2);
    EXPECT_EQ(caret.CaretHeight(), 10);
    EXPECT_EQ(changes, 0);
    caret.SetBitmapHotSpotX(3);
    EXPECT_EQ(changes, 0) << "hot spots tell only for bitmap carets";
    TBitmap empty;
    caret.SetBitmap(&empty);
    caret.SetBitmap(nullptr);
    EXPECT_EQ(changes, 0);
    TBitmap picture;
    picture.SetSize(5, 7);
    caret.SetBitmap(&picture);
    caret.SetShape(csBitmap);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(caret.CaretWidth(), 5);
    EXPECT_EQ(caret.CaretHeight(), 7);
    caret.SetBitmapHotSpotY(1);
    EXPECT_EQ(changes, 3);
}

TEST(OvcCaret, LivesAsLongAsItsLastUser) {
    auto shared = std::make_shared<TOvcCaret>();
    std::weak_ptr<TOvcCaret> watch = shared;
    auto first = std::make_unique<TOvcSingleCaret>(nullptr);
    auto second = std::make_unique<TOvcSingleCaret>(nullptr);
    first->SetCaret(shared);
    second->SetCaret(shared);
    EXPECT_EQ(shared->RefCount(), 3);
    shared.reset();
    // The second took the caret last and hears of its changes; the first letting go leaves
    // that alone, and the second letting go leaves no call into a freed caret.
    first.reset();
    watch.lock()->SetShape(csBlock);
    EXPECT_EQ(watch.lock()->RefCount(), 2);
    second->SetCellWidth(20);
    second.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(OvcCaretPicture, ShowsEachShapeOnACell) {
    // One window at a time has the caret, so each shape is drawn in turn and the pictures are
    // put side by side.
    SetCaretBlinkTime(CaretNoBlink);
    test::TShownForm form(Rect(0, 0, 200, 60));
    TBitmap arrow;
    arrow.SetSize(6, 6);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 6; ++x)
            arrow.ScanLine(y)[x] = x <= y ? 0xFFFFFF : 0;
    struct TShapeCase {
        TOvcCaretShape Shape;
        bool Gray;
    };
    const TShapeCase cases[] = {{csBlock, false},    {csHalfBlock, false}, {csVertLine, false},
                                {csHorzLine, false}, {csCustom, false},    {csBitmap, false},
                                {csVertLine, true}};
    TBitmap strip;
    strip.SetSize(20 * static_cast<int32_t>(std::size(cases)), 24);
    int32_t left = 0;
    for (const TShapeCase& c : cases) {
        auto* cell = form.Add<test::TPlainPanel>(form.Form, Rect(left, 0, left + 20, 24));
        cell->SetColor(clWindow);
        cell->HandleNeeded();
        TOvcSingleCaret single(cell);
        single.Caret()->SetBitmap(&arrow);
        single.Caret()->SetIsGray(c.Gray);
        single.Caret()->SetCaretWidth(4);
        single.Caret()->SetCaretHeight(4);
        single.Caret()->SetShape(c.Shape);
        single.Caret()->SetAlign(c.Shape == csCustom ? caCenter : single.Caret()->Align());
        single.SetCellWidth(12);
        single.SetCellHeight(16);
        single.SetPosition(Point(4, 4));
        single.SetVisible(true);
        single.SetLinked(true);
        TBitmap picture;
        test::PumpUntilIdle();
        PictureOfControl(*cell, picture);
        strip.Canvas().Draw(left, 0, picture);
        left += 20;
    }
    SetCaretBlinkTime(530);
    EXPECT_TRUE(test::MatchesReferencePicture(
        strip, std::string(VEX_TEST_DIR) + "/testdata/pictures", "ovccaret-shapes"));
}

// A form stream sets a caret's shape through its published properties, and the setters'
// rules hold on that path too.
TEST(OvcCaret, PublishesItsDescriptionForFormStreams) {
    TOvcCaret caret;
    for (const char* name : {"Bitmap", "BitmapHotSpotX", "BitmapHotSpotY", "Shape", "Align",
                             "BlinkTime", "CaretHeight", "CaretWidth", "IsGray"})
        EXPECT_NE(GetPropInfo(caret, name), nullptr) << name;
    EXPECT_EQ(GetPropInfo(caret, "RefCount"), nullptr);
    SetOrdProp(caret, *GetPropInfo(caret, "Shape"), csHorzLine);
    EXPECT_EQ(caret.Shape(), csHorzLine);
    EXPECT_EQ(caret.Align(), caBottom);
    EXPECT_EQ(caret.CaretHeight(), 2);
    SetOrdProp(caret, *GetPropInfo(caret, "CaretWidth"), 0);
    EXPECT_EQ(caret.CaretWidth(), 2);
    EXPECT_EQ(GetObjectProp(caret, *GetPropInfo(caret, "Bitmap")), caret.Bitmap());
}

}  // namespace
}  // namespace vex
