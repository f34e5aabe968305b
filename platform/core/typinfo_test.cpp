#include "platform/core/typinfo.h"

#include <gtest/gtest.h>

#include "platform/core/component.h"

namespace vex {
namespace {

enum TShade { shLight, shDark };

class TBase : public TComponent {
    VEX_CLASS(TBase, TComponent)

public:
    using TComponent::TComponent;
    int32_t Left() const { return FLeft; }
    void SetLeft(int32_t V) { FLeft = V; }
    int16_t Small() const { return FSmall; }
    void SetSmall(int16_t V) { FSmall = V; }
    int32_t Count() const { return 3; }

private:
    int32_t FLeft = 0;
    int16_t FSmall = 0;
};

class TDerived : public TBase {
    VEX_CLASS(TDerived, TBase)

public:
    using TBase::TBase;
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& V) { FCaption = V; }
    char Letter() const { return FLetter; }
    void SetLetter(char V) { FLetter = V; }
    TShade Shade() const { return FShade; }
    void SetShade(TShade V) { FShade = V; }
    double Ratio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    TBase* Buddy() const { return FBuddy; }
    void SetBuddy(TBase* V) { FBuddy = V; }

private:
    std::string FCaption;
    char FLetter = 'a';
    TShade FShade = shLight;
    double FRatio = 0;
    TBase* FBuddy = nullptr;
};

const bool Published = [] {
    RegisterProperties(
        TBase::StaticClassInfo(),
        {OrdinalProperty("Left", tkInteger, "Integer", &TBase::Left, &TBase::SetLeft),
         OrdinalProperty("Small", tkInteger, "SmallInt", &TBase::Small, &TBase::SetSmall),
         OrdinalProperty("Count", tkInteger, "Integer", &TBase::Count)});
    using D = TDerived;
    RegisterProperties(
        D::StaticClassInfo(),
        {StringProperty("Caption", &D::Caption, &D::SetCaption),
         OrdinalProperty("Letter", tkChar, "Char", &D::Letter, &D::SetLetter),
         OrdinalProperty("Shade", tkEnumeration, "TShade", &D::Shade, &D::SetShade),
         FloatProperty("Ratio", "Double", &D::Ratio, &D::SetRatio),
         ClassProperty("Buddy", "TBase", &D::Buddy), MethodProperty("OnClick", "TNotifyEvent")});
    return true;
}();

TEST(TypInfo, PropertiesAreFoundByNameThroughTheClassChainAndReadAndWriteTheObject) {
    TDerived d(nullptr);
    const TPropInfo* left = GetPropInfo(d, "LEFT");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->Name, "Left");
    EXPECT_EQ(left->TypeName, "Integer");
    EXPECT_EQ(GetPropInfo(TDerived::StaticClassInfo(), "Left"), left);
    EXPECT_EQ(GetPropInfo(TBase::StaticClassInfo(), "Caption"), nullptr)
        << "a parent does not see its descendants' properties";
    EXPECT_EQ(GetPropInfo(d, ""), nullptr);
    EXPECT_EQ(GetPropInfo(d, "OnClick")->Kind, tkMethod);

    TBase buddy(nullptr);
    d.SetBuddy(&buddy);
    SetOrdProp(d, *left, -7);
    SetStrProp(d, *GetPropInfo(d, "Caption"), "Hi");
    SetOrdProp(d, *GetPropInfo(d, "Letter"), 0xE9);
    SetOrdProp(d, *GetPropInfo(d, "Shade"), shDark);
    SetFloatProp(d, *GetPropInfo(d, "Ratio"), 1.5);
    EXPECT_EQ(d.Left(), -7);
    EXPECT_EQ(d.Caption(), "Hi");
    EXPECT_EQ(d.Letter(), '\xe9');
    EXPECT_EQ(d.Shade(), shDark);
    EXPECT_EQ(GetOrdProp(d, *GetPropInfo(d, "Letter")), 0xE9) << "chars read as unsigned bytes";
    EXPECT_EQ(GetFloatProp(d, *GetPropInfo(d, "Ratio")), 1.5);
    EXPECT_EQ(GetStrProp(d, *GetPropInfo(d, "Caption")), "Hi");
    EXPECT_EQ(GetObjectProp(d, *GetPropInfo(d, "Buddy")), &buddy);
}

TEST(TypInfo, MisuseRaisesInsteadOfCorruptingTheObject) {
    TDerived d(nullptr);
    TComponent stranger(nullptr);  // outside the chain
    const TPropInfo& small = *GetPropInfo(d, "Small");
    EXPECT_THROW(SetOrdProp(d, small, 32768), ERangeError);
    EXPECT_THROW(SetOrdProp(d, small, -32769), ERangeError);
    SetOrdProp(d, small, -32768);
    EXPECT_EQ(d.Small(), -32768);
    EXPECT_THROW(SetOrdProp(d, *GetPropInfo(d, "Letter"), 256), ERangeError);
    EXPECT_THROW(SetOrdProp(d, *GetPropInfo(d, "Count"), 1), EPropertyError);
    EXPECT_THROW(GetStrProp(d, small), EPropertyError);
    EXPECT_THROW(GetOrdProp(d, *GetPropInfo(d, "Caption")), EPropertyError);
    EXPECT_THROW(GetOrdProp(d, *GetPropInfo(d, "OnClick")), EPropertyError);
    EXPECT_THROW(GetOrdProp(stranger, small), EPropertyError);
    EXPECT_THROW(SetStrProp(stranger, *GetPropInfo(d, "Caption"), "x"), EPropertyError);
    EXPECT_THROW(RegisterProperties(TBase::StaticClassInfo(),
                                    {OrdinalProperty("left", tkInteger, "Integer", &TBase::Left)}),
                 EPropertyError);
}

}  // namespace
}  // namespace vex
