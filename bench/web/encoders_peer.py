#!/usr/bin/env python3
"""Peer figures for the keyword encoders: Python's urllib.parse on the same
kind of 1 MiB keyword text (quote = percent-encoding, unquote = decoding)."""
import time
import urllib.parse

PIECES = ["变形金刚", " 2 ", "大话西游之月光宝盒", " Iron Man&", "天龙八部", "(1080p) ", "s01e02+"]


def keyword_text(encoding):
    out, i = [], 0
    size = 0
    while size < (1 << 20):
        piece = PIECES[i % len(PIECES)].encode(encoding)
        out.append(piece)
        size += len(piece)
        i += 1
    return b"".join(out)


def rate(label, func, data):
    runs, start = 0, time.perf_counter()
    while time.perf_counter() - start < 0.5:
        func(data)
        runs += 1
    seconds = (time.perf_counter() - start) / runs
    print(f"python {label:<34} {len(data) / seconds / 1e6:8.1f} MB/s")


gbk = keyword_text("gbk")
utf8_escaped = urllib.parse.quote_from_bytes(keyword_text("utf-8"), safe=" ").encode()
rate("quote_from_bytes(gbk text)", lambda d: urllib.parse.quote_from_bytes(d, safe=""), gbk)
rate("unquote_to_bytes(escaped utf-8)", urllib.parse.unquote_to_bytes, utf8_escaped)
