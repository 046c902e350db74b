#!/usr/bin/env python3
"""A GTK drag source for the end-to-end tests: a text view holding the given
text, all of it selected, ready to be dragged. It writes what it holds to a
file whenever that changes, so the test can see whether the drop took the
text away. Usage: gtk_drag_source.py GTK_VERSION TEXT STATE_FILE"""
import sys

import gi

version, text, state_file = sys.argv[1], sys.argv[2], sys.argv[3]
gi.require_version("Gtk", version + ".0")
from gi.repository import Gtk  # noqa: E402

TITLE = "kestrum-gtk%s-source" % version


def save(buffer):
    start, end = buffer.get_bounds()
    with open(state_file, "w", encoding="utf-8") as out:
        out.write(buffer.get_text(start, end, True))


def fill(view):
    buffer = view.get_buffer()
    buffer.set_text(text)
    buffer.select_range(buffer.get_start_iter(), buffer.get_end_iter())
    buffer.connect("changed", save)
    save(buffer)


if version == "3":
    window = Gtk.Window(title=TITLE)
    window.set_default_size(300, 120)
    view = Gtk.TextView()
    fill(view)
    window.add(view)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    Gtk.main()
else:
    def activate(app):
        window = Gtk.ApplicationWindow(application=app, title=TITLE)
        window.set_default_size(300, 120)
        view = Gtk.TextView()
        fill(view)
        window.set_child(view)
        window.present()

    app = Gtk.Application()
    app.connect("activate", activate)
    app.run([])
