"""Independent writer and reader of DXF files for the tests (python3-ezdxf).

  make VERSION PATH     writes a drawing with known content
  check PATH            prints audit errors, entity counts, layers, line types
  plan PATH             writes a small floor plan (walls, doors, windows,
                        dimensions, hatches, texts, a title block)
  curves PATH           writes curves the model has no element for: a hatch
                        bounded by a polyline path with a bulge, ellipses,
                        splines by control points and by fit points
  mixed COUNT PATH      writes COUNT rounds of every kind of entity the
                        reader maps (R2000, code page 932), on layers and in
                        colours that are not in the tables
  mirrored PATH         writes entities with the extrusion (0, 0, -1) and an
                        arc with a tilted one; prints, per colour, world
                        points on each mirrored entity as ezdxf computes them
"""
import json
import math
import sys

import ezdxf
from ezdxf import path as ezpath
from ezdxf.math import OCS


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


def plan(path):
    doc = ezdxf.new("R2018", setup=True)
    doc.header["$INSUNITS"] = 4
    for name, colour, linetype, weight in [("WALLS", 7, "Continuous", 50), ("DOORS", 3, "Continuous", 25),
                                           ("WINDOWS", 5, "Continuous", 18), ("DIMS", 1, "Continuous", 13),
                                           ("HATCH", 8, "Continuous", 9), ("AXES", 6, "CENTER", 13),
                                           ("TEXT", 7, "Continuous", 18), ("FRAME", 7, "Continuous", 70)]:
        doc.layers.add(name, color=colour, linetype=linetype, lineweight=weight)
    door = doc.blocks.new("DOOR900")
    door.add_line((0, 0), (0, 900), dxfattribs={"layer": "0"})
    door.add_arc((0, 0), 900, 0, 90, dxfattribs={"layer": "0"})
    window = doc.blocks.new("WINDOW1200")
    for y in (0, 100, 200):
        window.add_line((0, y), (1200, y))
    msp = doc.modelspace()
    rooms = [(0, 0, 6000, 4500), (6000, 0, 10000, 4500), (0, 4500, 4000, 8000), (4000, 4500, 10000, 8000)]
    for x1, y1, x2, y2 in rooms:
        msp.add_lwpolyline([(x1, y1), (x2, y1), (x2, y2), (x1, y2)], close=True, dxfattribs={"layer": "WALLS"})
        hatch = msp.add_hatch(dxfattribs={"layer": "HATCH", "color": 254})
        hatch.set_pattern_fill("ANSI31", scale=40)
        edges = hatch.paths.add_edge_path()
        for a, b in [((x1, y1), (x1 + 200, y1)), ((x1 + 200, y1), (x1 + 200, y2)), ((x1 + 200, y2), (x1, y2)), ((x1, y2), (x1, y1))]:
            edges.add_line(a, b)
        msp.add_text("ROOM %d" % (rooms.index((x1, y1, x2, y2)) + 1),
                     dxfattribs={"layer": "TEXT", "height": 250}).set_placement(((x1 + x2) / 2 - 600, (y1 + y2) / 2))
    for x, y, angle in [(1000, 4500, 0), (7000, 4500, 0), (5000, 0, 90)]:
        msp.add_blockref("DOOR900", (x, y), dxfattribs={"layer": "DOORS", "rotation": angle})
    for x, y in [(1500, -100), (7500, -100), (2000, 7900), (7000, 7900)]:
        msp.add_blockref("WINDOW1200", (x, y), dxfattribs={"layer": "WINDOWS"})
    for x in (0, 6000, 10000):
        msp.add_line((x, -1500), (x, 9000), dxfattribs={"layer": "AXES"})
    msp.add_linear_dim(base=(0, -800), p1=(0, 0), p2=(6000, 0), dxfattribs={"layer": "DIMS"}).render()
    msp.add_linear_dim(base=(0, -800), p1=(6000, 0), p2=(10000, 0), dxfattribs={"layer": "DIMS"}).render()
    msp.add_linear_dim(base=(-800, 0), p1=(0, 0), p2=(0, 8000), angle=90, dxfattribs={"layer": "DIMS"}).render()
    msp.add_radius_dim(center=(12500, 2000), radius=800, angle=45, dxfattribs={"layer": "DIMS"}).render()
    msp.add_circle((12500, 2000), 800, dxfattribs={"layer": "WALLS"})
    msp.add_lwpolyline([(-2000, -2500), (15000, -2500), (15000, 10000), (-2000, 10000)], close=True, dxfattribs={"layer": "FRAME"})
    msp.add_lwpolyline([(9000, -2500), (15000, -2500), (15000, -1000), (9000, -1000)], close=True, dxfattribs={"layer": "FRAME"})
    msp.add_mtext("FLOOR PLAN\\Pscale 1:100", dxfattribs={"layer": "TEXT", "char_height": 300, "insert": (9300, -1200)})
    msp.add_spline([(11000, 5000), (12000, 6500), (13000, 5500), (14000, 7000)], dxfattribs={"layer": "AXES"})
    msp.add_ellipse((12500, 8000), major_axis=(1000, 0), ratio=0.5, dxfattribs={"layer": "WALLS"})
    doc.saveas(path)


