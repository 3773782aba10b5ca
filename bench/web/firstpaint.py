# SPDX-License-Identifier: MIT
"""First contentful paint of the page in headless Chromium, against its content floor.

    /usr/bin/python3 bench/web/firstpaint.py [SITE] [RUNS]

SITE defaults to build/web/site. The content floor is a static HTML page holding
the same content: the page's own elements as the module built them, with the same
style sheet and drawings, and no script. Both are loaded RUNS times (default 15),
alternately, with the browser cache and the service worker bypassed, over loopback;
the medians and their ratio are printed.
"""

import functools
import http.server
import os
import re
import shutil
import statistics
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # the next load cancels what the last one still fetched


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile, "--window-size=1280,800"):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
    return driver


def first_contentful_paint(driver, url):
    driver.get("about:blank")
    driver.get(url)
    return WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "var p = performance.getEntriesByName('first-contentful-paint')[0]; return p ? p.startTime : null"))


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build/web/site"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    work = tempfile.mkdtemp(prefix="pemtos-paint-")
    try:
        root = os.path.join(work, "site")
        shutil.copytree(site, root)
        httpd = Server(("127.0.0.1", 0), functools.partial(Quiet, directory=root))
        threading.Thread(target=httpd.serve_forever, daemon=True).start()
        url = "http://127.0.0.1:%d/" % httpd.server_address[1]
        driver = browser(os.path.join(work, "profile"))
        try:
            driver.get(url)
            WebDriverWait(driver, 10).until(lambda d: d.execute_script(
                "var f = document.getElementById('Form1'); return f !== null && !f.hasAttribute('aria-busy')"))
            page = driver.execute_script("return document.documentElement.outerHTML")
            # The same elements without the module or the service worker.
            page = re.sub(r"<script\b.*?</script>", "", page, flags=re.S)
            page = re.sub(r'<link rel="preload"[^>]*>', "", page)
            with open(os.path.join(root, "floor.html"), "w", encoding="utf-8") as f:
                f.write("<!DOCTYPE html>\n" + page)
            times = {"page": [], "floor": []}
            for _ in range(runs):
                times["page"].append(first_contentful_paint(driver, url))
                times["floor"].append(first_contentful_paint(driver, url + "floor.html"))
        finally:
            driver.quit()
            httpd.shutdown()
        page, floor = statistics.median(times["page"]), statistics.median(times["floor"])
        print("first contentful paint, median of %d: page %.1f ms, static floor %.1f ms, ratio %.2f"
              % (runs, page, floor, page / floor))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
