#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "net/agsocket.h"
#include "net/msheaders.h"
#include "platform/core/events.h"
#include "platform/core/stream.h"

namespace vex {

class THttpResponseReader;

inline constexpr int32_t sProxyPortRequired = 57006;
inline constexpr int32_t sInvalidURL = 57007;

// Fetches one resource with an HTTP/1.0 GET, directly or through a proxy, and keeps the
// response's header lines and body. The reply comes from an untrusted server: a response it
// can't follow, cut short or too large leaves by ESocketError after OnError, with whatever
// arrived before still in ResponseHeaders and Body. An HTTP error status is no failure.
class TagHTTP : public TagSocket {
    VEX_CLASS(TagHTTP, TagSocket)

public:
    explicit TagHTTP(TComponent* AOwner);
    ~TagHTTP() override;

    // "http://" (any case), the server with an optional ":port", then the path. Sets Server,
    // Path and FileName; raises "Invalid URL" for another scheme or a URL that can't be sent
    // as it stands.
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& Value);
    // The last segment of a path that holds a dot; "index.html" when that segment is empty.
    const std::string& FileName() const { return FFileName; }
    // The path part of URL, "/" when it has none.
    const std::string& Path() const { return FPath; }
    // "host:port" of an HTTP proxy; while set, Server names it. Empty connects directly.
    const std::string& Proxy() const { return FProxy; }
    void SetProxy(const std::string& Value);
    const std::string& ProxyUserName() const { return FProxyUserName; }
    void SetProxyUserName(const std::string& Value) { FProxyUserName = Value; }
    const std::string& ProxyPassword() const { return FProxyPassword; }
    void SetProxyPassword(const std::string& Value) { FProxyPassword = Value; }
    const std::string& ContentType() const { return FContentType; }
    void SetContentType(const std::string& Value) { FContentType = Value; }
    const std::string& UserAgent() const { return FUserAgent; }
    // A value that would break the request's header lines raises EInvalidOperation.
    void SetUserAgent(const std::string& Value);

    // The status line, every header line and the empty line that ends them, as received.
    TmsHeaders& ResponseHeaders() { return *FResponseHeaders; }
    // The response body after Get, positioned at 0.
    TMemoryStream& Body() { return *FBody; }
    TMemoryStream& PostData() { return *FPostData; }

    // Sends the request and reads the whole response; the status code of the status line, -1
    // when it holds no number. The connection is closed however it ends.
    int32_t Get();

    // HTTP lines carry no reply code at their start: every complete line gives 0, so only a
    // line cut short by the server's close gives -1.
    int32_t GetReplyCode(const std::string& Reply) override;

    TNotifyEvent OnSending;

private:
    class TBodySink;

    void SendRequest();
    void ReadResponse();
    void Feed(THttpResponseReader& Reader, const std::string& Bytes);
    void FeedEnd(THttpResponseReader& Reader);
    // A response that can't be read on: closes the connection, fires OnError, raises
    // ESocketError.
    [[noreturn]] void RaiseResponseError(std::string Text);

    std::string FURL;
    std::string FFileName;
    std::unique_ptr<TmsHeaders> FResponseHeaders;
    std::unique_ptr<TMemoryStream> FBody;
    std::unique_ptr<TMemoryStream> FPostData;
    std::string FProxy;
    std::string FProxyUserName;
    std::string FProxyPassword;
    std::string FContentType = "application/x-www-form-urlencoded";
    std::string FUserAgent;
    std::string FPath;
    // The server of URL, host and optional port: what the Host header names, also through a
    // proxy.
    std::string FOrigin;
    int32_t FStatusCode = -1;
};

}  // namespace vex
