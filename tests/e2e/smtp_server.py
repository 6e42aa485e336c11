"""A real SMTP server for the mail tests: one behaviour per loopback address.

    smtp_server.py start FOLDER   start the server detached, wait until it listens
    smtp_server.py stop FOLDER    stop the server started for FOLDER
    smtp_server.py serve FOLDER   run in the foreground

Each session is recorded in FOLDER/<address>/: session-N.txt holds the commands
received (one per line) and the seconds from connection to QUIT; session-N.eml
holds the message data exactly as received, when the server took it.
"""
import asyncio
import os
import signal
import socket
import subprocess
import sys
import time

from aiosmtpd.smtp import SMTP

PORT = 25
HOST_NAME = "mail.tarvolen.example"

# Address, behaviour. The addresses are the tests' own: each test points its
# copy of the library at one of them.
BEHAVIOURS = [
    ("127.0.25.1", "normal"),        # the whole mail
    ("127.0.25.2", "refuse-helo"),
    ("127.0.25.3", "refuse-mail"),
    ("127.0.25.4", "refuse-rcpt"),
    ("127.0.25.5", "refuse-data"),
    ("127.0.25.6", "normal"),        # a card too wide for the line limit
    ("127.0.25.7", "never-accept"),  # connections stay pending
    ("127.0.25.9", "normal"),        # the benchmark
    ("127.0.25.10", "huge-line"),    # a greeting line of 1 MB
    ("127.0.25.11", "nul-bytes"),    # NUL bytes after every reply
    ("127.0.25.12", "byte-by-byte"),  # every reply split into single bytes
    ("127.0.25.13", "two-line-greeting"),
    ("127.0.25.14", "multi-line"),   # every reply of three lines
    ("127.0.25.15", "refuse-end-of-data"),
] + [("127.0.25.%d" % (20 + n), "reset-after-%d" % n) for n in range(1, 8)]
# 127.0.25.21 to .27: the connection reset right after the n-th of the seven
# replies (greeting, HELO, MAIL, RCPT, DATA, end of data, QUIT).
# 127.0.25.8 is left closed: nothing listens there.

REFUSALS = {
    "refuse-helo": ("HELO", "550 5.7.1 Site not welcome"),
    "refuse-mail": ("MAIL", "550 5.1.8 Sender address rejected"),
    "refuse-rcpt": ("RCPT", "550 5.1.1 Recipient address rejected"),
    "refuse-data": ("DATA", "554 5.3.0 No data accepted"),
    "refuse-end-of-data": ("END", "554 5.6.0 Message refused"),
}

# Behaviours of the real server that only shape its replies.
SHAPED = ("normal", "two-line-greeting", "multi-line")


class Recorder:
    """Numbers the sessions of one address and writes what each received."""

    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        os.makedirs(folder, exist_ok=True)

    def next_session(self):
        self.count += 1
        return os.path.join(self.folder, "session-%d" % self.count)


class Handler:
    def __init__(self, behaviour):
        self.refused = REFUSALS.get(behaviour)

    def refusal(self, command):
        if self.refused and self.refused[0] == command:
            return self.refused[1]
        return None

    async def handle_HELO(self, server, session, envelope, hostname):
        refusal = self.refusal("HELO")
        if refusal:
            return refusal
        session.host_name = hostname
        return "250 %s" % HOST_NAME

    async def handle_MAIL(self, server, session, envelope, address, options):
        refusal = self.refusal("MAIL")
        if refusal:
            return refusal
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, options):
        refusal = self.refusal("RCPT")
        if refusal:
            return refusal
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        refusal = self.refusal("END")
        if refusal:
            return refusal
        server.message = bytes(envelope.original_content)
        return "250 OK: queued"


class RecordingSMTP(SMTP):
    """aiosmtpd's server, noting each command and the session's duration."""

    def __init__(self, handler, recorder, behaviour):
        super().__init__(handler, hostname=HOST_NAME, ident="GlimReg test server")
        self.handler = handler
        self.behaviour = behaviour
        self.greeted = False
        self.recorder = recorder
        self.commands = []
        self.message = None
        self.started = None
        self.quit_at = None

    def connection_made(self, transport):
        self.started = time.monotonic()
        super().connection_made(transport)

    def connection_lost(self, error):
        base = self.recorder.next_session()
        if self.message is not None:
            with open(base + ".eml", "wb") as f:
                f.write(self.message)
        duration = (self.quit_at or time.monotonic()) - self.started
        with open(base + ".txt", "w") as f:
            f.writelines(c + "\n" for c in self.commands)
            f.write("duration %.6f\n" % duration)
        super().connection_lost(error)

    async def push(self, status):
        # Replies of several lines: "-" after the code on every line but the last.
        code, text = status[:3], status[4:]
        if self.behaviour == "two-line-greeting" and not self.greeted:
            status = "%s-%s welcomes the card\r\n%s" % (code, HOST_NAME, status)
        elif self.behaviour == "multi-line":
            status = "%s-%s\r\n%s-and more of it\r\n%s" % (code, text, code, status)
        self.greeted = True
        await super().push(status)

    def note(self, command, arg):
        self.commands.append(command if arg is None else "%s %s" % (command, arg))

    async def smtp_HELO(self, arg):
        self.note("HELO", arg)
        await super().smtp_HELO(arg)

    async def smtp_MAIL(self, arg):
        self.note("MAIL", arg)
        await super().smtp_MAIL(arg)

    async def smtp_RCPT(self, arg):
        self.note("RCPT", arg)
        await super().smtp_RCPT(arg)

    async def smtp_DATA(self, arg):
        self.note("DATA", arg)
        refusal = self.handler.refusal("DATA")
        if refusal:
            await self.push(refusal)
            return
        await super().smtp_DATA(arg)

    async def smtp_QUIT(self, arg):
        self.quit_at = time.monotonic()
        self.note("QUIT", arg)
        await super().smtp_QUIT(arg)


