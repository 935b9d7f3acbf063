#!/usr/bin/python3
"""The window as a screen reader meets it, through at-spi2 itself.

Started by atspi_test.sh inside a private X server, D-Bus session and
accessibility bus. Runs the window, drives it as a keyboard user and a
screen reader would (keys, and at-spi's own actions), and checks the names,
roles, relations and texts of every control of the main window, the Chart
window, Compare and About. Every wait is bounded and says what it waited for.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM = sys.argv[1]
WAIT_SECONDS = 20
failures = []


class Stop(Exception):
    """A step that the rest cannot go on without has failed."""


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL: " + what, flush=True)
    return condition


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, seconds=WAIT_SECONDS, fatal=True):
    """probe's first true answer; past the time, Stop (or None if not fatal)."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        try:
            found = probe()
        except GLib.Error:
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            if not fatal:
                return None
            raise Stop("waited %d s for %s" % (seconds, what))
        time.sleep(0.05)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def descendants(node, skip_lists=True):
    """Every object below node; the rows of a drop-down list are skipped."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        if skip_lists and child.getRole() == pyatspi.ROLE_COMBO_BOX:
            continue
        yield from descendants(child, skip_lists)


def find(root, role, name=None, only_showing=True):
    for node in descendants(root):
        if node.getRole() == role and (name is None or node.name == name) and (
                not only_showing or showing(node)):
            return node
    return None


def labels_of(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(node):
    node.queryAction().doAction(actions_of(node).index("Press"))


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def focused(root):
    """The focused control among those in view (a closed list's rows keep
    their last state)."""
    for i in range(root.childCount):
        node = root.getChildAtIndex(i)
        if node is None or not showing(node):
            continue
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
        if node.getRole() != pyatspi.ROLE_COMBO_BOX:
            found = focused(node)
            if found is not None:
                return found
    return None


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=WAIT_SECONDS,
                   stdout=subprocess.DEVNULL)
    pump()


def key(name):
    """Presses a key (X's names: Down, Return, Tab, alt+h) where the focus is."""
    xdotool("key", "--clearmodifiers", name)


def type_text(text):
    xdotool("type", "--delay", "30", text)


FOCUSABLE_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST,
}


def check_controls(window, expected, where):
    """Every control in view is one of `expected` (role, name or first
    label), each expected one is in view, and each says something."""
    seen = set()
    for node in descendants(window):
        if node.getRole() not in FOCUSABLE_ROLES or not showing(node):
            continue
        role = node.getRoleName()
        labels = labels_of(node)
        # A drop-down list is named by its first label, its name being its value.
        name = labels[0] if node.getRole() == pyatspi.ROLE_COMBO_BOX and labels else node.name
        seen.add((role, name))
        check((role, name) in expected, "%s: unexpected %s %r (labels %r)" % (where, role, name, labels))
        check(node.description.strip() or node.getRole() in (pyatspi.ROLE_PAGE_TAB_LIST,),
              "%s: %s %r has no description" % (where, role, name))
    for role, name in expected:
        check((role, name) in seen, "%s: no %s %r in view" % (where, role, name))


