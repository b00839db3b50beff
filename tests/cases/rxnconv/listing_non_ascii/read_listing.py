"""A second XML reader: prints the title, the memo and each equation of the listing in UTF-8."""
import sys
import xml.etree.ElementTree as ElementTree

root = ElementTree.parse(sys.argv[1]).getroot()
texts = [root.findtext("title"), root.findtext("memo")]
texts += [equation.text.strip() for equation in root.iter("equation")]
sys.stdout.buffer.write("".join(text + "\n" for text in texts).encode("utf-8"))
