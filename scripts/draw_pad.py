#!/usr/bin/env python3
"""Draws the README's gamepads, an Xbox, a PlayStation and a Switch pad, each with its own button names
at their own places and what each does out of the box in the edition for any player. People would
rather look at their pad than read a table, and the same button number sits at another place on each.

Usage: draw_pad.py FOLDER  (writes pad-xbox.png, pad-playstation.png and pad-switch.png there with
ImageMagick's convert; make pictures runs this). It refuses to draw a picture in which a leader line
crosses another line, a part of the pad or a text, or a text lies on the pad.
"""
import os
import subprocess
import sys

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
WIDTH, HEIGHT = 1320, 730
OX, OY = 140, 50  # the pad's own coordinates below are drawn at x + OX, y + OY
BODY, DARK, LIGHT, INK, LINE = "#454b55", "#2b2f36", "#9aa3ae", "#1d2129", "#8a929c"
POINTS, LINE_HEIGHT, MARGIN = 15, 19, 20
COLUMN = 350  # the width of the text on either side of the pad
LEFT_ELBOW, RIGHT_ELBOW = MARGIN + COLUMN, WIDTH - MARGIN - COLUMN

# What the edition for any player does with buttons 1-4 as Windows numbers them.
DOES = {1: "play / pause", 2: "play / pause", 3: "mute", 4: "Fn (held, the rest do the same)"}
DIRECTIONS = ["\u2190 \u2192 previous / next track,", "\u2191 \u2193 volume; hold any direction to repeat"]

# Each pad: its face buttons (top, right, bottom, left) by button number, label and colour; the
# shoulders and triggers; Back and Start; the stick presses; its own home button; and what is at its
# upper left: the stick on Xbox and Switch pads, the D-pad on PlayStation pads.
PADS = {
    "xbox": dict(
        title="An Xbox pad", face=[(4, "Y", "#e3b505"), (2, "B", "#c8382c"), (1, "A", "#2f9e44"), (3, "X", "#2f6fd0")],
        shoulders=("LB", "RB", "LT", "RT"), back="View", start="Menu",
        presses=("Left stick pressed in", "Right stick pressed in"),
        home="Xbox button: Windows' own (it may open Game Bar)", upper_left="stick"),
    "playstation": dict(
        title="A PlayStation pad",
        face=[(4, "\u25b3", "#3fb27f"), (3, "\u25cb", "#e05a5a"), (2, "\u2715", "#6d8fe0"), (1, "\u25a1", "#d78bc1")],
        names={4: "Triangle", 3: "Circle", 2: "Cross", 1: "Square"},
        shoulders=("L1", "R1", "L2", "R2"), back="Share (Create)", start="Options", presses=("L3", "R3"),
        home="PS button: nothing", upper_left="dpad", touchpad=True),
    "switch": dict(
        title="A Switch Pro controller", face=[(4, "X", DARK), (2, "A", DARK), (1, "B", DARK), (3, "Y", DARK)],
        shoulders=("L", "R", "ZL", "ZR"), back="Minus", start="Plus",
        presses=("Left stick pressed in", "Right stick pressed in"), home="HOME: nothing", upper_left="stick"),
}

# Where the parts are, in the pad's own coordinates.
UPPER_LEFT, LOWER_LEFT, RIGHT_STICK, STICK_R, DPAD_HALF = (335, 255), (430, 348), (600, 350), 40, 40
FACE_CENTRE, FACE_OFFSET, FACE_R = (705, 262), 44, 20
BACK, START, HOME, HOME_R = (462, 250), (578, 250), (520, 310), 14
TRIGGERS = ((255, 110, 425, 150), (615, 110, 785, 150))
SHOULDERS = ((265, 150, 425, 182), (615, 150, 775, 182))
TOUCHPAD = (485, 195, 555, 265)
# The body and grips, which lines may cross and texts may not cover: their bounding boxes.
BODY_BOXES = ((240, 110, 800, 400), (230, 270, 400, 530), (640, 270, 810, 530))


def at(x, y):
    return x + OX, y + OY


def face_positions():
    (cx, cy), d = FACE_CENTRE, FACE_OFFSET
    return [(cx, cy - d), (cx + d, cy), (cx, cy + d), (cx - d, cy)]  # top, right, bottom, left


def lower_left(pad):
    return "dpad" if pad["upper_left"] == "stick" else "stick"