def start():
    program = subprocess.Popen([PROGRAM], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    name = os.path.splitext(os.path.basename(PROGRAM))[0]

    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name and app.childCount > 0:
                return app
        if program.poll() is not None:
            raise Stop("the window ended with status %d: %s" % (
                program.returncode, program.stdout.read().decode(errors="replace")))
        return None

    return program, wait_for("the window on the accessibility bus", application)


def activate(window, program):
    """Without a window manager nobody gives a window the keyboard: it is
    given to the program's window of this title, as a window manager would."""
    wait_for("the window on the screen", lambda: extents(window)[2] > 0)
    title = "^%s$" % window.name.replace(".", "[.]")
    xdotool("search", "--sync", "--onlyvisible", "--pid", str(program.pid), "--name", title,
            "windowfocus", "--sync")
    wait_for("the window to be active", lambda: window.getState().contains(pyatspi.STATE_ACTIVE))


def main_window(app, program):
    frame = wait_for("the main window's frame", lambda: find(app, pyatspi.ROLE_FRAME, "Tavrinel v1.15"))
    activate(frame, program)
    lists = {
        "Date of Birth: day": "1", "Date of Birth: month": "January", "Date of Birth: year": "1901",
        "Time of Birth: hours": "0", "Time of Birth: minutes": "0",
    }
    for caption, value in lists.items():
        box = next((n for n in descendants(frame) if n.getRole() == pyatspi.ROLE_COMBO_BOX
                    and showing(n) and labels_of(n)[:1] == [caption]), None)
        if check(box is not None, "no drop-down list labelled %r first" % caption):
            check(box.name == value, "%s reads %r, not its value %r" % (caption, box.name, value))
    for group, options in (("Latitude direction", ("North", "South")),
                           ("Longitude direction", ("East", "West"))):
        panel = find(frame, pyatspi.ROLE_PANEL, group)
        if check(panel is not None, "no group named %r" % group):
            check([panel.getChildAtIndex(i).name for i in range(panel.childCount)] == list(options),
                  "%s holds %r" % (group, [panel.getChildAtIndex(i).name for i in range(panel.childCount)]))
    expected = {("push button", "Open Previously Saved Reading"),
                ("push button", "Find Latitude & Longitude"),
                ("push button", "Get My Tavrinel Reading"),
                ("check box", "Daylight Saving Time"), ("combo box", "Time Zone")}
    expected |= {("text", n) for n in ("Name", "City", "State", "Country", "Latitude: degrees",
                                       "Latitude: minutes", "Longitude: degrees",
                                       "Longitude: minutes")}
    expected |= {("combo box", c) for c in lists}
    expected |= {("radio button", n) for n in ("North", "South", "East", "West")}
    check_controls(frame, expected, "input panel")
    for caption in ("Name", "Date of Birth", "Time of Birth", "HH/MM", "Time Zone", "Latitude",
                    "Longitude", "DEG/MIN", "City", "State", "Country"):
        check(find(frame, pyatspi.ROLE_LABEL, caption) is not None, "no caption %r in view" % caption)
    return frame


def pick_place(app, frame):
    """Down then Return in the atlas list picks its first place, and the zone
    line appears as a notification, which a screen reader speaks."""
    heard = []

    def on_showing(event):
        if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            heard.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    city = find(frame, pyatspi.ROLE_TEXT, "City")
    city.queryComponent().grabFocus()
    wait_for("the focus in City", lambda: city.getState().contains(pyatspi.STATE_FOCUSED))
    type_text("Pun")
    places = wait_for("the atlas list", lambda: find(frame, pyatspi.ROLE_LIST, "Places"))
    first = wait_for("the first place offered", lambda: places.childCount and places.getChildAtIndex(0).name)
    key("Down")
    key("Return")
    wait_for("the list to close", lambda: not showing(places))
    state = find(frame, pyatspi.ROLE_TEXT, "State")
    picked = text_of(city) + ", " + text_of(state)
    check(first.startswith(picked + ","), "Down, Return picked %r, not the first place %r" % (picked, first))
    line = wait_for("the zone line", lambda: next(
        (n for n in descendants(frame) if showing(n) and "Time zone chosen" in (n.description, n.name)),
        None))
    check(line.getRole() == pyatspi.ROLE_NOTIFICATION, "the zone line is a %s" % line.getRoleName())
    check(line.name.strip() != "", "the zone line says nothing")
    check(wait_for("the zone line to be announced", lambda: line.name in heard, fatal=False),
          "the zone line %r was not announced (heard %r)" % (line.name, heard))
    pyatspi.Registry.deregisterEventListener(on_showing, "object:state-changed:showing")


def reading_panel(app, frame):
    name = find(frame, pyatspi.ROLE_TEXT, "Name")
    name.queryComponent().grabFocus()
    wait_for("the focus in Name", lambda: name.getState().contains(pyatspi.STATE_FOCUSED))
    type_text("Ann")
    # The day the Sun enters sidereal Virgo: the documented sky and the
    # precise one part, so the sky check speaks and Compare is offered. The
    # lists follow Name in the tab order; typing picks an entry.
    for caption, entry in (("Date of Birth: day", "16"), ("Date of Birth: month", "September"),
                           ("Date of Birth: year", "1977"), ("Time of Birth: hours", "12")):
        before = focused(frame)
        key("Tab")
        box = wait_for("the focus on %s" % caption, lambda: (
            lambda f: f if f is not None and f.getRole() == pyatspi.ROLE_COMBO_BOX and f != before
            else None)(focused(frame)))
        check(labels_of(box)[:1] == [caption], "Tab came to %r, not %s" % (labels_of(box), caption))
        type_text(entry)
        wait_for("%s to read %s" % (caption, entry), lambda: box.name == entry)
    press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Get My Tavrinel Reading"))
    reading = wait_for("the reading", lambda: find(frame, pyatspi.ROLE_TEXT, "Reading"))
    check("Peregrine" in text_of(reading), "the reading's text is not read out")
    sky = wait_for("the sky line", lambda: next(
        (n for n in descendants(frame) if n.getRole() == pyatspi.ROLE_LABEL and showing(n)
         and "Calculation of the reading" in (n.description, n.name)), None))
    check(sky.name == "Positions: As documented (v1.15)", "the sky line reads %r" % sky.name)
    finding = next((n for n in descendants(frame) if n.getRole() == pyatspi.ROLE_LABEL
                    and showing(n) and "Sky check" in (n.description, n.name)), None)
    if check(finding is not None, "no sky check line in view"):
        check(finding.name.startswith("With precise positions, Sun is in Leo (own sign), "
                                      "not Virgo (no dignity)") and finding.name.endswith("."),
              "the sky check line reads %r" % finding.name)
    check_controls(frame, {("push button", "Chart"), ("push button", "Compare positions"),
                           ("push button", "Save"), ("push button", "Back"), ("text", "Reading")},
                   "reading panel")
    # Tab follows the row of buttons.
    row = ["Chart", "Compare positions", "Save", "Back"]
    find(frame, pyatspi.ROLE_PUSH_BUTTON, row[0]).queryComponent().grabFocus()
    order = [wait_for("the focus on Chart", lambda: focused(frame)).name]
    for _ in row[1:]:
        before = order[-1]
        key("Tab")
        order.append(wait_for("the focus to move on from %s" % before, lambda: (
            lambda f: f.name if f is not None and f.name != before else None)(focused(frame))))
    check(order == row, "Tab goes %r" % order)


def chart_window(app, frame):
    press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Chart"))
    chart = wait_for("the Chart window", lambda: next(
        (app.getChildAtIndex(i) for i in range(app.childCount)
         if app.getChildAtIndex(i).name == "Chart - Ann"), None))
    check(chart.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG),
          "the Chart window is a %s" % chart.getRoleName())
    # The row of tabs is read by its current tab.
    check_controls(chart, {("page tab list", "South Indian"), ("page tab", "South Indian"),
                           ("page tab", "North Indian"), ("page tab", "Positions"),
                           ("page tab", "Dasha"), ("page tab", "Vargas"),
                           ("page tab", "Strength")}, "Chart window")
    # A picture is described by the table's text, which holds the same facts.
    picture = next((n for n in descendants(chart) if n.name == "South Indian chart" and showing(n)), None)
    if check(picture is not None, "the South Indian picture is not in view by its name"):
        check("Sun" in picture.description and "Virgo" in picture.description,
              "the picture is described as %r" % picture.description[:80])
    # Beside the main window, where the screen has room for it.
    mx, my, mw, mh = extents(frame)
    cx, cy, cw, ch = wait_for("the Chart window on the screen",
                              lambda: extents(chart)[2] > 0 and extents(chart))
    check(cx >= mx + mw or cx + cw <= mx, "the Chart window %r covers the main window %r" % (
        (cx, cy, cw, ch), (mx, my, mw, mh)))
    check(cy == my, "the Chart window's top %d is not level with the main window's %d" % (cy, my))
    # The table's page, read cell by cell (the nodes in moolatrikona, as the
    # command line's table gives this chart).
    tab = find(chart, pyatspi.ROLE_PAGE_TAB, "Positions")
    check(actions_of(tab), "the Positions tab cannot be pressed")
    tab.queryAction().doAction(0)
    table = wait_for("the positions table", lambda: find(chart, pyatspi.ROLE_TABLE, "Positions"))
    cells = table.queryTable()
    dignities = {cells.getAccessibleAt(r, 0).name: cells.getAccessibleAt(r, 6).name
                 for r in range(cells.nRows)}
    check(len(dignities) == 10, "the positions table has %d rows" % len(dignities))
    check(any(n.getRole() == pyatspi.ROLE_LABEL and showing(n)
              and n.name.startswith("Positions, nakshatras and dignities: As documented")
              for n in descendants(chart)), "the table's notes are not read out")
    check(dignities.get("Sun") == "Peregrine" and dignities.get("Rahu") == "Moolatrikona",
          "the positions table reads %r" % dignities)
    # Tab from a page's tab reaches its controls by their names, with no
    # unnamed stop between (a scrolling page that took the focus was heard
    # as a nameless filler), and leaves a table in one step. What takes the
    # focus is what a screen reader is told of; a cell stands for its table
    # (a table's cells keep their focused state after it is left).
    heard = []

    def on_focus(event):
        if event.detail1 == 1:
            heard.append(event.source)

    def control(node):
        while node is not None and node.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM):
            node = node.parent
        # A drop-down list is named by its first label, its name being its value.
        labels = labels_of(node) if node.getRole() == pyatspi.ROLE_COMBO_BOX else []
        return node.getRoleName(), labels[0] if labels else node.name

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    wait_for("the Chart window to be active", lambda: chart.getState().contains(pyatspi.STATE_ACTIVE))
    for page, stops in (("Dasha", ["Mahadashas and antardashas", "Date", "Transits"]),
                        ("Vargas", ["Vargas", "Draw:", "Style:"]),
                        ("Strength", ["Shadbala", "Ashtakavarga:"])):
        find(chart, pyatspi.ROLE_PAGE_TAB, page).queryAction().doAction(0)
        wait_for("the %s page" % page, lambda: any(
            n.name == stops[0] and showing(n) for n in descendants(chart)))
        tabs = find(chart, pyatspi.ROLE_PAGE_TAB_LIST)
        tabs.queryComponent().grabFocus()
        # The row of tabs is heard by its current tab.
        walked = [wait_for("the focus on the tabs", lambda: heard and heard[-1].getRole() in (
            pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_PAGE_TAB_LIST) and control(heard[-1]))]
        for _ in stops:
            key("Tab")
            walked.append(wait_for("the focus to move on from %r" % (walked[-1],), lambda: (
                lambda now: now if now != walked[-1] else None)(control(heard[-1]))))
        check([name for _, name in walked[1:]] == stops and all(
            role != "filler" and name for role, name in walked[1:]),
            "Tab from the %s tab goes %r" % (page, walked[1:]))
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    # The Strength page is in front: each bar is heard by its graha, rupas,
    # minimum (Raman's) and ratio, the strongest of the seven said once.
    minimums = (("Sun", "5"), ("Moon", "6"), ("Mercury", "7"), ("Venus", "5.5"), ("Mars", "5"),
                ("Jupiter", "6.5"), ("Saturn", "5"))
    bars = [n.name for n in descendants(chart) if n.getRole() == pyatspi.ROLE_IMAGE and showing(n)
            and n.name.split(":")[0] in dict(minimums)]
    check(len(bars) == 7 and all(
        re.fullmatch(r"%s: \d+\.\d\d rupas, minimum %s, ratio \d+\.\d\d(, the strongest)?"
                     % (re.escape(graha), re.escape(minimum)), bar)
        for (graha, minimum), bar in zip(minimums, bars))
        and sum(bar.endswith(", the strongest") for bar in bars) == 1,
        "the Shadbala bars are heard as %r" % bars)
    check(find(chart, pyatspi.ROLE_CHART, "Shadbala in rupas") is not None,
          "the bars are not heard as a chart")


