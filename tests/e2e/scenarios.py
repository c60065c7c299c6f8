"""The scenarios: each starts the program afresh and meets it as a person
does. s.step() names what is being done; a failure names that step."""
import os
import time

import harness

from gi.repository import Atspi

R = Atspi.Role
CALC = "Veltrum"
PLOT = "Построение графиков функций Y=F(X)"
ABOUT = "О программе"
HELP = "Синтаксис"
RANGE_TEXT = "Неправильно заданы границы вычисления значений функции."
CALC_ERROR_TEXT = "Произошла ошибка в вычислениях."
LONG_EXPRESSION = "sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]"


# ---- the calculator window ----

def display(s):
    return s.text(s.get(s.window(CALC), "Табло", R.TEXT))


def expect_display(s, expected, timeout=2):
    s.wait_until(lambda: display(s) == expected, timeout, f"display '{expected}' (it shows '{display(s)}')")


def press(s, caption):
    s.click(s.get(s.window(CALC), caption, R.PUSH_BUTTON))


# ---- boxes ----

def box_text(s, box):
    return " ".join(s.texts(box))


def close_box(s, box, how):
    """Closes a box with one click on its OK, with Return or with Escape."""
    if how == "mouse":
        button = s.find(box, "OK", R.PUSH_BUTTON) or s.find(box, "Cancel", R.PUSH_BUTTON)
        if button is None:
            s.fail("the box has no OK button")
        s.click(button)
    elif how == "return":
        s.key("Return")
    else:
        s.key("Escape")
    s.closed(box, "the box")
    s.keyboard_back()


def expect_box(s, text, how):
    box = s.box()
    if text not in box_text(s, box):
        s.fail(f"the box says {box_text(s, box)!r}, not {text!r}")
    close_box(s, box, how)


# ---- the plot window ----

def plot(s):
    return s.window(PLOT)


def edits(s):
    """txtMain, txtXLeft, txtXRight, txtYLeft, txtYRight, txtFLeft, txtFRight."""
    found, stack = [], [plot(s)]
    while stack:
        node = stack.pop(0)
        if node.get_role() == R.TEXT:
            found.append(node)
        stack[0:0] = [node.get_child_at_index(i) for i in range(node.get_child_count())]
    return found


def set_edit(s, index, text):
    edit = edits(s)[index]
    s.click(edit)
    s.key("ctrl+a", "BackSpace")
    if text:
        s.type(text)
    s.wait_until(lambda: s.text(edits(s)[index]) == text, 2, f"edit {index} holding {text!r}")


def plot_button(s, caption):
    return s.get(plot(s), caption, R.PUSH_BUTTON)


def plot_click(s, caption):
    s.click(plot_button(s, caption))


def entries(s):
    lst = s.get(plot(s), "Список функций", R.LIST)
    return [lst.get_child_at_index(i).get_name() for i in range(lst.get_child_count())]


def idle(s, timeout=30):
    """The plot window takes commands again."""
    s.wait_until(lambda: s.enabled(plot_button(s, "Добавить")), timeout, "the plot window taking commands")


def open_plot(s):
    s.focus_window(CALC)
    s.key("F2")
    plot(s)
    s.focus_window(PLOT)


def select_entry(s, row):
    lst = s.get(plot(s), "Список функций", R.LIST)
    s.click(lst.get_child_at_index(row))


# ---- scenarios ----

def scenario_keys_us(s, workdir):
    with s.step("typing a chain with shifted operators"):
        s.focus_window(CALC)
        s.type("12+3*4=")
        expect_display(s, "24")
    with s.step("Return presses equals"):
        s.type("2^10")
        s.key("Return")
        expect_display(s, "1024")
    with s.step("keypad Enter presses equals"):
        s.type("7-2")
        s.key("KP_Enter")
        expect_display(s, "5")
    with s.step("f toggles the shift, F does not"):
        s.type("f")
        s.get(s.window(CALC), "2F: ON", R.PUSH_BUTTON)
        s.key("shift+f")
        time.sleep(0.3)
        s.get(s.window(CALC), "2F: ON", R.PUSH_BUTTON)
        s.type("f")
        s.get(s.window(CALC), "2F: OFF", R.PUSH_BUTTON)
    with s.step("backspace, b, c and e"):
        s.type("123")
        s.key("BackSpace")
        s.type("b")
        expect_display(s, "1")
        s.type("+5e3=")
        expect_display(s, "4")
        s.type("9c")
        expect_display(s, "0")


def scenario_keys_russian(s, workdir):
    s.focus_window(CALC)
    with s.step("switching to the Russian layout"):
        s.run(["setxkbmap", "ru"])
        time.sleep(0.3)
    with s.step("digits and operators in the Russian layout"):
        s.type("12+3*4=")
        expect_display(s, "24")
    with s.step("и is backspace"):
        s.type("345")
        s.key("Cyrillic_i")
        expect_display(s, "34")
    with s.step("а toggles the shift"):
        s.key("Cyrillic_a")
        s.get(s.window(CALC), "2F: ON", R.PUSH_BUTTON)
        s.key("Cyrillic_a")
        s.get(s.window(CALC), "2F: OFF", R.PUSH_BUTTON)
    with s.step("у clears the entry, с clears everything"):
        s.type("+5")
        s.key("Cyrillic_u")
        expect_display(s, "0")
        s.type("1")
        s.key("Cyrillic_es")
        expect_display(s, "0")
    with s.step("capitals stay ignored"):
        s.type("7")
        s.key("Cyrillic_ES", "Cyrillic_I")
        time.sleep(0.3)
        expect_display(s, "7")


