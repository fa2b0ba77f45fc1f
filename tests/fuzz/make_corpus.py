#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/.

The seeds are small on purpose: a fuzzer spends its time where its inputs
are, and a few KB reach every reader. The skin.ini seeds are cut from the
program's own skin, the binary ones are built here byte by byte, so the
corpus can be made again after a format change:

    python3 tests/fuzz/make_corpus.py [FORMC]

FORMC, the formc tool of a build (build/kora/formc), turns the text form
seeds into binary ones as well; without it those are left as they are.
"""

import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- skin.ini ----------------------------------------------------------------


def skin_sections():
    """The sections of the program's skin.ini, by name, with their lines."""
    sections, order, current = {}, [], None
    with open(os.path.join(ROOT, "assets", "skin", "skin.ini"), encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith("["):
                current = line[1:-1]
                order.append(current)
                sections[current] = []
            elif current and line.strip():
                sections[current].append(line)
    return sections


def ini(sections, names, registry=None):
    """An ini text of the named sections; registry maps SKINOBJECTS or
    SKINCONTROLS to the entries (name, kind) it lists."""
    out = []
    for name in names:
        if registry and name in registry:
            entries = registry[name]
            lines = ["count=%d" % len(entries)] + ["%d=%s:%s" % (i, n, k) for i, (n, k) in enumerate(entries)]
        else:
            lines = sections.get(name, [])
        out.append("[%s]\r\n%s\r\n" % (name, "\r\n".join(lines)))
    return "\r\n".join(out)


def kind_of(sections, registry, name):
    for line in sections[registry][1:]:
        entry, kind = line.split("=", 1)[1].split(":")
        if entry == name:
            return kind
    raise KeyError(name)


def skin_ini_seeds():
    s = skin_sections()
    objects = ["closebutton", "maxbutton", "caption", "menuitem", "mainmenubaritem", "menubarclosebutton"]
    frame = ini(s, ["VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS"] + objects +
                ["POPUPWINDOW", "HINTWINDOW", "SKINCOLORS"],
                {"SKINOBJECTS": [(o, kind_of(s, "SKINOBJECTS", o)) for o in objects]})
    controls = {
        "controls1.ini": ["mainmenubar", "button", "toolmenubutton", "groupbox", "stdlabel", "label", "bevel",
                          "spinedit"],
        "controls2.ini": ["combobox", "listbox", "edit", "checkbox", "listview", "hscrollbar", "tab", "hupdown"],
    }
    seeds = {"frame.ini": frame}
    for name, names in controls.items():
        seeds[name] = ini(s, ["FORMINFO", "SKINCONTROLS"] + names,
                          {"SKINCONTROLS": [(c, kind_of(s, "SKINCONTROLS", c)) for c in names]})
    # The kinds the program's skin does not use, unknown kinds, entries
    # without a colon, keyword values in other spellings, a byte-order mark,
    # comments, a section given twice and names in other cases.
    seeds["odd.ini"] = "\ufeff" + "\r\n".join([
        "; a skin by hand",
        "[skinobjects]",
        "count=5",
        "0=anim:animate",
        "1=user:userobject",
        "2=btn:button",
        "3=nocolon",
        "4=x:nosuchkind",
        "[anim]",
        "skinrect=0,0,10,10",
        "framecount=4",
        "morphkind=mkGradient",
        "command=CMCLOSE",
        "[user]",
        "skinrect = 1 , 2 , 3 , 4",
        "[btn]",
        "alignment=TaCenter",
        "fontstyle=fsbold fsunderline",
        "[SKINCONTROLS]",
        "count=12",
        "0=ex:expanel",
        "1=g:gauge",
        "2=sp:splitter",
        "3=tb:trackbar",
        "4=gr:grid",
        "5=cb:controlbar",
        "6=m:memo",
        "7=clb:checklistbox",
        "8=sb:scrollbox",
        "9=tv:treeview",
        "10=sl:slider",
        "11=re:richedit",
        "[Ex]",
        "skinrect=0,0,20,20",
        "[ex]",
        "lefttoppoint=-3,4",
        "[FORMINFO]",
        "leftstretch=2",
        "inactiveeffect=ienoeffect",
        "",
    ])
    # A point with an empty field ends the load.
    seeds["bad-point.ini"] = "[FORMINFO]\r\nlefttoppoint=,5\r\n"
    for name, text in seeds.items():
        write("fuzz_skin_ini", name, text)
    return seeds


# --- BMP files -----------------------------------------------------------------


def bmp(width, height, bits, colors=0, compression=0, pixels=None):
    """A bottom-up BMP file; pixels are the packed rows, made up if absent."""
    stride = (width * bits + 31) // 32 * 4
    if pixels is None:
        pixels = bytes((x * 37 + y * 11) & 0xFF for y in range(height) for x in range(stride))
    palette = b"".join(struct.pack("<BBBB", i * 40 & 0xFF, i * 90 & 0xFF, i * 150 & 0xFF, 0) for i in range(colors))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels), 2835, 2835, colors, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def rle8_bmp():
    # Two runs and the end of the line; an absolute run (padded to a word),
    # a run and the end of the bitmap.
    rows = bytes([3, 1, 2, 2, 0, 0, 0, 3, 4, 5, 6, 0, 2, 7, 0, 1])
    return bmp(5, 2, 8, colors=8, compression=1, pixels=rows)


