"""Checks of the instrument written as a Python test would: pytest drives
the headless instrument step by step and reads its display.

    QPX_RUN=build/qpx-run python3 -m pytest examples/python/test_instrument.py
"""

import os
import sys

import pytest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "clients", "python"))
from qpx_sim import Simulator, SimulatorError  # noqa: E402


@pytest.fixture
def sim():
    with Simulator(path=os.environ.get("QPX_RUN", "qpx-run")) as simulator:
        simulator.on()
        simulator.pressure(1500)
        simulator.wait("4s")
        yield simulator


def lamp_colours(sim, steps):
    """The lamp's colour at each step of 550 ms, as seen by expect lamp."""
    colours = []
    for _ in range(steps):
        sim.wait("550ms")
        try:
            sim.expect_lamp("red")
            colours.append("red")
        except SimulatorError:
            colours.append("darkred")
    return colours


def test_low_pressure_alarm_flashes_until_a_key_acknowledges_it(sim):
    assert sim.get("alarmActive") == 0
    sim.ramp("pressure", 1500, 600, "5s")
    sim.wait("2s")
    assert sim.get("alarmActive") == 1
    assert set(lamp_colours(sim, 8)) == {"red", "darkred"}

    sim.press("knob")
    assert sim.get("alarmMuted") == 1
    assert sim.get("screen") == "RunScreen"
    assert set(lamp_colours(sim, 8)) == {"darkred"}


def test_the_main_menu_is_walked_by_reading_its_entries(sim):
    sim.press("knob")
    assert sim.get("screen") == "MainMenuScreen"
    texts = sim.text_list()
    assert texts[0].strip() == "MAIN MENU"
    # Turned clockwise the menu goes down its entries and stays on the last.
    entries = [" ".join(texts[1:])]
    for _ in range(20):
        sim.turn("cw")
        entry = " ".join(sim.text_list()[1:])
        if entry == entries[-1]:
            break
        entries.append(entry)
    assert entries[0] == "EXIT MENU"
    assert "FLIGHT LOG" in entries
    assert len(set(entries)) == len(entries) > 3
    assert sim.get("menuCursor") == len(entries) - 1

    # Back up to the flight log and open it.
    sim.turn("ccw", len(entries) - 1 - entries.index("FLIGHT LOG"))
    assert " ".join(sim.text_list()[1:]) == "FLIGHT LOG"
    sim.press("knob")
    assert sim.get("screen") not in ("MainMenuScreen", "RunScreen")


def test_a_failed_check_raises_with_the_scripts_message(sim):
    with pytest.raises(SimulatorError, match="^expected hobbsHours 7, found 0$"):
        sim.expect("hobbsHours", 7)
    with pytest.raises(SimulatorError, match="unknown field"):
        sim.get("noSuchField")
    # The session goes on after both.
    assert sim.get("screen") == "RunScreen"
