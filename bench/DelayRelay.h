#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A TCP relay on a loopback port that hands every byte on to a server after a
// fixed delay in each direction, as a network with twice that round-trip time
// would (without a bandwidth limit): the benchmarks' stand-in for the line
// between a store and head office.
class DelayRelay
{
public:
    DelayRelay(QString host, int port, std::chrono::microseconds oneWay);
    ~DelayRelay();

    // Listens on a free loopback port; false with the reason.
    bool start(QString *why);
    int port() const { return m_port; }

private:
    struct Link;
    void acceptLoop();

    QString m_host;
    int m_targetPort;
    std::chrono::microseconds m_delay;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping { false };
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::vector<std::shared_ptr<Link>> m_links;
};
