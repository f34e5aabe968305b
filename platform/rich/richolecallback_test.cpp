#include "platform/rich/richolecallback.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/rich/richdataobjectembedded.h"
#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/richolecallbackguard.h"
#include "platform/rich/richoledefaultcallback.h"

namespace vex {
namespace {

// Sets every out-parameter and then throws, as an owner's callback with a fault might.
struct TThrowingCallback : IRichEditOleCallback {
    TPopupMenu* Menu = reinterpret_cast<TPopupMenu*>(this);
    HRESULT QueryInsertObject(IRichObject&, int32_t) override { throw std::runtime_error("x"); }
    HRESULT DeleteObject(IRichObject&) override { throw 42; }
    HRESULT QueryAcceptData(IRichDataObject&, uint32_t, bool) override { throw std::bad_alloc(); }
    HRESULT GetClipboardData(TCharRange, uint32_t,
                             std::unique_ptr<IRichDataObject>& Data) override {
        Data = std::make_unique<TRichObjectDataObject>(std::make_shared<test::TBoxObject>());
        throw std::runtime_error("x");
    }
    HRESULT GetDragDropEffect(bool, uint32_t, uint32_t& Effect) override {
        Effect = 0xFF;
        throw std::runtime_error("x");
    }
    HRESULT GetContextMenu(uint16_t, IRichObject*, TCharRange, TPopupMenu*& Out) override {
        Out = Menu;
        throw std::runtime_error("x");
    }
};

TEST(GuardedOleCallback, TurnsEveryExceptionIntoAFailureAndTakesBackWhatWasHandedOut) {
    TThrowingCallback throwing;
    TRichEditOleCallback plain;
    test::TBoxObject box;
    TRichObjectDataObject data(std::make_shared<test::TBoxObject>());
    for (IRichEditOleCallback* callback : {static_cast<IRichEditOleCallback*>(&throwing),
                                           static_cast<IRichEditOleCallback*>(nullptr)}) {
        TGuardedOleCallback guarded(callback);
        const HRESULT failure = callback != nullptr ? E_FAIL : E_NOTIMPL;
        SCOPED_TRACE(failure);
        EXPECT_EQ(guarded.QueryInsertObject(box, 0), failure);
        EXPECT_EQ(guarded.DeleteObject(box), failure);
        EXPECT_EQ(guarded.QueryAcceptData(data, RECO_PASTE, true), failure);
        std::unique_ptr<IRichDataObject> clip;
        EXPECT_EQ(guarded.GetClipboardData({0, 1}, RECO_COPY, clip), failure);
        EXPECT_EQ(clip, nullptr);
        uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(guarded.GetDragDropEffect(false, 0, effect), failure);
        EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        TPopupMenu* menu = nullptr;
        EXPECT_EQ(guarded.GetContextMenu(SEL_OBJECT, &box, {0, 1}, menu), failure);
        EXPECT_EQ(menu, nullptr);
    }
    TGuardedOleCallback guarded(&plain);
    EXPECT_EQ(guarded.QueryInsertObject(box, 0), S_OK);
}

TEST(RichEditOleCallback, ChoosesTheDropEffectFromTheKeysWhereTheSourceAllowsIt) {
    constexpr uint32_t all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    struct TCase {
        bool Drag;
        uint32_t Keys, Allowed, Expected;
    };
    const std::vector<TCase> cases{
        {false, 0, all, DROPEFFECT_MOVE},
        {false, MK_CONTROL, all, DROPEFFECT_COPY},
        {false, MK_CONTROL | MK_SHIFT, all, DROPEFFECT_LINK},
        {false, MK_SHIFT, all, DROPEFFECT_MOVE},
        // a copy the source does not allow leaves what it allows
        {false, MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {false, 0, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_COPY | DROPEFFECT_LINK},
        // while the control itself drags, the effect stays
        {true, MK_CONTROL, all, all},
    };
    TRichEditOleCallback callback;
    for (const TCase& c : cases) {
        uint32_t effect = c.Allowed;
        EXPECT_EQ(callback.GetDragDropEffect(c.Drag, c.Keys, effect), S_OK);
        EXPECT_EQ(effect, c.Expected) << c.Drag << " " << c.Keys << " " << c.Allowed;
    }
}

}  // namespace
}  // namespace vex
