#pragma once

#include <cstdint>
#include <string>

#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// Python's http.server on a free loopback port, serving the files of a fresh temporary folder;
// stopped with the object. A server that can't start throws std::runtime_error with its output.
class PythonHttpServer {
public:
    PythonHttpServer();
    PythonHttpServer(const PythonHttpServer&) = delete;
    PythonHttpServer& operator=(const PythonHttpServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;                     // "127.0.0.1:port"
    std::string Url(const std::string& Name) const;  // "http://127.0.0.1:port/Name"
    // Puts a file into the served folder.
    void AddFile(const std::string& Name, const std::string& Contents) const;

private:
    TempDir FLog;
    TempDir FRoot;
    uint16_t FPort = 0;
    ChildProcess FProcess;
};

// Tinyproxy in the foreground on a free loopback port, taking clients from 127.0.0.1 only, with
// its configuration and log in a fresh temporary folder; stopped with the object. With a user
// name it asks for those Basic credentials. A proxy that can't start throws
// std::runtime_error with its log.
class TinyProxyServer {
public:
    // Tinyproxy's configuration takes letters, digits and "-._" in both names.
    explicit TinyProxyServer(const std::string& User = "", const std::string& Password = "");
    TinyProxyServer(const TinyProxyServer&) = delete;
    TinyProxyServer& operator=(const TinyProxyServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"

private:
    TempDir FRoot;
    uint16_t FPort = 0;
    ChildProcess FProcess;
};

}  // namespace vex::test