def curves(path):
    doc = ezdxf.new("R2000")
    doc.layers.add("CURVES", color=3)
    msp = doc.modelspace()
    hatch = msp.add_hatch(color=4, dxfattribs={"layer": "CURVES"})
    # A square whose top edge bulges outwards in a half circle of radius 5.
    hatch.paths.add_polyline_path([(0, 0, 0), (10, 0, 0), (10, 10, 1), (0, 10, 0)], is_closed=True)
    hatch.paths.add_polyline_path([(20, 0), (30, 0), (25, 5)], is_closed=True)
    # Edges the model has no element for: the upper half of an ellipse and
    # a parabola closed by lines.
    curved = msp.add_hatch(color=6)
    edges = curved.paths.add_edge_path()
    edges.add_ellipse((200, 0), major_axis=(20, 0), ratio=0.5, start_angle=0, end_angle=180)
    edges.add_line((180, 0), (220, 0))
    edges = curved.paths.add_edge_path()
    edges.add_spline(control_points=[(300, 0), (310, 20), (320, 0)], knot_values=[0, 0, 0, 1, 1, 1], degree=2)
    edges.add_line((320, 0), (300, 0))
    msp.add_ellipse((100, 50), major_axis=(40, 30), ratio=0.5, dxfattribs={"layer": "CURVES", "color": 1})
    msp.add_ellipse((0, 0), major_axis=(0, 20), ratio=0.25, start_param=0.5, end_param=2.5)
    msp.add_ellipse((50, 0), major_axis=(10, 0), ratio=1.0, start_param=0, end_param=math.pi / 2)
    msp.add_open_spline([(0, 0), (1, 2), (2, 0)], degree=2)
    msp.add_rational_spline([(1, 0), (1, 1), (0, 1)], weights=[1, math.sqrt(0.5), 1], degree=2,
                            knots=[0, 0, 0, 1, 1, 1])
    msp.add_spline([(0, 0), (10, 10), (20, 0), (30, 10)])
    doc.saveas(path)


def mixed(count, path):
    doc = ezdxf.new("R2000")
    doc.header["$DWGCODEPAGE"] = "ANSI_932"
    doc.linetypes.add("DASHED2", pattern=[6.0, 4.0, -2.0])
    tag = doc.blocks.new("TAGGED")
    tag.add_line((0, 0), (4, 0), dxfattribs={"color": 0, "layer": "0"})
    tag.add_attdef("NO", (0, 1), dxfattribs={"height": 1})
    msp = doc.modelspace()
    for i in range(count):
        layer = "LAYER_%d" % (i * 7 % 23)  # used, never listed in the LAYER table
        attribs = {"layer": layer, "color": 1 + i * 37 % 250, "lineweight": [13, 25, 35, 50, 70][i % 5]}
        if i % 3 == 0:
            attribs["linetype"] = "DASHED2"
        msp.add_line((i, 0), (i + 5, 3), dxfattribs=attribs)
        msp.add_polyline2d([(i, 0, 0.5), (i + 3, 0), (i + 3, 3)], format="xyb", close=True, dxfattribs=attribs)
        ref = msp.add_blockref("TAGGED", (i * 10, 5), dxfattribs=dict(attribs, rotation=i * 15))
        ref.add_auto_attribs({"NO": "\u56f3%d" % i})
        msp.add_text("\u56f3\u9762 %d %%%%d" % i, dxfattribs=dict(attribs, height=2.5, rotation=i)).set_placement((i, -5))
        hatch = msp.add_hatch(dxfattribs=attribs)
        edges = hatch.paths.add_edge_path()
        edges.add_line((i, 0), (i + 5, 0))
        edges.add_arc((i + 5, 2.5), 2.5, -90, 90)
        edges.add_line((i + 5, 5), (i, 0))
        msp.add_lwpolyline([(i, 10, 0, 0, 1), (i + 4, 10, 0, 0, 0), (i + 4, 14, 0, 0, 0)], format="xyseb", dxfattribs=attribs)
        msp.add_mtext("round %d\\Pnext" % i, dxfattribs=dict(attribs, char_height=2, insert=(i, 20)))
        msp.add_circle((i, 30), 1 + i % 4, dxfattribs=attribs)
        msp.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)], dxfattribs=attribs)
        msp.add_ellipse((i, 60), major_axis=(4, 1), ratio=0.5, dxfattribs=attribs)
        bulged = msp.add_hatch(dxfattribs=attribs)
        bulged.paths.add_polyline_path([(i, 70, 0), (i + 4, 70, 0), (i + 4, 74, 1), (i, 74, 0)], is_closed=True)
        curved = msp.add_hatch(dxfattribs=attribs)
        edges = curved.paths.add_edge_path()
        edges.add_ellipse((i, 80), major_axis=(4, 0), ratio=0.5, start_angle=0, end_angle=180)
        edges.add_spline(control_points=[(i - 4, 80), (i, 76), (i + 4, 80)], knot_values=[0, 0, 0, 1, 1, 1], degree=2)
        msp.add_linear_dim(base=(i, 40), p1=(i, 35), p2=(i + 10, 35), dxfattribs=attribs).render()
        msp.add_radius_dim(center=(i, 50), radius=3, angle=45, dxfattribs=attribs).render()
        # Mirrored entities, whose placement needs the extrusion dxflib sets.
        down = dict(attribs, extrusion=(0, 0, -1))
        msp.add_arc((i + 2, 90), 3, 10, 100, dxfattribs=down)
        msp.add_polyline2d([(i, 95, 0.5), (i + 3, 95), (i + 3, 98)], format="xyb", dxfattribs=down)
        msp.add_blockref("TAGGED", (i * 10, 100), dxfattribs=dict(down, rotation=i * 15))
    doc.saveas(path)
    # ezdxf escapes the characters as \U+XXXX; the texts are to be code page bytes.
    with open(path, "rb") as f:
        data = f.read()
    for escaped, text in [(b"\\U+56f3", "\u56f3"), (b"\\U+9762", "\u9762")]:
        data = data.replace(escaped, text.encode("cp932"))
    with open(path, "wb") as f:
        f.write(data)


