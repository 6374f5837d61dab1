#!/usr/bin/python3
"""How fast the simulator's page is in headless Chromium (run by hand, after
./scripts/run-web --no-serve; not part of the test run):

- from opening the page until the window is there and takes input;
- from the click on ON until the program has taken it (the status bar says
  Running) and until the first splash frame is on the canvas;
- main-cycle passes and display repaints a second on the steady run screen
  (pressure 2000, RPM 100, clock x1), from the page's ?stats;
- the share of a core Chromium uses (all its processes, from /proc) running
  free, at 1,000 passes a second (the M key) and with the tab hidden behind
  another, and the instrument's clock across the hidden time.

Usage: bench/web_page.py [SITE_DIR (build-web/site)] [--max-rate N]
"""
import os
import re
import sys
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

# The page tests' web server and headless Chromium.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from page_session import serve, start_chromium  # noqa: E402

args = sys.argv[1:]
rate = ""
if "--max-rate" in args:
    i = args.index("--max-rate")
    rate = "&max-rate=" + args[i + 1]
    del args[i:i + 2]
WEB = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build-web", "site"))

server, url = serve(WEB)
driver = start_chromium()

# The page's own clock: from navigation start until the window is there and
# takes input, and from the click on ON until the program has taken it and
# until the first splash frame is on the canvas.
driver.get(f"{url}?stats{rate}")
driver.execute_script("""
    window.bench = {};
    const mark = (name) => { if (!bench[name]) bench[name] = performance.now(); };
    const look = () => {
      const status = document.querySelector('.statusbar span');
      if (status && status.textContent.includes('Off')) mark('ready');
      if (status && status.textContent.includes('Running')) mark('on');
      if (document.querySelector('.image canvas')) mark('frame');
    };
    look();
    new MutationObserver(look).observe(document.body, {subtree: true, childList: true, characterData: true});
    document.addEventListener('click', (e) => { if (e.target.textContent === 'ON') mark('click'); }, true);""")
WebDriverWait(driver, 10).until(lambda d: d.execute_script("return bench.ready"))
for button in driver.find_elements(By.CSS_SELECTOR, "button.button"):
    if button.text == "ON":
        button.click()
WebDriverWait(driver, 10).until(lambda d: d.execute_script("return bench.on && bench.frame"))
marks = driver.execute_script("return bench")
print(f"page opened to the window taking input: at most {marks['ready']:.0f} ms")
print(f"ON clicked to ON taken: {marks['on'] - marks['click']:.1f} ms")
print(f"ON clicked to the first splash frame on the canvas: {marks['frame'] - marks['click']:.1f} ms")

# The steady run screen.
with tempfile.NamedTemporaryFile("w", suffix=".toml", delete=False) as f:
    f.write("[controls]\npressure = 2000\nrpm = 100\n")
driver.find_element(By.ID, "load-state").send_keys(f.name)
time.sleep(5)
samples = []
for _ in range(5):
    time.sleep(1)
    samples.append(driver.find_element(By.CSS_SELECTOR, ".statusbar .rates").text)
print("steady run screen, x1:", *samples, sep="\n  ")


def descendants(pid):
    """pid and every process under it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [pid]
    while todo:
        found.append(todo.pop())
        todo += children.get(found[-1], [])
    return found


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            pass
    return total


def core_share(seconds):
    """Chromium's CPU time over the next seconds, as a share of one core."""
    pids = descendants(driver.service.process.pid)
    start, began = cpu_seconds(pids), time.monotonic()
    time.sleep(seconds)
    return (cpu_seconds(pids) - start) / (time.monotonic() - began)


def hobbs_seconds():
    """The Hobbs meter in seconds, from the state view's text (V)."""
    body = driver.find_element(By.TAG_NAME, "body")
    body.send_keys("v")
    time.sleep(0.6)
    text = " ".join(p.text for p in driver.find_elements(By.CSS_SELECTOR, ".window:not(.main)") if p.is_displayed())
    body.send_keys(Keys.ESCAPE)
    time.sleep(0.2)
    parts = [re.search(name + r"\s+(\d+)", text) for name in ("hobbsHours", "hobbsMinutes", "hobbsSeconds")]
    return None if None in parts else sum(int(m.group(1)) * f for m, f in zip(parts, (3600, 60, 1)))


print(f"running free: {core_share(10):.1%} of a core")
driver.find_element(By.TAG_NAME, "body").send_keys("m")  # free -> 1000 passes a second
time.sleep(3)
print(f"at {driver.find_element(By.CSS_SELECTOR, '.statusbar .rates').text}: {core_share(10):.1%} of a core")
# Hidden at an engine speed that runs the Hobbs meter: it must count the
# hidden time as the desktop counts it minimised.
with open(f.name, "w") as running:
    running.write("[controls]\npressure = 2000\nrpm = 2500\n")
driver.find_element(By.ID, "load-state").send_keys(f.name)
time.sleep(2)
page = driver.current_window_handle
before, hid = hobbs_seconds(), time.monotonic()
driver.switch_to.new_window("tab")
time.sleep(3)
print(f"hidden behind another tab: {core_share(30):.1%} of a core")
blank = driver.current_window_handle
driver.switch_to.window(page)
time.sleep(1)
after, shown = hobbs_seconds(), time.monotonic()
if before is not None and after is not None:
    print(f"Hobbs meter across the hidden time: {after - before} s in {shown - hid:.1f} s of real time")
# What Chromium uses without the page, for comparison with the hidden page.
driver.close()
driver.switch_to.window(blank)
time.sleep(3)
print(f"the blank tab alone, the page closed: {core_share(30):.1%} of a core")
driver.quit()
server.shutdown()
os.unlink(f.name)
