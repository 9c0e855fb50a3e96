#!/usr/bin/env python3
"""name-events.py FILE -- writes a line to FILE for every name change on the accessibility bus
(object:property-change:accessible-name), as a screen reader receives them: time, role, name.
Runs until killed. Started by ear.sh when EAR_NAME_EVENTS names the file."""
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

out = open(sys.argv[1], "a", buffering=1, encoding="utf-8")


def heard(event):
    try:
        role, name = event.source.get_role_name(), event.source.get_name()
    except Exception:  # the object may be gone already
        role, name = "?", "?"
    out.write("%.3f\t%s\t%s\n" % (time.time(), role, name.replace("\n", "\\n")))


listener = Atspi.EventListener.new(heard)
listener.register("object:property-change:accessible-name")
Atspi.event_main()
