#!/usr/bin/python3
"""Renders every picture of the Sun, the Moon and the planets that Zenitra embeds.

Outputs (in resources/pictures/ unless --out is given):
  1160.png, 1158.png          the Sun with rays (sky map 17x17, orbits window 21x20)
  1171.png ... 1178.png       planets, 8x8 (Saturn 1176: 18x8 with its ring)
  1460.png ... 1467.png       Moon phases 0..7, 15x15, white on black with a white rim
  s3.gif                      moon phase strip, 602x315, 28 pictures of 52x52
  PL10.jpg, PL9.jpg           the Sun and the Moon, 117x117
  pl1, pl2, pl4..pl7 .jpg     Merkur, Venus, Mars, Jupiter, Saturn, Uranus, 105x105

Black (0, 0, 0) is the transparent colour of every PNG bitmap: no drawn pixel of a body is
pure black, and every pixel outside the body is.

The planets and the Moon are lit spheres (orthographic projection, Minnaert reflectance)
textured with the public maps in Debian's stellarium-data package (see README.md). The Sun
and Venus are procedural: limb darkening, granulation, spots and cloud bands made here.
Everything is deterministic: the same inputs give byte-identical outputs on the same Debian
release (the JPEG encoder is Pillow's libjpeg-turbo).
"""

import argparse
import hashlib
import math
import os
import struct
import sys
import zlib

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
DEFAULT_TEXTURES = os.path.join(
    REPO, "tools", "inputs", "stellarium-data", "usr", "share", "stellarium", "textures")
DEFAULT_OUT = os.path.join(REPO, "resources", "pictures")

# Texture maps used, with the SHA-256 of the files in stellarium-data 0.22.2-1 (Debian 12).
# A different file would give different pictures, so the generator refuses it.
TEXTURES = {
    "moon.png": "ac1babed42b42f7a50b925ec87dd12c11d4ccc99364ff5724ce44a2af0661e94",
    "mercury.png": "8cc03e6c739f68189f92b6476180307b8a91a6d901a524b6461afe6f909d9b56",
    "earthmap.png": "aedc19be424af4e3a28c376aeb4220635d6e3fc50083ca6962433c8af72c8044",
    "mars.png": "01ba38fe108bc19041c6bdc8abcb613cafd9031380a332b365ac4e94553cae7d",
    "jupiter.png": "7fd91cee3b6b8003c5268e327bcdf7188b9297132fa8ca1dc78a2da8d119c911",
    "saturn.png": "77484ecdf29853361b27324147ae42610a47c68843b53f9d6a80fcf44f08fa5c",
    "saturn_rings_radial.png": "dd291d9cbf72e88aecf2a28359b6c0dafb054a76125db972202d829b095517da",
    "uranus.png": "296bfb7e726aacee36b0b7e3b102f14f0d618eb9181489fae4fb88ec454d4d5f",
    "neptune.png": "b7647fd7975198a6e5a4857b13151b13cfd13224af2e2899f6ec313aca851551",
}

# Saturn: equatorial radius 60268 km, flattening 0.098, rings from 74510 to 140390 km
# (the radii that go with the ring texture).
SATURN_FLATTENING = 0.098
SATURN_RING_INNER = 74510.0 / 60268.0
SATURN_RING_OUTER = 140390.0 / 60268.0
SATURN_RING_TILT_DEG = 24.0  # opening angle of the rings as seen from the Earth


# ---- file writers ----------------------------------------------------------------------------

