#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// A web server on a loopback address (127.0.0.1 unless told otherwise) that answers every
// request with one page of a fixed size, optionally after a delay, and then closes the
// connection. It runs on threads of its own with plain blocking sockets, one per connection, so
// the program being measured and a separate client such as curl see the same server at the same
// speed, and it counts how many connections were open at once.
class LoopbackPageServer
{
public:
    // address must lie in 127.0.0.0/8; delayMs is how long each answer waits after the request.
    explicit LoopbackPageServer(std::int64_t bodyBytes, const std::string &address = "127.0.0.1", int delayMs = 0);
    ~LoopbackPageServer();
    LoopbackPageServer(const LoopbackPageServer &) = delete;
    LoopbackPageServer &operator=(const LoopbackPageServer &) = delete;

    bool ok() const { return m_listener >= 0; }
    int port() const { return m_port; }
    std::string url(const std::string &path = "/") const;
    std::int64_t served() const { return m_served.load(); }
    // The most connections that were open at once since the start or the last reset.
    int mostOpen() const { return m_mostOpen.load(); }
    void resetMostOpen() { m_mostOpen = m_open.load(); }

private:
    void run();
    void serve(int client);

    std::int64_t m_bodyBytes;
    std::string m_address;
    int m_delayMs;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_served{0};
    std::atomic<int> m_open{0};
    std::atomic<int> m_mostOpen{0};
    std::atomic<int> m_live{0}; // connection threads still running
    std::thread m_thread;
};
