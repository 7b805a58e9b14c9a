#!/usr/bin/env python3
"""Writes the seed corpus of the container fuzz target: answers shaped like a quote server's
(plain and compressed blocks, several blocks, a WAP answer with its HTTP header, a truncated one)."""
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), "..", "fuzz", "corpus", "container")


def utf8(text):
    data = text.encode("utf-8")
    return struct.pack("<H", len(data)) + data


def plain(block_type, body):
    return struct.pack("<HHH", block_type, 0, len(body)) + body


def compressed(block_type, body):
    stream = zlib.compress(body)
    return struct.pack("<HHHHH", block_type, 2, 4 + len(stream), len(body), len(stream)) + stream


def container(*blocks):
    return b"{" + b":".join(blocks) + b"}"


def quote_body():
    return struct.pack("<10i", 1234, 1200, 1250, 1190, 1234, 5000000, 617000, 2600000, 2400000, 0)


def minute_body(count=242):
    body = utf8("SH600001") + struct.pack("<ii", 1200, count)
    for i in range(count):
        hhmm = 930 + (i // 60) * 100 + i % 60
        body += struct.pack("<5i", hhmm, 12000 + i % 37, 1000 * i, 12010, 0)
    return body


def main():
    os.makedirs(OUT, exist_ok=True)
    info = utf8("SH600001") + utf8("浦江银行") + struct.pack("<BB", 2, 1)
    samples = {
        "quote_plain": container(plain(2203, quote_body())),
        "detail_refresh": container(compressed(2117, minute_body()), plain(2206, struct.pack("<3h", 500, 20, 300)),
                                    plain(2203, quote_body()), plain(2200, info)),
        "empty_block": container(plain(2204, b""), plain(2203, quote_body())),
        "wap_answer": b"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n" + container(plain(2203, quote_body())),
        "truncated": container(plain(2200, info), compressed(2117, minute_body(30)))[:-9],
        "negative_length": b"{" + struct.pack("<HHH", 2203, 0, 0x8000) + b"\x00" * 8 + b"}",
    }
    for name, data in samples.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