def write_png(path, rgb):
    """Writes an 8-bit RGB PNG (no ancillary chunks, zlib level 9, filter 0)."""
    rgb = np.ascontiguousarray(rgb, dtype=np.uint8)
    height, width, _ = rgb.shape
    raw = b"".join(b"\x00" + rgb[y].tobytes() for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9))
           + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def lzw_gif_data(indices, min_code_size=8):
    """LZW-compresses palette indices the way GIF wants it (variable code width, clear
    code at the start and whenever the 4096-entry table would overflow)."""
    clear = 1 << min_code_size
    eoi = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0
    bits = min_code_size + 1
    next_code = eoi + 1
    table = {}

    def emit(code):
        nonlocal bit_buffer, bit_count, bits
        bit_buffer |= code << bit_count
        bit_count += bits
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8
        # The decoder widens its codes as soon as the table reaches the current limit.
        if next_code >= (1 << bits) and bits < 12:
            bits += 1

    emit(clear)
    data = bytes(indices)
    current = data[0]
    for pixel in data[1:]:
        key = (current << 8) | pixel
        found = table.get(key)
        if found is not None:
            current = found
            continue
        emit(current)
        current = pixel
        if next_code >= 4095:
            emit(clear)
            table.clear()
            next_code = eoi + 1
            bits = min_code_size + 1
        else:
            table[key] = next_code
            next_code += 1
    emit(current)
    emit(eoi)
    if bit_count > 0:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, indices, palette):
    """Writes a GIF89a with one image, a 256-entry global palette and no extensions."""
    height, width = indices.shape
    assert len(palette) == 256
    header = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0)
    colours = b"".join(bytes(c) for c in palette)
    descriptor = b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
    lzw = lzw_gif_data(indices.astype(np.uint8).ravel())
    blocks = bytearray([8])
    for i in range(0, len(lzw), 255):
        part = lzw[i:i + 255]
        blocks.append(len(part))
        blocks += part
    blocks.append(0)
    with open(path, "wb") as f:
        f.write(header + colours + descriptor + bytes(blocks) + b";")


def write_jpeg(path, rgb):
    Image.fromarray(np.asarray(rgb, dtype=np.uint8), "RGB").save(
        path, "JPEG", quality=92, subsampling=0, optimize=False, progressive=False)


# ---- textures and sampling -------------------------------------------------------------------

