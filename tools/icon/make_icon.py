#!/usr/bin/env python3
"""Draws the program icon: the night sky under a planetarium dome above a horizon.

Writes data/icons/zenitra.svg and, with rsvg-convert (Debian package librsvg2-bin), the PNGs
data/icons/zenitra-48.png, -128.png and -256.png. The star field is fixed below (no random numbers),
so running the tool again gives the same files. Usage: tools/icon/make_icon.py [--svg-only]
"""
import math
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT = ROOT / "data" / "icons"
SIZE = 256          # design grid in pixels; the SVG scales freely
CX, CY = 128, 178   # centre of the dome on the horizon line
R = 112             # radius of the dome

# Stars as (azimuth angle in degrees from the left horizon over the zenith, 0..180; altitude as a
# fraction of the radius, 0 = horizon, 1 = zenith; radius of the dot in design pixels; colour).
# The brighter ones get a four-pointed glint so they still read at 48 px.
STARS = [
    (28, 0.42, 2.0, "#ffffff"), (38, 0.70, 1.4, "#cfe0ff"), (52, 0.30, 1.2, "#ffffff"),
    (60, 0.56, 2.6, "#fff4c8"), (71, 0.83, 1.3, "#ffffff"), (82, 0.44, 1.5, "#cfe0ff"),
    (92, 0.66, 3.2, "#ffffff"), (101, 0.26, 1.2, "#ffd9b0"), (110, 0.52, 1.8, "#ffffff"),
    (118, 0.78, 1.4, "#cfe0ff"), (127, 0.38, 2.4, "#ffffff"), (137, 0.62, 1.3, "#ffffff"),
    (146, 0.24, 1.6, "#ffe6b8"), (152, 0.47, 1.2, "#ffffff"), (160, 0.33, 2.0, "#cfe0ff"),
    (20, 0.18, 1.1, "#ffffff"), (45, 0.88, 1.1, "#ffffff"), (99, 0.92, 1.2, "#ffffff"),
    (133, 0.90, 1.0, "#ffffff"), (167, 0.14, 1.1, "#ffffff"), (76, 0.16, 1.0, "#ffffff"),
]
GLINTS = {3, 6, 10}                  # indices of stars drawn with a glint
FIGURE = [6, 8, 10, 14, 12]          # a constellation figure joining these stars


def star_xy(azimuth_deg, altitude):
    """Plane position of a star on the dome seen from the side: an azimuthal map of the half sky."""
    a = math.radians(azimuth_deg)
    r = R * 0.9 * (1.0 - altitude)
    return CX - r * math.cos(a), CY - r * math.sin(a)


def glint(x, y, length, colour):
    w = length * 0.22
    return (f'<path d="M{x:.1f},{y - length:.1f} L{x + w:.1f},{y - w:.1f} L{x + length:.1f},{y:.1f} '
            f'L{x + w:.1f},{y + w:.1f} L{x:.1f},{y + length:.1f} L{x - w:.1f},{y + w:.1f} '
            f'L{x - length:.1f},{y:.1f} L{x - w:.1f},{y - w:.1f} Z" fill="{colour}"/>')


