#!/usr/bin/env python3
"""The preview on a laptop's screen, from the keyboard alone, with a window manager.

On a 1366x768 X server with openbox, once plain and once at 125 % scaling: a saved system opens
into its preview; its frame, title bar included, lies inside the screen; its commands are reached
by a menu mnemonic, by shortcuts and by Tab and Space; the pinning list opens beside it and
Escape closes it; job details typed in the preview ask before the preview closes and before the
program ends; a bitting pasted into the "Data Input" dialog goes in digit by digit. The "Data
Input" dialog, taller than the screen at 125 %, has its title bar on the screen; a second copy of
the program opens down and right of the first. Every key waits for the program's account of where
its focus went (see RealInputTest.py).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from RealInputTest import Desktop, Failure, InputTraceCategory, run_inside_private_x_server  # noqa: E402

Screen = (1366, 768)
InsideXvfb = "VARNHOLT_E2E_PREVIEW_INSIDE_XVFB"
SystemFile = "office.varnholt"
ReportTitle = f"{SystemFile} \u2013 Varnholt Report"
# Copied in the job details dialog and pasted into the grand master key field of a 5-chamber
# manufacturer: 2, 4, 6 and 1 go in, the x is refused as a typed x is, the 5 is not tried.
CopiedText = "2461x5"
# The title of the program's message boxes.
BoxTitle = "VarnholtLite"


def frame_of(desktop, window):
    """The window's frame on the screen: its client area and the window manager's extents."""
    info = desktop.run("xwininfo", "-id", window)
    value = {key: int(re.search(rf"{key}:\s+(-?\d+)", info).group(1))
             for key in ["Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"]}
    extents = desktop.run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
    numbers = [int(n) for n in re.findall(r"\d+", extents.split("=", 1)[1])] if "=" in extents else [0, 0, 0, 0]
    left, right, top, bottom = numbers
    x, y = value["Absolute upper-left X"], value["Absolute upper-left Y"]
    return x - left, y - top, value["Width"] + left + right, value["Height"] + top + bottom, top


def expect_on_screen(desktop, window, what):
    """The frame lies inside the screen; a window taller than the screen starts at its top, so
    that its title bar can be reached."""
    x, y, width, height, top = frame_of(desktop, window)
    print(f"    {what}: frame {width}x{height} at {x},{y} (title bar {top} px)", flush=True)
    if top == 0:
        raise Failure(f"{what} has no title bar: the window manager did not frame it")
    if x < 0 or y < 0 or x + width > Screen[0]:
        raise Failure(f"the frame of {what} ({width}x{height} at {x},{y}) is not inside the "
                      f"{Screen[0]}x{Screen[1]} screen")
    if height > Screen[1] and y != 0:
        raise Failure(f"{what} is taller than the screen ({height} px) and starts at y = {y}, not at its top")
    if height <= Screen[1] and y + height > Screen[1]:
        raise Failure(f"the frame of {what} ({width}x{height} at {x},{y}) reaches below the screen")
    return x, y


def wait_shown(desktop, title, seen):
    """Waits for a window that was not there when the trace had `seen` lines (the program names
    some only after showing them, so the window itself is waited for)."""
    desktop.wait_until(lambda: any(line.startswith("shown ") for line in desktop.trace()[seen:]), 10.0,
                       f'the window "{title}" coming up')
    return desktop.wait_window(title)


def tab_to(desktop, title, component, limit=25):
    """Presses Tab, one key at a time once the focus has moved, until it is on the component."""
    for _ in range(limit):
        if desktop.focused_component() == f'"{title}" {component}':
            return
        before = len(desktop.trace())
        desktop.key("Tab")
        desktop.wait_until(lambda: any(line.startswith("focus ") for line in desktop.trace()[before:]), 5.0,
                           "the focus moving on")
    raise Failure(f"Tab did not reach {component} in \"{title}\" within {limit} presses")


def user_environment(workDir, scale):
    """A user of their own for the program: runtime, data and settings folders of the test's."""
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale))
    for name in ["XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"]:
        environment[name] = tempfile.mkdtemp(prefix=name.lower() + "-", dir=os.path.dirname(workDir))
    os.chmod(environment["XDG_RUNTIME_DIR"], 0o700)
    environment["QT_LOGGING_RULES"] = f"{InputTraceCategory}.debug=true"
    return environment