def bmp_seeds():
    write("fuzz_bmp_region", "24bit.bmp", bmp(5, 3, 24))
    write("fuzz_bmp_region", "8bit.bmp", bmp(6, 2, 8, colors=4))
    write("fuzz_bmp_region", "4bit.bmp", bmp(7, 2, 4, colors=16))
    write("fuzz_bmp_region", "1bit.bmp", bmp(9, 2, 1, colors=2))
    write("fuzz_bmp_region", "rle8.bmp", rle8_bmp())
    # 'R' and a rectangle-list region: header, then two rectangles.
    rects = struct.pack("<iiii", 0, 0, 10, 5) + struct.pack("<iiii", 2, 5, 8, 9)
    header = struct.pack("<IIII", 32, 1, 2, len(rects)) + struct.pack("<iiii", 0, 0, 10, 9)
    write("fuzz_bmp_region", "region", b"R" + header + rects)


# --- skin archives ---------------------------------------------------------------


def archive(version, description, extra=False):
    out = struct.pack("<i", version)
    out += b"\x00" + bmp(8, 6, 24)        # main picture
    out += b"\x01"                        # no inactive picture
    out += b"\x00" + bmp(8, 6, 8, colors=2)  # mask
    if extra:                             # version 2: two more, discarded
        out += b"\x00" + bmp(2, 2, 24) + b"\x01"
    actives = [bmp(5, 3, 4, colors=16), bmp(9, 2, 1, colors=2), rle8_bmp()]
    out += struct.pack("<i", len(actives)) + b"".join(actives)
    return out + description.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def archive_seeds():
    description = "\r\n".join([
        "[VERSION]", "skinname=Seed",
        "[PICTURES]", "picture=main.bmp", "inactivepicture=", "mask=mask.bmp", "activepicturescount=3",
        "0=a.bmp", "1=b.bmp", "2=c.bmp",
        "[FORMINFO]", "lefttoppoint=2,2", "righttoppoint=6,2", "leftbottompoint=2,4", "rightbottompoint=6,4",
        "clientrect=1,1,7,5", "maskrectarea=0,0,0,0",
        "[SKINOBJECTS]", "count=1", "0=closebutton:stdbutton",
        "[closebutton]", "activepictureindex=0", "skinrect=0,0,5,3", "command=cmclose",
        "[SKINCONTROLS]", "count=1", "0=button:button",
        "[button]", "pictureindex=1", "skinrect=0,0,9,2", "lefttoppoint=1,1",
        "",
    ])
    v3 = archive(3, description)
    # An even first byte: the rest is an archive the target compresses.
    write("fuzz_skin_archive", "v3", b"\x00" + v3)
    write("fuzz_skin_archive", "v2", b"\x00" + archive(2, description, extra=True))
    write("fuzz_skin_archive", "newer", b"\x00" + struct.pack("<i", 4))
    # An odd first byte: the rest is the compressed bytes themselves.
    write("fuzz_skin_archive", "v3-compressed", b"\x01" + zlib.compress(v3, 9))
    # A zlib header that asks for a preset dictionary.
    write("fuzz_skin_archive", "dictionary", b"\x01\x78\x20\x00\x00\x00\x01" + b"\x00" * 6)


