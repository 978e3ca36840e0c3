"""The soak's faults: a TCP proxy between each program and ctrlsim that closes,
resets or disturbs its connections on command, and a slow reader on ctrlsim's
pseudo-terminal."""

import os
import random
import selectors
import socket
import struct
import termios
import threading
import time
import tty


class FaultProxy:
    """One listener per program on 127.0.0.1, each connection relayed to
    ctrlsim's current port. One thread serves everything; commands come in
    through a pipe so that sockets are only touched by that thread."""

    def __init__(self, names, upstream_port):
        self.upstream_port = upstream_port
        self.selector = selectors.DefaultSelector()
        self.listeners = {}
        self.counts = {name: [0, 0] for name in names}  # relayed, refused
        self.pairs = {}  # socket -> (peer socket, name, towards the program?)
        self.commands = []
        self.lock = threading.Lock()
        self.wake_read, self.wake_write = os.pipe()
        self.selector.register(self.wake_read, selectors.EVENT_READ, ("wake", None))
        for name in names:
            listener = socket.socket()
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            listener.bind(("127.0.0.1", 0))
            listener.listen(8)
            self.listeners[name] = listener
            self.selector.register(listener, selectors.EVENT_READ, ("listen", name))
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.running = True
        self.random = random.Random(21)

    def port(self, name):
        return self.listeners[name].getsockname()[1]

    def connections(self, name):
        return self.counts[name][0]

    def refused(self, name):
        return self.counts[name][1]

    def start(self):
        self.thread.start()

    def stop(self):
        self.command(("stop",))
        self.thread.join(5)

    def close_all(self, reset):
        self.command(("close", reset))

    def garbage(self):
        self.command(("garbage",))

    def command(self, what):
        with self.lock:
            self.commands.append(what)
        os.write(self.wake_write, b"x")

    def serve(self):
        while self.running:
            for key, _ in self.selector.select(1.0):
                kind, name = key.data
                if kind == "wake":
                    os.read(self.wake_read, 64)
                    self.run_commands()
                elif kind == "listen":
                    self.accept(name)
                elif key.fileobj in self.pairs:
                    self.relay(key.fileobj)
        for listener in self.listeners.values():
            listener.close()
        for sock in list(self.pairs):
            self.drop(sock, reset=False)

    def run_commands(self):
        with self.lock:
            commands, self.commands = self.commands, []
        for what in commands:
            if what[0] == "stop":
                self.running = False
            elif what[0] == "close":
                for sock, (_, _, towards_program) in list(self.pairs.items()):
                    if towards_program and sock in self.pairs:
                        self.drop(sock, reset=what[1])
            elif what[0] == "garbage":
                self.send_garbage()

    def send_garbage(self):
        """Bytes that are no frame, between two relayed chunks: what line
        noise does to the program's reader."""
        for sock, (_, _, towards_program) in list(self.pairs.items()):
            if towards_program:
                noise = bytes(self.random.randrange(256) for _ in range(64))
                self.send(sock, noise)

    def accept(self, name):
        listener = self.listeners[name]
        client, _ = listener.accept()
        try:
            upstream = socket.create_connection(("127.0.0.1", self.upstream_port()), 2)
        except OSError:
            # ctrlsim is away: the program sees its connection reset, as it
            # would see a refused connect without the proxy.
            self.counts[name][1] += 1
            self.close_socket(client, reset=True)
            return
        self.counts[name][0] += 1
        for sock in (client, upstream):
            sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            sock.settimeout(5)
        self.pairs[client] = (upstream, name, True)
        self.pairs[upstream] = (client, name, False)
        self.selector.register(client, selectors.EVENT_READ, ("pair", name))
        self.selector.register(upstream, selectors.EVENT_READ, ("pair", name))

    def relay(self, sock):
        peer = self.pairs[sock][0]
        try:
            data = sock.recv(65536)
        except OSError:
            data = b""
        if not data:
            self.drop(sock, reset=False)
            return
        self.send(peer, data)

    def send(self, sock, data):
        try:
            sock.sendall(data)
        except OSError:
            self.drop(sock, reset=False)

    def drop(self, sock, reset):
        """Closes a pair: `sock` as asked, its peer in order."""
        if sock not in self.pairs:
            return
        peer = self.pairs.pop(sock)[0]
        self.pairs.pop(peer, None)
        for one in (sock, peer):
            self.selector.unregister(one)
        self.close_socket(sock, reset)
        self.close_socket(peer, False)

    @staticmethod
    def close_socket(sock, reset):
        if reset:
            sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        sock.close()


class SlowReader:
    """Asks ctrlsim's pseudo-terminal for dumps and reads its answer a few
    bytes at a time, so that the terminal's buffer stays full."""

    def __init__(self, path, seconds):
        self.path, self.seconds = path, seconds
        self.received = 0
        self.thread = threading.Thread(target=self.run, daemon=True)

    def start(self):
        self.thread.start()

    def run(self):
        fd = os.open(self.path, os.O_RDWR | os.O_NOCTTY)
        try:
            tty.setraw(fd, termios.TCSANOW)
            end = time.monotonic() + self.seconds
            asked = 0.0
            while time.monotonic() < end:
                if time.monotonic() - asked > 5:
                    os.write(fd, b"MO")  # make a dump, fetch it
                    asked = time.monotonic()
                self.received += len(os.read(fd, 16)) if readable(fd) else 0
                time.sleep(0.1)
        finally:
            os.close(fd)


def readable(fd):
    selector = selectors.DefaultSelector()
    selector.register(fd, selectors.EVENT_READ)
    ready = selector.select(0)
    selector.close()
    return bool(ready)
