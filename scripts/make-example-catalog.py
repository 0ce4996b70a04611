#!/usr/bin/env python3
"""Writes examples/example-catalog.zip: a small made-up SF6 catalog of the
maker "Beispiel Optik" with every file filled, for scripts/run and trying the
viewer. Usage: scripts/make-example-catalog.py [OUT.zip]"""

import sys
import zipfile
from pathlib import Path


def line(*fields, ends_early=False):
    """Builds a fixed-column line from (first column, width, value) triples;
    int values are written right-aligned with leading zeros. Lines keep the
    layout's full length; only price and information lines (ends_early) end
    after their last filled part, as the catalog's writer writes them."""
    out = []
    for column, width, value in sorted(fields):
        text = str(value).zfill(width) if isinstance(value, int) else str(value)
        text = text[:width].ljust(width)
        gap = column - 1 - len("".join(out))
        out.append(" " * gap + text)
    text = "".join(out)
    return text.rstrip() if ends_early else text


def head():
    values = [
        ("version", "6.8.3"), ("Software-id", "make-example-catalog 1.0"),
        ("comment", "Beispielkatalog, frei erfunden"), ("uid-manufacturer", "BSP"),
        ("uid-postedit", ""), ("Valid-from", "20250101"), ("Valid-until", "20261231"),
        ("country", "DE"), ("language", "DE"), ("manufacturer-code", "BSP"),
        ("manufacturer-subcode", "01"), ("manufacturer-name", "Beispiel Optik GmbH"),
        ("street", "Linsenstraße 7"), ("zip-code", "12345"), ("city", "Musterstadt"),
        ("po-box-zip-code", "12340"), ("po-box-text", "Postfach 11 22"),
        ("phone", "+49 123 4567-0"), ("fax", "+49 123 4567-99"),
        ("phone-order", "+49 123 4567-10"), ("fax-order", "+49 123 4567-19"),
        ("mail", "bestellung@beispiel-optik.example"), ("Url", "https://beispiel-optik.example"),
        ("pricedefinition-cylinder", "+"), ("cylindergroup-base", "200"),
        ("cylindergroup-1", "400"), ("cylindergroup-2", "600"), ("prismgroup-1", "100"),
        ("prismgroup-2", "200"), ("prismgroup-3", "300"), ("prismgroup-4", "400"),
        ("prismgroup-5", "500"), ("currencydescription", "EUR"),
        ("currencydescription-decimals", "2"), ("pricefield-01", "10"),
        ("pricefield-02", "20"), ("pricefield-03", "00"), ("pricefield-04", "00"),
        ("pricefield-05", "00"), ("pricefield-description-01", "Listen-EK"),
        ("pricefield-description-02", "empf. VK"), ("pricefield-description-03", ""),
        ("pricefield-description-04", ""), ("pricefield-description-05", ""),
        ("characterset", "1252"),
    ]
    return [key.ljust(30) + value for key, value in values]


LENSES = [
    # code, name, kind, material, index, density, abbe
    ("BSP001", "Beispiel Einstärken 1.5", 0, 2, 15000, 132, 5800),
    ("BSP002", "Beispiel Einstärken 1.6 asphärisch", 0, 2, 16000, 130, 4200),
    ("BSP010", "Beispiel Gleitsicht Komfort 1.5", 3, 2, 15000, 132, 5800),
    ("BSP020", "Beispiel Bifokal Silikat", 1, 1, 15230, 254, 5880),
]


def lens_type():
    rows = []
    for i, (code, name, kind, material, index, density, abbe) in enumerate(LENSES):
        rows.append(line(
            (1, 6, code), (7, 40, name), (47, 8, "20250101"), (55, 8, "20261231"),
            (63, 1, kind), (64, 1, 0), (65, 3, 0), (68, 3, 0), (71, 1, i % 2),
            (72, 1, material), (73, 5, index), (78, 3, density), (81, 4, abbe),
            (85, 1, 1 if "asph" in name else 0), (86, 1, 0), (87, 1, 2), (88, 1, 1),
            (89, 1, 0), (90, 1, 1), (91, 1, 1), (92, 1, 1), (93, 1, 0), (94, 1, 0),
            (95, 1, 1), (96, 1, 0), (97, 1, 1), (98, 1, 0), (99, 1, 0), (100, 1, 1),
            (101, 3, 380), (104, 4, 9990), (108, 4, 9995), (112, 1, 1), (113, 1, 1),
            (114, 1, 0), (115, 3, 10 * (i + 1)), (118, 15, name.split()[1]),
            (133, 2, 55), (135, 2, 5), (137, 2, 0)))
    return rows


