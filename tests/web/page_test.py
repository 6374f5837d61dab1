#!/usr/bin/python3
"""The simulator's page in a real browser (headless Chromium through
Selenium), in one session of sections, each on a fresh page:

- the page used as a person would: clicks, keys, the wheel, "Load state",
  "Load recording" and dropped files, the display read back from the page's
  canvas dot by dot and compared with the reference frames the scenarios use;
- for screen readers and keyboards (page_access.py);
- on a phone, tablets and a large screen, and by touch (page_layout.py);
- what the page remembers across visits (page_remember.py);
- offline and installable (page_access.py).

Usage: page_test.py SITE_DIR REPOSITORY_ROOT [SHOTS_DIR]
SITE_DIR: build-web/site, the page's folder; SHOTS_DIR: a screenshot of the
page at each size goes there. axe-core comes from tests/web/node_modules (npm
ci in tests/web). Needs Debian's chromium, chromium-driver and
python3-selenium; run it with /usr/bin/python3, which sees Debian's Python
packages.
"""
import os
import pathlib
import re
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import demo_checks
import lesson_checks
import page_access
import page_layout
import page_remember
import page_session as session
from page_session import (check, check_console, control, dots, field, keys, lamp, open_page, power_on_at_1500,
                          state_view_text, status, wait_for_frame)

COUNT_READS = """window.reads = 0; for (const name of ['arrayBuffer', 'text', 'stream', 'slice']) {
  const read = Blob.prototype[name];
  Blob.prototype[name] = function () { ++reads; return read.apply(this, arguments); }; }"""
# window.picked dragged over the body into arguments[0], dropped; after each step: taken by the page? lit?
DROP = """const transfer = new DataTransfer(); transfer.items.add(picked);
return [['dragenter', 'body'], ['dragenter', arguments[0]], ['dragleave', 'body'], ['drop', arguments[0]]].map(
  ([type, at]) => [document.querySelector(at).dispatchEvent(new DragEvent(type, { bubbles: true, cancelable: true,
    dataTransfer: transfer })) ? 'left' : 'taken', document.documentElement.classList.contains('dropping')]);"""
DROPPED = [["taken", True], ["taken", True], ["left", True], ["taken", False]]


