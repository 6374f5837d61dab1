#!/usr/bin/python3
"""The Lessons panel of the page taken by touch alone: check_lesson_one(driver, base_url) opens the panel from
the toolbar, starts the first lesson (01-...), taps Show me or Next at every step until the lesson says it is
finished, and checks that the instruction is large, the lesson is ticked in the list and remembered in the
browser's local storage. The caller's driver must have touch emulation on (a tablet); each check is reported
through check(ok, what), the caller's or this file's.

A section of page_test.py."""
import os
import re
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from page_session import check, emulate_device
from page_layout import touch

# Longest a step may take once Show me or Next was tapped: a lesson's stage may wait on the instrument's clock.
STEP_SECONDS = 90
# The panel as the pilot sees it: its step line, the instruction, its visible buttons and their centres.
PANEL = """const panel = [...document.querySelectorAll('.window:not(.main)')]
  .find((w) => !w.hidden && w.querySelector('header').textContent.startsWith('QPX-2 lessons'));
if (!panel) return null;
const shown = (e) => getComputedStyle(e).visibility !== 'hidden';
const centre = (e) => { const b = e.getBoundingClientRect(); return [b.left + b.width / 2, b.top + b.height / 2]; };
const labels = [...panel.querySelectorAll('.label')].filter(shown);
const step = labels.find((e) => /^(Step \\d+ of \\d+|Lesson finished)/.test(e.textContent));
// While a lesson runs the only large text is its instruction.
const instruction = step && labels.find((e) => e.classList.contains('large'));
return { step: step && step.textContent, instruction: instruction ? instruction.textContent : '',
  fontSize: instruction ? parseFloat(getComputedStyle(instruction).fontSize) * (panel.style.zoom || 1) : 0,
  buttons: Object.fromEntries([...panel.querySelectorAll('button.button')].filter(shown)
    .map((e) => [e.textContent, centre(e)])) };"""
SETTINGS = "return localStorage.getItem('qpx-sim.settings') || ''"


def tap_at(driver, x, y):
    touch(driver, "touchStart", (x, y))
    touch(driver, "touchEnd")


def panel(driver):
    return driver.execute_script(PANEL)


def check_lesson_one(driver, base_url, shots=None):
    emulate_device(driver, 768, 1024, 2, True)  # a tablet, upright, by touch
    driver.get(base_url)
    WebDriverWait(driver, 20).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".statusbar span"))
    lessons = driver.find_element(By.CSS_SELECTOR, "#toolbar [data-key=l]")
    tap_at(driver, *driver.execute_script(
        "const b = arguments[0].getBoundingClientRect(); return [b.left + b.width / 2, b.top + b.height / 2]",
        lessons))
    seen = WebDriverWait(driver, 5).until(lambda d: panel(d))
    first = next((name for name in seen["buttons"] if name.startswith("1. ")), None)
    check(first is not None, f"lessons: the panel lists lesson 1 ({list(seen['buttons'])})")
    if first is None:
        return
    tap_at(driver, *seen["buttons"][first])
    seen = WebDriverWait(driver, 10).until(lambda d: (p := panel(d)) and p["step"] and p["step"].startswith("Step 1")
                                           and p)
    check(seen["instruction"] != "" and seen["fontSize"] >= 18,
          f"lessons: step 1 of lesson 1 says what to do, in large type ({seen['fontSize']} px)")
    steps, taps, shown = [seen["step"]], 0, False
    while not seen["step"].startswith("Lesson finished") and taps < 60:
        if shots:
            driver.save_screenshot(os.path.join(shots, f"lesson-one-{len(steps):02d}.png"))
        # Show me once a step, then Next where the step offers it.
        button = ("Show me" if "Show me" in seen["buttons"] and not shown else
                  "Next" if "Next" in seen["buttons"] else None)
        if button is None:  # the lesson moves on by itself (its stage, or a condition the last tap met)
            time.sleep(0.2)
        else:
            tap_at(driver, *seen["buttons"][button])
            taps += 1
            shown = shown or button == "Show me"
        before, waits_for_next = seen["step"], button == "Show me" and "Next" in seen["buttons"]
        try:
            seen = WebDriverWait(driver, 3 if waits_for_next else STEP_SECONDS, 0.1).until(
                lambda d: (p := panel(d)) and (p["step"] != before or button is None) and p)
        except Exception:
            if waits_for_next:  # shown; Next moves on
                seen = panel(driver)
                continue
            check(False, f"lessons: {before} moves on after {button}: {panel(driver)}")
            return
        if seen["step"] != before:
            steps.append(seen["step"])
            shown = False
    check(seen["step"].startswith("Lesson finished"), f"lessons: lesson 1 taken by touch to its end ({steps})")
    if shots:
        driver.save_screenshot(os.path.join(shots, "lesson-one-finished.png"))
    tap_at(driver, *seen["buttons"]["All lessons"])
    listed = WebDriverWait(driver, 5).until(lambda d: (p := panel(d)) and any(
        name.startswith("1. ") for name in p["buttons"]) and p)
    ticked = [name for name in listed["buttons"] if name.startswith("1. ")]
    check(ticked and "finished" in ticked[0], f"lessons: lesson 1 is ticked in the list ({ticked})")
    settings = driver.execute_script(SETTINGS)
    check(re.search(r"finishedLessons = \[.*\b01-", settings) is not None,
          f"lessons: the browser remembers lesson 1 as finished ({settings!r})")

