#!/usr/bin/python3
"""The page on phones, tablets and large screens, in headless Chromium with
device emulation: at each size nothing scrolls sideways, the display is
whole and in view, the touch targets are 44 CSS pixels or more and a side
window leaves the display in view; then, on a phone by touch alone (the
DevTools protocol's touch events), power on, into the main menu by a knob
press, a drag around the knob to PRESSURE and back to the run screen.

Usage: layout_test.py BUILD_WEB_DIR REPOSITORY_ROOT [SHOTS_DIR]
SHOTS_DIR: where to leave a screenshot at each size (none unless given).
"""
import functools
import http.server
import math
import os
import re
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_test  # noqa: E402  (the page's server, frame reader and checks)
from page_test import check, failures, wait_for_frame  # noqa: E402
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.options import Options  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402



class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


WEB = os.path.abspath(sys.argv[1])
SHOTS = sys.argv[3] if len(sys.argv) > 3 else None
# name, width, height, device pixels per CSS pixel, a phone or tablet
SIZES = [("phone", 390, 844, 2, True), ("tablet", 768, 1024, 2, True),
         ("tablet-landscape", 1024, 768, 2, True), ("desktop", 1920, 1080, 1, False)]
# The display's box, the page's width and what scrolls sideways, the smallest touch target.
MEASURE = """
const box = (e) => e.getBoundingClientRect();
const display = box(document.querySelector('.panel .image'));
const targets = [...document.querySelectorAll('.client > .image, .client > .button, .client > .checkbox')]
  .filter((e) => !/^(Instrument face|Knob one step)/.test(e.title) && e.closest('.window.main'))
  .map((e) => [e.title || e.textContent, Math.min(box(e).width, box(e).height)]);
return { display: [display.left, display.top, display.right, display.bottom], width: innerWidth,
  height: innerHeight, scrollWidth: document.documentElement.scrollWidth, targets,
  portrait: document.querySelector('.window.main').classList.contains('portrait') };
"""


def browser(width, height, ratio, mobile):
    options = Options()
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    return driver


def inside(box, m):
    return box[0] >= 0 and box[1] >= 0 and box[2] <= m["width"] and box[3] <= m["height"]


def check_size(driver, url, name, width, height):
    driver.get(url)
    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))
    time.sleep(0.3)
    m = driver.execute_script(MEASURE)
    small = [t for t in m["targets"] if t[1] < 44]
    check(m["width"] == width and m["scrollWidth"] <= m["width"] and inside(m["display"], m) and
          m["portrait"] == (height > width) and len(m["targets"]) == 7 and not small,
          f"{name} {width}x{height}: no sideways scrolling ({m['scrollWidth']} <= {m['width']}), display whole "
          f"at {[round(v) for v in m['display']]}, {len(m['targets'])} targets, under 44 px: {small}")
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, f"page-{name}.png"))
    # The key list opens as a sheet that leaves the display in view.
    driver.find_element(By.CSS_SELECTOR, "#toolbar [data-key=h]").click()
    sheet = WebDriverWait(driver, 5).until(lambda d: next(
        (p for p in d.find_elements(By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed()), None))
    top = driver.execute_script("return arguments[0].getBoundingClientRect().top", sheet)
    m2 = driver.execute_script(MEASURE)
    check("F1" in sheet.text and m2["display"] == m["display"] and top >= m["display"][3] and
          m2["scrollWidth"] <= m2["width"], f"{name}: the key list from the toolbar, below the display (top {top})")


def touch(driver, kind, points):
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [
        {"x": x, "y": y} for x, y in points]})


def tap(driver, selector):
    box = driver.execute_script(
        "const b = document.querySelector(arguments[0]).getBoundingClientRect(); "
        "return [b.left + b.width / 2, b.top + b.height / 2]", selector)
    touch(driver, "touchStart", [box])
    touch(driver, "touchEnd", [])
    time.sleep(0.3)


def drag_around(driver, selector, degrees):
    """Around the element's centre by this many degrees (clockwise when positive)."""
    x, y, r = driver.execute_script(
        "const b = document.querySelector(arguments[0]).getBoundingClientRect(); "
        "return [b.left + b.width / 2, b.top + b.height / 2, b.width / 3]", selector)
    at = lambda a: (x + r * math.cos(math.radians(a)), y + r * math.sin(math.radians(a)))
    touch(driver, "touchStart", [at(-90)])
    for i in range(1, abs(degrees) // 5 + 1):
        touch(driver, "touchMove", [at(-90 + math.copysign(5 * i, degrees))])
        time.sleep(0.03)
    touch(driver, "touchEnd", [])
    time.sleep(0.3)


KNOB = '.image[title^="Press the knob"]'


def touch_walk(driver, url):
    driver.get(url)
    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))
    tap(driver, '.button[title^="Power on"]')
    page_test.set_slider(driver, 0, 1500)
    wait_for_frame(driver, "run_screen.pbm", "phone, by touch: ON taps, the run screen")
    tap(driver, KNOB)  # the main menu
    drag_around(driver, KNOB, 165)  # five steps on (30 degrees each), as the Up key five times
    tap(driver, KNOB)
    wait_for_frame(driver, "pressure_setup.pbm", "phone, by touch: a knob tap and a 165-degree drag: PRESSURE SETUP")
    tap(driver, KNOB)  # leave it as it was
    drag_around(driver, KNOB, -165)  # back to EXIT
    tap(driver, KNOB)
    wait_for_frame(driver, "run_screen.pbm", "phone, by touch: a drag back to EXIT and a tap: the run screen")
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, "page-phone-running.png"))
    # Save state from the toolbar: the status bar names the download, not a folder.
    driver.execute_script("QpxPage.offerFile = () => {}")
    tap(driver, "#toolbar [data-key=F5]")
    shown = page_test.status(driver)
    check(re.search(r"State downloaded: qpx-state-\d{8}-\d{6}\.toml$", shown) is not None,
          f"phone: Save state on the toolbar: {shown!r}")
    errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, "phone: no errors in the browser's console" + (f": {errors}" if errors else ""))


def main():
    handler = functools.partial(Quiet, directory=WEB)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_port}/"
    try:
        for name, width, height, ratio, mobile in SIZES:
            driver = browser(width, height, ratio, mobile)
            try:
                check_size(driver, url, name, width, height)
                if name == "phone":
                    touch_walk(driver, url)
                    driver.get(url + "?max-rate=fast")
                    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar .refused"))
                    shown = driver.find_element(By.CSS_SELECTOR, ".statusbar .refused").text
                    check("max-rate=fast refused" in shown, f"a refused ?max-rate= in the status bar: {shown!r}")
            finally:
                driver.quit()
    finally:
        server.shutdown()
    print(f"{len(failures)} failed" if failures else "layout: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
