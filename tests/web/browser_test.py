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
import time
import unittest
import urllib.parse

from PIL import Image, ImageChops, ImageStat

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import golden

SITE, CATALOGUE, WINDOW, AXE, QT_GRAB = (None,) * 5
# The page's sources, for a second build made here.
WEB_SOURCE = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                          "platform", "web")
sys.path.insert(0, WEB_SOURCE)
WIDE = (1280, 800)
NARROW = (360, 740)
# The window is in index.html from the first frame; busy until the module has attached to it.
BUILT = "var f = document.getElementById('Form1'); return f !== null && !f.hasAttribute('aria-busy')"


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


class CachingHandler(QuietHandler):
    """Says how long the browser may keep what it serves, as a host configures it."""
    cache_control = "no-cache"

    def end_headers(self):
        self.send_header("Cache-Control", self.cache_control)
        super().end_headers()


def held_module(releases):
    """A handler that serves the module (pemtos.js, pemtos.wasm) only once the first of
    `releases` not yet set is set: a slow network's module, one event a visit."""
    class Handler(QuietHandler):
        def do_GET(self):
            held = next((release for release in releases if not release.is_set()), None)
            if held is not None and self.path.endswith(("pemtos.js", "pemtos.wasm")):
                held.wait(30)
            super().do_GET()

    return Handler


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a page left before its drawings arrived


class Server:
    """The site (or the folder `site`) on a free loopback port, until stop()."""

    def __init__(self, site=None, cache_control=None, handler_class=QuietHandler):
        handler = functools.partial(handler_class, directory=site or SITE)
        if cache_control is not None:
            handler = functools.partial(type("Handler", (CachingHandler,), {"cache_control": cache_control}),
                                        directory=site)
        self.httpd = QuietServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        if self.httpd is not None:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


def start_browser(size, mobile=False, wait_for_load=True):
    profile = tempfile.mkdtemp(prefix="pemtos-chromium-")
    options = webdriver.ChromeOptions()
    if not wait_for_load:
        options.page_load_strategy = "none"
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
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(BUILT))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def click(self, name):
        # An option is clicked on its label: on the cards, the label reaches over the whole card.
        self.js("return arguments[0].closest('label') || arguments[0]", self.element(name)).click()

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


class Person:
    """Real input as the browser receives it from a person: DevTools' Input domain,
    mouse and wheel or touch, at the centre of what the page shows."""

    def __init__(self, driver, touch):
        self.driver, self.touch = driver, touch

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def box(self, element):
        return self.driver.execute_script(
            "var r = arguments[0].getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height, innerWidth, innerHeight];", element)

    def centre(self, element):
        left, top, width, height, _, _ = self.box(element)
        return left + width / 2, top + height / 2

    def on_screen(self, element):
        left, top, width, height, view_width, view_height = self.box(element)
        return top >= 0 and top + height <= view_height and left >= 0 and left + width <= view_width

    def press(self, element):
        x, y = self.centre(element)
        if self.touch:
            self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
            self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        else:
            self.cdp("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
            for kind in ("mousePressed", "mouseReleased"):
                self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
        self.settle()

    def scroll(self, x, y, distance):
        """Scrolls what is under (x, y) down by about `distance` pixels: a wheel turn or a slow swipe up."""
        if not self.touch:
            self.cdp("Input.dispatchMouseEvent", type="mouseWheel", x=x, y=y, deltaX=0, deltaY=distance)
        else:
            # Each event carries the time a finger would give it, 16 ms apart, and the finger
            # rests 300 ms before lifting: the browser reads a swipe's speed from these
            # times, so a loaded machine that delivers the events late makes no fling.
            start = time.time()
            steps = 8
            self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}],
                     timestamp=start)
            for step in range(1, steps + 1):
                self.cdp("Input.dispatchTouchEvent", type="touchMove",
                         touchPoints=[{"x": x, "y": y - distance * step / steps}], timestamp=start + 0.016 * step)
            for rest in range(1, 4):
                self.cdp("Input.dispatchTouchEvent", type="touchMove", touchPoints=[{"x": x, "y": y - distance}],
                         timestamp=start + 0.016 * steps + 0.1 * rest)
            self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[],
                     timestamp=start + 0.016 * steps + 0.35)
        self.settle()

    def settle(self):
        """Waits until nothing scrolls any more (smooth scrolling, flings)."""
        last = None
        for _ in range(40):
            now = self.driver.execute_async_script(
                "var done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(() => done("
                "[scrollY].concat(Array.from(document.querySelectorAll('.list'), l => l.scrollTop)))));")
            if now == last:
                return
            last = now

    def reach(self, element, low=False):
        """Scrolls the page by hand until `element` is whole on screen, as a person
        would: to the middle of the screen, or near its bottom edge when `low`."""
        for _ in range(20):
            _, top, _, height, _, view_height = self.box(element)
            goal = view_height - height / 2 - 8 if low else view_height / 2
            if self.on_screen(element) and (not low or abs(top + height / 2 - goal) < 40):
                return
            # Over the page's own margin, beside the form, where nothing else scrolls.
            distance = max(-300, min(300, top + height / 2 - goal))
            # A finger's first few pixels only start the swipe: a short one scrolls nothing.
            if abs(distance) < 40:
                distance = 40 if distance > 0 else -40
            self.scroll(4, view_height / 2, distance)
        raise AssertionError("never came on screen")


