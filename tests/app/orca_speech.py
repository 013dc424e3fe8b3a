#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the desktop's screen reader (Orca) says while keys reach the game from
outside, as a blind player hears it.

    orca_speech.py GAME            the check: leafing, a take, a refused take,
                                   Ctrl+S, a menu command chosen from the
                                   keyboard and Ctrl+F4; exit 77 (skipped),
                                   saying why, where Orca cannot run
    orca_speech.py GAME --say KEY...   prints what Orca said after each key

The game runs in Japanese (the words checked are its own), Orca in English
(its role names), under a private Xvfb, a private D-Bus session with the
accessibility bus, and Orca with its debug log. Orca gets no speech server:
it still logs every utterance, and no synthesizer can hang it. Keys are sent
with xdotool, so they take the real path through the X server. Each step
waits until what it expects has been said (or a few seconds), so a loaded
machine is slower, not wrong.
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77

# Stage 1 ("片根矢") starts with a ball on row 1, column 2; the next in ball
# order (row 2, column 1) is in no straight line from it.
CHECK = [
    # (keys, words that must be said after them, once each)
    ("Right", ["1　片根矢"]),
    ("ctrl+s", ["サウンドなし"]),
    ("ctrl+s", ["サウンドあり"]),
    ("Return", ["ボール 1行 2列"]),
    ("space", ["ボール 1行 2列 1番目に取得"]),
    ("Tab", ["ボール 2行 1列"]),
    ("space", ["このボールは選択できません"]),
    # Ctrl+F4 closes the play window: the keys are back on the stage bar.
    ("ctrl+F4", ["片根矢"]),
    ("Right", ["2　"]),
    # The sound switch chosen from the menus by keyboard; the keys come back
    # to the bar, where Left leafs again.
    ("F10", ["ｽﾀｰﾄ"]),
    ("Right", ["壁紙の設定"]),
    ("Down", ["ｻｳﾝﾄﾞの有無 check box checked", "Ctrl+S"]),
    ("Return", ["サウンドなし"]),
    ("Left", ["1　片根矢"]),
]


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIPPED)


def missing_tools():
    needed = {"orca": "orca", "Xvfb": "xvfb", "xdotool": "xdotool", "dbus-run-session": "dbus"}
    missing = [pkg for tool, pkg in needed.items() if not shutil.which(tool)]
    if not pathlib.Path("/usr/libexec/at-spi-bus-launcher").exists():
        missing.append("at-spi2-core")
    return missing


def write_profile(home):
    """A record store with a profile, so the game opens at its main window."""
    store = home / ".config/Brenhavel/Zumirak.ini"
    store.parent.mkdir(parents=True)
    lines = ["[General]", "F_Name=　", "LoadDate=2000/01/01", "U_Name=山田　太郎", ""]
    for n in range(50):
        lines += [f"[Round{n}]", "ChargeNum=1", "ClearTime=0", ""]
    store.write_text("\r\n".join(lines), encoding="utf-8")


def write_python_shims(folder, log):
    """No speech server for Orca (its absence is not an error), and its debug
    log written line by line so it can be read while it runs."""
    (folder / "speechd").mkdir(parents=True)
    (folder / "speechd/__init__.py").write_text("raise ImportError('no speech server in this check')\n")
    (folder / "sitecustomize.py").write_text(
        "import builtins\n"
        "_open = builtins.open\n"
        "def _open_line_buffered(file, mode='r', buffering=-1, *args, **kwargs):\n"
        f"    if file == {str(log)!r} and 'w' in mode:\n"
        "        buffering = 1\n"
        "    return _open(file, mode, buffering, *args, **kwargs)\n"
        "builtins.open = _open_line_buffered\n")


