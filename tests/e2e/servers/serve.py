#!/usr/bin/python3
"""Serves a folder on 127.0.0.1 over HTTP, HTTPS or FTP for one scenario.

    serve.py http|https|ftp FOLDER --port-file FILE [--cert PEM --key PEM] [--lifetime SECONDS]
             [--cut-ftp]

With --cut-ftp the FTP server lists every file at its full size but ends each transfer cleanly
after half of it: a data connection dropped mid-file.

Binds a free port, writes it to --port-file once listening, and exits by itself after --lifetime
seconds (default 120). FTP uses Debian's python3-pyftpdlib (anonymous, read-only), which is why
this runs with the system python.
"""
import argparse
import functools
import http.server
import os
import ssl
import threading
import time


def write_port(path, port):
    with open(path + ".tmp", "w") as f:
        f.write(str(port))
    os.replace(path + ".tmp", path)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def end_headers(self):
        # Lets a client keep and reuse a copy for an hour: a download must fetch the file anyway.
        self.send_header("Cache-Control", "max-age=3600")
        super().end_headers()

    def do_GET(self):
        # FILE.query beside FILE makes it a signed link: any other query gets 403.
        path, _, query = self.path.partition("?")
        signature = os.path.join(self.directory, path.lstrip("/") + ".query")
        if os.path.isfile(signature) and open(signature).read() != query:
            return self.send_error(403)
        super().do_GET()


def serve_http(args, use_tls):
    handler = functools.partial(QuietHandler, directory=args.folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    if use_tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    write_port(args.port_file, server.server_address[1])
    threading.Thread(target=server.serve_forever, daemon=True).start()
    time.sleep(args.lifetime)
    server.shutdown()


class HalfFile:
    """A file that reads as if it ended at half its size."""

    def __init__(self, file):
        self._file = file
        self._left = os.fstat(file.fileno()).st_size // 2
        self.name = file.name
        self.closed = False

    def read(self, size=-1):
        size = self._left if size < 0 else min(size, self._left)
        data = self._file.read(size)
        self._left -= len(data)
        return data

    def seek(self, *args):
        return self._file.seek(*args)

    def close(self):
        self.closed = True
        self._file.close()


def serve_ftp(args):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    from pyftpdlib.log import config_logging
    import logging
    config_logging(level=logging.WARNING)

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(args.folder)
    authorizer.add_user("korvo", "secret", args.folder)
    handler = FTPHandler
    if args.cut_ftp:
        class CutFS(AbstractedFS):
            def open(self, filename, mode):
                file = super().open(filename, mode)
                return HalfFile(file) if "r" in mode else file

        handler.abstracted_fs = CutFS
        handler.use_sendfile = False
    handler.authorizer = authorizer
    handler.passive_ports = range(40000, 40100)
    server = FTPServer(("127.0.0.1", 0), handler)
    write_port(args.port_file, server.address[1])
    threading.Thread(target=server.serve_forever, daemon=True).start()
    time.sleep(args.lifetime)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("protocol", choices=["http", "https", "ftp"])
    parser.add_argument("folder")
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--lifetime", type=float, default=120)
    parser.add_argument("--cut-ftp", action="store_true")
    args = parser.parse_args()
    if args.protocol == "ftp":
        serve_ftp(args)
    else:
        serve_http(args, args.protocol == "https")


if __name__ == "__main__":
    main()
