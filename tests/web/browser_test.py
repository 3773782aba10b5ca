# SPDX-License-Identifier: MIT
"""The page in headless Chromium, driven through WebDriver as a person would use it.

    python3 browser_test.py SITE CATALOGUE.txt WINDOW.txt AXE.js QT_GRAB.png [unittest arguments]

SITE is the built site, served here on a loopback port; CATALOGUE.txt and WINDOW.txt
are the golden files tests/golden/catalogue.txt and window.txt, read by golden.py as
what the page must show; AXE.js is axe-core's axe.min.js; QT_GRAB.png is the Linux
window's grab after the same two lookups as ScreenshotTest makes.
These are the page's own cases: the layout at 1280x800 (the designed window) and at
360x740 (one column), the audit, the error report's dialog, the sizes and offline use.
What the window does (the behaviour suite of the desktop windows) runs against the
page in pagewindow_test.
"""

import functools
import gzip
import http.server
import io
import json
import os
import shutil
import sys
import tempfile
import threading
import unittest

from PIL import Image, ImageChops, ImageStat

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import golden

SITE, CATALOGUE, WINDOW, AXE, QT_GRAB = (None,) * 5
WIDE = (1280, 800)
NARROW = (360, 740)


# The texts that neither golden file holds, as the design gives them: the run-time
# error report.
ERROR_TITLE = "pemtos - 実行時エラー"
CLEAR_FAILURE = ("実行時エラーが発生しました。\n\nコントロール: List1 (ListBox)\n操作: Clear（全項目の削除）\n\n"
                 "この操作を中止しました。画面の内容はそのまま使えます。")


def expected():
    found = golden.catalogue(CATALOGUE)
    found["controls"] = golden.controls(WINDOW)
    found.update(errorTitle=ERROR_TITLE, clearFailure=CLEAR_FAILURE)
    return found


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a page left before its drawings arrived


class Server:
    """The site on a free loopback port, until stop()."""

    def __init__(self):
        handler = functools.partial(QuietHandler, directory=SITE)
        self.httpd = QuietServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        if self.httpd is not None:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


def start_browser(size, mobile=False):
    profile = tempfile.mkdtemp(prefix="pemtos-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--hide-scrollbars", "--force-device-scale-factor=1",
                 "--user-data-dir=" + profile, "--window-size=%d,%d" % size, "--lang=ja"):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": mobile})
    driver.profile = profile
    return driver


def stop_browser(driver):
    driver.quit()
    shutil.rmtree(driver.profile, ignore_errors=True)


class PageCase(unittest.TestCase):
    """One browser and one server for the class; a fresh page for every test."""

    size = WIDE
    mobile = False

    @classmethod
    def setUpClass(cls):
        cls.expected = expected()
        cls.server = Server()
        cls.driver = start_browser(cls.size, cls.mobile)

    @classmethod
    def tearDownClass(cls):
        stop_browser(cls.driver)
        cls.server.stop()

    def setUp(self):
        self.open()

    def open(self):
        self.driver.get(self.server.url)
        self.wait_built()

    def wait_built(self):
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script("var l = document.getElementById('List1'); return l && l.children.length"))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def click(self, name):
        self.element(name).click()

    def caption(self, label):
        return self.js("return document.getElementById(arguments[0]).textContent", label)

    def select_row(self, index):
        row = self.js("return document.getElementById('List1').children[arguments[0]]", index)
        self.js("arguments[0].scrollIntoView({block: 'nearest'})", row)
        row.click()

    def focused(self):
        return self.js("return document.activeElement ? document.activeElement.id : ''")

    def key(self, *keys):
        webdriver.ActionChains(self.driver).send_keys(*keys).perform()

    def report_open(self):
        return self.js("var d = document.querySelector('dialog'); return d !== null && d.open")


