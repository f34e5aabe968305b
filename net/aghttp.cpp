#include "net/aghttp.h"

#include <algorithm>
#include <limits>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/httpresponse.h"
#include "net/timecounter.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::string_view Scheme = "HTTP://";
constexpr const char* CRLF = "\r\n";

// Blanks and control characters would end the request line or start a header of the
// caller's making.
bool SendableAsItStands(std::string_view Text) {
    return std::none_of(Text.begin(), Text.end(), [](char C) {
        const auto byte = static_cast<unsigned char>(C);
        return byte <= ' ' || byte == 0x7F;
    });
}

}  // namespace

// Hands the body bytes that the socket receives to the reader as they arrive, so counts and
// limits are checked before anything is kept. Only its own writes move its position.
class TagHTTP::TBodySink : public TStream {
public:
    TBodySink(TagHTTP& Owner, THttpResponseReader& Reader) : FOwner(Owner), FReader(Reader) {}

    int32_t Read(void*, int32_t) override { return 0; }
    int32_t Write(const void* Buffer, int32_t Count) override {
        FOwner.Feed(FReader, std::string(static_cast<const char*>(Buffer),
                                         static_cast<size_t>(std::max(Count, 0))));
        FWritten += std::max(Count, 0);
        return Count;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return FWritten; }
    void SetSize(int64_t) override {}

private:
    TagHTTP& FOwner;
    THttpResponseReader& FReader;
    int64_t FWritten = 0;
};

TagHTTP::TagHTTP(TComponent* AOwner)
    : TagSocket(AOwner),
      FResponseHeaders(std::make_unique<TmsHeaders>()),
      FBody(std::make_unique<TMemoryStream>()),
      FPostData(std::make_unique<TMemoryStream>()) {
    SetDefaultPort(80);
    SetServiceName("http");
}

TagHTTP::~TagHTTP() = default;

void TagHTTP::SetURL(const std::string& Value) {
    if (Value.size() < Scheme.size() || !SameText(Value.substr(0, Scheme.size()), Scheme) ||
        !SendableAsItStands(Value))
        RaiseSocketError(sInvalidURL);
    FURL = Value;
    FFileName.clear();

    const std::string rest = Value.substr(Scheme.size());
    const size_t slash = rest.find('/');
    if (slash == std::string::npos) {
        FOrigin = rest;
        FPath = "/";
    } else {
        FOrigin = rest.substr(0, slash);
        FPath = rest.substr(slash);
    }
    if (FPath.find('.') != std::string::npos) {
        FFileName = FPath.substr(FPath.rfind('/') + 1);
        if (FFileName.empty()) FFileName = "index.html";
    }
    SetServer(FOrigin);
    if (!FProxy.empty()) SetProxy(FProxy);
}

void TagHTTP::SetProxy(const std::string& Value) {
    if (!Value.empty() && Value.find(':') == std::string::npos)
        RaiseSocketError(sProxyPortRequired);
    FProxy = Value;
    // Without a proxy the connection goes to the URL's own server again.
    SetServer(Value.empty() ? FOrigin : Value);
}

void TagHTTP::SetUserAgent(const std::string& Value) {
    if (Value.find_first_of(CRLF) != std::string::npos)
        throw EInvalidOperation("A user agent can't hold a line break");
    FUserAgent = Value;
}

int32_t TagHTTP::GetReplyCode(const std::string&) {
    return 0;
}

int32_t TagHTTP::Get() {
    FStatusCode = -1;
    FResponseHeaders->Clear();
    FBody->Clear();
    ResetState();
    try {
        Connect();
        ConnectSocket();
        SendRequest();
        ReadResponse();
    } catch (...) {
        FBody->SetPosition(0);
        Disconnect();
        throw;
    }
    FBody->SetPosition(0);
    Disconnect();
    return FStatusCode;
}

void TagHTTP::SendRequest() {
    if (OnSending) OnSending(this);
    // Through a proxy the request names the URL exactly as given, and Host the server it is
    // meant for, not the proxy.
    std::string target = FProxy.empty() ? FPath : FURL;
    if (target.empty()) target = "/";

    std::string request = "GET " + target + " HTTP/1.0" + CRLF;
    request += "Host: " + FOrigin + CRLF;
    if (!FProxyUserName.empty()) {
        std::string credentials;
        Base64Encode(FProxyUserName + ":" + FProxyPassword, credentials,
                     std::numeric_limits<int32_t>::max());
        request += "Proxy-Authorization: Basic " + credentials + CRLF;
    }
    request += std::string("Accept: */*") + CRLF;
    if (!FUserAgent.empty()) request += "User-Agent: " + FUserAgent + CRLF;
    request += std::string("Connection: close") + CRLF;
    // One empty line ends the request. A stray one after it stays unread at a server that
    // answers and closes at once, and its close then resets the connection under the answer.
    request += CRLF;

    TStringStream stream(request);
    SendStream(stream);
}

void TagHTTP::ReadResponse() {
    THttpResponseReader reader(*FResponseHeaders, *FBody, MaxMessageSize());
    TBodySink sink(*this, reader);
    while (reader.Step() != THttpResponseReader::TStep::Complete) {
        switch (reader.Step()) {
            case THttpResponseReader::TStep::Line: {
                std::string line;
                if (ReceiveLine(line) < 0) {
                    Feed(reader, line);
                    FeedEnd(reader);
                } else {
                    Feed(reader, line + CRLF);
                }
                break;
            }
            case THttpResponseReader::TStep::Data:
                ReceiveData(reader.DataWanted(), sink);
                break;
            case THttpResponseReader::TStep::UntilClose:
                ReceiveData(-1, sink);
                FeedEnd(reader);
                break;
            case THttpResponseReader::TStep::Complete:
                break;
        }
    }
    FStatusCode = reader.StatusCode();
}

void TagHTTP::Feed(THttpResponseReader& Reader, const std::string& Bytes) {
    try {
        Reader.Feed(Bytes);
    } catch (const ESocketError& E) {
        RaiseResponseError(E.Message());
    }
}

void TagHTTP::FeedEnd(THttpResponseReader& Reader) {
    try {
        Reader.FeedEnd();
    } catch (const ESocketError& E) {
        RaiseResponseError(E.Message());
    }
}

void TagHTTP::RaiseResponseError(std::string Text) {
    TimeCounter->Stop();
    Disconnect();
    ReportError(Text);
    throw ESocketError(Text);
}

}  // namespace vex
