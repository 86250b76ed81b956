"""What the page's head promises, checked in headless Chromium: its Content
Security Policy holds while the program runs under it, and the icons it and
its manifest name are there at their sizes.

    ZENALTO_WEB_SITE=build/web/site python3 -m unittest -v test_page_head"""

import os
import unittest
from pathlib import Path

from selenium.webdriver.support.ui import WebDriverWait

from webpage import ENGINE, REPO, Browser, StaticServer

SITE = Path(os.environ.get("ZENALTO_WEB_SITE", REPO / "build" / "web" / "site"))


@unittest.skipUnless(ENGINE == "chromium", "the page's head is the same in every engine: checked once")
class PageHeadTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        if not (SITE / "index.html").is_file():
            raise RuntimeError(f"{SITE}/index.html is missing: build the site first (tools/test-web.sh)")
        cls.server = StaticServer(SITE)
        cls.browser = Browser()
        cls.driver = cls.browser.driver

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.stop()

    def setUp(self):
        self.driver.get(self.server.url)
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))
        self.assertEqual(self.browser.console_errors(), [], "errors in the browser's console")

    def test_no_inline_script_or_style_runs(self):
        refused = self.driver.execute_async_script("""
            const done = arguments[0], seen = [];
            document.addEventListener("securitypolicyviolation", e => seen.push(e.effectiveDirective));
            const script = document.createElement("script");
            try { script.text = "document.documentElement.dataset.inline = 'ran'"; } catch (e) { seen.push(e.name); }
            document.head.append(script);
            const style = document.createElement("style");
            style.textContent = "#Form1 { color: rgb(255, 0, 0) }";
            document.head.append(style);
            const text1 = document.getElementById("Text1");
            text1.setAttribute("style", "color: rgb(255, 0, 0)");
            setTimeout(() => done([seen.sort(), document.documentElement.dataset.inline || "",
                                   getComputedStyle(text1).color]), 500);""")
        self.browser.console_errors()  # the refusals are logged
        seen, inline, colour = refused
        self.assertIn("TypeError", seen)  # Trusted Types: a plain string is no script
        self.assertIn("style-src-elem", seen)
        self.assertIn("style-src-attr", seen)
        self.assertEqual(inline, "")
        self.assertNotEqual(colour, "rgb(255, 0, 0)")

    def test_the_icons_named_are_there_at_their_sizes(self):
        icons = self.driver.execute_async_script("""
            const done = arguments[0];
            const size = src => new Promise(resolve => {
              const image = new Image();
              image.onload = () => resolve(image.naturalWidth + "x" + image.naturalHeight);
              image.onerror = () => resolve("missing");
              image.src = src;
            });
            const touch = document.querySelector("link[rel=apple-touch-icon]").href;
            fetch("manifest.webmanifest").then(answer => answer.json()).then(manifest =>
              Promise.all([size(touch)].concat(manifest.icons.map(icon => size(icon.src).then(found =>
                [icon.purpose || "any", icon.sizes, found]))))).then(done);""")
        touch, named = icons[0], icons[1:]
        self.assertEqual(touch, "180x180")
        for purpose, sizes, found in named:
            if sizes != "any":
                self.assertEqual(found, sizes)
            self.assertNotEqual(found, "missing")
        self.assertIn(["maskable", "512x512", "512x512"], named)
        self.assertTrue(self.driver.execute_script(
            "return !!document.querySelector('meta[name=description]').content"
            " && !!document.querySelector('meta[name=theme-color]').content"))


if __name__ == "__main__":
    unittest.main()
