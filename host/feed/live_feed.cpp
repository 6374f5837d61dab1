#include "host/feed/live_feed.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/feed/feed_datagram.h"

namespace {

// How often the socket is looked at, and at most how many datagrams a look
// takes, so that a flood cannot hold the window.
constexpr int PollMs = 10;
constexpr int MaxPerPoll = 64;
constexpr int64_t StaleUs = 2000000;

} // namespace

LiveFeed::LiveFeed(TForm1 &form, const std::string &address)
    : FeedDelivery(form, address, true), address_(address), timer_(PollMs, [this] { Poll(); })
{
    timer_.SetEnabled(false);
}

LiveFeed::~LiveFeed()
{
    if (socket_ >= 0)
        close(socket_);
}

bool LiveFeed::Open(std::string *error)
{
    std::string host = "127.0.0.1", port = address_.substr(4);
    if (const size_t colon = port.rfind(':'); colon != std::string::npos) {
        host = port.substr(0, colon);
        port = port.substr(colon + 1);
    }
    sockaddr_in where{};
    where.sin_family = AF_INET;
    if (inet_pton(AF_INET, host.c_str(), &where.sin_addr) != 1) {
        *error = address_ + ": " + host + " is not an IPv4 address";
        return false;
    }
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(port) > 65535) {
        *error = address_ + ": the port must be a number from 0 to 65535";
        return false;
    }
    where.sin_port = htons((uint16_t)std::stoi(port));
    socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ < 0 || bind(socket_, (const sockaddr *)&where, sizeof where) != 0) {
        const int code = errno;
        *error = address_ + ": cannot listen: " + strerror(code) +
                 (code == EADDRINUSE ? " (another program has the port)" : "");
        return false;
    }
    socklen_t size = sizeof where;
    getsockname(socket_, (sockaddr *)&where, &size);
    port_ = ntohs(where.sin_port);
    listening_ = "udp:" + (host == "127.0.0.1" ? "" : host + ":") + std::to_string(port_);
    lastUs_ = Application->MonotonicUs();
    timer_.SetEnabled(true);
    form_.SetStatusMessage("Waiting for the first datagram on " + listening_);
    UpdateStatus();
    return true;
}

// "waiting for the first datagram on udp:5600", "udp:5600 live, 3
// refused", "udp:5600 stale".
void LiveFeed::UpdateStatus()
{
    std::string text = taken_ == 0 ? "waiting for the first datagram on " + listening_
                                   : Name() + (stale_ ? " stale" : " live");
    if (refused_ > 0)
        text += ", " + std::to_string(refused_) + " refused";
    ShowStatus(text);
}

void LiveFeed::Poll()
{
    char buffer[MaxFeedDatagram + 1];
    for (int i = 0; i < MaxPerPoll; ++i) {
        const ssize_t size = recv(socket_, buffer, sizeof buffer, 0);
        if (size < 0)
            break;
        FeedValues values;
        std::string why;
        if (!ParseFeedDatagram(std::string_view(buffer, (size_t)size), &values, &why)) {
            ++refused_;
            continue;
        }
        ++taken_;
        lastUs_ = Application->MonotonicUs();
        if (stale_) {
            stale_ = false;
            form_.SetStatusMessage("The feed " + Name() + " is live again");
        }
        Deliver(values.millibar, values.rpm);
    }
    // Stale only once a datagram has come and then stopped.
    if (!stale_ && taken_ > 0 && Application->MonotonicUs() - lastUs_ >= StaleUs) {
        stale_ = true;
        form_.SetStatusMessage("The feed " + Name() +
                               " is stale: nothing for two seconds; the sliders hold their values");
    }
    UpdateStatus();
}

std::string LiveFeed::Describe() const
{
    return "listens   " + Name() + (port_ ? " (port " + std::to_string(port_) + ")" : "") + "\ntaken     " +
           std::to_string(taken_) + "\nrefused   " + std::to_string(refused_) + (stale_ ? "\nstale" : "") +
           (taken_ == 0 ? "\nwaiting   for the first datagram" : "");
}