def lens_range():
    rows = []
    for code, *_ in LENSES:
        for diameter in ("65", "70"):
            rows.append(line(
                (1, 6, code), (7, 4, diameter.ljust(4)), (11, 1, " "), (12, 5, "-0800"),
                (17, 5, "+0600"), (22, 4, "0000"), (26, 4, "0400"), (30, 3, "000"),
                (33, 3, "000"), (36, 4, "0500"), (40, 4, "0000"), (44, 4, "0000"), (48, 1, 2),
                (49, 6, "HC0001"), (55, 6, "AR0001"), (61, 6, ""), (67, 6, ""), (73, 6, ""),
                (79, 1, 1), (80, 8, "20250101"), (88, 8, "20261231"), (96, 1, 1),
                (97, 3, 5), (100, 1, 0), (101, 1, 1), (102, 1, 1), (103, 1, 1), (104, 3, 1)))
    return rows


def lens_geo():
    rows = []
    for code, *_ in LENSES:
        rows.append(line(
            (1, 6, code), (7, 4, "70  "), (11, 1, " "), (12, 5, "-0800"), (17, 5, "+0600"),
            (22, 4, "0350"), (26, 4, "0350"), (30, 1, 0), (31, 5, "+0040"), (36, 5, "+0000"),
            (41, 5, "+0000"), (46, 5, "+0000"), (51, 5, "+0000"), (56, 4, "0000"),
            (60, 4, "0000"), (64, 4, "0000"), (68, 4, "0000"), (72, 4, "0000"),
            (76, 4, "0040"), (80, 1, 0), (81, 4, "0000"), (85, 4, "0000"), (89, 4, "0000"),
            (93, 4, "0000")))
    return rows


def lens_price():
    rows = []
    for n, (code, *_) in enumerate(LENSES):
        for sph in range(1, 6):
            for cyl in range(1, 4):
                base = 2500 + 1000 * n + 350 * sph + 500 * cyl
                rows.append(line(
                    (1, 6, code), (7, 4, "70  "), (11, 2, sph), (13, 2, cyl), (15, 3, 1),
                    (18, 7, base), (25, 7, base * 2), (32, 7, ""), (39, 7, ""), (46, 7, ""),
                    ends_early=True))
    return rows


OPTIONS = [("HC0001", "Hartschicht"), ("AR0001", "Entspiegelung Super"),
           ("TN0001", "Tönung braun"), ("PH0001", "Phototrop grau")]


def options():
    rows = []
    for i, (code, name) in enumerate(OPTIONS):
        rows.append(line(
            (1, 6, code), (7, 40, name), (47, 8, "20250101"), (55, 8, "20261231"),
            (63, 1, 0), (64, 1, 0), (65, 1, 1), (66, 1, 1), (67, 1, 0), (68, 1, 8 if i == 1 else 0),
            (69, 1, 2 if i == 2 else 0), (70, 1, 1 if i == 3 else 0), (71, 1, 1 if i == 0 else 0),
            (72, 1, 0), (73, 1, 1), (74, 1, 0), (75, 1, 0), (76, 1, 0), (77, 1, 0), (78, 1, 0),
            (79, 1, 0), (80, 1, 0), (81, 1, 0), (82, 1, 0), (83, 1, 0), (84, 1, 0), (85, 1, 0),
            (86, 1, 0), (87, 1, 0), (88, 1, 1), (89, 1, 0), (90, 1, 1), (91, 1, 2 if i == 2 else 0),
            (92, 3, 400), (95, 4, 999), (99, 4, 1000), (103, 5, "-0800"), (108, 5, "+0600"),
            (113, 2, 50), (115, 2, 80), (117, 3, 10 * (i + 1)), (120, 15, name[:15]),
            (135, 1, 0), (136, 1, 1)))
    return rows


