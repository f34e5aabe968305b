#include "platform/rich/richstreams.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/rtfreader.h"

namespace vex {

namespace {

void Load(TRichEditEngine& Engine, const TRichFragment& Piece, bool IntoSelection) {
    if (IntoSelection) {
        Engine.ReplaceSelection(Piece);
        return;
    }
    TRichDocument& document = Engine.Document();
    Engine.Replace(0, Engine.TextLength(), Piece, false);
    if (!Engine.PlainText())
        document.SetParagraphFormat(document.ParagraphCount() - 1, Piece.Paragraphs.back().Format);
    Engine.SetModified(false);
    Engine.SetSel(0, 0);
}

}  // namespace

std::string ReadRestOf(TStream& Stream) {
    std::string bytes;
    try {
        const int64_t left = std::max<int64_t>(Stream.Size() - Stream.Position(), 0);
        if (left > INT32_MAX) throw EReadError("Failed to Load Stream");
        bytes.resize(static_cast<size_t>(left));
        if (left > 0) Stream.ReadBuffer(bytes.data(), left);
    } catch (const EStreamError&) {
        throw EReadError("Failed to Load Stream");
    }
    return bytes;
}

void LoadRtf(TRichEditEngine& Engine, std::string_view Rtf, bool IntoSelection,
             std::vector<std::string>* Warnings, const TRichObjectKinds* ObjectKinds) {
    TRtfReader reader(Engine.Document());
    reader.SetObjectKinds(ObjectKinds);
    const TRichFragment piece = IntoSelection ? reader.Read(Rtf) : reader.ReadDocument(Rtf);
    if (Warnings) *Warnings = reader.Warnings();
    Load(Engine, piece, IntoSelection);
}

void LoadPlainText(TRichEditEngine& Engine, std::string_view Text, bool IntoSelection) {
    if (IntoSelection) {
        Engine.ReplaceSelection(Text);
        return;
    }
    const TRichDocument& document = Engine.Document();
    TRichFragment piece =
        PlainTextFragment(Text, document.DefaultCharFormat(), document.DefaultParaFormat());
    piece.Paragraphs.back().Format = document.DefaultParaFormat();
    Load(Engine, piece, IntoSelection);
}

void LoadRtfOrPlainText(TRichEditEngine& Engine, std::string_view Bytes) {
    if (LooksLikeRtf(Bytes))
        LoadRtf(Engine, Bytes, false);
    else
        LoadPlainText(Engine, Bytes, false);
}

std::string RtfToPlainText(std::string_view Rtf) {
    if (!LooksLikeRtf(Rtf)) return std::string(Rtf);
    TRichDocument document;
    TRtfReader reader(document);
    document.Replace(0, 0, reader.ReadDocument(Rtf));
    return PlainTextOf(document);
}

}  // namespace vex
