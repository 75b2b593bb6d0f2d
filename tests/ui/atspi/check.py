"""What a screen reader hears from the calculator, asked the way a screen
reader asks: through AT-SPI, from outside the program, with real key presses.

Run by run.sh, which gives it an X server, a D-Bus session and the
accessibility bus. It starts the program itself, after it listens, because
Qt sends only the events someone has asked for when it starts.

    check.py PROGRAM BESTIARY

Every rule that fails is printed; the exit status is 1 if any did.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WINDOW = "Vorn Foe Calculator"
ABOUT = "About Vorn Foe Calculator"
# The statistics are the calculator's answer: no key may change them. The
# other results take typed text until the next recomputation.
STATISTICS = {"Melee Init", "Melee Atk", "Melee Dfn", "Melee Dam", "Soak", "HP", "Res"}
TYPED = "an"
FIRST_OFFER, SECOND_OFFER = "Ancient Dragon", "Bandit"  # the bestiary's names containing "an", in order

failures = []


def check(holds, rule):
    if not holds:
        failures.append(rule)
    return holds


class Ears:
    """Every focus change and description change, as they were when heard."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(
            self.hear, "object:state-changed:focused", "object:property-change:accessible-description")

    def hear(self, event):
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return  # the focus leaving; its arrival elsewhere is what is announced
        try:
            said = (event.type, event.source.getRoleName(), event.source.name, event.source.description)
        except Exception:  # gone already
            return
        self.heard.append(said)

    def listen(self):
        while GLib.MainContext.default().iteration(False):
            pass

    def act(self, *command):
        """Runs an xdotool command; what was heard before it is forgotten."""
        self.listen()
        self.heard.clear()
        subprocess.run(["xdotool", *command], check=True, stdout=subprocess.DEVNULL)

    def bring_to_front(self, title):
        """Gives a window the keyboard, as clicking into it would: there is no
        window manager to give it back when a dialog closes."""
        self.act("search", "--sync", "--limit", "1", "--name", f"^{title}$", "windowfocus", "--sync")

    def press(self, *keys):
        self.act("key", "--delay", "20", *keys)

    def next(self, wanted, seconds=5):
        """The first event heard since the last action that `wanted` accepts, or None."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.listen()
            for said in self.heard:
                if wanted(*said):
                    return said
            time.sleep(0.01)
        return None

    def until(self, holds, seconds=5):
        """Whether `holds()` comes true within the time, listening meanwhile."""
        end = time.monotonic() + seconds
        while not holds():
            if time.monotonic() > end:
                return False
            self.listen()
            time.sleep(0.01)
        return True

    def next_focus(self, seconds=5):
        """The next control to take the focus; a window coming to the front
        or a menu opening is announced too, but is no control of the sheet."""
        return self.next(lambda kind, role, *_: kind.startswith("object:state-changed:focused")
                         and role not in ("frame", "dialog", "menu", "menu item"), seconds)


def showing_tree(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield from showing_tree(child)


def find_window(title, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            for window in app or []:
                if window is not None and window.name == title:
                    return window
        time.sleep(0.1)
    return None


def reachable(node, name, depth=12):
    """The node named `name` found by walking down from `node`, as a screen
    reader's review of the application does, or None."""
    if node is None or depth == 0:
        return None
    if node.name == name:
        return node
    for i in range(node.childCount):
        found = reachable(node.getChildAtIndex(i), name, depth - 1)
        if found is not None:
            return found
    return None


def related(node, relation):
    return [rel.getTarget(i) for rel in node.getRelationSet() if rel.getRelationType() == relation
            for i in range(rel.getNTargets())]


def text_of(node):
    return node.queryText().getText(0, -1)


def edit_field_of(combo):
    return next(child for child in combo if child is not None and child.getRole() == pyatspi.ROLE_TEXT)


