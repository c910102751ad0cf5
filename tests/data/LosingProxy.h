#pragma once

#include <QByteArray>
#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace asv::test {

// A loopback relay to the test server that can lose an answer: the statement carrying a marker
// reaches the server and is carried out, then both sides are cut before its answer comes back, as
// a network failing at the worst moment would.
class LosingProxy {
public:
    explicit LosingProxy(quint16 serverPort) : m_serverPort(serverPort)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = loopback(0);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listener, 8);
        socklen_t size = sizeof a;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&a), &size);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~LosingProxy()
    {
        m_stop = true;
        m_thread.join();
        for (const auto& [client, server] : m_pairs) {
            ::close(client);
            ::close(server);
        }
        ::close(m_listener);
    }

    quint16 port() const { return m_port; }
    void loseAnswerTo(const QByteArray& marker)
    {
        std::lock_guard lock(m_mutex);
        m_marker = marker;
    }

private:
    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

    void serve()
    {
        char buffer[65536];
        while (!m_stop) {
            std::vector<pollfd> fds{{m_listener, POLLIN, 0}};
            for (const auto& [client, server] : m_pairs)
                fds.insert(fds.end(), {{client, POLLIN, 0}, {server, POLLIN, 0}});
            if (::poll(fds.data(), fds.size(), 20) <= 0)
                continue;
            if (fds[0].revents & POLLIN) {
                const int client = ::accept(m_listener, nullptr, nullptr);
                const int server = ::socket(AF_INET, SOCK_STREAM, 0);
                sockaddr_in a = loopback(m_serverPort);
                ::connect(server, reinterpret_cast<sockaddr*>(&a), sizeof a);
                m_pairs.push_back({client, server});
                continue;
            }
            for (size_t i = 1; i < fds.size(); ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP)))
                    continue;
                const size_t pair = (i - 1) / 2;
                const bool fromClient = (i - 1) % 2 == 0;
                const auto [client, server] = m_pairs[pair];
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                bool lose = false;
                if (n > 0 && fromClient) {
                    std::lock_guard lock(m_mutex);
                    lose = !m_marker.isEmpty() && QByteArray(buffer, n).contains(m_marker);
                    if (lose)
                        m_marker.clear();
                }
                if (n > 0)
                    (void)!::write(fromClient ? server : client, buffer, static_cast<size_t>(n));
                if (lose) {
                    // The answer arrives, so the server has carried the statement out; it goes no further.
                    pollfd answer{server, POLLIN, 0};
                    ::poll(&answer, 1, 5000);
                }
                if (n <= 0 || lose) {
                    ::close(client);
                    ::close(server);
                    m_pairs.erase(m_pairs.begin() + static_cast<std::ptrdiff_t>(pair));
                    break;
                }
            }
        }
    }

    quint16 m_serverPort;
    quint16 m_port = 0;
    int m_listener = -1;
    std::vector<std::pair<int, int>> m_pairs;
    std::mutex m_mutex;
    QByteArray m_marker;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace asv::test