def scenario_calculator_error_box(s, workdir):
    s.focus_window(CALC)
    for how in ("mouse", "return", "escape"):
        with s.step(f"1/0= shows the calculation message, closed by {how}"):
            s.type("1/0=")
            expect_box(s, CALC_ERROR_TEXT, how)
            expect_display(s, "0")
    with s.step("the calculator takes keys again"):
        s.type("2+2=")
        expect_display(s, "4")


def scenario_function_keys(s, workdir):
    s.focus_window(CALC)
    for how in ("mouse", "return", "escape"):
        with s.step(f"F1 opens the about box, closed by {how}"):
            s.key("F1")
            about = s.window(ABOUT)
            if how == "mouse":
                s.click(s.get(about, "OK", R.PUSH_BUTTON))
            else:
                s.key("Return" if how == "return" else "Escape")
            s.gone(ABOUT)
    with s.step("F3 shows the periodic table and an element key types its mass"):
        s.focus_window(CALC)
        s.key("F3")
        # The clear key is "C" too; carbon's keys lie right of the keypad.
        s.wait_until(lambda: len(s.find_all(s.window(CALC), "C", R.PUSH_BUTTON)) == 3, 2, "the table's keys")
        carbon = max(s.find_all(s.window(CALC), "C", R.PUSH_BUTTON), key=lambda n: s.centre(n)[0])
        s.type("2*")
        s.click(carbon)
        s.type("=")
        expect_display(s, "24,022")
    with s.step("F3 hides the periodic table"):
        s.key("F3")
        s.wait_until(lambda: s.find(s.window(CALC), "Li", R.PUSH_BUTTON) is None, 2, "the table hidden")
    with s.step("F2 opens the plot window"):
        open_plot(s)
        s.gone(CALC)
    with s.step("F1 from the plot window"):
        s.key("F1")
        s.active(ABOUT)
        s.key("Escape")
        s.gone(ABOUT)
    with s.step("F3 from the plot window"):
        s.focus_window(PLOT)
        s.key("F3")
        s.window(CALC)
    with s.step("F2 from the calculator brings the plot window back"):
        open_plot(s)
    with s.step("F4 from the plot window ends the program"):
        s.focus_window(PLOT)
        s.key("F4")
        s.wait_until(lambda: s.proc.poll() is not None, 3, "the program to end")


def scenario_clipboard(s, workdir):
    s.focus_window(CALC)
    with s.step("Ctrl+C copies the display"):
        s.type("1.5*3=")
        expect_display(s, "4,5")
        s.key("ctrl+c")
        s.wait_until(lambda: s.clipboard() == "4,5", 2, "'4,5' on the clipboard")
    with s.step("Ctrl+V enters a pasted number"):
        s.set_clipboard("2,25")
        s.type("2*")
        s.key("ctrl+v")
        expect_display(s, "2,25")
        s.type("=")
        expect_display(s, "4,5")


def scenario_plot_range_boxes(s, workdir):
    open_plot(s)
    with s.step("a first function"):
        plot_click(s, "Добавить")
        idle(s)
    with s.step("от = до = 1"):
        set_edit(s, 5, "1")
        set_edit(s, 6, "1")
    for how in ("mouse", "return", "escape"):
        with s.step(f"Добавить with an empty range, box closed by {how}"):
            plot_click(s, "Добавить")
            expect_box(s, RANGE_TEXT, how)
            idle(s)
    with s.step("the list keeps its entries"):
        if len(entries(s)) != 4:
            s.fail(f"the list holds {entries(s)}")
    with s.step("Обновить with the box closed by Return"):
        select_entry(s, 0)
        plot_click(s, "Обновить")
        expect_box(s, RANGE_TEXT, "return")
    with s.step("Обновить все reports once per entry"):
        plot_click(s, "Обновить все")
        for how in ("mouse", "return", "escape", "mouse"):
            expect_box(s, RANGE_TEXT, how)
        idle(s)
    with s.step("Изменить → OK, then the range box"):
        select_entry(s, 1)
        plot_click(s, "Изменить")
        dialog = s.box()
        s.click(s.get(dialog, "OK", R.PUSH_BUTTON))
        expect_box(s, RANGE_TEXT, "escape")
    with s.step("Изменить → Cancel by Escape still redraws"):
        plot_click(s, "Изменить")
        s.box()
        s.key("Escape")
        expect_box(s, RANGE_TEXT, "mouse")
    with s.step("a reversed range"):
        set_edit(s, 5, "5")
        set_edit(s, 6, "-5")
        select_entry(s, 0)
        plot_click(s, "Обновить")
        expect_box(s, RANGE_TEXT, "return")
    with s.step("the window takes commands again"):
        idle(s)
        plot_click(s, "Очистить все")
        if len(entries(s)) != 4:
            s.fail(f"the list holds {entries(s)}")


