#!/usr/bin/env python3
"""The history's netmail message as a real tosser takes it.

Debian's crashmail scans the station's netmail folder as the station's own
tosser would:

  to another node: the message is packed for it, and the packet read back
  (type 2+) holds its from, to, subject, date, attributes, kludges and
  every text line as written;
  to the station's own address: the message is marked Sent already, so
  the scan leaves it where it is, alone and unchanged, and packs nothing.

Usage: crashmail_test.py EXPLAINER SAMPLE-STATION.  Exits 77 (skipped)
without crashmail (./install-deps installs it).
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

OWN = "2:5020/100"
NODE = "2:5020/52"

PREFS = """SYSOP "Sysop"
LOGFILE "{d}/crashmail.log"
LOGLEVEL 6
DUPEFILE "{d}/dupes" 200
DUPEMODE IGNORE
DEFAULTZONE 2
INBOUND "{d}/in"
OUTBOUND "{d}/out"
TEMPDIR "{d}/tmp"
CREATEPKTDIR "{d}/tmp"
PACKETDIR "{d}/packets"
STATSFILE "{d}/stats"
AKA {own}
NODE {node} "" "" PACKNETMAIL
ROUTE "*:*/*.*" "{node}" {own}
NETMAIL "NETMAIL" {own} MSG "{d}/netmail"
"""

failures = []


def check(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


def zstring(data, at, most=None):
    end = data.index(b"\0", at)
    if most is not None and end - at > most:
        raise ValueError(f"a field longer than {most} at {at}")
    return data[at:end], end + 1


def read_stored(data):
    """The fields of an FTS-0001 stored message."""
    field = lambda at, size: data[at:at + size].split(b"\0")[0]
    words = struct.unpack_from("<13H", data, 164)
    names = ("times_read dest_node orig_node cost orig_net dest_net "
             "dest_zone orig_zone dest_point orig_point reply_to "
             "attributes next_reply").split()
    message = dict(zip(names, words))
    message.update(sender=field(0, 36), to=field(36, 36),
                   subject=field(72, 72), date=field(144, 20))
    if data[-1:] != b"\0" or data.index(b"\0", 190) != len(data) - 1:
        failures.append("the stored message does not end with its one NUL")
    message["lines"] = data[190:-1].split(b"\r")
    return message


def read_packet(data):
    """The header and the messages of a type 2+ packet."""
    header = struct.unpack_from("<12H", data, 0)
    check("packet type", header[9], 2)
    packet = {"orig_node": header[0], "dest_node": header[1],
              "orig_net": header[10], "dest_net": header[11]}
    packet["orig_zone"], packet["dest_zone"] = struct.unpack_from(
        "<2H", data, 34)
    messages = []
    at = 58
    while struct.unpack_from("<H", data, at)[0] == 2:
        (_, orig_node, dest_node, orig_net, dest_net, attributes,
         cost) = struct.unpack_from("<7H", data, at)
        date = data[at + 14:at + 34].split(b"\0")[0]
        to, at = zstring(data, at + 34, 35)
        sender, at = zstring(data, at, 35)
        subject, at = zstring(data, at, 71)
        text, at = zstring(data, at)
        messages.append(dict(orig_node=orig_node, dest_node=dest_node,
                             orig_net=orig_net, dest_net=dest_net,
                             attributes=attributes, cost=cost, date=date,
                             to=to, sender=sender, subject=subject,
                             lines=text.split(b"\r")))
    check("the packet's end", data[at:at + 2], b"\0\0")
    return packet, messages


def station(explainer, sample, to_address):
    """A copy of the sample station whose history has been written as a
    message to to_address; its folder, and the message's name and bytes."""
    folder = tempfile.mkdtemp(prefix="ringcheck-crashmail.")
    shutil.copytree(sample, os.path.join(folder, "station"))
    for sub in ("netmail", "in", "out", "tmp", "packets"):
        os.mkdir(os.path.join(folder, sub))
    with open(os.path.join(folder, "cm.prefs"), "w") as prefs:
        prefs.write(PREFS.format(d=folder, own=OWN, node=NODE))
    run = subprocess.run(
        [explainer, "--calls", "ringcheck.cfg", "--netmail",
         os.path.join(folder, "netmail"), "--address", OWN, "--to-address",
         to_address, "--to", "Ivan Petrov"],
        cwd=os.path.join(folder, "station"), capture_output=True,
        env=dict(os.environ, RINGCHECK_LANG="ru"))
    if run.returncode != 0:
        failures.append(f"ringcheck-explain ended with {run.returncode}: "
                        f"{run.stdout!r}")
    names = os.listdir(os.path.join(folder, "netmail"))
    if len(names) != 1:
        raise SystemExit(f"FAIL: not one message written: {names}")
    with open(os.path.join(folder, "netmail", names[0]), "rb") as message:
        return folder, names[0], message.read()


