#!/usr/bin/env python3
"""A loopback server for the run benchmark: serves the saved page of each
online-play site at the target its scraper asks for with the keyword
"abc". Prints its port, then serves until killed."""
import http.server
import sys

PAGES_DIR = sys.argv[1]
TARGETS = {
    "/search.asp?searchword=abc": 0, "/sso.asp?keyword=abc": 1, "/search?q=abc": 2, "/video/abc/": 3,
    "/so/q_abc": 4, "/nisearch/abc": 5, "/mts?wd=abc": 6, "/s?wd=abc": 7, "/search_video/q_abc": 8,
    "/search.php?keyword=abc/": 9, "/jc/qabc": 10, "/s_video/q_+abc": 11, "/search/?type=&q=abc": 12,
}
BODIES = {}
for target, index in TARGETS.items():
    with open(f"{PAGES_DIR}/site{index:02d}.html", "rb") as f:
        BODIES[target] = f.read()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        body = BODIES.get(self.path, b"not found")
        self.send_response(200 if self.path in BODIES else 404)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
