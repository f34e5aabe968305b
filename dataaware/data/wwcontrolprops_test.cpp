#include "dataaware/data/wwcontrolprops.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwdataaware.h"
#include "platform/ui/wincontrol.h"

namespace vex {
namespace {

// A window bound the way the library's controls are, and a bound object that is no window.
template <class TBase>
class TBinding : public TBase, public IDataAwareControl {
public:
    TBinding() : TBase(nullptr) {}
    TDataSource* DataSource() const override { return FSource; }
    void SetDataSource(TDataSource* Value) override { FSource = Value; }
    std::string DataField() const override { return FField; }
    void SetDataField(const std::string& Value) override { FField = Value; }

private:
    TDataSource* FSource = nullptr;
    std::string FField;
};

TEST(ControlProperties, BindOnlyDataAwareWindows) {
    TBinding<TWinControl> window;
    TBinding<TComponent> notAWindow;
    TwwTable table(nullptr);
    TwwDataSource source(nullptr);
    EXPECT_TRUE(wwSetDataSource(&window, &source));
    EXPECT_TRUE(wwSetDataField(&window, "Name"));
    EXPECT_EQ(wwGetDataSource(&window), &source);
    EXPECT_EQ(wwGetDataField(&window), "Name");

    EXPECT_FALSE(wwSetDataField(&notAWindow, "Name"));
    EXPECT_FALSE(wwSetDataSource(&notAWindow, &source));
    notAWindow.SetDataSource(&source);
    notAWindow.SetDataField("Name");
    EXPECT_EQ(wwGetDataSource(&notAWindow), &source) << "the source is read on any control";
    EXPECT_EQ(wwGetDataField(&notAWindow), "") << "the field only on a window";

    for (TObject* o : std::initializer_list<TObject*>{&table, &source, nullptr}) {
        EXPECT_EQ(wwGetDataSource(o), nullptr);
        EXPECT_EQ(wwGetDataField(o), "");
        EXPECT_FALSE(wwSetDataSource(o, &source));
        EXPECT_FALSE(wwSetDataField(o, "Name"));
    }
}

}  // namespace
}  // namespace vex
