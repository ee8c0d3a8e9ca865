#!/usr/bin/env python3
"""Builds the catalogue text files of resources/catalogue/ from pinned, openly licensed sources.

Inputs (fetched into tools/inputs/, see README.md):
  d3-celestial-0.7.35.tgz            stars, star names, constellations, figures, boundaries
  stellarium-data_0.22.2-1_all.deb   Hipparcos spectral types, parallaxes, HR/HD numbers
  city-timezones-1.3.4.tgz           places with IANA time zones
  world-atlas-2.0.2.tgz              Natural Earth 1:110m land polygons (TopoJSON)

Outputs: STAR0 STAR1 STAR2 STAR3 STAR5 STAR6 ORT ORTE ERDE, Windows-1252 text with CR LF line ends.
Only the Python 3 standard library is used; the result depends on nothing but the inputs, the
tables in tables/ and the system time zone database (zoneinfo) for the place zones.

Usage: convert.py [--inputs DIR] [--output DIR] [--check]
  --check  writes into a temporary folder and compares byte by byte with --output. Exits with 1
           on any difference, except when the only differences are place zones (ORT fields 4
           and 5) and the system time zone database is not the one the files were made with
           (TZDATA_VERSION): that is reported as a warning, since it follows from the system,
           not from the inputs or the converter.
"""

import argparse
import datetime
import filecmp
import io
import json
import lzma
import math
import os
import struct
import sys
import tarfile
import tempfile
import unicodedata
import zoneinfo

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))

D3_CELESTIAL = "d3-celestial-0.7.35.tgz"
STELLARIUM = "stellarium-data_0.22.2-1_all.deb"
CITY_TIMEZONES = "city-timezones-1.3.4.tgz"
WORLD_ATLAS = "world-atlas-2.0.2.tgz"

STAR_COUNT = 1739
PLACE_COUNT = 3448
HOME_PLACE = "Chemnitz, D"
HOME_INDEX = 571

# Besselian epoch B1875.0 as a Julian Day (1900 + (JD - 2415020.31352) / 365.242198781 = 1875).
JD_B1875 = 2415020.31352 + (1875.0 - 1900.0) * 365.242198781
JD_J2000 = 2451545.0
MAX_BOUNDARY_STEP_DEG = 1.0

# The tz database release the committed place zones were made with ("# version" of tzdata.zi).
# Update it together with ORT when regenerating with a newer tzdata.
TZDATA_VERSION = "2025b"