class Session:
    def __init__(self, game):
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="zumirak-orca."))
        self.log = self.folder / "orca.log"
        self.log.touch()
        home = self.folder / "home"
        (home / "run").mkdir(parents=True)
        os.chmod(home / "run", 0o700)
        write_profile(home)
        write_python_shims(self.folder / "python", self.log)
        self.processes = []
        # The first free display from :41 on, away from a desktop's own.
        display = next((n for n in range(41, 100) if not pathlib.Path(f"/tmp/.X{n}-lock").exists()), None)
        self.xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        if display is None or self.xvfb.poll() is not None:
            self.close()
            skip("Xvfb did not start")
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "QT_", "WAYLAND", "AT_SPI", "LC_", "LANGUAGE"))}
        env.update(HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"), XDG_DATA_HOME=str(home / ".local/share"),
                   XDG_CACHE_HOME=str(home / ".cache"), XDG_RUNTIME_DIR=str(home / "run"), DISPLAY=f":{display}",
                   QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", SDL_AUDIODRIVER="dummy",
                   PYTHONPATH=str(self.folder / "python"), GTK_A11Y="atspi", NO_AT_BRIDGE="0",
                   LANG="C.UTF-8", ZGAME=game, ZLOG=str(self.log), ZPID=str(self.folder / "game.pid"))
        self.env = env
        script = r'''
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
orca --replace --debug-file="$ZLOG" >/dev/null 2>&1 &
sleep 3
LANG=ja_JP.UTF-8 "$ZGAME" >/dev/null 2>&1 &
echo $! > "$ZPID"
wait
'''
        self.session = subprocess.Popen(["dbus-run-session", "--", "bash", "-c", script], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def speech_since(self, offset):
        text = self.log.read_bytes()[offset:].decode(errors="replace")
        return [m.group(1).strip() for m in re.finditer(r"SPEECH OUTPUT: '(.*?)' ?(?:\{.*)?$", text, re.M)]

    def wait_for(self, offset, words, patience):
        """Waits until every word has been said since `offset`, then for a
        short quiet; returns what was said."""
        deadline = time.monotonic() + patience
        said, quiet_since = [], time.monotonic()
        while time.monotonic() < deadline:
            now = self.speech_since(offset)
            if now != said:
                said, quiet_since = now, time.monotonic()
            heard = " | ".join(said)
            if all(w in heard for w in words) and time.monotonic() - quiet_since > 0.7:
                break
            time.sleep(0.1)
        return said

    def game_window(self):
        """The game's window on screen now (the splash goes first)."""
        pid_file = self.folder / "game.pid"
        if not pid_file.exists():
            return None
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", pid_file.read_text().strip(),
                                "--name", "."], env=self.env, capture_output=True, text=True).stdout.split()
        return found[-1] if found else None

    def start(self):
        """Gives the game's window the focus, and waits for the screen reader
        to speak where the keys are: the stage bar."""
        deadline = time.monotonic() + 45
        said = []
        while not any("scroll bar" in s for s in said) and time.monotonic() < deadline:
            window = self.game_window()
            if window:
                subprocess.run(["xdotool", "windowfocus", window], env=self.env, capture_output=True, timeout=5)
            said = self.wait_for(0, ["scroll bar"], 2)
        self.wait_for(self.log.stat().st_size, [], 1.5)
        return any("scroll bar" in s for s in said)

    def press(self, key, words, patience=8):
        offset = self.log.stat().st_size
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], env=self.env, capture_output=True)
        return self.wait_for(offset, words, patience)

    def close(self):
        for process in (getattr(self, "session", None), self.xvfb):
            if process and process.poll() is None:
                try:
                    os.killpg(process.pid, 15) if process is not self.xvfb else process.terminate()
                    process.wait(timeout=5)
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    process.kill()
        if os.environ.get("ORCA_SPEECH_KEEP"):
            print(f"kept: {self.folder}")
        else:
            shutil.rmtree(self.folder, ignore_errors=True)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    game = str(pathlib.Path(sys.argv[1]).resolve())
    say = sys.argv[2:3] == ["--say"]
    missing = missing_tools()
    if missing:
        skip("the screen reader's packages are not installed: " + " ".join(missing) + " (tools/setup.sh installs them)")
    session = Session(game)
    try:
        if not session.start():
            skip("Orca did not start or did not follow the game's focus")
        steps = [(key, []) for key in sys.argv[3:]] if say else CHECK
        failures = 0
        for key, words in steps:
            said = session.press(key, words, patience=3 if say else 8)
            heard = " | ".join(said)
            # Each said once: a change told twice is heard twice.
            lost = [w for w in words if heard.count(w) != 1]
            failures += bool(lost)
            print(f"{key:>10} -> {heard or '(silence)'}" + (f"   EXPECTED ONCE: {' / '.join(lost)}" if lost else ""))
        if not say:
            print(f"{len(steps) - failures} passed, {failures} failed")
        return 1 if failures else 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