def scenario_plot_other_boxes(s, workdir):
    open_plot(s)
    for text, how in (("", "mouse"), ("abc", "return"), ("1E400", "escape")):
        with s.step(f"the bound {text!r} gives the calculation message, closed by {how}"):
            set_edit(s, 5, text)
            plot_click(s, "Добавить")
            expect_box(s, CALC_ERROR_TEXT, how)
            idle(s)
    with s.step("too many points"):
        set_edit(s, 5, "-10000000")
        set_edit(s, 6, "10000000")
        plot_click(s, "Добавить")
        expect_box(s, "Слишком много точек", "return")
        idle(s)
    with s.step("an eleventh function"):
        set_edit(s, 5, "-3")
        set_edit(s, 6, "3")
        while len(entries(s)) < 10:
            plot_click(s, "Добавить")
            idle(s)
        plot_click(s, "Добавить")
        expect_box(s, "Вы можете построить не больше десяти графиков одновременно.", "escape")
    with s.step("axis bounds that are not numbers"):
        set_edit(s, 1, "a")
        plot_click(s, "Изменить границы")
        expect_box(s, "Неправильно заданы границы.", "mouse")
    with s.step("reversed axis bounds"):
        set_edit(s, 1, "10")
        plot_click(s, "Изменить границы")
        expect_box(s, "Введите другие значения границ.", "return")


def red_pixels(s, path):
    """Points of the first series in the chart's area of a screenshot."""
    s.screenshot(path)
    chart = s.get(plot(s), "График", R.FILLER)
    r = Atspi.Component.get_extents(chart, Atspi.CoordType.SCREEN)
    # The legend at the top right shows F1's disc too: only the plot area counts.
    out = s.run(["convert", path, "-crop", f"{r.width * 8 // 10}x{r.height}+{r.x}+{r.y}", "+repage", "-fill", "black",
                 "+opaque", "rgb(255,0,0)", "-fill", "white", "-opaque", "rgb(255,0,0)", "-format",
                 "%[fx:mean*w*h]", "info:"]).stdout
    return float(out)


def start_long_run(s):
    """Adds a function of 1,000,001 samples (seconds of work) and waits for
    its first progress; gives the progress bar."""
    set_edit(s, 0, LONG_EXPRESSION)
    set_edit(s, 5, "-500")
    set_edit(s, 6, "500")
    s.click(s.get(plot(s), "0,001", R.RADIO_BUTTON))
    plot_click(s, "Добавить")
    bar = s.get(plot(s), "Ход построения графика", R.PROGRESS_BAR)
    s.wait_until(lambda: s.value(bar) > 0, 10, "progress")
    return bar


def scenario_plot_long_run_esc(s, workdir):
    open_plot(s)
    with s.step("a run of 1,000,001 samples starts"):
        bar = start_long_run(s)
    with s.step("the commands wait visibly during the run"):
        for caption in ("Добавить", "Очистить все", "Закрыть"):
            if s.enabled(plot_button(s, caption)):
                s.fail(f"'{caption}' looks enabled during the run")
    with s.step("points appear while the run goes on"):
        s.wait_until(lambda: red_pixels(s, os.path.join(workdir, "during.png")) > 0, 3, "points on the chart")
    with s.step("Esc ends the run"):
        start = time.monotonic()
        s.key("Escape")
        idle(s, timeout=2)
        took = time.monotonic() - start
        print(f"Esc ended the run after {took * 1000:.0f} ms (xdotool and the bus included)")
        if s.value(bar) != 0:
            s.fail("the progress bar did not return to 0")
    with s.step("the stopped run keeps its points"):
        if red_pixels(s, os.path.join(workdir, "after.png")) == 0:
            s.fail("no point is left on the chart")
    with s.step("Очистить все works again"):
        plot_click(s, "Очистить все")
        s.wait_until(lambda: red_pixels(s, os.path.join(workdir, "cleared.png")) == 0, 2, "an empty chart")
        if entries(s) != ["1:F(X)=" + LONG_EXPRESSION]:
            s.fail(f"the list holds {entries(s)}")
    with s.step("Закрыть closes the window"):
        plot_click(s, "Закрыть")
        s.gone(PLOT)
        s.window(CALC)


def scenario_plot_title_bar_close_stops_run(s, workdir):
    open_plot(s)
    with s.step("a long run starts"):
        bar = start_long_run(s)
    with s.step("the title-bar close hides the window and brings the calculator"):
        s.run(["wmctrl", "-c", PLOT])
        s.gone(PLOT)
        s.window(CALC)
    with s.step("the plot window comes back taking commands"):
        open_plot(s)
        idle(s, timeout=2)