class LayoutTest(PageCase):
    def rect(self, name):
        return self.js("var r = document.getElementById(arguments[0]);"
                       "r = r.closest('label') || r;"
                       "var b = r.getBoundingClientRect(), f = document.getElementById('Form1').getBoundingClientRect();"
                       "return [b.left - f.left, b.top - f.top, b.width, b.height];", name)

    def test_every_control_at_its_designed_rectangle(self):
        for control in self.expected["controls"]:
            with self.subTest(control["name"]):
                self.assertEqual(self.rect(control["name"]), control["rect"])

    def test_fonts_follow_the_stand_in_chains(self):
        for name, first, size, weight in (("Label4", "HGP創英角ﾎﾟｯﾌﾟ体", "19px", "400"),
                                          ("Label10", "ＭＳ Ｐゴシック", "15px", "700"),
                                          ("Frame2-caption", "ＭＳ Ｐゴシック", "16px", "700"),
                                          ("cmdGo", "ＭＳ Ｐゴシック", "12px", "400"),
                                          ("Label1", "ＭＳ Ｐゴシック", "12px", "400")):
            with self.subTest(name):
                style = self.js("var s = getComputedStyle(document.getElementById(arguments[0]));"
                                "return [s.fontFamily, s.fontSize, s.fontWeight];", name)
                self.assertEqual(style[0].split(",")[0].strip('"'), first)
                for face in ("IPAPGothic", "Noto Sans CJK JP", "Hiragino Sans", "sans-serif"):
                    self.assertIn(face, style[0])
                self.assertEqual(style[1:], [size, weight])

    def test_shift_tab_goes_back_and_a_selected_group_is_one_stop(self):
        # The designed Tab order itself is the behaviour suite's (pagewindow_test).
        self.key(Keys.TAB)
        self.key(Keys.TAB)
        self.assertEqual(self.focused(), "optRera")
        webdriver.ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
        self.assertEqual(self.focused(), "optNuman")
        # Once an option is selected the group is one stop, and Tab goes round the window.
        self.element("Option1").send_keys(Keys.SPACE)
        self.element("cmdGo").click()
        stops = []
        for _ in range(40):
            self.key(Keys.TAB)
            stops.append(self.focused())
            if stops[-1] == "cmdGo":
                break
        self.assertEqual(stops[-1], "cmdGo")
        self.assertEqual([name for name in stops if name.startswith(("opt", "Option"))], ["Option1"])
        self.assertEqual(len(stops), 1 + 15 + 3)  # Option1, the picture boxes, List1, Command1, cmdGo

    def test_the_window_matches_the_linux_grab(self):
        # The state of the Linux grab: 卵円形 looked up, プラタナス's note shown.
        self.click("optNuman")
        self.click("cmdGo")
        self.select_row(self.expected["forms"][1]["species"].index("プラタナス"))
        self.click("Command1")
        self.js("document.activeElement.blur(); document.getElementById('List1').scrollTop = 1e6")
        page = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        with Image.open(QT_GRAB) as picture:
            grab = picture.convert("RGB")
        # The drawings are the same pixels on both: each one found where the window has it.
        for control in self.expected["controls"]:
            if not control["name"].startswith("Picture") or control["name"] == "Picture9":
                continue
            left, top, width, height = control["rect"]
            inner = (left + 2, top + 2, width - 4, height - 4)
            with self.subTest(control["name"]):
                self.assertLess(mean_difference(page, grab, inner), 8.0)
        # And the frame's bottom edge and the output texts' rows line up.
        self.assertLess(mean_difference(page, grab, (20, 455, 880, 12)), 24.0)


class NarrowLayoutTest(PageCase):
    size = NARROW
    mobile = True

    def test_one_column_a_phone_can_use(self):
        self.assertLessEqual(self.js("return document.documentElement.scrollWidth"), NARROW[0])
        targets = self.js("""
            return Array.from(document.querySelectorAll('.option, .command, [role=option]'))
              .filter(e => e.getClientRects().length)
              .map(e => [e.id || e.textContent, e.getBoundingClientRect().width, e.getBoundingClientRect().height]);""")
        self.assertEqual(len(targets), 14 + 2 + 12)
        for name, width, height in targets:
            with self.subTest(name):
                self.assertGreaterEqual(height, 44)
                self.assertGreaterEqual(width, 44)
        smallest = self.js("""
            var sizes = [];
            document.querySelectorAll('#Form1 *').forEach(function (e) {
              if (e.getClientRects().length && Array.from(e.childNodes).some(n => n.nodeType === 3 && n.data.trim()))
                sizes.push(parseFloat(getComputedStyle(e).fontSize));
            });
            return Math.min.apply(null, sizes);""")
        self.assertGreaterEqual(smallest, 12)

    def test_reading_order(self):
        order = self.js("""
            var names = ['Label4', 'Label1', 'Label10', 'optUran', 'Picture1', 'Option5', 'Picture8', 'Label11',
                         'Option6', 'Picture10', 'Option11', 'Picture15', 'cmdGo', 'Label12', 'Label2', 'List1',
                         'Command1', 'Label3'];
            return names.map(n => document.getElementById(n).getBoundingClientRect())
                        .map(r => [Math.round(r.top), Math.round(r.left)]);""")
        # Each further down than the one before it, or beside it on the same row.
        for before, after in zip(order, order[1:]):
            self.assertTrue(after[0] > before[0] or (after[0] >= before[0] - 80 and after[1] > before[1]),
                            (before, after))


