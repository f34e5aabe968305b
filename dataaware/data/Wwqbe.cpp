#include "dataaware/data/Wwqbe.h"

#include <cctype>

#include "dataaware/data/wwanswertable.h"
#include "platform/core/stringutils.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbistatement.h"

namespace vex {

namespace {
// Values longer than this are cut, as the engine's text buffers were.
constexpr size_t MaxTildeValue = 255;

bool IsSecurityError(DBIResult R) {
    return R == DBIERR_NOTSUFFFIELDRIGHTS || R == DBIERR_NOTSUFFTABLERIGHTS ||
           R == DBIERR_INVALIDPASSWORD;
}
}  // namespace

TwwQBE::TwwQBE(TComponent* AOwner) : TwwDataSetExtensions<TDBDataSet>(AOwner) {
    ValidateWithMask = false;
}

void TwwQBE::SetQBE(const TStrings& Value) {
    FQBE.Assign(&Value);
    if (Active()) {
        Close();
        Open();
    }
}

void TwwQBE::SetTildeVariable(const std::string& Name, const std::string& Value) {
    const int32_t i = FTildeNames.IndexOf(Name);
    if (i >= 0) {
        FTildeValues.SetStrings(i, Value);
        return;
    }
    FTildeNames.Add(Name);
    FTildeValues.Add(Value);
}

std::string TwwQBE::SubstitutedText() const {
    TStringList lines;
    for (int32_t l = 0; l < FQBE.Count(); ++l) {
        std::string line = FQBE[l];
        if (line.find('~') != std::string::npos) {
            for (int32_t v = FTildeNames.Count() - 1; v >= 0; --v) {
                const std::string key = "~" + LowerCase(FTildeNames[v]);
                const std::string value = FTildeValues[v].substr(0, MaxTildeValue);
                for (size_t at = LowerCase(line).find(key); at != std::string::npos;
                     at = LowerCase(line).find(key, at + value.size()))
                    line.replace(at, key.size(), value);
            }
            // What is left of a variable that has no value becomes one blank.
            for (size_t at; (at = line.find('~')) != std::string::npos;) {
                size_t end = at + 1;
                while (end < line.size()) {
                    const char c =
                        static_cast<char>(std::tolower(static_cast<unsigned char>(line[end])));
                    if (c != '#' && c != '_' && !(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z'))
                        break;
                    ++end;
                }
                line.replace(at, end - at, " ");
            }
        }
        lines.Add(line);
    }
    return wwStringsToText(lines, false);
}

DBIResult TwwQBE::ExecQBE(std::unique_ptr<TDbiCursor>& Cursor) {
    Cursor.reset();
    TDbiStatement statement(TDbiEngine::Default().OpenDatabase(Directory()), qrylangQBE);
    Check(statement.SetProp(stmtAUXTBLS, AuxiliaryTables ? 1 : 0));
    if (BlankAsZero) Check(statement.SetProp(stmtBLANKS, 1));
    DBIResult result = statement.Prepare(SubstitutedText());
    if (result == DBIERR_NONE) {
        Screen().SetCursor(crHourGlass);
        result = statement.Execute(Cursor);
    }
    Screen().SetCursor(crDefault);
    FLastError = statement.Error();
    return result;
}

std::unique_ptr<TDbiCursor> TwwQBE::RunQuery() {
    FNoAnswer = false;
    if (FQBE.Count() == 0 || FQBE[0].empty()) return nullptr;
    std::unique_ptr<TDbiCursor> cursor;
    FLastError.clear();
    for (;;) {
        const DBIResult result = ExecQBE(cursor);
        if (IsSecurityError(result)) {
            std::string password;
            if (TSession::Default().GetPassword(FQBE[0], password)) continue;
        }
        if (result != DBIERR_NONE) throw EDBEngineError(result, FLastError);
        break;
    }
    if (!cursor)
        FNoAnswer = true;
    else
        wwSetAnswerTable(*this, *cursor, FAnswerTable);
    return cursor;
}

void TwwQBE::OpenCursor(bool InfoQuery) {
    FMadeCursor = RunQuery();
    if (FNoAnswer) return;
    FInOpen = true;
    try {
        TwwDataSetExtensions<TDBDataSet>::OpenCursor(InfoQuery);
    } catch (...) {
        FInOpen = false;
        throw;
    }
    FInOpen = false;
}

std::unique_ptr<TDbiCursor> TwwQBE::CreateHandle() {
    if (FInOpen) {
        FInOpen = false;
        return std::move(FMadeCursor);
    }
    return RunQuery();
}

}  // namespace vex