def scan(folder):
    run = subprocess.run(["crashmail", "SETTINGS",
                          os.path.join(folder, "cm.prefs"), "SCAN"],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failures.append(f"crashmail SCAN ended with {run.returncode}:\n"
                        f"{run.stdout}{run.stderr}")


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(root, name), folder)
                  for root, _, names in os.walk(folder) for name in names)


def packed_for_another_node(explainer, sample):
    folder, name, data = station(explainer, sample, NODE)
    stored = read_stored(data)
    check("attributes written", stored["attributes"], 0x0101)  # Private Local
    scan(folder)
    packets = [path for path in files_under(folder)
               if path.startswith("packets/") and path.endswith(".pkt")]
    if len(packets) != 1:
        failures.append(f"not one packet: {files_under(folder)}")
        return folder
    with open(os.path.join(folder, packets[0]), "rb") as packet_file:
        packet, messages = read_packet(packet_file.read())
    check("the packet's destination",
          (packet["dest_zone"], packet["dest_net"], packet["dest_node"]),
          (2, 5020, 52))
    check("messages in the packet", len(messages), 1)
    packed = messages[0]
    for field in ("sender", "to", "subject", "date", "orig_node", "dest_node",
                  "orig_net", "dest_net", "cost"):
        check(field, packed[field], stored[field])
    check("from", packed["sender"], b"ringcheck")
    check("to", packed["to"], b"Ivan Petrov")
    # A packed message keeps Private; Local and Sent are the station's own.
    check("attributes packed", packed["attributes"] & 0x0001, 0x0001)
    # The lines as written; the tosser adds its own Via line.
    lines = [line for line in packed["lines"]
             if not line.startswith(b"\1Via")]
    check("lines packed", lines, stored["lines"])
    kludges = [line.split(b" ")[0] for line in stored["lines"]
               if line.startswith(b"\1")]
    check("kludges", kludges,
          [b"\1INTL", b"\1MSGID:", b"\1PID:", b"\1CHRS:"])
    check("INTL", stored["lines"][0], b"\1INTL 2:5020/52 2:5020/100")
    return folder


def kept_when_to_itself(explainer, sample):
    folder, name, data = station(explainer, sample, OWN)
    check("attributes to itself", read_stored(data)["attributes"], 0x0109)
    before = files_under(folder)
    scan(folder)
    after = [path for path in files_under(folder)
             if path not in ("crashmail.log", "stats", "dupes")]
    check("files after the scan", after,
          [path for path in before if path not in ("stats", "dupes")])
    with open(os.path.join(folder, "netmail", name), "rb") as message:
        check("the message after the scan", message.read(), data)
    return folder


def main():
    if shutil.which("crashmail") is None:
        print("crashmail is not installed (./install-deps): skipped")
        return 77
    explainer, sample = sys.argv[1], sys.argv[2]
    for case in (packed_for_another_node, kept_when_to_itself):
        folder = case(explainer, sample)
        if failures:
            print(f"FAIL {case.__name__} (kept in {folder}):")
            for failure in failures:
                print("  " + failure)
            return 1
        shutil.rmtree(folder)
        print(f"ok {case.__name__}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
