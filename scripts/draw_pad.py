#!/usr/bin/env python3
"""Draws the README's gamepad: what each button, the stick and the D-pad of a pad in hand does out of the
box in the edition for any player. People would rather look at their pad than read a table.

Usage: draw_pad.py OUT.png  (ImageMagick's convert draws it; make pictures runs this.)
"""
import subprocess
import sys

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
WIDTH, HEIGHT = 1200, 640
SHIFT = 80  # the pad is drawn at x + SHIFT, between the two columns of text
BODY, DARK, LIGHT, INK = "#454b55", "#2b2f36", "#9aa3ae", "#1d2129"

# The pad's parts: (what is drawn, where the callout's line starts, which side the text goes, its y, the text).
# Button numbers as Windows gives them: A 1, B 2, X 3, Y 4; the defaults are the edition for any player's.
CALLOUTS = [
    ("LT", (262, 130), "left", 70, "LT: volume down (hold to repeat)"),
    ("LB", (272, 168), "left", 130, "LB: previous track"),
    ("stick", (335, 255), "left", 215, "Left stick or D-pad: \u2190 \u2192 previous / next"),
    (None, None, "left", 240, "track, \u2191 \u2193 volume (hold to repeat)"),
    ("press", (335, 255), "left", 300, "Left stick pressed in: mute"),
    ("dpad", (420, 345), "left", 375, "D-pad: as the left stick"),
    ("View", (462, 250), "left", 470, "View: stop"),
    ("RT", (778, 130), "right", 70, "RT: volume up (hold to repeat)"),
    ("RB", (768, 168), "right", 130, "RB: next track"),
    ("Y", (705, 218), "right", 195, "Y: Fn (held, the others do the same)"),
    ("B", (752, 262), "right", 250, "B: play / pause"),
    ("X", (658, 262), "right", 300, "X: mute"),
    ("A", (705, 306), "right", 350, "A: play / pause"),
    ("Menu", (578, 250), "right", 410, "Menu: play / pause"),
    ("rstick", (615, 345), "right", 470, "Right stick pressed in: nothing"),
]
FOOTNOTE = ("Hold Y, then press Menu: the remote pauses while you play a game; the same again resumes it.\n"
            "PlayStation pads: Square and Cross play / pause, Circle mutes, Triangle is Fn;\n"
            "L1, R1, L2, R2, Share, Options and L3 do what LB, RB, LT, RT, View, Menu and the left stick press do.")


def pad_shapes():
    """The pad itself, back to front, as ImageMagick draw primitives."""
    shapes = [
        ("#5a616c", "roundrectangle 255,110 425,150 18,18"), ("#5a616c", "roundrectangle 615,110 785,150 18,18"),  # LT RT
        (LIGHT, "roundrectangle 265,150 425,182 14,14"), (LIGHT, "roundrectangle 615,150 775,182 14,14"),        # LB RB
        (BODY, "roundrectangle 240,170 800,400 90,90"),
        (BODY, "ellipse 315,400 85,130 0,360"), (BODY, "ellipse 725,400 85,130 0,360"),
        (DARK, "circle 335,255 335,297"), ("#5d6470", "circle 335,255 335,285"),                                 # left stick
        (DARK, "rectangle 400,305 440,385"), (DARK, "rectangle 380,325 460,365"),                                # D-pad
        (DARK, "circle 615,345 615,385"), ("#5d6470", "circle 615,345 615,373"),                                 # right stick
        (DARK, "roundrectangle 450,242 474,258 6,6"), (DARK, "roundrectangle 566,242 590,258 6,6"),              # View Menu
        ("#e3b505", "circle 705,218 705,238"), ("#c8382c", "circle 752,262 752,282"),                            # Y B
        ("#2f6fd0", "circle 658,262 658,282"), ("#2f9e44", "circle 705,306 705,326"),                            # X A
    ]
    args = []
    for colour, primitive in shapes:
        args += ["-fill", colour, "-draw", f"translate {SHIFT},0 {primitive}"]
    for text, x, y in (("Y", 699, 226), ("B", 746, 270), ("X", 652, 270), ("A", 699, 314),
                       ("LT", 325, 137), ("RT", 685, 137), ("LB", 330, 173), ("RB", 680, 173)):
        args += ["-fill", "white" if len(text) == 1 else INK, "-font", BOLD, "-pointsize", "17",
                 "-annotate", f"+{x + SHIFT}+{y}", text]
    return args


def callouts():
    args = ["-stroke", "#8a929c", "-strokewidth", "1.5"]
    for part, (start), side, y, _ in CALLOUTS:
        if part:
            end = 250 if side == "left" else WIDTH - 250
            args += ["-fill", "none", "-draw", f"polyline {start[0] + SHIFT},{start[1]} {end},{y - 6} "
                                                f"{20 if side == 'left' else WIDTH - 20},{y - 6}"]
    args += ["-stroke", "none", "-fill", INK, "-font", FONT, "-pointsize", "15"]
    for _, _, side, y, text in CALLOUTS:
        if side == "left":
            args += ["-gravity", "NorthWest", "-annotate", f"+20+{y - 26}", text]
        else:
            args += ["-gravity", "NorthEast", "-annotate", f"+20+{y - 26}", text]
    return args + ["-gravity", "NorthWest"]


def main(out):
    args = ["convert", "-size", f"{WIDTH}x{HEIGHT}", "xc:white"]
    args += ["-fill", INK, "-font", BOLD, "-pointsize", "20", "-annotate", "+20+32",
             "Brontavel for any player, out of the box"]
    args += pad_shapes() + callouts()
    args += ["-fill", "#555b64", "-font", FONT, "-pointsize", "14", "-annotate", f"+20+{HEIGHT - 60}", FOOTNOTE,
             "-colors", "64", "PNG8:" + out]
    subprocess.run(args, check=True)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "docs/pad.png")
