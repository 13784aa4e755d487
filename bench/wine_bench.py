#!/usr/bin/env python3
"""make bench: measures Brontavel against the limits of its job and writes docs/performance.md.

- the core on the host (Google Benchmark): time and heap allocations per joystick report;
- under Wine, in one run: press-to-key latency, presses at random moments, with the pad read through
  DirectInput's events, through the 100 ms poll, and an Xbox pad through XInput's sampling (in use, and
  after 5 s at rest); read-to-key latency against a bare relay that polls
  the same way (1,000 samples a side, taken in turns), what one read of the pad costs, the repeat
  timing, the idle cost and the wakes at rest (each way of reading, waiting for a pad, a pad that
  reports 250 times a second with nothing changed), and the start-up time against a bare tray program;
- the size and imports of both Windows programs, in every edition.
Numbers are measured and reported, never asserted: the machines are shared and noisy.
"""
import glob
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "sim"))
from desktop import CENTRE, GENERIC_PAD, WINE, XBOX_PAD, Session, windows_path  # noqa: E402

WIN64 = os.path.join(ROOT, "build", "windows-x86_64")
WIN32 = os.path.join(ROOT, "build", "windows-i686")
IDLE_SECONDS = int(os.environ.get("BENCH_IDLE_SECONDS", "60"))
# Report-to-key: presses per block, and blocks per program, taken in turns.
BLOCK = int(os.environ.get("BENCH_BLOCK", "100"))
BLOCKS = int(os.environ.get("BENCH_BLOCKS", "10"))
PRESSES = int(os.environ.get("BENCH_PRESSES", "300"))
# Presses after 5 s at rest each: XInput's sampling has slowed down by then.
RESTED_PRESSES = int(os.environ.get("BENCH_RESTED_PRESSES", "60"))
RESTED_SECONDS = 5.2
# The pad read by the poll alone: Wine's own DirectInput, which finds no pad, instead of the stand-in.
POLL_ONLY = {"WINEDLLOVERRIDES": "mscoree,mshtml=;dinput8=b"}


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


def core_benchmarks():
    out = subprocess.run([os.path.join(ROOT, "build", "bench", "bench", "core_benchmark"), "--benchmark_format=json",
                          "--benchmark_min_time=0.3"], capture_output=True, text=True, check=True).stdout
    rows = []
    for b in json.loads(out)["benchmarks"]:
        rows.append((b["name"], b["cpu_time"], b["time_unit"], b.get("allocations/report", 0.0)))
    return rows