class ConversionFailure(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# Reading the inputs

def read_tgz_members(path, names):
    """Returns {name: bytes} for the members `names` of a gzip tarball."""
    found = {}
    with tarfile.open(path, "r:gz") as tar:
        for name in names:
            found[name] = tar.extractfile(name).read()
    return found


def read_deb_members(path, names):
    """Returns {name: bytes} for members of the data archive of a Debian package.

    A .deb is an ar archive ("!<arch>\\n", then 60-byte member headers); the files are in the
    member data.tar.xz. The tar stream is read once, front to back, until all names are seen."""
    with open(path, "rb") as f:
        if f.read(8) != b"!<arch>\n":
            raise ConversionFailure(f"{path} is not a Debian package")
        while True:
            header = f.read(60)
            if len(header) < 60:
                raise ConversionFailure(f"{path}: data.tar.xz not found")
            member = header[0:16].decode("ascii").strip().rstrip("/")
            size = int(header[48:58].decode("ascii").strip())
            if member == "data.tar.xz":
                data = f.read(size)
                break
            f.seek(size + (size & 1), os.SEEK_CUR)
    wanted = set(names)
    found = {}
    with tarfile.open(fileobj=lzma.LZMAFile(io.BytesIO(data)), mode="r|") as tar:
        for info in tar:
            if info.name in wanted:
                found[info.name] = tar.extractfile(info).read()
                if len(found) == len(wanted):
                    break
    missing = wanted - set(found)
    if missing:
        raise ConversionFailure(f"{path}: missing {sorted(missing)}")
    return found


def read_table(name, columns):
    """Reads a tab-separated table of tables/, skipping '#' comment lines."""
    rows = []
    with open(os.path.join(HERE, "tables", name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) < columns:
                raise ConversionFailure(f"tables/{name}: short line {line!r}")
            rows.append(fields)
    return rows


# ---------------------------------------------------------------------------------------------
# Number formatting and output

def fmt(value, decimals):
    """Fixed-point text with trailing zeros removed: fmt(0.0, 2) = "0", fmt(-1.440, 2) = "-1.44"."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text


def write_lines(folder, name, lines):
    """Writes Windows-1252 text with CR LF after every line, the last one included."""
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def cp1252_text(text):
    """Makes `text` representable in Windows-1252: characters outside it lose their diacritics
    (NFKD decomposition), a few letters without decomposition are spelt out."""
    spelled = {"ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "ŀ": "l", "ʼ": "'",
               "‘": "'", "’": "'", "–": "-", "\u2005": " ", "\u2009": " ", "\u200e": ""}
    out = []
    for ch in text:
        try:
            ch.encode("cp1252")
            out.append(ch)
            continue
        except UnicodeEncodeError:
            pass
        if ch in spelled:
            out.append(spelled[ch])
            continue
        base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
        try:
            base.encode("cp1252")
        except UnicodeEncodeError:
            raise ConversionFailure(f"no Windows-1252 form for {ch!r} in {text!r}")
        out.append(base)
    return "".join(out)


# ---------------------------------------------------------------------------------------------
# Precession (IAU 1976; J. Meeus, Astronomical Algorithms, 2nd ed., ch. 21, eq. 21.2 and 21.4)

def precess(ra_deg, dec_deg, jd_from, jd_to):
    """Mean equatorial place of epoch jd_from referred to the equinox of jd_to (degrees)."""
    T = (jd_from - JD_J2000) / 36525.0
    t = (jd_to - jd_from) / 36525.0
    zeta = ((2306.2181 + 1.39656 * T - 0.000139 * T * T) * t
            + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t ** 3) / 3600.0
    z = ((2306.2181 + 1.39656 * T - 0.000139 * T * T) * t
         + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t ** 3) / 3600.0
    theta = ((2004.3109 - 0.85330 * T - 0.000217 * T * T) * t
             - (0.42665 + 0.000217 * T) * t * t - 0.041833 * t ** 3) / 3600.0
    a0 = math.radians(ra_deg)
    d0 = math.radians(dec_deg)
    zr, th = math.radians(zeta), math.radians(theta)
    A = math.cos(d0) * math.sin(a0 + zr)
    B = math.cos(th) * math.cos(d0) * math.cos(a0 + zr) - math.sin(th) * math.sin(d0)
    C = math.sin(th) * math.cos(d0) * math.cos(a0 + zr) + math.cos(th) * math.sin(d0)
    ra = (math.degrees(math.atan2(A, B)) + z) % 360.0
    dec = math.degrees(math.asin(max(-1.0, min(1.0, C))))
    return ra, dec


def angular_distance(ra1, dec1, ra2, dec2):
    """Great-circle distance in degrees (haversine form, exact for small angles)."""
    p1, p2 = math.radians(dec1), math.radians(dec2)
    dp = p2 - p1
    dl = math.radians(ra2 - ra1)
    h = math.sin(dp / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(dl / 2) ** 2
    return math.degrees(2 * math.asin(min(1.0, math.sqrt(h))))


def wrap180(x):
    return (x + 180.0) % 360.0 - 180.0


def ra_from_lon(lon):
    """d3-celestial stores right ascension as a longitude in [-180, 180] degrees."""
    return lon % 360.0


# ---------------------------------------------------------------------------------------------
# Constellation boundaries

def axis_aligned(a, b, tol=0.01):
    """True when the B1875 edge a-b runs along a constant right ascension or declination."""
    return abs(wrap180(b[0] - a[0])) < tol or abs(b[1] - a[1]) < tol


def corners_b1875(line_j2000):
    """Corners of a boundary polyline in B1875 with the signed right-ascension run of each edge.

    The source adds a few intermediate points to the long polar edges that lie on neither a
    meridian nor a parallel of B1875 (Cepheus/Ursa Minor). They are dropped, and the run between
    the remaining corners is the sum of the runs along the original points, so an edge keeps the
    side of the pole it went round."""
    pts = [precess(ra_from_lon(p[0]), p[1], JD_J2000, JD_B1875) for p in line_j2000]
    keep = [0]
    runs = []
    run = 0.0
    for i in range(1, len(pts)):
        run += wrap180(pts[i][0] - pts[i - 1][0])
        last = i == len(pts) - 1
        if not last and not axis_aligned(pts[keep[-1]], pts[i]):
            continue
        keep.append(i)
        runs.append(run)
        run = 0.0
    corners = [pts[i] for i in keep]
    for k in range(1, len(corners)):
        if not axis_aligned(corners[k - 1], corners[k]):
            raise ConversionFailure(f"boundary edge {corners[k-1]} -> {corners[k]} is not along "
                                    "a meridian or parallel of B1875")
    return corners, runs


def densify_boundary(line_j2000):
    """Boundary polyline as J2000 points, no two consecutive ones more than 1 degree apart.

    Every edge is interpolated linearly in B1875 right ascension and declination (the coordinates
    it is defined in) and each point is precessed to J2000."""
    corners, runs = corners_b1875(line_j2000)
    out = [precess(corners[0][0], corners[0][1], JD_B1875, JD_J2000)]
    for k in range(1, len(corners)):
        a, b = corners[k - 1], corners[k]
        dra = runs[k - 1]
        ddec = b[1] - a[1]
        length = math.hypot(dra * math.cos(math.radians(0.5 * (a[1] + b[1]))), ddec)
        steps = max(1, math.ceil(length / 0.9))
        while True:
            seg = []
            for s in range(1, steps + 1):
                f = s / steps
                seg.append(precess((a[0] + f * dra) % 360.0, a[1] + f * ddec, JD_B1875, JD_J2000))
            prev = out[-1]
            worst = 0.0
            for p in seg:
                worst = max(worst, angular_distance(prev[0], prev[1], p[0], p[1]))
                prev = p
            if worst <= 0.99 * MAX_BOUNDARY_STEP_DEG:
                break
            steps += max(1, steps // 4)
        out.extend(seg)
    return out


class ConstellationFinder:
    """Which constellation contains a J2000 position (boundaries of B1875, Delporte 1930).

    Ray casting in the B1875 plane: a ray from the point along its meridian to the north pole
    crosses the parallels of a constellation's outline an odd number of times if the point lies
    inside, unless the outline encloses the north celestial pole, where the parity is reversed."""

    def __init__(self, bounds_features):
        self.regions = []
        for feature in bounds_features:
            ring = feature["geometry"]["coordinates"][0]
            corners, runs = corners_b1875(ring)
            edges = []
            total_run = 0.0
            for k in range(1, len(corners)):
                a, b = corners[k - 1], corners[k]
                total_run += runs[k - 1]
                if abs(b[1] - a[1]) < 0.01 and abs(runs[k - 1]) > 0:
                    start = a[0] if runs[k - 1] > 0 else b[0]
                    edges.append((start, abs(runs[k - 1]), 0.5 * (a[1] + b[1])))
            encloses_pole = abs(total_run) > 180.0
            north_pole = encloses_pole and sum(c[1] for c in corners) > 0
            self.regions.append((feature["id"], edges, north_pole))

    def find(self, ra_j2000, dec_j2000):
        ra, dec = precess(ra_j2000, dec_j2000, JD_J2000, JD_B1875)
        hits = []
        for cid, edges, north_pole in self.regions:
            crossings = 0
            for start, span, edge_dec in edges:
                if edge_dec > dec and (ra - start) % 360.0 < span:
                    crossings += 1
            inside = (crossings % 2 == 1) != north_pole
            if inside:
                hits.append(cid)
        if len(hits) != 1:
            raise ConversionFailure(f"position {ra_j2000}, {dec_j2000} lies in {hits}")
        return hits[0]


# ---------------------------------------------------------------------------------------------
# Stars

GREEK_GERMAN = {
    "α": "Alpha", "β": "Beta", "γ": "Gamma", "δ": "Delta", "ε": "Epsilon", "ζ": "Zeta",
    "η": "Eta", "θ": "Theta", "ι": "Iota", "κ": "Kappa", "λ": "Lambda", "μ": "My", "ν": "Ny",
    "ξ": "Xi", "ο": "Omikron", "π": "Pi", "ρ": "Rho", "σ": "Sigma", "τ": "Tau", "υ": "Ypsilon",
    "φ": "Phi", "χ": "Chi", "ψ": "Psi", "ω": "Omega",
}

# Spectral class index of the sky map: 1 O, 2 B, 3 A, 4 F, 5 G, 6 K, 7 M, 8 S.
# Wolf-Rayet stars (W) are hot like O stars; carbon stars (C, and the older classes R and N)
# are cool like M stars. Lower-case prefixes such as the "k" of Am-star types ("kA2hA5mA7V")
# are skipped: the first upper-case class letter counts.
CLASS_INDEX = {"O": 1, "B": 2, "A": 3, "F": 4, "G": 5, "K": 6, "M": 7, "S": 8,
               "W": 1, "C": 7, "R": 7, "N": 7}


def class_letter_position(sp_type):
    for i, ch in enumerate(sp_type):
        if ch in CLASS_INDEX:
            return i
    return -1


def class_from_bv(bv):
    """Class index from the colour index when the spectral type is unknown (typical B-V of the
    main-sequence class borders)."""
    for limit, index in ((-0.30, 1), (-0.02, 2), (0.30, 3), (0.58, 4), (0.81, 5), (1.40, 6)):
        if bv < limit:
            return index
    return 7


def read_stellarium_stars(files):
    """HIP -> (B-V, parallax in mas or None, spectral type text) from the Hipparcos star files.

    File layout: eight little-endian int32 (magic 0x835f040a, type, major, minor, level,
    mag_min, mag_range, mag_steps), one int32 star count per zone (20 * 4^level zones), then
    28-byte records: hip 24 bits + component 8 bits, x0, x1 (int32), b_v, mag (uint8),
    sp_int (uint16, line of stars_hip_sp_0v0_4.cat), dx0, dx1, plx (int32, plx in 0.01 mas)."""
    base = "./usr/share/stellarium/stars/default/"
    sp_lines = files[base + "stars_hip_sp_0v0_4.cat"].decode("utf-8").split("\n")
    stars = {}
    for level in range(3):
        data = files[base + f"stars_{level}_0v0_8.cat"]
        header = struct.unpack_from("<8i", data, 0)
        if header[0] & 0xFFFFFFFF != 0x835F040A or header[4] != level:
            raise ConversionFailure(f"unexpected header in stars_{level}_0v0_8.cat: {header}")
        zones = 20 * 4 ** level
        counts = struct.unpack_from(f"<{zones}i", data, 32)
        offset = 32 + 4 * zones
        if offset + 28 * sum(counts) != len(data):
            raise ConversionFailure(f"stars_{level}_0v0_8.cat: size does not match zone counts")
        for k in range(sum(counts)):
            w0, _x0, _x1, bv, _mag, sp_int, _dx0, _dx1, plx = struct.unpack_from(
                "<IiiBBHiii", data, offset + 28 * k)
            hip = w0 & 0xFFFFFF
            if hip == 0 or hip in stars:
                continue
            stars[hip] = {
                "bv": bv * (4.0 / 127.0) - 0.5,
                "plx": plx / 100.0 if plx != 0 else None,
                "sp": sp_lines[sp_int].strip() if sp_int < len(sp_lines) else "",
            }
    return stars


def read_cross_ids(data):
    """HIP -> (HD, HR) from cross-id.dat (columns HIP, component, SAO, HD, HR)."""
    ids = {}
    for line in data.decode("utf-8").split("\n"):
        if not line or line.startswith("#"):
            continue
        f = line.split("\t")
        hip = int(f[0])
        hd = f[3].strip() if len(f) > 3 else ""
        hr = f[4].strip() if len(f) > 4 else ""
        ids.setdefault(hip, (hd, hr))
    return ids


def designation(entry):
    """German designation of a starnames.json entry: Greek Bayer letter spelt in German with its
    superscript digit kept ("Alpha1"), else the Flamsteed number, else a Latin Bayer letter."""
    bayer = entry.get("bayer", "") or ""
    if bayer and bayer[0] in GREEK_GERMAN:
        return GREEK_GERMAN[bayer[0]] + bayer[1:]
    if entry.get("flam"):
        return entry["flam"]
    if bayer:
        return bayer
    return ""


def build_stars(d3, stellarium, cross_ids, finder, outputs, counts):
    features = json.loads(d3["package/data/stars.6.json"])["features"]
    features.sort(key=lambda f: (f["properties"]["mag"], f["id"]))
    if len(features) < STAR_COUNT:
        raise ConversionFailure("stars.6.json has too few stars")
    chosen = features[:STAR_COUNT]
    names = json.loads(d3["package/data/starnames.json"])
    german_names = dict((a, b) for a, b in read_table("german_star_names.tsv", 2))
    abbreviations = {f["id"] for f in
                     json.loads(d3["package/data/constellations.json"])["features"]}

    star0, star3, records = [], [], []
    with_type = with_parallax = with_name = 0
    for f in chosen:
        hip = f["id"]
        lon, lat = f["geometry"]["coordinates"]
        ra_deg = ra_from_lon(lon)
        mag = float(f["properties"]["mag"])
        bv_text = f["properties"].get("bv", "")
        st = stellarium.get(hip)
        if st is None:
            raise ConversionFailure(f"HIP {hip} missing in the Hipparcos files")
        bv = float(bv_text) if bv_text not in ("", None) else st["bv"]
        sp = st["sp"]
        pos = class_letter_position(sp)
        if pos >= 0:
            class_index = CLASS_INDEX[sp[pos]]
            sp_short = sp[pos:pos + 2] if pos + 1 < len(sp) and sp[pos + 1].isdigit() else sp[pos]
            with_type += 1
        else:
            class_index = class_from_bv(bv)
            sp_short = ""
        plx = st["plx"]
        if plx is not None:
            with_parallax += 1

        entry = names.get(str(hip), {})
        # The constellation of the designation; stars without one (or with a number in that
        # field of the source) get the constellation their position lies in.
        constellation = entry.get("c", "")
        if constellation not in abbreviations:
            constellation = finder.find(ra_deg, lat)
        proper = entry.get("name", "") or ""
        proper = cp1252_text(german_names.get(proper, proper))
        if proper:
            with_name += 1
            suffix = "," + proper
        else:
            desig = designation(entry)
            if desig:
                suffix = ""
            else:
                hd, hr = cross_ids.get(hip, ("", ""))
                number = f"HR {hr}" if hr else (f"HD {hd}" if hd else f"HIP {hip}")
                # In parentheses: the label of a name is drawn only if it starts with a capital.
                suffix = ",(" + number + ")"
        name = cp1252_text(f"{constellation} {designation(entry)}{suffix}")

        ra_rad = math.radians(ra_deg)
        ra_text = fmt(ra_rad, 10)
        if float(ra_text) >= 2 * math.pi:
            ra_text = "0"
        star0 += [ra_text, fmt(math.radians(lat), 10), fmt(mag, 2), str(class_index)]
        star3.append(name)

        if plx is not None and plx >= 1.0:
            absolute = fmt(mag + 5.0 + 5.0 * math.log10(plx / 1000.0), 2)
            distance = fmt(1000.0 / plx * 3.2615638, 1)
        else:
            absolute = distance = "-10000"
        records.append([name, fmt(ra_deg / 15.0, 4), fmt(lat, 4), fmt(bv, 3),
                        fmt(plx, 2) if plx is not None else "-10000",
                        absolute, fmt(mag, 2), distance, sp_short])

    if len(set(star3)) != len(star3):
        dups = sorted({n for n in star3 if star3.count(n) > 1})
        raise ConversionFailure(f"star names repeat: {dups}")
    # The information box takes the first record whose key begins with the clicked name. Sorted
    # keys put every name before all longer keys that start with it ("UMa 8" before "UMa 80").
    records.sort(key=lambda r: r[0].encode("cp1252"))
    star6 = [field for r in records for field in r]

    outputs["STAR0"] = star0
    outputs["STAR3"] = star3
    outputs["STAR6"] = star6
    counts["stars with a spectral type"] = with_type
    counts["stars with a parallax"] = with_parallax
    counts["stars with a proper name"] = with_name
    counts["STAR6 records"] = len(records)


# ---------------------------------------------------------------------------------------------
# Constellations, figures and boundaries

def build_constellations(d3, outputs, counts):
    features = json.loads(d3["package/data/constellations.json"])["features"]
    if len(features) != 89:
        raise ConversionFailure(f"expected 89 constellations, got {len(features)}")
    fixes = {(a, b): c for a, b, c in read_table("german_constellation_names.tsv", 3)}
    star5 = []
    for f in features:
        p = f["properties"]
        german = cp1252_text(p["de"]).strip()
        german = fixes.get((f["id"], german), german)
        lon, lat = f["geometry"]["coordinates"]
        star5 += [cp1252_text(p["name"]), german, f["id"],
                  fmt(math.radians(ra_from_lon(lon)), 8), fmt(math.radians(lat), 8)]
    outputs["STAR5"] = star5
    counts["constellations"] = len(features)


def point_lines(ra_deg, dec_deg, decimals):
    ra = fmt(math.radians(ra_deg % 360.0), decimals)
    if float(ra) >= 2 * math.pi:
        ra = "0"
    dec = fmt(math.radians(dec_deg), decimals)
    if ra == "0" and dec == "0":
        raise ConversionFailure("a real point would read as a separator")
    return [ra, dec]


def build_figures(d3, outputs, counts):
    features = json.loads(d3["package/data/constellations.lines.json"])["features"]
    star1 = []
    for f in features:
        for line in f["geometry"]["coordinates"]:
            for lon, lat in line:
                star1 += point_lines(ra_from_lon(lon), lat, 12)
            star1 += ["0", "0"]
    outputs["STAR1"] = star1
    counts["STAR1 points"] = len(star1) // 2


def build_boundaries(d3, outputs, counts):
    features = json.loads(d3["package/data/constellations.borders.json"])["features"]
    star2 = []
    for f in features:
        for line in f["geometry"]["coordinates"]:
            for ra, dec in densify_boundary(line):
                star2 += point_lines(ra, dec, 8)
            star2 += ["0", "0"]
    outputs["STAR2"] = star2
    counts["STAR2 points"] = len(star2) // 2


# ---------------------------------------------------------------------------------------------
# Places

def german_sort_key(text):
    """German dictionary order (DIN 5007-1): umlauts sort as their base letters, ß as ss, other
    diacritics are ignored, letter case counts only between otherwise equal texts."""
    base = text.replace("ß", "ss").replace("ẞ", "SS")
    base = "".join(c for c in unicodedata.normalize("NFKD", base) if not unicodedata.combining(c))
    return (base.casefold(), base, text)


def standard_offset_hours(zone_name, year=2024):
    """Standard-time offset of an IANA zone: the smaller of its January and July UTC offsets."""
    zone = zoneinfo.ZoneInfo(zone_name)
    offsets = []
    for month in (1, 7):
        moment = datetime.datetime(year, month, 15, 12, tzinfo=datetime.timezone.utc)
        offsets.append(moment.astimezone(zone).utcoffset().total_seconds() / 3600.0)
    return min(offsets)


def tzdata_zi_path():
    for base in zoneinfo.TZPATH:
        path = os.path.join(base, "tzdata.zi")
        if os.path.exists(path):
            return path
    raise ConversionFailure("tzdata.zi not found in the time zone database (install tzdata)")


def tzdata_version():
    """Release of the system tz database, from the first line of tzdata.zi ("# version 2025b")."""
    with open(tzdata_zi_path(), encoding="utf-8") as f:
        fields = f.readline().split()
    return fields[2] if len(fields) == 3 and fields[:2] == ["#", "version"] else "unknown"


def zone_links():
    """Link name -> zone name from the tz database's compiled source (tzdata.zi, lines "L target
    link"). The source names a few places by links (America/Montreal, Europe/Uzhgorod); resolved,
    every name is a zone of its own that systems without the legacy links still know."""
    links = {}
    with open(tzdata_zi_path(), encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if len(fields) == 3 and fields[0] == "L":
                links[fields[2]] = fields[1]
    return links


def canonical_zone(zone_name, links):
    seen = set()
    while zone_name in links and zone_name not in seen:
        seen.add(zone_name)
        zone_name = links[zone_name]
    return zone_name


def build_places(cities, outputs, counts):
    codes = {row[0]: row[1] for row in read_table("vehicle_codes.tsv", 2)}
    german = {(a, b): c for a, b, c in read_table("german_town_names.tsv", 3)}
    overrides = {a: (float(b), float(c)) for a, b, c in read_table("place_overrides.tsv", 3)}

    best = {}
    for c in cities:
        if not c.get("timezone"):
            continue  # stations in Antarctica and a few towns without a zone in the source
        code = codes.get(c["iso3"])
        if code is None:
            raise ConversionFailure(f"no vehicle code for {c['iso3']} ({c['country']})")
        town = german.get((c["iso3"], c["city"]), c["city"])
        name = cp1252_text(f"{town}, {code}")
        if name not in best or c["pop"] > best[name]["pop"]:
            best[name] = dict(c, name=name)

    ordered = sorted(best.values(), key=lambda c: german_sort_key(c["name"]))
    home = [i for i, c in enumerate(ordered) if c["name"] == HOME_PLACE]
    if len(home) != 1:
        raise ConversionFailure(f"{HOME_PLACE} not found")
    before, after = ordered[:home[0]], ordered[home[0] + 1:]
    after_count = PLACE_COUNT - HOME_INDEX - 1
    if len(before) < HOME_INDEX or len(after) < after_count:
        raise ConversionFailure("too few places around the home place")

    def most_populous(group, count):
        pick = sorted(range(len(group)), key=lambda i: (-group[i]["pop"], i))[:count]
        return [group[i] for i in sorted(pick)]

    chosen = most_populous(before, HOME_INDEX) + [ordered[home[0]]] + \
        most_populous(after, after_count)

    ort, orte = [], []
    continents = {}
    links = zone_links()
    for c in chosen:
        lat, lng = overrides.get(c["name"], (c["lat"], c["lng"]))
        zone = standard_offset_hours(c["timezone"])
        # The IANA zone name comes last, so readers that take four fields still read the line.
        zone_name = canonical_zone(c["timezone"], links)
        ort.append(f"{c['name']}\t{fmt(lat, 6)}\t{fmt(lng, 6)}\t{fmt(zone, 2)}\t{zone_name}")
        orte.append(c["name"])
        area = c["timezone"].split("/")[0]
        continents[area] = continents.get(area, 0) + 1
    outputs["ORT"] = ort
    outputs["ORTE"] = orte
    counts["places"] = len(chosen)
    for area in sorted(continents):
        counts[f"places in zone area {area}"] = continents[area]


# ---------------------------------------------------------------------------------------------
# Coastlines

def build_coastlines(topology, outputs, counts):
    """ERDE: one line "latitude longitude pen" per point, whole degrees, longitude 0..359,
    pen 0 at the first point of each ring, last line "0 0 0"."""
    sx, sy = topology["transform"]["scale"]
    tx, ty = topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)

    def ring_points(ring):
        out = []
        for index in ring:
            pts = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
            out.extend(pts if not out else pts[1:])
        return out

    lines = []
    rings = 0
    for geometry in topology["objects"]["land"]["geometries"]:
        polygons = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for polygon in polygons:
            for ring in polygon:
                previous = None
                first = True
                for lon, lat in ring_points(ring):
                    # Round halves away from zero so the result does not depend on float quirks.
                    la = int(math.floor(abs(lat) + 0.5)) * (1 if lat >= 0 else -1)
                    lo = int(math.floor(abs(lon) + 0.5)) * (1 if lon >= 0 else -1)
                    lo %= 360
                    if (la, lo) == previous:
                        continue
                    lines.append(f"{la} {lo} {0 if first else 1}")
                    previous = (la, lo)
                    first = False
                rings += 1
    lines.append("0 0 0")
    outputs["ERDE"] = lines
    counts["ERDE lines"] = len(lines)
    counts["ERDE rings"] = rings


# ---------------------------------------------------------------------------------------------

NAMES = ["STAR0", "STAR1", "STAR2", "STAR3", "STAR5", "STAR6", "ORT", "ORTE", "ERDE"]


def convert(inputs, output):
    d3 = read_tgz_members(os.path.join(inputs, D3_CELESTIAL), [
        "package/data/stars.6.json", "package/data/starnames.json",
        "package/data/constellations.json", "package/data/constellations.lines.json",
        "package/data/constellations.borders.json", "package/data/constellations.bounds.json"])
    base = "./usr/share/stellarium/stars/default/"
    stel = read_deb_members(os.path.join(inputs, STELLARIUM), [
        base + "stars_0_0v0_8.cat", base + "stars_1_0v0_8.cat", base + "stars_2_0v0_8.cat",
        base + "stars_hip_sp_0v0_4.cat", base + "cross-id.dat"])
    cities = json.loads(read_tgz_members(os.path.join(inputs, CITY_TIMEZONES),
                                         ["package/data/cityMap.json"])["package/data/cityMap.json"])
    land = json.loads(read_tgz_members(os.path.join(inputs, WORLD_ATLAS),
                                       ["package/land-110m.json"])["package/land-110m.json"])

    outputs, counts = {}, {}
    finder = ConstellationFinder(json.loads(d3["package/data/constellations.bounds.json"])["features"])
    build_stars(d3, read_stellarium_stars(stel), read_cross_ids(stel[base + "cross-id.dat"]),
                finder, outputs, counts)
    build_constellations(d3, outputs, counts)
    build_figures(d3, outputs, counts)
    build_boundaries(d3, outputs, counts)
    build_places(cities, outputs, counts)
    build_coastlines(land, outputs, counts)

    os.makedirs(output, exist_ok=True)
    for name in NAMES:
        write_lines(output, name, outputs[name])
    return counts


def read_lines(folder, name):
    with open(os.path.join(folder, name), "rb") as f:
        return f.read().decode("cp1252").split("\r\n")


def first_difference(fresh, committed, name):
    """Describes the first line where the regenerated file departs from the committed one."""
    a, b = read_lines(fresh, name), read_lines(committed, name)
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return f"{name} line {i + 1}: committed {y!r}, regenerated {x!r}"
    return f"{name}: committed {len(b)} lines, regenerated {len(a)} lines"


def zone_only_differences(fresh, committed):
    """The ORT lines that differ in the zone fields only (offset, IANA name), as (committed,
    regenerated) pairs; None when anything else differs."""
    a, b = read_lines(fresh, "ORT"), read_lines(committed, "ORT")
    if len(a) != len(b):
        return None
    pairs = []
    for x, y in zip(a, b):
        if x != y:
            if x.split("\t")[:3] != y.split("\t")[:3]:
                return None
            pairs.append((y, x))
    return pairs


def check(inputs, output):
    with tempfile.TemporaryDirectory() as tmp:
        convert(inputs, tmp)
        _, mismatch, errors = filecmp.cmpfiles(tmp, output, NAMES, shallow=False)
        if errors:
            print(f"missing: {errors}", file=sys.stderr)
            return 1
        if not mismatch:
            print(f"{len(NAMES)} files regenerate byte-identically")
            return 0
        zones = zone_only_differences(tmp, output) if mismatch == ["ORT"] else None
        if zones is None:
            print(f"differs: {mismatch}", file=sys.stderr)
            for name in mismatch:
                print("  " + first_difference(tmp, output, name), file=sys.stderr)
            return 1
        version = tzdata_version()
        print(f"ORT: {len(zones)} places differ in their zone only (system tzdata {version}, "
              f"committed files made with {TZDATA_VERSION}):", file=sys.stderr)
        for old, new in zones:
            print(f"  committed {old!r}, regenerated {new!r}", file=sys.stderr)
        if version == TZDATA_VERSION:
            print("differs: ['ORT'] with the same tzdata release", file=sys.stderr)
            return 1
        print(f"warning: {len(NAMES) - 1} files regenerate byte-identically; the place zones "
              f"follow the system tzdata {version}. To take them, regenerate with it and set "
              f"TZDATA_VERSION.")
        return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--inputs", default=os.path.join(REPO, "tools", "inputs"))
    parser.add_argument("--output", default=os.path.join(REPO, "resources", "catalogue"))
    parser.add_argument("--check", action="store_true",
                        help="regenerate into a temporary folder and compare with --output")
    args = parser.parse_args()
    try:
        if args.check:
            return check(args.inputs, args.output)
        counts = convert(args.inputs, args.output)
    except ConversionFailure as e:
        print(f"convert.py: {e}", file=sys.stderr)
        return 1
    version = tzdata_version()
    if version != TZDATA_VERSION:
        print(f"note: place zones made with tzdata {version}; set TZDATA_VERSION to it")
    for key, value in counts.items():
        print(f"{key}: {value}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
