"""axe-core's WCAG 2.0, 2.1 and 2.2 A and AA rules and its best practices
on the page in Chromium, in five states: the main window alone, a menu
open, the list open, the About window open, a message box open.

Each state must have no violation. axe-core comes from npm, pinned by
tests/web/package-lock.json (tools/test-web.sh runs npm ci)."""

import unittest
from pathlib import Path

from selenium.webdriver.common.keys import Keys

from test_page import HELP, PageTest, setUpModule, tearDownModule  # noqa: F401 (the server)
from webpage import ENGINE

AXE = Path(__file__).resolve().parent / "node_modules" / "axe-core" / "axe.min.js"
TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]

@unittest.skipUnless(ENGINE == "chromium", "axe-core runs in Chromium only")
class AxeTest(PageTest):
    def violations(self):
        """{rule id: [the CSS targets of its nodes]} in the page as it is."""
        if not self.js("return typeof axe !== 'undefined'"):
            self.js(AXE.read_text() + "\nreturn true;")
        found = self.js("""return axe.run(document, {runOnly: {type: 'tag', values: arguments[0]},
                                                    resultTypes: ['violations']})
                                  .then((r) => r.violations.map((v) => [v.id, v.nodes.map((n) => n.target.join(' '))]));""",
                        TAGS)
        return dict((rule, targets) for rule, targets in found)

    def check(self, state):
        with self.subTest(state):
            self.assertEqual(self.violations(), {}, f"{state}: violations")

    def test_five_states(self):
        self.open()
        self.check("main window")
        self.click("Archivo")
        self.wait_for("return document.getElementById('Calcular').checkVisibility()")
        self.check("menu open")
        self.keys(Keys.ESCAPE)
        self.click("Combo1-button")
        self.wait_for("return document.getElementById('Combo1-list').checkVisibility()")
        self.check("list open")
        self.keys(Keys.ESCAPE)
        self.click("Command4")
        self.wait_for("return document.getElementById('frmAbout')?.checkVisibility()")
        self.check("About open")
        self.choose("Help", "Ayuda")
        self.assertEqual(self.message()[1], HELP)
        self.check("message box open")
        self.close_message("OK")
