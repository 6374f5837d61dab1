// ?demo=FILE in the page: the page has fetched the scenario and the files
// it names into the program's files before the program started (demo.js)
// and passes --demo FILE. The demo plays with the Demo badge on the page; a
// touch, click or key anywhere on the page hands the instrument over, as
// any action in the window does. A FILE that cannot be read or played is
// said in the status bar ("file:line: why") and the page runs as without a
// demo.
#pragma once
#include <optional>
#include <string>

#include "host/run/demo_mode.h"

class PageDemo {
  public:
    // file: "" for none.
    PageDemo(TForm1 &form, const std::string &file);
    PageDemo(const PageDemo &) = delete;
    PageDemo &operator=(const PageDemo &) = delete;
    // A demo started, whether it still plays or was handed over.
    bool Started() const { return demo_.has_value(); }

  private:
    void Look();
    std::optional<DemoMode> demo_;
    TTimer timer_;
};
