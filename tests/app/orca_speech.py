#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the desktop's screen reader (Orca) says while keys reach the game from
outside, as a blind player hears it.

    orca_speech.py GAME            the check: a first run, then leafing, takes,
                                   a refused take, Ctrl+S, Ctrl+F4, a question
                                   from a menu, the records overview, the about
                                   window, the workshop and a clear, in
                                   Japanese; a first run and the overview in
                                   English. Fails, naming the step, when a word
                                   is not heard, or the game or Orca ends; exit
                                   77 (skipped), saying why, only where Orca is
                                   not installed
    orca_speech.py GAME --say [--english] KEY...
                                   from a first run, prints what Orca said
                                   after each key

The game runs under a private Xvfb, a private D-Bus session with the
accessibility bus, and an Orca of its own with its debug log, beside any other
screen reader of the machine: it neither replaces nor is replaced by one.
Orca gets no speech server: it still logs every utterance, and no synthesizer
can hang it. Orca speaks English whatever the game's language (its role names
are checked). Keys are sent with xdotool, so they take the real path through
the X server. Each step waits until what it expects has been said (or a few
seconds), so a loaded machine is slower, not wrong.
"""
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77

# A step: the key (an xdotool key name, "type:TEXT", or "until:KEY:WORDS",
# which presses KEY until WORDS are said, or "window:KEY", a key that opens a
# new window), the words that must each be said once after it, and words that
# must not be said.
JAPANESE = [
    # The first run: the profile window reads its fields by name.
    ("Tab", ["ユーザ名 text"], []),
    ("type:Taro", [], []),
    ("window:Return", ["scroll bar"], []),
    # Stage 1 ("片根矢") starts with a ball on row 1, column 2, with no ball
    # above it; the next in ball order (row 2, column 1) is in no straight
    # line from it.
    ("Right", ["1　片根矢"], []),
    # Tab stops nowhere without a name; the keys leaf on, and it is said.
    ("Tab", [], ["frame"]),
    ("Left", ["0　矢の羽"], []),
    ("Right", ["1　片根矢"], []),
    ("ctrl+s", ["サウンドなし"], []),
    ("ctrl+s", ["サウンドあり"], []),
    ("Return", ["ボール 1行 2列"], []),
    ("Up", ["この方向にボールはありません"], []),
    ("space", ["ボール 1行 2列 1番目に取得"], []),
    ("Tab", ["ボール 2行 1列"], []),
    ("space", ["このボールは選択できません"], []),
    # Ctrl+F4 closes the play window: the keys are back on the stage bar, and
    # there is no window left to switch to.
    ("ctrl+F4", ["片根矢"], []),
    ("ctrl+Tab", [], ["ボール"]),
    ("Right", ["2　"], []),
    # A question from a menu: Escape answers it, and the keys are back where
    # they were, leafing again.
    ("F10", ["ｽﾀｰﾄ"], []),
    ("Right", ["今日のステージ"], []),
    ("Right", ["壁紙の設定"], []),
    ("Down", ["ｻｳﾝﾄﾞの有無 check box checked", "Ctrl+S"], []),
    ("Down", ["ｻｳﾝﾄﾞの設定"], []),
    ("Down", ["ボールの形設定"], []),
    ("Down", ["記録の削除"], []),
    ("Return", ["全ての記録を削除しますが、 宜しいですか？"], ["OK push button"]),
    ("Escape", ["scroll bar"], []),
    ("Right", ["3　"], []),
    # The records overview: each value after its heading; Return leafs the
    # selection window and says so.
    ("F10", ["ｽﾀｰﾄ"], []),
    ("Right", ["今日のステージ"], []),
    ("Right", ["壁紙の設定"], []),
    ("until:Down:記録一覧", [], []),
    ("Return", ["table"], []),
    ("Down", ["面 1", "名前 片根矢", "挑戦回数 2", "未クリア"], []),
    # Along the row Orca says the column's heading itself: the value follows alone.
    ("Right", ["名前 column header 片根矢"], []),
    ("Return", ["ステージ選択に 1　片根矢 を表示しました"], []),
    ("Escape", ["scroll bar"], []),
    # The about window is read, and Escape closes it.
    ("ctrl+a", ["About dialog", "ユーザ名 Taro"], []),
    ("Escape", ["scroll bar"], []),
    # The workshop: a cell, an undo said, the title field, and a figure tried
    # out and cleared, with its time and attempt.
    ("F10", ["ｽﾀｰﾄ"], []),
    ("Right", ["今日のステージ"], []),
    ("Right", ["壁紙の設定"], []),
    ("until:Down:ステージ作成", [], []),
    ("Return", ["盤"], []),
    ("space", ["8行 8列 ボールあり"], []),
    ("ctrl+z", ["元に戻しました：8行 8列 空き"], []),
    ("ctrl+y", ["やり直しました：8行 8列 ボールあり"], []),
    ("Tab", ["題名 text"], []),
    ("until:Tab:試す push button", [], []),
    ("space", ["ボール"], []),
    ("space", ["クリア　0秒　1回目の挑戦"], []),
    ("Return", [], []),
]

ENGLISH = [
    ("Tab", ["Name text"], []),
    ("type:Taro", [], []),
    ("window:Return", ["scroll bar"], []),
    ("F10", ["Start"], []),
    ("Right", ["Today"], []),
    ("Right", ["Wallpaper"], []),
    ("until:Down:Records Overview", [], []),
    ("Return", ["table"], []),
    ("Down", ["Stage 1", "Difficulty 3", "Not cleared"], ["ifficulty difficulty"]),
    ("Escape", ["scroll bar"], []),
]

# What each language's first run says before the first step.
FIRST_WORDS = {
    "ja_JP.UTF-8": ["ﾕｰｻﾞ登録 dialog", "使用される前にユーザ登録を行って下さい。", "会社名 text"],
    "en_US.UTF-8": ["User Registration dialog", "Please register before you play.", "Company text"],
}


class Failure(Exception):
    pass


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIPPED)


def missing_tools():
    needed = {"orca": "orca", "Xvfb": "xvfb", "xdotool": "xdotool", "dbus-run-session": "dbus"}
    missing = [pkg for tool, pkg in needed.items() if not shutil.which(tool)]
    if not pathlib.Path("/usr/libexec/at-spi-bus-launcher").exists():
        missing.append("at-spi2-core")
    return missing


def write_python_shims(folder, log):
    """No speech server for Orca (its absence is not an error); its debug log
    written line by line, so it can be read while it runs; and a process name
    of its own."""
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
    # Orca looks for other screen readers by the name "orca" among the user's
    # processes on the whole machine: it refuses to start beside one, and
    # with --replace kills them all. This one asks nothing (pgrep below) and
    # goes by another name, so no other Orca finds it either.
    (folder / "setproctitle.py").write_text(
        "import ctypes\n"
        "def setproctitle(name):\n"
        "    ctypes.CDLL(None).prctl(15, ctypes.c_char_p(b'orca-check'), 0, 0, 0)\n")


def write_pgrep_shim(folder):
    folder.mkdir(parents=True)
    (folder / "pgrep").write_text('#!/bin/sh\ncase " $* " in *" -x orca "*) exit 1 ;; esac\nexec /usr/bin/pgrep "$@"\n')
    os.chmod(folder / "pgrep", 0o755)


def start_xvfb():
    """An X server on a display of its own: the first that a server of ours
    can really take (a lock file left behind does not hold one back, and one
    in use makes ours exit). ORCA_SPEECH_FIRST_DISPLAY=N starts the search at
    :N (41 when not set)."""
    first = int(os.environ.get("ORCA_SPEECH_FIRST_DISPLAY", "41"))
    for n in range(first, 100):
        if pathlib.Path(f"/tmp/.X11-unix/X{n}").exists() and pathlib.Path(f"/tmp/.X{n}-lock").exists():
            continue
        xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if xvfb.poll() is not None:
                break
            if pathlib.Path(f"/tmp/.X11-unix/X{n}").exists() and pathlib.Path(f"/tmp/.X{n}-lock").exists():
                try:
                    if int(pathlib.Path(f"/tmp/.X{n}-lock").read_text().strip()) == xvfb.pid:
                        return xvfb, f":{n}"
                except (OSError, ValueError):
                    pass
            time.sleep(0.1)
        if xvfb.poll() is None:
            xvfb.kill()
        xvfb.wait()
    raise Failure("start: no display could be opened")


def alive(pid):
    try:
        stat = pathlib.Path(f"/proc/{pid}/stat").read_text()
    except OSError:
        return False
    return stat.rsplit(")", 1)[1].split()[0] != "Z"


class Session:
    def __init__(self, game, lang, english_orca=True):
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="zumirak-orca."))
        self.log = self.folder / "orca.log"
        self.log.touch()
        home = self.folder / "home"
        (home / "run").mkdir(parents=True)
        os.chmod(home / "run", 0o700)
        write_python_shims(self.folder / "python", self.log)
        write_pgrep_shim(self.folder / "bin")
        self.session = self.wm = None
        self.xvfb, display = start_xvfb()
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "QT_", "WAYLAND", "AT_SPI", "LC_", "LANGUAGE"))}
        env.update(HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"), XDG_DATA_HOME=str(home / ".local/share"),
                   XDG_CACHE_HOME=str(home / ".cache"), XDG_RUNTIME_DIR=str(home / "run"), DISPLAY=display,
                   QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", SDL_AUDIODRIVER="dummy",
                   QT_LOGGING_RULES="qt.accessibility.atspi.debug=true",
                   PYTHONPATH=str(self.folder / "python"), GTK_A11Y="atspi", NO_AT_BRIDGE="0",
                   PATH=str(self.folder / "bin") + ":" + os.environ.get("PATH", "/usr/bin:/bin"),
                   LANG="C.UTF-8", ZGAME=game, ZGAMELANG=lang, ZLOG=str(self.log), ZF=str(self.folder))
        self.env = env
        # A window manager, as on a desktop: it gives the keys back to the
        # window under a box that closes.
        if shutil.which("openbox"):
            self.wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        orca = shutil.which("orca")
        with open(orca, "rb") as f:
            first = f.readline().decode(errors="replace")
        env["ZORCA"] = (first[2:].strip() + " " if first.startswith("#!") else "") + orca
        # The game starts once Orca listens, as on a desktop where the screen
        # reader runs before any game: its first words are in the log and its
        # main loop has run a moment. A game started in the same instant as
        # Orca's main loop was, now and then, never heard at all: the toolkit
        # asks once at its start which events anyone listens for. The toolkit's
        # own account of that goes to the game's output.
        script = r'''
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
$ZORCA --debug-file="$ZLOG" >"$ZF/orca.out" 2>&1 & echo $! > "$ZF/orca.pid"
for i in $(seq 300); do grep -q "SPEECH OUTPUT" "$ZLOG" && grep -q "ORCA: Starting registry" "$ZLOG" && break; sleep 0.1; done
sleep 1
LANG="$ZGAMELANG" "$ZGAME" >"$ZF/game.out" 2>&1 & echo $! > "$ZF/game.pid"
wait $!; echo $? > "$ZF/game.status"
wait
'''
        self.session = subprocess.Popen(["dbus-run-session", "--", "bash", "-c", script], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def pid(self, name):
        try:
            return int((self.folder / f"{name}.pid").read_text().strip())
        except (OSError, ValueError):
            return None

    def check_alive(self, step):
        """Fails, naming the step, when the game or Orca is gone."""
        for name, what in (("orca", "Orca"), ("game", "the game")):
            pid = self.pid(name)
            if pid is not None and not alive(pid):
                status = (self.folder / "game.status").read_text().strip() if name == "game" and (
                    self.folder / "game.status").exists() else "?"
                raise Failure(f"{step}: {what} ended" + (f" (exit status {status})" if name == "game" else ""))

    def speech_since(self, offset):
        text = self.log.read_bytes()[offset:].decode(errors="replace")
        found = re.finditer(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\{.*?\})?$", text, re.M | re.S)
        return [re.sub(r"\n\s*", " ", m[1]).strip() for m in found]

    def wait_for(self, offset, words, patience, step):
        """Waits until every word has been said since `offset`, then for a
        short quiet; returns what was said."""
        deadline = time.monotonic() + patience
        said, quiet_since = [], time.monotonic()
        while time.monotonic() < deadline:
            self.check_alive(step)
            now = self.speech_since(offset)
            if now != said:
                said, quiet_since = now, time.monotonic()
            heard = " | ".join(said)
            if all(w in heard for w in words) and time.monotonic() - quiet_since > 0.6:
                break
            time.sleep(0.1)
        return said

    def game_windows(self):
        game = self.pid("game")
        if game is None:
            return []
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(game), "--name", "."],
                              env=self.env, capture_output=True, text=True, timeout=20).stdout.split()

    def start(self, words, offset=0, step="start"):
        """Waits for the game's window (the newest), gives it the keys, as a
        desktop gives them to a new window, and for the screen reader to say
        `words`; fails when it does not."""
        deadline = time.monotonic() + 60
        while self.pid("game") is None:
            self.check_alive("start")
            if time.monotonic() > deadline:
                raise Failure("start: Orca did not start (no word in its log)")
            time.sleep(0.2)
        said = []
        while time.monotonic() < deadline:
            windows = self.game_windows()
            if windows:
                subprocess.run(["xdotool", "windowfocus", windows[-1]], env=self.env, capture_output=True, timeout=20)
            said = self.wait_for(offset, words, 2, step)
            if all(w in " | ".join(said) for w in words):
                break
        heard = " | ".join(said)
        lost = [w for w in words if w not in heard]
        if lost:
            raise Failure(f"{step}: Orca did not say {' / '.join(lost)} (heard: {heard or 'nothing'})")
        self.wait_for(self.log.stat().st_size, [], 1.5, step)
        return said

    def keys_at(self):
        """The window that has the keys, by its name, for a step that failed."""
        found = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], env=self.env,
                               capture_output=True, text=True, timeout=20)
        return found.stdout.strip() or "no window"

    def post_mortem(self):
        """What a failed check leaves to look at: the game's windows, and with
        ORCA_SPEECH_KEEP, its threads' stacks and the screen in the kept folder."""
        print(f"the game's windows: {' '.join(self.game_windows()) or 'none'}; the keys at: {self.keys_at()}")
        game = self.pid("game")
        if not os.environ.get("ORCA_SPEECH_KEEP") or game is None:
            return
        if shutil.which("gdb"):
            with open(self.folder / "game-stacks.txt", "w") as out:
                subprocess.run(["gdb", "-batch", "-p", str(game), "-ex", "thread apply all bt"],
                               stdout=out, stderr=subprocess.STDOUT, timeout=120)
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", str(self.folder / "screen.png")], env=self.env,
                           capture_output=True, timeout=60)

    def send(self, key):
        if key.startswith("type:"):
            command = ["type", "--delay", "60", key[5:]]
        else:
            command = ["key", "--clearmodifiers", key]
        subprocess.run(["xdotool", *command], env=self.env, capture_output=True, timeout=20)

    def press(self, key, words, patience=8):
        if key.startswith("until:"):
            _, repeated, target = key.split(":", 2)
            offset = self.log.stat().st_size
            for _ in range(16):
                if any(target in s for s in self.press(repeated, [target], 2)):
                    return self.speech_since(offset)
            raise Failure(f"{key}: never said (the keys at: {self.keys_at()})")
        offset = self.log.stat().st_size
        if key.startswith("window:"):  # the key opens a new window
            self.send(key[7:])
            return self.start(words, offset, key)
        self.send(key)
        said = self.wait_for(offset, words, patience, key)
        self.check_alive(key)
        return said

    def close(self):
        for name in ("game", "orca"):
            pid = self.pid(name)
            if pid and alive(pid):
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in (self.session, self.wm, self.xvfb):
            if process and process.poll() is None:
                try:
                    if process is self.session:
                        os.killpg(process.pid, signal.SIGTERM)
                    else:
                        process.terminate()
                    process.wait(timeout=10)
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    process.kill()
                    process.wait()
        if os.environ.get("ORCA_SPEECH_KEEP"):
            print(f"kept: {self.folder}")
        else:
            shutil.rmtree(self.folder, ignore_errors=True)