def parts(pad):
    """Every part a line must keep clear of, by name, in picture coordinates: ('circle', x, y, r) or
    ('rect', x0, y0, x1, y1)."""
    shapes = {name: ("rect", *at(x0, y0), *at(x1, y1))
              for name, (x0, y0, x1, y1) in zip(("lt", "rt", "lb", "rb"), TRIGGERS + SHOULDERS)}
    for name, centre, kind in (("upper", UPPER_LEFT, pad["upper_left"]), ("lower", LOWER_LEFT, lower_left(pad))):
        x, y = at(*centre)
        h = DPAD_HALF
        shapes[name] = ("rect", x - h, y - h, x + h, y + h) if kind == "dpad" else ("circle", x, y, STICK_R)
    shapes["rstick"] = ("circle", *at(*RIGHT_STICK), STICK_R)
    for n, position in enumerate(face_positions()):
        shapes[f"face{n}"] = ("circle", *at(*position), FACE_R)
    for name, (x, y) in (("back", BACK), ("start", START)):
        shapes[name] = ("rect", *at(x - 12, y - 8), *at(x + 12, y + 8))
    shapes["home"] = ("circle", *at(*HOME), HOME_R)
    if pad.get("touchpad"):
        shapes["touchpad"] = ("rect", *at(*TOUCHPAD[:2]), *at(*TOUCHPAD[2:]))
    return shapes


def face_name(pad, number):
    return pad.get("names", {}).get(number) or next(label for n, label, _ in pad["face"] if n == number)


def callouts(pad):
    """What is said of each part: (the part, the text's lines, where the text goes, its row's y, the
    leader's points from the part's edge towards the row)."""
    lb, rb, lt, rt = pad["shoulders"]
    if pad["upper_left"] == "dpad":
        upper = ["D-pad: " + DIRECTIONS[0], DIRECTIONS[1]]
        lower = ["Left stick: as the D-pad;", f"pressed in ({pad['presses'][0]}): mute"]
    else:
        upper = ["Left stick: " + DIRECTIONS[0], DIRECTIONS[1], f"{pad['presses'][0]}: mute"]
        lower = ["D-pad: as the left stick"]
    edge = lambda kind: STICK_R if kind == "stick" else DPAD_HALF
    (ux, uy), (lx, ly), (sx, sy) = at(*UPPER_LEFT), at(*LOWER_LEFT), at(*RIGHT_STICK)
    top, right, bottom, left = [at(*position) for position in face_positions()]
    said = lambda i: [f"{face_name(pad, pad['face'][i][0])}: {DOES[pad['face'][i][0]]}"]
    return [
        ("lt", [f"{lt}: volume down (hold to repeat)"], "left", 120, [at(255, 130)]),
        ("lb", [f"{lb}: previous track"], "left", 215, [at(265, 168)]),
        ("upper", upper, "left", 320, [(ux - edge(pad["upper_left"]), uy)]),
        ("lower", lower, "left", 440, [(lx - edge(lower_left(pad)), ly)]),
        ("rt", [f"{rt}: volume up (hold to repeat)"], "right", 120, [at(785, 130)]),
        ("rb", [f"{rb}: next track"], "right", 215, [at(775, 168)]),
        ("face0", said(0), "right", 245, [(top[0] + FACE_R, top[1])]),
        ("face1", said(1), "right", 305, [(right[0] + FACE_R, right[1])]),
        ("face2", said(2), "right", 365, [(bottom[0] + FACE_R, bottom[1])]),
        # The other three wall the left face button in on the right: its line goes down first.
        ("face3", said(3), "right", 420, [(left[0], left[1] + FACE_R), (left[0], bottom[1] + FACE_R + 22)]),
        ("rstick", [f"{pad['presses'][1]}: nothing"], "right", 490, [(sx, sy + STICK_R), (sx, sy + STICK_R + 34)]),
        ("back", [f"{pad['back']}: stop"], "above, to the left", 100, [at(BACK[0], BACK[1] - 8)]),
        ("start", [f"{pad['start']}: play / pause"], "above, to the right", 100, [at(START[0], START[1] - 8)]),
        ("home", [pad["home"]], "below", 630, [at(HOME[0], HOME[1] + HOME_R)]),
    ]


def text_width(line):
    return int(len(line) * POINTS * 0.56)  # DejaVu Sans at 15 points, with room for its widest letters


