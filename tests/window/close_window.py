#!/usr/bin/python3
"""Asks an X window to close, as a window manager's close button does: sends
it the WM_DELETE_WINDOW client message. Usage: close_window.py WINDOW_ID"""
import sys

from Xlib import X, display, protocol

d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1], 0))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(event, event_mask=X.NoEventMask)
# A round trip, not just a flush: a connection closed right after writing can
# lose requests the server had not read yet.
d.sync()
d.close()