def scenario_help_window(s, workdir):
    open_plot(s)
    with s.step("Справка opens the help, its button closes it"):
        plot_click(s, "Справка")
        help_window = s.window(HELP)
        s.click(s.get(help_window, "ОК", R.PUSH_BUTTON))
        s.gone(HELP)
    with s.step("Escape closes the help"):
        plot_click(s, "Справка")
        s.window(HELP)
        s.focus_window(HELP)
        s.key("Escape")
        s.gone(HELP)


def save_image_dialog(s):
    chart = s.get(plot(s), "График", R.FILLER)
    s.click(chart, button=3)
    # The popup menu is not on the accessibility bus: its first item is
    # chosen from the keyboard.
    time.sleep(0.5)
    s.key("Down", "Return")
    return s.box()


def scenario_export(s, workdir):
    open_plot(s)
    with s.step("a function to export"):
        plot_click(s, "Добавить")
        idle(s)
    target = os.path.join(workdir, "chart.png")
    with s.step("the picture saved to a file"):
        save_image_dialog(s)
        s.key("ctrl+a")
        s.type(target)
        s.key("Return")
        s.no_box()
        s.wait_until(lambda: os.path.exists(target) and os.path.getsize(target) > 0, 2, f"the file {target}")
    with s.step("the picture saved to an unwritable place"):
        save_image_dialog(s)
        s.key("ctrl+a")
        s.type("/proc/veltrum-chart.png")
        s.key("Return")
        box = s.box()
        if "Не удалось сохранить файл" not in box_text(s, box):
            s.fail(f"the box says {box_text(s, box)!r}")
        close_box(s, box, "return")
    with s.step("typing /proc/ slowly in the dialog keeps the program answering"):
        save_image_dialog(s)
        s.key("ctrl+a")
        s.type("/proc/", delay=400)
        time.sleep(1.5)
        s.wait_until(lambda: s.find(s.app, "График", R.FILLER) is not None, 3, "an answer on the bus")
        s.key("Escape")
        s.key("Escape")
        s.no_box()
    with s.step("the window takes commands after the dialogs"):
        plot_click(s, "Очистить все")
        idle(s)



def scenario_molar_mass(s, workdir):
    title = "Молярная масса по формуле"
    s.focus_window(CALC)
    with s.step("Ctrl+M opens the molar-mass window"):
        s.key("ctrl+m")
        s.window(title)
        s.focus_window(title)
    with s.step("a wrong formula shows why, with no box"):
        s.type("H2Xx")
        s.wait_until(lambda: "Xx" in " ".join(s.texts(s.window(title))), 2, "the message naming Xx")
        s.no_box()
    with s.step("a good formula and Enter join a chain on the display"):
        s.key("ctrl+a", "BackSpace")
        s.type("H2O")
        s.focus_window(CALC)
        s.type("2*")
        s.focus_window(title)
        s.key("Return")
        s.focus_window(CALC)
        s.type("=")
        expect_display(s, "36,0296")


def tape_lines(s):
    tape = s.get(s.window(TAPE), TAPE, R.LIST)
    return [item.get_name() for item in s.find_all(tape, role=R.LIST_ITEM)]


def expect_tape(s, expected, timeout=2):
    s.wait_until(lambda: tape_lines(s) == expected, timeout, f"tape lines {expected} (it has {tape_lines(s)})")


TAPE = "Журнал вычислений"


def scenario_tape(s, workdir):
    s.focus_window(CALC)
    with s.step("a few calculations, one of them ending in the error box"):
        s.type("2+3*4=")
        expect_display(s, "14")
        s.type("2^10=")
        expect_display(s, "1024")
        s.type("5/0=")
        expect_box(s, CALC_ERROR_TEXT, "return")
    with s.step("Ctrl+J shows the tape beside the calculator"):
        s.key("ctrl+j")
        s.window(TAPE)
        expect_tape(s, ["2 + 3 * 4 = 14", "2 ^ 10 = 1024", "5 / 0 = " + CALC_ERROR_TEXT])
        calc = Atspi.Component.get_extents(s.window(CALC), Atspi.CoordType.SCREEN)
        tape = Atspi.Component.get_extents(s.window(TAPE), Atspi.CoordType.SCREEN)
        if tape.x < calc.x + calc.width:
            s.fail(f"the tape at x={tape.x} overlaps the calculator ending at x={calc.x + calc.width}")
        s.screenshot(os.path.join(os.environ.get("VELTRUM_E2E_SHOTS", workdir), "tape.png"))
    with s.step("Ctrl+M opens the formula window beside the tape or below it, not over it"):
        s.focus_window(CALC)
        s.key("ctrl+m")
        s.active(MASS)
        places = {title: inside_screen(s, title) for title in (CALC, TAPE, MASS)}
        for one, other in ((MASS, TAPE), (MASS, CALC), (TAPE, CALC)):
            (x1, y1, w1, h1), (x2, y2, w2, h2) = places[one], places[other]
            if x1 < x2 + w2 and x2 < x1 + w1 and y1 < y2 + h2 and y2 < y1 + h1:
                s.fail(f"'{one}' at {places[one]} covers '{other}' at {places[other]}")
        s.focus_window(MASS)
        s.key("Escape")
        s.gone(MASS)
    with s.step("Enter on a line puts its result on the display as a pasted number"):
        s.focus_window(CALC)
        s.type("1+")
        s.focus_window(TAPE)
        s.key("Home", "Return")
        expect_display(s, "14")
        s.focus_window(CALC)
        s.type("=")
        expect_display(s, "15")
        expect_tape(s, ["2 + 3 * 4 = 14", "2 ^ 10 = 1024", "5 / 0 = " + CALC_ERROR_TEXT, "1 + 14 = 15"])
    with s.step("a double-click on a line does the same"):
        s.focus_window(TAPE)
        item = s.get(s.get(s.window(TAPE), TAPE, R.LIST), "2 ^ 10 = 1024", R.LIST_ITEM)
        x, y = s.centre(item)
        s.run(["xdotool", "mousemove", str(x), str(y), "sleep", "0.1", "click", "--repeat", "2", "--delay", "80",
               "1"])
        expect_display(s, "1024")
        s.no_box()
    with s.step("Ctrl+C copies the selected line"):
        # The recall handed the keyboard to the calculator.
        s.focus_window(TAPE)
        s.key("ctrl+c")
        s.wait_until(lambda: s.clipboard() == "2 ^ 10 = 1024", 2, "the line on the clipboard")


