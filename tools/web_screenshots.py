# SPDX-License-Identifier: MIT
"""Redraws the README's pictures of the page: platform/web/screenshots/wide.png (the
designed window at 1280x800) and narrow.png (the whole one-column page at 360 px),
both after one lookup of each kind (卵円形, プラタナス), in headless Chromium.

    /usr/bin/python3 tools/web_screenshots.py [SITE]   default: build/web/site
"""

import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "platform", "web", "screenshots")


def shoot(url, profile, width, height, mobile, path):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--hide-scrollbars", "--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height)):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        metrics = {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile}
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
        driver.get(url)
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            "var f = document.getElementById('Form1'); return f !== null && !f.hasAttribute('aria-busy')"))
        driver.find_element(By.ID, "optNuman").click()
        driver.find_element(By.ID, "cmdGo").click()
        row = driver.execute_script("return Array.from(document.querySelectorAll('#List1 [role=option]'))"
                                    ".find(r => r.textContent === 'プラタナス')")
        driver.execute_script("arguments[0].scrollIntoView({block: 'nearest'})", row)
        row.click()
        driver.find_element(By.ID, "Command1").click()
        driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0)")
        if mobile:  # the whole page, top to bottom
            metrics["height"] = driver.execute_script("return document.documentElement.scrollHeight")
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
        driver.save_screenshot(path)
    finally:
        driver.quit()


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "web", "site")
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=site)
    handler.log_message = lambda *args: None
    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/" % httpd.server_address[1]
    work = tempfile.mkdtemp(prefix="pemtos-shots-")
    os.makedirs(OUT, exist_ok=True)
    try:
        shoot(url, os.path.join(work, "wide"), 1280, 800, False, os.path.join(OUT, "wide.png"))
        shoot(url, os.path.join(work, "narrow"), 360, 740, True, os.path.join(OUT, "narrow.png"))
    finally:
        httpd.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    print("wrote platform/web/screenshots/wide.png and narrow.png")


if __name__ == "__main__":
    main()
