"""Drives the QPX-2 simulator's headless instrument from Python.

Starts ``qpx-run --serve`` and speaks its line protocol (docs/harness.md):
each method sends one line of the scenario language or one query and reads
the one line of JSON that answers it. A refused line or a failed check
raises SimulatorError with the program's message.

    with Simulator(path="qpx-run") as sim:
        sim.on()
        sim.wait("3s")
        sim.pressure(1500)
        print(sim.get("pressureMillibar"))
        print(sim.frame_text())

Standard library only; Python 3.9 or later.
"""

import base64
import json
import subprocess
from typing import Any, Dict, List, Optional, Sequence, Union

__all__ = ["Simulator", "SimulatorError"]

Duration = Union[str, int, float]


class SimulatorError(Exception):
    """A line the simulator refused or a check that failed; str() is its message."""


def duration_text(duration: Duration) -> str:
    """A duration as the scenario language writes it: "3s" stays, 1.5 (seconds) is "1500ms"."""
    if isinstance(duration, str):
        return duration
    ms = round(duration * 1000)
    return f"{ms // 1000}s" if ms % 1000 == 0 and ms else f"{ms}ms"


def on_off(value: bool) -> str:
    return "on" if value else "off"


class Simulator:
    """One session of the headless instrument: a fresh window, the clock at 0.

    path is the qpx-run program; state a state file to start from; out the
    folder for the pictures of failed expect-frame checks; cwd the working
    folder the session's relative paths are taken from. Use it in a with
    block, or call close() at the end.
    """

    def __init__(self, path: str = "qpx-run", state: Optional[str] = None,
                 out: Optional[str] = None, cwd: Optional[str] = None,
                 program: Sequence[str] = ()):
        # program: words before the options, such as ["node", "qpx-run.js"].
        args = list(program) or [path]
        args.append("--serve")
        if state is not None:
            args += ["--state", state]
        if out is not None:
            args += ["--out", out]
        self._process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         cwd=cwd, text=True, encoding="utf-8", bufsize=1)

    def __enter__(self) -> "Simulator":
        return self

    def __exit__(self, *exc: Any) -> None:
        self.close()

    def close(self) -> int:
        """Ends the session (quit) and returns the program's exit code."""
        if self._process.poll() is None:
            try:
                self._process.stdin.write("quit\n")
                self._process.stdin.close()
            except (BrokenPipeError, ValueError):
                pass
        code = self._process.wait()
        self._process.stdout.close()
        return code

    # The protocol.
    def send(self, line: str) -> Dict[str, Any]:
        """Sends one line as it is and returns its whole answer; a refusal raises SimulatorError."""
        if "\n" in line or "\r" in line:
            raise SimulatorError("one line at a time: the line holds a line end")
        self._process.stdin.write(line + "\n")
        self._process.stdin.flush()
        answer = self._process.stdout.readline()
        if not answer:
            raise SimulatorError(f"the simulator ended (exit code {self._process.wait()})")
        reply = json.loads(answer)
        if not reply.get("ok"):
            raise SimulatorError(reply.get("error", "refused"))
        return reply

    command = send

    # Buttons, the knob and the switches.
    def on(self) -> None:
        self.send("on")

    def off(self) -> None:
        self.send("off")

    def press(self, key: str) -> None:
        """key: "f1", "f2" or "knob"."""
        self.send(f"press {key}")

    def turn(self, direction: str, steps: int = 1) -> None:
        """direction: "cw" or "ccw"."""
        self.send(f"turn {direction} {steps}")

    def click(self, control: str, count: int = 1) -> None:
        """A button by its script name ("on", "press f1", "turn cw"), count times."""
        for _ in range(count):
            self.send(control)

    def tick(self, box: str, ticked: bool = True) -> None:
        """A check box by its script name ("calibrate", "keyfast")."""
        self.send(f"{box} {on_off(ticked)}")

    def calibrate(self, ticked: bool = True) -> None:
        self.tick("calibrate", ticked)

    def keyfast(self, ticked: bool = True) -> None:
        self.tick("keyfast", ticked)

    # The sliders.
    def slide(self, slider: str, position: int, start: Optional[int] = None,
              duration: Optional[Duration] = None) -> None:
        """Moves "pressure" or "rpm" to position at once, or ramps it from start over duration."""
        if duration is None:
            self.send(f"{slider} {position}")
        else:
            self.send(f"ramp {slider} {position if start is None else start} {position} "
                      f"{duration_text(duration)}")

    def pressure(self, position: int) -> None:
        self.slide("pressure", position)

    def rpm(self, position: int) -> None:
        self.slide("rpm", position)

    def ramp(self, slider: str, start: int, end: int, duration: Duration) -> None:
        self.slide(slider, end, start, duration)

    # Time.
    def wait(self, duration: Duration) -> None:
        """Advances the virtual clock: "250ms", "3s", "90m", or seconds as a number."""
        self.send(f"wait {duration_text(duration)}")

    # Files and feeds.
    def load_state(self, path: str) -> None:
        self.send(f"load-state {path}")

    def save_state(self, path: str) -> None:
        self.send(f"save-state {path}")

    def save(self, path: str, scale: Optional[int] = None) -> None:
        """Writes the display as PNG, as the window does."""
        self.send(f"save {path}" + (f" --scale {scale}" if scale else ""))

    def feed(self, path: str, engine: Optional[int] = None, columns: Optional[str] = None,
             start: Optional[str] = None) -> None:
        """Replays a recorded engine run (CSV) into the sliders from now on."""
        line = f"feed {path}"
        if engine is not None:
            line += f" engine {engine}"
        if columns is not None:
            line += f' columns "{columns}"' if " " in columns else f" columns {columns}"
        if start is not None:
            line += f" from {start}"
        self.send(line)

    # Commands whose words the scenario language defines (docs/scenarios.md).
    def fault(self, *words: Any) -> None:
        self.send(" ".join(["fault", *map(str, words)]))

    def seed(self, number: int) -> None:
        self.send(f"seed {number}")

    def engine(self, *words: Any) -> None:
        self.send(" ".join(["engine", *map(str, words)]))

    # Checks: a failed one raises SimulatorError("expected ..., found ...").
    def expect(self, field: str, value: Union[int, str]) -> None:
        self.send(f"expect {field} {value}")

    def expect_screen(self, name: str) -> None:
        self.send(f"expect screen {name}")

    def expect_lamp(self, colour: str) -> None:
        """colour: "red" or "darkred"."""
        self.send(f"expect lamp {colour}")

    def expect_text(self, text: str, exact: bool = False) -> None:
        self.send(f'expect-text "{text}"' if exact else f"expect-text {text}")

    def expect_frame(self, path: str) -> None:
        self.send(f"expect-frame {path}")

    # Queries.
    def get(self, field: str) -> Union[int, str, List[int]]:
        """A field of the state record ("pressureMillibar", "settings.pressureUnit", "screen")."""
        return self.send(f"get {field}")["value"]

    def state(self) -> Dict[str, Any]:
        return self.send("state")["state"]

    def texts(self) -> List[Dict[str, Any]]:
        """The texts drawn into the frame: [{"x": 0, "y": 0, "text": "MAIN MENU"}, ...]."""
        return self.send("texts")["texts"]

    def text_list(self) -> List[str]:
        return [t["text"] for t in self.texts()]

    def frame(self) -> Dict[str, Any]:
        """{"rows": 64 strings of "#" and ".", "base64": the 1024 frame bytes}."""
        return self.send("frame")

    def frame_text(self) -> str:
        return "\n".join(self.frame()["rows"])

    def frame_bytes(self) -> bytes:
        return base64.b64decode(self.frame()["base64"])
