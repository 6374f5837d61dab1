#!/usr/bin/python3
"""What the page remembers across a reload, in headless Chromium: the
pass-rate limit and the zoom the user chose (local storage), and the store
while "Keep engine time in this browser" is ticked (IndexedDB), with a state
file loaded into it; the box is off on a first visit.

Usage: remember_test.py BUILD_WEB_DIR REPOSITORY_ROOT (as page_test.py)
"""
import functools
import http.server
import os
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_test import WEB, check, failures, field, keys, state_view_text, status  # noqa: E402


def hobbs_hours(driver):
    return field(state_view_text(driver), "hobbsHours")


def run(driver, url):
    def visit():
        driver.get(url)
        WebDriverWait(driver, 10).until(lambda d: status(d).startswith("Off"))

    visit()
    box = driver.find_element(By.ID, "keep-engine-time")
    check(not box.is_selected(), "first visit: Keep engine time in this browser is off")

    # --- The limit and the zoom chosen with keys come back after a reload:
    # Ctrl+= after the reload steps on from the kept zoom ---
    def kept_zoom():
        text = driver.execute_script("return localStorage.getItem('qpx-sim.settings')") or ""
        return [line for line in text.splitlines() if line.startswith("zoom")]

    # The browser keeps Ctrl+= for its own zoom: the page gets it as a
    # keydown event of its own.
    def ctrl_equals():
        driver.execute_script("document.dispatchEvent(new KeyboardEvent('keydown', "
                              "{key: '=', ctrlKey: true, bubbles: true}))")
        time.sleep(0.3)

    keys(driver, "m")
    ctrl_equals()
    visit()
    ctrl_equals()
    check("max 1000/s" in status(driver) and kept_zoom() == ["zoom = 2"],
          f"M and Ctrl+= survive a reload: {status(driver)!r}, {kept_zoom()}")
    driver.get(url + "?max-rate=50")
    WebDriverWait(driver, 10).until(lambda d: status(d).startswith("Off"))
    visit()
    check("max 1000/s" in status(driver), f"an address's max-rate lasts one visit: {status(driver)!r}")

    # --- The store: Hobbs hours from a state file, kept once the box is ticked ---
    with tempfile.NamedTemporaryFile("w", suffix=".toml", delete=False) as f:
        f.write("hobbsHours = 123\n")
    driver.find_element(By.ID, "load-state").send_keys(f.name)
    WebDriverWait(driver, 5).until(lambda d: hobbs_hours(d) == 123)
    visit()
    check(hobbs_hours(driver) == 0, "not kept while the box is off: Hobbs hours 0 after a reload")
    driver.find_element(By.ID, "keep-engine-time").click()
    WebDriverWait(driver, 5).until(lambda d: d.execute_script("return QpxKeep.keptStore !== null"))
    driver.find_element(By.ID, "load-state").send_keys(f.name)  # the import, kept at once
    WebDriverWait(driver, 5).until(lambda d: "hobbsHours = 123" in d.execute_script(
        "return new TextDecoder().decode(QpxKeep.keptStore)"))
    visit()
    check(driver.find_element(By.ID, "keep-engine-time").is_selected() and hobbs_hours(driver) == 123,
          f"kept: ticked and Hobbs hours 123 after a reload ({hobbs_hours(driver)})")
    driver.find_element(By.ID, "keep-engine-time").click()
    WebDriverWait(driver, 5).until(lambda d: d.execute_script("return QpxKeep.keptStore === null"))
    visit()
    check(hobbs_hours(driver) == 0, "unticked: the kept store is forgotten")
    os.unlink(f.name)

    errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, "no errors in the browser's console" + (f": {errors}" if errors else ""))


def main():
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=WEB))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = Options()
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--window-size=1300,900"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        run(driver, f"http://127.0.0.1:{server.server_port}/")
    finally:
        driver.quit()
        server.shutdown()
    print(f"{len(failures)} failed" if failures else "remember: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
