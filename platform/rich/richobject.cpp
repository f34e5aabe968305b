#include "platform/rich/richobject.h"

#include <algorithm>

namespace vex {

HRESULT IRichObject::DoVerb(int32_t Verb) {
    // The verbs every object takes only show or hide it, and one without a window of its own
    // has nothing to show.
    if (Verb < 0 && Verb >= OLEIVERB_HIDE) return S_OK;
    const std::vector<TRichObjectVerb> verbs = Verbs();
    const bool known = std::any_of(verbs.begin(), verbs.end(),
                                   [Verb](const TRichObjectVerb& V) { return V.Id == Verb; });
    return known ? S_OK : OLEOBJ_E_INVALIDVERB;
}

void IRichObject::Load(std::string_view Bytes) {
    if (!Bytes.empty()) throw ERichObjectError("The object holds no data to load");
}

uint32_t IRichObject::Advise(IRichObjectSink& Sink) {
    // Tokens are never handed out twice, so a stale one cannot unadvise a later sink.
    if (FLastToken == UINT32_MAX) throw ERichObjectError("The object has no advise token left");
    FSinks.emplace_back(++FLastToken, &Sink);
    return FLastToken;
}

HRESULT IRichObject::Unadvise(uint32_t Token) {
    const auto sink = std::find_if(FSinks.begin(), FSinks.end(),
                                   [Token](const auto& S) { return S.first == Token; });
    if (sink == FSinks.end()) return OLE_E_NOCONNECTION;
    FSinks.erase(sink);
    return S_OK;
}

void IRichObject::Changed(TRichObjectChange Change) {
    // By token, looked up again each time, as a sink may unadvise itself or another.
    std::vector<uint32_t> tokens;
    tokens.reserve(FSinks.size());
    for (const auto& [token, sink] : FSinks)
        tokens.push_back(token);
    for (const uint32_t token : tokens) {
        const auto sink = std::find_if(FSinks.begin(), FSinks.end(),
                                       [token](const auto& S) { return S.first == token; });
        if (sink != FSinks.end()) sink->second->ObjectChanged(*this, Change);
    }
}

}  // namespace vex
