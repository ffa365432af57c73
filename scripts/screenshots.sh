#!/usr/bin/env bash
# Starts the real program on a virtual X display (Debian's default fonts),
# walks its screens like an operator would and saves a PNG of each. Installs
# what it needs (Xvfb, ImageMagick, xdotool and the accessibility bus through
# which it finds windows and controls) when missing.
#
# The desktop keeps a panel of 32 pixels (at 96 DPI, scaled with the DPI)
# along the bottom of the screen and announces the area it leaves free, as
# desktops do (_NET_WORKAREA). Every window, with the title bar of 36 pixels
# (scaled) that a desktop would draw on top of it, must lie inside that area,
# or the walk stops.
#
# usage: screenshots.sh [--dpi N] [--screen WxH]
#   --dpi N       the font DPI the desktop announces (Xft.dpi), 96 by default.
#                 The screen is 1366x768 at 96 DPI, 1920x1080 at 144 and
#                 2560x1440 at 192 (otherwise 1366x768 scaled by N/96). At 96
#                 DPI the pictures go to docs/screenshots/, which the README
#                 shows; at any other DPI to build/screenshots-<N>dpi/.
#   --screen WxH  another screen size, in pixels (e.g. 1280x720).
#
# SOVVENZIA_BINARY picks the program (default: build/src/sovvenzia, built by
# scripts/setup.sh when missing); SCREENSHOTS_DIR picks the output folder.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
binary="${SOVVENZIA_BINARY:-${BUILD_DIR:-$root/build}/src/sovvenzia}"

usage() { echo "usage: $0 [--dpi N] [--screen WxH]" >&2; exit 2; }
dpi=96
screen=""
while (($#)); do
  case "$1" in
    --dpi) [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || usage
      dpi=$2
      shift 2 ;;
    --screen) [[ "${2:-}" =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || usage
      screen=$2
      shift 2 ;;
    *) usage ;;
  esac
done
if [ -z "$screen" ]; then
  case "$dpi" in
    96) screen=1366x768 ;;
    144) screen=1920x1080 ;;
    192) screen=2560x1440 ;;
    *) screen="$((1366 * dpi / 96))x$((768 * dpi / 96))" ;;
  esac
