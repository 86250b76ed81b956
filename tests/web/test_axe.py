"""Two accessibility checkers on the page in Chromium, in five states: the
main window alone, a menu open, the list open, the About window open, a
message box open. axe-core's WCAG 2.0, 2.1 and 2.2 A and AA rules and its
best practices; IBM's Equal Access engine (accessibility-checker-engine)
with its WCAG_2_2 policy, whose violations are its failures (what it asks a
person to verify is not one).

Each state must have no violation, but for EXEMPT. Both come from npm,
pinned by tests/web/package-lock.json (tools/test-web.sh runs npm ci)."""

import unittest
from pathlib import Path

from selenium.webdriver.common.keys import Keys

from test_page import HELP, PageTest, setUpModule, tearDownModule  # noqa: F401 (the server)
from webpage import ENGINE

MODULES = Path(__file__).resolve().parent / "node_modules"
AXE = MODULES / "axe-core" / "axe.min.js"
ACE = MODULES / "accessibility-checker-engine" / "ace.js"
TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]

# (checker, rule, the element's id) that a desktop's convention overrides.
# The menu bar is left out of the tab order, as on the desktop, where Tab
# goes from control to control and F10 or Alt enters the menu bar (as on
# the page); IBM's aria_child_tabbable wants one of its items in the tab
# order.
EXEMPT = {("ibm", "aria_child_tabbable", "Form1-menubar")}

@unittest.skipUnless(ENGINE == "chromium", "the checkers run in Chromium only")
class AxeTest(PageTest):
    def violations(self):
        """{(checker, rule id, the id or path of an element)} in the page as it is."""
        if not self.js("return typeof axe !== 'undefined'"):
            self.js(AXE.read_text() + "\nreturn true;")
        if not self.js("return typeof ace !== 'undefined'"):
            self.js(ACE.read_text() + "\nwindow.ace = ace; return true;")
        found = self.js("""return axe.run(document, {runOnly: {type: 'tag', values: arguments[0]},
                                                    resultTypes: ['violations']})
                                  .then((r) => r.violations.flatMap((v) => v.nodes.map((n) => [v.id, n.target.join(' ')])));""",
                        TAGS)
        ibm = self.js("""return new ace.Checker().check(document, ['WCAG_2_2']).then((r) => r.results
            .filter((x) => x.value[0] === 'VIOLATION' && x.value[1] === 'FAIL').map((x) => [x.ruleId,
                document.evaluate(x.path.dom, document, null, XPathResult.FIRST_ORDERED_NODE_TYPE, null)
                    .singleNodeValue?.id || x.path.dom]));""")
        return {("axe", rule, target) for rule, target in found} | {("ibm", rule, at) for rule, at in ibm}

    def check(self, state):
        with self.subTest(state):
            self.assertEqual(self.violations() - EXEMPT, set(), f"{state}: violations")

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
