#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/events.h"
#include "platform/core/object.h"

namespace vex {

class TStream;

// One line of a list and the object tied to it (never owned by the list).
struct TStringItem {
    std::string FString;
    TObject* FObject = nullptr;
};

// An ordered list of strings, each with an optional object. Indexes count from 0; an index out
// of range raises EStringListError. Descendants say how the strings are stored.
class TStrings : public TPersistent {
    VEX_CLASS(TStrings, TPersistent)

public:
    virtual int32_t Count() const = 0;
    std::string Strings(int32_t Index) const { return Get(Index); }
    std::string operator[](int32_t Index) const { return Get(Index); }
    void SetStrings(int32_t Index, const std::string& S) { Put(Index, S); }
    TObject* Objects(int32_t Index) const { return GetObject(Index); }
    void SetObjects(int32_t Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual int32_t Add(const std::string& S);
    virtual int32_t AddObject(const std::string& S, TObject* AObject);
    virtual void Insert(int32_t Index, const std::string& S) = 0;
    void InsertObject(int32_t Index, const std::string& S, TObject* AObject);
    virtual void Delete(int32_t Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int32_t Index1, int32_t Index2);
    virtual void Move(int32_t CurIndex, int32_t NewIndex);
    virtual int32_t IndexOf(const std::string& S) const;
    int32_t IndexOfName(const std::string& Name) const;
    int32_t IndexOfObject(const TObject* AObject) const;
    void AddStrings(const TStrings& Strings);
    // Copies the strings, objects, delimiter and quote character of another list; any other
    // source goes to TPersistent's error.
    void Assign(const TPersistent* Source) override;
    // Same strings in the same order; objects are not compared.
    bool Equals(const TStrings& Strings) const;

    virtual int32_t Capacity() const { return Count(); }
    virtual void SetCapacity(int32_t) {}

    // Between the outermost BeginUpdate and its EndUpdate, change notifications are held back.
    void BeginUpdate();
    void EndUpdate();

    // Every line followed by CR LF. Setting splits at CR LF, LF or a lone CR; a final line
    // break does not make an empty last line.
    std::string Text() const;
    void SetText(std::string_view Value);

    // Items quoted with QuoteChar where needed, joined by Delimiter ("," and '"' for
    // CommaText). Setting also splits at blanks outside quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view Value);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view Value);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char Value) { FDelimiter = Value; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char Value) { FQuoteChar = Value; }

    // "Name=Value" lines. Names are found without regard to case; setting an empty value
    // deletes the line, setting a missing name adds one.
    std::string Names(int32_t Index) const;
    std::string Values(const std::string& Name) const;
    virtual void SetValues(const std::string& Name, const std::string& Value);
    std::string ValueFromIndex(int32_t Index) const;

    // Loading reads from the stream's position to its end and replaces the list.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    void LoadFromFile(const std::string& FileName);
    // Replaces the file atomically (see WriteFileAtomic).
    void SaveToFile(const std::string& FileName) const;

protected:
    virtual std::string Get(int32_t Index) const = 0;
    virtual void Put(int32_t Index, const std::string& S);
    virtual TObject* GetObject(int32_t Index) const = 0;
    virtual void PutObject(int32_t Index, TObject* AObject) = 0;
    // Called with true at the outermost BeginUpdate and false at the matching EndUpdate.
    virtual void SetUpdateState(bool Updating);
    virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
    // Adds many items at once, always inside an update; descendants may do it faster than
    // one AddObject after another, with the same result.
    virtual void AddItems(std::vector<TStringItem>&& Items);
    int32_t UpdateCount() const { return FUpdateCount; }
    [[noreturn]] void IndexError(int32_t Index) const;

private:
    // Clears and refills the list inside an update, so listeners hear of it once.
    void Replace(std::vector<TStringItem>&& Items);
    std::string JoinDelimited(char Delimiter, char QuoteChar) const;

    int32_t FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the items at two indexes of List: <0, 0 or >0.
using TStringListSortCompare =
    std::function<int(TStringList* List, int32_t Index1, int32_t Index2)>;

// A string list held in memory, optionally kept sorted. OnChanging and OnChange fire around
// each change, or once around a whole update.
class TStringList : public TStrings {
    VEX_CLASS(TStringList, TStrings)

public:
    int32_t Count() const override { return static_cast<int32_t>(FList.size()); }
    int32_t Add(const std::string& S) override;
    int32_t AddObject(const std::string& S, TObject* AObject) override;
    // Not allowed on a sorted list.
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    void Move(int32_t CurIndex, int32_t NewIndex) override;
    int32_t IndexOf(const std::string& S) const override;
    void SetValues(const std::string& Name, const std::string& Value) override;

    int32_t Capacity() const override { return static_cast<int32_t>(FList.capacity()); }
    void SetCapacity(int32_t NewCapacity) override;

    // Binary search of a sorted list: true when S is there; Index is then the first equal item,
    // otherwise the place S would be inserted.
    bool Find(const std::string& S, int32_t& Index) const;
    // Sorting keeps equal items in their order, and tolerates a compare function that
    // contradicts itself (the order is then unspecified, but nothing breaks).
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    std::string Get(int32_t Index) const override;
    void Put(int32_t Index, const std::string& S) override;
    TObject* GetObject(int32_t Index) const override;
    void PutObject(int32_t Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(std::string_view S1, std::string_view S2) const override;
    void AddItems(std::vector<TStringItem>&& Items) override;

    virtual void Changed();
    virtual void Changing();

private:
    void CheckIndex(int32_t Index, int32_t Limit) const;
    void InsertItem(int32_t Index, TStringItem Item);
    // Reorders the items by a comparison of their current indexes.
    void SortBy(const std::function<int(int32_t, int32_t)>& Compare);
    void AddSortedItems(std::vector<TStringItem>&& Items);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
};

}  // namespace vex
