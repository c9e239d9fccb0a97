#!/usr/bin/env python3
"""A loopback HTTP server that misbehaves on purpose, one way per run.

    fault_server.py MODE [--port-file FILE] [--lifetime SECONDS]

MODE is one of:
  stall-headers   accept, read the request, never answer
  stall-body      announce 100000 bytes, send 1000, then stall
  cut-body        announce 100000 bytes, send 1000, then close the connection
  no-accept       listen but never accept a connection
  status:CODE     answer with that status and a small error page
  empty           answer 200 with an empty body
  slow            send 300,000 bytes (announced) at 20 KB/s
  proxy           a proxy: answers a request for an absolute http:// URL with "via proxy: URL" (a
                  stale copy without "Pragma: no-cache"; /private/ wants alice's password)
  basic-auth      401 with WWW-Authenticate: Basic unless the request carries alice/s3cret
  name-plain      a URL without a name answered with Content-Disposition: attachment; filename="..."
  name-utf8       the same with filename*=UTF-8''... (the name "Café – Résumé 😀.pdf")
  name-evil       the same with the name "..\..\evil.txt"
  name-dots       the same with the name "notes.txt. ." (Windows would drop the dots and blanks)
  name-empty-utf8 filename="report.pdf" beside an empty filename*=UTF-8''
  name-rtl        filename*=UTF-8''report<U+202E>fdp.exe (shown as "reportexe.pdf" if kept)
  redirect        302 to /files/archive-2.0.tar.gz, which is then served

It binds 127.0.0.1 on a free port, writes the port to --port-file, and exits by itself after
--lifetime seconds (default 60) whatever happens, so a failed scenario never leaves it behind.
"""
import argparse
import base64
import socket
import threading
import time

ANNOUNCED = 100000
SENT = 1000


def read_request(conn):
    conn.settimeout(5)
    data = b""
    try:
        while b"\r\n\r\n" not in data and len(data) < 65536:
            chunk = conn.recv(4096)
            if not chunk:
                break
            data += chunk
    except OSError:
        pass
    return data


SLOW_TOTAL = 300000
SLOW_STEP = 2000  # every tenth of a second

NAMED = {
    "name-plain": 'attachment; filename="plain report.pdf"',
    "name-utf8": "attachment; filename=\"fallback.txt\"; "
                 "filename*=UTF-8''Caf%C3%A9%20%E2%80%93%20R%C3%A9sum%C3%A9%20%F0%9F%98%80.pdf",
    "name-evil": 'attachment; filename="..\\..\\evil.txt"',
    "name-dots": 'attachment; filename="notes.txt. ."',
    "name-empty-utf8": "attachment; filename=\"report.pdf\"; filename*=UTF-8''",
    "name-rtl": "attachment; filename*=UTF-8''report%E2%80%AEfdp.exe",
}


ALICE = b"authorization: basic " + base64.b64encode(b"alice:s3cret").lower()


def refused_without_alice(conn, request):
    if ALICE in request.lower():
        return False
    conn.sendall(b"HTTP/1.1 401 No\r\nWWW-Authenticate: Basic realm=\"k\"\r\nContent-Length: 0\r\n"
                 b"Connection: close\r\n\r\n")
    return True


def send_body(conn, body, extra_headers=""):
    head = ("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
            f"Content-Length: {len(body)}\r\n{extra_headers}Connection: close\r\n\r\n")
    conn.sendall(head.encode() + body)


def serve(conn, mode, lifetime_end):
    request = read_request(conn)
    try:
        if mode == "stall-headers":
            time.sleep(max(0, lifetime_end - time.time()))
        elif mode in ("stall-body", "cut-body"):
            head = ("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                    f"Content-Length: {ANNOUNCED}\r\nConnection: close\r\n\r\n")
            conn.sendall(head.encode() + b"x" * SENT)
            if mode == "stall-body":
                time.sleep(max(0, lifetime_end - time.time()))
        elif mode.startswith("status:"):
            code = int(mode.split(":", 1)[1])
            body = f"<html><body><h1>{code}</h1></body></html>".encode()
            head = (f"HTTP/1.1 {code} Error\r\nContent-Type: text/html\r\n"
                    f"Content-Length: {len(body)}\r\nConnection: close\r\n\r\n")
            conn.sendall(head.encode() + body)
        elif mode == "slow":
            head = ("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                    f"Content-Length: {SLOW_TOTAL}\r\nConnection: close\r\n\r\n")
            conn.sendall(head.encode())
            for _ in range(SLOW_TOTAL // SLOW_STEP):
                if time.time() > lifetime_end:
                    break
                conn.sendall(b"s" * SLOW_STEP)
                time.sleep(0.1)
        elif mode in NAMED:
            send_body(conn, b"named by the server\n", f"Content-Disposition: {NAMED[mode]}\r\n")
        elif mode == "redirect":
            if request.startswith(b"GET /files/archive-2.0.tar.gz "):
                send_body(conn, b"the archive\n")
            else:
                conn.sendall(b"HTTP/1.1 302 Found\r\nLocation: /files/archive-2.0.tar.gz\r\n"
                             b"Content-Length: 0\r\nConnection: close\r\n\r\n")
        elif mode == "proxy":
            target = request.split(b" ")[1] if request.count(b" ") >= 2 else b""
            if b"/private/" in target and refused_without_alice(conn, request):
                pass
            elif b"\r\npragma: no-cache\r\n" not in request.lower():
                send_body(conn, b"a stale copy from the proxy's cache\n")
            elif target.startswith(b"http://"):
                send_body(conn, b"via proxy: " + target + b"\n")
            else:
                conn.sendall(b"HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
        elif mode == "basic-auth":
            if not refused_without_alice(conn, request):
                send_body(conn, b"for alice\n")
        elif mode == "empty":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
    except OSError:
        pass
    finally:
        conn.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode")
    parser.add_argument("--port-file")
    parser.add_argument("--lifetime", type=float, default=60)
    args = parser.parse_args()
    lifetime_end = time.time() + args.lifetime

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(1 if args.mode == "no-accept" else 16)
    port = listener.getsockname()[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(port))
        import os
        os.replace(args.port_file + ".tmp", args.port_file)
    else:
        print(port, flush=True)

    if args.mode == "no-accept":
        time.sleep(max(0, lifetime_end - time.time()))
        return
    accepted = 0
    while time.time() < lifetime_end and accepted < 100:
        listener.settimeout(max(0.1, lifetime_end - time.time()))
        try:
            conn, _ = listener.accept()
        except OSError:
            break
        accepted += 1
        threading.Thread(target=serve, args=(conn, args.mode, lifetime_end), daemon=True).start()


if __name__ == "__main__":
    main()
