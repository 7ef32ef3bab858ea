#!/usr/bin/python3
"""Writes the measuring font: every glyph is a filled box covering its whole cell.

Full-width glyphs (a set of CJK characters) are one em wide, ASCII glyphs half an em.
Ascent + descent equals the em, so the character cell is exactly the em square and a
glyph drawn at height h covers h pixels from the cell's top to its bottom.
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = "Brelvonix Test Boxes"
EM = 1000
ASCENT = 800
DESCENT = 200

# Characters of the seal texts the tests draw, the numerals and a run of the first block.
CJK_TEXT = "中国印章公司财务专用合同发票文件状态一二三四五六七八九十"
CJK_RANGE = range(0x4E00, 0x4E30)


def box(width):
    pen = TTGlyphPen(None)
    if width:
        pen.moveTo((0, -DESCENT))
        pen.lineTo((0, ASCENT))
        pen.lineTo((width, ASCENT))
        pen.lineTo((width, -DESCENT))
        pen.closePath()
    return pen.glyph()


def main(out_path):
    code_points = {}
    for cp in sorted(set(CJK_RANGE) | {ord(c) for c in CJK_TEXT}):
        code_points[cp] = EM
    for cp in range(0x21, 0x7F):
        code_points[cp] = EM // 2

    glyph_order = [".notdef", "space"] + ["u%04X" % cp for cp in sorted(code_points)]
    cmap = {0x20: "space"}
    glyphs = {".notdef": box(0), "space": box(0)}
    metrics = {".notdef": (EM // 2, 0), "space": (EM // 2, 0)}
    for cp, width in code_points.items():
        name = "u%04X" % cp
        cmap[cp] = name
        glyphs[name] = box(width)
        metrics[name] = (width, 0)

    fb = FontBuilder(EM, isTTF=True)
    fb.setupGlyphOrder(glyph_order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    fb.setupNameTable({"familyName": FAMILY, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=DESCENT, xAvgCharWidth=EM // 2,
                ulCodePageRange1=(1 << 18))  # the simplified Chinese code page
    fb.setupPost()
    fb.save(out_path)


if __name__ == "__main__":
    main(sys.argv[1])
