// The advanced string grid as the rule-list window holds it: one rule a row, an image per rule,
// the hit counter to the right, and the image number kept in a hidden column. Its cells are
// edited with the editor that fits them: lists for the condition and the Yes/No columns, a
// spin edit for the hits, and completion from common spam words for the text.

#include <array>
#include <string>

#include "components/misc/AdvGrid.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/combobox.h"

namespace gallery {

using namespace vex;

namespace {

// Real columns of a rule row; the image number sits in a column the user never sees.
enum TRuleColumn { rcImage, rcCondition, rcText, rcCase, rcDelete, rcHits, rcImageIndex };

// A round mark in each colour a rule may carry: deleted, questioned, accepted.
TImageList* RuleImages(TComponent* Owner) {
    auto* images = new TImageList(Owner);
    for (TColor colour : {clRed, TColor(0x0080FF), clGreen}) {
        TBitmap image;
        image.SetSize(16, 16);
        TCanvas& canvas = image.Canvas();
        canvas.Brush().SetColor(clFuchsia);
        canvas.FillRect(Rect(0, 0, 16, 16));
        canvas.Brush().SetColor(colour);
        canvas.Pen().SetColor(clBlack);
        canvas.Ellipse(2, 2, 14, 14);
        images->AddMasked(image, clFuchsia);
    }
    return images;
}

}  // namespace

int RuleGrids(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 172, "Rule grid (click a header to sort)");
    // Tall enough for every rule, so no scroll bar takes room from the columns.
    auto* grid = Add<TAdvStringGrid>(box, Rect(8, 8, 290, 164));
    grid->SetColCount(7);
    grid->SetRowCount(8);
    grid->SetFixedCols(0);
    grid->SetDefaultRowHeight(18);
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goEditing});
    grid->SetGridImages(RuleImages(box));
    grid->SetEnableGraphics(true);
    // In the order a click on the Text header gives: without case, ties by the columns after.
    static const std::array<std::array<const char*, 7>, 7> rules = {{
        {"", "Is UPPERCASE", "", "No", "No", "3", "1"},
        {"", "50% numeric", "", "No", "Yes", "6", "0"},
        {"", "Contains", "free offer", "No", "Yes", "41", "0"},
        {"", "Contains (whole word)", "invoice", "No", "No", "9", "1"},
        {"", "Ends with", "mailto:abuse@example.test", "No", "No", "0", "2"},
        {"", "Equals", "newsletter", "No", "Yes", "128", "0"},
        {"", "Starts with", "WINNER", "Yes", "Yes", "17", "0"},
    }};
    for (int32_t r = 0; r < static_cast<int32_t>(rules.size()); ++r) {
        const auto& rule = rules[static_cast<size_t>(r)];
        for (int32_t c = 0; c < static_cast<int32_t>(rule.size()); ++c)
            grid->SetCells(c, r + 1, rule[static_cast<size_t>(c)]);
        grid->AddCellImage(rcImage, r + 1, std::stoi(rule[rcImageIndex]), 3, 2);
    }
    TStringList headers;
    headers.SetCommaText(",Condition,Text,Case,Delete,Hits");
    grid->SetColumnHeaders(headers);
    grid->HideColumn(rcImageIndex);
    const std::array<int32_t, 6> widths = {20, 72, 66, 32, 38, 44};
    for (int32_t c = 0; c < static_cast<int32_t>(widths.size()); ++c)
        grid->SetColWidths(c, widths[static_cast<size_t>(c)]);
    grid->ColumnSize().SetStretch(true);
    grid->SetSortShow(true);
    grid->SetSortColumn(rcText);
    grid->OnGetCellColor = [grid](TObject*, int32_t ARow, int32_t, TGridDrawState AState,
                                  TBrush& ABrush, TFont& AFont) {
        if (AState.Contains(gdFixed)) return;
        // Rules that delete stand out; the others are quieter.
        if (grid->Cells(rcDelete, ARow) == "Yes")
            AFont.SetColor(clMaroon);
        else
            ABrush.SetColor(clInfoBk);
    };
    // As the rule lists compare: texts without case, the hit counter as a number.
    grid->OnGetFormat = [](TObject*, int32_t ACol, TSortStyle& AStyle, std::string&, std::string&) {
        AStyle = ACol == rcHits ? ssNumber : ssTextNoCase;
    };
    grid->OnGetAlignment = [](TObject*, int32_t ARow, int32_t ACol, TAlignment& AAlignment) {
        if (ACol == rcHits && ARow > 0) AAlignment = taRightJustify;
    };
    // Long texts end in "...", and a link among them shows as one.
    grid->SetEnhTextSize(true);
    grid->SetURLShow(true);
    grid->SetURLColor(clBlue);
    grid->LookupItems().SetCommaText("free,invoice,newsletter,offer,unsubscribe,winner");
    grid->SetLookup(true);
    grid->SetLookupHistory(true);
    grid->OnGetEditorType = [grid](TObject*, int32_t ACol, int32_t, TEditorType& AEditor) {
        auto choose = [grid](TEditorType Type, const char* Items) {
            auto* combo = static_cast<TCustomComboBox*>(grid->SpecialEditorOf(Type));
            combo->Items().SetCommaText(Items);
            return Type;
        };
        switch (ACol) {
            case rcCondition:
                AEditor = choose(etComboList,
                                 "Contains,\"Contains (whole word)\",Equals,\"Starts with\","
                                 "\"Ends with\",\"Is blank\",\"Is UPPERCASE\"");
                break;
            case rcCase:
            case rcDelete:
                AEditor = choose(etComboList, "Yes,No");
                break;
            case rcHits:
                AEditor = etSpin;
                break;
            default:
                break;
        }
    };
    grid->SetRow(7);
    grid->SetCol(rcText);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