# --- LZ streams ------------------------------------------------------------------


def lz_pack(data, extended):
    """A greedy LZ stream of type 0x10 or 0x11."""
    out = bytearray([0x11 if extended else 0x10]) + struct.pack("<I", len(data))[:3]
    longest = 0x10110 if extended else 18
    pos = 0
    while pos < len(data):
        flag_at = len(out)
        out.append(0)
        for bit in range(7, -1, -1):
            if pos >= len(data):
                break
            best, distance = 0, 0
            for d in range(1, min(pos, 4096) + 1):
                n = 0
                while n < longest and pos + n < len(data) and data[pos + n] == data[pos + n - d]:
                    n += 1
                if n > best:
                    best, distance = n, d
            if best >= 3:
                out[flag_at] |= 1 << bit
                d = distance - 1
                if not extended:
                    out += bytes([(best - 3) << 4 | d >> 8, d & 0xFF])
                elif best <= 0x10:
                    out += bytes([(best - 1) << 4 | d >> 8, d & 0xFF])
                elif best <= 0x110:
                    n = best - 0x11
                    out += bytes([n >> 4, (n & 0xF) << 4 | d >> 8, d & 0xFF])
                else:
                    n = best - 0x111
                    out += bytes([0x10 | n >> 12, n >> 4 & 0xFF, (n & 0xF) << 4 | d >> 8, d & 0xFF])
                pos += best
            else:
                out.append(data[pos])
                pos += 1
    return bytes(out)


def lz_seeds():
    text = b"The game data block: names, classes, items. " * 4 + bytes(range(64))
    write("fuzz_lz_unpack", "lz10", lz_pack(text, False))
    write("fuzz_lz_unpack", "lz11", lz_pack(text + b"\x00" * 600, True))
    write("fuzz_lz_unpack", "literals", lz_pack(bytes(range(40)), False))
    # Data to pack: text with repeats, a long run, bytes that do not repeat.
    write("fuzz_lz_pack", "text", text)
    write("fuzz_lz_pack", "zeros", b"\x00" * 300 + b"\x01\x02\x03" * 20)
    write("fuzz_lz_pack", "noise", bytes((i * 131 + 7) % 251 for i in range(200)))


# --- ROMs, journals, name lists, pictures, import files, packer input -----------

PROBE = 0x015D8000
PRIMARY_TABLE = 0x2353B8
ALT_TABLE = 0x1223B8


def sparse_rom(size, patches):
    """fuzz_rom_block's input: the ROM's size, then (offset, bytes) patches."""
    out = struct.pack("<I", size)
    for offset, data in patches:
        out += struct.pack("<IH", offset, len(data)) + data
    return out


def fat(offset, entries):
    """The header's allocation table fields and the table at offset."""
    return [(0x48, struct.pack("<II", offset, 8 * len(entries))),
            (offset, b"".join(struct.pack("<II", s, e) for s, e in entries))]


