#include "components/entry/OBJMGR2.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "platform/core/stringlist.h"
#include "platform/core/typinfo.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/cursors.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/registry.h"

namespace vex {
namespace {

enum TTestAlign { alNone, alTop, alClient };

// A form-like component with a published property of every kind the manager must tell apart;
// each property reads and writes one field.
class TTestForm : public TComponent {
    VEX_CLASS(TTestForm, TComponent)

public:
    using TComponent::TComponent;
    template <auto Field>
    using FieldType = std::remove_cvref_t<decltype(std::declval<TTestForm&>().*Field)>;
    template <auto Field>
    FieldType<Field> Get() const {
        return this->*Field;
    }
    template <auto Field>
    void Set(FieldType<Field> Value) {
        this->*Field = Value;
    }
    TStringList* GetLines() const { return Lines.get(); }

    int32_t Top = 1, Left = 2, Width = 3, Height = 4;
    TColor Color = clBtnFace;
    TCursor Cursor = crDefault;
    std::string Caption = "Main";
    char Accel = 'M';
    TTestAlign Align = alNone;
    uint8_t Style = 0;
    double Ratio = 0.5;
    std::unique_ptr<TStringList> Lines = std::make_unique<TStringList>();
};

template <auto Field>
TPropInfo Ordinal(const char* Name, TTypeKind Kind, const char* TypeName) {
    return OrdinalProperty(Name, Kind, TypeName, &TTestForm::Get<Field>, &TTestForm::Set<Field>);
}

const bool TestFormPublished = [] {
    using F = TTestForm;
    RegisterProperties(F::StaticClassInfo(),
                       {Ordinal<&F::Top>("Top", tkInteger, "Integer"),
                        Ordinal<&F::Left>("Left", tkInteger, "Integer"),
                        Ordinal<&F::Width>("Width", tkInteger, "Integer"),
                        Ordinal<&F::Height>("Height", tkInteger, "Integer"),
                        Ordinal<&F::Color>("Color", tkInteger, "TColor"),
                        Ordinal<&F::Cursor>("Cursor", tkInteger, "TCursor"),
                        Ordinal<&F::Accel>("Accel", tkChar, "Char"),
                        Ordinal<&F::Align>("Align", tkEnumeration, "TAlign"),
                        Ordinal<&F::Style>("Style", tkSet, "TFontStyles"),
                        StringProperty("Caption", &F::Get<&F::Caption>, &F::Set<&F::Caption>),
                        FloatProperty("Ratio", "Double", &F::Get<&F::Ratio>, &F::Set<&F::Ratio>),
                        ClassProperty("Lines", "TStrings", &F::GetLines),
                        MethodProperty("OnClick", "TNotifyEvent")});
    return true;
}();

const std::string Key = "Software\\Quentara Corporation\\Vexbane\\10";

class ObjMgr : public ::testing::Test {
protected:
    ObjMgr() {
        Form.SetName("frmMain");
        Mgr = new TObjMgr(&Form);
    }

    // Assigned as a list, which the manager copies.
    void SetItems(std::initializer_list<std::string> Lines) {
        TStringList list;
        for (const std::string& line : Lines)
            list.Add(line);
        Mgr->SetItems(&list);
    }

