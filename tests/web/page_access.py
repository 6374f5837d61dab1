"""The page for screen readers and keyboards, and offline, sections of
page_test.py: axe-core finds no WCAG 2.1 A or AA fault with the page off,
running and with each panel open; Tab reaches every control, Enter and
Space work it; the display's texts are in the live region; after one visit
the page reloads without a network, and Chromium can install it.

axe-core comes from tests/web/node_modules (npm ci in tests/web).
"""
import os
import re
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import page_session as page
from page_session import check, keys

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node_modules", "axe-core", "axe.min.js")
RUN_AXE = """const done = arguments[arguments.length - 1];
axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}})
  .then((result) => done(result.violations.map((v) => v.id + ' ' + v.nodes.map((n) => n.target).join(' '))),
        (error) => done(['axe failed: ' + error]));"""
# The accessible names of the elements Tab reaches, in order, once round.
TAB_ROUND = """const names = [];
for (const element of document.querySelectorAll('#desk button, #desk input, #desk select, #desk [tabindex="0"]'))
  if (element.tabIndex >= 0 && element.checkVisibility())
    names.push(element.getAttribute('aria-label') || element.closest('label, button')?.textContent || '');
return names;"""


def axe(driver, what):
    if not driver.execute_script("return typeof axe !== 'undefined'"):
        driver.execute_script(open(AXE).read())
    violations = driver.execute_async_script(RUN_AXE)
    check(not violations, f"axe-core, {what}: no WCAG 2.1 A/AA violations {violations or ''}")


def panel_open(driver, key, what):
    keys(driver, key)
    time.sleep(0.6)
    check(len([p for p in driver.find_elements(By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed()]) == 1,
          f"{what} is open")
    axe(driver, f"{what} open")
    keys(driver, Keys.ESCAPE)


def check_access(driver, url):
    """Axe-core's findings off, running and with each panel open; the keyboard; the live region."""
    page.open_page(driver, url)
    time.sleep(0.5)
    axe(driver, "the page off")

    # --- Keyboard: Tab reaches the picture buttons by their keys; Space and Enter work ON and OFF ---
    names = driver.execute_script(TAB_ROUND)
    for key in ("F1", "F2", "knob"):
        check(any(key in name for name in names), f"Tab reaches the {key} button, named with its key {names}")
    on = page.control(driver, "ON")
    driver.execute_script("arguments[0].focus()", on)
    keys(driver, Keys.SPACE)
    WebDriverWait(driver, 5).until(lambda d: not page.status(d).startswith("Off"))
    check(not page.status(driver).startswith("Off"), "Space on the focused ON button powers on")
    time.sleep(3)  # past the power-on splash, as a user would
    driver.execute_script("arguments[0].focus()", page.control(driver, "OFF"))
    keys(driver, Keys.ENTER)
    try:
        WebDriverWait(driver, 5).until(lambda d: page.status(d).startswith("Off"))
    finally:
        check(page.status(driver).startswith("Off"), "Enter on the focused OFF button powers off")

    # --- Running: the live region holds the texts the state view lists for the display ---
    page.power_on_at_1500(driver)
    drawn = re.findall(r'^\s*\d+,\d+\s+"(.*)"$', page.state_view_text(driver), re.M)
    time.sleep(0.3)
    live = driver.execute_script(
        "const r = document.getElementById('display-texts'); return [r.getAttribute('aria-live'), r.textContent]")
    check(live[0] == "polite" and drawn and all(text.strip() in live[1] for text in drawn),
          f"the live region is polite and holds the display's texts {drawn} in {live[1]!r}")
    axe(driver, "the page running")
    for key, what in (("h", "the key list"), ("v", "the state view"), ("e", "the engine panel"),
                      ("l", "the Lessons panel")):
        panel_open(driver, key, what)


def check_offline(driver, url):
    """After one visit the service worker keeps the page: it reloads without a network. Installable."""
    page.open_page(driver, url)
    driver.execute_script("return navigator.serviceWorker.ready.then(() => true)")
    driver.refresh()
    WebDriverWait(driver, 10).until(lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                           {"offline": True, "latency": 0, "downloadThroughput": 0, "uploadThroughput": 0})
    driver.refresh()
    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))
    check(page.status(driver).startswith("Off"), "offline: the page reloads from the worker's cache and runs")
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}).get("installabilityErrors")
    check(errors == [], f"Chromium can install the page {errors or ''}")