def rom_seeds():
    image = b"Game data: characters, classes and items. " * 12
    block = lz_pack(image, False)
    end = PROBE + len(block)
    write("fuzz_rom_block", "primary", sparse_rom(PROBE + 0x1000, [
        (PRIMARY_TABLE, struct.pack("<II", PROBE, end)), (PROBE, block)]))
    # The alternate layout, its pair an entry of an allocation table.
    table = ALT_TABLE - 3 * 8
    write("fuzz_rom_block", "alternate-fat", sparse_rom(PROBE + 0x20000, [
        (PRIMARY_TABLE, struct.pack("<I", 0x12345678)), (PROBE - 0x400, lz_pack(image, True))] + fat(table, [
            (0x4000, 0x5000), (PROBE + 0x10000, PROBE + 0x10100), (0x8000, 0x9000),
            (PROBE - 0x400, PROBE - 0x400 + len(lz_pack(image, True))), (PROBE + 0x8000, PROBE + 0x8100)])))
    # Sizes that once meant gigabytes: a block to the end of a 4 GB ROM, and
    # an allocation table that claims as much.
    write("fuzz_rom_block", "huge-block", sparse_rom(0xFFFFFFF0, [
        (PRIMARY_TABLE, struct.pack("<II", PROBE, 0xFFFFFF00)), (PROBE, block)]))
    write("fuzz_rom_block", "huge-table", sparse_rom(0xFFFFFFF0, [
        (PRIMARY_TABLE, struct.pack("<II", PROBE, end)), (PROBE, block), (0x48, struct.pack("<II", 0x200, 0xFFFFF000))]))


def journal_seeds():
    rom = bytes(i * 7 & 0xFF for i in range(4096))
    # An even first byte: the rest follows a head naming the fuzzer's ROM.
    def ranges(size, items):
        out = struct.pack("<QI", size, len(items))
        for offset, old, new in items:
            out += struct.pack("<QI", offset, len(old)) + old + new
        return out
    # The ROM holds the new bytes of both ranges: they are put back.
    write("fuzz_rom_journal", "rollback", b"\x00" + ranges(4096, [
        (100, b"OLDBYTES", rom[100:108]), (4092, b"\x01\x02\x03\x04", rom[4092:4096])]))
    write("fuzz_rom_journal", "untouched", b"\x00" + ranges(4096, [(8, rom[8:24], b"N" * 16)]))
    write("fuzz_rom_journal", "changed-since", b"\x00" + ranges(4096, [(8, b"A" * 4, b"B" * 4)]))
    write("fuzz_rom_journal", "wraps-around", b"\x00" + ranges(4096, [(2**64 - 8, b"A" * 16, b"B" * 16)]))
    write("fuzz_rom_journal", "other-size", b"\x00" + ranges(8192, [(8, rom[8:12], b"B" * 4)]))
    # An odd first byte: the journal as it is, here one cut short.
    write("fuzz_rom_journal", "raw-cut", b"\x01KORAJRN1\x04\x00\x00\x00/x/y")


def name_list_seeds():
    def read(name):
        with open(os.path.join(ROOT, "assets", "Data", name), "rb") as f:
            return f.read()
    item, char, cls = read("Item.dat"), read("Char.dat"), read("Class.dat")
    write("fuzz_name_lists", "program", struct.pack("<HH", len(item), len(char)) + item + char + cls)
    # Line ends of every kind, short lines, half a double-byte character.
    odd = b"0\r\n\r01\xb3\xa4\n\n02\xd6"
    write("fuzz_name_lists", "odd-lines", struct.pack("<HH", len(odd), len(odd)) + odd + odd + b"\r\n\xff\xfe")


def picture_seeds():
    # An odd first byte: an item icon (16 x 16); even: a portrait (128 x 128).
    write("fuzz_picture_load", "icon", b"\x01" + bmp(16, 16, 24))
    write("fuzz_picture_load", "portrait", b"\x00" + bmp(128, 128, 8, colors=16))
    write("fuzz_picture_load", "rle8", b"\x00" + rle8_bmp())
    # 64 bytes that claim 32768 x 2048 pixels.
    forged = bmp(32768, 2048, 8, colors=1, compression=1, pixels=bytes([2, 5, 0, 0, 0, 1]))
    write("fuzz_picture_load", "forged", b"\x00" + forged)