def choose_file(s, path):
    """Types a path into the file dialog that is showing and takes it."""
    s.box()
    s.key("ctrl+a")
    s.type(path)
    s.key("Return")


def scenario_function_sets(s, workdir):
    expected = ["1:F(X)=sin[x]", "2:F(X)=x/3", "3:F(X)=x^2-2"]
    open_plot(s)
    with s.step("three functions and a step of 0,01"):
        for expression in ("sin[x]", "x/3", "x^2-2"):
            set_edit(s, 0, expression)
            plot_click(s, "Добавить")
            idle(s)
        s.click(s.get(plot(s), "0,01", R.RADIO_BUTTON))
    target = os.path.join(workdir, "functions.vfs")
    with s.step("Ctrl+S saves the set through the file dialog"):
        select_entry(s, 0)
        s.key("ctrl+s")
        choose_file(s, target)
        s.no_box()
        s.wait_until(lambda: os.path.exists(target), 2, f"the file {target}")
        with open(target, encoding="utf-8") as f:
            text = f.read()
        if not text.startswith("F(X)=sin[x]\nF(X)=x/3\nF(X)=x^2-2\nxleft=-10\n") or "step=0,01\n" not in text:
            s.fail(f"the file holds {text!r}")
    with s.step("the list emptied"):
        for _ in expected:
            select_entry(s, 0)
            plot_click(s, "Удалить")
        if entries(s):
            s.fail(f"the list holds {entries(s)}")
    with s.step("the list's context menu opens the set, with no question"):
        s.click(s.get(plot(s), "Список функций", R.LIST), button=3)
        # The context menu is not on the accessibility bus: its second
        # item is chosen from the keyboard.
        time.sleep(0.5)
        s.key("Down", "Down", "Return")
        choose_file(s, target)
        s.no_box()
        idle(s)
        s.wait_until(lambda: entries(s) == expected, 2, f"the list {expected} (it holds {entries(s)})")
    with s.step("Ctrl+O over a full list asks first"):
        select_entry(s, 1)
        s.key("ctrl+o")
        choose_file(s, target)
        expect_box(s, "Заменить список функций", "return")
        idle(s)
        s.wait_until(lambda: entries(s) == expected, 2, f"the list {expected} (it holds {entries(s)})")
    bad = os.path.join(workdir, "bad.vfs")
    with open(bad, "w", encoding="utf-8") as f:
        f.write("F(X)=x\nzoom=2\n")
    with s.step("a refused file names its line and changes nothing"):
        select_entry(s, 0)
        s.key("ctrl+o")
        choose_file(s, bad)
        expect_box(s, "Строка 2: неизвестный ключ «zoom».", "return")
        if entries(s) != expected:
            s.fail(f"the list holds {entries(s)}")


# ---- where the typing goes, the screen, unsaved work ----

MASS = "Молярная масса по формуле"


def formula_edit(s):
    return s.get(s.window(MASS), "Формула", R.TEXT)


def scenario_formula_window_focus(s, workdir):
    s.focus_window(CALC)
    with s.step("Ctrl+M opens the formula window for typing"):
        s.key("ctrl+m")
        s.active(MASS)
        s.type("H2SO4")
        s.wait_until(lambda: s.text(formula_edit(s)) == "H2SO4", 2, "the formula H2SO4")
    with s.step("Escape closes the formula window"):
        s.key("Escape")
        s.gone(MASS)
    with s.step("Ctrl+M again: the old formula is selected and typing replaces it"):
        s.focus_window(CALC)
        s.key("ctrl+m")
        s.active(MASS)
        s.type("C2H5OH")
        s.wait_until(lambda: s.text(formula_edit(s)) == "C2H5OH", 2,
                     f"the formula C2H5OH (it holds {s.text(formula_edit(s))!r})")
    with s.step("the window comes back to the front selected when it is open already"):
        s.focus_window(CALC)
        s.key("ctrl+m")
        s.active(MASS)
        s.type("NaCl")
        s.wait_until(lambda: s.text(formula_edit(s)) == "NaCl", 2,
                     f"the formula NaCl (it holds {s.text(formula_edit(s))!r})")


