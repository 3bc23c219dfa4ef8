"""A small reader of the PNG files we write: the chunks, and the pixels of an
8-bit RGB or RGBA image without interlacing."""

import struct
import zlib


class Png:
    def __init__(self, data):
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            raise ValueError("not a PNG signature")
        self.chunks = []
        at = 8
        while at < len(data):
            length, kind = struct.unpack(">I4s", data[at:at + 8])
            body = data[at + 8:at + 8 + length]
            crc = struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0]
            if zlib.crc32(kind + body) != crc:
                raise ValueError(f"bad CRC in chunk {kind}")
            self.chunks.append((kind.decode("ascii"), body))
            at += 12 + length
        if self.chunks[-1][0] != "IEND":
            raise ValueError("no IEND at the end")
        ihdr = self.chunk("IHDR")
        self.width, self.height, self.depth, self.color_type, _, _, interlace = struct.unpack(
            ">IIBBBBB", ihdr)
        if self.depth != 8 or self.color_type not in (2, 6) or interlace != 0:
            raise ValueError("only 8-bit RGB or RGBA without interlacing is read")
        self.channels = 4 if self.color_type == 6 else 3
        raw = zlib.decompress(b"".join(body for kind, body in self.chunks if kind == "IDAT"))
        self.rows = self._unfilter(raw)

    def chunk(self, kind):
        for k, body in self.chunks:
            if k == kind:
                return body
        return None

    def pixels_per_metre(self):
        """(x, y, unit) of the pHYs chunk, or None without one."""
        body = self.chunk("pHYs")
        return None if body is None else struct.unpack(">IIB", body)

    def pixel(self, x, y):
        row = self.rows[y]
        return tuple(row[x * self.channels:(x + 1) * self.channels])

    def _unfilter(self, raw):
        stride = self.width * self.channels
        bpp = self.channels
        rows = []
        previous = bytearray(stride)
        at = 0
        for _ in range(self.height):
            kind = raw[at]
            line = bytearray(raw[at + 1:at + 1 + stride])
            at += 1 + stride
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                up = previous[i]
                corner = previous[i - bpp] if i >= bpp else 0
                if kind == 1:
                    line[i] = (line[i] + left) & 0xFF
                elif kind == 2:
                    line[i] = (line[i] + up) & 0xFF
                elif kind == 3:
                    line[i] = (line[i] + (left + up) // 2) & 0xFF
                elif kind == 4:
                    p = left + up - corner
                    pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                    pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                    line[i] = (line[i] + pred) & 0xFF
                elif kind != 0:
                    raise ValueError(f"unknown filter {kind}")
            rows.append(line)
            previous = line
        return rows