def compare_window(app, frame):
    button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Compare positions")
    if not check(button is not None, "no Compare button to press"):
        return
    press(button)
    compare = wait_for("the Compare window", lambda: next(
        (app.getChildAtIndex(i) for i in range(app.childCount)
         if app.getChildAtIndex(i).name == "Positions side by side"), None))
    check(compare.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG),
          "the Compare window is a %s" % compare.getRoleName())
    check_controls(compare, {("table", "Positions side by side")}, "Compare")
    table = find(compare, pyatspi.ROLE_TABLE, "Positions side by side").queryTable()
    grahas = [table.getAccessibleAt(r, 0).name for r in range(table.nRows)]
    check(grahas == ["Surya (Sun)", "Chandra (Moon)", "Budha (Mercury)", "Shukra (Venus)",
                     "Mangala (Mars)", "Guru (Jupiter)", "Shani (Saturn)", "Rahu", "Ketu",
                     "Lagna"],
          "Compare names the grahas and the Lagna %r" % grahas)
    for start in ("As documented (v1.15) beside Precise", "With precise positions, Sun is in Leo"):
        check(any(n.getRole() == pyatspi.ROLE_LABEL and n.name.startswith(start)
                  for n in descendants(compare)), "Compare does not read out %r" % start)
    press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Back"))