def scenario_typing_returns_to_calculator(s, workdir):
    s.focus_window(CALC)
    with s.step("a recall from the tape with Enter"):
        s.type("2+3=")
        expect_display(s, "5")
        s.key("ctrl+j")
        s.focus_window(TAPE)
        s.key("End", "Return")
        expect_display(s, "5")
    with s.step("the next keys go to the calculator"):
        s.type("+1=")
        expect_display(s, "6")
    with s.step("a recall by double-click"):
        s.focus_window(TAPE)
        item = s.get(s.get(s.window(TAPE), TAPE, R.LIST), "2 + 3 = 5", R.LIST_ITEM)
        x, y = s.centre(item)
        s.run(["xdotool", "mousemove", str(x), str(y), "sleep", "0.1", "click", "--repeat", "2", "--delay", "80",
               "1"])
        expect_display(s, "5")
        s.type("*3=")
        expect_display(s, "15")
    with s.step("На дисплей in the formula window"):
        s.key("ctrl+m")
        s.active(MASS)
        s.type("H2O")
        s.key("Return")
        expect_display(s, "18,0148")
        s.type("*2=")
        expect_display(s, "36,0296")


def focused_name(s):
    node = s.focused(plot(s))
    if node is None:
        return None
    # The list reports its current line as focused.
    if node.get_role() == R.LIST_ITEM:
        return "Список функций"
    return node.get_name()


def scenario_plot_window_focus(s, workdir):
    with s.step("F2 opens the plot window with the focus in F(X)"):
        s.focus_window(CALC)
        s.key("F2")
        plot(s)
        s.gone(CALC)
        time.sleep(0.5)
        s.type("x/2")
        s.key("Return")
        idle(s)
        s.wait_until(lambda: entries(s) == ["1:F(X)=x/2"], 2, f"the entry of x/2 (the list holds {entries(s)})")
    with s.step("Tab walks the design's order from F(X)"):
        expected = ["Добавить", "Список функций", "Изменить", "Удалить", "Обновить", "Очистить",
                    "Очистить все", "Обновить все"]
        s.click(edits(s)[0])
        for name in expected:
            s.key("Tab")
            s.wait_until(lambda: focused_name(s) == name, 2, f"the focus on '{name}' (it is on {focused_name(s)!r})")
    with s.step("Закрыть hands the keyboard back to the calculator"):
        plot_click(s, "Закрыть")
        s.gone(PLOT)
        s.type("5+5=")
        expect_display(s, "10")
    with s.step("the window comes back with the focus in F(X), its text selected"):
        s.focus_window(CALC)
        s.key("F2")
        plot(s)
        time.sleep(0.5)
        s.type("x*3")
        s.key("Return")
        idle(s)
        s.wait_until(lambda: entries(s) == ["1:F(X)=x/2", "2:F(X)=x*3"], 2,
                     f"the entry of x*3 (the list holds {entries(s)})")


def scenario_help_return_closes(s, workdir):
    open_plot(s)
    for key in ("Return", "KP_Enter"):
        with s.step(f"{key} closes the help"):
            plot_click(s, "Справка")
            s.window(HELP)
            s.focus_window(HELP)
            s.key(key)
            s.gone(HELP)
    with s.step("Return with the viewer focused closes it too"):
        plot_click(s, "Справка")
        s.click(s.get(s.window(HELP), "Справка", R.TEXT))
        s.key("Return")
        s.gone(HELP)


def inside_screen(s, title):
    x, y, w, h = s.geometry(title)
    width, height = s.size
    if x < 0 or y < 0 or x + w > width or y + h > height:
        s.fail(f"'{title}' lies at x={x}, y={y}, {w}x{h}: beyond the {width}x{height} screen")
    print(f"'{title}' at x={x}, y={y}, {w}x{h} on the {width}x{height} screen")
    return x, y, w, h


@harness.screen(2560, 1600, scale=2)
def scenario_wide_screen_windows(s, workdir):
    s.focus_window(CALC)
    with s.step("the periodic table shown at twice the size"):
        s.key("F3")
        s.wait_until(lambda: s.find(s.window(CALC), "Li", R.PUSH_BUTTON) is not None, 2, "the table shown")
    with s.step("the formula window opens within the screen"):
        s.key("ctrl+m")
        s.active(MASS)
        inside_screen(s, MASS)
    with s.step("its На дисплей can be pressed"):
        s.type("H2O")
        s.click(s.get(s.window(MASS), "На дисплей", R.PUSH_BUTTON))
        expect_display(s, "18,0148")
    with s.step("the tape opens within the screen"):
        s.focus_window(CALC)
        s.key("ctrl+j")
        s.window(TAPE)
        inside_screen(s, TAPE)
        s.screenshot("/tmp/e2e-wide_screen_windows.png")
    with s.step("the help window within the screen"):
        # The plot window keeps its designed place (left -3).
        open_plot(s)
        plot_click(s, "Справка")
        inside_screen(s, HELP)


