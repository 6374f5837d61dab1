// A live engine feed: datagrams of name=value text (feed_datagram.h) sent
// to a UDP port, as a flight simulator's generic output protocol sends them
// (integrations/flightgear/qpx.xml). Each datagram taken moves the sliders
// (feed_delivery.h); one that cannot be read is counted and ignored. Until
// the first datagram comes the status bar says the feed waits for it; when
// none has come for two seconds after that it says the feed is stale, and
// the sliders hold their values; the refused count shows there once there
// is one. A recording of the session writes the slider moves the feed made.
#pragma once
#include <cstdint>
#include <string>

#include "host/feed/feed_delivery.h"

class LiveFeed : public FeedDelivery {
  public:
    // address: "udp:PORT" (on 127.0.0.1) or "udp:ADDRESS:PORT" (an IPv4
    // address of this machine). Open: false with *error when the address is
    // wrong or the port cannot be had (taken by another program, say).
    static bool IsLiveAddress(const std::string &address) { return address.rfind("udp:", 0) == 0; }
    LiveFeed(TForm1 &form, const std::string &address);
    ~LiveFeed() override;
    bool Open(std::string *error);

    // The port listened on (the one the system chose for port 0).
    int Port() const { return port_; }
    int64_t Taken() const { return taken_; }
    int64_t Refused() const { return refused_; }
    bool Stale() const { return stale_; }

  private:
    std::string Describe() const override;
    void Poll();
    void UpdateStatus();

    std::string address_;
    std::string listening_; // "udp:PORT" with the port listened on
    int socket_ = -1, port_ = 0;
    int64_t taken_ = 0, refused_ = 0, lastUs_ = 0;
    bool stale_ = false;
    TTimer timer_;
};
