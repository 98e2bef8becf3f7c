#include "DelayRelay.h"

#include <arpa/inet.h>
#include <condition_variable>
#include <deque>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// One direction: a reader stamps what arrives, a writer sends it when due.
class DelayLine
{
public:
    DelayLine(int from, int to, std::chrono::microseconds delay)
        : m_from(from)
        , m_to(to)
        , m_delay(delay)
    {
        m_reader = std::thread([this] { read(); });
        m_writer = std::thread([this] { write(); });
    }
    ~DelayLine()
    {
        m_reader.join();
        m_writer.join();
    }

private:
    struct Chunk
    {
        Clock::time_point due;
        std::vector<char> bytes;
    };

    void read()
    {
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const ssize_t got = ::recv(m_from, buffer.data(), buffer.size(), 0);
            std::lock_guard lock(m_mutex);
            if (got <= 0) {
                m_closed = true;
                m_ready.notify_all();
                return;
            }
            m_chunks.push_back(
                { Clock::now() + m_delay, { buffer.begin(), buffer.begin() + got } });
            m_ready.notify_all();
        }
    }
    void write()
    {
        for (;;) {
            Chunk chunk;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [this] { return m_closed || !m_chunks.empty(); });
                if (m_chunks.empty()) {
                    ::shutdown(m_to, SHUT_WR);
                    return;
                }
                chunk = std::move(m_chunks.front());
                m_chunks.pop_front();
            }
            std::this_thread::sleep_until(chunk.due);
            size_t sent = 0;
            while (sent < chunk.bytes.size()) {
                const ssize_t n = ::send(m_to, chunk.bytes.data() + sent, chunk.bytes.size() - sent,
                                         MSG_NOSIGNAL);
                if (n <= 0)
                    return;
                sent += size_t(n);
            }
        }
    }

    int m_from;
    int m_to;
    std::chrono::microseconds m_delay;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Chunk> m_chunks;
    bool m_closed = false;
    std::thread m_reader;
    std::thread m_writer;
};

void noDelay(int socket)
{
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

} // namespace

struct DelayRelay::Link
{
    int client;
    int server;
    std::unique_ptr<DelayLine> up;
    std::unique_ptr<DelayLine> down;

    ~Link()
    {
        ::shutdown(client, SHUT_RDWR);
        ::shutdown(server, SHUT_RDWR);
        up.reset();
        down.reset();
        ::close(client);
        ::close(server);
    }
};

DelayRelay::DelayRelay(QString host, int port, std::chrono::microseconds oneWay)
    : m_host(std::move(host))
    , m_targetPort(port)
    , m_delay(oneWay)
{
}

DelayRelay::~DelayRelay()
{
    m_stopping = true;
    if (m_listener >= 0)
        ::shutdown(m_listener, SHUT_RDWR);
    if (m_acceptor.joinable())
        m_acceptor.join();
    if (m_listener >= 0)
        ::close(m_listener);
    std::lock_guard lock(m_mutex);
    m_links.clear();
}

bool DelayRelay::start(QString *why)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), length) != 0
        || ::listen(m_listener, 64) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        if (why)
            *why = QStringLiteral("relay: no loopback port");
        return false;
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
    return true;
}

void DelayRelay::acceptLoop()
{
    for (;;) {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0 || m_stopping) {
            if (client >= 0)
                ::close(client);
            return;
        }
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in target {};
        target.sin_family = AF_INET;
        target.sin_port = htons(quint16(m_targetPort));
        ::inet_pton(AF_INET, m_host.toLatin1().constData(), &target.sin_addr);
        if (::connect(server, reinterpret_cast<sockaddr *>(&target), sizeof target) != 0) {
            ::close(client);
            ::close(server);
            continue;
        }
        noDelay(client);
        noDelay(server);
        auto link = std::make_shared<Link>();
        link->client = client;
        link->server = server;
        link->up = std::make_unique<DelayLine>(client, server, m_delay);
        link->down = std::make_unique<DelayLine>(server, client, m_delay);
        std::lock_guard lock(m_mutex);
        m_links.push_back(std::move(link));
    }
}
