#include "components/entry/OBJMGR2.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/stringlist.h"
#include "platform/core/typinfo.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/cursors.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/registry.h"

namespace vex {
namespace {

enum TTestAlign { alNone, alTop, alClient };

// A form-like component with a published property of every kind the manager must tell apart.
class TTestForm : public TComponent {
    VEX_CLASS(TTestForm, TComponent)

public:
    using TComponent::TComponent;

    int32_t Top() const { return FTop; }
    void SetTop(int32_t V) { FTop = V; }
    int32_t Left() const { return FLeft; }
    void SetLeft(int32_t V) { FLeft = V; }
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t V) { FWidth = V; }
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t V) { FHeight = V; }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { FColor = V; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor V) { FCursor = V; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& V) { FCaption = V; }
    char Accel() const { return FAccel; }
    void SetAccel(char V) { FAccel = V; }
    TTestAlign Align() const { return FAlign; }
    void SetAlign(TTestAlign V) { FAlign = V; }
    uint8_t Style() const { return FStyle; }
    void SetStyle(uint8_t V) { FStyle = V; }
    double Ratio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    TStringList* Lines() const { return FLines.get(); }

private:
    int32_t FTop = 1, FLeft = 2, FWidth = 3, FHeight = 4;
    TColor FColor = clBtnFace;
    TCursor FCursor = crDefault;
    std::string FCaption = "Main";
    char FAccel = 'M';
    TTestAlign FAlign = alNone;
    uint8_t FStyle = 0;
    double FRatio = 0.5;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
};

const bool TestFormPublished = [] {
    using F = TTestForm;
    RegisterProperties(
        F::StaticClassInfo(),
        {OrdinalProperty("Top", tkInteger, "Integer", &F::Top, &F::SetTop),
         OrdinalProperty("Left", tkInteger, "Integer", &F::Left, &F::SetLeft),
         OrdinalProperty("Width", tkInteger, "Integer", &F::Width, &F::SetWidth),
         OrdinalProperty("Height", tkInteger, "Integer", &F::Height, &F::SetHeight),
         OrdinalProperty("Color", tkInteger, "TColor", &F::Color, &F::SetColor),
         OrdinalProperty("Cursor", tkInteger, "TCursor", &F::Cursor, &F::SetCursor),
         StringProperty("Caption", &F::Caption, &F::SetCaption),
         OrdinalProperty("Accel", tkChar, "Char", &F::Accel, &F::SetAccel),
         OrdinalProperty("Align", tkEnumeration, "TAlign", &F::Align, &F::SetAlign),
         OrdinalProperty("Style", tkSet, "TFontStyles", &F::Style, &F::SetStyle),
         FloatProperty("Ratio", "Double", &F::Ratio, &F::SetRatio),
         ClassProperty("Lines", "TStrings", &F::Lines), MethodProperty("OnClick", "TNotifyEvent")});
    return true;
}();

constexpr const char* Key = "Software\\Quentara Corporation\\Vexbane\\10";

class ObjMgr : public ::testing::Test {
protected:
    ObjMgr() {
        Form.SetName("frmMain");
        Mgr = new TObjMgr(&Form);
    }

    void SetItems(std::initializer_list<std::string> Lines) {
        for (const std::string& line : Lines)
            Mgr->Items()->Add(line);
    }

    // The stored value, or "<missing>"; every value must be text.
    std::string Stored(const std::string& ValueName) {
        TRegistry reg;
        if (!reg.OpenKeyReadOnly(Key) || !reg.ValueExists(ValueName)) return "<missing>";
        EXPECT_EQ(reg.GetDataType(ValueName), rdString) << ValueName;
        return reg.ReadString(ValueName);
    }

    void Store(const std::string& ValueName, const std::string& Text) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(Key, true));
        reg.WriteString(ValueName, Text);
    }

    TRegistryStoreOverride Store_{std::make_shared<TMemoryRegistryStore>()};
    TTestForm Form{nullptr};
    TObjMgr* Mgr = nullptr;  // owned by Form
};

