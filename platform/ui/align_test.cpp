#include "platform/ui/align.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "tests/support/casefile.h"

namespace vex {
namespace {

// A control whose size is its own business, as an auto-sized one's is.
class TKeepsSize : public TControl {
public:
    using TControl::TControl;
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t, int32_t) override {
        TControl::SetBounds(ALeft, ATop, Width(), Height());
    }
};

TAlign AlignOf(const std::string& Name) {
    static const std::map<std::string, TAlign> names = {
        {"alNone", alNone}, {"alTop", alTop},     {"alBottom", alBottom},
        {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};
    return names.at(Name);
}

TEST(AlignControlList, PlacesEachControlOfTheTable) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/align.txt")) {
        SCOPED_TRACE(block.Name + " at " + block.Where);
        const auto& setup = block.Parts.at(0);
        const test::TestCase client = test::CaseOf(setup.at(0));
        TRect rect =
            Rect(0, 0, static_cast<int32_t>(client.Int(1)), static_cast<int32_t>(client.Int(2)));
        std::map<std::string, std::unique_ptr<TControl>> controls;
        std::vector<TControl*> list;
        TControl* moved = nullptr;
        for (size_t i = 1; i < setup.size(); ++i) {
            const test::TestCase c = test::CaseOf(setup[i]);
            const auto word = [&](const char* W) {
                return std::find(c.Fields.begin() + 6, c.Fields.end(), W) != c.Fields.end();
            };
            auto control = word("keeps") ? std::make_unique<TKeepsSize>(nullptr)
                                         : std::make_unique<TControl>(nullptr);
            control->TControl::SetBounds(
                static_cast<int32_t>(c.Int(2)), static_cast<int32_t>(c.Int(3)),
                static_cast<int32_t>(c.Int(4)), static_cast<int32_t>(c.Int(5)));
            control->SetAlign(AlignOf(c[1]));
            control->SetVisible(!word("hidden"));
            if (word("moved")) moved = control.get();
            list.push_back(control.get());
            controls[c[0]] = std::move(control);
        }
        AlignControlList(list, moved, rect);
        for (const std::string& line : block.Parts.at(1)) {
            const test::TestCase e = test::CaseOf(line);
            const TRect expected =
                Rect(static_cast<int32_t>(e.Int(1)), static_cast<int32_t>(e.Int(2)),
                     static_cast<int32_t>(e.Int(3)), static_cast<int32_t>(e.Int(4)));
            if (e[0] == "rest") {
                EXPECT_EQ(rect, expected) << "rest";
                continue;
            }
            const TControl& c = *controls.at(e[0]);
            EXPECT_EQ(Rect(c.Left(), c.Top(), c.Width(), c.Height()), expected) << e[0];
        }
    }
}

// A control that frees another as soon as it is resized, as an OnResize handler may.
TEST(AlignControlList, SkipsAControlFreedByAnotherOnesResize) {
    auto first = std::make_unique<TControl>(nullptr);
    auto second = std::make_unique<TControl>(nullptr);
    auto third = std::make_unique<TControl>(nullptr);
    for (TControl* c : {first.get(), second.get(), third.get()}) {
        c->SetHeight(10);
        c->SetAlign(alTop);
    }
    first->SetTop(0);
    second->SetTop(1);
    third->SetTop(2);
    first->OnResize = [&](TObject*) { second.reset(); };
    TRect rect = Rect(0, 0, 50, 50);
    AlignControlList({first.get(), second.get(), third.get()}, nullptr, rect);
    EXPECT_EQ(third->BoundsRect(), Rect(0, 10, 50, 20));
    EXPECT_EQ(rect, Rect(0, 20, 50, 50));
}

}  // namespace
}  // namespace vex
