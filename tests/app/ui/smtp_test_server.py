#!/usr/bin/env python3
"""A mail server on 127.0.0.1 for the mail form's tests.

Usage: smtp_test_server.py MODE OUTDIR

Binds a free port on the loopback address, prints it on the first line of
standard output and serves until killed (or for two minutes at most).

Modes:
  accept       take every message; each one is unpacked into OUTDIR/msgNNN:
               envelope.txt (sender, then the recipients), headers.txt,
               body.txt and files/<attachment name> with the decoded bytes
  refuse-rcpt  answer every RCPT with 550
  refuse-id    refuse the greeting of a client that calls itself "User"
  drop-data    take the greeting, the sender and the recipient, then close
               the connection in the middle of the message text
  silent-data  never answer the end of the message text
  silent       take the connection and never say a word
"""

import asyncio
import email
import email.policy
import os
import sys

from aiosmtpd.smtp import SMTP


class Saver:
    def __init__(self, outdir, mode):
        self.outdir = outdir
        self.mode = mode
        self.count = 0

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        if self.mode == "refuse-id" and hostname == "User":
            return ["550 5.7.1 Unknown client name"]
        session.host_name = hostname
        return responses

    async def handle_HELO(self, server, session, envelope, hostname):
        if self.mode == "refuse-id" and hostname == "User":
            return "550 5.7.1 Unknown client name"
        session.host_name = hostname
        return "250 test"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.mode == "refuse-rcpt":
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.mode == "silent-data":
            await asyncio.sleep(3600)
        self.count += 1
        folder = os.path.join(self.outdir, "msg%03d" % self.count)
        temp = folder + ".part"
        os.makedirs(os.path.join(temp, "files"))
        message = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        with open(os.path.join(temp, "envelope.txt"), "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        with open(os.path.join(temp, "headers.txt"), "w") as f:
            for key, value in message.items():
                f.write("%s: %s\n" % (key, value))
        body = message.get_body(preferencelist=("plain",))
        with open(os.path.join(temp, "body.txt"), "w") as f:
            f.write(body.get_content() if body is not None else "")
        for part in message.iter_attachments():
            with open(os.path.join(temp, "files", part.get_filename()), "wb") as f:
                f.write(part.get_payload(decode=True))
        os.rename(temp, folder)
        return "250 Message accepted for delivery"


async def drop_in_data(reader, writer):
    """A server that loses the connection while the message comes in."""
    writer.write(b"220 test ESMTP\r\n")
    in_data = False
    received = 0
    while True:
        line = await reader.readline()
        if not line:
            break
        if in_data:
            received += len(line)
            if received > 200:
                break
            continue
        verb = line[:4].upper()
        if verb == b"DATA":
            writer.write(b"354 End data with <CR><LF>.<CR><LF>\r\n")
            in_data = True
        elif verb == b"QUIT":
            writer.write(b"221 Bye\r\n")
            break
        else:
            writer.write(b"250 OK\r\n")
        await writer.drain()
    writer.transport.abort()


async def say_nothing(reader, writer):
    await reader.read()
    writer.close()


async def main():
    mode, outdir = sys.argv[1], sys.argv[2]
    loop = asyncio.get_running_loop()
    if mode == "drop-data":
        server = await asyncio.start_server(drop_in_data, "127.0.0.1", 0)
    elif mode == "silent":
        server = await asyncio.start_server(say_nothing, "127.0.0.1", 0)
    else:
        handler = Saver(outdir, mode)
        server = await loop.create_server(lambda: SMTP(handler, hostname="test"), "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    async with server:
        await asyncio.sleep(120)


if __name__ == "__main__":
    asyncio.run(main())
