#include "host/web/page_demo.h"

#include "host/web/page_link.h"

namespace {

// How often the page is asked whether someone touched it: a hand-over
// within a tenth of a second, and nothing to wake for once it is over.
constexpr int LookMs = 100;

} // namespace

PageDemo::PageDemo(TForm1 &form, const std::string &file) : timer_(LookMs, [this] { Look(); })
{
    timer_.SetEnabled(false);
    if (file.empty())
        return;
    Script script;
    std::string error;
    if (!ReadDemoScript(file, script, error)) {
        form.SetStatusMessage(error);
        return;
    }
    demo_.emplace(form, std::move(script));
    demo_->OnStopped = [this] {
        timer_.SetEnabled(false);
        qpx_page_demo(0);
    };
    qpx_page_demo(1);
    timer_.SetEnabled(true);
}

void PageDemo::Look()
{
    if (qpx_page_demo_touched())
        demo_->HandOver();
}
