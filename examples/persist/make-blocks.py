#!/usr/bin/env python3
"""Writes the sample persisted record blocks of this folder (see README.md).

Run from anywhere: python3 make-blocks.py. The output is byte-for-byte stable.
"""

import pathlib
import struct

SIZE = 464


def text(block, offset, span, value):
    data = value.encode("latin-1")
    assert len(data) < span, "leave room for the terminator"
    block[offset:offset + len(data)] = data


def record_v1():
    block = bytearray(SIZE)
    block[0] = 1                                      # initialised
    struct.pack_into("<q", block, 8, 1717574705)      # Wed Jun 05 08:05:05 2024 UTC
    block[16] = 1                                     # repopulated
    block[17] = 1                                     # dirty
    block[18] = 0                                     # deleted
    block[20] = 1                                     # outstanding
    text(block, 21, 41, "KELO-20240605-080505-000042")
    struct.pack_into("<H", block, 62, 3)              # request type
    text(block, 64, 90, "BANK01-PANEL-EUR")
    text(block, 154, 90, "D")
    struct.pack_into("<i", block, 244, 7)             # party role
    text(block, 248, 216, "4")
    return bytes(block)


def not_initialised_v1():
    return bytes(SIZE)


def main():
    here = pathlib.Path(__file__).resolve().parent
    (here / "record-v1.bin").write_bytes(record_v1())
    (here / "not-initialised-v1.bin").write_bytes(not_initialised_v1())


if __name__ == "__main__":
    main()
