#!/usr/bin/env python3
"""The bundled sample is a tidy book a newcomer would keep: every card has a name
and a notation a card form gave it."""
import json
import sys

cards = json.load(open(sys.argv[1], encoding="utf-8"))["cards"]
problems = [f"card {i}: {card}" for i, card in enumerate(cards, 1)
            if not card.get("name") or card.get("notation") not in (0, 1)]
print("\n".join(problems))
sys.exit(1 if problems else 0)