fi
screen_width=${screen%x*}
screen_height=${screen#*x}
panel=$((32 * dpi / 96))
title_bar=$((36 * dpi / 96))
area="0 0 $screen_width $((screen_height - panel))"
if ((dpi == 96)); then
  out="${SCREENSHOTS_DIR:-$root/docs/screenshots}"
else
  out="${SCREENSHOTS_DIR:-$root/build/screenshots-${dpi}dpi}"
fi

wanted=(xvfb xauth x11-xserver-utils x11-utils imagemagick xdotool python3-pyatspi at-spi2-core dbus-x11
  fonts-dejavu-core poppler-utils)
"$here/install-packages.sh" "${wanted[@]}"
[ -x "$binary" ] || "$here/setup.sh" run

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number; then wait until it answers.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -dpi "$dpi" -noreset -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
display=":$(head -n1 "$work/display")"
for _ in $(seq 100); do
  DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
# The font DPI, as a desktop's settings announce it to its programs, and the
# area its panel leaves free.
echo "Xft.dpi: $dpi" | DISPLAY=$display xrdb -nocpp -merge
DISPLAY=$display xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "${area// /, }"
read -r ax ay aw ah <<<"$area"
echo "screen $screen at $dpi DPI; available area ${aw}x${ah}+${ax}+${ay} (a panel of $panel pixels" \
  "at the bottom); windows get a title bar of $title_bar pixels"

# The sample lists sit under a fixed tail of path, so that the boxes that show
# the end of a path show the same text in every run.
mkdir -p "$out" "$work/home/Documents" "$work/home/Documenti/Elenchi"
cat >"$work/walk.py" <<'PY'
"""Walks the program's screens through the accessibility bus and xdotool."""
import os
import struct
import subprocess
import sys
import time

import pyatspi

BINARY, OUT, WORK = sys.argv[1:4]
ELENCHI = os.path.join(WORK, "home", "Documenti", "Elenchi")

# --- sample lists: 418-byte records, Windows-1252 text, float32 amounts --------
WIDTHS = (30, 30, 30, 10, 16, 30, 50, 4, 5)


def persona(cognome, nome, luogo, data, cf, comune, via, num, cap):
    values = (cognome, nome, luogo, data, cf, comune, via, num, cap)
    return b"".join(v.upper().ljust(w)[:w].encode("cp1252") for v, w in zip(values, WIDTHS))


def record(richiedente, studente, spese, isee):
    data = persona(*richiedente) + persona(*studente) + struct.pack("<ff", spese, isee)
    assert len(data) == 418
    return data


def famiglia(cognome, genitore, figlio, cf_gen, cf_fig, via, num, spese, isee):
    return record((cognome, genitore, "Roma", "12/03/1978", cf_gen, "Roma", via, num, "00100"),
                  (cognome, figlio, "Roma", "05/09/2015", cf_fig, "Roma", via, num, "00100"),
                  spese, isee)


# Every codice fiscale agrees with its person, so that no picture shows a hint
# that was not asked for.
FAMIGLIE = [
    famiglia("Rossi", "Mario", "Luca", "RSSMRA78C12H501K", "RSSLCU15P05H501L",
             "Via Appia Nuova", "12", 245.5, 8350.2),
    famiglia("Bianchi", "Laura", "Giulia", "BNCLRA78C52H501T", "BNCGLI15P45H501D",
             "Piazza Navona", "3", 180, 12040),
    famiglia("Esposito", "Anna", "Marco", "SPSNNA78C52H501C", "SPSMRC15P05H501Y",
             "Via Tiburtina", "240", 312.75, 6900.5),
    famiglia("Colombo", "Paolo", "Sara", "CLMPLA78C12H501F", "CLMSRA15P45H501B",
             "Viale Trastevere", "88", 95, 15200),
    famiglia("Ricci", "Elena", "Tommaso", "RCCLNE78C52H501G", "RCCTMS15P05H501H",
             "Via Nomentana", "7", 410, 4800.75),
]
# A family of long names, as the printout wraps them.
DELL_ACQUA = famiglia("Dell'Acqua", "Gianfrancesco Maria", "Ludovica", "DLLGFR78C12H501K",
                      "DLLLVC15P45H501M", "Viale della Repubblica Italiana", "104", 1250.5, 11875)


def scrivi(name, records):
    path = os.path.join(ELENCHI, name)
    with open(path, "wb") as f:
        f.write(b"".join(records))
    return path


ELENCO = scrivi("Roma_Primaria_25-26.svz", FAMIGLIE[:3] + [DELL_ACQUA])
SECONDO = scrivi("Roma_Primaria_25-26_bis.svz", FAMIGLIE[3:])
ESISTENTE = scrivi("Roma_SecPrimoGrado_25-26.svz", FAMIGLIE[1:2])


# --- driving --------------------------------------------------------------------
class StepFailed(Exception):
    pass


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def key(*keys):
    xdotool("key", "--delay", "60", *keys)
    time.sleep(0.3)


def type_text(text):
    xdotool("type", "--delay", "40", text)
    time.sleep(0.2)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "sovvenzia":
            return app
    return None


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


# Screen pixels per pixel of the places the accessibility bus reports: Qt
# reports them in its own scaled pixels, which at a font DPI above 96 are
# larger than the screen's. Measured on the first window.
scale = 1.0


def measure_scale(acc):
    global scale
    geometry = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", f"^{acc.name}$",
         "getwindowgeometry", "--shell"], check=True, capture_output=True, text=True).stdout
    width = max(int(line[len("WIDTH="):]) for line in geometry.split() if line.startswith("WIDTH="))
    scale = width / acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return tuple(round(n * scale) for n in (box.x, box.y, box.width, box.height))


