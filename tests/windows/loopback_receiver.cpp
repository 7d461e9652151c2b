#include "tests/windows/loopback_receiver.h"

#include <gtest/gtest.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdlib>

LoopbackReceiver::LoopbackReceiver(bool answers) : m_answers(answers)
{
    WSADATA data;
    EXPECT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    EXPECT_EQ(::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    EXPECT_EQ(::listen(m_listener, 8), 0);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackReceiver::~LoopbackReceiver()
{
    m_stop = true;
    m_thread.join();
    for (SOCKET held : m_held)
        ::closesocket(held);
    ::closesocket(m_listener);
    ::WSACleanup();
}

std::vector<std::string> LoopbackReceiver::Requests(std::size_t count)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_received.wait_for(lock, std::chrono::seconds(10), [&] { return m_requests.size() >= count; });
    return m_requests;
}

void LoopbackReceiver::Serve()
{
    while (!m_stop) {
        fd_set waiting;
        FD_ZERO(&waiting);
        FD_SET(m_listener, &waiting);
        timeval tick = {0, 50000};
        if (::select(0, &waiting, nullptr, nullptr, &tick) != 1)
            continue;
        const SOCKET connection = ::accept(m_listener, nullptr, nullptr);
        ++m_connections;
        if (m_answers)
            Answer(connection);
        else
            m_held.push_back(connection);
    }
}

// The head up to its blank line, then as many bytes as its Content-Length.
void LoopbackReceiver::Answer(SOCKET connection)
{
    std::string request;
    std::size_t headEnd = std::string::npos;
    std::size_t length = 0;
    char buffer[4096];
    while (headEnd == std::string::npos || request.size() < headEnd + 4 + length) {
        const int got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(got));
        headEnd = request.find("\r\n\r\n");
        const std::size_t field = request.find("Content-Length:");
        if (field < headEnd)
            length = std::strtoul(request.c_str() + field + 15, nullptr, 10);
    }
    const char answer[] = "HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n";
    ::send(connection, answer, sizeof answer - 1, 0);
    ::closesocket(connection);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    m_received.notify_all();
}
