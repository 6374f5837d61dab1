"""What the page remembers across a reload, a section of page_test.py: the
pass-rate limit and the zoom the user chose (local storage), and the store
while "Keep engine time in this browser" is ticked (IndexedDB), with a state
file loaded into it; the box is off on a first visit.
"""
import os
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from page_session import check, check_console, field, keys, state_view_text, status


def hobbs_hours(driver):
    return field(state_view_text(driver), "hobbsHours")


def check_remember(driver, url):
    """A first visit, then reloads: what comes back and what does not."""
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

    check_console(driver, "no errors in the browser's console")