def descendants(acc):
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def wait_for(find, what, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = find()
        if found is not None:
            time.sleep(0.4)  # let the window paint
            return found
        time.sleep(0.2)
    raise StepFailed(f"not found: {what}")


def window(title, roles=("filler", "frame", "dialog", "window"), timeout=10):
    """The showing top-level window with this title."""
    def find():
        app = application()
        if app is None:
            return None
        for i in range(app.childCount):
            top = app.getChildAtIndex(i)
            if (top is not None and top.getRoleName() in roles and showing(top)
                    and (title is None or top.name == title)):
                return top
        return None
    return wait_for(find, f"window {title!r}", timeout)


def alert():
    return window(None, roles=("alert",))


def control(win, role, name=None, index=0):
    def find():
        hits = [c for c in descendants(win)
                if c.getRoleName() == role and showing(c) and (name is None or c.name == name)]
        return hits[index] if len(hits) > index else None
    return wait_for(find, f"{role} {name!r} in {win.name!r}", timeout=5)


def click(acc):
    x, y, w, h = extents(acc)
    xdotool("mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")
    time.sleep(0.5)


def press(win, name):
    click(control(win, "push button", name))


# The area the desktop leaves free and the title bar it puts on each window.
AREA_X, AREA_Y, AREA_W, AREA_H = (int(n) for n in os.environ["AREA"].split())
TITLE_BAR = int(os.environ["TITLE_BAR"])


def shot(acc, name):
    x, y, w, h = extents(acc)
    if (x < AREA_X or y < AREA_Y or x + w > AREA_X + AREA_W
            or y + h + TITLE_BAR > AREA_Y + AREA_H):
        raise StepFailed(f"{name}: its frame {w}x{h + TITLE_BAR}+{x}+{y} leaves the available "
                         f"area {AREA_W}x{AREA_H}+{AREA_X}+{AREA_Y}")
    subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                    "-strip", os.path.join(OUT, name + ".png")], check=True)
    print(f"saved {name}.png ({w}x{h})")


def shot_with_tooltip(acc, name):
    """The window and the tooltip shown over it, in one picture; the empty
    screen beside the window is painted in the window's grey."""
    boxes = [extents(acc)] + [extents(c) for c in descendants(application())
                              if c.getRoleName() == "tool tip" and showing(c)]
    left, top = min(b[0] for b in boxes), min(b[1] for b in boxes)
    right, bottom = max(b[0] + b[2] for b in boxes), max(b[1] + b[3] for b in boxes)
    picture = os.path.join(OUT, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "-strip", picture],
                   check=True)
    subprocess.run(["convert", picture, "-fill", "#efefef", "-draw",
                    f"color {right - left - 1},{bottom - top - 1} floodfill", picture], check=True)
    print(f"saved {name}.png")


def choose_file(path):
    """Types a full path into the file dialog that is open and accepts it."""
    dialog = window(None, roles=("dialog",))
    name_box = control(dialog, "text", index=0)
    click(name_box)
    key("ctrl+a")
    type_text(path)
    key("Return")


def menu(win, title, item):
    click(control(win, "menu item", title))
    click(wait_for(lambda: next((c for c in descendants(application())
                                 if c.getRoleName() == "menu item" and c.name == item
                                 and showing(c)), None), f"menu item {item!r}"))


