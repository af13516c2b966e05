#!/usr/bin/env python3
"""Checks the compiled help.chm as a reader sees it: its table of contents and index lead only to
pages inside the file, every page is reachable from the contents, every link and picture of every
page is inside the file, and the two pages the player opens by name are there.

Usage: check_help.py CHMLS HELP.CHM HELP_SOURCE_DIR
"""
import html.parser
import os
import re
import subprocess
import sys
import tempfile
import unittest

CHMLS, CHM, SOURCES = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)

# The file types of the association dialog (its placeholder slots aside), each of which the
# dialog's Help page has to explain.
ASSOCIATION_TYPES = [
    ".wmv", ".mpg", ".mpeg", ".m1v", ".dat", ".asf", ".m2v", ".ifo", ".avi", ".divx", ".mp4",
    ".mp3", ".mp2", ".mpa", ".wav", ".wma", ".au", ".aif", ".aiff", ".snd", ".mid", ".midi",
    ".rmi", ".ogg", ".ogm",
]


def run(*args):
    return subprocess.run([CHMLS, *args], check=True, capture_output=True, text=True).stdout


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets = []
        self.sitemap_locals = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.targets.append(a["href"])
        elif tag in ("img", "link") and ("src" in a or "href" in a):
            self.targets.append(a.get("src") or a.get("href"))
        elif tag == "param" and (a.get("name") or "").lower() == "local":
            self.sitemap_locals.append(a.get("value") or "")


def parse(text):
    p = Links()
    p.feed(text)
    return p


class CompiledHelp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        listing = run("-n", "-p", "list", CHM)
        cls.names = {line.strip().lstrip("/") for line in listing.splitlines()
                     if line.startswith("/") and not line.startswith("/#") and not line.startswith("/$")}
        cls.tmp = tempfile.TemporaryDirectory()
        toc = os.path.join(cls.tmp.name, "toc")
        index = os.path.join(cls.tmp.name, "index")
        run("extracttoc", CHM, toc)
        run("extractindex", CHM, index)
        with open(toc, encoding="latin-1") as f:
            cls.toc = parse(f.read()).sitemap_locals
        with open(index, encoding="latin-1") as f:
            cls.index = parse(f.read()).sitemap_locals
        cls.pages = {}
        for name in cls.names:
            if name.endswith(".htm"):
                out = os.path.join(cls.tmp.name, name)
                run("extract", CHM, "/" + name, out)
                with open(out, encoding="latin-1") as f:
                    cls.pages[name] = f.read()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_pages_the_player_opens_by_name_are_inside(self):
        self.assertIn("Introduction.htm", self.names)
        self.assertIn("supportmediatype.htm", self.names)

    def test_contents_lead_only_to_pages_inside_and_reach_every_page(self):
        self.assertGreaterEqual(len(self.toc), 10)
        for local in self.toc:
            self.assertIn(local, self.names, f"contents entry {local!r} has no page")
        self.assertEqual(set(self.toc), set(self.pages), "pages missing from the contents")
        self.assertEqual(self.toc[0], "Introduction.htm")

    def test_index_leads_only_to_pages_inside(self):
        self.assertGreaterEqual(len(self.index), 20)
        for local in self.index:
            self.assertIn(local, self.names, f"index entry {local!r} has no page")

    def test_every_link_and_picture_of_every_page_is_inside(self):
        for page, text in self.pages.items():
            self.assertRegex(text, r"<title>[^<]+</title>", page)
            for target in parse(text).targets:
                if re.match(r"^[a-z]+:", target) or target.startswith("#"):
                    continue
                self.assertIn(target.split("#")[0], self.names, f"{page} links to missing {target!r}")

    def test_media_types_page_explains_every_type_of_the_association_dialog(self):
        text = self.pages["supportmediatype.htm"]
        for ext in ASSOCIATION_TYPES:
            self.assertIn(f"<code>{ext}</code>", text, ext)

    def test_every_source_page_was_compiled(self):
        sources = {n for n in os.listdir(SOURCES) if n.endswith(".htm")}
        self.assertEqual(sources, set(self.pages))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
