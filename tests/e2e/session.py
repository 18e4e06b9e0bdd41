#!/usr/bin/env python3
"""The real application on an X display with a window manager, driven as a
user drives it: keys through the X test extension (xdotool), the window
manager's minimise, the X clipboard (xclip) and the pixels on screen.

In order:
1. The launcher appears with its pictures drawn.
2. Ctrl+V, Shift+Insert and a middle click into a text area while nothing
   owns the clipboard or the selection leave the application running.
3. A minimised tool window comes back, raised and active, when the launcher
   opens it again.
4. The Edit menu chosen from the keyboard, with Alt+E or with Alt alone and
   then E, copies and cuts the selection of a text field; its Select All
   fills the X11 primary selection, in a field and in a text area.
5. GenKeys, given back while its menu bar holds the focus, takes what is typed
   next; its Edit commands leave Encode's selected text and the clipboard alone.
6. A key typed by hand encrypts a pasted text with a no-break space and
   decrypts it back, and Edit > Copy puts exactly that text on the X clipboard.
7. A 20,000-digit n and d pasted into the decryption window make Go show its
   message within a second, and the window answers.
8. Ctrl+Q quits with status 0.

Usage: session.py path/to/kelvane   (under xvfb-run)
"""

import ctypes
import subprocess
import sys
import time

TIMEOUT = 30  # seconds for anything to happen on screen

# The launcher's content area and its first picture, in that area's coordinates.
LAUNCHER_HEIGHT = 212
CANVAS = (20, 32, 128, 128)

# A small key: two Mersenne primes.
P, Q, E = 2**89 - 1, 2**61 - 1, 65537
N, D = P * Q, pow(E, -1, (P - 1) * (Q - 1))
CLEAR_TEXT = "Hello,\u00a0Kelvane!"
# Far longer than any key: a modular power with it would hold the window for seconds.
LONG_KEY = "9" * 20000

application = None


def fail(message):
    if application and application.poll() is None:
        application.kill()
    sys.exit(message)