# --- the walk ---------------------------------------------------------------------
def walk():
    intro = window("Sovvenzia", timeout=30)
    measure_scale(intro)
    shot(intro, "01-presentazione")
    press(intro, "Avanti     >")

    scelta = window("Opzioni")
    shot(scelta, "02-scelta-generale")
    click(control(scelta, "page tab", "Avanzate"))
    shot(scelta, "03-scelta-avanzate")
    click(control(scelta, "page tab", "Generale"))

    # A new list on a file that already holds an application: blocked mode.
    click(control(scelta, "radio button", "Crea un nuovo elenco"))
    intestazione = window("Intestazione")
    click(control(intestazione, "text"))
    type_text("Roma")
    for choice in ("p", "2", "5", "2", "6"):
        key("Tab")
        key(choice)
    shot(intestazione, "04-intestazione")
    press(intestazione, "Salva")
    choose_file(ESISTENTE)
    press(window("Intestazione"), "Avanti")
    avviso = alert()
    shot(avviso, "05-avviso-file-esistente")
    key("Return")
    dati = window("Dati anagrafici")
    shot(dati, "06-dati-anagrafici-bloccato")
    press(dati, "<   Indietro")

    # An existing list to continue: entry mode.
    scelta = window("Opzioni")
    click(control(scelta, "radio button", "Continua a scrivere un elenco"))
    choose_file(ELENCO)
    press(window("Opzioni"), "Avanti   >")
    window("Gestione Sovvenzia", roles=("dialog",))
    type_text("25-26")
    key("Return")
    dati = window("Dati anagrafici")
    for text in ("Ferrari", "Giorgio", "Roma", "21061980", "FRRGRG80H21H501M", "Roma",
                 "00100", "Via del Corso", "15", "Ferrari", "Martina", "Roma", "14022016",
                 "FRRMTN16B54H501N"):
        type_text(text)
        key("Tab")
    key("Tab", "Tab", "Tab", "Tab")  # the student's address was copied from the requester's
    type_text("275.40")
    key("Tab")
    type_text("9120.35")
    shot(dati, "07-dati-anagrafici")
    # A codice fiscale with a wrong check character: the hint and its tooltip.
    codice = control(dati, "text", "Codice fiscale del richiedente")
    click(codice)
    key("ctrl+a")
    type_text("FRRGRG80H21H501K")
    key("Tab")
    x, y, w, h = extents(codice)
    xdotool("mousemove", "--sync", str(x + w - h // 2), str(y + h // 2))
    time.sleep(2)
    shot_with_tooltip(dati, "15-codice-fiscale-suggerimento")
    click(codice)
    key("ctrl+a")
    type_text("FRRGRG80H21H501M")
    key("ctrl+z")
    menu(dati, "?", "Informazioni sul prodotto")
    informazioni = window("Informazioni")
    shot(informazioni, "14-informazioni")
    press(informazioni, "Ok")
    dati = window("Dati anagrafici")

    # Search, then modify mode.
    menu(dati, "Modifica", "Domanda di partecipazione")
    ricerca = window("Modifica i dati di un modulo di partecipazione")
    click(control(ricerca, "check box", "Cognome (Richiedente)"))
    type_text("esposito")
    key("Tab")
    type_text("anna")
    shot(ricerca, "08-ricerca")
    press(ricerca, "Trova")
    dati = window("Dati anagrafici")
    shot(dati, "09-dati-anagrafici-modifica")
    press(dati, "Annulla")
    ricerca = window("Modifica i dati di un modulo di partecipazione")
    shot(ricerca, "10-ricerca-trova-successivo")
    press(ricerca, "Termina Ricerca")

    # Summary of the list.
    dati = window("Dati anagrafici")
    menu(dati, "Visualizza", "Tabella di riepilogo")
    riepilogo = window("Riepilogo")
    shot(riepilogo, "11-riepilogo")
    click(control(riepilogo, "table").queryTable().getColumnHeader(1))
    shot(riepilogo, "16-riepilogo-ordinato")
    # The printout of the sorted table, printed into a PDF file from the
    # preview; its first page is the picture.
    press(riepilogo, "Stampa...")
    press(window(None, roles=("dialog",)), "Stampa")
    stampa = window("Stampa", roles=("dialog",))
    click(control(stampa, "text", "File di output:"))
    key("ctrl+a")
    pdf = os.path.join(WORK, "stampa.pdf")
    type_text(pdf)
    press(stampa, "Stampa")
    wait_for(lambda: os.path.exists(pdf) or None, "the printed PDF", 30)
    subprocess.run(["pdftoppm", "-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf,
                    os.path.join(OUT, "17-stampa")], check=True)
    print("saved 17-stampa.png")
    riepilogo = window("Riepilogo")
    press(riepilogo, "Esporta il contenuto della tabella in un foglio Excel")
    for answer in ("Roma", "Primaria"):
        window("Gestione Sovvenzia", roles=("dialog",))
        type_text(answer)
        key("Return")
    documenti = os.path.join(WORK, "home", "Documents")
    wait_for(lambda: next(iter(os.listdir(documenti)), None), "the exported workbook", 30)
    print(f"exported {os.listdir(documenti)[0]}")
    try:  # with no spreadsheet program to open it, a message tells where it is
        window(None, roles=("alert",), timeout=3)
        key("Return")
    except StepFailed:
        pass
    # The summary narrowed by a word and a ceiling for the ISEE, seen from
    # its first column; a box that is not an amount is marked.
    riepilogo = window("Riepilogo")
    click(control(riepilogo, "table"))
    key("ctrl+Home")
    for box, text in (("Cerca", "roma"), ("ISEE fino a €", "12000,00"), ("Spese da €", "cento")):
        click(control(riepilogo, "text", box))
        type_text(text)
    shot(riepilogo, "18-riepilogo-filtrato")
    riepilogo = window("Riepilogo")
    press(riepilogo, "<     Indietro")
    press(window("Dati anagrafici"), "<   Indietro")

    # Append one list to another.
    scelta = window("Opzioni")
    click(control(scelta, "page tab", "Avanzate"))
    click(control(scelta, "radio button", "Aggiungi il secondo elenco al primo"))
    unione = window("Unione elenchi")
    press(unione, "Sfoglia...")
    choose_file(ELENCO)
    click(control(window("Unione elenchi"), "push button", "Sfoglia...", index=1))
    choose_file(SECONDO)
    unione = window("Unione elenchi")
    shot(unione, "12-aggiungi-elenco")
    press(unione, "<    Indietro")

    # Merge two lists into a new one.
    scelta = window("Opzioni")
    click(control(scelta, "page tab", "Avanzate"))
    click(control(scelta, "radio button", "Unisci i due elenchi esistenti in un unico nuovo elenco"))
    unione = window("Unione elenchi")
    names = [c for c in descendants(unione) if c.getRoleName() == "push button"
             and c.name == "Sfoglia..." and showing(c)]
    for button, path in zip(sorted(names, key=lambda b: extents(b)[1]), (ELENCO, SECONDO)):
        click(button)
        choose_file(path)
    unione = window("Unione elenchi")
    click(control(unione, "text", index=2))
    type_text(os.path.join(ELENCHI, "Roma_Primaria_25-26_unito.svz"))
    shot(unione, "13-unisci-elenchi")
    press(unione, "<   Indietro")

    press(window("Opzioni"), "Annulla")


def main():
    env = dict(os.environ, HOME=os.path.join(WORK, "home"), QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="it_IT.UTF-8")
    application()  # brings the accessibility bus up before the program looks for it
    program = subprocess.Popen([BINARY], cwd=ELENCHI, env=env)
    try:
        walk()
        program.wait(timeout=10)
    except StepFailed as failure:
        subprocess.run(["import", "-window", "root", os.path.join(WORK, "failed.png")])
        print(f"screenshot walk stopped: {failure}; showing controls:", file=sys.stderr)
        app = application()
        for acc in descendants(app) if app is not None else ():
            if showing(acc):
                print(f"  {acc.getRoleName()} {acc.name!r} {extents(acc)}", file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
    return 0


sys.exit(main())
PY

status=0
DISPLAY=$display AREA="$area" TITLE_BAR=$title_bar dbus-run-session -- /usr/bin/python3 "$work/walk.py" "$binary" "$out" "$work" \
  2> >(grep -v -e 'dbus-daemon' -e 'SpiRegistry' >&2) || status=$?
if ((status)); then
  failure_shot="${TMPDIR:-/tmp}/sovvenzia-screenshot-failure.png"
  cp "$work/failed.png" "$failure_shot" 2>/dev/null &&
    echo "the screen at the failure: $failure_shot" >&2
  exit "$status"
fi
echo "screenshots in $out"