def ended(s, timeout=3):
    s.wait_until(lambda: s.proc.poll() is not None, timeout, "the program to end")


def answer(s, text, button):
    box = s.box()
    if text not in box_text(s, box):
        s.fail(f"the box says {box_text(s, box)!r}, not {text!r}")
    s.click(s.get(box, button, R.PUSH_BUTTON))
    s.closed(box, "the question")


SAVE_SET_QUESTION = "Сохранить набор функций?"


def scenario_unsaved_work_asks(s, workdir):
    s.focus_window(CALC)
    with s.step("Очистить журнал asks first"):
        s.type("2+2=")
        s.key("ctrl+j")
        s.focus_window(TAPE)
        s.click(s.get(s.get(s.window(TAPE), TAPE, R.LIST), "2 + 2 = 4", R.LIST_ITEM), button=3)
        time.sleep(0.5)
        s.key("Down", "Down", "Down", "Return")
        answer(s, "Очистить журнал", "Нет")
        expect_tape(s, ["2 + 2 = 4"])
        s.click(s.get(s.get(s.window(TAPE), TAPE, R.LIST), "2 + 2 = 4", R.LIST_ITEM), button=3)
        time.sleep(0.5)
        s.key("Down", "Down", "Down", "Return")
        answer(s, "Очистить журнал", "Да")
        expect_tape(s, [])
    with s.step("a function added and not saved"):
        open_plot(s)
        plot_click(s, "Добавить")
        idle(s)
    with s.step("F4 asks; Отмена keeps the program running"):
        s.key("F4")
        answer(s, SAVE_SET_QUESTION, "Отмена")
        time.sleep(0.5)
        if s.proc.poll() is not None:
            s.fail("the program ended after Отмена")
        plot(s)
    with s.step("closing the calculator window asks too"):
        plot_click(s, "Закрыть")
        s.gone(PLOT)
        s.run(["wmctrl", "-c", CALC])
        answer(s, SAVE_SET_QUESTION, "Отмена")
        time.sleep(0.5)
        if s.proc.poll() is not None:
            s.fail("the program ended after Отмена")
    target = os.path.join(workdir, "exit.vfs")
    with s.step("Да saves the set through the file dialog, then the program ends"):
        s.focus_window(CALC)
        s.key("F4")
        answer(s, SAVE_SET_QUESTION, "Да")
        choose_file(s, target)
        ended(s)
        with open(target, encoding="utf-8") as f:
            if not f.read().startswith("F(X)=sin[x]\n"):
                s.fail(f"the file {target} holds no set")


ANALYSIS = "Анализ функции"


def analysis_rows(s):
    results = s.get(s.window(ANALYSIS), "Результаты", R.LIST)
    return [item.get_name() for item in s.find_all(results, role=R.LIST_ITEM)]


