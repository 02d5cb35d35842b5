#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// A web server on 127.0.0.1 that answers every request with one page of a fixed size and then
// closes the connection. It runs on its own thread with plain blocking sockets, so the program
// being measured and a separate client such as curl see the same server at the same speed.
class LoopbackPageServer
{
public:
    explicit LoopbackPageServer(std::int64_t bodyBytes);
    ~LoopbackPageServer();
    LoopbackPageServer(const LoopbackPageServer &) = delete;
    LoopbackPageServer &operator=(const LoopbackPageServer &) = delete;

    bool ok() const { return m_listener >= 0; }
    int port() const { return m_port; }
    std::string url(const std::string &path = "/") const;
    std::int64_t served() const { return m_served.load(); }

private:
    void run();
    void serve(int client);

    std::int64_t m_bodyBytes;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_served{0};
    std::thread m_thread;
};
