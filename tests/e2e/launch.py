#!/usr/bin/env python3
"""Starts the real application on the X display it is given, waits for its
launcher window "Kelvane" to appear, presses Ctrl+Q in it and expects the
application to exit with status 0.

Keys are sent through the X test extension (libXtst), so nothing beyond the
standard library and the X client libraries is needed.

Usage: launch.py path/to/kelvane   (under xvfb-run or any X display)
"""

import ctypes
import subprocess
import sys
import time

TITLE = b"Kelvane"
TIMEOUT = 30  # seconds, for the window to appear and again for the exit

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")

Display = ctypes.c_void_p
Window = ctypes.c_ulong
Atom = ctypes.c_ulong

x11.XOpenDisplay.restype = Display
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [Display]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [Display, ctypes.c_char_p, ctypes.c_int]
x11.XQueryTree.argtypes = [Display, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XGetWindowProperty.argtypes = [
    Display, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
    ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XSetInputFocus.argtypes = [Display, Window, ctypes.c_int, ctypes.c_ulong]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [Display, ctypes.c_ulong]
x11.XSync.argtypes = [Display, ctypes.c_int]
x11.XCloseDisplay.argtypes = [Display]
xtst.XTestFakeKeyEvent.argtypes = [Display, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

ANY_PROPERTY_TYPE = 0
REVERT_TO_PARENT = 2


def children(display, window):
    root, parent = Window(), Window()
    kids, count = ctypes.POINTER(Window)(), ctypes.c_uint()
    if not x11.XQueryTree(display, window, ctypes.byref(root), ctypes.byref(parent),
                          ctypes.byref(kids), ctypes.byref(count)):
        return []
    found = [kids[i] for i in range(count.value)]
    if kids:
        x11.XFree(kids)
    return found


def title(display, window, name_atom):
    kind, size_format = Atom(), ctypes.c_int()
    count, remaining, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    if x11.XGetWindowProperty(display, window, name_atom, 0, 1024, 0, ANY_PROPERTY_TYPE,
                              ctypes.byref(kind), ctypes.byref(size_format), ctypes.byref(count),
                              ctypes.byref(remaining), ctypes.byref(data)) != 0 or not data:
        return b""
    text = ctypes.string_at(data, count.value)
    x11.XFree(data)
    return text


def find_window(display, name_atom):
    pending = [x11.XDefaultRootWindow(display)]
    while pending:
        window = pending.pop()
        if title(display, window, name_atom) == TITLE:
            return window
        pending.extend(children(display, window))
    return None


def press_ctrl_q(display, window):
    x11.XSetInputFocus(display, window, REVERT_TO_PARENT, 0)
    x11.XSync(display, 0)
    time.sleep(0.5)  # the application takes the focus in
    control = x11.XKeysymToKeycode(display, x11.XStringToKeysym(b"Control_L"))
    q = x11.XKeysymToKeycode(display, x11.XStringToKeysym(b"q"))
    for keycode, down in ((control, 1), (q, 1), (q, 0), (control, 0)):
        xtst.XTestFakeKeyEvent(display, keycode, down, 0)
    x11.XSync(display, 0)


def main():
    application = subprocess.Popen([sys.argv[1]])
    display = x11.XOpenDisplay(None)
    if not display:
        application.kill()
        sys.exit("no X display to run on")
    name_atom = x11.XInternAtom(display, b"WM_NAME", 0)

    deadline = time.monotonic() + TIMEOUT
    window = None
    while window is None:
        if application.poll() is not None:
            sys.exit(f"the application ended before its window appeared: {application.returncode}")
        if time.monotonic() > deadline:
            application.kill()
            sys.exit('no window titled "Kelvane" appeared')
        time.sleep(0.2)
        window = find_window(display, name_atom)
    print('window "Kelvane" is up; pressing Ctrl+Q')

    press_ctrl_q(display, window)
    x11.XCloseDisplay(display)
    try:
        status = application.wait(TIMEOUT)
    except subprocess.TimeoutExpired:
        application.kill()
        sys.exit("the application did not quit on Ctrl+Q")
    if status != 0:
        sys.exit(f"the application exited with status {status}")
    print("quit with status 0")


if __name__ == "__main__":
    main()
