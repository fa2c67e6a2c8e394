#!/usr/bin/env python3
"""Escape after a large report ends the real program at once.

On a real X server: a system of 69,984 change keys (353 pages) is generated from a database
prepared in a fresh folder and previewed; then Escape in the main window. The program must be gone within a
second: everything was written when it was made, and there is nothing to wait for.
"""

import argparse
import os
import shutil
import struct
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import RealInputTest as real  # noqa: E402  the same hands and eyes

InsideXvfb = real.InsideXvfb  # set by the shared X server start
QuitWithin = 1.0  # seconds
# The change keys asked for are per master: 9 x 7,776 = 69,984 change keys, 353 pages.
Masters, ChangeKeys = "9", "7776"


def write_database(path):
    """One manufacturer: 3 to 7 chambers, depths 0..9, step 1, no M.A.C.S."""
    name = b"Large Systems"
    record = (bytes([len(name)]) + name.ljust(40, b"\0") + b"\0" * 3 +
              struct.pack("<8i", 5, 3, 0, 9, 0, 1, 0, 0) + b"\0" * 8 + b"\0" + b"\0" * 3)
    with open(path, "wb") as stream:
        stream.write(record)


def drive(program, root):
    workDir = os.path.join(root, "run")
    os.makedirs(workDir)
    write_database(os.path.join(workDir, "Varnholt.MFG"))
    desktop = real.Desktop(root, time.monotonic())
    real.start_program(desktop, program, workDir, os.path.join(root, "program.log"))
    try:
        mainWindow = desktop.wait_window("Varnholt")
        desktop.focus(mainWindow, "Varnholt")
        desktop.click(mainWindow, real.GenerateButton)
        dialog = desktop.wait_window("Data Input")
        desktop.focus(dialog, "Data Input")
        before = desktop.window_picture(dialog)
        desktop.wait_focus("Data Input", "LB1")
        desktop.key("Return")
        desktop.wait_focus("Data Input", "Edit1")
        desktop.wait_repainted(dialog, before)
        desktop.click(dialog, real.chamber_list_item_centre(7 - 3))
        real.type_system_and_generate(desktop, dialog, "1234567", Masters, "0", ChangeKeys, timeout=60.0)
        desktop.focus(mainWindow, "Varnholt")
        desktop.ensure_program_runs()
        desktop.screenshot("before-escape")
        desktop.key("Escape")
        pressed = time.monotonic()
        code = desktop.wait_program_end(30, "Escape")
        took = time.monotonic() - pressed
        print(f"the program ended {took:.2f} s after Escape, exit code {code}", flush=True)
        if code != 0:
            raise real.Failure(f"the program ended with exit code {code}")
        if took > QuitWithin:
            raise real.Failure(f"the program stayed {took:.2f} s after Escape")
    finally:
        desktop.stop_program()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built varnholt executable")
    arguments = parser.parse_args()
    if os.environ.get(InsideXvfb) != "1":
        return real.run_inside_private_x_server(os.path.abspath(__file__))
    root = tempfile.mkdtemp(prefix="varnholt-quit-")
    try:
        drive(os.path.abspath(arguments.program), root)
    except real.Failure as failure:
        print(f"FAILED: {failure} (screenshots and the program's output in {root})")
        return 1
    shutil.rmtree(root, ignore_errors=True)
    print("PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