    // The stored values, apart by "|", each "<missing>" when absent; every value must be text.
    std::string Stored(std::initializer_list<const char*> ValueNames) {
        std::string all;
        TRegistry reg;
        const bool open = reg.OpenKeyReadOnly(Key);
        for (const char* name : ValueNames) {
            if (name != *ValueNames.begin()) all += "|";
            if (!open || !reg.ValueExists(name)) {
                all += "<missing>";
                continue;
            }
            EXPECT_EQ(reg.GetDataType(name), rdString) << name;
            all += reg.ReadString(name);
        }
        return all;
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
    SetItems({"frmMain;Top;" + Key + ";FormTop;10;1",
              " frmMain ; Left ; " + Key + " ; FormLeft ; 10 ; 1",
              "frmMain;Width;" + Key + ";FormWidth;640;1",
              "frmMain;Height;" + Key + ";FormHeight;440;1"});
    Mgr->Load();
    EXPECT_EQ(std::vector<int32_t>({Form.Top, Form.Left, Form.Width, Form.Height}),
              std::vector<int32_t>({10, 10, 640, 440}));
    EXPECT_FALSE(TRegistry().KeyExists(Key)) << "Load must not create the key";

    Form.Top = -25;
    Form.Width = 800;
    Mgr->Save();
    EXPECT_EQ(Stored({"FormTop", "FormLeft", "FormWidth", "FormHeight"}), "-25|10|800|440");
    Form.Top = 0;
    Mgr->Load();
    EXPECT_EQ(Form.Top, -25);
}

TEST_F(ObjMgr, ColoursCursorsCharsAndStringsSaveAsTextAndLoadBack) {
    SetItems({"frmMain;Color;" + Key + ";Color;clBlack", "frmMain;Cursor;" + Key + ";Cursor;7",
              "frmMain;Caption;" + Key + ";Caption;Untitled", "frmMain;Accel;" + Key + ";Accel;Q"});
    Mgr->Load();
    EXPECT_TRUE(Form.Color == clBlack && Form.Cursor == 7 && Form.Caption == "Untitled" &&
                Form.Accel == 'Q');
    const struct {
        TColor Color;
        TCursor Cursor;
        const char* Caption;
        char Accel;
        const char* Stored;
    } cases[] = {
        {clWindow, crHourGlass, " Caf\xe9; 1 ", '\xe9', "clWindow|crHourGlass| Caf\xe9; 1 |\xe9"},
        {0x123456, 7, "", 'a', "1193046|7||a"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        Form.Color = c.Color, Form.Cursor = c.Cursor, Form.Caption = c.Caption,
        Form.Accel = c.Accel;
        Mgr->Save();
        EXPECT_EQ(Stored({"Color", "Cursor", "Caption", "Accel"}), c.Stored);
        Form.Color = clBlack, Form.Cursor = crDefault, Form.Caption = "x", Form.Accel = 'x';
        Mgr->Load();
        EXPECT_TRUE(Form.Color == c.Color && Form.Cursor == c.Cursor && Form.Caption == c.Caption &&
                    Form.Accel == c.Accel);
    }
    Store("Color", "CLBTNFACE");  // identifiers match without regard to case
    Store("Cursor", "$10");
    Mgr->Load();
    EXPECT_TRUE(Form.Color == clBtnFace && Form.Cursor == 16);
}

TEST_F(ObjMgr, AValueThatDoesNotConvertFitOrIsNoTextLeavesThePropertyUnchanged) {
    SetItems({"frmMain;Top;" + Key + ";Top;10", "frmMain;Cursor;" + Key + ";Cursor;0",
              "frmMain;Accel;" + Key + ";Accel;x", "frmMain;Left;" + Key + ";Left;"});
    Form.Cursor = crCross;
    for (const char* bad : {"abc", "12 px", "", "99999999999"}) {
        SCOPED_TRACE(bad);
        Store("Top", bad);
        Store("Accel", "");
        Store("Cursor", "40000");  // beyond the 16 bits of TCursor
        Mgr->Load();
        EXPECT_TRUE(Form.Top == 1 && Form.Accel == 'M' && Form.Cursor == crCross);
        EXPECT_EQ(Form.Left, 2) << "an empty default changes nothing";
    }
    // A value that is no text is not replaced by the default, and the next entry still loads.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteInteger("Top", 77);
    reg.WriteString("Left", "33");
    Mgr->Load();
    EXPECT_EQ(Form.Top, 1);
    EXPECT_EQ(Form.Left, 33);
}

TEST_F(ObjMgr, ACaseDifferentNameIsAComponentOfTheOwnerNeverTheOwner) {
    auto* panel = new TTestForm(&Form);
    panel->SetName("FRMMAINPANEL");
    auto* child = new TTestForm(&Form);
    child->SetName("Fmain");
    SetItems({"FRMMAIN;Top;" + Key + ";Top1;50", "frmmainpanel;Top;" + Key + ";Top2;60",
              "fMAIN;Top;" + Key + ";Top3;70"});
    Mgr->Load();
    EXPECT_EQ(Form.Top, 1) << "FRMMAIN is looked up with FindComponent and not found";
    EXPECT_EQ(panel->Top * 100 + child->Top, 6070);
    Mgr->Save();
    EXPECT_EQ(Stored({"Top1", "Top2"}), "<missing>|60");
}

TEST_F(ObjMgr, UnusedLinesAndUnknownTargetsAreSkippedAndWithoutAnOwnerNothingIsTouched) {
    SetItems({";;;;", " ; ;\t; ;10;1", "", ";;;;99", "frmMain;NoSuchProperty;" + Key + ";A;1",
              "noSuchObject;Top;" + Key + ";B;1", "frmMain;Top;" + Key + ";Top;5"});
    TObjMgr lone(nullptr);
    lone.SetItems(Mgr->Items());
    lone.Load();
    lone.Save();
    EXPECT_FALSE(TRegistry().KeyExists(Key));
    Mgr->Load();
    Mgr->Save();
    EXPECT_EQ(Form.Top, 5);
    TRegistry reg;
    TStringList names;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
    reg.GetValueNames(names);
    EXPECT_EQ(names.CommaText(), "Top");
    ASSERT_TRUE(reg.OpenKeyReadOnly(""));
    EXPECT_FALSE(reg.ValueExists("")) << "the lines with only separators wrote nothing";
}

TEST_F(ObjMgr, OtherKindsAreNotLoadedAndSaveAsEmptyText) {
    for (const char* prop : {"Align", "Style", "Ratio", "Lines", "OnClick"})
        Mgr->Items()->Add(std::string("frmMain;") + prop + ";" + Key + ";" + prop + ";1");
    Form.Align = alClient;
    Form.Style = 3;
    Form.Lines->Add("kept");
    Mgr->Save();
    EXPECT_EQ(Stored({"Align", "Style", "Ratio", "Lines", "OnClick"}), "||||");
    for (const char* prop : {"Align", "Style", "Ratio"})
        Store(prop, "0");
    Mgr->Load();
    EXPECT_TRUE(Form.Align == alClient && Form.Style == 3 && Form.Ratio == 0.5);
    EXPECT_EQ(Form.Lines->Count(), 1);
}

}  // namespace
}  // namespace vex
