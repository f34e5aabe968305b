#pragma once

// Documents in the built-in fixed-metric font, whose every character is 8 pixels wide and 16
// high (12 above the baseline) at the screen's resolution, so that a test knows where each
// character of a layout lands.

#include <sstream>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/rich/richdocument.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richplaintext.h"

namespace vex::test {

constexpr int32_t FixedCharWidth = 8;
constexpr int32_t FixedLineHeight = 16;
constexpr int32_t FixedAscent = 12;

inline TRichCharFormat FixedCharFormat() {
    TRichCharFormat format;
    format.Face = FixedFontName;
    format.Size = 240;  // 16 pixels at 96 per inch
    return format;
}

inline std::vector<std::string> Split(const std::string& Text, char Separator) {
    std::vector<std::string> parts;
    std::istringstream in(Text);
    for (std::string part; std::getline(in, part, Separator);)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

// A paragraph format from "name=value" pairs apart by commas: start, offset, right, align,
// before, after, rule and spacing (set together), tabs (apart by '/'), bullet.
inline TRichParaFormat ParaFormatOf(const std::string& Spec) {
    TRichParaFormat format;
    int32_t rule = 0, spacing = 0;
    for (const std::string& pair : Split(Spec, ',')) {
        const size_t equals = pair.find('=');
        const std::string name = pair.substr(0, equals);
        const std::string value = pair.substr(equals + 1);
        if (name == "tabs") {
            for (const std::string& tab : Split(value, '/'))
                format.AddTab(std::stoi(tab));
            continue;
        }
        const int32_t number = std::stoi(value);
        if (name == "start")
            format.StartIndent = number;
        else if (name == "offset")
            format.Offset = number;
        else if (name == "right")
            format.RightIndent = number;
        else if (name == "align")
            format.Alignment = static_cast<uint16_t>(number);
        else if (name == "before")
            format.SpaceBefore = number;
        else if (name == "after")
            format.SpaceAfter = number;
        else if (name == "rule")
            rule = number;
        else if (name == "spacing")
            spacing = number;
        else if (name == "bullet")
            format.Numbering = number ? PFN_BULLET : 0;
        else
            ADD_FAILURE() << "unknown paragraph field " << name;
    }
    format.SetLineSpacing(static_cast<uint8_t>(rule), spacing);
    return format;
}

// Text ("\r" ends a paragraph) in the fixed font, every paragraph in Format.
inline void FillFixed(TRichDocument& Document, const std::string& Text,
                      const TRichParaFormat& Format = {}) {
    Document.SetDefaultCharFormat(FixedCharFormat());
    const int32_t para = Document.ParaFormats().Intern(Format);
    Document.Replace(0, 0, PlainTextFragment(Text, Document.DefaultCharFormat(), para));
    Document.SetParagraphFormat(Document.ParagraphCount() - 1, para);
}

// Each line as start+length:left,top,height,baseline, apart by blanks.
inline std::string LinesOf(const TRichLayout& Layout) {
    std::string lines;
    for (int32_t i = 0; i < Layout.LineCount(); ++i) {
        const TRichLineInfo l = Layout.Line(i);
        lines += (i ? " " : "") + std::to_string(l.Start) + "+" + std::to_string(l.Length) + ":" +
                 std::to_string(l.Left) + "," + std::to_string(l.Top) + "," +
                 std::to_string(l.Height) + "," + std::to_string(l.Baseline);
    }
    return lines;
}

}  // namespace vex::test
