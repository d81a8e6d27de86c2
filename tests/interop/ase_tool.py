#!/usr/bin/env python3
"""An independent reader and writer of Adobe Swatch Exchange files, written from the layout the
format's users have published (big-endian throughout):

  "ASEF", major and minor version (2 bytes each, 1.0), block count (4 bytes), then blocks of
  type (2 bytes: 0x0001 colour entry, 0xC001 group start, 0xC002 group end), length of the data
  that follows (4 bytes) and that data. A colour entry and a group start begin with the name:
  its length in UTF-16 units with the terminating 0 (2 bytes), then UTF-16BE with the 0. A
  colour entry goes on with its model ("RGB ", "CMYK", "LAB ", "Gray"), 3, 4, 3 or 1 float32
  values (RGB, CMYK and Gray 0..1; LAB's L 0..1, a and b as they are) and the colour type
  (2 bytes: 0 global, 1 spot, 2 normal).

  ase_tool.py read FILE            prints "name<TAB>model<TAB>values<TAB>type" per colour,
                                   "group<TAB>name" and "end group" for groups
  ase_tool.py write FILE ENTRY...   writes a file; an ENTRY is "group:NAME", "end", or
                                   "NAME|MODEL|v1,v2,...|TYPE" (MODEL RGB, CMYK, LAB or Gray;
                                   TYPE 0, 1 or 2)
"""
import struct
import sys

MODELS = {"RGB ": 3, "CMYK": 4, "LAB ": 3, "Gray": 1}


def name_bytes(name):
    units = (name + "\0").encode("utf-16-be")
    return struct.pack(">H", len(units) // 2) + units


def write_ase(blocks):
    out = [b"ASEF", struct.pack(">HHI", 1, 0, len(blocks))]
    for block in blocks:
        if block[0] == "group":
            data = name_bytes(block[1])
            out.append(struct.pack(">HI", 0xC001, len(data)) + data)
        elif block[0] == "end":
            out.append(struct.pack(">HI", 0xC002, 0))
        else:
            _, name, model, values, kind = block
            model = model.ljust(4)
            assert len(values) == MODELS[model], block
            data = name_bytes(name) + model.encode("ascii")
            data += b"".join(struct.pack(">f", v) for v in values) + struct.pack(">H", kind)
            out.append(struct.pack(">HI", 0x0001, len(data)) + data)
    return b"".join(out)


def read_ase(data):
    if data[:4] != b"ASEF":
        raise ValueError("no ASEF signature")
    major, minor, count = struct.unpack(">HHI", data[4:12])
    if major != 1:
        raise ValueError(f"version {major}.{minor}")
    pos = 12
    blocks = []
    for _ in range(count):
        kind, length = struct.unpack(">HI", data[pos:pos + 6])
        body = data[pos + 6:pos + 6 + length]
        if len(body) != length:
            raise ValueError(f"block at {pos} runs past the end")
        pos += 6 + length
        if kind == 0xC002:
            blocks.append(("end",))
            continue
        units = struct.unpack(">H", body[:2])[0]
        name = body[2:2 + 2 * units].decode("utf-16-be")
        if not name.endswith("\0"):
            raise ValueError("name without its terminating 0")
        name = name[:-1]
        rest = body[2 + 2 * units:]
        if kind == 0xC001:
            blocks.append(("group", name))
            continue
        if kind != 0x0001:
            raise ValueError(f"block type {kind:#x}")
        model = rest[:4].decode("ascii")
        n = MODELS[model]
        values = struct.unpack(">" + "f" * n, rest[4:4 + 4 * n])
        colour_type = struct.unpack(">H", rest[4 + 4 * n:6 + 4 * n])[0]
        if len(rest) != 6 + 4 * n:
            raise ValueError(f"colour entry {name!r} has {len(rest) - 6 - 4 * n} extra bytes")
        blocks.append(("colour", name, model, values, colour_type))
    if pos != len(data):
        raise ValueError(f"{len(data) - pos} bytes after the last block")
    return blocks


def main(argv):
    if len(argv) >= 3 and argv[1] == "read":
        with open(argv[2], "rb") as f:
            blocks = read_ase(f.read())
        for block in blocks:
            if block[0] == "group":
                print(f"group\t{block[1]}")
            elif block[0] == "end":
                print("end group")
            else:
                _, name, model, values, kind = block
                text = ",".join(f"{v:.6g}" for v in values)
                print(f"{name}\t{model.strip()}\t{text}\t{kind}")
        return 0
    if len(argv) >= 3 and argv[1] == "write":
        blocks = []
        for entry in argv[3:]:
            if entry.startswith("group:"):
                blocks.append(("group", entry[6:]))
            elif entry == "end":
                blocks.append(("end",))
            else:
                name, model, values, kind = entry.split("|")
                blocks.append(("colour", name, model, [float(v) for v in values.split(",")],
                               int(kind)))
        with open(argv[2], "wb") as f:
            f.write(write_ase(blocks))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
