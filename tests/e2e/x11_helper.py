#!/usr/bin/env python3
"""Small X11 helpers for the end-to-end tests, with only the standard library.

  x11_helper.py close WINDOW_ID   ask the window to close (WM_DELETE_WINDOW), as a
                                  window manager's close button does
  x11_helper.py busy FILE.xwd     exit 0 when the screenshot shows a real picture
                                  (more than 16 colours and not almost all black)
"""
import ctypes
import ctypes.util
import struct
import sys


def close_window(wid):
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 16)]

    dpy = x11.XOpenDisplay(None)
    if not dpy:
        sys.exit("cannot open the display")
    ev = ClientMessage()
    ev.type = 33  # ClientMessage
    ev.send_event = 1
    ev.display = dpy
    ev.window = wid
    ev.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
    ev.format = 32
    ev.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
    ev.data[1] = 0  # CurrentTime
    x11.XSendEvent(dpy, wid, 0, 0, ctypes.byref(ev))
    x11.XFlush(dpy)
    x11.XCloseDisplay(dpy)


def busy_picture(path):
    data = open(path, "rb").read()
    h = struct.unpack(">25I", data[:100])
    header_size, width, height = h[0], h[4], h[5]
    bpp, bytes_per_line, ncolors = h[11], h[12], h[19]
    if bpp not in (24, 32):
        sys.exit("unexpected pixel size %d" % bpp)
    pix = data[header_size + ncolors * 12:]
    step = bpp // 8
    colours = set()
    dark = total = 0
    for y in range(0, height, 4):
        row = pix[y * bytes_per_line:(y * bytes_per_line) + width * step]
        for x in range(0, width * step, 4 * step):
            p = row[x:x + 3]
            colours.add(p)
            total += 1
            if max(p) < 16:
                dark += 1
    print("colours %d, dark %.2f" % (len(colours), dark / max(total, 1)))
    return len(colours) > 16 and dark < 0.9 * total


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "close":
        close_window(int(sys.argv[2], 0))
    elif len(sys.argv) == 3 and sys.argv[1] == "busy":
        sys.exit(0 if busy_picture(sys.argv[2]) else 1)
    else:
        sys.exit(__doc__)
