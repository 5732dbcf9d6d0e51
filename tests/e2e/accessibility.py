#!/usr/bin/env python3
"""Reads the program's windows over AT-SPI, as a screen reader does, and checks what they say
against the hireling sources: the main window's title, the grid's titles, sort state, cells and
current row, every detail text by its name, the portrait and the dossier; the About window's
texts and links. Hidden controls must not be shown to the reader. The grid is sorted through
a title's press action, which readers that listen hear announced, and the About window opened
through the menu command's action.

Usage: accessibility.py [--listen-after-program-connects] PROGRAM_PID ASSETS
       accessibility.py --press-menu-command PROGRAM_PID CAPTION   (used by the reading itself)

With --listen-after-program-connects the reader registers its listener only once the program has
connected to the accessibility bus named by AT_SPI_BUS_ADDRESS, that is, just after the program
has asked the registry which events are listened for.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, Gio, GLib

MAIN_TITLE = "Список наемников ZOLT и KREV"
ABOUT_TITLE = "  О программе"
ABOUT_COMMAND = "О программе"

GRID_FIELDS = ["MDName", "MDhea", "MDagi", "MDdex", "MDstr", "MDldr", "MDwis", "MDmrk", "MDexp",
               "MDmec", "MDmed", "MDlvl", "MDCost1"]
GRID_TITLES = ["Наемник", "здр", "пдв", "лов", "сил", "лдр", "мдр", "мдк", "взр", "мех", "мед",
               "урв", "1 д"]
NAME_COLUMN = 0
HEALTH_COLUMN = 1
ASCENDING = "по возрастанию"
DESCENDING = "по убыванию"
MONEY_FIELDS = {"MDCost1", "MDCost7", "MDCost15", "MDdeposit", "MDcurtools"}

# What each detail text is called, and the field whose value it reads.
DETAIL_TEXTS = {
    "Клички": "MDAlias",
    "Специальность": "MDspec",
    "Характер": "MDchr",
    "Зарплата 1 д.": "MDCost1",
    "Зарплата 7 д.": "MDCost7",
    "Зарплата 14 д.": "MDCost15",
    "Страховка": "MDdeposit",
    "Стоим. оборуд.": "MDcurtools",
    "Симпатия": "MDFrends",
    "Непрязнь": "MDNoFrends",
    "Оборудование": "MDtools",
}
WAGE_CAPTION_ALL_TERMS = "Зарплата 1 д. / 7 д. / 14 д."
WAGE_CAPTION_DAILY = "Зарплата 1 д."
DEPOSIT_CAPTION = "Страховка"
EQUIPMENT_CAPTION = "Оборуд."
AGENCIES = ("ZOLT", "KREV")

ABOUT_TEXTS = [
    "Наемники ZOLT и KREV",
    "© 2004 Кирилл Волохов, составитель базы",
    "Версия 1.1",
    '"Ксарон"  (KS3)',
    "Были использованы материалы:",
    "Летопись Фендала:",
    "Корвим: ",
    "(данные Ларцева)",
    'Спецвыпуск журнала "Мир Стратегий"',
    '(журнал "МС")',
    "прошу сообщать о допущенных ошибках и опечатках",
]
ABOUT_LINKS = {
    "www.example.org/ksaron": "https://www.example.org/ksaron",
    "corvim.example.com": "https://corvim.example.com/",
}

WAIT_SECONDS = 20
POLL_SECONDS = 0.1


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def expect_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: read {actual!r}, expected {expected!r}")


def wait_until(what, probe, seconds=WAIT_SECONDS):
    """Runs probe until it returns something true, at most `seconds` long; returns that."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Exception:  # the object may still be on its way; try again until the deadline
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(POLL_SECONDS)


class Announcements:
    """The sort-state changes the program announces to readers that listen for them: changed
    descriptions, and notifications that are shown (which readers speak wherever they are)."""

    EVENT = "object:property-change:accessible-description"
    SHOWN = "object:state-changed:showing"

    def __init__(self):
        self.sources = []
        self.notifications = []
        pyatspi.Registry.registerEventListener(self.heard, self.EVENT)
        pyatspi.Registry.registerEventListener(self.shown, self.SHOWN)

    def heard(self, event):
        # Of the descriptions, the titles' tell the sort state (the portrait's tells the panel).
        if event.source is None or event.source.getRole() == pyatspi.ROLE_TABLE_COLUMN_HEADER:
            self.sources.append(event.source.name if event.source is not None else None)

    def shown(self, event):
        if event.detail1 and event.source is not None \
                and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            self.notifications.append(event.source.name)

    def listen(self, seconds):
        """Takes in what arrives within `seconds`; events come through the GLib main loop."""
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            time.sleep(POLL_SECONDS)

    def clear(self):
        self.listen(POLL_SECONDS)
        self.sources.clear()
        self.notifications.clear()

    def wait_for_notification(self, text):
        wait_until(f"the notification «{text}»",
                   lambda: self.listen(POLL_SECONDS) or text in self.notifications)
        self.listen(POLL_SECONDS)
        return list(self.notifications)

    def wait_for(self, name):
        wait_until(f"the announcement of «{name}»'s sort state",
                   lambda: self.listen(POLL_SECONDS) or name in self.sources)
        self.listen(POLL_SECONDS)
        return set(self.sources)