def load_texture(textures_dir, name):
    path = os.path.join(textures_dir, name)
    with open(path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    if digest != TEXTURES[name]:
        sys.exit(f"{path}: unexpected content (sha256 {digest}); see tools/pictures/README.md")
    image = Image.open(path)
    mode = "RGBA" if name == "saturn_rings_radial.png" else "RGB"
    return np.asarray(image.convert(mode), dtype=np.float64)


def sample_bilinear(texture, u, v):
    """Samples an equirectangular map; u in turns (wraps), v from 0 (north) to 1 (south)."""
    height, width = texture.shape[:2]
    x = np.mod(u, 1.0) * width - 0.5
    y = np.clip(v * height - 0.5, 0.0, height - 1.0)
    x0 = np.floor(x).astype(np.int64)
    y0 = np.floor(y).astype(np.int64)
    fx = (x - x0)[..., None]
    fy = (y - y0)[..., None]
    x0 = np.mod(x0, width)
    x1 = np.mod(x0 + 1, width)
    y1 = np.minimum(y0 + 1, height - 1)
    top = texture[y0, x0] * (1 - fx) + texture[y0, x1] * fx
    bottom = texture[y1, x0] * (1 - fx) + texture[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def value_noise(shape_hw, cells, seed):
    """Smooth value noise in [0, 1]: a random lattice of cells x cells, bicubically blended.
    RandomState streams are frozen by numpy, so the noise never changes."""
    rng = np.random.RandomState(seed)
    lattice = rng.random_sample((cells + 3, cells + 3))
    height, width = shape_hw
    gy = np.linspace(0, cells, height, endpoint=False)[:, None] + 1
    gx = np.linspace(0, cells, width, endpoint=False)[None, :] + 1
    iy = np.floor(gy).astype(int)
    ix = np.floor(gx).astype(int)
    ty = gy - iy
    tx = gx - ix
    sy = ty * ty * (3 - 2 * ty)
    sx = tx * tx * (3 - 2 * tx)
    a = lattice[iy, ix]
    b = lattice[iy, ix + 1]
    c = lattice[iy + 1, ix]
    d = lattice[iy + 1, ix + 1]
    return (a * (1 - sx) + b * sx) * (1 - sy) + (c * (1 - sx) + d * sx) * sy


# ---- sphere rendering ------------------------------------------------------------------------

def unit(v):
    v = np.asarray(v, dtype=np.float64)
    return v / np.linalg.norm(v)


def light_from(phase_deg, position_angle_deg):
    """Direction towards the Sun in view coordinates (x right, y up, z towards the viewer):
    phase angle from the viewing direction, position angle of the lit limb counted from
    the right side of the picture towards the top."""
    a = math.radians(phase_deg)
    p = math.radians(position_angle_deg)
    return unit([math.sin(a) * math.cos(p), math.sin(a) * math.sin(p), math.cos(a)])


def subpixel_grid(width, height, ss, centre, radius):
    """Coordinates of ss x ss samples per pixel, in units of the radius, y upwards.
    centre is in pixel units (the centre of pixel (0, 0) is (0.5, 0.5))."""
    offsets = (np.arange(ss) + 0.5) / ss
    xs = (np.arange(width)[:, None] + offsets[None, :]).ravel()
    ys = (np.arange(height)[:, None] + offsets[None, :]).ravel()
    x = (xs[None, :] - centre[0]) / radius
    y = (centre[1] - ys[:, None]) / radius
    return np.broadcast_to(x, (height * ss, width * ss)), np.broadcast_to(y, (height * ss, width * ss))


def downsample(array, ss):
    h = array.shape[0] // ss
    w = array.shape[1] // ss
    rest = array.shape[2:]
    return array.reshape((h, ss, w, ss) + rest).mean(axis=(1, 3))


def sphere_samples(x, y, tilt_deg, flattening=0.0):
    """Visible point of a (slightly oblate) globe for each sample: mask, view normal,
    planetographic latitude and longitude east of the central meridian (degrees).
    tilt_deg: latitude of the centre of the disc (north pole tipped towards the viewer)."""
    yy = y / (1.0 - flattening)
    r2 = x * x + yy * yy
    inside = r2 < 1.0
    z = np.sqrt(np.clip(1.0 - r2, 0.0, 1.0))
    normal = np.stack([x, yy, z], axis=-1)
    b = math.radians(tilt_deg)
    axis = np.array([0.0, math.cos(b), math.sin(b)])
    meridian = np.array([0.0, -math.sin(b), math.cos(b)])
    lat = np.degrees(np.arcsin(np.clip(normal @ axis, -1.0, 1.0)))
    lon = np.degrees(np.arctan2(normal[..., 0], normal @ meridian))
    return inside, normal, lat, lon


def minnaert(normal, light, k):
    """Minnaert reflectance mu0^k * mu^(k-1), 0 on the night side, capped for the limb."""
    mu0 = np.clip(normal @ light, 0.0, 1.0)
    mu = np.clip(normal[..., 2], 1e-3, 1.0)
    return np.minimum(np.power(mu0, k) * np.power(mu, k - 1.0), 1.25)


def render_globe(size, texture, centre_lon_deg, light, k, gain=1.0, tilt_deg=0.0,
                 ss=4, radius=None, centre=None, flattening=0.0, night=0.0):
    """A textured globe on black, premultiplied by its coverage. Returns (rgb, coverage)
    as float arrays of the output size; rgb in 0..255."""
    width, height = size
    if radius is None:
        radius = min(width, height) / 2.0 - 1.0
    if centre is None:
        centre = (width / 2.0, height / 2.0)
    x, y = subpixel_grid(width, height, ss, centre, radius)
    inside, normal, lat, lon = sphere_samples(x, y, tilt_deg, flattening)
    colour = sample_bilinear(texture, (centre_lon_deg + lon) / 360.0 + 0.5, (90.0 - lat) / 180.0)
    shade = minnaert(normal, light, k) * gain + night
    rgb = colour[..., :3] * shade[..., None] * inside[..., None]
    return downsample(rgb, ss), downsample(inside.astype(np.float64), ss)


def to_bytes(rgb):
    return np.clip(np.round(rgb), 0, 255).astype(np.uint8)


def enhance(rgb, coverage, contrast, saturation):
    """Stretches the colours of a small picture around its mean so that bands and
    markings stay visible at a few pixels."""
    covered = coverage > 0.01
    colour = np.where(covered[..., None], rgb / np.maximum(coverage, 1e-9)[..., None], 0.0)
    mean = colour[covered].mean(axis=0)
    colour = mean + (colour - mean) * contrast
    grey = colour.mean(axis=-1, keepdims=True)
    colour = grey + (colour - grey) * saturation
    return colour, covered


def hard_mask(colour, coverage, minimum=40.0):
    """Keeps the pixels covered at least half, opaque; everything else becomes pure black,
    the transparent colour. A kept pixel never becomes black: it is raised so that its
    brightest channel is at least `minimum`."""
    keep = coverage >= 0.5
    colour = np.clip(colour, 0.0, 255.0)
    peak = colour.max(axis=-1, keepdims=True)
    raised = np.where(peak < 1e-6, minimum, colour * (minimum / np.maximum(peak, 1e-9)))
    colour = np.where(peak < minimum, raised, colour)
    return np.where(keep[..., None], to_bytes(colour), 0).astype(np.uint8)


# ---- the Sun ---------------------------------------------------------------------------------

def sun_disc(size, radius, ss=4):
    """The photosphere: limb darkening (u = 0.6), granulation, two spot groups."""
    width, height = size
    centre = (width / 2.0, height / 2.0)
    x, y = subpixel_grid(width, height, ss, centre, radius)
    r2 = x * x + y * y
    inside = r2 < 1.0
    mu = np.sqrt(np.clip(1.0 - r2, 0.0, 1.0))
    darkening = 1.0 - 0.6 * (1.0 - mu)
    hw = (height * ss, width * ss)
    grain = 0.6 * value_noise(hw, 40, 11) + 0.4 * value_noise(hw, 90, 12)
    intensity = darkening * (0.93 + 0.1 * grain)
    spots = np.ones(hw)
    for sx, sy, sr in ((0.32, 0.28, 0.07), (0.42, 0.22, 0.04), (-0.35, -0.30, 0.055)):
        d = np.sqrt((x - sx) ** 2 + (y - sy) ** 2) / sr
        spots *= np.where(d < 0.55, 0.25, np.where(d < 1.0, 0.6, 1.0))
    intensity = intensity * spots
    # Hot centre nearly white-yellow, cooler limb deep orange.
    red = 255.0 * np.ones(hw)
    green = 95.0 + 145.0 * np.power(intensity, 1.4)
    blue = 10.0 + 90.0 * np.power(intensity, 4.0)
    rgb = np.stack([red * np.minimum(1.0, 0.45 + 0.6 * intensity), green, blue], axis=-1)
    rgb = rgb * inside[..., None]
    return downsample(rgb, ss), downsample(inside.astype(np.float64), ss)


def sun_photo(size=117):
    rgb, _ = sun_disc((size, size), size / 2.0 - 3.0)
    # A faint glow of the inner corona around the limb.
    x, y = subpixel_grid(size, size, 1, (size / 2.0, size / 2.0), size / 2.0 - 3.0)
    r = np.sqrt(x * x + y * y)
    glow = np.where(r >= 1.0, np.exp(-(r - 1.0) * 14.0), 0.0)
    rgb = rgb + glow[..., None] * np.array([120.0, 70.0, 10.0])
    return to_bytes(rgb)


def sun_bitmap(width, height, centre, disc_radius, ray_inner, ray_outer_straight, ray_outer_diagonal):
    """A small Sun with eight rays for the sky map and the orbits window. Pixel art on
    black: an orange-edged yellow disc, yellow rays (straight ones longer)."""
    img = np.zeros((height, width, 3), dtype=np.uint8)
    cx, cy = centre
    for py in range(height):
        for px in range(width):
            dx, dy = px - cx, py - cy
            d = math.hypot(dx, dy)
            if d <= disc_radius + 0.2:
                img[py, px] = (255, 255, 64) if d <= disc_radius - 1.2 else (255, 190, 0)
                continue
            straight = (dx == 0 or dy == 0)
            diagonal = abs(dx) == abs(dy)
            if straight and ray_inner <= d <= ray_outer_straight:
                img[py, px] = (255, 230, 0)
            elif diagonal and ray_inner <= d <= ray_outer_diagonal:
                img[py, px] = (255, 210, 0)
    return img


# ---- Venus (procedural clouds) ---------------------------------------------------------------

def venus_texture():
    """Pale yellow cloud deck with faint, wavy zonal bands (Venus shows almost no markings
    in visible light)."""
    h, w = 256, 512
    lat = np.linspace(90, -90, h)[:, None]
    lon = np.linspace(0, 360, w, endpoint=False)[None, :]
    warp = 14.0 * (value_noise((h, w), 6, 21) - 0.5)
    bands = np.sin(np.radians((lat + warp) * 5.0)) * 0.5 + np.sin(np.radians((lat - warp) * 11.0 + lon)) * 0.3
    clouds = value_noise((h, w), 24, 22) - 0.5
    shade = 1.0 + 0.045 * bands + 0.05 * clouds
    base = np.array([240.0, 224.0, 178.0])
    return np.clip(base[None, None, :] * shade[..., None], 0, 255)


# ---- Saturn with rings -----------------------------------------------------------------------

def render_saturn(size, globe_texture, ring_texture, light, ring_outer_px, ss=4, centre=None,
                  ring_gain=1.0):
    """Saturn and its rings, ray-traced per sample: the globe (oblate), the ring plane
    tilted by the ring opening angle, the globe's shadow on the rings."""
    width, height = size
    if centre is None:
        centre = (width / 2.0, height / 2.0)
    radius = ring_outer_px / SATURN_RING_OUTER
    x, y = subpixel_grid(width, height, ss, centre, radius)
    tilt = SATURN_RING_TILT_DEG
    inside, normal, lat, lon = sphere_samples(x, y, tilt, SATURN_FLATTENING)
    globe = sample_bilinear(globe_texture, (lon + 60.0) / 360.0 + 0.5, (90.0 - lat) / 180.0)
    globe = globe[..., :3] * minnaert(normal, light, 0.85)[..., None] * 1.05

    # Ring plane through the centre with normal = the spin axis (tipped towards the viewer).
    b = math.radians(tilt)
    axis = np.array([0.0, math.cos(b), math.sin(b)])
    # Point on the plane along the line of sight: (x, y, z) with y cos b + z sin b = 0.
    z_ring = -y * math.cos(b) / math.sin(b)
    ring_point = np.stack([x, y, z_ring], axis=-1)
    ring_r = np.linalg.norm(ring_point, axis=-1)
    in_ring = (ring_r >= SATURN_RING_INNER) & (ring_r <= SATURN_RING_OUTER)
    t = (ring_r - SATURN_RING_INNER) / (SATURN_RING_OUTER - SATURN_RING_INNER)
    ring_w = ring_texture.shape[1]
    idx = np.clip(np.round(t * (ring_w - 1)).astype(int), 0, ring_w - 1)
    ring = ring_texture[0, idx]
    ring_alpha = ring[..., 3] / 255.0 * in_ring
    # Lit ring brightness: the sunlit face is seen, light hits at the ring's own slope.
    ring_light = (0.35 + 0.75 * abs(float(axis @ light))) * ring_gain
    # Globe shadow on the ring: does the ray from the ring point towards the Sun hit the globe?
    along = ring_point @ light
    closest = ring_point - along[..., None] * light
    shadowed = (along < 0) & (np.linalg.norm(closest, axis=-1) < 1.0 - SATURN_FLATTENING / 2)
    ring_rgb = ring[..., :3] * ring_light * np.where(shadowed, 0.08, 1.0)[..., None]

    globe_z = normal[..., 2] * (1.0 - 0.0)
    ring_in_front = in_ring & ((~inside) | (z_ring > globe_z))
    base = np.where(inside[..., None], globe, 0.0)
    coverage = inside.astype(np.float64)
    a = np.where(ring_in_front, ring_alpha, 0.0)
    rgb = base * (1 - a[..., None]) + ring_rgb * a[..., None]
    coverage = coverage * (1 - a) + a
    return downsample(rgb, ss), downsample(coverage, ss)


# ---- the Moon --------------------------------------------------------------------------------

def moon_lit(size, moon_texture, elongation_deg, ss, radius, centre, night=0.0, gain=1.0):
    """The Moon at a given elongation from the Sun: 0 new (Sun behind), 90 first quarter
    (lit from the right), 180 full, 270 last quarter (lit from the left)."""
    e = math.radians(elongation_deg)
    light = np.array([math.sin(e), 0.0, -math.cos(e)])
    return render_globe(size, moon_texture, 0.0, light, 0.55, gain=gain, ss=ss, radius=radius,
                        centre=centre, night=night)


def grey(rgb):
    return rgb @ np.array([0.299, 0.587, 0.114])


def moon_phase_bitmap(phase, moon_texture):
    """15x15: white rim of radius 7 around (7, 7); inside, the lit part in white with the
    maria as light grey; the dark part black (transparent)."""
    size = 15
    elong = phase * 45.0
    e = math.radians(elong)
    light = np.array([math.sin(e), 0.0, -math.cos(e)])
    ss = 8
    x, y = subpixel_grid(size, size, ss, (7.5, 7.5), 6.5)
    inside, normal, lat, lon = sphere_samples(x, y, 0.0)
    lit = (normal @ light > 0) & inside
    albedo = grey(sample_bilinear(moon_texture, lon / 360.0 + 0.5, (90.0 - lat) / 180.0)[..., :3])
    lit_fraction = downsample(lit.astype(np.float64), ss)
    albedo_mean = downsample(np.where(lit, albedo, 0.0), ss) / np.maximum(lit_fraction, 1e-9)
    img = np.zeros((size, size, 3), dtype=np.uint8)
    # Albedo of the map ~60 (maria) .. ~200 (highlands): mapped to 195 .. 255.
    level = np.clip(195.0 + (albedo_mean - 60.0) * (60.0 / 140.0), 195.0, 255.0)
    for py in range(size):
        for px in range(size):
            d = math.hypot(px - 7, py - 7)
            if 6.5 <= d < 7.5:
                img[py, px] = 255
            elif d < 6.5 and lit_fraction[py, px] >= 0.5:
                img[py, px] = int(round(level[py, px]))
    return img


def moon_strip(moon_texture):
    """602x315 greyscale strip of 28 phases, picture r at (18 + 86 (r mod 7), 14 + 79 (r div 7)),
    52x52 each; r = 0 new moon, the age growing by a 28th of the synodic month per picture."""
    strip = np.zeros((315, 602), dtype=np.float64)
    for r in range(28):
        rgb, coverage = moon_lit((52, 52), moon_texture, r * 360.0 / 28.0, 4, 25.0, (26.0, 26.0),
                                 night=0.07, gain=1.3)
        tile = grey(rgb)
        left = 18 + 86 * (r % 7)
        top = 14 + 79 * (r // 7)
        strip[top:top + 52, left:left + 52] = tile
    indices = np.clip(np.round(strip), 0, 255).astype(np.uint8)
    palette = [(i, i, i) for i in range(256)]
    return indices, palette


# ---- all pictures ----------------------------------------------------------------------------

PLANET_SMALL = {
    # number: (texture, central longitude, Minnaert k, contrast, saturation, gain)
    1171: ("mercury.png", 0.0, 0.6, 1.4, 1.6, 1.25),
    1173: ("earthmap.png", 10.0, 0.9, 1.15, 1.3, 1.5),
    1174: ("mars.png", 40.0, 0.7, 1.3, 1.4, 1.15),
    1175: ("jupiter.png", -55.0, 0.85, 2.0, 1.5, 1.1),
    1177: ("uranus.png", 0.0, 0.9, 1.0, 1.3, 1.15),
    1178: ("neptune.png", 0.0, 0.9, 1.2, 1.3, 1.3),
}


def make_all(textures_dir, out_dir):
    tex = {name: load_texture(textures_dir, name) for name in TEXTURES}
    tex["venus"] = venus_texture()
    os.makedirs(out_dir, exist_ok=True)
    written = []

    def png(name, img):
        assert img.dtype == np.uint8
        write_png(os.path.join(out_dir, name), img)
        written.append(name)

    def jpeg(name, img):
        write_jpeg(os.path.join(out_dir, name), img)
        written.append(name)

    # Sun bitmaps: sky map 17x17 (centre pixel (8, 8)), orbits window 21x20 (centre (10, 10),
    # drawn at the Sun's place minus 10 in both directions).
    png("1160.png", sun_bitmap(17, 17, (8, 8), 4.0, 5.5, 8.0, 7.1))
    png("1158.png", sun_bitmap(21, 20, (10, 10), 5.0, 6.5, 10.0, 8.5))

    # Planets, 8x8: a lit globe of radius 4 filling the bitmap, colours stretched so that
    # bands, caps and maria survive at this size.
    small_light = light_from(25.0, 135.0)
    for number, (name, lon, k, contrast, saturation, gain) in PLANET_SMALL.items():
        rgb, cov = render_globe((8, 8), tex[name], lon, small_light, k, gain=gain, ss=8, radius=4.0)
        colour, _ = enhance(rgb, cov, contrast, saturation)
        png(f"{number}.png", hard_mask(colour, cov))
    rgb, cov = render_globe((8, 8), tex["venus"], 0.0, small_light, 0.8, gain=1.1, ss=8, radius=4.0)
    colour, _ = enhance(rgb, cov, 1.0, 1.0)
    png("1172.png", hard_mask(colour, cov))
    rgb, cov = render_saturn((18, 8), tex["saturn.png"], tex["saturn_rings_radial.png"], small_light,
                             ring_outer_px=9.0, ss=8, centre=(9.0, 4.0), ring_gain=1.9)
    colour, _ = enhance(rgb, cov, 1.2, 1.5)
    png("1176.png", hard_mask(colour * 1.1, cov))

    # Moon phases 0..7.
    for phase in range(8):
        png(f"{1460 + phase}.png", moon_phase_bitmap(phase, tex["moon.png"]))

    # Moon phase strip.
    indices, palette = moon_strip(tex["moon.png"])
    write_gif(os.path.join(out_dir, "s3.gif"), indices, palette)
    written.append("s3.gif")

    # Information pictures.
    jpeg("PL10.jpg", sun_photo(117))
    rgb, _ = moon_lit((117, 117), tex["moon.png"], 180.0, 4, 56.0, (58.5, 58.5), gain=1.15)
    jpeg("PL9.jpg", to_bytes(rgb))
    pic = (105, 105)
    light = light_from(30.0, 150.0)
    jpeg("pl1.jpg", to_bytes(render_globe(pic, tex["mercury.png"], 0.0, light_from(45.0, 160.0),
                                          0.6, gain=1.3, radius=50.0)[0]))
    jpeg("pl2.jpg", to_bytes(render_globe(pic, tex["venus"], 0.0, light_from(40.0, 170.0),
                                          0.8, gain=1.05, radius=50.0)[0]))
    jpeg("pl4.jpg", to_bytes(render_globe(pic, tex["mars.png"], 40.0, light, 0.7, gain=1.15,
                                          tilt_deg=15.0, radius=50.0)[0]))
    jpeg("pl5.jpg", to_bytes(render_globe(pic, tex["jupiter.png"], -55.0, light, 0.85, gain=1.1,
                                          radius=50.0, flattening=0.065)[0]))
    jpeg("pl6.jpg", to_bytes(render_saturn(pic, tex["saturn.png"], tex["saturn_rings_radial.png"],
                                           light_from(20.0, 150.0), ring_outer_px=51.0)[0]))
    jpeg("pl7.jpg", to_bytes(render_globe(pic, tex["uranus.png"], 0.0, light, 0.9, gain=1.1,
                                          radius=50.0)[0]))
    return written


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--textures", default=DEFAULT_TEXTURES,
                        help="folder with the stellarium-data texture maps")
    parser.add_argument("--out", default=DEFAULT_OUT, help="output folder")
    args = parser.parse_args()
    if not os.path.isdir(args.textures):
        sys.exit(f"{args.textures} not found: run tools/pictures/fetch_inputs.sh first")
    for name in make_all(args.textures, args.out):
        print(os.path.join(args.out, name))


if __name__ == "__main__":
    main()
