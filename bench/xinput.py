#!/usr/bin/env python3
"""Hands a Windows benchmark's mouse to the X server, as a user's mouse is.

Reads the benchmark's output: a line "@move X Y", "@down B" or "@up B"
(B = 1 left, 3 right) becomes XTest input on $DISPLAY; every other line is
passed on, without its CR. A move waits (up to 2 s) until a window is there:
a menu that Wine already calls shown may not be on the screen yet, and a hand
moves onto what it sees.

Input injected from another Wine process moves Wine's cursor but not the X
pointer while an open menu holds the pointer grab; the bar then learns the X
pointer's own, older place from its next crossing event, and a hover is lost.
"""
import ctypes
import sys
import time

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(ctypes.c_ulong)]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("xinput.py: no X display")
root = x11.XDefaultRootWindow(display)


def window_at(x, y):
    wx, wy, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
    x11.XTranslateCoordinates(display, root, root, x, y, ctypes.byref(wx), ctypes.byref(wy), ctypes.byref(child))
    return child.value


for raw in sys.stdin.buffer:
    line = raw.decode("latin-1").rstrip("\r\n")
    words = line.split()
    if words[:1] == ["@move"]:
        x, y = int(words[1]), int(words[2])
        end = time.monotonic() + 2
        while not window_at(x, y) and time.monotonic() < end:
            time.sleep(0.001)
        xtest.XTestFakeMotionEvent(display, -1, x, y, 0)
    elif words[:1] in (["@down"], ["@up"]):
        xtest.XTestFakeButtonEvent(display, int(words[1]), words[0] == "@down", 0)
    else:
        sys.stdout.write(line + "\n")
        sys.stdout.flush()
        continue
    x11.XFlush(display)