# --- The hireling sources -------------------------------------------------------------------

def read_records(path):
    """The records of records.txt in load order, each a dict of field → text ('' for null)."""
    records = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                records.append({"id": line[1:-1], "load": len(records) + 1})
                continue
            field, _, value = line.partition(":")
            records[-1][field.strip()] = value.strip()
    return records


def money(value):
    """A whole amount as the program shows it: groups of three set apart by a plain space."""
    if value == "":
        return ""
    return f"{int(value):,}".replace(",", " ")


def shown(record, field):
    return money(record[field]) if field in MONEY_FIELDS else record[field]


def dossier_text(path):
    """The words of a dossier: its RTF with groups of tables dropped, control words read."""
    with open(path, "rb") as source:
        rtf = source.read()
    out = bytearray()
    skipped_depth = None
    depth = 0
    at = 0
    while at < len(rtf):
        char = rtf[at:at + 1]
        if char == b"{":
            depth += 1
            if skipped_depth is None and re.match(rb"\{\\(fonttbl|colortbl|\*)", rtf[at:]):
                skipped_depth = depth
            at += 1
        elif char == b"}":
            if skipped_depth == depth:
                skipped_depth = None
            depth -= 1
            at += 1
            if depth == 0:
                break
        elif char == b"\\":
            hex_escape = re.match(rb"\\'([0-9a-fA-F]{2})", rtf[at:])
            word = re.match(rb"\\([a-z]+)(-?\d+)? ?", rtf[at:])
            if hex_escape:
                if skipped_depth is None:
                    out.append(int(hex_escape.group(1), 16))
                at += hex_escape.end()
            elif word:
                if skipped_depth is None and word.group(1) == b"par":
                    out += b"\n"
                at += word.end()
            else:  # an escaped symbol such as \\ or \{
                if skipped_depth is None:
                    out += rtf[at + 1:at + 2]
                at += 2
        elif char in (b"\r", b"\n"):
            at += 1
        else:
            if skipped_depth is None:
                out += char
            at += 1
    return out.decode("cp1251")


def words(text):
    return " ".join(text.split())


# --- Reading the accessibility tree ---------------------------------------------------------

def is_showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def has_text(accessible):
    try:
        accessible.queryText()
        return True
    except NotImplementedError:
        return False


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def descendants(accessible):
    """Every object below, depth first; a table's cells are read through its table interface."""
    for child in accessible:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_TABLE:
            yield from descendants(child)


def find_application(pid):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.get_process_id() == pid:
            # Read every property afresh: the program tells no one here when it changes them.
            application.set_cache_mask(Atspi.Cache.NONE)
            return application
    return None


def top_level(application, role, name):
    for window in application:
        if window is not None and window.getRole() == role and window.name == name:
            return window
    return None


def action_index(accessible, name):
    actions = accessible.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) == name:
            return index
    raise Failure(f"{accessible.getRoleName()} «{accessible.name}» offers no {name} action")


def press(accessible):
    accessible.queryAction().doAction(action_index(accessible, "Press"))