class InputTest(PageCase):
    """Both jobs by real input alone: wheel and mouse on a desktop, touch on a tablet
    and a phone, each choosing 卵円形, reaching its last species, ユリノキ, in the list
    and reading its note."""

    CASES = ((1280, 800, False), (1024, 768, True), (360, 740, True))

    def setUp(self):
        pass

    def use(self, width, height, touch):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": touch})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})
        self.open()
        return Person(self.driver, touch)

    def targets(self):
        return self.js("""
            return Array.from(document.querySelectorAll('.card, .command, [role=option]'))
              .filter(e => e.getClientRects().length)
              .map(e => [e.id || e.textContent, e.getBoundingClientRect().width, e.getBoundingClientRect().height]);""")

    def test_both_jobs_by_wheel_and_by_touch(self):
        form = self.expected["forms"][1]
        last = form["species"][-1]
        for width, height, touch in self.CASES:
            with self.subTest(width=width, touch=touch):
                person = self.use(width, height, touch)
                if touch:  # a finger's targets: 44 px at least, the whole card for a form
                    for name, target_width, target_height in self.targets():
                        self.assertGreaterEqual(min(target_width, target_height), 44, name)
                # Touch picks a form by its drawing, the most of its card; the mouse by its caption.
                option = self.element("Picture2" if touch else "optNuman")
                person.reach(option)
                person.press(option)
                self.assertTrue(self.element("optNuman").is_selected())
                go = self.element("cmdGo")
                person.reach(go, low=touch)
                person.press(go)
                if touch:  # the cards: the description comes into view by itself, from below the fold
                    self.assertTrue(person.on_screen(self.element("Label2")))
                self.assertEqual(self.caption("Label2"), form["description"])
                listbox = self.element("List1")
                person.reach(listbox)
                row = self.js("return Array.from(document.querySelectorAll('#List1 [role=option]'))"
                              ".find(r => r.textContent === arguments[0])", last)
                for _ in range(30):
                    if person.on_screen(row) and self.js(
                            "var l = arguments[0].getBoundingClientRect(), r = arguments[1].getBoundingClientRect();"
                            "return r.top >= l.top && r.bottom <= l.bottom + 1", listbox, row):
                        break
                    x, y = person.centre(listbox)
                    person.scroll(x, y, 40)
                person.press(row)
                self.assertEqual(row.get_attribute("aria-selected"), "true")
                note = self.element("Command1")
                person.reach(note)
                person.press(note)
                self.assertEqual(self.caption("Label3"), self.expected["notes"][last])


