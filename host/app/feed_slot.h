// The window's engine feed: at most one at a time, a recording replayed or a
// live feed listened to, started from the command line or by a recording
// the user opens in the window (Ctrl+O, a file dropped onto it, the page's
// button), which replaces the running feed. When a recording starts, what
// was understood of it goes to the status bar (FeedPlayer) and to log.
#pragma once
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "host/feed/feed_player.h"

class FeedSlot {
  public:
    // Takes the form's OpenRecording; the slot must end before the form.
    // program: the name that starts each line written to log.
    FeedSlot(TForm1 &form, std::ostream &log, std::string program);
    ~FeedSlot();
    FeedSlot(const FeedSlot &) = delete;
    FeedSlot &operator=(const FeedSlot &) = delete;

    // Replays a recording read and checked (ReadFeedRequest), in place of
    // any running feed; returns what the status bar says of it.
    std::string Replay(EngineLog log, const FeedRequest &request);
    // Listens at a live feed's address (live_feed.h) in place of any
    // running feed, which ends; false with *error when the address is wrong
    // or its port cannot be had.
    bool Listen(const std::string &address, std::string *error);
    // Ends the running feed, if any.
    void End() { feed_.reset(); }

    // Told of every recording the user opens in the window once it plays,
    // so that a session recording can write it.
    std::function<void(const FeedRequest &request)> OnOpened;

  private:
    void Open(const std::string &path);

    TForm1 &form_;
    std::ostream &log_;
    std::string program_;
    std::unique_ptr<FeedDelivery> feed_;
};