class MainWindow:
    def __init__(self, frame, records, dossiers):
        self.frame = frame
        self.records = records
        self.dossiers = dossiers
        self.table = wait_until("the grid", lambda: next(
            (a for a in descendants(frame) if a.getRole() == pyatspi.ROLE_TABLE), None))
        self.grid = self.table.queryTable()

    def objects(self):
        return list(descendants(self.frame))

    def rows(self):
        return [[self.grid.getAccessibleAt(row, column).name
                 for column in range(self.grid.nColumns)] for row in range(self.grid.nRows)]

    def titles(self):
        return [self.grid.getColumnHeader(column) for column in range(self.grid.nColumns)]

    def current_row(self):
        selected = list(self.grid.getSelectedRows())
        expect_equal(len(selected), 1, "number of selected rows")
        row = selected[0]
        first_cell = self.grid.getAccessibleAt(row, NAME_COLUMN)
        expect(first_cell.getState().contains(pyatspi.STATE_SELECTED),
               f"the cells of the current row {row} are not selected")
        return row

    def has_focus(self):
        return self.table.getState().contains(pyatspi.STATE_FOCUSED)

    def row_notice(self, row):
        """A row as a sort's notice carries it: the cells' names, joined by commas."""
        return ", ".join(self.grid.getAccessibleAt(row, column).name
                         for column in range(self.grid.nColumns))

    def record_named(self, name):
        return next(record for record in self.records if record["MDName"] == name)

    def check_grid(self, order, what):
        expect_equal(self.grid.nRows, len(self.records), f"{what}: rows")
        expect_equal(self.grid.nColumns, len(GRID_FIELDS), f"{what}: columns")
        expect_equal([title.name for title in self.titles()], GRID_TITLES, f"{what}: titles")
        # A reader that reads a row cell by cell hears each value with its column title.
        expected = [[shown(record, field) if column == NAME_COLUMN
                     else f"{GRID_TITLES[column]} {shown(record, field)}"
                     for column, field in enumerate(GRID_FIELDS)] for record in order]
        actual = self.rows()
        for row, (read, wanted) in enumerate(zip(actual, expected)):
            expect_equal(read, wanted, f"{what}: row {row}")
        # The grid shows no row titles, so nobody may read them.
        row_title = self.table.getChildAtIndex(len(GRID_FIELDS) + 1)
        expect_equal(row_title.getRole(), pyatspi.ROLE_TABLE_ROW_HEADER, "child of a row title")
        expect(not is_showing(row_title), f"{what}: a hidden row title is shown to the reader")

    def check_sort_state(self, descriptions, what):
        expect_equal([title.description for title in self.titles()], descriptions,
                     f"{what}: the titles' sort state")

    def check_detail_panel(self, record, what):
        """The panel as the data of `record` and the agency rules say it should read."""
        objects = self.objects()
        showing_labels = [o for o in objects if o.getRole() == pyatspi.ROLE_LABEL and is_showing(o)]
        texts = {o.name: o for o in objects
                 if o.getRole() == pyatspi.ROLE_LABEL and has_text(o) and o.name}
        # A text that shows nothing has no name, so that no reader reads its name in its place.
        nameless = [o for o in objects
                    if o.getRole() == pyatspi.ROLE_LABEL and has_text(o) and not o.name]
        empty = {name for name, field in DETAIL_TEXTS.items() if shown(record, field) == ""}
        expect_equal(len(nameless), len(empty), f"{what}: nameless detail texts")
        expect(all(text_of(o) == "" for o in nameless), f"{what}: a nameless text shows something")
        captions = {o.name: o for o in objects
                    if o.getRole() == pyatspi.ROLE_LABEL and not has_text(o)}

        krev = record["MDType"] not in ("", "0")
        deposit = 0 if record["MDdeposit"] == "" else int(record["MDdeposit"])
        # A ZOLT deposit of 0 hides the deposit; a KREV record leaves it as the record before
        # left it, shown or hidden, and empty either way.
        hidden = {"Страховка"} if not krev and deposit == 0 else set()
        either = {"Страховка"} if krev else set()

        expect_equal(sorted(texts), sorted(set(DETAIL_TEXTS) - empty),
                     f"{what}: names of the detail texts")
        for name, field in DETAIL_TEXTS.items():
            if name in empty:
                continue
            control = texts[name]
            if name in hidden:
                expect(not is_showing(control), f"{what}: the hidden «{name}» is shown")
                continue
            if name in either and not is_showing(control):
                continue
            expect(is_showing(control), f"{what}: «{name}» is not shown")
            expect_equal(text_of(control), shown(record, field), f"{what}: «{name}»")

        agency = AGENCIES[1] if krev else AGENCIES[0]
        expect_equal([o.name for o in showing_labels if o.name in AGENCIES], [agency],
                     f"{what}: the agency label")
        wage = WAGE_CAPTION_DAILY if krev else WAGE_CAPTION_ALL_TERMS
        expect(any(o.name == wage and not has_text(o) for o in showing_labels),
               f"{what}: no wage caption «{wage}»")
        expect_equal(is_showing(captions[DEPOSIT_CAPTION]), not krev and deposit != 0,
                     f"{what}: the deposit caption shown")
        expect_equal(is_showing(captions[EQUIPMENT_CAPTION]), not krev,
                     f"{what}: the equipment caption shown")

        portrait = [o for o in objects if o.getRole() == pyatspi.ROLE_IMAGE]
        expect_equal([o.name for o in portrait], [f"Фото: {record['MDName']}"], f"{what}: portrait")
        # The portrait, which Tab reaches from the grid, describes the panel: the agency, then
        # each shown text that holds something, and nothing hidden or empty.
        summary = portrait[0].description
        told = [agency] + [f"{name}: {shown(record, field)}" for name, field in DETAIL_TEXTS.items()
                           if name not in empty and name not in hidden]
        expect_equal(sorted(summary.split("; ")), sorted(told), f"{what}: portrait description")
        dossier = [o for o in objects if o.getRole() == pyatspi.ROLE_TEXT and o.name == "Досье"]
        expect_equal(len(dossier), 1, f"{what}: dossiers named «Досье»")
        expected_dossier = dossier_text(os.path.join(self.dossiers, record["id"] + ".rtf"))
        expect_equal(words(text_of(dossier[0])), words(expected_dossier), f"{what}: dossier")

    def check_current(self, what):
        """The detail panel reads the record of the current row."""
        row = self.current_row()
        record = self.record_named(self.grid.getAccessibleAt(row, NAME_COLUMN).name)
        self.check_detail_panel(record, what)
        return row, record


