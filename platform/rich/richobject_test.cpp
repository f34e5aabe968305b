#include "platform/rich/richobject.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gfx/bitmap.h"

#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/richobjectpersist.h"

namespace vex {
namespace {

using test::TBoxObject;

struct TRecordingSink : IRichObjectSink {
    std::vector<TRichObjectChange> Heard;
    std::function<void()> OnChange;
    void ObjectChanged(IRichObject&, TRichObjectChange Change) override {
        Heard.push_back(Change);
        if (OnChange) OnChange();
    }
};

TEST(RichObject, ChangesReachTheAdvisedSinksUntilTheyAreUnadvised) {
    TBoxObject box;
    TRecordingSink first, second;
    const uint32_t a = box.Advise(first);
    const uint32_t b = box.Advise(second);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(box.DoVerb(0), S_OK);
    EXPECT_EQ(box.Unadvise(a), S_OK);
    box.SaveInServer();
    EXPECT_EQ(first.Heard, (std::vector{TRichObjectChange::Data}));
    EXPECT_EQ(second.Heard, (std::vector{TRichObjectChange::Data, TRichObjectChange::Save}));
    // A token is good once, and one never handed out is no connection either.
    EXPECT_EQ(box.Unadvise(a), OLE_E_NOCONNECTION);
    EXPECT_EQ(box.Unadvise(0), OLE_E_NOCONNECTION);
    EXPECT_EQ(box.Unadvise(b + 100), OLE_E_NOCONNECTION);
    EXPECT_EQ(box.Unadvise(b), S_OK);
    // A later sink never gets a token an earlier one had.
    TRecordingSink third;
    EXPECT_GT(box.Advise(third), b);
}

TEST(RichObject, ASinkMayUnadviseItselfOrAnotherWhileItHears) {
    TBoxObject box;
    TRecordingSink first, second, third;
    uint32_t tokens[3] = {box.Advise(first), box.Advise(second), box.Advise(third)};
    first.OnChange = [&] { EXPECT_EQ(box.Unadvise(tokens[0]), S_OK); };
    second.OnChange = [&] {
        if (second.Heard.size() == 1) {
            EXPECT_EQ(box.Unadvise(tokens[2]), S_OK);
        }
    };
    box.SaveInServer();
    box.SaveInServer();
    EXPECT_EQ(first.Heard.size(), 1u);
    EXPECT_EQ(second.Heard.size(), 2u);
    EXPECT_TRUE(third.Heard.empty());
}

TEST(RichObject, RunsItsOwnVerbsAndTheStandardOnesAndRefusesOthers) {
    TBoxObject box;
    const std::vector<std::pair<int32_t, HRESULT>> cases{
        {0, S_OK},
        {1, S_OK},
        {2, S_OK},
        {3, OLEOBJ_E_INVALIDVERB},
        {OLEIVERB_SHOW, S_OK},
        {OLEIVERB_OPEN, S_OK},
        {OLEIVERB_HIDE, S_OK},
        {-4, OLEOBJ_E_INVALIDVERB},
        {-65536, OLEOBJ_E_INVALIDVERB},
    };
    for (const auto& [verb, expected] : cases)
        EXPECT_EQ(box.DoVerb(verb), expected) << verb;
}

// An object that gives only its box still answers the rest of the interface.
TEST(RichObject, AnObjectOfOnlyABoxAnswersAsOneWithoutDataOrVerbs) {
    struct TPlainBox : IRichObject {
        TSize Extent() const override { return {100, 100}; }
        void Draw(TCanvas&, const TRect&) const override {}
    } plain;
    EXPECT_EQ(plain.DoVerb(OLEIVERB_PRIMARY), OLEOBJ_E_INVALIDVERB);
    plain.Load("");
    EXPECT_THROW(plain.Load("data"), ERichObjectError);
    plain.SetExtent({5, 5});
    EXPECT_EQ(plain.Extent(), (TSize{100, 100}));
    EXPECT_EQ(plain.DrawAspect(), DVASPECT_CONTENT);
}

// The sample kind the gallery shows: a framed box with its class name, or its user type as an
// icon.
TEST(RichObject, TheSampleBoxDrawsAFramedBoxWithItsName) {
    for (const uint32_t aspect : {DVASPECT_CONTENT, DVASPECT_ICON}) {
        TBitmap bitmap;
        bitmap.SetSize(120, 40);
        bitmap.Canvas().Brush().SetColor(clYellow);
        bitmap.Canvas().FillRect(Rect(0, 0, 120, 40));
        TBoxObject box;
        box.SetDrawAspect(aspect);
        box.Draw(bitmap.Canvas(), Rect(10, 5, 110, 35));
        EXPECT_EQ(bitmap.Canvas().Pixels(9, 20), clYellow);
        EXPECT_EQ(bitmap.Canvas().Pixels(10, 20), clBlack);
        EXPECT_EQ(bitmap.Canvas().Pixels(109, 34), clBlack);
        EXPECT_EQ(bitmap.Canvas().Pixels(108, 33), clWhite);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            bitmap.SaveToFile(std::string(dir) + "/samplebox" + std::to_string(aspect) + ".png");
    }
}

TEST(RichObjectKinds, RegistersKindsOnceAndMakesOnlyObjectsOfTheirClass) {
    TRichObjectKinds kinds = test::BoxObjectKinds();
    EXPECT_THROW(kinds.Register(test::BoxObjectKind()), ERichObjectError);
    EXPECT_THROW(kinds.Register({"", "No Class", {}, [] { return nullptr; }}), ERichObjectError);
    EXPECT_THROW(kinds.Register({"Sample.NoFactory", "None", {}, nullptr}), ERichObjectError);
    kinds.Register({"Sample.Liar", "Liar", {}, [] { return std::make_shared<TBoxObject>(); }});
    kinds.Register({"Sample.Null", "Null", {".nul"}, [] { return nullptr; }});
    EXPECT_EQ(kinds.All().size(), 3u);
    EXPECT_EQ(kinds.Create(TBoxObject::Class)->ClassName(), TBoxObject::Class);
    EXPECT_THROW(kinds.Create("Sample.Liar"), ERichObjectError);
    EXPECT_THROW(kinds.Create("Sample.Null"), ERichObjectError);
    EXPECT_THROW(kinds.Create("Sample.Unknown"), ERichObjectError);
    EXPECT_EQ(kinds.ForFile("/tmp/a.BOX"), kinds.Find(TBoxObject::Class));
    EXPECT_EQ(kinds.ForFile("/tmp/a.box.txt"), nullptr);
    EXPECT_EQ(kinds.ForFile("/tmp/box"), nullptr);
}

TEST(RichObjectStorage, CarriesAnObjectWithItsClassExtentAspectAndData) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    TBoxObject box;
    box.SetLabel("labelled");
    box.SetExtent({2000, 3000});
    box.SetDrawAspect(DVASPECT_ICON);
    const TRichObjectStorage storage =
        TRichObjectStorage::FromBytes(SaveObjectToStorage(box).Bytes());
    const std::shared_ptr<IRichObject> copy = LoadObjectFromStorage(kinds, storage);
    const auto& read = dynamic_cast<const TBoxObject&>(*copy);
    EXPECT_EQ(read.Label(), "labelled");
    EXPECT_EQ(read.Extent(), (TSize{2000, 3000}));
    EXPECT_EQ(read.DrawAspect(), DVASPECT_ICON);
}

TEST(RichObjectStorage, RefusesAStorageThatCannotMakeAnObject) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    const auto with = [](std::string_view Name, std::string_view Bytes) {
        TRichObjectStorage storage = SaveObjectToStorage(TBoxObject());
        storage.Write(Name, Bytes);
        return storage;
    };
    const std::vector<std::pair<std::string, TRichObjectStorage>> cases{
        {"unregistered class", with("Class", "Sample.Unknown")},
        {"short extent", with("Extent", "1234")},
        {"long aspect", with("Aspect", "12345")},
        {"data the box cannot load", with("Contents", "two\rlines")},
        {"no contents",
         [] {
             TRichObjectStorage storage;
             storage.Write("Class", TBoxObject::Class);
             return storage;
         }()},
    };
    for (const auto& [name, storage] : cases)
        EXPECT_THROW(LoadObjectFromStorage(kinds, storage), ERichObjectError) << name;
    // Extents from outside are brought within what layout takes.
    const std::shared_ptr<IRichObject> huge =
        LoadObjectFromStorage(kinds, with("Extent", std::string("\xff\xff\xff\x7f\0\0\0\x80", 8)));
    EXPECT_EQ(huge->Extent(), (TSize{MaxObjectExtent, 1}));
}

}  // namespace
}  // namespace vex
