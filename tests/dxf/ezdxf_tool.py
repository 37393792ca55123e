"""Independent writer and reader of DXF files for the tests (python3-ezdxf).

  make VERSION PATH     writes a drawing with known content
  check PATH            prints audit errors, entity counts, layers, line types
"""
import json
import sys

import ezdxf


def make(version, path):
    doc = ezdxf.new(version)
    if version == "R12":
        doc.header["$DWGCODEPAGE"] = "ANSI_932"
    doc.linetypes.add("DASHDOT", pattern=[10.0, 6.0, -2.0, 0.0, -2.0], description="dash dot")
    doc.layers.add("WALLS", color=1, linetype="DASHDOT")
    doc.layers.add("A_VERY_LONG_LAYER_NAME_INDEED", color=3)
    doc.styles.add("ROMAN_STYLE_WITH_LONG_NAME", font="romans.shx")
    doc.styles.add("ROMAN_STYLE_WITH_LONG_NAME_2", font="romans.shx")
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "WALLS"})
    msp.add_line((0, 10), (100, 10), dxfattribs={"color": 5, "linetype": "DASHDOT", "lineweight": 50})
    msp.add_arc((50, 50), 20, 30, 120)
    msp.add_circle((10, 10), 5, dxfattribs={"layer": "A_VERY_LONG_LAYER_NAME_INDEED"})
    msp.add_point((1, 2))
    text = "\u56f3\u9762 A" if version == "R12" else "\u56f3\u9762 \u20ac\U0001F600"
    msp.add_text(text, dxfattribs={"height": 3.5, "rotation": 90, "style": "ROMAN_STYLE_WITH_LONG_NAME"}).set_placement((5, 5))
    block = doc.blocks.new("PART")
    block.add_line((0, 0), (10, 0), dxfattribs={"color": 0})
    msp.add_blockref("PART", (200, 0), dxfattribs={"rotation": 90, "color": 2})
    msp.add_polyline2d([(0, 0), (10, 0), (10, 10)], dxfattribs={"closed": True})
    if version != "R12":
        msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0, 0, 0, 0)], format="xyseb")
        msp.add_mtext("line one\\Pline two", dxfattribs={"char_height": 2.5, "insert": (0, -20)})
        hatch = msp.add_hatch(color=4)
        edges = hatch.paths.add_edge_path()
        edges.add_line((0, 0), (5, 0))
        edges.add_line((5, 0), (5, 5))
        edges.add_line((5, 5), (0, 0))
        msp.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)])
        msp.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)])
        msp.add_line((0, 0), (1, 1), dxfattribs={"true_color": 0x123456})
    doc.saveas(path)


def check(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    counts = {}
    for entity in doc.modelspace():
        counts[entity.dxftype()] = counts.get(entity.dxftype(), 0) + 1
    print(json.dumps({
        "version": doc.dxfversion,
        "errors": [str(e.message) for e in auditor.errors],
        "entities": counts,
        "layers": [layer.dxf.name for layer in doc.layers],
        "linetypes": [lt.dxf.name for lt in doc.linetypes],
        "colours": sorted({e.dxf.color for e in doc.modelspace() if e.dxf.hasattr("color")}),
    }))


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3])
    else:
        check(sys.argv[2])