def launch(program, workDir, environment, logPath, *files):
    return subprocess.Popen([program, "--folder", workDir, *files], cwd=workDir, env=environment,
                            stdout=open(logPath, "wb"), stderr=subprocess.STDOUT)


def start(desktop, program, workDir, scale, logPath):
    desktop.log = logPath
    desktop.program = launch(program, workDir, user_environment(workDir, scale), logPath,
                             os.path.join(workDir, SystemFile))


def main_window_of(desktop, process):
    """The main window of one running copy of the program, found by its process."""
    def search():
        return desktop.xdotool("search", "--all", "--onlyvisible", "--pid", str(process.pid), "--name", "^Varnholt$",
                               check=False).split()
    desktop.wait_until(search, 15.0, f"the main window of the copy with process {process.pid}")
    return search()[-1]


def two_copies(desktop, arguments, root, scale, step):
    """A second copy of the program, started while the first runs, opens down and right of it."""
    tag = f"{int(scale * 100)}%"
    workDir = os.path.join(root, f"copies-{scale}")
    os.makedirs(workDir)
    shutil.copy(arguments.database, os.path.join(workDir, "Varnholt.MFG"))
    environment = user_environment(workDir, scale)
    step(f"{tag}: a second copy of the program opens down and right of the first")
    firstLog = os.path.join(desktop.shots, f"first-copy-{tag}.log")
    desktop.log = firstLog
    desktop.program = launch(arguments.program, workDir, environment, firstLog)
    second = None
    try:
        first = main_window_of(desktop, desktop.program)
        desktop.wait_focus("Varnholt", "Button1")
        time.sleep(0.5)
        second = launch(arguments.program, workDir, environment, os.path.join(desktop.shots, f"second-copy-{tag}.log"))
        secondWindow = main_window_of(desktop, second)
        time.sleep(0.8)
        desktop.screenshot(f"two-copies-{tag}")
        firstAt = expect_on_screen(desktop, first, "the first copy's main window")
        secondAt = expect_on_screen(desktop, secondWindow, "the second copy's main window")
        shift = (secondAt[0] - firstAt[0], secondAt[1] - firstAt[1])
        # At least a title bar's height, so that the first copy's title stays in sight.
        if shift[0] <= 0 or shift[1] < frame_of(desktop, first)[4]:
            raise Failure(f"the second copy opened at {secondAt}, not down and right of the first at {firstAt}")
        for window, process, name in [(secondWindow, second, "second"), (first, desktop.program, "first")]:
            desktop.focus(window, "Varnholt")
            desktop.key("Escape")
            try:
                code = process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                raise Failure(f"Escape did not end the {name} copy within 10 s") from None
            if code != 0:
                raise Failure(f"the {name} copy ended with exit code {code}")
    finally:
        if second is not None and second.poll() is None:
            second.kill()
            second.wait()
        desktop.stop_program(f"left-running-{tag}")