class AuditTest(PageCase):
    def audit(self):
        with open(AXE, encoding="utf-8") as f:
            self.js(f.read())
        result = self.driver.execute_async_script(
            "var done = arguments[arguments.length - 1];"
            "axe.run(document).then(r => done(r.violations.map(v => [v.id, v.nodes.map(n => n.target.join(' '))])),"
            " e => done([['error', [String(e)]]]));")
        return result

    def check_both_layouts(self):
        for size, mobile in ((WIDE, False), (NARROW, True)):
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": mobile})
            with self.subTest(size):
                self.assertEqual(self.audit(), [])
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": WIDE[0], "height": WIDE[1], "deviceScaleFactor": 1, "mobile": False})

    def test_axe_finds_no_violations(self):
        self.check_both_layouts()
        self.click("optRera")
        self.click("cmdGo")
        self.select_row(2)
        self.click("Command1")
        self.check_both_layouts()

    def test_the_error_report_is_a_modal_dialog_that_passes_too(self):
        self.click("optNuman")
        self.js("Module._pemtos_fail_operation(3)")  # the third operation: clearing List1
        self.click("cmdGo")
        self.assertTrue(self.report_open())
        self.assertEqual(self.audit(), [])
        self.assertEqual(self.focused(), "error-report-ok")
        self.assertEqual(self.js("return document.getElementById('error-report-title').textContent"),
                         self.expected["errorTitle"])
        self.assertEqual(self.js("return document.getElementById('error-report-text').textContent"),
                         self.expected["clearFailure"])
        # Modal: the page beneath takes no click until the report is closed, by Enter here.
        self.assertTrue(self.js("""
            var r = document.getElementById('cmdGo').getBoundingClientRect();
            return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2).closest('dialog') !== null;"""))
        self.key(Keys.ENTER)
        self.assertFalse(self.report_open())
        self.click("cmdGo")
        self.assertEqual(self.caption("Label2"), self.expected["forms"][1]["description"])

    def test_accessible_roles_and_names(self):
        self.assertEqual(self.js("return document.getElementById('Frame2').getAttribute('role')"), "radiogroup")
        self.assertEqual(self.js("return document.getElementById('List1').getAttribute('role')"), "listbox")
        self.assertEqual(self.js("return document.querySelectorAll('#List1 [role=option]').length"), 12)
        for label in ("Label2", "Label3"):
            self.assertEqual(self.element(label).get_attribute("aria-live"), "polite")
        alts = self.js("return Array.from(document.querySelectorAll('#Form1 img'), i => i.alt)")
        self.assertEqual(len(alts), 14)
        self.assertTrue(all(alts))


class SiteTest(unittest.TestCase):
    def test_sizes(self):
        def compressed(name):
            with open(os.path.join(SITE, name), "rb") as f:
                return len(gzip.compress(f.read(), 9))

        module = compressed("pemtos.js") + compressed("pemtos.wasm")
        everything = sum(compressed(os.path.relpath(os.path.join(folder, name), SITE))
                         for folder, _, names in os.walk(SITE) for name in names)
        print("\nsizes, gzip -9: module %d bytes, whole site %d bytes" % (module, everything), file=sys.stderr)
        self.assertLessEqual(module, 150 * 1024)
        self.assertLessEqual(everything, 400 * 1024)

    def test_opens_and_works_offline(self):
        server = Server()
        driver = start_browser(WIDE)
        try:
            driver.get(server.url)
            WebDriverWait(driver, 15).until(lambda d: d.execute_script(
                "return navigator.serviceWorker.controller !== null || "
                "(navigator.serviceWorker.ready.then(() => location.reload()), false)"))
            # Chromium's own checks for an installable app: manifest, icons, service worker.
            errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
            self.assertEqual(errors, [])
            server.stop()
            for url in (server.url, server.url + "index.html"):
                driver.get(url)
                WebDriverWait(driver, 10).until(lambda d: d.execute_script(
                    "var l = document.getElementById('List1'); return l && l.children.length"))
                driver.find_element(By.ID, "Option9").click()
                driver.find_element(By.ID, "cmdGo").click()
                self.assertEqual(driver.find_element(By.ID, "Label2").text, expected()["forms"][11]["description"])
                broken = driver.execute_script(
                    "return Array.from(document.images).filter(i => !i.complete || !i.naturalWidth).length")
                self.assertEqual(broken, 0)
        finally:
            stop_browser(driver)
            server.stop()

    def test_manifest(self):
        with open(os.path.join(SITE, "manifest.webmanifest"), encoding="utf-8") as f:
            manifest = json.load(f)
        self.assertEqual(manifest["name"], "樹形から調べる樹木名と特徴")
        self.assertEqual(manifest["display"], "standalone")
        sizes = {icon["sizes"] for icon in manifest["icons"]}
        self.assertTrue({"192x192", "512x512"} <= sizes, sizes)
        for icon in manifest["icons"]:
            with Image.open(os.path.join(SITE, icon["src"])) as picture:
                self.assertEqual("%dx%d" % picture.size, icon["sizes"])


def mean_difference(one, other, rect):
    """The mean difference per channel of two images over `rect` (left, top, width, height)."""
    left, top, width, height = rect
    box = (left, top, left + width, top + height)
    return sum(ImageStat.Stat(ImageChops.difference(one.crop(box), other.crop(box))).mean) / 3


if __name__ == "__main__":
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    SITE, CATALOGUE, WINDOW, AXE, QT_GRAB = sys.argv[1:6]
    unittest.main(argv=[sys.argv[0]] + sys.argv[6:], verbosity=2)
