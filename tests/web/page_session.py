"""What the page's browser checks share: a quiet web server for the page's
folder, one headless Chromium (Debian's chromium and chromium-driver through
python3-selenium), the checks' tally, and small ways to read and work the
page. run_sections() runs a list of sections in that one browser, each on a
fresh page of a fresh origin, at the desk's window size and online.

Run with /usr/bin/python3, which sees Debian's Python packages.
"""
import functools
import http.server
import os
import re
import threading
import time
import traceback

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

# The page's folder and the repository, set by run_sections() for the sections.
SITE = ROOT = None
# The window size every section starts with.
DESK = (1300, 900)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def serve(folder):
    """A web server for folder on a free port of 127.0.0.1, answering from a thread of its own
    and logging nothing; returns it and its address."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_port}/"


def start_chromium(width=DESK[0], height=DESK[1]):
    """Headless Chromium with a window of this size, keeping the console's messages for console_errors()."""
    options = Options()
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def emulate_device(driver, width, height, ratio, mobile):
    """The viewport of a device of this size and pixel ratio, taking touch: run_sections() ends it."""
    driver.set_window_size(width, height)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def fresh_start(driver, url):
    """A blank tab at the desk's size, online, no device emulated, nothing left from earlier visits to the
    page's origin (storage, kept store, service worker) and the console read: as a browser just started.
    Tabs a section opened are closed."""
    for extra in driver.window_handles[1:]:
        driver.switch_to.window(extra)
        driver.close()
    driver.switch_to.window(driver.window_handles[0])
    driver.get("about:blank")
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                           {"offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    driver.set_window_size(*DESK)
    driver.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": url.rstrip("/"), "storageTypes": "all"})
    console_errors(driver)


def run_sections(sections, site, root):
    """Each (header, check) of sections, in order, in one Chromium against the page served from site;
    check(driver, url) gets a fresh start. A section that stops on an exception is a failure and the
    next one still runs. Returns the exit status: 1 when any check failed."""
    global SITE, ROOT
    SITE, ROOT = os.path.abspath(site), os.path.abspath(root)
    server, url = serve(SITE)
    driver = start_chromium()
    try:
        for header, section in sections:
            print(f"=== {header} ===", flush=True)
            began = time.monotonic()
            fresh_start(driver, url)
            try:
                section(driver, url)
            except Exception as error:  # reported; the next section still runs
                traceback.print_exc()
                check(False, f"{header}: stopped by {type(error).__name__}: {error}")
            print(f"    ({time.monotonic() - began:.1f} s)", flush=True)
    finally:
        driver.quit()
        server.shutdown()
    print(f"{len(failures)} failed" if failures else "page: all passed")
    return 1 if failures else 0


def console_errors(driver):
    """The errors in the browser's console since the last look."""
    return [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]


def check_console(driver, what):
    errors = console_errors(driver)
    check(not errors, what + (f": {errors}" if errors else ""))


def open_page(driver, url):
    """The page at url, once its status bar is there."""
    driver.get(url)
    WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))


def read_pbm(name):
    with open(os.path.join(ROOT, "scenarios", "refs", name)) as f:
        words = [w for line in f for w in line.split("#")[0].split()]
    assert words[0] == "P1"
    width, height = int(words[1]), int(words[2])
    bits = "".join(words[3:])
    return [[bits[y * width + x] == "1" for x in range(width)] for y in range(height)]


# The display's dots as the page shows them: each dot is a 2 x 2 square of
# the canvas, dark on the light panel. None while the display shows nothing.
READ_DOTS = """
const canvas = document.querySelector('.image canvas');
if (!canvas || getComputedStyle(canvas.parentElement).visibility === 'hidden') return null;
const data = canvas.getContext('2d').getImageData(0, 0, 256, 128).data;
const rows = [];
for (let y = 0; y < 64; ++y) {
  let row = '';
  for (let x = 0; x < 128; ++x) {
    const i = (2 * y * 256 + 2 * x) * 4;
    row += data[i] + data[i + 1] + data[i + 2] < 300 ? '1' : '0';
  }
  rows.push(row);
}
return rows;
"""


def dots(driver):
    rows = driver.execute_script(READ_DOTS)
    return None if rows is None else [[c == "1" for c in row] for row in rows]


def wait_for_frame(driver, ref, what, seconds=10):
    want = read_pbm(ref)
    try:
        WebDriverWait(driver, seconds, 0.05).until(lambda d: dots(d) == want)
        check(True, what)
    except TimeoutException:
        got = dots(driver)
        differing = "no frame" if got is None else sum(
            a != b for r, s in zip(got, want) for a, b in zip(r, s))
        check(False, f"{what}: {differing} dots differ from {ref}")


def status(driver):
    return driver.find_element(By.CSS_SELECTOR, ".statusbar span").text.strip()


def lamp(driver):
    return driver.execute_script("return getComputedStyle(document.querySelector('.shape')).backgroundColor")


def control(driver, caption):
    """The page's element of the control with this caption or label."""
    for element in driver.find_elements(By.CSS_SELECTOR, ".client [data-id]"):
        if element.text == caption:
            return element
    raise LookupError(caption)


def set_slider(driver, index, position):
    # As a drag does: the range input changes, then says so.
    driver.execute_script("""
        const slider = document.querySelectorAll('input[type=range]')[arguments[0]];
        slider.value = arguments[1];
        slider.dispatchEvent(new Event('input'));""", index, position)


def keys(driver, *sequence):
    for key in sequence:
        ActionChains(driver).send_keys(key).perform()
        time.sleep(0.15)  # one key at a time, each taken before the next


def state_view_text(driver):
    """The state view panel, opened with V; its text once it has refreshed."""
    keys(driver, "v")
    time.sleep(0.6)
    panels = [p for p in driver.find_elements(By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed()]
    text = "\n".join(p.text for p in panels)
    keys(driver, Keys.ESCAPE)
    return text


def field(text, name):
    match = re.search(r"\b" + name + r"\s+(-?\d+)", text)
    return int(match.group(1)) if match else None


def power_on_at_1500(driver):
    control(driver, "ON").click()
    set_slider(driver, 0, 1500)
    wait_for_frame(driver, "run_screen.pbm", "ON, pressure 1500: the run screen, dot for dot")
