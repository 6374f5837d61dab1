#include "host/app/feed_slot.h"

#include "host/feed/live_feed.h"

FeedSlot::FeedSlot(TForm1 &form, std::ostream &log, std::string program)
    : form_(form), log_(log), program_(std::move(program))
{
    form_.OpenRecording = [this](const std::string &path) { Open(path); };
}

FeedSlot::~FeedSlot()
{
    feed_.reset();
    form_.OpenRecording = nullptr;
}

// The running feed ends first: each feed restores the form's listeners it
// found, so the new one must find the form's own.
std::string FeedSlot::Replay(EngineLog log, const FeedRequest &request)
{
    feed_.reset();
    auto player = std::make_unique<FeedPlayer>(form_, std::move(log), request.file, request.fromMs);
    std::string message = player->StartMessage();
    log_ << program_ << ": " << message << "\n";
    feed_ = std::move(player);
    return message;
}

bool FeedSlot::Listen(const std::string &address, std::string *error)
{
    feed_.reset();
    auto live = std::make_unique<LiveFeed>(form_, address);
    if (!live->Open(error))
        return false;
    feed_ = std::move(live);
    return true;
}

// A recording the user opened: read and checked as --feed reads one, from
// its first row; one that cannot be replayed leaves the running feed alone.
void FeedSlot::Open(const std::string &path)
{
    const FeedRequest request{path, {}, 0};
    EngineLog log;
    std::string error;
    if (!ReadFeedRequest(request, &log, &error)) {
        form_.SetStatusMessage("Recording not replayed: " + error);
        log_ << program_ << ": " << error << "\n";
        return;
    }
    const std::string replaced = feed_ ? feed_->Name() : "";
    const std::string message = Replay(std::move(log), request);
    if (!replaced.empty())
        form_.SetStatusMessage(message + " (in place of the feed " + replaced + ")");
    if (OnOpened)
        OnOpened(request);
}
