#!/usr/bin/env python3
"""Press to sound: the time from a slot's function key to the first sound at the sound server.

The real program runs under Wine with a category of two slots, F1 a WAV and F2 an MP3 (both a
tone that starts at once), and its F-keys taken system-wide, so `xdotool key` reaches it
without focus. The null sink's monitor is recorded in 2 ms chunks; each chunk is stamped on
arrival, on the same clock as the press, and the first chunk above the threshold after a press
is its sound. Keys go out through XTest (xdotool without it). Every start of the program measures its first press, then later presses;
programs given with --program are started in turn, so their figures come from one run.

  . scripts/env.sh && kv_xvfb_start && kv_pulse_start && kv_prefix_prepare
  python3 tools/latency/press_to_sound.py --program engine=build/win/Kavinta.exe \
      --program mci=/tmp/Kavinta-mci.exe --starts 4 --presses 8
  kv_session_stop

Needs: wine, parec (PulseAudio with the null sink "nul"), xdotool, sox and lame.
"""
import argparse
import array
import ctypes
import ctypes.util
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

RATE = 48000
CHUNK_BYTES = 2 * RATE * 2 // 1000  # 2 ms of s16 mono
THRESHOLD = 1000                    # of 32767: well above the silence of a null sink


class Recorder:
    """parec on the null sink's monitor; keeps (arrival time, peak) of every chunk."""

    def __init__(self):
        self.chunks = []
        self.lock = threading.Lock()
        self.proc = subprocess.Popen(
            ["parec", "-d", "nul.monitor", "--raw", "--format=s16le", "--rate=%d" % RATE, "--channels=1",
             "--latency-msec=2", "--process-time-msec=1"], stdout=subprocess.PIPE, bufsize=0)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        pending = b""
        while True:
            data = self.proc.stdout.read(CHUNK_BYTES)
            if not data:
                return
            now = time.monotonic()
            pending += data
            while len(pending) >= CHUNK_BYTES:
                chunk, pending = pending[:CHUNK_BYTES], pending[CHUNK_BYTES:]
                samples = array.array("h", chunk)
                peak = max(max(samples), -min(samples))
                with self.lock:
                    self.chunks.append((now, peak))

    def onset_after(self, t0, timeout):
        """Arrival time of the first loud chunk after t0, or None."""
        end = t0 + timeout
        while time.monotonic() < end:
            with self.lock:
                hits = [t for t, peak in self.chunks[-2000:] if t >= t0 and peak > THRESHOLD]
            if hits:
                return hits[0]
            time.sleep(0.01)
        return None

    def quiet_since(self, seconds):
        now = time.monotonic()
        with self.lock:
            return all(peak <= THRESHOLD for t, peak in self.chunks if t >= now - seconds)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def windows_path(unix):
    prefix = os.environ["WINEPREFIX"]
    rel = os.path.relpath(unix, os.path.join(prefix, "drive_c"))
    return "C:\\" + rel.replace("/", "\\")


def data_folder():
    out = subprocess.run(["wine", "cmd.exe", "/c", "echo", "%APPDATA%"], capture_output=True, text=True).stdout
    appdata = out.strip().splitlines()[-1].strip()
    rel = appdata[3:].replace("\\", "/")
    return os.path.join(os.environ["WINEPREFIX"], "drive_c", rel, "Kavinta")


def make_media(folder):
    wav = os.path.join(folder, "bench.wav")
    mp3 = os.path.join(folder, "bench.mp3")
    subprocess.run(["sox", "-q", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "0.6", "sine", "440",
                    "vol", "0.5"], check=True)
    subprocess.run(["lame", "--quiet", "-b", "128", wav, mp3], check=True)
    return wav, mp3


def write_ini(folder, wav, mp3):
    lines = ["[Bench]", "Text1=WAV", "Jingle1=" + windows_path(wav), "Text2=MP3", "Jingle2=" + windows_path(mp3),
             "zentrixfadeoutin=0", "winampfadeoutin=0", "mixerfadeoutin=0", "[KONFIG]", "globaletasten=1"]
    with open(os.path.join(folder, "KV.ini"), "wb") as f:
        f.write(b"\xff\xfe" + "".join(l + "\r\n" for l in lines).encode("utf-16-le"))


