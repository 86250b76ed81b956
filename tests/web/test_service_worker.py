"""The page's service worker as a publisher and a user meet it: a site
published file by file, a new version while a page is open, two copies of
the site in two folders of one host, and addresses other than the page's,
online and offline.

    ZENALTO_WEB_SITE=build/web/site python3 -m unittest -v test_service_worker

Each test copies the built site into a folder of its own, makes a second
version of it where it needs one (a page and style sheet changed, and the
service worker the build would write for them, by the build's own
MakeServiceWorker.cmake), serves it on a port of its own and visits it in a
fresh Chromium."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from selenium.webdriver.support.ui import WebDriverWait

from webpage import ENGINE, REPO, Browser, StaticServer

SITE = Path(os.environ.get("ZENALTO_WEB_SITE", REPO / "build" / "web" / "site"))
OFFLINE = "Sin conexión: esta dirección no está guardada para usarla sin red."
# What the second version's page carries, and the first's does not.
MARK = '<meta name="zenalto-version" content="B">'


def publish(folder):
    """A copy of the built site in `folder`."""
    shutil.copytree(SITE, folder)
    return Path(folder)


def make_second_version(folder):
    """Changes the page and its style sheet in `folder`, and writes the
    service worker the build would write for them."""
    folder = Path(folder)
    page = (folder / "index.html").read_text(encoding="utf-8")
    (folder / "index.html").write_text(page.replace("<head>\n", "<head>\n" + MARK + "\n", 1),
                                       encoding="utf-8")
    with open(folder / "zenalto.css", "a", encoding="utf-8") as style:
        style.write("\n/* the second version */\n")
    subprocess.run(["cmake", f"-DSITE={folder}", f"-DTEMPLATE={REPO / 'app/web/sw.js.in'}",
                    "-P", str(REPO / "app/web/MakeServiceWorker.cmake")], check=True)


@unittest.skipUnless(ENGINE == "chromium", "the network is taken away through Chromium's DevTools protocol")
class ServiceWorkerTest(unittest.TestCase):

    def setUp(self):
        if not (SITE / "index.html").is_file():
            raise RuntimeError(f"{SITE}/index.html is missing: build the site first (tools/test-web.sh)")
        self.root = Path(tempfile.mkdtemp(prefix="zenalto-sw-"))
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.server = StaticServer(self.root)
        self.addCleanup(self.server.stop)
        self.browser = Browser()
        self.addCleanup(self.browser.quit)
        self.driver = self.browser.driver

    # What a user does.
    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, script, timeout=20):
        WebDriverWait(self.driver, timeout).until(lambda d: d.execute_script(script))

    def open(self, folder):
        """Opens the page in `folder` and waits until the program runs, and
        that without an error in the console. True when the page is the
        second version's."""
        self.driver.get(self.server.url + folder)
        self.wait_for("return document.documentElement.dataset.ready === 'true'")
        self.driver.find_element("id", "Command1").click()
        self.assertEqual(self.js("return document.getElementById('Text3').value"), "7812.50598")
        self.assertEqual(self.browser.console_errors(), [], "errors in the browser's console")
        return self.js("return !!document.querySelector('meta[name=zenalto-version]')")

    def install(self, folder):
        """Opens the page in `folder` until its worker is active and serves it."""
        self.open(folder)
        self.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        self.open(folder)
        self.assertTrue(self.js("return !!navigator.serviceWorker.controller"))

    def look_for_update(self):
        """Has the browser look for a new worker now, as it does on a visit,
        and returns how its install ended: 'installed', or 'redundant' when
        it failed."""
        return self.driver.execute_async_script("""
            const done = arguments[0];
            navigator.serviceWorker.getRegistration().then(r => {
              let worker = null, ended = false;
              const finish = state => { if (!ended) { ended = true; done(state); } };
              const follow = w => {
                if (!w || worker) return;
                worker = w;
                const check = () => { if (w.state !== "installing") finish(w.state); };
                w.addEventListener("statechange", check);
                check();
              };
              r.addEventListener("updatefound", () => follow(r.installing));
              r.update().then(() => {
                follow(r.installing || r.waiting);
                setTimeout(() => { if (!worker) finish("none"); }, 2000);
              }, error => finish(String(error)));
            });""")

    def close_and_reopen(self, folder):
        """Leaves the page, so that a waiting worker may take over, and comes
        back once none is waiting. True when the page is the second version's."""
        for _ in range(20):
            self.driver.get("about:blank")
            time.sleep(0.2)
            second = self.open(folder)
            if self.js("return navigator.serviceWorker.getRegistration()"
                       ".then(r => !r.waiting && !r.installing)"):
                return second
        self.fail("a new worker never took over")

    def go_offline(self):
        self.server.stop()
        # A connection the browser opened ahead of need and the server took
        # before it stopped is still served, and offline emulation does not
        # reach the worker's own requests: use such connections up, until
        # one is refused.
        self.driver.execute_async_script("""
            const done = arguments[0];
            const next = i => i === 10 ? done() : fetch("zenalto-drain?" + i, { cache: "no-store" })
              .then(() => next(i + 1), () => done());
            next(0);""")
        self.browser.console_errors()  # the refused and the 404 loads
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})

    def go_online(self):
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        self.server.start()

    def navigation(self, address):
        """Opens `address` and returns its status, type and text."""
        self.driver.get(self.server.url + address)
        answer = self.js("""return [performance.getEntriesByType("navigation")[0].responseStatus,
                                    document.contentType, document.body.innerText]""")
        self.browser.console_errors()  # a 404 or 503 is logged as a failed load
        return answer

    # The tests.
    def test_a_half_published_version_is_refused_and_the_old_one_stays(self):
        site = publish(self.root / "site")
        self.install("site/")
        second = publish(self.root / "second")
        make_second_version(second)
        # The new page and worker are there, the old style sheet still.
        shutil.copy(second / "index.html", site / "index.html")
        shutil.copy(second / "sw.js", site / "sw.js")
        self.assertEqual(self.look_for_update(), "redundant")
        self.assertFalse(self.close_and_reopen("site/"), "the half-published version was used")
        self.go_offline()
        try:
            self.assertFalse(self.open("site/"))
        finally:
            self.go_online()
        # The style sheet comes: the whole new version is taken.
        shutil.copy(second / "zenalto.css", site / "zenalto.css")
        self.assertEqual(self.look_for_update(), "installed")
        self.assertTrue(self.close_and_reopen("site/"))
        self.go_offline()
        try:
            self.assertTrue(self.open("site/"))
        finally:
            self.go_online()

    def test_a_new_version_serves_the_next_page_opened(self):
        site = publish(self.root / "site")
        self.install("site/")
        second = publish(self.root / "second")
        make_second_version(second)
        shutil.rmtree(site)
        shutil.copytree(second, site)
        self.assertIn(self.look_for_update(), ("installed", "activating", "activated"))
        # The new worker takes over with the old page still open...
        self.wait_for("return navigator.serviceWorker.getRegistration()"
                      ".then(r => !r.waiting && !r.installing && r.active.state === 'activated')", timeout=10)
        # ...which keeps every file of its own version: its style sheet, and
        # the About picture that it loads only now.
        style = self.js("return fetch('zenalto.css').then(answer => answer.text())")
        self.assertFalse("the second version" in style, "the open page got the new style sheet")
        self.driver.find_element("id", "Command4").click()
        self.wait_for("const picture = document.querySelector('#frmAbout img');"
                      "return picture && picture.complete && picture.naturalWidth > 0")
        self.assertEqual(self.browser.console_errors(), [], "errors in the browser's console")
        # A reload is the new version, online and offline, and the old
        # version's cache goes once no page uses it (and its last page has
        # been closed for ten seconds), at a later start.
        self.driver.refresh()
        self.assertTrue(self.open("site/"))
        time.sleep(10.5)
        self.assertTrue(self.open("site/"))
        self.wait_for("return caches.keys().then(names => names.filter("
                      "name => name.startsWith('zenalto ' + new URL('./', location.href))).length === 1)")
        self.go_offline()
        try:
            self.assertTrue(self.open("site/"))
        finally:
            self.go_online()

    def test_two_copies_in_two_folders_each_keep_their_own(self):
        publish(self.root / "estable")
        make_second_version(publish(self.root / "pruebas"))
        self.install("estable/")
        self.install("pruebas/")
        self.go_offline()
        try:
            self.assertFalse(self.open("estable/"))
            self.assertTrue(self.open("pruebas/"))
            self.assertFalse(self.open("estable/index.html?desde=favoritos"))
        finally:
            self.go_online()

    def test_other_addresses_are_not_the_page(self):
        publish(self.root / "site")
        self.install("site/")
        status, kind, text = self.navigation("site/fonts/LICENSE.txt")
        self.assertEqual((status, kind), (200, "text/plain"))
        self.assertIn("SIL Open Font License", text)
        status, kind, text = self.navigation("site/calculo.html")
        self.assertEqual(status, 404)
        self.go_offline()
        try:
            self.assertEqual(self.navigation("site/calculos/"), [503, "text/plain", OFFLINE])
            status, kind, text = self.navigation("site/fonts/LICENSE.txt")
            self.assertEqual((status, kind), (200, "text/plain"))
            self.assertFalse(self.open("site/?desde=favoritos"))
        finally:
            self.go_online()


if __name__ == "__main__":
    unittest.main()