TEST_F(ObjMgr, FirstRunAppliesTheDefaultsAndSaveWritesDecimalText) {
    SetItems({"frmMain;Top;Software\\Quentara Corporation\\Vexbane\\10;FormTop;10;1",
              " frmMain ; Left ; Software\\Quentara Corporation\\Vexbane\\10 ; FormLeft ; 10 ; 1",
              "frmMain;Width;Software\\Quentara Corporation\\Vexbane\\10;FormWidth;640;1",
              "frmMain;Height;Software\\Quentara Corporation\\Vexbane\\10;FormHeight;440;1"});
    Mgr->Load();
    EXPECT_EQ(Form.Top(), 10);
    EXPECT_EQ(Form.Left(), 10);
    EXPECT_EQ(Form.Width(), 640);
    EXPECT_EQ(Form.Height(), 440);
    EXPECT_FALSE(TRegistry().KeyExists(Key)) << "Load must not create the key";

    Form.SetTop(-25);
    Form.SetWidth(800);
    Mgr->Save();
    EXPECT_EQ(Stored("FormTop"), "-25");
    EXPECT_EQ(Stored("FormLeft"), "10");
    EXPECT_EQ(Stored("FormWidth"), "800");
    EXPECT_EQ(Stored("FormHeight"), "440");

    Form.SetTop(0);
    Mgr->Load();
    EXPECT_EQ(Form.Top(), -25);
}

TEST_F(ObjMgr, ColoursAndCursorsSaveAsIdentifiersWhenTheyHaveOneAndLoadBack) {
    SetItems({std::string("frmMain;Color;") + Key + ";Color;clBlack",
              std::string("frmMain;Cursor;") + Key + ";Cursor;crDefault"});
    Form.SetColor(clWindow);
    Form.SetCursor(crHourGlass);
    Mgr->Save();
    EXPECT_EQ(Stored("Color"), "clWindow");
    EXPECT_EQ(Stored("Cursor"), "crHourGlass");
    Form.SetColor(clBlack);
    Form.SetCursor(crDefault);
    Mgr->Load();
    EXPECT_EQ(Form.Color(), clWindow);
    EXPECT_EQ(Form.Cursor(), crHourGlass);

    Form.SetColor(0x123456);
    Form.SetCursor(7);
    Mgr->Save();
    EXPECT_EQ(Stored("Color"), "1193046");
    EXPECT_EQ(Stored("Cursor"), "7");
    Form.SetColor(clBlack);
    Form.SetCursor(crDefault);
    Mgr->Load();
    EXPECT_EQ(Form.Color(), 0x123456);
    EXPECT_EQ(Form.Cursor(), 7);

    Store("Color", "CLBTNFACE");  // identifiers match without regard to case
    Store("Cursor", "$10");
    Mgr->Load();
    EXPECT_EQ(Form.Color(), clBtnFace);
    EXPECT_EQ(Form.Cursor(), 16);
}

TEST_F(ObjMgr, TextThatDoesNotConvertOrFitLeavesThePropertyUnchanged) {
    SetItems({std::string("frmMain;Top;") + Key + ";Top;10",
              std::string("frmMain;Cursor;") + Key + ";Cursor;0",
              std::string("frmMain;Accel;") + Key + ";Accel;x",
              std::string("frmMain;Left;") + Key + ";Left;"});
    Form.SetCursor(crCross);
    for (const char* bad : {"abc", "12 px", "", "99999999999"}) {
        SCOPED_TRACE(bad);
        Store("Top", bad);
        Store("Accel", "");
        Store("Cursor", "40000");  // beyond the 16 bits of TCursor
        Mgr->Load();
        EXPECT_EQ(Form.Top(), 1);
        EXPECT_EQ(Form.Accel(), 'M');
        EXPECT_EQ(Form.Cursor(), crCross);
        EXPECT_EQ(Form.Left(), 2) << "an empty default changes nothing";
    }
}

TEST_F(ObjMgr, AValueThatIsNoTextLeavesThePropertyAndTheDefaultIsNotApplied) {
    SetItems({std::string("frmMain;Top;") + Key + ";Top;10",
              std::string("frmMain;Left;") + Key + ";Left;10"});
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(Key, true));
        reg.WriteInteger("Top", 77);
        reg.WriteString("Left", "33");
    }
    Mgr->Load();
    EXPECT_EQ(Form.Top(), 1);
    EXPECT_EQ(Form.Left(), 33) << "the next entry is still processed";
}