def svg():
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
        '<title>Zenitra</title>',
        '<defs>',
        f'<radialGradient id="sky" cx="{CX}" cy="{CY}" r="{R}" gradientUnits="userSpaceOnUse">',
        '<stop offset="0" stop-color="#2c5aa0"/><stop offset="0.55" stop-color="#173a78"/>',
        '<stop offset="1" stop-color="#0a1a40"/></radialGradient>',
        '<linearGradient id="ground" x1="0" y1="0" x2="0" y2="1">',
        '<stop offset="0" stop-color="#3d6b35"/><stop offset="1" stop-color="#1f3a1c"/></linearGradient>',
        '<linearGradient id="rim" x1="0" y1="0" x2="0" y2="1">',
        '<stop offset="0" stop-color="#e8eef8"/><stop offset="1" stop-color="#9aa8bf"/></linearGradient>',
        f'<clipPath id="dome"><path d="M{CX - R},{CY} A{R},{R} 0 0 1 {CX + R},{CY} Z"/></clipPath>',
        '</defs>',
        # the dome's sky
        f'<path d="M{CX - R},{CY} A{R},{R} 0 0 1 {CX + R},{CY} Z" fill="url(#sky)"/>',
        '<g clip-path="url(#dome)">',
    ]
    # altitude circles and meridians of the coordinate net, faint
    for alt in (0.33, 0.66):
        rr = R * 0.9 * (1.0 - alt)
        parts.append(f'<circle cx="{CX}" cy="{CY}" r="{rr:.1f}" fill="none" stroke="#8fb3ff" '
                     'stroke-opacity="0.28" stroke-width="1.5"/>')
    for az in (30, 60, 90, 120, 150):
        x, y = star_xy(az, 0.0)
        parts.append(f'<line x1="{CX}" y1="{CY}" x2="{x:.1f}" y2="{y:.1f}" stroke="#8fb3ff" '
                     'stroke-opacity="0.22" stroke-width="1.5"/>')
    # constellation figure
    pts = " ".join("{:.1f},{:.1f}".format(*star_xy(STARS[i][0], STARS[i][1])) for i in FIGURE)
    parts.append(f'<polyline points="{pts}" fill="none" stroke="#9fc0ff" stroke-opacity="0.75" '
                 'stroke-width="2" stroke-linejoin="round"/>')
    for i, (az, alt, radius, colour) in enumerate(STARS):
        x, y = star_xy(az, alt)
        if i in GLINTS:
            parts.append(glint(x, y, radius * 3.4, colour))
        parts.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{radius}" fill="{colour}"/>')
    # crescent Moon low in the east (right)
    mx, my = star_xy(150, 0.62)
    parts.append(f'<path d="M{mx:.1f},{my - 12:.1f} A12,12 0 1 0 {mx:.1f},{my + 12:.1f} '
                 f'A15,15 0 0 1 {mx:.1f},{my - 12:.1f} Z" fill="#fff1b0"/>')
    parts.append('</g>')
    # the rim of the dome
    parts.append(f'<path d="M{CX - R},{CY} A{R},{R} 0 0 1 {CX + R},{CY}" fill="none" '
                 'stroke="url(#rim)" stroke-width="7" stroke-linecap="round"/>')
    # the horizon: hills in front, then the building's base
    parts.append(f'<path d="M{CX - R - 6},{CY + 2} C70,{CY - 14} 98,{CY - 4} 118,{CY - 10} '
                 f'C140,{CY - 17} 166,{CY - 6} 190,{CY - 12} C210,{CY - 16} 228,{CY - 6} {CX + R + 6},{CY + 2} Z" '
                 'fill="#0d1d12"/>')
    parts.append(f'<rect x="{CX - R - 8}" y="{CY}" width="{2 * R + 16}" height="36" rx="9" fill="url(#ground)"/>')
    parts.append(f'<rect x="{CX - R - 8}" y="{CY}" width="{2 * R + 16}" height="6" fill="#e8eef8"/>')
    parts.append(f'<rect x="{CX - 12}" y="{CY + 14}" width="24" height="22" rx="3" fill="#e8eef8" '
                 'fill-opacity="0.9"/>')
    parts.append('</svg>')
    return "\n".join(parts) + "\n"


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    svg_path = OUT / "zenitra.svg"
    svg_path.write_text(svg(), encoding="utf-8")
    if "--svg-only" in sys.argv:
        return
    converter = shutil.which("rsvg-convert")
    if not converter:
        sys.exit("rsvg-convert is missing: apt-get install librsvg2-bin")
    for px in (48, 128, 256):
        subprocess.run([converter, "-w", str(px), "-h", str(px), "-o", str(OUT / f"zenitra-{px}.png"),
                        str(svg_path)], check=True)


if __name__ == "__main__":
    main()