def read_main_window(application, records, assets, announcements):
    frame = wait_until("the main window", lambda: top_level(
        application, pyatspi.ROLE_FRAME, MAIN_TITLE))
    main = MainWindow(frame, records, os.path.join(assets, "dossiers"))
    wait_until("the records in the grid", lambda: main.grid.nRows == len(records))

    # At start: load order, no sort marker, the first record current.
    expect_equal(main.table.name, "Наемники", "the grid's name")
    main.check_grid(records, "at start")
    main.check_sort_state([""] * len(GRID_TITLES), "at start")
    expect_equal(main.check_current("at start")[0], 0, "current row at start")
    print("PASS: the main window reads as the first record at start")

    # The current row can be chosen, and the panel follows the agency rules; hidden parts of it
    # are hidden from the reader too.
    def first(predicate):
        return next(index for index, record in enumerate(records) if predicate(record))
    no_deposit = first(lambda r: r["MDType"] == "0" and r["MDdeposit"] in ("", "0"))
    krev = first(lambda r: r["MDType"] not in ("", "0"))
    for row, what in ((no_deposit, "a ZOLT hireling without deposit"), (krev, "a KREV hireling")):
        main.grid.addRowSelection(row)
        wait_until(f"row {row} current", lambda: list(main.grid.getSelectedRows()) == [row])
        main.check_detail_panel(records[row], what)
        print(f"PASS: {what} reads as the data says")

    # A press on a title sorts as a click does: "здр" from the highest value down, then up.
    health = main.titles()[HEALTH_COLUMN]
    for direction, key in ((DESCENDING, lambda r: (-int(r["MDhea"]), -r["load"])),
                           (ASCENDING, lambda r: (int(r["MDhea"]), r["load"]))):
        row_before = main.current_row()
        name_before = main.grid.getAccessibleAt(row_before, NAME_COLUMN).name
        announcements.clear()
        press(health)
        # Readers that listen hear that this title's sort state changed, and no other's.
        expect_equal(announcements.wait_for(GRID_TITLES[HEALTH_COLUMN]),
                     {GRID_TITLES[HEALTH_COLUMN]}, "titles announced after the press")
        # and every reader hears the title and its new direction, once, with the current row
        # where the focus would not read it: the row number stays, or the hireling does.
        told = f"{GRID_TITLES[HEALTH_COLUMN]}, {direction}"
        moved = main.grid.getAccessibleAt(0, NAME_COLUMN).name != name_before
        if main.has_focus() and not (moved and row_before != 0):
            told += "; " + main.row_notice(0)
        expect_equal(announcements.wait_for_notification(told), [told],
                     "notifications after the press")
        states = [""] * len(GRID_TITLES)
        states[HEALTH_COLUMN] = direction
        what = f"after «здр» {direction}"
        wait_until(f"the sort state {what}",
                   lambda: [t.description for t in main.titles()] == states)
        main.check_grid(sorted(records, key=key), what)
        expect_equal(main.check_current(what)[0], 0, f"{what}: current row")
        print(f"PASS: a press on «здр» sorts {direction}")

    # The name title keeps the current hireling and tells its own sort state only.
    main.grid.addRowSelection(5)
    wait_until("row 5 current", lambda: list(main.grid.getSelectedRows()) == [5])
    hireling = main.grid.getAccessibleAt(5, NAME_COLUMN).name
    announcements.clear()
    press(main.titles()[NAME_COLUMN])
    states = [""] * len(GRID_TITLES)
    states[NAME_COLUMN] = ASCENDING
    wait_until("the names sorted", lambda: [t.description for t in main.titles()] == states)
    told = f"{GRID_TITLES[NAME_COLUMN]}, {ASCENDING}"
    if main.has_focus():
        # The same hireling stays current: the notice carries its row, wherever it stands now.
        told += "; " + main.row_notice(main.current_row())
    expect_equal(announcements.wait_for_notification(told), [told], "notifications after «Наемник»")
    row, record = main.check_current("after «Наемник»")
    expect_equal(record["MDName"], hireling, "the current hireling after sorting by name")
    names = [main.grid.getAccessibleAt(r, NAME_COLUMN).name for r in range(main.grid.nRows)]
    expect_equal(sorted(names), sorted(r["MDName"] for r in records), "the names after sorting")
    print("PASS: a press on «Наемник» sorts by name and keeps the current hireling")


