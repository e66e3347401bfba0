#!/usr/bin/env python3
"""A peer that plays by the original wire rules and nothing else.

It stands in for a copy of the game built before any of our additions, so
that tests can see our copies the way such a copy sees them:
  - one UDP socket on port 12000 receives unicasts and broadcasts; an unbound
    socket with broadcast enabled sends;
  - at start it announces its tank with one 601 to 255.255.255.255;
  - every 601 or 602 from another address adds a tank and a connection-table
    entry, repeats included; a 601 is answered with one 602;
  - a 602 makes it ask its first peer (table entry 1) for the clock (603), and
    a 604 sets its clock; a 603 is answered with a 604 carrying its clock;
  - types 600 and above 604 are ignored, `recipient` is never read, records
    whose senderAddr is its own address are dropped;
  - a game message goes once to every table entry, its own included.

Its address is that of eth0, as the original asks the interface. Commands,
one a line on standard input:
  angles A0 A1    send GMSG_CHANGE_ANGLES (201) for its own tank
  summary FILE    write the summary to FILE
Every event is logged on standard output after the wall-clock time. At end of
input it writes the summary to standard output and exits. Summary lines:
  received TYPE from ADDRESS N      records taken, by type and senderAddr
  sent TYPE to ADDRESS N            datagrams sent, by type and destination
  about TYPE from ADDRESS object O N  game records, by the object they name here
  entry I ADDRESS OBJECT kind K     the connection table, in order
  sync SYNCTIME WALL                every 604 taken, with the wall-clock time
"""

import collections
import fcntl
import os
import select
import socket
import struct
import sys
import time

PORT = 12000
RECORD = struct.Struct("<iiiI16s7f4f4f2ffQQQQQ")  # 144 bytes
assert RECORD.size == 144

SMSG_CONNECT = 601
SMSG_CONNECT_BACK = 602
SMSG_TIMESYNC_REQUEST = 603
SMSG_TIMESYNC_REPLY = 604
GMSG_CHANGE_ANGLES = 201
BROADCAST = "255.255.255.255"
CLOCK_MASK = 0xFFFFFFFF  # the game keeps its clock in 32 bits
OWN_TANK = 1


def wire_address(dotted):
    """An address as the socket calls hold it: network byte order in memory,
    read as a little-endian integer."""
    return int.from_bytes(socket.inet_aton(dotted), "little")


def dotted(value):
    return socket.inet_ntoa((value & 0xFFFFFFFF).to_bytes(4, "little"))


def eth0_address():
    probe = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        SIOCGIFADDR = 0x8915
        answer = fcntl.ioctl(probe.fileno(), SIOCGIFADDR, struct.pack("256s", b"eth0"))
        return socket.inet_ntoa(answer[20:24])
    finally:
        probe.close()


class Record:
    """One SSocketMSG; fields not set stay zero."""

    def __init__(self, **fields):
        self.type = 0
        self.recipient = 0
        self.count = 0
        self.destAddr = 0
        self.data = [0.0] * 7
        self.tank = [0.0] * 4  # kind, model, texture0, texture1
        self.effect = [0.0] * 4
        self.state = [0.0] * 2
        self.active = 0.0
        self.recipientAddr = 0
        self.senderAddr = 0
        self.sendTime = 0
        self.syncTime = 0
        self.time = 0
        for name, value in fields.items():
            setattr(self, name, value)

    def pack(self):
        return RECORD.pack(self.type, self.recipient, self.count, self.destAddr, bytes(16), *self.data,
                           *self.tank, *self.effect, *self.state, self.active, self.recipientAddr,
                           self.senderAddr, self.sendTime, self.syncTime, self.time)

    @classmethod
    def unpack(cls, raw):
        v = RECORD.unpack(raw)
        return cls(type=v[0], recipient=v[1], count=v[2], destAddr=v[3], data=list(v[5:12]),
                   tank=list(v[12:16]), effect=list(v[16:20]), state=list(v[20:22]), active=v[22],
                   recipientAddr=v[23], senderAddr=v[24], sendTime=v[25], syncTime=v[26], time=v[27])


