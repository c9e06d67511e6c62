"""A loopback web server that stands in for a site on the Internet: every address gets the same
page, by default a green block with a text, and every path asked for is kept."""

import http.server
import threading

GREEN = (0x00, 0xc0, 0x00)
PAGE = ("<html><head><title>Stand-in</title></head><body style=\"margin:0\">"
        "<div style=\"background:#00c000;width:240px;height:180px\">STAND-IN</div>"
        "</body></html>").encode()


class StandIn:
    def __init__(self, page=PAGE):
        self.paths = []
        paths = self.paths

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                paths.append(self.path)
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(page)))
                self.end_headers()
                self.wfile.write(page)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()
