# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The local HTTP server of the tests, as a Python class.

    from rig_http import HttpRig

    with HttpRig(root="/path/to/folder") as http:      # starts tools/httpserver.py on a free port
        url = http.url("/tvlist.zip")                  # "http://127.0.0.1:<port>/tvlist.zip"
        http.set_mode("/tvlist.zip", "status:404")     # any mode of tools/httpserver.py
        ...
        assert http.count("/tvlist.zip") == 1          # GET/HEAD requests for that path so far
        http.reset()                                   # forget counts and modes
    # stopped here (or call http.stop())

HttpRig(root, modes_file=None, verbose=False, source=None)
    root        folder to serve
    modes_file  optional JSON file {"/path": "mode"} (read by the server on every request)
    source      repository root; default $VEDRIX_SOURCE, else two folders above this file
Attributes and methods:
    start()              starts the server and waits until it answers (done by __enter__); returns self
    port, base_url       the port and "http://127.0.0.1:<port>"
    url(path)            base_url + path
    count(path) -> int   requests for the path
    set_mode(path, mode) "normal", "status:NNN", "stall", "short", "huge[:N]", "unsized[:N]",
                         "redirect:URL" (see tools/httpserver.py)
    reset()              clears counts and modes
    stop()               ends the server process (idempotent)

The control requests bypass any proxy settings of the environment.
"""

import os
import select
import subprocess
import sys
import time
import urllib.parse
import urllib.request

_NO_PROXY = urllib.request.build_opener(urllib.request.ProxyHandler({}))


class HttpRig:
    def __init__(self, root, modes_file=None, verbose=False, source=None):
        self.root = os.path.abspath(root)
        self.modes_file = modes_file
        self.verbose = verbose
        here = os.path.dirname(os.path.abspath(__file__))
        self.source = source or os.environ.get("VEDRIX_SOURCE") or os.path.dirname(os.path.dirname(here))
        self.proc = None
        self.port = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
        return False

    @property
    def base_url(self):
        return "http://127.0.0.1:%d" % self.port

    def url(self, path):
        return self.base_url + path

    def start(self, timeout=20.0):
        cmd = [sys.executable, os.path.join(self.source, "tools", "httpserver.py"), "--root", self.root, "--port", "0"]
        if self.modes_file:
            cmd += ["--modes", self.modes_file]
        if self.verbose:
            cmd.append("--verbose")
        self.proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, text=True)
        deadline = time.monotonic() + timeout
        line = ""
        while not line.endswith("\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                self.stop()
                raise RuntimeError("httpserver.py did not start")
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if ready:
                chunk = self.proc.stdout.readline()
                if not chunk:
                    continue
                line += chunk
        self.port = int(line.split()[1])
        self._get("/__count?path=/")
        return self

    def _get(self, path_and_query):
        with _NO_PROXY.open(self.base_url + path_and_query, timeout=10) as reply:
            return reply.read().decode("utf-8")

    def count(self, path):
        return int(self._get("/__count?" + urllib.parse.urlencode({"path": path})))

    def set_mode(self, path, mode):
        self._get("/__control?" + urllib.parse.urlencode({"path": path, "mode": mode}))

    def reset(self):
        self._get("/__reset")

    def stop(self):
        if self.proc is None:
            return
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.proc.stdout:
            self.proc.stdout.close()
        self.proc = None
