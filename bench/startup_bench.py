#!/usr/bin/python3
"""Start-up benchmark: process start to the first page ("blank.html") shown, and the resident
memory of the whole process tree 3 s later, for a bare engine window (bench/peers), Kestrelvue
and Falkon (the same page engine, built on Qt 5 here) on the same local page, in alternating rounds.
The bare window runs twice: as the engine draws by default (OpenGL), and drawn the way Kestrelvue
chooses on this machine (Qt's software renderer where there is no graphics device), which tells
what the browser itself adds from what that choice saves.

The tree's memory is the sum of its processes' resident sets, which counts the engine's shared
libraries once in every process; the sum of their private memory is printed beside it, since it
counts what the tree holds for itself alone whatever engine version each browser links.

Each browser runs on its own X display (Xvfb) with a fresh home folder and, for Kestrelvue, a
fresh program folder. "Shown" is the moment the window's caption carries the page's title, which
each window sets when the page has loaded. A warm-up round, not counted, comes first.
Usage: startup_bench.py BUILD_DIR [ROUNDS]
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TIMEOUT = 60.0
SETTLE = 3.0
MEMORY_GOAL = 1.10
TIME_GOAL = 1.10


def window_names(display):
    return subprocess.run(["xwininfo", "-root", "-tree"], env={**os.environ, "DISPLAY": display},
                          capture_output=True, text=True).stdout


def rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def private_kib(pid):
    total = 0
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                if line.startswith(("Private_Clean:", "Private_Dirty:")):
                    total += int(line.split()[1])
    except OSError:
        pass
    return total


def command_line(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().decode(errors="replace")
    except OSError:
        return ""


def children_by_parent():
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(ppid, []).append(int(entry))
    return children


def tree(root):
    """The process tree under root: its pids, and how many of them are page processes (the
    engine forks each page process from its zygote)."""
    children = children_by_parent()
    pids, pages, todo = [], 0, [root]
    while todo:
        pid = todo.pop()
        pids.append(pid)
        kids = children.get(pid, [])
        if pid != root and "--type=zygote" in command_line(pid):
            pages += sum(1 for kid in kids if "--type=zygote" in command_line(kid))
        todo.extend(kids)
    return pids, pages


def run_once(cmd, cwd, home, display, marker):
    env = {**os.environ, "DISPLAY": display, "HOME": home, "QT_QPA_PLATFORM": "xcb",
           "QTWEBENGINE_DISABLE_SANDBOX": "1",
           "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu --disable-background-networking",
           "XDG_CONFIG_HOME": os.path.join(home, ".config"),
           "XDG_DATA_HOME": os.path.join(home, ".local/share"),
           "XDG_CACHE_HOME": os.path.join(home, ".cache")}
    start = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    shown = None
    try:
        while time.monotonic() - start < TIMEOUT and proc.poll() is None:
            if marker in window_names(display):
                shown = time.monotonic() - start
                break
            time.sleep(0.005)
        if shown is None:
            return None
        time.sleep(SETTLE)
        pids, pages = tree(proc.pid)
        return (shown, rss_kib(proc.pid), sum(rss_kib(p) for p in pids), pages,
                sum(private_kib(p) for p in pids))
    finally:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


class Subject:
    def __init__(self, name, marker, cmd_for):
        self.name, self.marker, self.cmd_for = name, marker, cmd_for
        self.runs = []
        self.failed = False

    def run(self, display, count):
        if self.failed:
            return
        with tempfile.TemporaryDirectory() as tmp:
            home = os.path.join(tmp, "home")
            os.makedirs(home)
            cmd, cwd = self.cmd_for(tmp)
            result = run_once(cmd, cwd, home, display, self.marker)
        if result is None:
            print(f"{self.name}: no window with the page's title within {TIMEOUT:.0f} s")
            self.failed = True
        elif count:
            self.runs.append(result)

    def medians(self):
        return tuple(statistics.median(r[i] for r in self.runs) for i in range(5))

    def report(self):
        shown, own, total, pages, private = self.medians()
        times = ", ".join(f"{r[0] * 1000:.0f}" for r in self.runs)
        print(f"{self.name}: first page shown {shown * 1000:.0f} ms (median of {len(self.runs)}: {times}); "
              f"resident memory {SETTLE:.0f} s later {total / 1024:.1f} MiB for the process tree, "
              f"{own / 1024:.1f} MiB for the browser process, {private / 1024:.1f} MiB private to the tree; "
              f"page processes {pages:.0f}")


def ratio_line(mine, peer):
    m, p = mine.medians(), peer.medians()
    return (f"ratio Kestrelvue/{peer.name}: time {m[0] / p[0]:.2f}, memory {m[2] / p[2]:.2f} (process tree), "
            f"{m[1] / p[1]:.2f} (browser process), {m[4] / p[4]:.2f} (private to the tree)")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    program = os.path.join(build, "bin")
    page = "file://" + os.path.join(program, "blank.html")
    bare_window = os.path.join(build, "bench", "peers", "bare_engine_window")

    def ours(tmp):
        folder = os.path.join(tmp, "bin")
        shutil.copytree(program, folder, ignore=shutil.ignore_patterns(
            "History.dat", "Url.dat", "AutoComplete2.dat", "Profile"))
        return [os.path.join(folder, "kestrelvue")], folder

    bare_marker = '"Kestrelvue": ("bare_engine_window"'
    subjects = [Subject("bare engine window", bare_marker, lambda tmp: ([bare_window, page], tmp)),
                Subject("Kestrelvue", 'Kestrelvue - Kestrelvue"', ours),
                Subject("bare engine window drawn as Kestrelvue", bare_marker,
                        lambda tmp: ([bare_window, page, "--as-kestrelvue"], tmp))]
    if shutil.which("falkon"):
        subjects.append(Subject("Falkon", '"Kestrelvue - Falkon',
                                lambda tmp: (["falkon", "--no-extensions", "--private-browsing", page], tmp)))
    else:
        print("Falkon: not installed (apt-get install falkon)")

    display = ":97"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    try:
        print("machine load (1, 5, 15 min) at the start: %.2f %.2f %.2f" % os.getloadavg())
        nodes = [os.path.join("/dev/dri", n) for n in
                 (os.listdir("/dev/dri") if os.path.isdir("/dev/dri") else [])]
        gpu = any(not os.path.isdir(n) and os.access(n, os.R_OK | os.W_OK) for n in nodes) \
            or os.path.exists("/dev/nvidiactl")
        print("graphics device: " + ("yes, Kestrelvue draws through OpenGL" if gpu else
                                     "none, Kestrelvue draws with Qt's software renderer"))
        for round_index in range(rounds + 1):
            # Each round starts with another subject, so that none always follows the same one.
            shift = round_index % len(subjects)
            for subject in subjects[shift:] + subjects[:shift]:
                subject.run(display, count=round_index > 0)
        print("machine load (1, 5, 15 min) at the end: %.2f %.2f %.2f" % os.getloadavg())
    finally:
        xvfb.terminate()
        xvfb.wait()

    if any(s.failed for s in subjects):
        return 1
    for subject in subjects:
        subject.report()
    bare, mine, bare_alike = subjects[0], subjects[1], subjects[2]
    print(ratio_line(mine, bare))
    print(ratio_line(mine, bare_alike))
    m, b = mine.medians(), bare.medians()
    print(f"goal: first page within {TIME_GOAL:.2f} x the bare window: "
          f"{'met' if m[0] <= TIME_GOAL * b[0] else 'missed'}")
    print(f"goal: process tree memory within {MEMORY_GOAL:.2f} x the bare window: "
          f"{'met' if m[2] <= MEMORY_GOAL * b[2] else 'missed'}")
    if len(subjects) > 3:
        falkon = subjects[3]
        print(ratio_line(mine, falkon))
        print(f"goal: process tree memory below Falkon's: "
              f"{'met' if m[2] < falkon.medians()[2] else 'missed'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