class AddressTest(PageCase):
    """The lookup in the page's address: readable, one history step per lookup, kept
    by a reload and by a link; any other address opens the page as new."""

    def address(self):
        url = self.driver.current_url
        return urllib.parse.unquote(url.split("#", 1)[1]) if "#" in url else ""

    def shows(self, form, species=None):
        """Whether the page shows the lookup of tree form `form` (0 for none) and `species`."""
        forms = self.expected["forms"]
        checked = self.js("return Array.from(document.querySelectorAll('input[type=radio]:checked'), r => r.id)")
        rows = self.js("return Array.from(document.querySelectorAll('#List1 [role=option]'), r => r.textContent)")
        selected = self.js("var r = document.querySelector('#List1 [aria-selected=true]'); return r && r.textContent")
        if form == 0:
            return (checked, self.caption("Label2"), self.caption("Label3"), rows) == ([], "", "", forms[0]["species"])
        note = self.expected["notes"][species] if species else "\u3000" * 5
        return (checked, self.caption("Label2"), self.caption("Label3"), rows, selected) == (
            [forms[form - 1]["option"]], forms[form - 1]["description"], note, forms[form - 1]["species"], species)

    def test_lookups_are_addresses_back_forward_reload_and_links(self):
        self.click("optNuman")
        self.click("cmdGo")
        self.assertEqual(self.address(), "高木=卵円形")
        self.select_row(self.expected["forms"][1]["species"].index("プラタナス"))
        self.click("Command1")
        self.assertEqual(self.address(), "高木=卵円形&樹木=プラタナス")
        self.click("Option8")  # the second 盃状形
        self.click("cmdGo")
        self.assertEqual(self.address(), "中低木=盃状形")
        for step, address, form, species in ((self.driver.back, "高木=卵円形&樹木=プラタナス", 2, "プラタナス"),
                                             (self.driver.back, "高木=卵円形", 2, None),
                                             (self.driver.back, "", 0, None),
                                             (self.driver.forward, "高木=卵円形", 2, None),
                                             (self.driver.forward, "高木=卵円形&樹木=プラタナス", 2, "プラタナス"),
                                             (self.driver.refresh, "高木=卵円形&樹木=プラタナス", 2, "プラタナス")):
            with self.subTest(step=step.__name__, address=address):
                step()
                self.wait_built()
                self.assertEqual(self.address(), address)
                self.assertTrue(self.shows(form, species))
        # A link someone sent, and addresses that name no lookup: the page as new, no error.
        for link, address, form, species in (("#中低木=盃状形&樹木=サツキ", "中低木=盃状形&樹木=サツキ", 11, "サツキ"),
                                             ("#%E6%A8%B9%E6%9C%A8=%E3%82%B9%E3%82%AE", "樹木=スギ", 1, "スギ"),
                                             ("#高木=盃状形&樹木=サツキ", "", 0, None),
                                             ("#高木=卵円", "", 0, None),
                                             ("#%E3%81", "", 0, None),
                                             ("#?x=1&&", "", 0, None)):
            with self.subTest(link=link):
                self.driver.get("about:blank")
                self.driver.get(self.server.url + link)
                self.wait_built()
                self.assertEqual(self.address(), address)
                if form == 1:  # the species of the list the window opens with, no form chosen
                    self.assertEqual(self.caption("Label3"), self.expected["notes"][species])
                    self.assertEqual(self.caption("Label2"), "")
                else:
                    self.assertTrue(self.shows(form, species))
                self.assertFalse(self.report_open())
                self.assertEqual([entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"], [])


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

    def test_forced_colours_keep_the_selected_row_marked(self):
        for scheme in ("light", "dark"):
            with self.subTest(scheme):
                self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                    {"name": "forced-colors", "value": "active"}, {"name": "prefers-color-scheme", "value": scheme}]})
                self.open()
                self.select_row(3)
                self.js("document.activeElement.blur()")  # the mark, not the focus ring
                page = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
                rows = self.js("return Array.from(document.querySelectorAll('#List1 [role=option]')).slice(2, 5)"
                               ".map(r => { var b = r.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; })")
                means = [ImageStat.Stat(page.crop((round(x), round(y), round(x + w), round(y + h)))).mean
                         for x, y, w, h in rows]
                for other in (means[0], means[2]):
                    self.assertGreater(sum(abs(a - b) for a, b in zip(means[1], other)), 120)
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    def test_no_text_is_lost_with_wider_text_spacing(self):
        # WCAG 1.4.12's spacing, as readers' style sheets set it.
        spacing = ("* { line-height: 1.5 !important; letter-spacing: 0.12em !important;"
                   " word-spacing: 0.16em !important; } p, h1, h2, .label { margin-bottom: 2em !important; }")
        for size, mobile in ((WIDE, False), (NARROW, True)):
            with self.subTest(size):
                self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": mobile})
                self.open()
                self.click("optNuman")
                self.click("cmdGo")
                self.js("var s = document.createElement('style'); s.textContent = arguments[0];"
                        "document.head.appendChild(s);", spacing)
                self.driver.execute_async_script(
                    "var done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(done));")
                # Every text ends inside each box around it that cuts off what overflows.
                lost = self.js("""
                    var lost = [], text = document.createRange();
                    document.querySelectorAll('#Form1 *').forEach(function (e) {
                      if (!Array.from(e.childNodes).some(n => n.nodeType === 3 && n.data.trim()) || e.closest('.list'))
                        return;
                      text.selectNodeContents(e);
                      var inner = text.getBoundingClientRect();
                      for (var box = e; box; box = box.parentElement) {
                        var style = getComputedStyle(box), outer = box.getBoundingClientRect();
                        if ((style.overflowX !== 'visible' && inner.right > outer.right + 3) ||
                            (style.overflowY !== 'visible' && inner.bottom > outer.bottom + 3)) {
                          lost.push((e.id || e.textContent.slice(0, 8)) + ' in ' + (box.id || box.className));
                          break;
                        }
                      }
                    });
                    return lost;""")
                self.assertEqual(lost, [])
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": WIDE[0], "height": WIDE[1], "deviceScaleFactor": 1, "mobile": False})

    def tree(self):
        """The browser's accessibility tree, as screen readers get it: node id -> node."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return {node["nodeId"]: node for node in nodes}

    @staticmethod
    def value(node, field):
        return node.get(field, {}).get("value")

    def spoken(self, tree, node):
        """The texts under `node`, in order."""
        if self.value(node, "role") == "StaticText":
            return [self.value(node, "name")]
        return [text for child in node.get("childIds", []) if child in tree for text in self.spoken(tree, tree[child])]

    def announced(self):
        """What the page's polite live regions hold, once the page has settled."""
        self.driver.execute_async_script("var done = arguments[0]; requestAnimationFrame(() => setTimeout(done, 0));")
        tree = self.tree()
        return ["".join(self.spoken(tree, node)) for node in tree.values()
                if any(p["name"] == "live" and p["value"]["value"] == "polite" for p in node.get("properties", []))]

    def test_accessibility_tree(self):
        tree = self.tree()
        roles = [self.value(node, "role") for node in tree.values()]
        self.assertEqual(roles.count("radiogroup"), 1)
        self.assertEqual(roles.count("listbox"), 1)
        self.assertEqual(roles.count("option"), 12)
        self.assertEqual(roles.count("image"), 14)
        # Each option: its caption, then its height group and what its drawing shows, which the
        # drawing's own name says too; eight tall forms, then six medium and low ones; "n of 14".
        radios = [node for node in tree.values() if self.value(node, "role") == "radio"]
        drawings = [self.value(node, "name") for node in tree.values() if self.value(node, "role") == "image"]
        self.assertEqual([self.value(node, "name") for node in radios],
                         [form["caption"] for form in self.expected["forms"]])
        for number, (node, drawing) in enumerate(zip(radios, drawings), 1):
            with self.subTest(number):
                self.assertTrue(drawing)
                self.assertEqual(self.value(node, "description"), ("高木" if number <= 8 else "中低木") + "。" + drawing)
        # The DevTools tree leaves out positions: the options say theirs themselves.
        self.assertEqual(self.js("return Array.from(document.querySelectorAll('input[type=radio]'),"
                                 " r => r.getAttribute('aria-posinset') + '/' + r.getAttribute('aria-setsize'))"),
                         ["%d/14" % number for number in range(1, 15)])
        # Each lookup's result is told politely, from a live region that holds it whole.
        self.assertEqual(self.announced(), [""])
        form = self.expected["forms"][1]
        self.click("optNuman")
        self.click("cmdGo")
        self.assertEqual(self.announced(), [form["description"] + "\u3000樹木の一覧は15種です。"])
        self.select_row(form["species"].index("プラタナス"))
        self.click("Command1")
        self.assertEqual(self.announced(), [self.expected["notes"]["プラタナス"]])


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
                    BUILT))
                driver.find_element(By.ID, "Option9").click()
                driver.find_element(By.ID, "cmdGo").click()
                self.assertEqual(driver.find_element(By.ID, "Label2").text, expected()["forms"][11]["description"])
                broken = driver.execute_script(
                    "return Array.from(document.images).filter(i => !i.complete || !i.naturalWidth).length")
                self.assertEqual(broken, 0)
        finally:
            stop_browser(driver)
            server.stop()

    def test_the_window_comes_before_the_module_and_keeps_early_clicks(self):
        for size, mobile in ((WIDE, False), (NARROW, True)):
            with self.subTest(width=size[0]):
                self.before_the_module(size, mobile)

    def before_the_module(self, size, mobile):
        releases = [threading.Event(), threading.Event()]
        server = Server(handler_class=held_module(releases))
        driver = start_browser(size, mobile, wait_for_load=False)
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})

        def visit():
            driver.get(server.url)
            WebDriverWait(driver, 10).until(lambda d: d.execute_script(
                "return document.readyState !== 'loading' && document.fonts.status === 'loaded' &&"
                " Array.from(document.images).every(i => i.complete)"))
            self.assertTrue(driver.execute_script("return document.getElementById('Form1').ariaBusy === 'true'"))

        try:
            # The first frames, without the module, are the window as it stays.
            visit()
            without = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
            releases[0].set()
            WebDriverWait(driver, 10).until(lambda d: d.execute_script(BUILT))
            driver.execute_script("document.activeElement.blur()")
            attached = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
            self.assertEqual(ImageChops.difference(without, attached).getbbox(), None)
            # A lookup clicked before the module arrives is made once it has.
            visit()
            for name in ("optNuman", "cmdGo"):
                element = driver.find_element(By.ID, name)
                driver.execute_script("return arguments[0].closest('label') || arguments[0]", element).click()
            releases[1].set()
            WebDriverWait(driver, 10).until(lambda d: d.execute_script(BUILT))
            WebDriverWait(driver, 5).until(lambda d: d.find_element(By.ID, "Label2").get_attribute("textContent")
                                           == expected()["forms"][1]["description"])
        finally:
            for release in releases:
                release.set()
            stop_browser(driver)
            server.stop()

    def test_a_redeploy_reaches_a_returning_visitor(self):
        # A build that differs from this one in one byte of index.html, its worker made
        # by the build's own script.
        import makesite  # pylint: disable=import-outside-toplevel
        work = tempfile.mkdtemp(prefix="pemtos-redeploy-")
        try:
            redeployed = os.path.join(work, "redeployed")
            shutil.copytree(SITE, redeployed)
            with open(os.path.join(redeployed, "index.html"), encoding="utf-8") as f:
                page = f.read()
            self.assertIn("JavaScript", page)
            with open(os.path.join(redeployed, "index.html"), "w", encoding="utf-8") as f:
                f.write(page.replace("JavaScript", "Javascript"))
            files = [os.path.relpath(os.path.join(folder, name), redeployed)
                     for folder, _, names in os.walk(redeployed) for name in names]
            makesite.write_worker(redeployed, os.path.join(WEB_SOURCE, "site"), [f for f in files if f != "sw.js"])
            for policy in ("max-age=600", "no-cache"):
                with self.subTest(policy):
                    self.redeploy(work, redeployed, policy)
        finally:
            shutil.rmtree(work, ignore_errors=True)

    def redeploy(self, work, redeployed, policy):
        host = os.path.join(work, "host")
        shutil.rmtree(host, ignore_errors=True)
        shutil.copytree(SITE, host)
        server = Server(host, policy)
        driver = start_browser(WIDE)

        def visit():
            driver.get(server.url)
            WebDriverWait(driver, 30).until(lambda d: d.execute_script(
                BUILT))
            return driver.execute_script("return document.querySelector('noscript').textContent")

        try:
            self.assertIn("JavaScript", visit())
            WebDriverWait(driver, 30).until(lambda d: d.execute_script(
                "return navigator.serviceWorker.controller !== null || "
                "(navigator.serviceWorker.ready.then(() => location.reload()), false)"))
            self.assertIn("JavaScript", visit())  # from the worker's cache now
            shutil.rmtree(host)
            shutil.copytree(redeployed, host)
            # The next visit still opens from the cache, learns of the new build and says so.
            visit()
            WebDriverWait(driver, 30).until(lambda d: d.find_element(By.ID, "update").is_displayed())
            # The one after that is the new build, and only its cache is left.
            self.assertIn("Javascript", visit())
            self.assertEqual(len(driver.execute_async_script(
                "var done = arguments[0]; caches.keys().then(done);")), 1)
        finally:
            stop_browser(driver)
            server.stop()

    def test_manifest_icons_and_description(self):
        with open(os.path.join(SITE, "manifest.webmanifest"), encoding="utf-8") as f:
            manifest = json.load(f)
        self.assertEqual(manifest["name"], "樹形から調べる樹木名と特徴")
        # A phone's home screen shows a dozen characters at most: the title's first words.
        self.assertTrue(manifest["name"].startswith(manifest["short_name"]))
        self.assertLessEqual(len(manifest["short_name"]), 12)
        self.assertEqual(manifest["display"], "standalone")
        sizes = {icon["sizes"] for icon in manifest["icons"] if icon.get("purpose", "any") == "any"}
        self.assertTrue({"192x192", "512x512"} <= sizes, sizes)
        for icon in manifest["icons"]:
            with Image.open(os.path.join(SITE, icon["src"])) as picture:
                self.assertEqual("%dx%d" % picture.size, icon["sizes"])
        # The maskable icon: opaque, and all but its background inside the circle of 80%
        # that every launcher's mask keeps.
        maskable = [icon for icon in manifest["icons"] if icon.get("purpose") == "maskable"]
        self.assertEqual(len(maskable), 1)
        with Image.open(os.path.join(SITE, maskable[0]["src"])) as picture:
            picture = picture.convert("RGBA")
            size = picture.size[0]
            background = picture.getpixel((0, 0))
            self.assertEqual(background[3], 255)
            self.assertEqual("#%02x%02x%02x" % background[:3], manifest["background_color"])
            drawn = [(x, y) for y in range(size) for x in range(size) if picture.getpixel((x, y)) != background]
            self.assertGreater(len(drawn), size * size // 10)
            for x, y in drawn:
                self.assertLessEqual((x + 0.5 - size / 2) ** 2 + (y + 0.5 - size / 2) ** 2, (0.4 * size) ** 2)
        with open(os.path.join(SITE, "index.html"), encoding="utf-8") as f:
            self.assertRegex(f.read(), r'<meta name="description" content="[^"]{40,}">')


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
