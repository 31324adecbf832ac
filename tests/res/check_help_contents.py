#!/usr/bin/env python3
"""The help page's contents link every section, in the page's order, and every
link inside the page leads to a section that exists."""
import re
import sys

page = open(sys.argv[1], encoding="utf-8").read()
sections = re.findall(r'<h2 id="([^"]+)">', page)
nav = re.search(r"<nav>(.*?)</nav>", page, re.S)
contents = re.findall(r'href="#([^"]+)"', nav.group(1)) if nav else []
links = set(re.findall(r'href="#([^"]+)"', page))
problems = []
if contents != sections:
    problems.append(f"contents {contents} != sections {sections}")
problems += [f"link to missing section #{link}" for link in sorted(links - set(sections))]
print("\n".join(problems))
sys.exit(1 if problems else 0)