def check_use(driver, url):
    """The page used as a person would."""
    example_state = os.path.join(session.ROOT, "examples", "state.toml")
    open_page(driver, url)

    # --- Every code page.js and page_link.js (linked into qpx-sim.js) name is one codes.js defines ---
    codes, named = driver.execute_script("return QpxCodes"), []
    for file, pattern in (("page.js", r"\b(Kind|Event|Key)\.(\w+)"), ("qpx-sim.js", r"\b()QpxCodes\.(\w+)")):
        named += re.findall(pattern, pathlib.Path(session.SITE, file).read_text())
    unknown = sorted({f"{group}.{name}" for group, name in named if name not in codes.get(group, codes)})
    check(len(named) > 20 and not unknown, f"the codes page.js and page_link.js name are in codes.js {unknown or ''}")

    # --- Opened: off, the display blank, the lamp in its design colour ---
    check(status(driver).startswith("Off"), "opened: the status bar says Off")
    check(dots(driver) is None, "opened: the display panel is blank")
    check(lamp(driver) == "rgb(255, 0, 0)", "opened: the lamp is red")

    # --- ON and the run screen, then the wheel and the knob keys ---
    power_on_at_1500(driver)
    check(lamp(driver) == "rgb(128, 0, 0)", "running without an alarm: the lamp is dark red")
    face = driver.find_element(By.CSS_SELECTOR, ".image img")
    ActionChains(driver).scroll_from_origin(ScrollOrigin.from_element(face), 0, -100).perform()
    view = state_view_text(driver)
    check("currentScreen       MaxValuesScreen" in view and "MAX VALUES" in view,
          "one wheel notch over the face: MAX VALUES")
    # Back to the run screen, into the main menu, five steps on to
    # PRESSURE and into it.
    keys(driver, Keys.ENTER, Keys.ENTER, *[Keys.UP] * 5, Keys.ENTER)
    wait_for_frame(driver, "pressure_setup.pbm", "knob keys through the main menu: PRESSURE SETUP")
    keys(driver, Keys.ENTER)  # leave it as it was

    # --- A key pressed while one is pending is dropped ---
    open_page(driver, url)
    power_on_at_1500(driver)
    # Paused, no pass takes the knob press: the turn after it is lost.
    keys(driver, "p", Keys.ENTER, Keys.UP, "p")
    view = state_view_text(driver)
    check("MAIN MENU" in view and field(view, "menuCursor") == 0,
          f"knob then a turn while paused: the menu opens at its first entry (menuCursor {field(view, 'menuCursor')})")
    keys(driver, Keys.ENTER)  # EXIT: back to the run screen
    wait_for_frame(driver, "run_screen.pbm", "EXIT: the run screen again")

    # --- OFF keeps the last frame and the lamp's colour ---
    lamp_before = lamp(driver)
    control(driver, "OFF").click()
    WebDriverWait(driver, 5).until(lambda d: status(d).startswith("Off"))
    last = dots(driver)
    time.sleep(0.5)
    check(last is not None and dots(driver) == last and lamp(driver) == lamp_before,
          "OFF keeps the last frame and lamp colour")

    # --- Load state while off: a bad file changes nothing, a good one sets the Hobbs meter ---
    chooser = driver.find_element(By.ID, "load-state")
    with tempfile.TemporaryDirectory() as folder:
        bad = os.path.join(folder, "broken.toml")
        with open(bad, "w") as f:
            f.write("# Hobbs hours stop at 10000\nhobbsHours = 99999\n")
        chooser.send_keys(bad)
        WebDriverWait(driver, 5).until(lambda d: "not loaded" in status(d))
        check(re.search(r"State not loaded: broken\.toml:2:", status(driver)) is not None,
              f"a bad state file is refused with the line and why: {status(driver)!r}")
        view = state_view_text(driver)
        check(field(view, "hobbsHours") == 0, "the refused file changed nothing")
    chooser.send_keys(example_state)
    WebDriverWait(driver, 5).until(lambda d: "State loaded" in status(d))
    # ON by its key, from the state view panel, which passes it on.
    keys(driver, "v", "o", Keys.ESCAPE)
    WebDriverWait(driver, 10).until(lambda d: "1234:30" in state_view_text(d))
    check(field(state_view_text(driver), "hobbsHours") == 1234,
          "examples/state.toml sets the Hobbs meter: the run screen shows 1234:30")
    # F5 hands over a state file that holds it (the page keeps what it
    # would download).
    driver.execute_script("""window.offered = [];
        QpxPage.offerFile = (name, bytes) => offered.push([name, new TextDecoder().decode(bytes)]);""")
    keys(driver, Keys.F5)
    WebDriverWait(driver, 5).until(lambda d: d.execute_script("return offered.length"))
    name, text = driver.execute_script("return offered[0]")
    check(re.fullmatch(r"qpx-state-\d{8}-\d{6}\.toml", name) and "hobbsHours = 1234" in text,
          f"F5 offers {name} with the Hobbs time in it")

    # --- The Engine panel (E): 2400 rpm typed in moves the RPM slider; a pressure noise fault's
    # amount is held to its range and the status bar says FAULT; Esc closes the panel ---
    keys(driver, "e")
    panel = WebDriverWait(driver, 5).until(lambda d: next((p for p in d.find_elements(
        By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed() and "Engine speed" in p.text), None))
    boxes = panel.find_elements(By.CSS_SELECTOR, ".spinedit input")
    def type_into(box, text):
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(text, Keys.ENTER)
        time.sleep(0.3)

    type_into(boxes[1], "2400")
    Select(panel.find_element(By.CSS_SELECTOR, "select")).select_by_visible_text("noise")
    time.sleep(0.3)
    type_into(boxes[2], "900")
    WebDriverWait(driver, 5).until(lambda d: "FAULT" in status(d))
    rpm = driver.find_elements(By.CSS_SELECTOR, "input[type=range]")[1]
    check(rpm.get_attribute("value") == "120" and "120 = 2400 rpm" in rpm.get_attribute("title"),
          f"2400 rpm in the Engine panel: the RPM slider at {rpm.get_attribute('value')}, its tooltip says so")
    check(boxes[2].get_attribute("value") == "500", f"a noise of 900 is held to 500: {boxes[2].get_attribute('value')}")
    keys(driver, Keys.ESCAPE)
    check(not panel.is_displayed(), "Esc closes the Engine panel")

    # --- Reloaded: off again, blank and red ---
    driver.refresh()
    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))
    check(status(driver).startswith("Off") and dots(driver) is None and lamp(driver) == "rgb(255, 0, 0)",
          "after a reload: off, the display blank, the lamp red")

    # --- Load recording; files chosen or dropped reach the program, read once, their copy gone once read ---
    with tempfile.TemporaryDirectory() as folder:
        looks = driver.execute_script(COUNT_READS + """; document.body.insertAdjacentHTML('beforeend',
            '<input type=file id=pick hidden>'); return ['load-state', 'load-recording'].map((id) => {
            const e = document.getElementById(id).parentNode, s = getComputedStyle(e);
            return [e.className, e.offsetTop, s.font, s.padding, s.borderTop, s.background]; })""")
        recording = driver.find_element(By.ID, "load-recording")
        check(looks[0] == looks[1] and recording.accessible_name == "Load recording", f"Load recording: {looks[1]}")

        def write(name, text):
            pathlib.Path(folder, name).write_text(text)
            return os.path.join(folder, name)
        for at, path, want, hobbs in [
                (".image", write("bad.toml", "\nhobbsHours = 99999\n"), r"not loaded: bad\.toml:2:", 0),
                ("#load-recording", example_state, r"loaded from state\.toml", 1234),
                ("load-recording", write("good.toml", "hobbsHours = 321\n"), r"loaded from good\.toml", 321),
                ("body", write("gone.toml", ""), r"^(?!.*loaded from).*gone\.toml", 321)]:  # gone once chosen
            before, name, chosen = status(driver), os.path.basename(path), at.startswith("load-")
            driver.execute_script("reads = 0")
            driver.find_element(By.ID, at if chosen else "pick").send_keys(path)
            driver.execute_script("window.picked = pick.files[0]")
            if name == "gone.toml":
                os.remove(path)
            steps = DROPPED if chosen else driver.execute_script(DROP, at)
            WebDriverWait(driver, 5).until(lambda d: status(d) != before)
            reads, left = driver.execute_script(f"return [reads, Module.FS.analyzePath('/files/{name}').exists]")
            shown = status(driver)
            check(re.search(want, shown) and steps == DROPPED and reads == 1 and not left and
                  field(state_view_text(driver), "hobbsHours") == hobbs, f"{name}: {shown!r}, {reads} read, {steps}")

        # 600 mbar rising 1 mbar a second: the pressure slider holds its count (docs/feeds.md) from the opening.
        start, before, readings = time.time(), status(driver), []
        recording.send_keys(write("ramp.csv", "time,mp_mbar,rpm\n0,600,1000\n600,1200,2200\n"))
        WebDriverWait(driver, 5).until(lambda d: status(d) != before)
        shown, opened = status(driver), time.time()
        for pause in (0.5, 2.0):
            time.sleep(pause)
            earliest = time.time() - opened - 0.1
            value = int(driver.execute_script("return document.querySelector('input[type=range]').value"))
            low, high = (((600 + round(t) + 1) * 163 - 1) // 100 - 180 for t in (earliest, time.time() - start))
            readings.append((low - 1 <= value <= high + 1, value))
        check("ramp.csv" in shown and "not loaded" not in shown and all(ok for ok, _ in readings) and
              readings[1][1] > readings[0][1], f"a recording drives the pressure slider: {shown!r}, {readings}")

    check_console(driver, "no errors in the browser's console")


# The sections in the order they run, each a header and check(driver, url). Each starts on a blank tab at
# the desk's size, online, with nothing kept from the sections before it (page_session.fresh_start).
SECTIONS = [
    ("The page used as a person would", check_use),
    ("The page for screen readers and keyboards (axe-core)", page_access.check_access),
    ("The page on a phone, tablets and a large screen, and by touch", page_layout.check_layout),
    ("What the page remembers across visits", page_remember.check_remember),
    ("Demo mode: a scenario playing until someone acts", demo_checks.check_demo),
    ("A lesson taken by touch on a tablet", lesson_checks.check_lesson_one),
    ("The page offline, and installable", page_access.check_offline),
]

if __name__ == "__main__":
    page_layout.SHOTS = sys.argv[3] if len(sys.argv) > 3 else None
    sys.exit(session.run_sections(SECTIONS, sys.argv[1], sys.argv[2]))
