#!/usr/bin/env python3
"""Generates realistic Datanorm 4 files for measurements and demonstrations.

    datanorm_gen.py articles N FILE   article master file: N articles (A and B records; every
                                      third article with a text block of two T records before
                                      it and a D record after it), about 3 lines per article
    datanorm_gen.py changes N FILE    N change records (code "A") for articles 0..N-1
    datanorm_gen.py prices N FILE     N price blocks (three per P record) for articles 0..N-1
    datanorm_gen.py groups 0 FILE     the discount groups R01..R20 the other files name

Article numbers, texts and prices depend only on the article's index, so the files of one
series fit together. Lines end with CR LF; texts are in code page 850, as suppliers send them.
"""
import sys

# Umlauts in code page 850.
AE, OE, UE, SZ = b"\x84", b"\x94", b"\x81", b"\xe1"

WORDS = [b"Ventil", b"Rohr", b"Bogen 90 Grad", b"Muffe", b"Rohrschelle", b"Flachdichtung", b"Flansch",
         b"Kugelhahn", b"Heizk" + OE + b"rper", b"W" + AE + b"rmed" + AE + b"mmung",
         b"Stra" + SZ + b"enablauf", b"" + UE + b"bergangsst" + UE + b"ck", b"Eckventil", b"Absperrschieber"]
MATERIALS = [b"verzinkt", b"Messing", b"Rotguss", b"Edelstahl", b"Kunststoff", b"Kupfer"]
UNITS = [b"Stck", b"m", b"Pak", b"kg", b"Rol"]


def number(i):
    """A unique article number; the formats interleave in index order like real ones."""
    n = (i * 2654435761) % 100_000_000  # a bijection on 0..10^8-1
    form = i % 4
    if form == 0:
        return b"%08d" % n
    if form == 1:
        return b"AB%07d" % (n % 10_000_000)  # unique below 10^7 articles
    if form == 2:
        return b"%08d-01" % n
    return b"x%08d" % n


def texts(i):
    word = WORDS[i % len(WORDS)]
    material = MATERIALS[(i // 7) % len(MATERIALS)]
    size = b"%d/%d Zoll" % (1 + i % 3, 2 + i % 5)
    text1 = word + b" " + size + b" " + material
    if i % 5 == 0:  # long enough to be split into the three descriptions
        text1 += b" f" + UE + b"r Trinkwasser- und Heizungsinstallationen"
    text2 = b"DIN %d, Pr" % (1000 + i % 9000) + UE + b"fzeichen DVGW"
    return text1, text2


def price(i):
    return 100 + (i * 7919) % 250_000  # hundredths


def header():
    supplier = b"Sanit" + AE + b"r-Gro" + SZ + b"handel Beispiel GmbH"
    street = b"Musterstra" + SZ + b"e 1, 12345 Musterstadt"
    return b"V 150324" + supplier.ljust(40) + b"Artikelstammdaten 2024".ljust(40) + street.ljust(35) + b"04EUR"


def article_lines(i):
    nr = number(i)
    text1, text2 = texts(i)
    group = b"R%02d" % (1 + i % 20)
    product_group = b"%03d" % (1 + i % 50)
    lines = []
    long_text = b""
    if i % 3 == 0:
        long_text = b"T%07d" % i
        lines.append(b"T;N;" + long_text + b";;1;;" + text1[:40] + b";2;;Werkstoff: " + MATERIALS[i % 6] + b";")
        lines.append(b"T;N;" + long_text + b";;3;;Lieferung ohne Befestigungsmaterial;4;;Verpackungseinheit %d St" % (1 + i % 50) + UE + b"ck;")
    flags = b"10" if long_text else b"00"
    lines.append(b"A;N;" + nr + b";" + flags + b";" + text1 + b";" + text2 + b";%d;%d;" % (1 + i % 2, i % 3) +
                 UNITS[i % len(UNITS)] + b";%d;" % price(i) + group + b";" + product_group + b";" + long_text + b";")
    lines.append(b"B;N;" + nr + b";" + (b"M" + nr)[:15] + b";;;;;;%013d;;" % (4000000000000 + i) +
                 product_group + b".%03d;" % (i % 100))
    if long_text:
        lines.append(b"D;A;" + nr + b";;F;;Technische Daten auf Anfrage;;F;;Artikel-Nr. " + nr + b";")
    return lines


def change_lines(i):
    text1, _ = texts(i + 1)
    return [b"A;A;" + number(i) + b";00;" + text1 + b";ge" + AE + b"ndert;1;0;Stck;%d;R%02d;;;" %
            (price(i) + 99, 1 + (i + 3) % 20)]


def price_lines(count):
    for first in range(0, count, 3):
        blocks = []
        for i in range(first, min(first + 3, count)):
            blocks.append(number(i) + b";%d;%d;1;%d;2;%d;;" % (1 + i % 2, price(i) + 55, 500 + i % 2000, 850 + i % 100))
        while len(blocks) < 3:
            blocks.append(b";;;;;;;;")
        yield b"P;A;" + b";".join(blocks) + b";"


def group_lines():
    for g in range(1, 21):
        yield b"R;;R%02d;%d;%d;Rabattgruppe %d" % (g, 1 + g % 2, 1500 + 100 * g if g % 2 == 0 else 800 + 5 * g, g)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("articles", "changes", "prices", "groups"):
        sys.stderr.write(__doc__)
        return 2
    kind, count, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    with open(path, "wb") as out:
        out.write(header() + b"\r\n")
        if kind == "articles":
            for i in range(count):
                out.write(b"\r\n".join(article_lines(i)) + b"\r\n")
        elif kind == "changes":
            for i in range(count):
                out.write(b"\r\n".join(change_lines(i)) + b"\r\n")
        elif kind == "prices":
            for line in price_lines(count):
                out.write(line + b"\r\n")
        else:
            for line in group_lines():
                out.write(line + b"\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