def run_steps(session, steps, say):
    """Each step's words said once, the forbidden ones never; returns the
    number of failed steps."""
    failures = 0
    for key, words, forbidden in steps:
        said = session.press(key, words, patience=3 if say else 10)
        heard = " | ".join(said)
        lost = [w for w in words if heard.count(w) != 1]
        wrong = [w for w in forbidden if w in heard]
        failures += bool(lost or wrong)
        note = (f"   EXPECTED ONCE: {' / '.join(lost)} (the keys at: {session.keys_at()})" if lost else "") + (
            f"   NOT EXPECTED: {' / '.join(wrong)}" if wrong else "")
        print(f"{key:>12} -> {heard or '(silence)'}{note}", flush=True)
    return failures


def check(game, lang, steps):
    print(f"== {lang}: first run", flush=True)
    session = Session(game, lang)
    try:
        first = FIRST_WORDS[lang]
        said = session.start(first)
        heard = " | ".join(said)
        print(f"{'(start)':>12} -> {heard}", flush=True)
        # The window's instruction said once, not again as a label.
        failures = int(heard.count(first[1]) != 1)
        if failures:
            print(f"{'':>12}    EXPECTED ONCE: {first[1]}")
        failures += run_steps(session, steps, False)
    except Failure:
        session.post_mortem()
        raise
    else:
        if failures:
            session.post_mortem()
        return failures
    finally:
        session.close()


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    game = str(pathlib.Path(sys.argv[1]).resolve())
    # Stopped from outside (a closed terminal, a kill): the private X server,
    # bus, Orca and game still end with the check, as after its last step.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, lambda received, _frame: sys.exit(128 + received))
    missing = missing_tools()
    if missing:
        skip("the screen reader's packages are not installed: " + " ".join(missing) + " (tools/setup.sh installs them)")
    try:
        if sys.argv[2:3] == ["--say"]:
            args = sys.argv[3:]
            lang = "en_US.UTF-8" if "--english" in args else "ja_JP.UTF-8"
            keys = [a for a in args if a != "--english"]
            session = Session(game, lang)
            try:
                said = session.start(FIRST_WORDS[lang][:1])
                print(f"{'(start)':>12} -> {' | '.join(said)}")
                run_steps(session, [(k, [], []) for k in keys], True)
            finally:
                session.close()
            return 0
        failures = check(game, "ja_JP.UTF-8", JAPANESE) + check(game, "en_US.UTF-8", ENGLISH)
    except Failure as failure:
        print(f"FAILED: {failure}")
        return 1
    print("passed" if not failures else f"{failures} steps failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
