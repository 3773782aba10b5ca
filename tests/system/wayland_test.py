# SPDX-License-Identifier: MIT
"""The real pemtos program as a native Wayland client, next to itself on X11.

    python3 wayland_test.py <path to pemtos> <application ID>

Starts itself again inside a private D-Bus session and runtime dir, starts Weston's
headless compositor there (CPU renderer, with Xwayland), and runs the program twice
in it: on Qt's wayland platform, then on xcb through Xwayland. Each time it drives
both commands over AT-SPI as atspidriver does and takes a grab of the screen with
Weston's screenshooter. The native window must name its application ID (the name
of its desktop entry and icon), open at its designed size, and show exactly the
pixels of the X11 window: the same compositor draws both and grabs both, so only
the Qt platform differs. The grabs stay in the scratch dir when they differ.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time

import atspidriver

# Form1 is 14325 x 9360 twips, 15 twips a pixel.
DESIGNED_SIZE = (955, 624)
SCREEN = (1280, 1024)
# A colour the window does not use, so that the window stands out from the desktop.
BACKGROUND = (0x20, 0x40, 0x60)
SOCKET = "pemtos-wayland"
WINDOW_TITLE = "樹形から調べる樹木名と特徴"


def start_weston(runtime, scratch):
    """Starts the compositor; returns (process, its log's path, the Xwayland display)."""
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w", encoding="utf-8") as ini:
        ini.write("[shell]\nbackground-color=0xff%02x%02x%02x\npanel-position=none\n" % BACKGROUND)
        # No on-screen keyboard client: nothing is typed here.
        ini.write("[input-method]\npath=\n")
    log = os.path.join(scratch, "weston.log")
    # --debug lets the screenshooter grab; the proto scope logs each client request.
    process = subprocess.Popen(["weston", "--backend=headless-backend.so", "--use-pixman",
                                f"--width={SCREEN[0]}", f"--height={SCREEN[1]}", f"--socket={SOCKET}",
                                "--debug", "--xwayland", f"--config={config}", f"--log={log}",
                                "--logger-scopes=log,proto"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline and process.poll() is None:
        if os.path.exists(os.path.join(runtime, SOCKET)) and os.path.exists(log):
            with open(log, encoding="utf-8", errors="replace") as text:
                found = re.search(r"xserver listening on display (:\d+)", text.read())
            if found:
                return process, log, found.group(1)
        time.sleep(0.05)
    return process, log, None


def grab(directory):
    """The whole screen, as Weston composed it, in RGB, once it has stopped changing:
    the last texts reach the screen a little after their accessible names change."""
    from PIL import Image
    previous = None
    for attempt in range(25):
        # The screenshooter names its file by the second; each grab gets a folder.
        folder = os.path.join(directory, str(attempt))
        os.makedirs(folder)
        subprocess.run(["weston-screenshooter"], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        [name] = os.listdir(folder)
        image = Image.open(os.path.join(folder, name)).convert("RGB")
        if previous is not None and image.tobytes() == previous.tobytes():
            return image
        previous = image
        time.sleep(0.2)
    return previous


def client_areas(image, size):
    """Each place inside the window's outline where a block of `size` could be its
    client area, by the block's pixels: {pixels: (x, y)}. The outline is what differs
    from the desktop's background; the title bar and frame around the client area
    differ with the platform, so only the true client areas of two grabs agree."""
    from PIL import Image, ImageChops
    box = ImageChops.difference(image, Image.new("RGB", image.size, BACKGROUND)).getbbox()
    if box is None:
        return {}
    left, top, right, bottom = box
    width, height = size
    data = image.tobytes()
    stride = image.size[0] * 3
    columns = range(left, right - width + 1)
    # Each row's stretch of `width` pixels from each column, hashed once.
    rows = {x: [hash(data[y * stride + x * 3:y * stride + (x + width) * 3]) for y in range(top, bottom)]
            for x in columns}
    return {hash(tuple(rows[x][y - top:y - top + height])): (x, y)
            for x in columns for y in range(top, bottom - height + 1)}


def run_on(driver, check, program, platform, scratch):
    """Runs the program on `platform`, drives both commands; returns its grab (or None)."""
    process, app = driver.start(program, platform, check)
    try:
        if app is None:
            return None
        window = driver.find(app, "frame", WINDOW_TITLE)
        extents = window.queryComponent().getExtents(driver.pyatspi.WINDOW_COORDS)
        check((extents.width, extents.height) == DESIGNED_SIZE,
              f"on {platform} the window opens at {DESIGNED_SIZE}, not {(extents.width, extents.height)}")
        driver.run_both_jobs(app, check)
        return grab(os.path.join(scratch, platform))
    finally:
        atspidriver.stop(process)


def main(program, app_id):
    runtime = os.environ["XDG_RUNTIME_DIR"]
    scratch = tempfile.mkdtemp(prefix="pemtos-wayland-")
    check = atspidriver.Check()
    weston, log, xwayland = start_weston(runtime, scratch)
    try:
        if not check(xwayland is not None, f"Weston starts with Xwayland (log: {log})"):
            return 1
        os.environ["WAYLAND_DISPLAY"] = SOCKET
        driver = atspidriver.Driver()
        native = run_on(driver, check, program, "wayland", scratch)
        with open(log, encoding="utf-8", errors="replace") as text:
            app_ids = set(re.findall(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', text.read()))
        check(app_ids == {app_id}, f"the native window's application ID is {app_id}, not {app_ids}")
        os.environ["DISPLAY"] = xwayland
        x11 = run_on(driver, check, program, "xcb", scratch)
    finally:
        weston.terminate()
        weston.wait(timeout=10)

    if native is not None and x11 is not None:
        native_areas = client_areas(native, DESIGNED_SIZE)
        x11_areas = client_areas(x11, DESIGNED_SIZE)
        same = native_areas.keys() & x11_areas.keys()
        if check(len(same) == 1, f"the client area on Wayland shows the pixels it shows on X11 "
                                 f"({len(same)} blocks of {DESIGNED_SIZE} agree; grabs in {scratch})"):
            [pixels] = same
            print(f"same pixels: {DESIGNED_SIZE[0]}x{DESIGNED_SIZE[1]} at {native_areas[pixels]} on Wayland, "
                  f"at {x11_areas[pixels]} on X11", flush=True)
    status = check.report()
    if status == 0:
        shutil.rmtree(scratch, ignore_errors=True)
    return status


if __name__ == "__main__":
    atspidriver.run_test(__file__, __doc__, main, (2,), own_display=False)
