#!/usr/bin/python3
"""Demo mode in the page (?demo=FILE) in a real browser: the badge shows, the
display changes by itself, a tap anywhere stops the demo and takes the badge
away, and the instrument then answers the user. check_demo(driver, base_url)
runs in its caller's browser session; base_url is the page's folder. Alone:
  /usr/bin/python3 tests/web/demo_checks.py build-web/site .
"""
import functools
import http.server
import sys
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

BADGE = "const b = document.getElementById('demo-badge'); return !!b && !b.hidden;"
DISPLAY = "const c = document.querySelector('.image canvas'); return c && c.toDataURL();"


def status(driver):
    return driver.find_element(By.CSS_SELECTOR, ".statusbar span").text.strip()


def waited(driver, condition, seconds):
    try:
        return WebDriverWait(driver, seconds, 0.05).until(condition)
    except TimeoutException:
        return False


def check_demo(driver, base_url, check=lambda ok, what: print(("ok   " if ok else "FAIL ") + what, flush=True)):
    """Returns the checks that failed."""
    failed = []

    def verify(ok, what):
        check(bool(ok), what)
        failed.extend([] if ok else [what])

    def click(caption):
        next(e for e in driver.find_elements(By.CSS_SELECTOR, ".client [data-id]") if e.text == caption).click()

    driver.get(base_url + "?demo=scenarios/tour.txt")
    verify(waited(driver, lambda d: d.execute_script(BADGE), 20), "demo: the Demo badge shows")
    verify(waited(driver, lambda d: "Demo  |" in status(d), 5), "demo: the status bar says Demo")
    seen = set()
    for _ in range(40):
        seen.add(driver.execute_script(DISPLAY))
        time.sleep(0.2)
    verify(len(seen - {None}) >= 3, "demo: the display changes by itself")

    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    for kind, points in (("touchStart", [{"x": 4, "y": 4}]), ("touchEnd", [])):  # the margin: no control
        driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    verify(not driver.execute_script(BADGE), "demo: a tap takes the badge away at once")
    verify(waited(driver, lambda d: "Demo stopped" in status(d), 3), "demo: the status bar says the demo stopped")
    verify("Demo  |" not in status(driver), "demo: no Demo part in the status bar after the tap")
    # The instrument is the user's now: OFF and ON work, and nothing plays.
    click("OFF")
    verify(waited(driver, lambda d: status(d).startswith("Off"), 10), "demo: OFF after the hand-over switches off")
    time.sleep(3)  # a demo would start its next round within this
    verify(status(driver).startswith("Off"), "demo: nothing plays after the hand-over")
    click("ON")
    verify(waited(driver, lambda d: status(d).startswith("Running"), 10), "demo: ON after the hand-over runs")
    return failed


if __name__ == "__main__":
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=sys.argv[1]))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = Options()
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--window-size=1300,900"):
        options.add_argument(argument)
    browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        failures = check_demo(browser, f"http://127.0.0.1:{server.server_port}/")
    finally:
        browser.quit()
        server.shutdown()
    print(f"{len(failures)} failed" if failures else "demo: all passed")
    sys.exit(1 if failures else 0)
