"""Demo mode in the page (?demo=FILE): the badge shows, the display changes
by itself, a tap anywhere stops the demo and takes the badge away, and the
instrument then answers the user. A section of page_test.py."""
import time

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from page_layout import touch
from page_session import check, status

BADGE = "const b = document.getElementById('demo-badge'); return !!b && !b.hidden;"
DISPLAY = "const c = document.querySelector('.image canvas'); return c && c.toDataURL();"


def waited(driver, condition, seconds):
    try:
        return WebDriverWait(driver, seconds, 0.05).until(condition)
    except TimeoutException:
        return False


def check_demo(driver, base_url):
    verify = lambda ok, what: check(bool(ok), what)

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
    touch(driver, "touchStart", (4, 4))  # the margin: no control
    touch(driver, "touchEnd")
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

