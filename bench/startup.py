#!/usr/bin/env python3
"""Times the start of palmora on a virtual display (Xvfb): from the start of
the process to the splash's first paint, to the splash hiding and to the
main window's first paint,
best and median of RUNS starts, on a first start (no first-start marker) and
on a later one. The program prints those moments itself when PALMORA_STARTUP_TIMES is
set; nothing else changes.

    python3 bench/startup.py [BUILD_DIR] [RUNS]
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise SystemExit("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def one_start(program, display):
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", PALMORA_STARTUP_TIMES="1")
    began = time.time_ns()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    moments = {}
    deadline = time.monotonic() + 30
    try:
        while "main" not in moments and time.monotonic() < deadline:
            line = process.stderr.readline()
            if not line:
                break
            parts = line.decode(errors="replace").split()
            if len(parts) == 3 and parts[0] == "palmora-startup":
                moments[parts[1]] = (int(parts[2]) - began) / 1e6
    finally:
        process.send_signal(signal.SIGKILL)
        process.wait()
    if not {"splash", "splash-hidden", "main"} <= moments.keys():
        raise SystemExit("palmora did not report its windows: %s" % moments)
    return moments["splash"], moments["splash-hidden"], moments["main"]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    bin_dir = os.path.join(build, "bin")
    if not os.access(os.path.join(bin_dir, "palmora"), os.X_OK):
        raise SystemExit("build palmora first: " + bin_dir)
    for tool in ("Xvfb",):
        if not shutil.which(tool):
            raise SystemExit("needs %s (apt-get install xvfb)" % tool)

    with tempfile.TemporaryDirectory(prefix="palmora-startup-") as folder:
        # A program folder of its own: its first-start marker is ours to delete, and no news.ini.
        shutil.copy2(os.path.join(bin_dir, "palmora"), folder)
        for name in ("Data", "Anketa", "инструкция.rtf"):
            if os.path.exists(os.path.join(bin_dir, name)):
                os.symlink(os.path.join(bin_dir, name), os.path.join(folder, name))
        program = os.path.join(folder, "palmora")
        # The program names its marker in its help.
        marker_name = subprocess.run(["bash", os.path.join(root, "scripts", "first-start-marker.sh"), program],
                                     check=True, capture_output=True, text=True).stdout.strip()
        marker = os.path.join(folder, marker_name)
        server, display = start_xvfb()
        try:
            one_start(program, display)  # warms the caches
            print("palmora start-up on Xvfb, %d starts each, %d cores, ms after the process starts" %
                  (runs, os.cpu_count()))
            print("%-26s %16s %16s %16s %16s" %
                  ("", "splash on screen", "splash hides", "main window", "main - splash end"))
            for first in (True, False):
                splash, hidden, shown = [], [], []
                for _ in range(runs):
                    if first and os.path.exists(marker):
                        os.remove(marker)
                    if not first and not os.path.exists(marker):
                        with open(marker, "wb") as f:
                            f.write(b"done\r\n")
                    s, h, m = one_start(program, display)
                    splash.append(s)
                    hidden.append(h)
                    shown.append(m)
                gap = [m - h for h, m in zip(hidden, shown)]

                def fmt(values):
                    return "%6.0f / %6.0f" % (min(values), statistics.median(values))
                label = ("first start (no %s)" if first else "later start (%s)") % marker_name
                print("%-26s %16s %16s %16s %16s" % (label, fmt(splash), fmt(hidden), fmt(shown), fmt(gap)))
            print("(each cell: best / median)")
        finally:
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()
