# SPDX-License-Identifier: MIT
"""Lighthouse's audit of the page, on its mobile preset (a mid-range phone, slow 4G,
the processor slowed four times), served over loopback.

    /usr/bin/python3 bench/web/lighthouse.py [RUNS] [SITE ...]

Each SITE (default build/web/site) is audited RUNS times (default 5), the sites taking
turns, with a fresh browser profile each time; the medians of the category scores,
of total blocking time and of first contentful paint are printed, one line a site.
Lighthouse comes from the npm registry at the version below, installed on first use
into build/lighthouse/ (never committed). Not run by ctest: the figures depend on
how busy the machine is, so quote them with the machine's load.
"""

import functools
import http.server
import json
import os
import statistics
import subprocess
import sys
import tempfile
import threading

LIGHTHOUSE_VERSION = "13.5.0"
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREFIX = os.path.join(ROOT, "build", "lighthouse")
CATEGORIES = ("performance", "accessibility", "best-practices", "seo")


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass


def lighthouse():
    program = os.path.join(PREFIX, "node_modules", ".bin", "lighthouse")
    if not os.path.exists(program):
        os.makedirs(PREFIX, exist_ok=True)
        subprocess.run(["npm", "install", "--prefix", PREFIX, "--no-save", "--no-audit", "--no-fund",
                        "lighthouse@" + LIGHTHOUSE_VERSION], check=True)
    return program


def audit(program, url):
    with tempfile.TemporaryDirectory(prefix="pemtos-lighthouse-") as work:
        report = os.path.join(work, "report.json")
        flags = "--headless=new --no-sandbox --disable-gpu --user-data-dir=" + os.path.join(work, "profile")
        subprocess.run([program, url, "--quiet", "--output=json", "--output-path=" + report,
                        "--only-categories=" + ",".join(CATEGORIES), "--chrome-flags=" + flags],
                       check=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"))
        with open(report, encoding="utf-8") as f:
            result = json.load(f)
    figures = {name: round(result["categories"][name]["score"] * 100) for name in CATEGORIES}
    figures["TBT ms"] = result["audits"]["total-blocking-time"]["numericValue"]
    figures["FCP ms"] = result["audits"]["first-contentful-paint"]["numericValue"]
    return figures


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    sites = sys.argv[2:] or [os.path.join(ROOT, "build", "web", "site")]
    program = lighthouse()
    servers, urls = [], []
    for site in sites:
        server = Server(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        servers.append(server)
        urls.append("http://127.0.0.1:%d/" % server.server_address[1])
    results = [[] for _ in sites]
    try:
        for _ in range(runs):
            for index, url in enumerate(urls):
                results[index].append(audit(program, url))
    finally:
        for server in servers:
            server.shutdown()
    print("load average %.1f" % os.getloadavg()[0])
    for site, figures in zip(sites, results):
        medians = {name: statistics.median(run[name] for run in figures) for name in figures[0]}
        print(site + ": " + ", ".join("%s %g" % (name, round(value)) for name, value in medians.items()))
        print("  performance by run: " + " ".join(str(run["performance"]) for run in figures))


if __name__ == "__main__":
    main()