def read_about_window(application, pid):
    # The command opens a modal window, so its action returns only when that window closes:
    # another process presses it while this one reads.
    pressing = subprocess.Popen([sys.executable, __file__, "--press-menu-command", str(pid),
                                 ABOUT_COMMAND])
    try:
        dialog = wait_until("the About window", lambda: top_level(
            application, pyatspi.ROLE_DIALOG, ABOUT_TITLE))
        objects = list(descendants(dialog))
        labels = [o.name for o in objects if o.getRole() == pyatspi.ROLE_LABEL]
        expect_equal(sorted(labels), sorted(ABOUT_TEXTS), "the About window's texts")
        links = {o.name: o for o in objects if o.getRole() == pyatspi.ROLE_LINK}
        expect_equal(sorted(links), sorted(ABOUT_LINKS), "the About window's links")
        for caption, page in ABOUT_LINKS.items():
            expect_equal(links[caption].description, page, f"the page of «{caption}»")
            action_index(links[caption], "Press")
        expect(all(is_showing(o) for o in objects if o.name), "a named part is hidden")
        logo = [o.name for o in objects if o.getRole() == pyatspi.ROLE_IMAGE]
        expect_equal(logo, ["Логотип"], "the About window's pictures")
        buttons = [o for o in objects if o.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        expect_equal([b.name for b in buttons], ["OK"], "the About window's buttons")
        press(buttons[0])
        wait_until("the About window to close", lambda: top_level(
            application, pyatspi.ROLE_DIALOG, ABOUT_TITLE) is None)
        expect_equal(pressing.wait(timeout=WAIT_SECONDS), 0, "the menu command's press")
    finally:
        if pressing.poll() is None:
            pressing.kill()
            pressing.wait()
    print("PASS: the About window reads its texts, its picture and its two links")


def press_menu_command(pid, caption):
    application = wait_until("the program", lambda: find_application(pid))
    command = wait_until(f"the menu command «{caption}»", lambda: next(
        (o for o in descendants(application)
         if o.getRole() == pyatspi.ROLE_MENU_ITEM and o.name == caption), None))
    press(command)


def wait_for_program_on_bus(pid):
    """Waits until a connection of the process `pid` is on the bus of AT_SPI_BUS_ADDRESS."""
    bus = Gio.DBusConnection.new_for_address_sync(
        os.environ["AT_SPI_BUS_ADDRESS"],
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def ask(method, arguments, reply):
        return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", method, arguments, GLib.VariantType(reply),
                             Gio.DBusCallFlags.NONE, -1, None).unpack()[0]

    def connected():
        for name in ask("ListNames", None, "(as)"):
            if name.startswith(":") and name != bus.get_unique_name():
                try:
                    if ask("GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)),
                           "(u)") == pid:
                        return True
                except GLib.Error:  # the connection has gone in the meantime
                    pass
        return False

    wait_until("the program's connection to the accessibility bus", connected)
    bus.close_sync(None)


def main(arguments):
    if arguments[:1] == ["--press-menu-command"]:
        press_menu_command(int(arguments[1]), arguments[2])
        return 0
    listen_after_program_connects = arguments[:1] == ["--listen-after-program-connects"]
    if listen_after_program_connects:
        arguments = arguments[1:]
    pid, assets = int(arguments[0]), arguments[1]
    records = read_records(os.path.join(assets, "records.txt"))
    if listen_after_program_connects:
        wait_for_program_on_bus(pid)
    announcements = Announcements()
    application = wait_until("the program on the accessibility bus",
                             lambda: find_application(pid))
    read_main_window(application, records, assets, announcements)
    read_about_window(application, pid)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