def about_window(app, frame, program):
    # The window is modal: an action that opened it would be answered only
    # once it closes, so the menu is opened by its keys.
    activate(frame, program)  # the Chart window took the keyboard
    key("alt+h")
    wait_for("the Help menu", lambda: find(app, pyatspi.ROLE_MENU_ITEM, "About Software"))
    key("a")
    about = wait_for("the About window", lambda: next(
        (app.getChildAtIndex(i) for i in range(app.childCount)
         if app.getChildAtIndex(i).getRole() == pyatspi.ROLE_DIALOG
         and app.getChildAtIndex(i).name == "Tavrinel v1.15"), None))
    link_name = "Click here to visit us at "
    link = next((n for n in descendants(about) if n.name.startswith(link_name)), None)
    if check(link is not None, "no home-page link in About"):
        check(link.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LINK),
              "the home-page link is a %s" % link.getRoleName())
        check("Press" in actions_of(link) or "Activate" in actions_of(link),
              "the home-page link cannot be pressed: %r" % actions_of(link))
        check(link.getState().contains(pyatspi.STATE_FOCUSABLE), "the home-page link takes no focus")
    check_controls(about, {("push button", "OK"), ("push button", link.name if link else "")}, "About")
    for start in ("Tavrinel v1.15", "Tavrinel shows the rulership", "The atlas of places"):
        check(any(n.getRole() == pyatspi.ROLE_LABEL and n.name.startswith(start)
                  for n in descendants(about)), "About does not read out %r" % start)
    press(find(about, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    wait_for("About to close", lambda: not any(
        child.getRole() == pyatspi.ROLE_DIALOG and child.name == "Tavrinel v1.15" and showing(child)
        for child in (app.getChildAtIndex(i) for i in range(app.childCount)) if child is not None))


def library_window(app, frame, program):
    """Ctrl+D keeps the form's chart in the library, Ctrl+L opens the Library
    window, and the chart typed into its search opens with Down, Return."""
    activate(frame, program)
    key("ctrl+d")
    told = wait_for("the message that the chart was added", lambda: next(
        (n for n in descendants(app) if n.getRole() == pyatspi.ROLE_LABEL and showing(n)
         and n.name.startswith("The chart of Ann was added to the library")), None))
    check(told is not None, "Ctrl+D said nothing")
    key("Return")
    wait_for("the message to close", lambda: not showing(told))
    activate(frame, program)
    key("ctrl+l")
    library = wait_for("the Library window", lambda: next(
        (app.getChildAtIndex(i) for i in range(app.childCount)
         if app.getChildAtIndex(i).name == "Library - Tavrinel"), None))
    # Opened from the keyboard, it has the keyboard.
    wait_for("the Library window to be active",
             lambda: library.getState().contains(pyatspi.STATE_ACTIVE))
    check_controls(library, {("text", "Search"), ("table", "Charts")} | {
        ("push button", n) for n in ("Open", "Add current chart", "Remove", "Import folder",
                                     "Export", "Notes and tags", "Close")}, "Library")
    search = find(library, pyatspi.ROLE_TEXT, "Search")
    wait_for("the focus in Search", lambda: search.getState().contains(pyatspi.STATE_FOCUSED))
    type_text("an")
    table = find(library, pyatspi.ROLE_TABLE, "Charts").queryTable()
    wait_for("the search to find Ann", lambda: table.nRows == 1)
    check(table.getAccessibleAt(0, 0).name == "Ann", "the Library lists %r" % table.getAccessibleAt(0, 0).name)
    key("Down")
    key("Return")
    wait_for("Ann's reading", lambda: (lambda r: r is not None and showing(r))(
        find(frame, pyatspi.ROLE_TEXT, "Reading", only_showing=False)))


def run():
    program, app = start()
    try:
        frame = main_window(app, program)
        pick_place(app, frame)
        reading_panel(app, frame)
        chart_window(app, frame)
        compare_window(app, frame)
        about_window(app, frame, program)
        library_window(app, frame, program)
    except Stop as stop:
        check(False, str(stop))
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()


run()
if failures:
    print("%d failed" % len(failures))
    sys.exit(1)
print("the window's accessibility through at-spi2: all checks passed")
