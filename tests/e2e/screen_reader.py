#!/usr/bin/python3
"""Reads Tinctora's window as a screen reader does, through AT-SPI.

  screen_reader.py tree        one line per object, "role|name|description", and "focus|name"
                               for the object that has the keyboard focus
  screen_reader.py focus NAME  moves the keyboard focus to the object called NAME
  screen_reader.py listen      until ended, one line "focus|role|name" for each object that gains
                               the focus (menu items included), as a screen reader announces it,
                               after a first line "listening"
"""
import sys

import pyatspi


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Tinctora":
            return app
    sys.exit("no application called Tinctora on the accessibility bus")


def objects(node):
    yield node
    for child in node:
        if child is not None:
            yield from objects(child)


def main():
    if sys.argv[1:] == ["tree"]:
        for node in objects(application()):
            print(f"{node.getRoleName()}|{node.name}|{node.description}")
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                print(f"focus|{node.name}")
    elif len(sys.argv) == 3 and sys.argv[1] == "focus":
        for node in objects(application()):
            if node.name == sys.argv[2]:
                sys.exit(0 if node.queryComponent().grabFocus() else 1)
        sys.exit(f"nothing called {sys.argv[2]!r}")
    elif sys.argv[1:] == ["listen"]:
        def heard(event):
            if event.detail1:
                print(f"focus|{event.source.getRoleName()}|{event.source.name}", flush=True)

        pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused")
        print("listening", flush=True)
        pyatspi.Registry.start()
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