def exe_facts():
    facts = []
    for arch, folder, objdump in (("x86_64", WIN64, "x86_64-w64-mingw32-objdump"),
                                  ("i686", WIN32, "i686-w64-mingw32-objdump"),
                                  ("x86_64 classic", os.path.join(WIN64, "classic"), "x86_64-w64-mingw32-objdump"),
                                  ("i686 classic", os.path.join(WIN32, "classic"), "i686-w64-mingw32-objdump"),
                                  ("x86_64 any player", os.path.join(WIN64, "anyplayer"), "x86_64-w64-mingw32-objdump"),
                                  ("i686 any player", os.path.join(WIN32, "anyplayer"), "i686-w64-mingw32-objdump")):
        exe = os.path.join(folder, "Brontavel.exe")
        dump = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
        imports = sorted({line.split(":", 1)[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line})
        facts.append((arch, os.path.getsize(exe), imports))
    return facts


def copy_into(session, folder, *programs):
    os.makedirs(folder, exist_ok=True)
    for program in programs:
        shutil.copy(program, folder)


def latencies(session, program_class, start):
    """Starts a program and waits until it has finished starting, then presses Left BLOCK times, each
    press paced by the program's own reads, and pairs each read that saw Left with the key it caused."""
    posts_before = len(session.driver_reports())
    keys_before = len(session.player_events())
    process = start()
    session.wait_ready(program_class)
    for _ in range(BLOCK):
        session.move_stick(1000, CENTRE)
        session.move_stick(CENTRE, CENTRE)
    session.wait_for(lambda: len([e for e in session.player_events()[keys_before:] if e[2] == "KEYDOWN"]) >= BLOCK,
                     10, "the last key")
    session.tool("close", program_class)
    process.wait(timeout=30)
    posts = [t for t, x, *_ in session.reads(posts_before) if x < 5000]
    keys = [e[0] for e in session.player_events()[keys_before:] if e[2] == "KEYDOWN" and e[3] == 0x5A]
    result = []
    for posted in posts:
        later = [k for k in keys if k >= posted]
        if later:
            result.append(later[0] - posted)
    return result


def press_to_key(session, env=None, presses=PRESSES, rested=False):
    """Presses Left at random moments, PRESSES times (or after RESTED_SECONDS at rest each): from the moment
    the desktop writes the pad to the player's WM_KEYDOWN. The stand-ins log on Wine's performance counter,
    which counts the raw monotonic clock."""
    process = session.start_brontavel(args=["/atlogon"], env=env)
    result = []
    rng = random.Random(11)
    if rested:
        time.sleep(RESTED_SECONDS)
    for _ in range(presses):
        before = len(session.player_events())
        pressed = time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000
        session.stick(1000, CENTRE)
        key = session.wait_for(lambda: [e[0] for e in session.player_events()[before:] if e[2] == "KEYDOWN"], 10,
                               "the key")[0]
        result.append(key - pressed)
        session.move_stick(CENTRE, CENTRE)
        # The next press comes at a moment of its own.
        time.sleep(RESTED_SECONDS + rng.uniform(0, 0.1) if rested else rng.uniform(0.05, 0.25))
    session.tool("close", "Brontavel")
    process.wait(timeout=30)
    return result


def wakes(pid):
    """How often the process's threads were switched to, in all."""
    total = 0
    for status in glob.glob(f"/proc/{pid}/task/*/status"):
        try:
            with open(status) as f:
                total += sum(int(line.split()[1]) for line in f if "ctxt_switches" in line)
        except OSError:
            pass
    return total


def read_cost(session):
    """Microseconds per joyGetPosEx call, through the stand-in driver and through Wine's own (no pad)."""
    tool = os.path.join(WIN64, "bench", "wine", "bench_read_cost.exe")
    costs = {}
    for driver, overrides in (("stand-in", ";winmm=n,b"), ("Wine's own", "")):
        env = dict(session.env, WINEDLLOVERRIDES=session.env["WINEDLLOVERRIDES"] + overrides)
        out = subprocess.run([WINE, tool, "20000"], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True, timeout=120).stdout.split()
        costs[driver] = float(out[0]) if out else None
    return costs


def repeat_timing(session):
    process = session.start_brontavel()
    first, following = [], []
    for _ in range(3):
        before = len(session.player_events())
        session.stick(1000, CENTRE)
        time.sleep(2.0)
        session.stick(CENTRE, CENTRE)
        time.sleep(0.4)
        times = [e[0] for e in session.player_events()[before:] if e[2] == "KEYDOWN" and e[3] == 0x5A]
        gaps = [b - a for a, b in zip(times, times[1:])]
        if gaps:
            first.append(gaps[0])
            following.extend(gaps[1:])
    session.tool("close", "Brontavel")
    process.wait(timeout=30)
    return first, following


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle_cost(session, start, window_class="Brontavel"):
    """CPU time of a started program over IDLE_SECONDS while nothing happens, and how often it woke."""
    process = start()
    time.sleep(2)
    before, woken = cpu_seconds(process.pid), wakes(process.pid)
    time.sleep(IDLE_SECONDS)
    used, woken = cpu_seconds(process.pid) - before, wakes(process.pid) - woken
    session.tool("close", window_class)
    process.wait(timeout=30)
    return used, woken


def start_up(session):
    timer = os.path.join(WIN64, "bench", "wine", "bench_start_timer.exe")
    folder = os.path.join(session.run_dir, "start")
    copy_into(session, folder, os.path.join(WIN64, "Brontavel.exe"),
              os.path.join(WIN64, "bench", "wine", "bench_bare_tray.exe"))
    results = {"Brontavel": [], "BareTray": []}
    for _ in range(5):
        for name, exe in (("Brontavel", "Brontavel.exe"), ("BareTray", "bench_bare_tray.exe")):
            out = subprocess.run([WINE, timer, windows_path(os.path.join(folder, exe)), name,
                                  windows_path(folder)], env=session.env,
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=120).stdout
            if out.strip():
                results[name].append(float(out.strip()))
    return results


def main():
    print("measuring the core on the host ...")
    core = core_benchmarks()
    facts = exe_facts()
    with Session(WIN64, os.path.join(ROOT, "build", "bench", "wine")) as session:
        session.start_player()
        print(f"measuring press-to-key latency, {PRESSES} presses each way ...")
        presses = {"DirectInput's events": press_to_key(session), "the 100 ms poll": press_to_key(session, POLL_ONLY)}
        session.plug(model=XBOX_PAD)  # an Xbox Series pad, held back from DirectInput as Windows does
        print(f"measuring press-to-key latency through XInput, {PRESSES} presses in use, {RESTED_PRESSES} after 5 s "
              "at rest ...")
        presses["XInput, in use"] = press_to_key(session)
        presses["XInput, after 5 s at rest"] = press_to_key(session, presses=RESTED_PRESSES, rested=True)
        session.plug(model=GENERIC_PAD)
        print(f"measuring report-to-key latency, {BLOCK * BLOCKS} presses per program, in turns of {BLOCK} ...")
        relay_folder = os.path.join(session.run_dir, "relay")
        copy_into(session, relay_folder, os.path.join(WIN64, "bench", "wine", "bench_relay.exe"))
        relay, bront = [], []
        for _ in range(BLOCKS):
            relay += latencies(session, "BrontavelRelay", lambda: session.start_program(
                os.path.join(relay_folder, "bench_relay.exe"), cwd=relay_folder))
            # Started as at logon: no notification is drawn while it is measured.
            bront += latencies(session, "Brontavel", lambda: session.start_brontavel(args=["/atlogon"]))
        print("measuring what one read of the pad costs ...")
        reads = read_cost(session)
        print("measuring the repeat timing ...")
        first, following = repeat_timing(session)
        print(f"measuring the idle cost over {IDLE_SECONDS} s ...")
        idle = idle_cost(session, lambda: session.start_brontavel(args=["/atlogon"]))
        session.plug(model=XBOX_PAD)
        idle_xinput = idle_cost(session, lambda: session.start_brontavel(args=["/atlogon"]))
        session.plug(model=GENERIC_PAD)
        bare_sampler = idle_cost(session, lambda: session.start_program(
            os.path.join(WIN64, "bench", "wine", "bench_bare_tray.exe"), ["sampler"]), "BareTray")
        idle_poll = idle_cost(session, lambda: session.start_brontavel(args=["/atlogon"], env=POLL_ONLY))
        noisy = idle_cost(session, lambda: session.start_brontavel(args=["/atlogon"],
                                                                    env={"BRONTAVEL_STANDIN_NOISE_HZ": "250"}))
        session.unplug()  # started at logon with the pad asleep: it looks for one every few seconds
        waiting = idle_cost(session, lambda: session.start_brontavel(
            args=["/atlogon"], ready=False, folder=os.path.join(session.run_dir, "waiting")))
        session.plug()
        bare_timer = idle_cost(session, lambda: session.start_program(
            os.path.join(WIN64, "bench", "wine", "bench_bare_tray.exe"), ["timer"]), "BareTray")
        bare = idle_cost(session, lambda: session.start_program(
            os.path.join(WIN64, "bench", "wine", "bench_bare_tray.exe")), "BareTray")
        print("measuring start-up against a bare tray program ...")
        startup = start_up(session)

    lines = ["# Performance", "",
             "Measured by `make bench` on " + time.strftime("%Y-%m-%d") + " (" + os.uname().machine + ", " +
             str(os.cpu_count()) + " cores, Wine " + subprocess.run([WINE, "--version"],
                                                                    capture_output=True, text=True).stdout.strip() +
             "). Every figure under Wine comes from the simulated desktop: Wine on a virtual X display, the "
             "stand-in joystick driver, DirectInput and XInput, and the stand-in player, not a real PC with a real "
             "pad. Shared, noisy machines: the numbers are reported, never asserted in tests.", "",
             "## The core, per joystick report (host, g++ release build)", "",
             "Target: under 1 µs and no heap allocation per report.", "",
             "| report | time | heap allocations | target met |", "|---|---|---|---|"]
    for name, cpu, unit, allocations in core:
        ns = cpu if unit == "ns" else cpu * 1000
        lines.append(f"| {name} | {ns:.1f} ns | {allocations:g} | {'yes' if ns < 1000 and allocations == 0 else 'NO'} |")

    def row(label, values):
        if not values:
            return f"| {label} | no samples | | | |"
        return (f"| {label} | {len(values)} | {statistics.median(values):.2f} ms | {percentile(values, 99):.2f} ms | "
                f"{percentile(values, 99.9):.2f} ms |")

    lines += ["", "## Press to key, under Wine", "",
              f"Left pressed {PRESSES} times at random moments (50 to 250 ms apart, after the last key), from the "
              "moment the simulated desktop writes the pad to the stand-in player receiving WM_KEYDOWN: the pad "
              "read through DirectInput's event notification (Windows XP and later, and 98, ME and 2000 with "
              "DirectX 8), and through the 100 ms poll that serves everywhere else. The stand-in DirectInput "
              "signals at once; a real pad adds its own report interval (1 to 8 ms over USB). An Xbox Series pad, "
              "held back from DirectInput as Windows does for a program with no window in front, read through "
              "XInput's sampling: in use (a change in the last 2 s), and after 5 s at rest, "
              f"{RESTED_PRESSES} presses. Targets: at most 10 ms at the 99th percentile with the events and "
              "XInput in use, 20 ms with XInput after a rest.", "",
              "| the pad read by | samples | median | 99th percentile | max |", "|---|---|---|---|---|"]
    for label, values in presses.items():
        lines.append(f"| {label} | {len(values)} | {statistics.median(values):.2f} ms | "
                     f"{percentile(values, 99):.2f} ms | {max(values):.2f} ms |")
    for label, target in (("DirectInput's events", 10), ("XInput, in use", 10), ("XInput, after 5 s at rest", 20)):
        p99 = percentile(presses[label], 99)
        lines += ["", f"{label}: target {'met' if p99 <= target else 'missed'}, {p99:.2f} ms at the 99th percentile."]

    at = lambda values, p: statistics.median(values) if p == 50 else percentile(values, p)
    ratios = [(at(bront, p) / at(relay, p)) if relay and bront else float("nan") for p in (50, 99, 99.9)]
    lines += ["", "## Read to key, under Wine", "",
              "From the program's read of the pad that found the stick in the Left zone (the stand-in driver logs "
              "each read that answers differently) to the stand-in player receiving WM_KEYDOWN. The relay reads "
              "joystick 1 every 100 ms in the same way and presses the key for any move of over 6000 units into "
              "the Left zone, with nothing in between: it is the platform's own cost. The two take turns, "
              f"{BLOCK} presses each, {BLOCKS} turns; each is started and has finished starting before its turn "
              "(Brontavel as at logon, so no notification is drawn meanwhile). Target: Brontavel within 1.25x of "
              "the relay at the median and the 99th percentile.", "",
              "| program | samples | median | 99th percentile | 99.9th percentile |", "|---|---|---|---|---|",
              row("relay (baseline)", relay), row("Brontavel", bront),
              f"| ratio | | {ratios[0]:.2f}x | {ratios[1]:.2f}x | {ratios[2]:.2f}x |", "",
              f"Target {'met' if ratios[0] <= 1.25 and ratios[1] <= 1.25 else 'missed'}."]
    lines += ["", "## One read of the pad, under Wine", "",
              "A joyGetPosEx call for joystick 1 asking for the axes, the buttons and the hat, as the poll makes it "
              "ten times a second, timed over 20,000 calls.", "",
              "| driver | per call |", "|---|---|"]
    for driver, cost in reads.items():
        lines.append(f"| {driver} | {'no answer' if cost is None else f'{cost:.2f} µs'} |")
    lines += ["", "## Repeat timing, under Wine (defaults: 300 ms, then 100 ms)", "",
              "| interval | samples | median | 10th - 90th percentile | max |", "|---|---|---|---|---|"]
    for label, values in (("first (delay)", first), ("following (rate)", following)):
        if values:
            lines.append(f"| {label} | {len(values)} | {statistics.median(values):.1f} ms | "
                         f"{percentile(values, 10):.1f} - {percentile(values, 90):.1f} ms | {max(values):.1f} ms |")
    lines += ["", "## Idle cost, under Wine", "",
              f"CPU time of each process over {IDLE_SECONDS} s (the kernel counts it in 10 ms ticks), and how "
              "often its threads were woken (the kernel's context switches, every thread of the process), while "
              "nothing happens: a pad at rest read through DirectInput's events, the same read by the 100 ms "
              "poll, a pad that reports 250 times a second with nothing changed (some do), and no pad, looked for "
              "at each of the 16 joystick numbers every 5 s. The stand-ins run inside the program's process, so "
              "their work is counted too. Under Wine a timer's expiries are handed out by the wineserver, whose "
              "time is not counted here. Beside them, the bare tray program of the start-up measurement, with "
              "no timer and with a 100 ms window timer that does nothing, and a bare thread that wakes on the "
              "same 16 ms high-resolution waitable timer as XInput's sampling at rest. Targets: no more CPU than "
              "the bare program and no wakes with the events at rest; under 1 % of a core for the noisy pad; "
              "with XInput at rest at most 64 reads of the pad a second (it reads every 16 ms: 62.5) and 0.2 % of a core beside the bare thread on the same timer, whose wakes Wine multiplies.", "",
              "| state | CPU time | share of one core | wakes |", "|---|---|---|---|"]
    for label, (used, woken) in (("a pad at rest, DirectInput's events", idle),
                                 ("an Xbox pad at rest, XInput's sampling", idle_xinput),
                                 ("bare thread on the same 16 ms timer", bare_sampler),
                                 ("a pad at rest, read every 100 ms", idle_poll),
                                 ("a pad reporting 250 times a second, nothing changed", noisy),
                                 ("waiting for a pad (asleep or gone)", waiting),
                                 ("bare tray program, no timer", bare),
                                 ("bare tray program with a 100 ms timer", bare_timer)):
        lines.append(f"| {label} | {used * 1000:.0f} ms | {100 * used / IDLE_SECONDS:.3f} % | {woken} "
                     f"({woken / IDLE_SECONDS:.1f} a second) |")
    lines += ["", "## Start-up, under Wine", "",
              "From process start until the program's window answers a message, which it does once it is in "
              "its message loop with the tray icon added (Brontavel has also taken the pad, read its "
              "settings and looked for the player by then).", "",
              "| program | runs | median | fastest |", "|---|---|---|---|"]
    for name in ("BareTray", "Brontavel"):
        values = startup[name]
        if values:
            lines.append(f"| {'bare tray program' if name == 'BareTray' else 'Brontavel'} | {len(values)} | "
                         f"{statistics.median(values):.1f} ms | {min(values):.1f} ms |")
    lines += ["", "## Size", "", "Target: at most 96 KiB, importing only system DLLs (every one of them on Windows 95 "
              "and NT 4 too).", "",
              "| program | bytes | KiB | imports | target met |", "|---|---|---|---|---|"]
    system = {"kernel32.dll", "user32.dll", "shell32.dll", "advapi32.dll", "comdlg32.dll", "ole32.dll",
              "msvcrt.dll"}
    for arch, size, imports in facts:
        met = size <= 96 * 1024 and set(imports) <= system
        lines.append(f"| Brontavel.exe {arch} | {size} | {size / 1024:.1f} | {', '.join(imports)} | "
                     f"{'yes' if met else 'NO'} |")
    report = "\n".join(lines) + "\n"
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    with open(os.path.join(ROOT, "docs", "performance.md"), "w") as f:
        f.write(report)
    print()
    print(report)


if __name__ == "__main__":
    main()
