#include "net/msmsg.h"
#include "net/msmsgcls.h"
#include "net/msmsgenc.h"
#include "platform/core/stream.h"

namespace vex {

// Loading and saving join the model to the parser and the composer, which both know the model;
// keeping them here keeps the model's own file free of either.

void TmsCustomMessage::LoadFromFile(const std::string& FileName) {
    Clear();
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TmsMessage::LoadFromStream(TStream& Stream) {
    // What a previous message left would otherwise mix with this one: its addresses above all.
    Clear();
    TmsMessageDecoder decoder(Stream);
    decoder.Message = this;
    decoder.Decode();
}

void TmsArticle::LoadFromStream(TStream& Stream) {
    Clear();
    TmsArticleDecoder decoder(Stream);
    decoder.Message = this;
    decoder.Decode();
}

void TmsMessage::SaveToStream(TStream& Stream) {
    TmsMessageEncoder encoder(this);
    encoder.Stream = &Stream;
    encoder.Encode();
}

void TmsArticle::SaveToStream(TStream& Stream) {
    TmsArticleEncoder encoder(this);
    encoder.Stream = &Stream;
    encoder.Encode();
}

}  // namespace vex