TEST_F(ObjMgr, StringsAndCharsRoundTrip) {
    SetItems({std::string("frmMain;Caption;") + Key + ";Caption;Untitled",
              std::string("frmMain;Accel;") + Key + ";Accel;Q"});
    Mgr->Load();
    EXPECT_EQ(Form.Caption(), "Untitled");
    EXPECT_EQ(Form.Accel(), 'Q');
    Form.SetCaption(" Caf\xe9; 1 ");
    Form.SetAccel('\xe9');
    Mgr->Save();
    EXPECT_EQ(Stored("Caption"), " Caf\xe9; 1 ");
    EXPECT_EQ(Stored("Accel"), "\xe9");
    Form.SetCaption("");
    Form.SetAccel('a');
    Mgr->Load();
    EXPECT_EQ(Form.Caption(), " Caf\xe9; 1 ");
    EXPECT_EQ(Form.Accel(), '\xe9');
}

TEST_F(ObjMgr, ACaseDifferentNameIsAComponentOfTheOwnerNeverTheOwner) {
    auto* panel = new TTestForm(&Form);
    panel->SetName("FRMMAINPANEL");
    auto* child = new TTestForm(&Form);
    child->SetName("Fmain");
    SetItems({std::string("FRMMAIN;Top;") + Key + ";Top1;50",
              std::string("frmmainpanel;Top;") + Key + ";Top2;60",
              std::string("fMAIN;Top;") + Key + ";Top3;70"});
    Mgr->Load();
    EXPECT_EQ(Form.Top(), 1) << "FRMMAIN is looked up with FindComponent and not found";
    EXPECT_EQ(panel->Top(), 60);
    EXPECT_EQ(child->Top(), 70);
    Mgr->Save();
    EXPECT_EQ(Stored("Top1"), "<missing>");
    EXPECT_EQ(Stored("Top2"), "60");
}

TEST_F(ObjMgr, UnusedLinesAndUnknownTargetsAreSkipped) {
    SetItems({";;;;", " ; ;\t; ;10;1", "", ";;;;99",
              std::string("frmMain;NoSuchProperty;") + Key + ";A;1",
              std::string("noSuchObject;Top;") + Key + ";B;1",
              std::string("frmMain;Top;") + Key + ";Top;5"});
    Mgr->Load();
    EXPECT_EQ(Form.Top(), 5);
    Mgr->Save();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
    TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(names.CommaText(), "Top");
    TRegistry root;
    ASSERT_TRUE(root.OpenKeyReadOnly(""));
    EXPECT_FALSE(root.ValueExists("")) << "the lines with only separators wrote nothing";
}

TEST_F(ObjMgr, OtherKindsAreNotLoadedAndSaveAsEmptyText) {
    for (const char* prop : {"Align", "Style", "Ratio", "Lines", "OnClick"})
        Mgr->Items()->Add(std::string("frmMain;") + prop + ";" + Key + ";" + prop + ";1");
    Form.SetAlign(alClient);
    Form.SetStyle(3);
    Form.Lines()->Add("kept");
    Mgr->Save();
    for (const char* prop : {"Align", "Style", "Ratio", "Lines", "OnClick"})
        EXPECT_EQ(Stored(prop), "") << prop;
    for (const char* prop : {"Align", "Style", "Ratio"})
        Store(prop, "0");
    Mgr->Load();
    EXPECT_EQ(Form.Align(), alClient);
    EXPECT_EQ(Form.Style(), 3);
    EXPECT_EQ(Form.Ratio(), 0.5);
    EXPECT_EQ(Form.Lines()->Count(), 1);
}

TEST_F(ObjMgr, WithoutAnOwnerNothingIsTouched) {
    TObjMgr lone(nullptr);
    lone.Items()->Add(std::string(";Top;") + Key + ";Top;10");
    lone.Load();
    lone.Save();
    EXPECT_FALSE(TRegistry().KeyExists(Key));
}

TEST_F(ObjMgr, ItemsAreCopiedOnAssignment) {
    TStringList lines;
    lines.Add(std::string("frmMain;Top;") + Key + ";Top;42");
    Mgr->SetItems(&lines);
    lines.Clear();
    Mgr->Load();
    EXPECT_EQ(Form.Top(), 42);
    EXPECT_EQ(Mgr->Items()->Count(), 1);
}

}  // namespace
}  // namespace vex