def options_color():
    return [
        line((1, 3, "B50"), (4, 6, "TN0001"), (7 + 3, 40, "Braun 50%"), (50, 2, 50), (52, 2, 50),
             (54, 3, 139), (57, 3, 90), (60, 3, 43), (63, 3, 139), (66, 3, 90), (69, 3, 43),
             (72, 3, 139), (75, 3, 90), (78, 3, 43), (81, 1, 1), (82, 1, 2), (83, 3, 400),
             (86, 4, 999), (90, 4, 1000)),
        line((1, 3, "B85"), (4, 6, "TN0001"), (10, 40, "Braun 85% Verlauf"), (50, 2, 85),
             (52, 2, 20), (54, 3, 101), (57, 3, 67), (60, 3, 33), (63, 3, 160), (66, 3, 120),
             (69, 3, 80), (72, 3, 220), (75, 3, 200), (78, 3, 180), (81, 1, 2), (82, 1, 3),
             (83, 3, 400), (86, 4, 999), (90, 4, 1000)),
        line((1, 3, "G70"), (4, 6, "PH0001"), (10, 40, "Grau phototrop"), (50, 2, 70),
             (52, 2, 70), (54, 3, 96), (57, 3, 96), (60, 3, 96), (63, 3, 96), (66, 3, 96),
             (69, 3, 96), (72, 3, 96), (75, 3, 96), (78, 3, 96), (81, 1, 1), (82, 1, 1),
             (83, 3, 400), (86, 4, 999), (90, 4, 1000)),
    ]


def options_price():
    rows = []
    for i, (option, _) in enumerate(OPTIONS):
        for lens in ("BSP001", "BSP010"):
            price = 1500 + 500 * i + (1000 if lens == "BSP010" else 0)
            rows.append(line((1, 6, option), (7, 6, lens), (13, 1, 0), (14, 1, 0), (15, 1, 0),
                             (16, 1, 1), (17, 1, 1), (18, 1, 0), (19, 7, price),
                             (26, 7, price * 2), (33, 7, ""), (40, 7, ""), (47, 7, ""),
                             ends_early=True))
    return rows


def combination():
    return [line((1, 6, "BSP001"), (7, 1, 1), (8, 6, "HC0001"), (14, 6, "AR0001"), (20, 6, "")),
            line((1, 6, "BSP010"), (7, 1, 1), (8, 6, "HC0001"), (14, 6, "AR0001"),
                 (20, 6, "PH0001")),
            line((1, 6, "BSP020"), (7, 1, 0), (8, 6, "PH0001"), (14, 6, ""), (20, 6, ""))]


def information():
    return [line((1, 1, 0), (2, 6, "BSP010"), (8, 2, 2), (10, 3, 1),
                 (13, 250, "Gleitsichtglas mit breitem Fernbereich."), ends_early=True),
            line((1, 1, 0), (2, 6, "BSP010"), (8, 2, 2), (10, 3, 2),
                 (13, 250, "Für Einsteiger geeignet; Lieferzeit 5 Arbeitstage."), ends_early=True),
            line((1, 1, 1), (2, 6, "AR0001"), (8, 2, 3), (10, 3, 1),
                 (13, 250, "Superentspiegelung mit Clean-Effekt."), ends_early=True)]


def order_options():
    return [line((1, 1, 0), (2, 6, "BSP010"), (8, 4, "0010"), (12, 1, 1)),
            line((1, 1, 0), (2, 6, "BSP010"), (8, 4, "0020"), (12, 1, 2)),
            line((1, 1, 0), (2, 6, "BSP010"), (8, 4, "0050"), (12, 1, 1))]


def product_group():
    return [line((1, 1, 0), (2, 6, "BSP001"), (8, 30, "Einstärken Kunststoff")),
            line((1, 1, 0), (2, 6, "BSP010"), (8, 30, "Gleitsicht")),
            line((1, 1, 1), (2, 6, "AR0001"), (8, 30, "Entspiegelungen"))]


def code_substitution():
    return [line((1, 1, 0), (2, 6, "BSP000"), (8, 1, 1), (9, 6, "BSP001"), (15, 6, ""), (21, 6, "")),
            line((1, 1, 1), (2, 6, "AR0000"), (8, 1, 2), (9, 6, "AR0001"), (15, 6, "HC0001"),
                 (21, 6, ""))]


FILES = [
    ("Head.dat", head), ("LensType.Dat", lens_type), ("LensRange.Dat", lens_range),
    ("LensGeo.Dat", lens_geo), ("LensPrice.Dat", lens_price), ("Options.Dat", options),
    ("OptionsColor.Dat", options_color), ("OptionsPrice.Dat", options_price),
    ("Combination.Dat", combination), ("Information.Dat", information),
    ("OrderOptions.Dat", order_options), ("ProductGroup.Dat", product_group),
    ("CodeSubstitution.Dat", code_substitution),
]


def main():
    root = Path(__file__).resolve().parent.parent
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "examples" / "example-catalog.zip"
    out.parent.mkdir(parents=True, exist_ok=True)
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, build in FILES:
            text = "".join(row + "\r\n" for row in build())
            info = zipfile.ZipInfo(name, date_time=(2025, 1, 1, 12, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, text.encode("cp1252"))
    print(out)


if __name__ == "__main__":
    main()