def scenario_analysis(s, workdir):
    shots = os.environ.get("VELTRUM_E2E_SHOTS", workdir)
    open_plot(s)
    with s.step("sin[x] drawn from -4 to 4"):
        set_edit(s, 5, "-4")
        set_edit(s, 6, "4")
        set_edit(s, 0, "sin[x]")
        plot_click(s, "Добавить")
        idle(s)
    with s.step("Ctrl+I opens the analysis beside the plot window"):
        s.key("ctrl+i")
        s.window(ANALYSIS)
        s.wait_until(lambda: len(analysis_rows(s)) == 6, 10, f"six rows (there are {analysis_rows(s)})")
        window = Atspi.Component.get_extents(s.window(ANALYSIS), Atspi.CoordType.SCREEN)
        base = Atspi.Component.get_extents(plot(s), Atspi.CoordType.SCREEN)
        if base.x < window.x + window.width and window.x < base.x + base.width and \
                base.y < window.y + window.height and window.y < base.y + base.height:
            s.fail(f"the analysis window at {window.x},{window.y} covers the plot window")
    with s.step("three zeros and two extrema read over the accessibility bus"):
        rows = analysis_rows(s)
        zeros = [r for r in rows if r.startswith("Нуль: ")]
        if [z.split(";")[0] for z in zeros] != ["Нуль: x = -3,14159265358979", "Нуль: x = 0",
                                                  "Нуль: x = 3,14159265358979"]:
            s.fail(f"the zeros are {zeros}")
        # An extremum's x has only the digits its values fix.
        if rows[1] != "Минимум: x = -1,570796; y = -1":
            s.fail(f"the minimum row is {rows[1]!r}")
        if rows[3] != "Максимум: x = 1,570796; y = 1":
            s.fail(f"the maximum row is {rows[3]!r}")
    with s.step("a selected extremum is ringed on the chart, the integral shaded"):
        results = s.get(s.window(ANALYSIS), "Результаты", R.LIST)
        s.click(s.get(results, rows[3], R.LIST_ITEM))
        time.sleep(0.5)
        s.screenshot(os.path.join(shots, "analysis_maximum.png"))
        s.click(s.get(results, rows[5], R.LIST_ITEM))
        time.sleep(0.5)
        s.screenshot(os.path.join(shots, "analysis_integral.png"))
    with s.step("Enter on the zero at pi sends it to the display"):
        s.click(s.get(results, rows[4], R.LIST_ITEM))
        s.key("Return")
        expect_display(s, "3,14159265358979")
    with s.step("the number joins a chain and shows on the tape"):
        s.focus_window(CALC)
        s.type("*2=")
        expect_display(s, "6,28318530717958")
        s.key("ctrl+j")
        s.wait_until(lambda: tape_lines(s)[-1:] == ["3,14159265358979 * 2 = 6,28318530717958"], 2,
                     f"the tape's last line (it has {tape_lines(s)})")
    with s.step("a reversed range in the analysis window shows the sampling run's box"):
        s.focus_window(ANALYSIS)
        to = s.get(s.window(ANALYSIS), "x до", R.TEXT)
        s.click(to)
        s.key("ctrl+a", "BackSpace")
        s.type("-5")
        s.key("Return")
        expect_box(s, RANGE_TEXT, "return")
        if analysis_rows(s):
            s.fail(f"rows stayed after the refusal: {analysis_rows(s)}")
    with s.step("a search over the largest range the plot window allows stops at Esc"):
        window = s.window(ANALYSIS)
        for name, text in (("x от", "-4999"), ("x до", "5000")):
            edit = s.get(window, name, R.TEXT)
            s.click(edit)
            s.key("ctrl+a", "BackSpace")
            s.type(text)
        # Tab leads from "до" to the step, End chooses its last, 0,001:
        # 9,999,001 samples, seconds of work.
        s.key("Tab", "End")
        find = s.get(window, "Найти", R.PUSH_BUTTON)
        s.click(find)
        s.wait_until(lambda: not s.enabled(find), 2, "the search going on")
        time.sleep(0.5)
        if s.enabled(find):
            s.fail("the search ended before Esc")
        start = time.monotonic()
        s.key("Escape")
        s.wait_until(lambda: s.enabled(find), 2, "the search stopped")
        print(f"Esc stopped the analysis after {(time.monotonic() - start) * 1000:.0f} ms "
              "(xdotool and the bus included)")
        s.screenshot(os.path.join(shots, "analysis_stopped.png"))


def scenario_typing_during_a_run(s, workdir):
    open_plot(s)
    with s.step("sin[x] drawn and analysed"):
        plot_click(s, "Добавить")
        idle(s)
        s.key("ctrl+i")
        s.window(ANALYSIS)
        s.wait_until(lambda: len(analysis_rows(s)) > 1, 10, f"the findings (there are {analysis_rows(s)})")
    with s.step("a long run goes on in the plot window"):
        s.focus_window(PLOT)
        start_long_run(s)
    with s.step("На дисплей brings the calculator forward during the run"):
        s.focus_window(ANALYSIS)
        results = s.get(s.window(ANALYSIS), "Результаты", R.LIST)
        s.click(s.get(results, analysis_rows(s)[0], R.LIST_ITEM))
        s.click(s.get(s.window(ANALYSIS), "На дисплей", R.PUSH_BUTTON))
        s.window(CALC)
    with s.step("40 pasted, + and 2 typed while the run goes on"):
        s.focus_window(CALC)
        s.set_clipboard("40")
        s.key("ctrl+v")
        expect_display(s, "40")
        s.type("+2")
        expect_display(s, "2")
        if s.enabled(plot_button(s, "Добавить")):
            s.fail("the run ended before the typing: it proves nothing")
    with s.step("the run ends and leaves the typing alone"):
        s.focus_window(PLOT)
        s.key("Escape")
        idle(s, timeout=5)
        expect_display(s, "2")
    with s.step("= finishes the calculation typed"):
        s.focus_window(CALC)
        s.type("=")
        expect_display(s, "42")


@harness.native_wayland
def scenario_native_wayland_keys(s, workdir):
    """With no X display the program runs on Wayland itself: no key is
    lost, and the keyboard goes back to the calculator as on X11."""
    with s.step("the keys typed reach the calculator"):
        s.active(CALC)
        s.type("2+3*4=")
        expect_display(s, "14")
    with s.step("Ctrl+J opens the tape and a recall with Enter hands the typing back"):
        s.key("ctrl+j")
        s.window(TAPE)
        time.sleep(0.5)
        s.key("End", "Return")
        expect_display(s, "14")
        s.type("+1=")
        expect_display(s, "15")
    with s.step("На дисплей in the formula window hands the typing back"):
        s.key("ctrl+m")
        s.active(MASS)
        time.sleep(0.5)
        s.type("H2O")
        s.key("Return")
        expect_display(s, "18,0148")
        s.type("*2=")
        expect_display(s, "36,0296")
    with s.step("F2 opens the plot window with the focus in F(X)"):
        s.key("F2")
        plot(s)
        time.sleep(0.5)
        s.type("x/2")
        s.key("Return")
        idle(s)
        s.wait_until(lambda: entries(s) == ["1:F(X)=x/2"], 2, f"the entry of x/2 (the list holds {entries(s)})")
