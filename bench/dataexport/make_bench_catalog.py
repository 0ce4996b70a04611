#!/usr/bin/env python3
"""Writes a generated SF6 catalog of about LINES data lines (default
1,000,000) over all twelve data files, in the proportions of a large lens
maker's catalog: mostly prices and delivery ranges. Codes, powers, prices and
texts vary from line to line and no line repeats, so the entries compress
about as real catalogs do (3-4 : 1); each entry's lines are sorted, as
catalog writers store them.
Usage: make_bench_catalog.py OUT.zip [LINES]"""

import random
import sys
import zipfile


def line(*fields):
    """A fixed-column line from (first column, width, value) triples; ints
    are zero-padded to their width, texts padded with blanks."""
    out = []
    for column, width, value in sorted(fields):
        text = str(value).zfill(width) if isinstance(value, int) else str(value)
        text = text[:width].ljust(width)
        out.append(" " * (column - 1 - len("".join(out))) + text)
    return "".join(out).rstrip()


def signed(value, width):
    return ("+" if value >= 0 else "-") + str(abs(value)).zfill(width - 1)


WORDS = ["Einst\xe4rken", "Gleitsicht", "Komfort", "Pr\xe4zision", "Sport", "Office", "Nah",
         "Fern", "asph\xe4risch", "Kunststoff", "Silikat", "Polycarbonat", "Super", "Clean",
         "Hartschicht", "Entspiegelung", "Blaulicht", "Sonnenschutz", "Individual", "Premium"]


def name(rng, n):
    return " ".join(rng.choice(WORDS) for _ in range(n))


def date(rng):
    return "%04d%02d%02d" % (rng.randint(2018, 2027), rng.randint(1, 12), rng.randint(1, 28))


