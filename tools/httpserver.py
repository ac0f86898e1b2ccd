#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A small HTTP server for the tests and the demo: serves a folder and can misbehave on request.

Usage:
    tools/httpserver.py [--root DIR] [--port N] [--port-file FILE] [--modes FILE] [--verbose]

    --root DIR        folder to serve (default: the current folder)
    --port N          port on 127.0.0.1; 0 (the default) picks a free one
    --port-file FILE  the port is also written there (atomically: write then rename)
    --modes FILE      JSON object {"/path": "mode", ...}, read again on every request
    --verbose         log every request to stderr

Once it listens it prints one line "PORT <n>" to stdout (flushed). It binds 127.0.0.1 only and
stops on SIGTERM or SIGINT.

Every GET or HEAD outside the control paths below is counted per URL path (without the query).
Each path is answered according to its mode; a mode set through /__control wins over --modes:

    normal         serve the file from the folder (404 if missing); the default
    status:NNN     answer with status NNN and a short text body
    stall          send "200" headers with a Content-Length, then nothing, until the client leaves
                   or the server stops
    short          send the file's headers with a Content-Length 1000 bytes larger than the file,
                   send the file, then close the connection
    huge[:N]       stream N bytes (default 70 MiB) with an honest Content-Length
    unsized[:N]    stream N bytes (default 70 MiB) without Content-Length; the end of the
                   connection ends the body
    redirect:URL   answer 302 with Location URL (relative or absolute)

Control paths (never counted):

    GET /__control?path=/tvlist.zip&mode=status:404   set the mode of a path ("normal" clears it)
    GET /__count?path=/tvlist.zip                      the number of requests for the path, as text
    GET /__reset                                       forget all counts and modes set by /__control

tests/e2e/rig_http.py wraps this in a Python class (start on a free port, count, set_mode, stop).
"""

import argparse
import json
import os
import signal
import sys
import threading
import urllib.parse
from http import HTTPStatus
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

DEFAULT_HUGE = 70 * 1024 * 1024
CHUNK = 1024 * 1024


class State:
    def __init__(self, modes_file):
        self.lock = threading.Lock()
        self.counts = {}
        self.modes = {}
        self.modes_file = modes_file
        self.stopping = threading.Event()

    def count(self, path):
        with self.lock:
            self.counts[path] = self.counts.get(path, 0) + 1

    def mode(self, path):
        with self.lock:
            if path in self.modes:
                return self.modes[path]
        if self.modes_file:
            try:
                with open(self.modes_file, encoding="utf-8") as f:
                    return json.load(f).get(path, "normal")
            except (OSError, ValueError):
                pass
        return "normal"


class Handler(SimpleHTTPRequestHandler):
    state = None  # set by main()
    verbose = False

    def log_message(self, fmt, *args):
        if self.verbose:
            super().log_message(fmt, *args)

    def do_GET(self):
        self.handle_request(head=False)

    def do_HEAD(self):
        self.handle_request(head=True)

    def handle_request(self, head):
        parts = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(parts.path)
        query = urllib.parse.parse_qs(parts.query)
        if path == "/__control":
            return self.control(query)
        if path == "/__count":
            with self.state.lock:
                n = self.state.counts.get(query.get("path", [""])[0], 0)
            return self.text(HTTPStatus.OK, str(n))
        if path == "/__reset":
            with self.state.lock:
                self.state.counts.clear()
                self.state.modes.clear()
            return self.text(HTTPStatus.OK, "ok")

        self.state.count(path)
        mode = self.state.mode(path)
        name, _, arg = mode.partition(":")
        try:
            if name == "status":
                return self.text(int(arg), "status %s\n" % arg)
            if name == "redirect":
                self.send_response(HTTPStatus.FOUND)
                self.send_header("Location", arg)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return None
            if name == "stall":
                return self.stall()
            if name == "short":
                return self.short(head)
            if name in ("huge", "unsized"):
                return self.stream(int(arg) if arg else DEFAULT_HUGE, name == "huge", head)
        except (BrokenPipeError, ConnectionResetError):
            return None
        if head:
            return super().do_HEAD()
        return super().do_GET()

    def control(self, query):
        path = query.get("path", [None])[0]
        mode = query.get("mode", ["normal"])[0]
        if not path:
            return self.text(HTTPStatus.BAD_REQUEST, "path missing\n")
        with self.state.lock:
            if mode == "normal":
                self.state.modes.pop(path, None)
            else:
                self.state.modes[path] = mode
        return self.text(HTTPStatus.OK, "ok")

    def text(self, status, body):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(data)

    def file_bytes(self):
        local = self.translate_path(self.path)
        try:
            with open(local, "rb") as f:
                return f.read()
        except OSError:
            return b"x" * 1000

    def stall(self):
        self.send_response(HTTPStatus.OK)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(self.file_bytes()) or 1000))
        self.end_headers()
        self.wfile.flush()
        # Hold the connection until the client gives up; daemon threads end with the server.
        try:
            while self.connection.recv(4096):
                pass
        except OSError:
            pass
        self.close_connection = True

    def short(self, head):
        data = self.file_bytes()
        self.send_response(HTTPStatus.OK)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data) + 1000))
        self.end_headers()
        if not head:
            self.wfile.write(data)
        self.wfile.flush()
        self.close_connection = True

    def stream(self, size, sized, head):
        self.send_response(HTTPStatus.OK)
        self.send_header("Content-Type", "application/octet-stream")
        if sized:
            self.send_header("Content-Length", str(size))
        self.end_headers()
        self.close_connection = True
        if head:
            return
        block = b"v" * CHUNK
        left = size
        while left > 0 and not self.state.stopping.is_set():
            n = min(left, CHUNK)
            self.wfile.write(block[:n])
            left -= n


def main():
    parser = argparse.ArgumentParser(description="HTTP server for the tests and the demo")
    parser.add_argument("--root", default=".")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--modes")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()

    state = State(os.path.abspath(args.modes) if args.modes else None)
    root = os.path.abspath(args.root)

    class BoundHandler(Handler):
        def __init__(self, *a, **kw):
            super().__init__(*a, directory=root, **kw)

    BoundHandler.state = state
    BoundHandler.verbose = args.verbose
    server = ThreadingHTTPServer(("127.0.0.1", args.port), BoundHandler)
    server.daemon_threads = True
    port = server.server_address[1]

    def stop(*_):
        state.stopping.set()
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w", encoding="utf-8") as f:
            f.write("%d\n" % port)
        os.replace(tmp, args.port_file)
    sys.stdout.write("PORT %d\n" % port)
    sys.stdout.flush()

    server.serve_forever()
    server.server_close()


if __name__ == "__main__":
    main()
