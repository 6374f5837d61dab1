#!/usr/bin/python3
"""How fast the simulator's page is in headless Chromium (run by hand, after
./scripts/run-web --no-serve; not part of the test run):

- from opening the page until the window is there and takes input;
- from the click on ON until the program has taken it (the status bar says
  Running) and until the first splash frame is on the canvas;
- main-cycle passes and display repaints a second on the steady run screen
  (pressure 2000, RPM 100, clock x1), from the page's ?stats.

Usage: bench/web_page.py [BUILD_WEB_DIR] [--max-rate N]
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
from selenium.webdriver.support.ui import WebDriverWait

args = sys.argv[1:]
rate = ""
if "--max-rate" in args:
    i = args.index("--max-rate")
    rate = "&max-rate=" + args[i + 1]
    del args[i:i + 2]
WEB = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build-web"))


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=WEB))
threading.Thread(target=server.serve_forever, daemon=True).start()
options = Options()
for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--window-size=1300,900"):
    options.add_argument(argument)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

# The page's own clock: from navigation start until the window is there and
# takes input, and from the click on ON until the program has taken it and
# until the first splash frame is on the canvas.
driver.get(f"http://127.0.0.1:{server.server_port}/?stats{rate}")
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
driver.quit()
server.shutdown()
os.unlink(f.name)