def text_box(side, y, lines, points):
    """Where the text is drawn, (x0, y0, x1, y1): its last line just above its row's line."""
    width, x = max(map(text_width, lines)), points[0][0]
    x0 = {"left": MARGIN, "right": WIDTH - MARGIN - width, "above, to the left": x - width,
          "above, to the right": x, "below": x - width // 2}[side]
    return x0, y - 8 - LINE_HEIGHT * len(lines), x0 + width, y - 8


def leader(side, y, points, box):
    """The whole line: from the part through its points to the row, then under the text."""
    under = y - 6
    if side == "left":
        return points + [(LEFT_ELBOW, under), (MARGIN, under)]
    if side == "right":
        return points + [(RIGHT_ELBOW, under), (WIDTH - MARGIN, under)]
    x = points[0][0]
    return points + [(x, under)] + ([(box[0], under), (box[2], under)] if side == "below" else
                                    [(box[0] if x == box[2] else box[2], under)])


# ---- The check ------------------------------------------------------------------------------------

def crosses(a, b, c, d):
    def turn(p, q, r):
        v = (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
        return (v > 0) - (v < 0)
    return turn(a, b, c) * turn(a, b, d) < 0 and turn(c, d, a) * turn(c, d, b) < 0


def near_circle(a, b, cx, cy, r, margin=4):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((cx - ax) * dx + (cy - ay) * dy) / float(dx * dx + dy * dy or 1)))
    return ((ax + t * dx - cx) ** 2 + (ay + t * dy - cy) ** 2) ** 0.5 < r + margin