DOWN = (0, 0, -1)


def points(entity):
    """World points on an entity: on its curve, or its insertion point."""
    if entity.dxftype() in ("TEXT", "ATTRIB"):
        p = OCS(entity.dxf.extrusion).to_wcs(entity.dxf.insert)
        return [[p.x, p.y]]
    if entity.dxftype() in ("INSERT", "LWPOLYLINE"):
        return [p for e in entity.virtual_entities() for p in points(e)]
    if entity.dxftype() == "LINE":
        return [[p.x, p.y] for p in (entity.dxf.start.lerp(entity.dxf.end, t / 8) for t in range(9))]
    if entity.dxftype() in ("ARC", "CIRCLE"):
        start, end = (entity.dxf.start_angle, entity.dxf.end_angle) if entity.dxftype() == "ARC" else (0, 360)
        span = (end - start) % 360 or 360
        return [[p.x, p.y] for p in entity.vertices([start + span * t / 32 for t in range(33)])]
    # Hatch paths take arcs as cubic curves, off the arcs by up to 2e-3 here.
    return [[p.x, p.y] for p in ezpath.make_path(entity).flattening(0.001, segments=8)]


def mirrored(path):
    doc = ezdxf.new("R2000")
    block = doc.blocks.new("HOOK")
    block.add_arc((10, 0), 4, 0, 120, dxfattribs={"color": 0})
    block.add_line((0, 0), (10, 0), dxfattribs={"color": 0})
    msp = doc.modelspace()
    entities = {
        1: msp.add_arc((30, 10), 5, 20, 150, dxfattribs={"color": 1, "extrusion": DOWN}),
        2: msp.add_circle((40, -10), 3, dxfattribs={"color": 2, "extrusion": DOWN}),
        3: msp.add_lwpolyline([(10, 20, 0, 0, 0.6), (25, 20, 0, 0, -0.3), (25, 30, 0, 0, 0)], format="xyseb",
                              dxfattribs={"color": 3, "extrusion": DOWN}),
        5: msp.add_blockref("HOOK", (50, 5), dxfattribs={"color": 5, "rotation": 30, "xscale": 2, "yscale": 2,
                                                         "extrusion": DOWN}),
        6: msp.add_ellipse((-60, 40), major_axis=(8, 3), ratio=0.5, start_param=0.3, end_param=2.0,
                           dxfattribs={"color": 6, "extrusion": DOWN}),
        7: msp.add_text("MIRRORED", dxfattribs={"color": 7, "height": 2, "rotation": 20, "extrusion": DOWN}),
    }
    entities[7].set_placement((70, 15))
    hatch = msp.add_hatch(color=4, dxfattribs={"extrusion": DOWN})
    edges = hatch.paths.add_edge_path()
    edges.add_line((10, 40), (20, 40))
    edges.add_arc((20, 45), 5, -90, 90)
    edges.add_arc((15, 50), 5, 0, 180, ccw=False)
    edges.add_line((10, 50), (10, 40))
    hatch.paths.add_polyline_path([(30, 40, 0), (40, 40, 0.4), (40, 50, 0)], is_closed=True)
    entities[4] = hatch
    msp.add_arc((5, 5), 2, 0, 90, dxfattribs={"color": 8, "extrusion": (0, 0.6, 0.8)})
    doc.saveas(path)
    print(json.dumps({str(colour): points(e) for colour, e in entities.items()}))


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "mixed":
        mixed(int(sys.argv[2]), sys.argv[3])
    elif sys.argv[1] == "plan":
        plan(sys.argv[2])
    elif sys.argv[1] == "mirrored":
        mirrored(sys.argv[2])
    elif sys.argv[1] == "curves":
        curves(sys.argv[2])
    else:
        check(sys.argv[2])
