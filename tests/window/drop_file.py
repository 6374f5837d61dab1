#!/usr/bin/python3
"""Drops a file onto an X window as a file manager does, by the XDND
protocol: enters the window, moves over its point X, Y, drops, and hands
over the file's URI when the window asks for the drop's data.
Usage: drop_file.py WINDOW_ID X Y PATH; exit code 1 when the window does not
take the drop within five seconds."""
import sys
import time
import urllib.parse

from Xlib import X, display, protocol

d = display.Display()
target = d.create_resource_object("window", int(sys.argv[1], 0))
x, y, path = int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
uri = ("file://" + urllib.parse.quote(path) + "\r\n").encode()

atom = d.intern_atom
source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
uri_list = atom("text/uri-list")
selection = atom("XdndSelection")
source.set_selection_owner(selection, X.CurrentTime)


def send(kind, *data):
    event = protocol.event.ClientMessage(window=target, client_type=atom(kind),
                                         data=(32, list(data) + [0] * (5 - len(data))))
    target.send_event(event, event_mask=X.NoEventMask)
    d.flush()


def until(seconds, handled):
    """Handles events until handled(event) says it is done; False on time."""
    end = time.time() + seconds
    while time.time() < end:
        while d.pending_events():
            if handled(d.next_event()):
                return True
        time.sleep(0.01)
    return False


on_screen = d.screen().root.translate_coords(target, x, y)
root_x, root_y = on_screen.x, on_screen.y
send("XdndEnter", source.id, 5 << 24, uri_list)
send("XdndPosition", source.id, 0, root_x << 16 | root_y, X.CurrentTime, atom("XdndActionCopy"))
accepted = []


def status(event):
    if event.type == X.ClientMessage and event.client_type == atom("XdndStatus"):
        accepted.append(event.data[1][1] & 1)
        return True
    return False


if not until(5, status) or not accepted[0]:
    sys.exit("the window did not accept the drag")
send("XdndDrop", source.id, 0, X.CurrentTime)


def request(event):
    if event.type == X.SelectionRequest:
        event.requestor.change_property(event.property, event.target, 8, uri)
        notify = protocol.event.SelectionNotify(time=event.time, requestor=event.requestor,
                                                selection=event.selection, target=event.target,
                                                property=event.property)
        event.requestor.send_event(notify)
        d.flush()
        return False  # on to the finished message
    return event.type == X.ClientMessage and event.client_type == atom("XdndFinished")


if not until(5, request):
    sys.exit("the window did not finish the drop")
d.close()