def into_rect(a, b, x0, y0, x1, y1, margin=4):
    x0, y0, x1, y1 = x0 - margin, y0 - margin, x1 + margin, y1 + margin
    inside = lambda p: x0 < p[0] < x1 and y0 < p[1] < y1
    corners = [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    return inside(a) or inside(b) or any(crosses(a, b, corners[i], corners[(i + 1) % 4]) for i in range(4))


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def faults(pad):
    shapes, rows = parts(pad), callouts(pad)
    boxes = {part: text_box(side, y, text, points) for part, text, side, y, points in rows}
    lines = {part: leader(side, y, points, boxes[part]) for part, _, side, y, points in rows}
    found = []
    for part, line in lines.items():
        for a, b in zip(line, line[1:]):
            for other, shape in shapes.items():
                if other != part and (near_circle(a, b, *shape[1:]) if shape[0] == "circle" else into_rect(a, b, *shape[1:])):
                    found.append(f"{part}'s line crosses {other}")
            found += [f"{part}'s line crosses {other}'s text" for other, box in boxes.items()
                      if other != part and into_rect(a, b, *box, margin=2)]
            found += [f"{part}'s line crosses {other}'s" for other, line2 in lines.items() if other < part
                      for c, d in zip(line2, line2[1:]) if crosses(a, b, c, d)]
    body = [(*at(x0, y0), *at(x1, y1)) for x0, y0, x1, y1 in BODY_BOXES]
    for part, box in boxes.items():
        found += [f"{part}'s text lies on the pad" for region in body if overlap(box, region)]
        found += [f"{part}'s text lies on {other}'s" for other, box2 in boxes.items() if other < part and overlap(box, box2)]
        if box[0] < 0 or box[2] > WIDTH or box[3] > HEIGHT - 70:  # the footnote has the last 70 pixels
            found.append(f"{part}'s text runs off the picture")
    return found


# ---- Drawing ------------------------------------------------------------------------------------------

def centred(x, y):
    """An -annotate offset for text centred on (x, y) in the pad's own coordinates."""
    return f"{x + OX - WIDTH // 2:+d}{y + OY - HEIGHT // 2:+d}"


def pad_args(pad):
    """The pad itself, back to front, as ImageMagick draw arguments."""
    stick = lambda x, y: [(DARK, f"circle {x},{y} {x},{y + STICK_R}"), ("#5d6470", f"circle {x},{y} {x},{y + STICK_R - 12}")]
    dpad = lambda x, y: [(DARK, f"rectangle {x - 14},{y - DPAD_HALF} {x + 14},{y + DPAD_HALF}"),
                         (DARK, f"rectangle {x - DPAD_HALF},{y - 14} {x + DPAD_HALF},{y + 14}")]
    shapes = [("#5a616c", "roundrectangle %d,%d %d,%d 18,18" % box) for box in TRIGGERS]
    shapes += [(LIGHT, "roundrectangle %d,%d %d,%d 14,14" % box) for box in SHOULDERS]
    shapes += [(BODY, "roundrectangle 240,170 800,400 90,90"), (BODY, "ellipse 315,400 85,130 0,360"),
               (BODY, "ellipse 725,400 85,130 0,360")]
    for centre, kind in ((UPPER_LEFT, pad["upper_left"]), (LOWER_LEFT, lower_left(pad))):
        shapes += (stick if kind == "stick" else dpad)(*centre)
    shapes += stick(*RIGHT_STICK)
    if pad.get("touchpad"):
        shapes.append(("#3a3f48", "roundrectangle %d,%d %d,%d 8,8" % TOUCHPAD))
    shapes += [(DARK, f"roundrectangle {x - 12},{y - 8} {x + 12},{y + 8} 6,6") for x, y in (BACK, START)]
    shapes.append((DARK, f"circle {HOME[0]},{HOME[1]} {HOME[0]},{HOME[1] + HOME_R}"))
    symbols = bool(pad.get("names"))  # a PlayStation pad's symbols, each in its colour on a dark button
    shapes += [(DARK if symbols else colour, f"circle {x},{y} {x},{y + FACE_R}")
               for (x, y), (_, _, colour) in zip(face_positions(), pad["face"])]
    args = []
    for colour, primitive in shapes:
        args += ["-fill", colour, "-draw", f"translate {OX},{OY} {primitive}"]
    args += ["-gravity", "Center", "-font", BOLD]
    for (x, y), (_, label, colour) in zip(face_positions(), pad["face"]):
        args += ["-fill", colour if symbols else "white", "-pointsize", "21" if symbols else "17",
                 "-annotate", centred(x, y + 1), label]
    # Each name in the middle of what shows of its button: the body hides the shoulders' lower part.
    for label, (x0, y0, x1, y1) in zip(pad["shoulders"][2:] + pad["shoulders"][:2], TRIGGERS + SHOULDERS):
        args += ["-fill", INK, "-pointsize", "15", "-annotate", centred((x0 + x1) // 2, (y0 + min(y1, 170)) // 2), label]
    return args + ["-gravity", "NorthWest"]


def callout_args(pad):
    args = ["-font", FONT, "-pointsize", str(POINTS)]
    for part, text, side, y, points in callouts(pad):
        box = text_box(side, y, text, points)
        line = leader(side, y, points, box)
        args += ["-stroke", LINE, "-strokewidth", "1.5", "-fill", "none",
                 "-draw", "polyline " + " ".join(f"{x},{y}" for x, y in line), "-stroke", "none", "-fill", INK]
        for n, words in enumerate(text):
            top = box[1] + n * LINE_HEIGHT
            if side == "right":
                args += ["-gravity", "NorthEast", "-annotate", f"+{MARGIN}+{top}", words]
            else:
                args += ["-gravity", "NorthWest", "-annotate", f"+{box[0]}+{top}", words]
    return args + ["-gravity", "NorthWest"]


def footnote(pad):
    numbers = ", ".join(f"{face_name(pad, n)} is button {n}" for n in (1, 2, 3, 4))
    return (f"Hold {face_name(pad, 4)}, then press {pad['start']}: the remote pauses while you play a game; "
            "the same again resumes it.\n"
            f"As Windows numbers them: {numbers}. The Winamp editions' own defaults: the guide.")


def draw(pad, out):
    args = ["convert", "-size", f"{WIDTH}x{HEIGHT}", "xc:white", "-fill", INK, "-font", BOLD, "-pointsize", "20",
            "-annotate", f"+{MARGIN}+32", f"{pad['title']}: Brontavel for any player, out of the box"]
    args += pad_args(pad) + callout_args(pad)
    args += ["-fill", "#555b64", "-font", FONT, "-pointsize", "14", "-annotate", f"+{MARGIN}+{HEIGHT - 45}",
             footnote(pad), "-colors", "64", "PNG8:" + out]
    subprocess.run(args, check=True)


def main(folder):
    for name, pad in PADS.items():
        found = faults(pad)
        if found:
            sys.exit(f"draw_pad: the {name} pad's picture would have " + "; ".join(found))
        draw(pad, os.path.join(folder, f"pad-{name}.png"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "docs")
