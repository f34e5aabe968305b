#include "dataaware/data/Wwlocate.h"

#include <memory>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwfieldlists.h"
#include "platform/core/format.h"
#include "platform/core/stringutils.h"
#include "platform/data/dbtables.h"
#include "platform/gfx/cursors.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/ui/screen.h"
#include "platform/win/messagebox.h"

namespace vex {

namespace {

bool IsMemo(const TField& Field) {
    return Field.DataType() == ftMemo || Field.DataType() == ftFmtMemo;
}

bool IsFloatField(const TField& Field) {
    return Field.DataType() == ftFloat || Field.DataType() == ftCurrency ||
           Field.DataType() == ftBCD;
}

// Numbers compare as numbers: both texts must be numbers, and equal.
bool SameNumber(const std::string& FieldText, const std::string& Value) {
    double a = 0, b = 0;
    return TryStrToFloat(Trim(FieldText), a) && TryStrToFloat(Trim(Value), b) && a == b;
}

}  // namespace

bool wwMatchText(const std::string& FieldText, const std::string& Value, int MatchType,
                 bool CaseSensitive) {
    const std::string text = CaseSensitive ? FieldText : AnsiUpperCase(FieldText);
    switch (MatchType) {
        case mtExactMatch:
            return text == Value;
        case mtPartialMatchStart:
            return Pos(Value, text) == 1;
        case mtPartialMatchAny:
            return Pos(Value, text) > 0;
        default:
            return false;
    }
}

bool wwMatchMemo(TField& Field, const std::string& Value, bool RichText, bool CaseSensitive,
                 int MatchType) {
    // Each value is looked at for itself: a column can hold rich text in some records only.
    const std::string text = Field.AsString();
    const bool rich = RichText || LooksLikeRtf(text);
    return wwMatchText(rich ? RtfToPlainText(text) : text, Value, MatchType, CaseSensitive);
}

bool wwLocateValue(TDataSet& DataSet, const std::string& Value, const std::string& FieldName,
                   bool CaseSensitive, bool Partial) {
    if (const TField* field = DataSet.FindField(FieldName); field && !DataSet.IsEmpty()) {
        const std::string text = field->Text();
        if (CaseSensitive ? text == Value : AnsiLowerCase(text) == AnsiLowerCase(Value))
            return true;
    }
    return wwLocateRecord(true, DataSet, FieldName, Value,
                          Partial ? mtPartialMatchStart : mtExactMatch, CaseSensitive);
}

bool wwIndexIsCaseSensitive(TDataSet& DataSet) {
    auto* table = dynamic_cast<TTable*>(&DataSet);
    if (!table) return false;
    for (const IDXDesc& index : table->IndexDefs())
        if (!index.bPrimary && SameText(index.szName, table->IndexName()))
            return !index.bCaseInsensitive;
    return false;
}

bool wwIndexStartsWithField(TDataSet& DataSet) {
    auto* table = dynamic_cast<TTable*>(&DataSet);
    if (!table || table->Handle() == nullptr) return false;
    const IDXDesc& index = table->Handle()->CurrentIndex();
    return !index.Fields.empty() && table->FindField(index.Fields[0]) != nullptr;
}

bool wwLocateRecord(bool FromStart, TDataSet& DataSet, const std::string& FieldName,
                    const std::string& SearchValue, int MatchType, bool CaseSensitive) {
    DataSet.CheckBrowseMode();
    TField* field = DataSet.FindField(FieldName);
    if (field == nullptr) {
        MessageBox(0, "Field " + FieldName + " not found.", "Warning", MB_ICONWARNING | MB_OK);
        return false;
    }
    DataSet.UpdateCursorPos();
    const std::string value = CaseSensitive ? SearchValue : AnsiUpperCase(SearchValue);

    // A key search where the current index starts with the field and treats case as asked.
    bool stopAtMismatch = false;
    auto* table = dynamic_cast<TTable*>(&DataSet);
    if (table && !IsMemo(*field) && !wwHasTableQuery(&DataSet) && table->IndexFieldCount() > 0) {
        const bool onIndex = wwIndexStartsWithField(DataSet) &&
                             SameText(table->IndexFields(0)->FieldName(), field->FieldName());
        const bool indexCaseSensitive = wwIndexIsCaseSensitive(DataSet);
        const std::string current = table->IsEmpty() ? "" : table->IndexFields(0)->AsString();
        // An empty value is looked for by scanning: a blank field reads as empty text, but no
        // key equals it.
        if (MatchType == mtExactMatch && onIndex && field->DataType() != ftBoolean &&
            !value.empty() &&
            (!wwMatchText(current, value, mtExactMatch, CaseSensitive) || FromStart)) {
            if (field->DataType() != ftString || indexCaseSensitive == CaseSensitive)
                return table->FindKey({SearchValue});
        } else if (MatchType == mtPartialMatchStart && onIndex && field->DataType() == ftString &&
                   indexCaseSensitive == CaseSensitive) {
            stopAtMismatch = true;
            if (!wwMatchText(current, value, mtPartialMatchStart, CaseSensitive) || FromStart) {
                // In index order a value that sorts before the current text lies behind us; the
                // index's own rule decides, as the key search would: bytes, or bytes with A to Z
                // folded to lower case (so "_" sorts below the letters, not between the cases).
                const int order = indexCaseSensitive
                                      ? CompareStr(SearchValue, current)
                                      : CompareStr(LowerCase(SearchValue), LowerCase(current));
                if (!FromStart && order < 0) return false;
                const TBookmark start = table->GetBookmark();
                table->FindNearest({SearchValue});
                if (!table->IsEmpty() && wwMatchText(table->IndexFields(0)->AsString(), value,
                                                     mtPartialMatchStart, CaseSensitive))
                    return true;
                if (start.Id != 0 && table->BookmarkValid(start)) table->GotoBookmark(start);
                return false;
            }
        }
    }

    // The scan.
    const TBookmark start = DataSet.GetBookmark();
    if (FromStart) DataSet.First();
    Screen().SetCursor(crHourGlass);
    // Rich text compares as the text a reader sees, not as its RTF source.
    const bool rich = IsMemo(*field) && wwIsRichEditField(*field, false);
    const bool numeric = MatchType == mtExactMatch && IsFloatField(*field) && !value.empty();
    const auto matches = [&](const std::string& Text) {
        return numeric ? SameNumber(Text, value)
                       : wwMatchText(Text, value, MatchType, CaseSensitive);
    };
    bool found = false;
    DataSet.DisableControls();
    try {
        if (FromStart && !DataSet.IsEmpty())
            found = IsMemo(*field) ? wwMatchMemo(*field, value, rich, CaseSensitive, MatchType)
                                   : matches(field->AsString());
        if (!found &&
            (IsMemo(*field) || wwIsNotEngineField(*field) || DataSet.Handle() == nullptr)) {
            for (DataSet.Next(); !found && !DataSet.Eof(); DataSet.Next()) {
                found = IsMemo(*field) ? wwMatchMemo(*field, value, rich, CaseSensitive, MatchType)
                                       : matches(field->AsString());
                if (found) break;
            }
        } else if (!found) {
            // Engine fields: records read straight from the cursor, no dataset scrolling.
            TDbiCursor& cursor = *DataSet.Handle();
            std::vector<uint8_t> record(cursor.RecordSize());
            DataSet.UpdateCursorPos();
            while (cursor.GetNextRecord(record.data()) == DBIERR_NONE) {
                const std::string text = field->TextOf(record.data());
                if (matches(text)) {
                    DataSet.CursorPosChanged();
                    DataSet.Resync({rmExact, rmCenter});
                    found = true;
                    break;
                }
                if (stopAtMismatch) break;
            }
        }
    } catch (const EDBEngineError&) {
        found = false;  // an engine error ends the scan without a match
    } catch (...) {
        // Anything else, from a filter or calculation event, passes on with the controls back.
        DataSet.EnableControls();
        Screen().SetCursor(crDefault);
        throw;
    }
    DataSet.EnableControls();
    Screen().SetCursor(crDefault);
    if (!found && start.Id != 0 && DataSet.BookmarkValid(start)) DataSet.GotoBookmark(start);
    return found;
}

}  // namespace vex