def check_the_sheet(window):
    """Names, captions, read-only results and the foe box, as the tree shows them."""
    shown = list(showing_tree(window))
    combo = next(node for node in shown if node.getRole() == pyatspi.ROLE_COMBO_BOX)
    for node in shown:
        focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
        check(not focusable or node.name, f"a focusable {node.getRoleName()} has no name")
        if node.getRole() == pyatspi.ROLE_TEXT and node.parent.getRole() != pyatspi.ROLE_COMBO_BOX:
            read_only = node.getState().contains(pyatspi.STATE_READ_ONLY)
            check(read_only == (node.name in STATISTICS),
                  f"{node.name} is {'' if read_only else 'not '}read-only")
        if node.getRole() == pyatspi.ROLE_LABEL:
            boxes = related(node, pyatspi.RELATION_LABEL_FOR)
            if check(len(boxes) == 1, f"caption {node.name} labels {len(boxes)} boxes, not 1"):
                box = boxes[0]
                check(node.name.lower() in box.name.lower(), f"caption {node.name} labels {box.name}")
                check(any(label.name == node.name for label in related(box, pyatspi.RELATION_LABELLED_BY)),
                      f"{box.name} does not say it is labelled by {node.name}")
        if node.getRole() == pyatspi.ROLE_RADIO_BUTTON:
            groups = [label.name for label in related(node, pyatspi.RELATION_LABELLED_BY)]
            check(groups == ["Category"], f"option {node.name} is labelled by {groups}, not the Category group")
            check("Category" not in node.name, f"option {node.name} repeats its group's caption")
    statistics = {node.name for node in shown if node.name in STATISTICS and node.getRole() == pyatspi.ROLE_TEXT}
    check(statistics == STATISTICS, f"statistics found: {sorted(statistics)}")
    check(combo.name == "Foe", f"the foe box is named {combo.name!r}, not 'Foe'")
    check(edit_field_of(combo).name == "Foe name", f"the foe box's edit field is named {edit_field_of(combo).name!r}")
    check(text_of(edit_field_of(combo)) == "[Generic]", "the foe box's value is not its text, [Generic]")
    return combo


def check_the_focus_ring(window, ears):
    """The focus starts on the Init tally; Tab goes round every control once,
    and each says who it is on arrival."""
    start = ears.next_focus()
    if not check(start and start[2] == "Init tally", f"the window opened with the focus on {start}"):
        return
    ring = [start[2]]
    for _ in range(60):
        ears.press("Tab")
        arrival = ears.next_focus()
        if not check(arrival, f"Tab from {ring[-1]} announced no focus change"):
            return
        if arrival[2] == ring[0]:
            break
        ring.append(arrival[2])
    check(all(ring), f"a control reached by Tab has no name: {ring}")
    twice = sorted({name for name in ring if ring.count(name) > 1})
    check(not twice, f"names said by more than one control: {twice}")
    shown = list(showing_tree(window))
    expected = {node.name for node in shown if node.getRole() == pyatspi.ROLE_TEXT
                and node.parent.getRole() != pyatspi.ROLE_COMBO_BOX}
    expected |= {"Foe"} | {node.name for node in shown if node.getRole() == pyatspi.ROLE_RADIO_BUTTON
                            and node.getState().contains(pyatspi.STATE_CHECKED)}
    check(set(ring) == expected, f"Tab reaches {sorted(set(ring) ^ expected)} wrongly")


def check_the_offers(combo, ears):
    """Typing offers names, which are told as they appear and as the game master moves through them."""
    for _ in range(60):
        ears.press("Tab")
        arrival = ears.next_focus()
        if arrival is None or arrival[1] == "combo box":
            break
    if not check(arrival and arrival[2] == "Foe", "Tab never reached the foe box, announced as Foe"):
        return
    ears.act("type", "--delay", "50", TYPED)
    check(ears.until(lambda: text_of(edit_field_of(combo)) == TYPED),
          f"the foe box's value is not the typed {TYPED!r}")
    told = ears.next(lambda kind, role, name, description: "description" in kind and FIRST_OFFER in description)
    check(told and told[1:3] == ("combo box", "Foe"), f"typing {TYPED!r} did not tell the offers on the foe box")
    suggestions = reachable(combo.getApplication(), "Foe suggestions")
    check(suggestions is not None and suggestions.getRole() == pyatspi.ROLE_LIST,
          "the suggestions cannot be reached from the application")
    for offer in FIRST_OFFER, SECOND_OFFER:
        ears.press("Down")
        arrival = ears.next_focus()
        check(arrival and arrival[1:3] == ("list item", offer), f"Down did not announce the offer {offer}: {arrival}")
    ears.press("Return")  # takes the offer; the keyboard is back in the foe box
    arrival = ears.next_focus()
    check(arrival and arrival[1:3] == ("text", "Foe name"), f"Enter on an offer announced {arrival}, not the foe box")
    check(ears.until(lambda: text_of(edit_field_of(combo)) == SECOND_OFFER), f"Enter did not take {SECOND_OFFER}")

    ears.press("ctrl+a")
    ears.act("type", "--delay", "50", TYPED)
    check(ears.next(lambda kind, role, name, description: "description" in kind and FIRST_OFFER in description),
          f"typing {TYPED!r} again did not tell the offers")
    ears.press("Escape")
    told = ears.next(lambda kind, role, name, description: "description" in kind)
    check(told and "suggestion" not in told[3], "Escape did not give the foe box its own description back")
    check(combo.name == "Foe", f"the foe box became {combo.name!r} once a name was chosen")

    ears.press("alt+Down")  # the whole list
    arrival = ears.next_focus()
    check(arrival and arrival[1] == "list item", f"the opened list announced {arrival}")
    unnamed = [node.getRoleName() for node in showing_tree(combo)
               if node.getState().contains(pyatspi.STATE_FOCUSABLE) and not node.name]
    check(not unnamed, f"the opened foe list holds unnamed parts: {unnamed}")
    ears.press("Escape")


