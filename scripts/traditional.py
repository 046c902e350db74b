#!/usr/bin/env python3
"""Fills every translation of a .ts file with its source text turned into
Traditional Chinese by OpenCC, then applies the reviewed corrections.

traditional.py FILE.ts OPENCC_CONFIG FIXES LANGUAGE

FIXES holds lines "LANGUAGE<tab>OpenCC's text<tab>the right text" ("*" for
every language); each replaces a text inside a translation. Lines starting
with "#" are comments.
"""
import subprocess
import sys
import xml.etree.ElementTree as ET

SEPARATOR = "\n\u2063\u2063\n"  # a line OpenCC passes through untouched


def convert(texts, config):
    joined = SEPARATOR.join(texts)
    done = subprocess.run(["opencc", "-c", config], input=joined.encode(),
                          stdout=subprocess.PIPE, check=True).stdout.decode()
    parts = done.split(SEPARATOR)
    if len(parts) != len(texts):
        sys.exit("OpenCC changed the separator: nothing written")
    return parts


def fixes(path, language):
    pairs = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            which, wrong, right = line.split("\t")
            if which in ("*", language):
                pairs.append((wrong, right))
    return pairs


def main():
    ts, config, fixes_path, language = sys.argv[1:5]
    tree = ET.parse(ts)
    messages = tree.getroot().iter("message")
    messages = [m for m in messages]
    sources = [m.find("source").text or "" for m in messages]
    corrections = fixes(fixes_path, language)
    for message, text in zip(messages, convert(sources, config)):
        for wrong, right in corrections:
            text = text.replace(wrong, right)
        translation = message.find("translation")
        translation.text = text
        translation.attrib.pop("type", None)
    tree.write(ts, encoding="utf-8", xml_declaration=True)


main()
