#include "components/entry/OvcNumberBuffer.h"

#include <bit>

#include "components/entry/OvcStr.h"

namespace vex {

void TOvcNumberBuffer::SetCapacity(const TNumericCapacity& Capacity) {
    FCapacity = Capacity;
    Clear();
}

void TOvcNumberBuffer::Clear() {
    FDigits.clear();
    FNegative = false;
}

bool TOvcNumberBuffer::AddChar(char C) {
    if (C == '-') {
        if (FNegative) {
            FNegative = false;
            return true;
        }
        const size_t point = FDigits.find('.');
        const size_t intDigits = point == std::string::npos ? FDigits.size() : point;
        if (intDigits >= FCapacity.MaxIntDigits || FDigits.size() >= FCapacity.MaxDigits)
            return false;
        FNegative = true;
        return true;
    }
    if (C == '.') {
        if (!FCapacity.HasPoint || FDigits.find('.') != std::string::npos || Full()) return false;
        FDigits += '.';
        return true;
    }
    if (C < '0' || (C > '9' && (C < 'A' || C > 'F'))) return false;
    return AddDigit(C);
}

bool TOvcNumberBuffer::AddDigit(char C) {
    if (Full()) {
        if (FCapacity.MaxDigits != 1) return false;
        FDigits.assign(1, C);
        return true;
    }
    if (C == '0' && FDigits.empty()) return true;
    const size_t point = FDigits.find('.');
    if (point == std::string::npos) {
        if (FCapacity.HasPoint && Used() >= FCapacity.MaxIntDigits) return false;
    } else if (FDigits.size() - point - 1 >= FCapacity.Decimals) {
        return false;
    }
    if (!FitsValueBits(FDigits + C)) return false;
    FDigits += C;
    return true;
}

bool TOvcNumberBuffer::FitsValueBits(const std::string& Digits) const {
    if (FCapacity.Base == 10 || FCapacity.ValueBits == 0 || Digits.empty()) return true;
    const unsigned perDigit = FCapacity.Base == 16 ? 4 : FCapacity.Base == 8 ? 3 : 1;
    const char first = Digits.front();
    const unsigned value = static_cast<unsigned>(first <= '9' ? first - '0' : first - 'A' + 10);
    const size_t bits = (Digits.size() - 1) * perDigit + std::bit_width(value);
    return bits <= FCapacity.ValueBits;
}

void TOvcNumberBuffer::DeleteLast() {
    if (FDigits.empty()) {
        FNegative = false;
        return;
    }
    FDigits.pop_back();
    if (FDigits == "0") FDigits.clear();
}

void TOvcNumberBuffer::Load(const std::string& ValueText) {
    std::string text = ValueText;
    TrimSpacesPChar(text);
    FNegative = !text.empty() && text.front() == '-';
    if (FNegative) text.erase(0, 1);
    if (FCapacity.Base != 10) text.erase(0, text.find_first_not_of('0'));
    // A zero, "0" or "0.00", leaves nothing typed, so that the next digit is the first.
    if (text.find_first_not_of("0.") == std::string::npos) text.clear();
    FDigits = text;
}

std::string TOvcNumberBuffer::ValueText() const {
    std::string text = FDigits.empty() ? "0" : FDigits;
    if (text.front() == '.') text.insert(0, 1, '0');
    if (FNegative) text.insert(0, 1, '-');
    return text;
}

}  // namespace vex
