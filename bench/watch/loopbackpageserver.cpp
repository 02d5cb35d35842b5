#include "loopbackpageserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

LoopbackPageServer::LoopbackPageServer(std::int64_t bodyBytes, const std::string &address, int delayMs)
    : m_bodyBytes(bodyBytes)
    , m_address(address)
    , m_delayMs(delayMs)
{
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = 0;
    // Loopback only: nothing outside this machine may reach the server.
    if (::inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1 || (ntohl(where.sin_addr.s_addr) >> 24) != 127)
        return;
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listener < 0)
        return;
    int yes = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    socklen_t length = sizeof where;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&where), sizeof where) != 0 || ::listen(m_listener, 512) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&where), &length) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = ntohs(where.sin_port);
    m_thread = std::thread([this] { run(); });
}

LoopbackPageServer::~LoopbackPageServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    while (m_live.load() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (m_listener >= 0)
        ::close(m_listener);
}

std::string LoopbackPageServer::url(const std::string &path) const
{
    return "http://" + m_address + ":" + std::to_string(m_port) + path;
}

void LoopbackPageServer::run()
{
    while (!m_stop) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            continue;
        const int open = ++m_open;
        int most = m_mostOpen.load();
        while (open > most && !m_mostOpen.compare_exchange_weak(most, open)) {
        }
        ++m_live;
        std::thread([this, client] {
            serve(client);
            // Counted as closed before the client can see the close, so a client that opens its
            // next connection on seeing it is never counted twice.
            --m_open;
            ::close(client);
            --m_live;
        }).detach();
    }
}

void LoopbackPageServer::serve(int client)
{
    timeval limit{5, 0};
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    // Read the request header; its content does not matter.
    std::string request;
    char in[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = ::recv(client, in, sizeof in, 0);
        if (got <= 0)
            return;
        request.append(in, static_cast<size_t>(got));
    }
    if (m_delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs));
    const std::string header =
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(m_bodyBytes) +
        "\r\nConnection: close\r\n\r\n";
    if (::send(client, header.data(), header.size(), MSG_NOSIGNAL) < 0)
        return;
    static const std::vector<char> chunk(1024 * 1024, 'x');
    std::int64_t left = m_bodyBytes;
    while (left > 0 && !m_stop) {
        const size_t n = static_cast<size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
        const ssize_t sent = ::send(client, chunk.data(), n, MSG_NOSIGNAL);
        if (sent <= 0)
            return;
        left -= sent;
    }
    ++m_served;
}
