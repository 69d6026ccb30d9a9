#!/usr/bin/env python3
"""Plays the whole showreel in the real program on an X server and checks it.

Starts `WaylarkApp --showreel --name Alex` with private data and runtime
folders, reads its log as it comes and checks that every script line is
logged within half a second of its time in the clip table and reaches the
pipe at once; takes screenshots of the screen at five moments of the reel;
checks that the program stays up in the state the script left, that Ctrl+C
ends it with status 0, and that the user's settings and checklist files were
neither read into nor written by the reel.

Usage: showreel-real-run.py <WaylarkApp> <screenshot folder>
"""

import os
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time

# The script's own lines, with the elapsed time at which each begins.
SCRIPT = [
    (0.0, "CLIP 1  greeting: the island appears over a sleeping mascot (scene 2)"),
    (6.5, "CLIP 1  the island rests as Out"),
    (9.5, "CLIP 2  status: Out with a 9 s countdown, then Session starts (scene 3)"),
    (31.5, 'CLIP 3  custom session: Session, then the pink "Kill zone" starts at +12 s and tints the mascot (scene 3)'),
    (56.5, "CLIP 4  news High: CPI countdown, then the red blackout, then ended (scene 4)"),
    (106.5, "CLIP 5  news Medium: PPI countdown, then the orange blackout, then ended (scene 4)"),
    (156.5, "CLIP 6  L2 tour, 09:41 on a day with a spread-out schedule (scene 5)"),
    (158.5, "CLIP 6a  L2 opens on Timeline"),
    (162.0, "CLIP 6a  Timeline zooms out (\u00b1 30 min \u2192 \u00b1 1 h)"),
    (165.5, "CLIP 6a  click on the macro"),
    (169.8, "CLIP 6a  click on the news marker"),
    (174.1, "CLIP 6b  two-finger swipe to Weekly (already on CAD with High + Medium)"),
    (177.9, "CLIP 6b  the currency menu opens"),
    (181.7, "CLIP 6b  the impact menu opens"),
    (185.9, "CLIP 6c  swipe to Checklist"),
    (188.5, "CLIP 6c  the item with options opens; the list scrolls to show them"),
    (193.1, "CLIP 7  the last items are scrolled into view and ticked; checklist complete, "
            "the mascot celebrates (6 s) (scene 6)"),
    (204.1, "CLIP 8  Lot size calculator: 5 contracts at 0.5% risk, then 1% risk makes it 10 (scene 7)"),
    (211.4, "CLIP 8  L2 closes"),
    (213.9, "CLIP 9  extra take of the greeting"),
    (220.4, "DONE  press Ctrl+C in the terminal to quit"),
]

# Screenshots of the whole screen at these elapsed times.
SHOTS = [
    (2.5, "showreel-greeting.png"),
    (47.0, "showreel-custom.png"),
    (80.0, "showreel-blackout.png"),
    (167.5, "showreel-timeline.png"),
    (197.5, "showreel-celebration.png"),
]

LINE = re.compile(r"^\[t=([ 0-9.]{6})s\] (.*)$")
USER_FILES = {
    os.path.join("Settings", "settings.json"): b'{"greeting": {"isEnabled": true, "leading": "Hi", "name": "User"}}\n',
    os.path.join("Checklists", "checklists.json"): b'{"templates": []}\n',
}

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def main():
    app, shots = sys.argv[1], sys.argv[2]
    os.makedirs(shots, exist_ok=True)
    home = tempfile.mkdtemp(prefix="showreel-")
    data = os.path.join(home, "data", "OrlTradingWaylark")
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700)
    for path, content in USER_FILES.items():
        os.makedirs(os.path.dirname(os.path.join(data, path)), exist_ok=True)
        with open(os.path.join(data, path), "wb") as f:
            f.write(content)
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=runtime,
               XDG_CONFIG_HOME=os.path.join(home, "config"), QT_QPA_PLATFORM="xcb")

    started = time.monotonic()
    process = subprocess.Popen([app, "--showreel", "--name", "Alex"], env=env, stdout=subprocess.PIPE)
    lines = []  # (arrival, elapsed, message)
    t0 = []

    def read():
        for raw in process.stdout:
            arrival = time.monotonic()
            text = raw.decode("utf-8", "replace").rstrip("\n")
            print(text, flush=True)
            match = LINE.match(text)
            if not match:
                lines.append((arrival, None, text))
                continue
            elapsed = float(match.group(1))
            if not t0:
                t0.append(arrival - elapsed)
            lines.append((arrival, elapsed, match.group(2)))

    reader = threading.Thread(target=read, daemon=True)
    reader.start()

    def wait_for(condition, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not condition():
            time.sleep(0.05)
        return condition()

    check(wait_for(lambda: t0, 60), "the reel starts within a minute")
    if not t0:
        process.kill()
        return 1
    check(True, "the reel started %.1f s after launch" % (t0[0] - started))
    for at, name in SHOTS:
        delay = t0[0] + at - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        subprocess.run(["import", "-window", "root", os.path.join(shots, name)], check=False)
    done = SCRIPT[-1][1]
    check(wait_for(lambda: any(m == done for _, _, m in lines), 60), "the closing line comes")
    count = len(lines)
    time.sleep(3)
    check(len(lines) == count, "nothing is logged after the closing line")
    check(process.poll() is None, "the program stays up after the closing line")
    finished = time.monotonic()

    script = [(e, m) for _, e, m in lines if e is not None and not m.startswith("state   ")]
    check([m for _, m in script] == [m for _, m in SCRIPT], "the script's lines come in the table's order")
    for (logged, message), (expected, _) in zip(script, SCRIPT):
        check(abs(logged - expected) <= 0.5, "%.1f s for %.1f s: %s" % (logged, expected, message[:40]))
    late = max(arrival - (t0[0] + e) for arrival, e, _ in lines if e is not None)
    check(late < 0.5, "every line reaches the pipe at once (the latest %.2f s after its time)" % late)
    states = [m for _, e, m in lines if e is not None and m.startswith("state   ")]
    for wanted in ["Out \u00b7 greeting", "custom \"Kill zone\" [pink]", "Restricted High", "Restricted Medium",
                   "L2: timeline", "L2: weekly", "checklist celebration", "L2: calculator"]:
        check(any(wanted in s for s in states), "a state line shows " + wanted)

    process.send_signal(signal.SIGINT)
    try:
        status = process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
        status = None
    check(status == 0, "Ctrl+C ends the program with status 0 (got %s)" % status)
    reader.join(timeout=5)

    for path, content in USER_FILES.items():
        with open(os.path.join(data, path), "rb") as f:
            check(f.read() == content, path + " is untouched")
        folder = os.listdir(os.path.dirname(os.path.join(data, path)))
        check(folder == [os.path.basename(path)], "nothing else is written beside " + path)
    print("the real run took %.0f s, %.0f s of them for the reel" % (time.monotonic() - started, finished - t0[0]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