def import_seeds():
    stats = ["hp", "str", "mag", "skl", "spd", "lck", "def", "res"]
    write("fuzz_record_import", "chars.csv",
          "id,name," + ",".join("base_" + s for s in stats) + "\r\n001,\"A, \"\"b\"\"\"," +
          ",".join(str(i) for i in range(8)) + "\r\n\r\nindex,cap_hp\n0,-5\n")
    write("fuzz_record_import", "items.csv", "\ufeffid,price,range1,range2\n01,65535,15,0\n02,1,2,3\n")
    write("fuzz_record_import", "all.json", "\n".join([
        "{",
        '  "characters": [{"id": "001", "name": "A\\u00e9", "base_hp": 20, "growth_res": -3}],',
        '  "classes": [{"index": 1, "cap_str": 30}],',
        '  "items": [{"id": "01", "price": 500, "hit": 90}, {"id": "02", "range1": 1, "range2": 2}]',
        "}", ""]))


def packer_seeds():
    text = b"The game data block: names, classes, items. " * 4
    # An odd first byte unpacks the rest, an even one packs it.
    write("fuzz_packer_input", "lz10", b"\x01" + lz_pack(text, False))
    write("fuzz_packer_input", "lz11", b"\x01" + lz_pack(text + b"\x00" * 300, True))
    write("fuzz_packer_input", "trailing", b"\x01" + lz_pack(text, False) + b"\x00" * 64)
    write("fuzz_packer_input", "pack", b"\x00" + text)


# --- form descriptions -----------------------------------------------------------

FORM_TEXT = """object Form1: TTestForm
  Caption = 'Main'#13#10'window'
  Count = -5
  object Timer1: TTestTimer
    Interval = 50
    Left = 8
    Top = -16
  end
  object Panel1: TTestWidget
    Enabled = False
    Border = tbDouble
    Anchors = [taLeft, taRight]
    Ratio = 1.5
    Scale = 0.25s
    Color = clWindow
    Font.Name = '\u5b8b\u4f53'
    Font.Size = -12
    Items.Strings = (
      'one'
      'it''s')
    Panels = <
      item
        Text = 'a'
        Width = 50
      end
      item
      end>
    Link = Button1
    Data = {
      0001FF}
    object Button1: TTestWidget
      Big = 5000000000
      Link = Panel1
      OnClick = ButtonClick
      OnMeasure = Measure
    end
  end
end
"""

VALUES_TEXT = """inherited Values: TTestWidget
  Caption = 'x' + 'y'
  Count = $7FFFFFFF
  Big = -9223372036854775807
  Ratio = -1.25E-3
  Scale = 1.25c
  Color = $00FF00
  Anchors = []
  OnClick = nil
  Items.Strings = ()
  Panels = <>
end
"""


def form_seeds(formc):
    write("fuzz_form_stream", "form.txt", FORM_TEXT)
    write("fuzz_form_stream", "values.txt", VALUES_TEXT)
    if not formc:
        return
    for name in ("form", "values"):
        src = os.path.join(CORPUS, "fuzz_form_stream", name + ".txt")
        subprocess.run([formc, "text2bin", src, os.path.join(CORPUS, "fuzz_form_stream", name + ".bin")], check=True)


def main():
    skin_ini_seeds()
    bmp_seeds()
    archive_seeds()
    lz_seeds()
    rom_seeds()
    journal_seeds()
    name_list_seeds()
    picture_seeds()
    import_seeds()
    packer_seeds()
    form_seeds(sys.argv[1] if len(sys.argv) > 1 else None)


if __name__ == "__main__":
    main()
