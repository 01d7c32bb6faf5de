#!/usr/bin/env python3
"""Answers every DNS query on 127.0.0.1:53 with "no such name" and writes down the name
asked for, one "NAME TYPE" line each. The end-to-end test runs it in a network namespace of
its own, so that a client's name lookup is seen and nothing leaves the machine.
    dns_recorder.py QUERY_LOG READY_FILE"""
import socket
import struct
import sys


def question(packet):
    """The queried name, its type, and where the question ends."""
    at, labels = 12, []
    while packet[at]:
        length = packet[at]
        labels.append(packet[at + 1 : at + 1 + length].decode("ascii", "backslashreplace"))
        at += length + 1
    (kind,) = struct.unpack(">H", packet[at + 1 : at + 3])
    return ".".join(labels), kind, at + 5


def main():
    log_path, ready_path = sys.argv[1:3]
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind(("127.0.0.1", 53))
    open(ready_path, "w").close()
    with open(log_path, "a") as log:
        while True:
            packet, peer = server.recvfrom(4096)
            try:
                name, kind, end = question(packet)
            except (IndexError, struct.error):
                continue
            log.write(f"{name} {kind}\n")
            log.flush()
            # Same id, a response with recursion available, NXDOMAIN; the question echoed.
            server.sendto(packet[:2] + b"\x81\x83" + packet[4:6] + bytes(6) + packet[12:end], peer)


if __name__ == "__main__":
    main()