def main():
    out = sys.argv[1]
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
    rng = random.Random(6)
    share = {"LensPrice.Dat": 0.45, "LensRange.Dat": 0.20, "OptionsPrice.Dat": 0.15,
             "Information.Dat": 0.06, "LensGeo.Dat": 0.04, "Combination.Dat": 0.04,
             "OptionsColor.Dat": 0.02, "LensType.Dat": 0.01, "Options.Dat": 0.01,
             "OrderOptions.Dat": 0.01, "ProductGroup.Dat": 0.005, "CodeSubstitution.Dat": 0.005}
    count = {k: int(total * v) for k, v in share.items()}
    count["LensPrice.Dat"] += total - sum(count.values())
    lenses = ["G%05d" % i for i in range(count["LensType.Dat"])]
    options = ["C%05d" % i for i in range(count["Options.Dat"])]
    # Choices made once: a list built per line would dominate the run.
    optionOrNone = options + [""] * len(options)
    lensOrNone = lenses + [""] * len(lenses)
    lensOrOption = lenses + options
    fewOrNone = [""] * 5 + options[:5]

    files = {}
    files["LensType.Dat"] = [
        line((1, 6, code), (7, 40, name(rng, 3)), (47, 8, date(rng)), (55, 8, date(rng)),
             (63, 1, rng.randint(0, 4)), (64, 1, rng.randint(0, 1)), (65, 3, rng.randint(0, 300)),
             (68, 3, rng.randint(0, 300)), (71, 1, rng.randint(0, 2)), (72, 1, rng.randint(1, 4)),
             (73, 5, rng.choice([15000, 15230, 16000, 16700, 17400])), (78, 3, rng.randint(100, 300)),
             (81, 4, rng.randint(3000, 6000)), (85, 13, "".join(rng.choice("01") for _ in range(13))),
             (99, 1, rng.randint(0, 4)), (100, 1, rng.randint(0, 5)), (101, 3, rng.randint(350, 400)),
             (104, 4, rng.randint(0, 9999)), (108, 4, rng.randint(0, 9999)), (112, 3, "101"),
             (115, 3, i % 1000), (118, 15, name(rng, 1)), (133, 2, rng.randint(50, 80)),
             (135, 2, rng.randint(1, 5)), (137, 1, rng.randint(0, 4)))
        for i, code in enumerate(lenses)]
    files["LensRange.Dat"] = [
        line((1, 6, rng.choice(lenses)), (7, 4, "%02d%s" % (rng.choice([55, 60, 65, 70, 75]),
                                                           rng.choice(["  ", "70", "75"]))),
             (12, 5, signed(rng.randint(-2000, 800) // 25 * 25, 5)),
             (17, 5, signed(rng.randint(-800, 1200) // 25 * 25, 5)),
             (22, 4, rng.randint(0, 600) // 25 * 25), (26, 4, rng.randint(0, 600) // 25 * 25),
             (30, 3, rng.randint(0, 180)), (33, 3, rng.randint(0, 180)), (36, 4, rng.randint(0, 800)),
             (40, 4, rng.randint(0, 350) // 25 * 25), (44, 4, rng.randint(0, 350) // 25 * 25),
             (48, 1, rng.choice([1, 2, 4, 8])), (49, 6, rng.choice(options)),
             (55, 6, rng.choice(optionOrNone)), (79, 1, rng.randint(0, 1)),
             (80, 8, date(rng)), (88, 8, rng.choice([date(rng), ""])), (96, 1, rng.randint(0, 1)),
             (97, 3, rng.randint(1, 30)), (100, 4, "".join(rng.choice("01") for _ in range(4))),
             (104, 3, i % 500))
        for i in range(count["LensRange.Dat"])]
    files["LensGeo.Dat"] = [
        line((1, 6, rng.choice(lenses)), (7, 4, "%02d  " % rng.choice([55, 60, 65, 70])),
             (12, 5, signed(rng.randint(-1000, 600), 5)), (17, 5, signed(rng.randint(-600, 1000), 5)),
             (22, 4, rng.randint(2000, 3500)), (26, 4, rng.randint(2000, 3500)),
             (30, 1, rng.randint(0, 4)), (31, 5, signed(rng.randint(-900, 900), 5)),
             (36, 5, signed(rng.randint(-900, 900), 5)), (41, 5, signed(rng.randint(-900, 900), 5)),
             (46, 5, signed(rng.randint(-900, 900), 5)), (51, 5, signed(rng.randint(-900, 900), 5)),
             (56, 4, rng.randint(0, 3000)), (60, 4, rng.randint(0, 3000)), (64, 4, rng.randint(0, 3000)),
             (68, 4, rng.randint(0, 3000)), (72, 4, rng.randint(0, 3000)), (76, 4, rng.randint(0, 900)),
             (80, 1, rng.randint(0, 1)), (81, 4, rng.randint(0, 2500)), (85, 4, rng.randint(0, 2500)),
             (89, 4, rng.randint(0, 500)), (93, 4, rng.randint(0, 500)))
        for _ in range(count["LensGeo.Dat"])]
    files["LensPrice.Dat"] = [
        line(*([(1, 6, lenses[i % len(lenses)]), (7, 4, "%02d%s" % (50 + (i // len(lenses)) % 6 * 5,
                                                                   rng.choice(["  ", "  ", "75"]))),
                (11, 2, (i // len(lenses) // 6) % 40), (13, 2, rng.randint(0, 12)), (15, 3, i % 400)]
               + [(18 + 7 * k, 7, rng.randint(300, 19000) * 5) for k in range(rng.choice([2, 3, 5]))]))
        for i in range(count["LensPrice.Dat"])]
    files["Options.Dat"] = [
        line((1, 6, code), (7, 40, name(rng, 2)), (47, 8, date(rng)), (55, 8, rng.choice([date(rng), ""])),
             (63, 1, rng.randint(0, 2)), (64, 4, "".join(rng.choice("01") for _ in range(4))),
             (68, 1, rng.choice([0, 2, 5, 8])), (69, 1, rng.randint(0, 6)),
             (70, 20, "".join(rng.choice("0120") for _ in range(20))), (90, 1, rng.randint(0, 5)),
             (91, 1, rng.randint(0, 4)), (92, 3, rng.randint(350, 400)), (95, 4, rng.randint(0, 1000)),
             (99, 4, rng.randint(0, 1000)), (103, 5, signed(rng.randint(-2000, 0), 5)),
             (108, 5, signed(rng.randint(0, 1200), 5)), (113, 2, rng.randint(45, 65)),
             (115, 2, rng.randint(65, 85)), (117, 3, i % 1000), (120, 15, name(rng, 1)),
             (135, 1, rng.randint(0, 4)), (136, 1, rng.randint(0, 1)))
        for i, code in enumerate(options)]
    files["OptionsColor.Dat"] = [
        line((1, 3, "%03d" % (i % 1000)), (4, 6, rng.choice(options)), (10, 40, name(rng, 2)),
             (50, 2, rng.randint(0, 99)), (52, 2, rng.randint(0, 99)),
             (54, 27, "".join("%03d" % rng.randint(0, 255) for _ in range(9))),
             (81, 1, rng.randint(0, 5)), (82, 1, rng.randint(0, 4)), (83, 3, rng.randint(350, 400)),
             (86, 4, rng.randint(0, 1000)), (90, 4, rng.randint(0, 1000)))
        for i in range(count["OptionsColor.Dat"])]
    files["OptionsPrice.Dat"] = [
        line(*([(1, 6, rng.choice(options)), (7, 6, rng.choice(lensOrNone)),
                (13, 1, rng.randint(0, 2)), (14, 1, rng.randint(0, 2)),
                (15, 4, "".join(rng.choice("01") for _ in range(4)))]
               + [(19 + 7 * k, 7, rng.randint(100, 5000) * 5) for k in range(rng.choice([1, 2, 5]))]))
        for _ in range(count["OptionsPrice.Dat"])]
    files["Combination.Dat"] = [
        line((1, 6, rng.choice(lenses)), (7, 1, rng.randint(0, 2)), (8, 6, rng.choice(options)),
             (14, 6, rng.choice(optionOrNone)), (20, 6, rng.choice(fewOrNone)))
        for _ in range(count["Combination.Dat"])]
    info = ["Lieferzeit %d Arbeitstage." % d for d in range(1, 30)] + \
           ["Empfohlen f\xfcr %s mit %s." % (a, b) for a in WORDS for b in WORDS]
    files["Information.Dat"] = [
        line((1, 1, rng.randint(0, 1)), (2, 6, rng.choice(lensOrOption)),
             (8, 2, rng.choice([2, 3, 5, 6, 7, 9, 40, 42])), (10, 3, i % 1000),
             (13, 250, rng.choice(info) + " " + name(rng, rng.randint(2, 12))))
        for i in range(count["Information.Dat"])]
    files["OrderOptions.Dat"] = [
        line((1, 1, rng.randint(0, 1)), (2, 6, lensOrOption[i % len(lensOrOption)]),
             (8, 4, rng.choice([10, 20, 21, 22, 30, 40, 50, 51, 52, 53, 60, 65, 70, 100, 110, 130])),
             (12, 1, rng.choice([1, 5, 6])))
        for i in range(count["OrderOptions.Dat"])]
    files["ProductGroup.Dat"] = [
        line((1, 1, rng.randint(0, 1)), (2, 6, lensOrOption[i % len(lensOrOption)]),
             (8, 30, name(rng, 2)))
        for i in range(count["ProductGroup.Dat"])]
    files["CodeSubstitution.Dat"] = [
        line((1, 1, rng.randint(0, 1)), (2, 6, rng.choice(lenses)), (8, 1, rng.randint(1, 2)),
             (9, 6, rng.choice(lenses)), (15, 6, rng.choice(lensOrNone)))
        for _ in range(count["CodeSubstitution.Dat"])]

    head = [("version", "6.8.3"), ("manufacturer-name", "Generierte Optik GmbH"),
            ("Valid-from", "20250101"), ("currencydescription", "EUR"), ("characterset", "1252")]
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("Head.dat", "".join(k.ljust(30) + v + "\r\n" for k, v in head).encode("cp1252"))
        for entry, lines in files.items():
            # Catalogs are written with their lines sorted, without regard to case.
            lines.sort(key=str.lower)
            z.writestr(entry, "".join(l + "\r\n" for l in lines).encode("cp1252"))


if __name__ == "__main__":
    main()