def session(desktop, arguments, root, scale, step):
    workDir = os.path.join(root, f"run-{scale}")
    os.makedirs(workDir)
    database = os.path.join(workDir, "Varnholt.MFG")
    shutil.copy(arguments.database, database)
    subprocess.run([arguments.batch, "--database", database, "--record", "2", "--chambers", "6",
                    "--master-key", "246135", "--masters", "4", "--keys", "20",
                    "--save-system", os.path.join(workDir, SystemFile)], check=True, capture_output=True)
    tag = f"{int(scale * 100)}%"
    step(f"{tag}: open a saved system into its preview")
    start(desktop, arguments.program, workDir, scale, os.path.join(desktop.shots, f"program-{tag}.log"))
    try:
        preview = desktop.wait_window(ReportTitle)
        mainWindow = desktop.wait_window("Varnholt")
        desktop.wait_focus(ReportTitle, "pages")
        # The window manager has framed it and the program has had its say about the frame.
        time.sleep(0.8)
        desktop.screenshot(f"preview-{tag}")
        previewAt = expect_on_screen(desktop, preview, "the report preview")
        expect_on_screen(desktop, mainWindow, "the main window")

        step(f"{tag}: System menu by its mnemonic, Job Details by its own; copy a typed text")
        seen = len(desktop.trace())
        desktop.choose_menu("s", "SystemMenu", "j")
        dialog = wait_shown(desktop, "Job Details", seen)
        desktop.type_into("Job Details", "customer", CopiedText)
        desktop.key("ctrl+a", "ctrl+c")
        desktop.key("Return")
        desktop.wait_window_gone(dialog, "Job Details")
        # The preview shows the details now, with the mark of unsaved changes in its title.
        desktop.wait_focus(ReportTitle + "*", "pages")

        step(f"{tag}: Ctrl+L opens the pinning list beside the report; Escape closes it")
        seen = len(desktop.trace())
        desktop.key("ctrl+l")
        pinningTitle = "Sample 6-pin 0-9 step 2 \u2013 Varnholt Pinning List"
        pinning = wait_shown(desktop, pinningTitle, seen)
        desktop.wait_focus(pinningTitle, "pages")
        time.sleep(0.5)
        desktop.screenshot(f"pinning-list-{tag}")
        pinningAt = expect_on_screen(desktop, pinning, "the pinning list")
        if pinningAt == previewAt:
            raise Failure("the pinning list opened exactly over the report preview")
        desktop.key("Escape")
        desktop.wait_window_gone(pinning, pinningTitle)

        step(f"{tag}: Tab to the Pinning List button, Space presses it, Ctrl+W closes the list")
        desktop.wait_focus(ReportTitle + "*", "pages")
        tab_to(desktop, ReportTitle + "*", "Pinning List\u2026")
        seen = len(desktop.trace())
        desktop.key("space")
        pinning = wait_shown(desktop, pinningTitle, seen)
        desktop.wait_focus(pinningTitle, "pages")
        desktop.key("ctrl+w")
        desktop.wait_window_gone(pinning, pinningTitle)

        step(f"{tag}: Escape in the preview asks about the unsaved job details; Cancel keeps it")
        desktop.wait_focus(ReportTitle + "*", "Pinning List\u2026")
        desktop.key("Escape")
        desktop.wait_focus(BoxTitle, "Save")
        desktop.screenshot(f"unsaved-question-{tag}")
        desktop.key("Escape")  # Cancel
        desktop.wait_focus(ReportTitle + "*", "Pinning List\u2026")
        if not desktop.windows(ReportTitle + "*"):
            raise Failure("Cancel closed the preview with its unsaved job details")

        step(f"{tag}: a bitting pasted into the grand master key field goes in digit by digit")
        desktop.focus(mainWindow, "Varnholt")
        desktop.wait_focus("Varnholt", "Button1")
        desktop.key("Return")  # Generate a New System
        desktop.wait_focus("Data Input", "LB1")
        time.sleep(0.5)
        desktop.screenshot(f"data-input-{tag}")
        # 616 pixels of client at 125 % are taller than the screen: the title bar stays on it.
        expect_on_screen(desktop, desktop.wait_window("Data Input"), "the Data Input dialog")
        desktop.key("Return")  # the first manufacturer: 5 chambers at first
        desktop.wait_focus("Data Input", "Edit1")
        seen = len(desktop.trace())
        desktop.key("ctrl+v")
        refusal = wait_shown(desktop, BoxTitle, seen)
        desktop.screenshot(f"paste-refused-{tag}")
        desktop.wait_focus(BoxTitle, "QPushButton")
        desktop.key("Return")
        desktop.wait_window_gone(refusal, BoxTitle)
        # 2461 went in before the x: one more cut completes the 5-chamber key and moves on.
        desktop.type_into("Data Input", "Edit1", "5")
        desktop.wait_focus("Data Input", "Edit3")
        desktop.screenshot(f"pasted-{tag}")
        dialog = desktop.wait_window("Data Input")
        desktop.key("alt+F4")
        desktop.wait_window_gone(dialog, "Data Input")

        step(f"{tag}: Escape in the main window asks once before the program ends")
        desktop.focus(mainWindow, "Varnholt")
        desktop.wait_focus("Varnholt", "Button1")
        desktop.key("Escape")
        desktop.wait_focus(BoxTitle, "Save")
        saving = scale == 1.0
        if saving:
            desktop.key("Return")  # Save: the file it was opened from is proposed
            desktop.wait_focus("Save System", "fileNameEdit")
            desktop.key("Return")
            desktop.wait_focus("Save System", "QPushButton")  # the dialog asks before replacing the file
            desktop.key("alt+y")
        else:
            tab_to(desktop, BoxTitle, "Discard")
            desktop.key("space")
        code = desktop.wait_program_end(10, "the answered question")
        if code != 0:
            raise Failure(f"the program ended with exit code {code}")
        with open(os.path.join(workDir, SystemFile), encoding="utf-8") as stream:
            saved = CopiedText in stream.read()
        if saved != saving:
            raise Failure(f"the job details were {'not ' if not saved else ''}in the saved system after "
                          f"{'Save' if saving else 'Discard'}")
    finally:
        desktop.stop_program(f"left-running-{tag}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--batch", required=True, help="the built varnholt-report, to save the system")
    parser.add_argument("--database", required=True, help="the sample manufacturer database")
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--keep", action="store_true")
    arguments = parser.parse_args()
    for name in ["program", "batch", "database", "artifacts"]:
        setattr(arguments, name, os.path.abspath(getattr(arguments, name)))
    missing = [tool for tool in ["Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "setxkbmap", "/usr/bin/import"]
               if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {', '.join(missing)} (scripts/install-dependencies.sh installs them)")
        return 1
    if os.environ.get(InsideXvfb) != "1":
        return run_inside_private_x_server(os.path.abspath(__file__), f"{Screen[0]}x{Screen[1]}x24", InsideXvfb,
                                           window_manager=True)

    clock = time.monotonic()
    root = tempfile.mkdtemp(prefix="varnholt-e2e-preview-")
    shots = os.path.join(root, "shots")
    os.makedirs(shots)
    desktop = Desktop(shots, clock)
    desktop.run("setxkbmap", "-layout", "de")

    def step(description):
        print(f"[{time.monotonic() - clock:5.1f} s] {description}", flush=True)

    # Openbox frames windows once it runs; the first program must not come up before it.
    desktop.wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in desktop.run("xprop", "-root",
                                                                                 "_NET_SUPPORTING_WM_CHECK", check=False),
                       10.0, "the window manager starting")
    try:
        for scale in [1.0, 1.25]:
            session(desktop, arguments, root, scale, step)
            two_copies(desktop, arguments, root, scale, step)
    except Failure as failure:
        if os.path.isdir(arguments.artifacts):
            shutil.rmtree(arguments.artifacts)
        shutil.copytree(shots, arguments.artifacts)
        print(f"FAILED: {failure}\n(screenshots and the program's output in {arguments.artifacts})")
        return 1
    if arguments.keep:
        if os.path.isdir(arguments.artifacts):
            shutil.rmtree(arguments.artifacts)
        shutil.copytree(shots, arguments.artifacts)
    shutil.rmtree(root, ignore_errors=True)
    print(f"PASSED in {time.monotonic() - clock:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