def tool(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout.strip()


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while True:
        if application.poll() is not None:
            fail(f"the application ended with status {application.returncode} while waiting "
                 f"for {what}")
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            fail(f"gave up waiting for {what}")
        time.sleep(0.2)


def window(title):
    return wait_for(f'a window titled "{title}"',
                    lambda: tool("xdotool", "search", "--onlyvisible", "--name", f"^{title}$"))


def activate(win):
    subprocess.run(["xdotool", "windowactivate", "--sync", win], check=True)
    time.sleep(0.3)  # the application takes the focus in


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def minimised(win):
    return "Iconic" in tool("xprop", "-id", win, "WM_STATE")


def start_window_manager():
    manager = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + TIMEOUT
    while "window id" not in tool("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
        if time.monotonic() > deadline:
            sys.exit("the window manager did not start")
        time.sleep(0.2)
    return manager


x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
ALL_PLANES, Z_PIXMAP = 0xFFFFFFFF, 2


def picture_drawn(launcher):
    """True when a twentieth of the launcher's first canvas differs from the
    content area's background beside it."""
    geometry = tool("xdotool", "getwindowgeometry", "--shell", launcher)
    height = int(geometry.split("HEIGHT=")[1].split()[0])
    left, top, width, tall = CANVAS
    display = x11.XOpenDisplay(None)
    # The menu bar lies above the content area.
    image = x11.XGetImage(display, int(launcher), 0, height - LAUNCHER_HEIGHT, left + width,
                          top + tall, ALL_PLANES, Z_PIXMAP)
    if not image:
        fail("could not read the launcher's pixels")
    background = x11.XGetPixel(image, left // 2, top // 2)
    drawn = sum(x11.XGetPixel(image, x, y) != background
                for x in range(left, left + width) for y in range(top, top + tall))
    x11.XDestroyImage(image)
    x11.XCloseDisplay(display)
    return drawn > width * tall // 20


def modal_box(owner):
    """The application's visible modal window over owner, if any. Qt sets both marks
    before it maps a message box, so this sees one at once, whoever has the focus and
    whatever its title (an empty one reads as the application's name)."""
    for win in tool("xdotool", "search", "--onlyvisible", "--pid", str(application.pid)).split():
        marks = tool("xprop", "-id", win, "-notype", "WM_TRANSIENT_FOR", "_NET_WM_STATE")
        if (marks.startswith(f"WM_TRANSIENT_FOR: window id # {int(owner):#x}\n")
                and "_NET_WM_STATE_MODAL" in marks):
            return win


def clipboard(selection="clipboard"):
    return tool("xclip", "-o", "-selection", selection)


def serve(text, selection="clipboard"):
    """Puts text on the X clipboard or another selection. xclip stays behind to serve it:
    no pipes to wait on."""
    subprocess.run(["xclip", "-selection", selection], input=text, text=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def copy_all(edit_menu=("alt+e",)):
    """Edit > Select All, then Edit > Copy, through the menu's mnemonics."""
    keys(*edit_menu, "a", *edit_menu, "c")


def paste_over():
    """Edit > Select All, then Edit > Paste, through the menu's mnemonics."""
    keys("alt+e", "a", "alt+e", "p")


def session():
    global application
    application = subprocess.Popen([sys.argv[1]])

    launcher = window("Kelvane")
    wait_for("the launcher's pictures to be drawn", lambda: picture_drawn(launcher))
    print("launcher up, pictures drawn")

    activate(launcher)
    keys("Tab", "space")  # from GenKeys to Encode, and press it
    encoder = window("Encode")
    activate(encoder)  # the focus is in the clear-text area
    if clipboard():
        fail("the clipboard is not empty to begin with")
    keys("ctrl+v", "shift+Insert")
    # A middle click in the clear-text area pastes the (empty) primary selection.
    subprocess.run(["xdotool", "mousemove", "--sync", "--window", encoder, "100", "150"])
    subprocess.run(["xdotool", "click", "2"], check=True)
    time.sleep(1)
    if application.poll() is not None:
        fail(f"pasting an empty clipboard ended the application: status {application.returncode}")
    print("pasting an empty clipboard is ignored")

    subprocess.run(["xdotool", "windowminimize", "--sync", encoder], check=True)
    wait_for("Encode to be minimised", lambda: minimised(encoder))
    activate(launcher)
    keys("space")  # the focus stays on Encode
    wait_for("Encode to come back", lambda: not minimised(encoder))
    wait_for("Encode to be the active window", lambda: tool("xdotool", "getactivewindow") == encoder)
    print("a minimised window comes back")

    # Pasted: a character the keyboard map lacks is typed through a key remapped for the
    # moment, which the application may read before it sees the new map.
    serve(CLEAR_TEXT)
    keys("ctrl+v")
    keys("Tab")
    type_text(str(N))
    keys("Tab")
    type_text(str(E))
    wait_for("e copied out of its field", lambda: copy_all() or clipboard() == str(E), 5)
    keys("alt+e", "t")  # Edit > Cut
    type_text("7")
    wait_for("e cut out of its field", lambda: copy_all() or clipboard() == "7", 5)
    # Alt pressed alone gives the menu bar the focus; its Edit menu still acts on the field.
    keys("alt", "e", "a")
    type_text(str(E))
    wait_for("e copied with Alt alone", lambda: copy_all(("alt", "e")) or clipboard() == str(E), 5)
    print("the Edit menu from the keyboard copies and cuts in a text field")

    # Edit > Select All gives the X11 primary selection what a copy gives, as Ctrl+A does.
    serve("-", "primary")
    keys("alt+e", "a")
    wait_for("e on the primary selection", lambda: clipboard("primary") == str(E), 5)
    keys("shift+Tab", "shift+Tab")  # back past n to the clear text
    serve("-", "primary")
    keys("alt+e", "a")
    wait_for("the clear text on the primary selection",
             lambda: clipboard("primary") == CLEAR_TEXT, 5)
    keys("Tab", "Tab")  # to e again
    print("Edit > Select All fills the primary selection")

    activate(launcher)
    keys("shift+Tab", "space")  # back from Encode to GenKeys, and press it
    genkeys = window("GenKeys")
    activate(genkeys)  # the focus is in the length field
    type_text("5")
    keys("alt")  # the menu bar takes the focus
    activate(encoder)
    activate(genkeys)
    type_text("7")
    wait_for("the 7 typed after GenKeys came back", lambda: copy_all() or clipboard() == "57", 5)
    print("a window given back keeps its typing")

    keys("End", "alt")  # nothing selected in GenKeys, whose menu bar takes the focus
    activate(encoder)  # the focus is back in e
    keys("ctrl+a")
    serve("kept")
    activate(genkeys)
    for item in "ctd":  # Copy, Cut, Delete: disabled, so Escape closes the menu
        keys("alt+e", item, "Escape")
    time.sleep(0.5)
    if clipboard() != "kept":
        fail(f"an Edit command chosen in GenKeys put {clipboard()!r} on the clipboard")
    activate(encoder)
    keys("ctrl+c")
    wait_for("e still selected in Encode", lambda: clipboard() == str(E), 5)
    print("Edit commands chosen in GenKeys leave Encode alone")

    keys("Tab", "space")  # Go
    decoder = window("Untitled")  # the decryption window's title
    activate(decoder)  # the focus is in the encrypted text, filled in by Encode
    keys("Tab")
    type_text(str(N))
    keys("Tab", "Tab", "Tab")  # past Go and the clear text to d
    type_text(str(D))
    keys("shift+Tab", "shift+Tab", "space", "Tab")  # Go, then into the clear text
    wait_for("the decrypted text on the clipboard", lambda: copy_all() or clipboard() == CLEAR_TEXT)
    print("round trip through the clipboard:", CLEAR_TEXT)

    serve(LONG_KEY)  # typing the digits would take minutes
    keys("shift+Tab", "shift+Tab")  # back past Go to n
    paste_over()
    keys("Tab", "Tab", "Tab")  # past Go and the clear text to d
    paste_over()
    keys("shift+Tab", "shift+Tab", "space")  # Go
    box = wait_for("the message box within a second of Go", lambda: modal_box(decoder), 1)
    activate(box)  # mapped need not yet mean focused: Return must reach the box
    keys("Return")
    wait_for("the message box to close within a second", lambda: not modal_box(decoder), 1)
    wait_for("Untitled to be active again", lambda: tool("xdotool", "getactivewindow") == decoder)
    print(f"a {len(LONG_KEY)}-digit key is refused at once")

    keys("ctrl+q")
    try:
        status = application.wait(TIMEOUT)
    except subprocess.TimeoutExpired:
        fail("the application did not quit on Ctrl+Q")
    if status != 0:
        sys.exit(f"the application exited with status {status}")
    print("quit with status 0")


def main():
    manager = start_window_manager()
    try:
        session()
    finally:
        manager.terminate()


if __name__ == "__main__":
    main()
