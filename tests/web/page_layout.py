"""The page on a phone, tablets and a large screen (device emulation), a section of page_test.py: no
sideways scrolling, the display whole and in view, touch targets of 44 CSS pixels, the key list from the
toolbar below the display; on the phone by touch alone: ON, a knob tap into the main menu, a drag around
the knob to PRESSURE, back to EXIT, Save state."""
import math
import os
import re
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from page_session import check, check_console, emulate_device, open_page, set_slider, status, wait_for_frame

# Where a screenshot at each size goes (page_test.py's third argument), or None.
SHOTS = None
# name, CSS pixels wide and high, device pixels per CSS pixel, mobile.
DEVICES = [("phone", 390, 844, 2, True), ("tablet", 768, 1024, 2, True), ("tablet-landscape", 1024, 768, 2, True),
           ("desktop", 1920, 1080, 1, False)]
KNOB = '.image[title^="Press the knob"]'
# The display's box, the page's width and how far it scrolls sideways, the required touch targets' sizes.
MEASURE = """const box = (e) => e.getBoundingClientRect(), d = box(document.querySelector('.panel .image'));
return { display: [d.left, d.top, d.right, d.bottom], width: innerWidth, height: innerHeight,
  scrollWidth: document.documentElement.scrollWidth, portrait: !!document.querySelector('.main.portrait'),
  targets: [...document.querySelectorAll('.main .client > :is(.image, .button, .checkbox)')]
    .filter((e) => !/^(Instrument face|Knob one step)/.test(e.title))
    .map((e) => [e.title.slice(0, 12), Math.min(box(e).width, box(e).height)]) };"""


def check_size(driver, url, name, width, height):
    open_page(driver, url)
    m = driver.execute_script(MEASURE)
    d, small = m["display"], [t for t in m["targets"] if t[1] < 44]
    check(m["width"] == width and m["scrollWidth"] <= width and d[0] >= 0 and d[1] >= 0 and d[2] <= width and
          d[3] <= m["height"] and m["portrait"] == (height > width) and len(m["targets"]) == 7 and not small,
          f"{name}: scroll width {m['scrollWidth']}, display at {[round(v) for v in d]}, under 44 px: {small}")
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, f"page-{name}.png"))
    driver.find_element(By.CSS_SELECTOR, "#toolbar [data-key=h]").click()
    sheet = WebDriverWait(driver, 5).until(lambda d: next(
        (p for p in d.find_elements(By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed()), None))
    top = driver.execute_script("return arguments[0].getBoundingClientRect().top", sheet)
    check("F1" in sheet.text and driver.execute_script(MEASURE)["display"] == d and top >= d[3],
          f"{name}: the key list from the toolbar opens below the display (top {top})")


def touch(driver, kind, *points):
    driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                           {"type": kind, "touchPoints": [{"x": x, "y": y} for x, y in points]})


def tap(driver, selector, degrees=0):
    """A tap on the element, or a drag around its centre by this many degrees (clockwise when positive)."""
    x, y, r = driver.execute_script("const b = document.querySelector(arguments[0]).getBoundingClientRect(); "
                                    "return [b.left + b.width / 2, b.top + b.height / 2, b.width / 3]", selector)
    at = lambda a: (x + r * math.cos(math.radians(a - 90)), y + r * math.sin(math.radians(a - 90)))
    touch(driver, "touchStart", at(0) if degrees else (x, y))
    for i in range(1, abs(degrees) // 5 + 1):
        touch(driver, "touchMove", at(math.copysign(5 * i, degrees)))
        time.sleep(0.03)
    touch(driver, "touchEnd")
    time.sleep(0.3)


def touch_walk(driver, url):
    open_page(driver, url)
    tap(driver, '.button[title^="Power on"]')
    set_slider(driver, 0, 1500)
    wait_for_frame(driver, "run_screen.pbm", "phone, by touch: ON, the run screen")
    tap(driver, KNOB)  # the main menu
    tap(driver, KNOB, 165)  # five steps of 30 degrees, as the Up key five times
    tap(driver, KNOB)
    wait_for_frame(driver, "pressure_setup.pbm", "phone, by touch: a knob tap, a 165-degree drag: PRESSURE SETUP")
    tap(driver, KNOB)
    tap(driver, KNOB, -165)  # back to EXIT
    tap(driver, KNOB)
    wait_for_frame(driver, "run_screen.pbm", "phone, by touch: a drag back to EXIT and a tap: the run screen")
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, "page-phone-running.png"))
    driver.execute_script("QpxPage.offerFile = () => {}")
    tap(driver, "#toolbar [data-key=F5]")
    check(re.search(r"State downloaded: qpx-state-\d{8}-\d{6}\.toml$", status(driver)) is not None,
          f"phone: Save state on the toolbar names the download: {status(driver)!r}")
    driver.get(url + "?max-rate=fast")
    shown = WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar .refused"))
    check("max-rate=fast refused" in shown[0].text, f"a refused ?max-rate= in the status bar: {shown[0].text!r}")
    check_console(driver, "phone: no errors in the browser's console")


def check_layout(driver, url):
    """Each device in turn, the phone first and by touch too."""
    for name, width, height, ratio, mobile in DEVICES:
        emulate_device(driver, width, height, ratio, mobile)
        check_size(driver, url, name, width, height)
        if name == "phone":
            touch_walk(driver, url)
