#!/usr/bin/python3
"""Drops files on an X window as a file manager does: an X drag-and-drop
(XDND) source that offers the files as text/uri-list and hands them over
when the target asks for them.

    xdnd_drop.py WINDOW X Y FILE...

WINDOW is the target's top-level X window, X and Y the drop point on the
screen. Exits 0 once the target has finished the drop, 1 when it refused
the drop or did not answer. Runs under the system's Python, which has
python3-xlib; the checks call it as a separate program, as the drag of
another program would be.
"""
import sys
import time
from pathlib import Path
from urllib.parse import quote

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5
TIMEOUT = 10.0


def main(argv):
    if len(argv) < 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    target_id, x, y = int(argv[1], 0), int(argv[2]), int(argv[3])
    uris = "".join(f"file://{quote(str(Path(name).resolve()))}\r\n" for name in argv[4:]).encode()

    screen = display.Display()
    atom = screen.intern_atom
    root = screen.screen().root
    target = screen.create_resource_object("window", target_id)
    source = root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
    uri_list, targets = atom("text/uri-list"), atom("TARGETS")

    aware = target.get_full_property(atom("XdndAware"), Xatom.ATOM)
    if not aware or not aware.value:
        print(f"window {target_id:#x} takes no drops (no XdndAware)", file=sys.stderr)
        return 1
    version = min(XDND_VERSION, aware.value[0])
    source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)

    def send(name, data):
        message = event.ClientMessage(window=target, client_type=atom(name), data=(32, data + [0] * (5 - len(data))))
        target.send_event(message, event_mask=0, propagate=False)
        screen.flush()

    def answer(request):
        """Gives the files to whoever converts the drag's selection."""
        reply_property = request.property
        if request.target == uri_list:
            request.requestor.change_property(request.property, uri_list, 8, uris)
        elif request.target == targets:
            request.requestor.change_property(request.property, Xatom.ATOM, 32, [uri_list, targets])
        else:
            reply_property = X.NONE
        notice = event.SelectionNotify(time=request.time, requestor=request.requestor, selection=request.selection,
                                       target=request.target, property=reply_property)
        request.requestor.send_event(notice)
        screen.flush()

    send("XdndEnter", [source.id, version << 24, uri_list])
    send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
    dropped = False
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        if not screen.pending_events():
            time.sleep(0.01)
            continue
        received = screen.next_event()
        if received.type == X.SelectionRequest:
            answer(received)
        elif received.type == X.ClientMessage:
            name = screen.get_atom_name(received.client_type)
            values = received.data[1]
            if name == "XdndStatus" and not dropped:
                if not values[1] & 1:
                    send("XdndLeave", [source.id])
                    print("the target refused the drop", file=sys.stderr)
                    return 1
                send("XdndDrop", [source.id, 0, X.CurrentTime])
                dropped = True
            elif name == "XdndFinished":
                return 0
    print("the target did not finish the drop in time", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
