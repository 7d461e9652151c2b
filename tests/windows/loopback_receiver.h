// A webhook's receiver on 127.0.0.1 for the alerts' tests: it reads each
// request whole and answers 204, or, stalling, accepts and never answers.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackReceiver {
public:
    explicit LoopbackReceiver(bool answers = true);
    ~LoopbackReceiver();
    LoopbackReceiver(const LoopbackReceiver&) = delete;
    LoopbackReceiver& operator=(const LoopbackReceiver&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/hook?secret"; }
    int Connections() const { return m_connections; }
    // Each request read so far, its head and body, waiting up to 10 s for
    // as many as `count`.
    std::vector<std::string> Requests(std::size_t count);

private:
    void Serve();
    void Answer(SOCKET connection);

    const bool m_answers;
    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<int> m_connections{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::condition_variable m_received;
    std::vector<SOCKET> m_held;  // stalled, until the receiver goes
    std::thread m_thread;
};
