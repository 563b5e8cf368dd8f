#!/usr/bin/python3
"""Start-up benchmark: process start to the first page ("blank.html") shown, and the resident
memory then, for Kestrelvue and for Falkon (same engine) on the same local page, side by side.

Each browser runs on its own X display (Xvfb) with a fresh home folder. "Shown" is the moment
the window's caption carries the page's title, which the window sets when the page has loaded.
Usage: startup_bench.py BUILD_DIR [RUNS]
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


def window_names(display):
    out = subprocess.run(["xwininfo", "-root", "-tree"], env={**os.environ, "DISPLAY": display},
                         capture_output=True, text=True).stdout
    return out


def rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def tree_pids(root):
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
    pids, todo = [], [root]
    while todo:
        pid = todo.pop()
        pids.append(pid)
        todo.extend(children.get(pid, []))
    return pids


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
    while time.monotonic() - start < TIMEOUT and proc.poll() is None:
        if marker in window_names(display):
            shown = time.monotonic() - start
            break
        time.sleep(0.005)
    own = rss_kib(proc.pid)
    total = sum(rss_kib(p) for p in tree_pids(proc.pid))
    os.killpg(proc.pid, signal.SIGKILL)
    proc.wait()
    return shown, own, total


def measure(name, cmd_for, display, runs, marker):
    times, owns, totals = [], [], []
    for _ in range(runs):
        with tempfile.TemporaryDirectory() as tmp:
            cmd, cwd = cmd_for(tmp)
            shown, own, total = run_once(cmd, cwd, os.path.join(tmp, "home"), display, marker)
            if shown is None:
                print(f"{name}: no window with the page's title within {TIMEOUT:.0f} s")
                return None
            times.append(shown)
            owns.append(own)
            totals.append(total)
    result = (statistics.median(times), statistics.median(owns), statistics.median(totals))
    print(f"{name}: first page shown {result[0] * 1000:.0f} ms (median of {runs}), "
          f"resident memory {result[1] / 1024:.1f} MiB (browser process), "
          f"{result[2] / 1024:.1f} MiB (with its engine processes)")
    return result


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    program = os.path.join(build, "bin")
    display = ":97"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    try:
        def ours(tmp):
            folder = os.path.join(tmp, "bin")
            shutil.copytree(program, folder)
            for data in ("History.dat", "Url.dat", "AutoComplete2.dat", "Profile"):
                path = os.path.join(folder, data)
                if os.path.isdir(path):
                    shutil.rmtree(path)
                elif os.path.exists(path):
                    os.remove(path)
            return [os.path.join(folder, "kestrelvue")], folder

        def falkon(tmp):
            page = "file://" + os.path.join(program, "blank.html")
            return ["falkon", "--no-extensions", "--private-browsing", page], tmp

        mine = measure("Kestrelvue", ours, display, runs, "Kestrelvue - Kestrelvue")
        if shutil.which("falkon") is None:
            print("Falkon: not installed (apt-get install falkon)")
            return
        peer = measure("Falkon", falkon, display, runs, "Kestrelvue")
        if mine and peer:
            print(f"ratio Kestrelvue/Falkon: time {mine[0] / peer[0]:.2f}, "
                  f"memory {mine[1] / peer[1]:.2f} (browser process), {mine[2] / peer[2]:.2f} (with engine)")
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
