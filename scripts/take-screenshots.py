#!/usr/bin/env python3
"""Takes the screenshots of the AppStream metadata (packaging/screenshots): the main window, and
the preview of a sample system on a 1366 x 768 screen. Drives the built program on a private X
server with the helpers of the end-to-end test.

    scripts/take-screenshots.py BUILD_DIR [OUTPUT_DIR]    (default: packaging/screenshots)
"""
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time

Top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
Inside = "VARNHOLT_SCREENSHOTS_INSIDE_XVFB"


def end_to_end_helpers():
    moduleSource = importlib.util.spec_from_file_location("e2e", os.path.join(Top, "tests", "e2e", "RealInputTest.py"))
    module = importlib.util.module_from_spec(moduleSource)
    moduleSource.loader.exec_module(module)
    module.ParkedPointer = (1365, 767)
    return module


def picture(window, path):
    subprocess.run(["/usr/bin/import", "-window", window, path], check=True)


def main():
    build = os.path.abspath(sys.argv[1])
    output = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(Top, "packaging", "screenshots"))
    if os.environ.get(Inside) != "1":
        return subprocess.call(["xvfb-run", "-a", "-s", "-screen 0 1366x768x24", sys.executable,
                                os.path.abspath(__file__), build, output], env=dict(os.environ, **{Inside: "1"}))
    e2e = end_to_end_helpers()
    scratch = tempfile.mkdtemp(prefix="varnholt-screenshots-")
    work = os.path.join(scratch, "work")
    os.makedirs(work)
    shutil.copy(os.path.join(build, "data", "samples", "Varnholt.MFG"), work)
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", HOME=work)
    for name in ("XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"):
        environment[name] = tempfile.mkdtemp(dir=scratch)
    os.chmod(environment["XDG_RUNTIME_DIR"], 0o700)
    desktop = e2e.Desktop(scratch, time.monotonic())
    desktop.program = subprocess.Popen([os.path.join(build, "src", "app", "varnholt"), "--folder", work],
                                       env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.makedirs(output, exist_ok=True)
    try:
        main = desktop.wait_window("Varnholt")
        desktop.focus(main, "Varnholt")
        time.sleep(0.5)
        picture(main, os.path.join(output, "main-window.png"))
        # "Sample 6-pin 0-9 step 2", 6 chambers, 246135, 4 masters with 2 sub-masters, 30 keys.
        desktop.click(main, e2e.GenerateButton)
        dialog = desktop.wait_window("Data Input")
        desktop.focus(dialog, "Data Input")
        desktop.key("Down")
        before = desktop.window_picture(dialog)
        desktop.key("Return")
        desktop.wait_repainted(dialog, before)
        desktop.click(dialog, e2e.chamber_list_item_centre(1))
        desktop.type("246135")
        for quantity in ("4", "2"):
            desktop.type(quantity)
            desktop.key("Return")
        desktop.type("30")
        desktop.key("Return")
        desktop.key("Return")
        preview = desktop.wait_window("Varnholt Report")
        desktop.focus(preview, "Varnholt Report")
        for _ in range(3):
            desktop.key("Next")  # Page Down: the pages scroll by one under another
            time.sleep(0.3)
        time.sleep(0.5)
        picture("root", os.path.join(output, "preview.png"))
    finally:
        desktop.program.kill()
        desktop.program.wait()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"screenshots in {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
