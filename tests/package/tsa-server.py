#!/usr/bin/env python3
"""A throwaway RFC 3161 time-stamp authority on localhost, for the signing test.

    tsa-server.py OPENSSL_TS_CONFIG PORT_FILE

Answers each POSTed time-stamp query with `openssl ts -reply` under the given configuration,
writes the port it listens on to PORT_FILE and serves until it is killed.
"""
import http.server
import subprocess
import sys
import tempfile

config, port_file = sys.argv[1], sys.argv[2]


class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with tempfile.NamedTemporaryFile() as request:
            request.write(query)
            request.flush()
            answer = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile",
                                     request.name], capture_output=True)
        if answer.returncode != 0:
            sys.stderr.write(answer.stderr.decode(errors="replace"))
            self.send_error(500)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(answer.stdout)))
        self.end_headers()
        self.wfile.write(answer.stdout)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Authority)
with open(port_file, "w") as f:
    f.write(str(server.server_port))
server.serve_forever()