def wait_window(timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        r = subprocess.run(["xdotool", "search", "--name", "^Kavinta"], capture_output=True, text=True)
        if r.stdout.strip():
            return r.stdout.split()[0]
        time.sleep(0.1)
    return None


class Keyboard:
    """Key presses through the XTest extension, sent at once (xdotool needs a process start
    first, which would count as delay); xdotool when the libraries are missing."""

    def __init__(self):
        self.x11 = self.xtst = self.display = None
        try:
            self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
            self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
            self.x11.XOpenDisplay.restype = ctypes.c_void_p
            self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
            self.x11.XStringToKeysym.restype = ctypes.c_ulong
            self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
            self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
            self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
            self.display = self.x11.XOpenDisplay(None)
        except OSError:
            self.display = None

    def press(self, key):
        """Sends the key down and up; the time the key went out."""
        if not self.display:
            t0 = time.monotonic()
            subprocess.run(["xdotool", "key", key], check=True)
            return t0
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(key.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.x11.XSync(self.display, 0)
        t0 = time.monotonic()
        time.sleep(0.012)  # held as briefly as xdotool holds a key
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XSync(self.display, 0)
        return t0


KEYBOARD = None


def press(recorder, key):
    """Presses the key and waits for the sound; the delay in ms, or None."""
    t0 = KEYBOARD.press(key)
    onset = recorder.onset_after(t0, 3.0)
    # Let the jingle end on its own, so that the next press starts one.
    end = time.monotonic() + 5
    while time.monotonic() < end and not recorder.quiet_since(0.4):
        time.sleep(0.05)
    time.sleep(0.3)
    return None if onset is None else (onset - t0) * 1000


def one_start(exe, recorder, first_key, presses, settle):
    proc = subprocess.Popen(["wine", exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = wait_window()
    if window is None:
        proc.kill()
        raise RuntimeError("no window of " + exe)
    time.sleep(settle)  # the category is shown within the start timer's wait
    results = [("first", first_key, press(recorder, first_key))]
    for i in range(presses):
        key = "F1" if i % 2 == 0 else "F2"
        results.append(("later", key, press(recorder, key)))
    subprocess.run(["xdotool", "windowclose", window], capture_output=True)
    try:
        proc.wait(timeout=15)
    except subprocess.TimeoutExpired:
        proc.kill()
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", action="append", required=True, help="name=path of a Kavinta.exe")
    parser.add_argument("--starts", type=int, default=4, help="starts of each program")
    parser.add_argument("--presses", type=int, default=8, help="later presses per start")
    parser.add_argument("--settle", type=float, default=2.0, help="seconds from the window to the first press")
    args = parser.parse_args()
    programs = [p.split("=", 1) for p in args.program]

    folder = data_folder()
    os.makedirs(folder, exist_ok=True)
    ini = os.path.join(folder, "KV.ini")
    saved = ini + ".press_to_sound"
    if os.path.exists(ini):
        shutil.copy2(ini, saved)
    media = tempfile.mkdtemp(prefix="kv_press_", dir=os.path.join(os.environ["WINEPREFIX"], "drive_c"))
    wav, mp3 = make_media(media)
    global KEYBOARD
    KEYBOARD = Keyboard()
    recorder = Recorder()
    figures = {name: {} for name, _ in programs}
    try:
        for start in range(args.starts):
            for name, exe in programs:
                write_ini(folder, wav, mp3)
                first_key = "F1" if start % 2 == 0 else "F2"
                for kind, key, ms in one_start(exe, recorder, first_key, args.presses, args.settle):
                    label = (kind, "WAV" if key == "F1" else "MP3")
                    figures[name].setdefault(label, []).append(ms)
                    print("%s start %d %s %s: %s" % (name, start + 1, kind, label[1],
                                                     "no sound" if ms is None else "%.1f ms" % ms), flush=True)
    finally:
        recorder.stop()
        shutil.rmtree(media, ignore_errors=True)
        if os.path.exists(saved):
            shutil.move(saved, ini)
    print()
    print("%-8s %-6s %-4s %4s %8s %8s %8s" % ("program", "press", "file", "n", "median", "min", "max"))
    for name, _ in programs:
        for (kind, fmt), values in sorted(figures[name].items()):
            ok = [v for v in values if v is not None]
            missing = len(values) - len(ok)
            if not ok:
                print("%-8s %-6s %-4s %4d %8s" % (name, kind, fmt, 0, "no sound"))
                continue
            print("%-8s %-6s %-4s %4d %8.1f %8.1f %8.1f%s" % (name, kind, fmt, len(ok), statistics.median(ok), min(ok),
                                                            max(ok), "  (%d silent)" % missing if missing else ""))


if __name__ == "__main__":
    sys.exit(main())
