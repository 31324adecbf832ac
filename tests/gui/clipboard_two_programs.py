#!/usr/bin/env python3
"""Cards copied in one running program and pasted in another, through the
clipboard of an X display: with their contact methods when the two books
number them differently; cut; bytes from elsewhere refused.
Usage: clipboard_two_programs.py PEER KOLVANE-CLI"""
import json, os, shutil, subprocess, sys, tempfile

peer_program, cli = sys.argv[1:3]
if not os.environ.get("KOLVANE_XVFB"):
    if not shutil.which("xvfb-run"):
        print("xvfb-run is missing: skipped")
        sys.exit(77)
    os.environ["KOLVANE_XVFB"] = "1"
    os.execvp("xvfb-run", ["xvfb-run", "-a", sys.executable] + sys.argv)
os.environ["QT_QPA_PLATFORM"] = "xcb"
folder = tempfile.mkdtemp()

def card(notation, name, company, method, text):
    return {"notation": notation, "furigana": "", "name": name, "title": "", "company": company,
            "zip": "", "address": "", "other": "", "notes": "",
            "contacts": [{"method": method, "text": text}]}

def book(name, cards, method):
    path = os.path.join(folder, name)
    with open(path + ".json", "w", encoding="utf-8") as out:
        json.dump({"version": 1, "cards": cards, "methods": [
            {"id": 0, "ja": "", "en": ""}, {"id": 1, "ja": "電話", "en": "Phone"},
            {"id": 8, "ja": method[0], "en": method[1]}]}, out, ensure_ascii=False)
    subprocess.run([cli, "from-json", path + ".json", path], check=True)
    return path

def cards(path):
    """The book's cards with each contact's method by its names."""
    dump = json.loads(subprocess.run([cli, "dump", path], check=True, capture_output=True).stdout)
    names = {m["id"]: (m["ja"], m["en"]) for m in dump["methods"]}
    for c in dump["cards"]:
        c["contacts"] = [(names[x["method"]], x["text"]) for x in c["contacts"]]
    return dump["cards"]

class Peer:
    def __init__(self, path):
        env = dict(os.environ, XDG_RUNTIME_DIR=tempfile.mkdtemp(), XDG_CONFIG_HOME=tempfile.mkdtemp())
        self.p = subprocess.Popen([peer_program, path], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, text=True, env=env)
        self.read()

    def read(self):
        lines = []
        while (line := self.p.stdout.readline()) and line != "ok\n":
            lines.append(line.rstrip("\n"))
        assert line, "the peer ended"
        return lines

    def __call__(self, command):
        self.p.stdin.write(command + "\n")
        self.p.stdin.flush()
        return self.read()

a = book("a.kvd", [card(0, "山田 太郎", "山田商事", 8, "03-1"), card(1, "Brown Anna", "Zeta", 1, "555"),
                   card(0, "青木 優子", "", 8, "03-2")], ("自宅", "Home"))
b = book("b.kvd", [card(0, "河童 一郎", "", 8, "06-1")], ("勤務先", "Office"))
copier, paster = Peer(a), Peer(b)
copier("select 0 1 2")
copier("key Ctrl+C")
assert {"Kolvane Cards", "Kolvane Contact Methods", "text/plain"} <= set(paster("formats"))
paster("key Ctrl+V")
paster("save")
key = lambda c: c["name"]
assert sorted(cards(b)[1:], key=key) == sorted(cards(a), key=key), cards(b)
copier("select 0")
copier("key Shift+Del")
copier("save")
assert len(cards(a)) == 2 and copier("messages") == [], copier("messages")
paster("blob ffffffff00")
paster("key Ctrl+V")
assert len(paster("messages")) == 1
paster("save")
assert len(cards(b)) == 4
print("passed")
