#include "platform/rich/rtfkeywords.h"

#include <unordered_map>

#include "platform/rich/richformats.h"

namespace vex {

namespace {

using K = TRtfKeyword;

const std::unordered_map<std::string_view, TRtfWord>& Words() {
    static const std::unordered_map<std::string_view, TRtfWord> words = [] {
        std::unordered_map<std::string_view, TRtfWord> w = {
            {"rtf", {K::Rtf}},
            {"ansi", {K::Ansi}},
            {"mac", {K::Mac}},
            {"pc", {K::Pc}},
            {"pca", {K::Pca}},
            {"ansicpg", {K::AnsiCodePage}},
            {"deff", {K::DefaultFont}},
            {"uc", {K::UnicodeSkip}},
            {"u", {K::Unicode}},
            {"bin", {K::Bin}},
            {"fonttbl", {K::FontTable}},
            {"colortbl", {K::ColorTable}},
            {"object", {K::Object}},
            {"result", {K::Result}},
            {"fldrslt", {K::FieldResult}},
            {"pn", {K::Numbering}},
            {"f", {K::Font}},
            {"fcharset", {K::FontCharset}},
            {"fprq", {K::FontPitch}},
            {"red", {K::Red}},
            {"green", {K::Green}},
            {"blue", {K::Blue}},
            {"plain", {K::Plain}},
            {"b", {K::Bold}},
            {"i", {K::Italic}},
            {"ulnone", {K::UnderlineNone}},
            {"strike", {K::Strike}},
            {"striked", {K::Strike}},
            {"fs", {K::FontSize}},
            {"cf", {K::Color}},
            {"protect", {K::Protect}},
            {"v", {K::Hidden}},
            {"pard", {K::ParagraphDefault}},
            {"ql", {K::AlignLeft}},
            {"qr", {K::AlignRight}},
            {"qc", {K::AlignCenter}},
            {"qj", {K::AlignJustify}},
            {"qd", {K::AlignJustify}},
            {"li", {K::LeftIndent}},
            {"ri", {K::RightIndent}},
            {"fi", {K::FirstIndent}},
            {"sb", {K::SpaceBefore}},
            {"sa", {K::SpaceAfter}},
            {"sl", {K::LineSpacing}},
            {"slmult", {K::LineMultiple}},
            {"tx", {K::Tab}},
            {"pnlvlblt", {K::BulletLevel}},
            {"ls", {K::ListItem}},
            {"tab", {K::TabChar}},
            {"par", {K::ParagraphEnd}},
            {"line", {K::ParagraphEnd}},
            {"page", {K::ParagraphEnd}},
            {"sect", {K::ParagraphEnd}},
            {"row", {K::RowEnd}},
            {"nestrow", {K::NestedCell}},
            {"cell", {K::Cell}},
            {"nestcell", {K::NestedCell}},
            {"trowd", {K::RowDefaults}},
            {"trgaph", {K::RowGap}},
            {"trleft", {K::RowLeft}},
            {"cellx", {K::CellEdge}},
            {"clbrdrl", {K::CellBorder, 0, CellBorderLeft}},
            {"clbrdrt", {K::CellBorder, 0, CellBorderTop}},
            {"clbrdrr", {K::CellBorder, 0, CellBorderRight}},
            {"clbrdrb", {K::CellBorder, 0, CellBorderBottom}},
            {"brdrnone", {K::BorderNone}},
            {"intbl", {K::InTable}},
            {"bullet", {K::Symbol, '\x95'}},
            {"emdash", {K::Symbol, '\x97'}},
            {"endash", {K::Symbol, '\x96'}},
            {"lquote", {K::Symbol, '\x91'}},
            {"rquote", {K::Symbol, '\x92'}},
            {"ldblquote", {K::Symbol, '\x93'}},
            {"rdblquote", {K::Symbol, '\x94'}},
            {"emspace", {K::Symbol, ' '}},
            {"enspace", {K::Symbol, ' '}},
            {"qmspace", {K::Symbol, ' '}},
            {"zwj", {K::Symbol}},
            {"zwnj", {K::Symbol}},
            {"zwbo", {K::Symbol}},
            {"zwnbo", {K::Symbol}},
            {"ltrmark", {K::Symbol}},
            {"rtlmark", {K::Symbol}},
        };
        for (std::string_view underline :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
              "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
              "ulwave"})
            w.emplace(underline, TRtfWord{K::Underline});
        // Destinations whose content is no text of the document.
        for (std::string_view skipped : {"stylesheet",   "info",
                                         "header",       "headerl",
                                         "headerr",      "headerf",
                                         "footer",       "footerl",
                                         "footerr",      "footerf",
                                         "footnote",     "pict",
                                         "themedata",    "colorschememapping",
                                         "latentstyles", "datastore",
                                         "listtable",    "listoverridetable",
                                         "rsidtbl",      "generator",
                                         "xmlnstbl",     "pntext",
                                         "listtext",     "fldinst",
                                         "pntxta",       "pntxtb",
                                         "bkmkstart",    "bkmkend",
                                         "nonshppict",   "shpinst",
                                         "shptxt",       "template",
                                         "revtbl",       "filetbl",
                                         "userprops",    "docvar",
                                         "xe",           "tc",
                                         "annotation",   "atnid",
                                         "atnauthor",    "atrfstart",
                                         "atrfend",      "atnref",
                                         "atndate",      "ftnsep",
                                         "ftnsepc",      "ftncn",
                                         "aftnsep",      "aftnsepc",
                                         "aftncn",       "objdata",
                                         "objclass",     "objname",
                                         "objtime",      "mmathPr",
                                         "pgdsctbl",     "wgrffmtfilter",
                                         "fchars",       "lchars",
                                         "private",      "comment",
                                         "author",       "title",
                                         "subject",      "operator",
                                         "keywords",     "doccomm",
                                         "company",      "creatim",
                                         "revtim",       "printim",
                                         "buptim",       "hlinkbase",
                                         "background",   "protusertbl",
                                         "passwordhash", "do",
                                         "falt",         "panose",
                                         "sp",           "blipuid",
                                         "formfield"})
            w.emplace(skipped, TRtfWord{K::SkippedDestination});
        return w;
    }();
    return words;
}

}  // namespace

TRtfWord LookUpRtfWord(std::string_view Name) {
    const auto found = Words().find(Name);
    return found == Words().end() ? TRtfWord{} : found->second;
}

}  // namespace vex