class Peer:
    def __init__(self, address):
        self.address = address
        self.me = wire_address(address)
        self.started = time.monotonic()
        self.offset = 0
        self.timeoffset = 0
        # The connection table: (address, object index); our own tank first.
        self.table = [(self.me, OWN_TANK)]
        self.kinds = {OWN_TANK: 1}  # object index -> the kind its connect record gave
        self.next_object = OWN_TANK + 1
        self.received = collections.Counter()  # (type, sender address) -> records
        self.about = collections.Counter()  # (type, sender address, object) -> game records
        self.sent = collections.Counter()  # (type, destination address) -> records
        self.syncs = []  # (syncTime, wall clock) of every 604 taken
        # A tank as a battlefield's tank record describes one, alive, on a spot
        # where a tank record of the generated battlefield starts.
        self.own_tank = dict(tank=[1.0, 1.0, 37.0, 39.0], effect=[0.0] * 4, state=[0.025, 0.08], active=1.0,
                             data=[600.0, 0.0, 520.0, 0.0, 0.0, 0.0, 0.0])
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("", PORT))
        self.sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sender.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
        # A short datagram fills only the front: the rest keeps older bytes.
        self.buffer = bytearray(RECORD.size)

    def clock(self):
        ticks = int((time.monotonic() - self.started) * 1000)
        return (ticks + self.offset) & CLOCK_MASK

    def log(self, text):
        print("%.6f %s" % (time.time(), text), flush=True)

    def send(self, record, destination):
        record.destAddr = destination
        record.sendTime = self.clock()
        self.sender.sendto(record.pack(), (dotted(destination), PORT))
        self.sent[(record.type, destination)] += 1
        self.log("sent %d to %s" % (record.type, dotted(destination)))

    def connect(self, destination):
        kind = SMSG_CONNECT if destination == wire_address(BROADCAST) else SMSG_CONNECT_BACK
        self.send(Record(type=kind, senderAddr=self.me, **self.own_tank), destination)

    def send_game_message(self, kind, values):
        record = Record(type=kind, count=len(values), senderAddr=self.me, time=self.clock())
        record.data[:len(values)] = values
        for index, (address, tank) in enumerate(self.table):
            if tank == OWN_TANK:
                record.recipient, record.recipientAddr = index, address
        for address, _ in self.table:
            self.send(record, address)

    def receive(self):
        length, source = self.listener.recvfrom_into(self.buffer, RECORD.size)
        record = Record.unpack(bytes(self.buffer))
        if record.senderAddr == self.me:
            return
        sender = dotted(record.senderAddr)
        self.received[(record.type, record.senderAddr)] += 1
        self.log("received %d from %s (source %s, %d bytes, time %d)" %
                 (record.type, sender, source[0], length, record.time))
        if record.type in (SMSG_CONNECT, SMSG_CONNECT_BACK):
            self.table.append((record.senderAddr, self.next_object))
            self.kinds[self.next_object] = int(record.tank[0])
            self.log("tank %d for %s: kind %d, pos %s, active %d" %
                     (self.next_object, sender, int(record.tank[0]), record.data[:3], int(record.active)))
            self.next_object += 1
            if record.type == SMSG_CONNECT:
                self.connect(record.senderAddr)
            else:
                self.timeoffset = self.clock()
                first = self.table[0][0] if self.table[0][0] != self.me else self.table[1][0]
                self.send(Record(type=SMSG_TIMESYNC_REQUEST, senderAddr=self.me), first)
        if record.type == SMSG_TIMESYNC_REQUEST:
            self.send(Record(type=SMSG_TIMESYNC_REPLY, senderAddr=self.me, syncTime=self.clock()),
                      record.senderAddr)
        if record.type == SMSG_TIMESYNC_REPLY:
            self.offset = (record.syncTime - self.timeoffset) & CLOCK_MASK
            self.syncs.append((record.syncTime, time.time()))
            self.log("time sync engaged: syncTime %d from %s" % (record.syncTime, sender))
        if record.type <= 599:
            self.about[(record.type, record.senderAddr, self.object_of(record))] += 1

    def object_of(self, record):
        """The local object a game record is about: its owner's tank, found by
        recipientAddr; `recipient` is the sender's own numbering."""
        found = record.recipient
        for address, tank in self.table:
            if address == record.recipientAddr:
                found = tank
        return found

    def summary(self):
        lines = ["address %s" % self.address, "clock %d" % self.clock()]
        for (kind, address), n in sorted(self.received.items()):
            lines.append("received %d from %s %d" % (kind, dotted(address), n))
        for (kind, address), n in sorted(self.sent.items()):
            lines.append("sent %d to %s %d" % (kind, dotted(address), n))
        for (kind, address, tank), n in sorted(self.about.items()):
            lines.append("about %d from %s object %d %d" % (kind, dotted(address), tank, n))
        for index, (address, tank) in enumerate(self.table):
            lines.append("entry %d %s %d kind %d" % (index, dotted(address), tank, self.kinds[tank]))
        for sync_time, wall in self.syncs:
            lines.append("sync %d %.6f" % (sync_time, wall))
        return "".join(line + "\n" for line in lines)

    def command(self, line):
        words = line.split()
        if words[:1] == ["angles"] and len(words) == 3:
            self.send_game_message(GMSG_CHANGE_ANGLES, [float(words[1]), float(words[2])])
        elif words[:1] == ["summary"] and len(words) == 2:
            with open(words[1] + ".part", "w") as out:
                out.write(self.summary())
            os.replace(words[1] + ".part", words[1])
        else:
            self.log("unknown command: %s" % line.strip())

    def run(self):
        self.log("listening on %s port %d" % (self.address, PORT))
        self.connect(wire_address(BROADCAST))
        commands = sys.stdin.fileno()
        pending = b""
        while True:
            ready, _, _ = select.select([self.listener, commands], [], [])
            if self.listener in ready:
                self.receive()
            if commands in ready:
                chunk = os.read(commands, 4096)
                if not chunk:
                    break
                *lines, pending = (pending + chunk).split(b"\n")
                for line in lines:
                    self.command(line.decode())
        sys.stdout.write(self.summary())


if __name__ == "__main__":
    Peer(eth0_address()).run()