def check_the_about_box(ears):
    """Help > About opens the box with the focus on OK; Tab goes round its
    three tab stops, the icon between the buttons, each with a name of its own."""
    ears.press("alt+h")
    opened = ears.next(lambda kind, role, *_: kind.startswith("object:state-changed:focused")
                       and role in ("menu", "menu item"))
    if not check(opened, "Alt+H opened no menu"):
        return
    ears.press("a")
    arrival = ears.next(lambda kind, role, name, _: kind.startswith("object:state-changed:focused") and name == "OK")
    ring = []
    while check(arrival, f"no focus change announced in the About box after {ring}") and arrival[2] not in ring:
        ring.append(arrival[2])
        ears.press("Tab")
        arrival = ears.next_focus()
    check(len(set(ring)) == 3 and all(ring), f"the About box's tab stops say {ring}")
    ears.press("Escape")


def find_window_starting(prefix, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            for window in app or []:
                if window is not None and window.name.startswith(prefix):
                    return window
        time.sleep(0.1)
    return None


def check_the_encounter(ears):
    """The sheet added to the encounter, whose window opens with the keyboard
    in its entries; each cell is read with its column's name. Undone after,
    so that nothing is left unsaved."""
    ears.bring_to_front(WINDOW)
    ears.press("ctrl+a")  # the keyboard is still in the foe box
    ears.act("type", "--delay", "50", SECOND_OFFER)
    ears.press("Escape", "ctrl+shift+a", "ctrl+shift+n")
    if not check(find_window_starting("Encounter: "), "Ctrl+Shift+N showed no Encounter window"):
        return
    ears.act("search", "--sync", "--onlyvisible", "--limit", "1", "--name", "^Encounter: ", "windowfocus", "--sync")
    for expected in f"Foe: {SECOND_OFFER}", "Category: Equal":
        ears.press("Right")
        arrival = ears.next_focus()
        check(arrival and arrival[1:3] == ("table cell", expected), f"Right announced {arrival}, not {expected}")
    ears.press("ctrl+z")


def main(program, bestiary):
    ears = Ears()
    environment = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_QPA_PLATFORM="xcb")
    with open(os.environ.get("PROGRAM_LOG", os.devnull), "w") as log:
        calculator = subprocess.Popen([program, "--bestiary", bestiary], env=environment,
                                      stdout=log, stderr=subprocess.STDOUT)
    try:
        window = find_window(WINDOW)
        if not check(window, f"no window {WINDOW!r} reached the accessibility bus"):
            return
        ears.bring_to_front(WINDOW)
        check_the_focus_ring(window, ears)
        combo = check_the_sheet(window)
        check_the_offers(combo, ears)
        check_the_about_box(ears)
        check_the_encounter(ears)
        ears.bring_to_front(WINDOW)
        ears.press("alt+x")
        try:
            check(calculator.wait(10) == 0, f"E&xit ended the program with status {calculator.returncode}")
        except subprocess.TimeoutExpired:
            check(False, "E&xit did not end the program")
    finally:
        if calculator.poll() is None:
            calculator.terminate()
            calculator.wait(10)


if __name__ == "__main__":
    started = time.monotonic()
    main(*sys.argv[1:3])
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(failures)} rules broken, {time.monotonic() - started:.1f} s")
    sys.exit(1 if failures else 0)