class HostileSMTP(asyncio.Protocol):
    """A scripted server answering the mail's commands with a hostile twist."""

    def __init__(self, behaviour, recorder):
        self.behaviour = behaviour
        self.recorder = recorder
        self.buffer = b""
        self.in_data = False
        self.data = b""
        self.message = None
        self.commands = []
        self.replies = 0
        self.next_at = 0.0
        self.reset = behaviour.startswith("reset-after-")
        self.reset_after = int(behaviour.rsplit("-", 1)[1]) if self.reset else 0

    def connection_made(self, transport):
        self.transport = transport
        self.started = time.monotonic()
        self.reply(b"220 " + HOST_NAME.encode() + b" ready")

    def data_received(self, chunk):
        self.buffer += chunk
        while b"\n" in self.buffer and not self.transport.is_closing():
            line, self.buffer = self.buffer.split(b"\n", 1)
            line = line.rstrip(b"\r")
            if self.in_data:
                if line == b".":
                    self.in_data = False
                    self.message = self.data
                    self.reply(b"250 OK: queued")
                else:
                    self.data += line + b"\r\n"
                continue
            self.commands.append(line.decode("latin-1"))
            verb = line.split(b" ", 1)[0].upper()
            if verb == b"DATA":
                self.in_data = True
                self.reply(b"354 End data with <CR><LF>.<CR><LF>")
            elif verb == b"QUIT":
                self.reply(b"221 Bye")
                self.transport.close()
            else:
                self.reply(b"250 OK")

    def reply(self, text):
        if self.transport.is_closing():
            return
        self.replies += 1
        line = text + b"\r\n"
        if self.behaviour == "huge-line" and self.replies == 1:
            line = b"220-" + b"x" * (1 << 20) + b"\r\n" + line
        elif self.behaviour == "nul-bytes":
            line += b"\0\0\0"
        if self.behaviour == "byte-by-byte":
            loop = asyncio.get_running_loop()
            at = max(self.next_at, loop.time())
            for i in range(len(line)):
                loop.call_at(at + i * 0.001, self.write, line[i:i + 1])
            self.next_at = at + len(line) * 0.001
            return
        self.transport.write(line)
        if self.reset and self.replies == self.reset_after:
            # A reset, not an orderly close: linger off, then abort.
            sock = self.transport.get_extra_info("socket")
            sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\1\0\0\0\0\0\0\0")
            self.transport.abort()

    def write(self, piece):
        if not self.transport.is_closing():
            self.transport.write(piece)

    def connection_lost(self, error):
        base = self.recorder.next_session()
        if self.message is not None:
            with open(base + ".eml", "wb") as f:
                f.write(self.message)
        with open(base + ".txt", "w") as f:
            f.writelines(c + "\n" for c in self.commands)
            f.write("duration %.6f\n" % (time.monotonic() - self.started))


def never_accepting_listener(address):
    """A listener whose queue is full: later connections stay pending."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind((address, PORT))
    listener.listen(0)
    fillers = []
    for _ in range(2):
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.setblocking(False)
        s.connect_ex((address, PORT))
        fillers.append(s)
    return [listener] + fillers


async def serve(folder):
    loop = asyncio.get_running_loop()
    servers, keep = [], []
    for address, behaviour in BEHAVIOURS:
        if behaviour == "never-accept":
            keep += never_accepting_listener(address)
            continue
        recorder = Recorder(os.path.join(folder, address))
        if behaviour in REFUSALS or behaviour in SHAPED:
            handler = Handler(behaviour)
            factory = lambda h=handler, r=recorder, b=behaviour: RecordingSMTP(h, r, b)
        else:
            factory = lambda b=behaviour, r=recorder: HostileSMTP(b, r)
        servers.append(await loop.create_server(factory, host=address, port=PORT,
                                                reuse_address=True))
    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)
    loop.add_signal_handler(signal.SIGINT, stop.set)
    with open(os.path.join(folder, "ready"), "w") as f:
        f.write("%d\n" % os.getpid())
    await stop.wait()
    for s in servers:
        s.close()
    for s in keep:
        s.close()


def pid_path(folder):
    return os.path.join(folder, "server.pid")


def stop(folder):
    try:
        with open(pid_path(folder)) as f:
            pid = int(f.read())
    except (OSError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            os.kill(pid, 0)
            time.sleep(0.05)
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    os.remove(pid_path(folder))
    return 0


def start(folder):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    ready = os.path.join(folder, "ready")
    if os.path.exists(ready):
        os.remove(ready)
    # Detached from the caller's output, so that CTest does not wait for it.
    with open(os.path.join(folder, "server.log"), "ab") as log:
        child = subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder],
                                 stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                 start_new_session=True, close_fds=True)
    with open(pid_path(folder), "w") as f:
        f.write("%d\n" % child.pid)
    for _ in range(200):
        if os.path.exists(ready):
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.05)
    sys.stderr.write("the SMTP test server did not start; see %s\n"
                     % os.path.join(folder, "server.log"))
    stop(folder)
    return 1


def main(argv):
    if len(argv) != 3 or argv[1] not in ("start", "stop", "serve"):
        sys.stderr.write(__doc__)
        return 2
    folder = os.path.abspath(argv[2])
    if argv[1] == "start":
        return start(folder)
    if argv[1] == "stop":
        return stop(folder)
    asyncio.run(serve(folder))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
