#!/usr/bin/env python3
"""Writes the sample road-design project: a 3.4 km two-lane road with a short chain, a long
chain, bridges, culverts, class contents, road-trough stations and a vertical alignment; and the
same road as a LandXML file (qingshui.xml) of cross-section lines, station equations and profile.

The files are committed; run this only to change the road. The earthwork file gives continuous
chainage in metres; the other files give station texts, read with the project's chain breaks.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# Chain breaks as (chainage where they lie, BACK, AHEAD): a short chain of 15 m, then a long
# chain of 20 m on the Shimen bridge (display numbers K2+970–K2+990 occur twice; sections are
# known by their station texts, so none may stand where a text names two places).
BREAKS = [(1200.0, 1200.0, 1215.0), (2975.0, 2990.0, 2970.0)]
LENGTH = 3400.0
HALF_WIDTH = 5.5
PVIS = [(0, 120.0, 0), (800, 131.2, 12000), (1650, 124.6, 9000), (2500, 133.0, 15000),
        (3400, 128.5, 0)]
GROUND = [(0, 119.5), (400, 126.0), (800, 134.5), (1050, 129.0), (1300, 118.5), (1380, 116.0),
          (1460, 119.0), (1650, 121.5), (2000, 127.0), (2300, 136.5), (2500, 137.0),
          (2800, 130.0), (2950, 124.0), (3010, 123.0), (3100, 127.5), (3400, 129.0)]


def display(chainage):
    d = chainage
    for at, back, ahead in BREAKS:
        if chainage >= at:
            d += ahead - back
    return d


def text(chainage):
    d = round(display(chainage), 3)
    km = int(d // 1000)
    return "K%d+%07.3f" % (km, d - km * 1000)


def interpolate(points, x):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if x0 <= x <= x1:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    return points[-1][1]


def grade(x):
    """Design elevation: straight grades between the intersection points, parabolic curves."""
    z = interpolate([(p[0], p[1]) for p in PVIS], x)
    for (x0, z0, _), (x1, z1, r), (x2, z2, _) in zip(PVIS, PVIS[1:], PVIS[2:]):
        g1, g2 = (z1 - z0) / (x1 - x0), (z2 - z1) / (x2 - x1)
        t = r * abs(g2 - g1) / 2
        if r and abs(x - x1) < t:
            z += (t - abs(x - x1)) ** 2 / (2 * r) * (1 if g2 > g1 else -1)
    return z


def areas(h):
    """Cut and fill areas of a section with the centre-line height h (> 0 fill)."""
    slope = 1.5 if h > 0 else 1.0
    area = abs(h) * (2 * HALF_WIDTH + slope * abs(h))
    return (0.0, area) if h > 0 else (area, 0.0)


def main():
    stations = [20.0 * i for i in range(int(LENGTH / 20) + 1)] + [1200.0]
    bridges = [(1330.0, 1430.0, "清水河大桥"), (2940.0, 3020.0, "石门沟中桥")]
    culverts = [(620.0, 626.0, "1-4×3m盖板涵"), (2250.0, 2254.0, "1-Φ1.5m圆管涵")]
    lines = ["RavelEarthwork 1", "# 桩号（连续里程 m） 挖方面积 填方面积（m²） 中桩填挖（m，正为填）"]
    # A bridge has sections at its ends only.
    stations += [x for a, b, _ in bridges for x in (a, b)]
    for x in sorted(set(stations)):
        if any(a < x < b for a, b, _ in bridges):
            continue
        h = grade(x) - interpolate(GROUND, x)
        cut, fill = areas(h)
        lines.append("%.3f %.2f %.2f %.3f" % (x, cut, fill, h))
    write("earthwork.txt", lines, "utf-8")
    landxml([x for x in sorted(set(stations)) if not any(a < x < b for a, b, _ in bridges)],
            bridges)

    ctl = ["RavelControl 1", "[路槽]"] + [text(x) for x in (1000.0, 2000.0, 3400.0)]
    ctl += ["[桥隧]"] + ["%s %s %s" % (text(a), text(b), n) for a, b, n in bridges]
    ctl += ["[涵洞通道]"] + ["%s %s %s" % (text(a), text(b), n) for a, b, n in culverts]
    ctl += ["[土石含量]", "# 桩号 Ⅰ Ⅱ Ⅲ Ⅳ Ⅴ Ⅵ（%）"]
    for x, p in [(700.0, (10, 60, 30, 0, 0, 0)), (1700.0, (0, 40, 40, 20, 0, 0)),
                 (2450.0, (0, 10, 30, 40, 20, 0)), (3400.0, (5, 55, 30, 10, 0, 0))]:
        ctl.append(text(x) + " " + " ".join("%d" % v for v in p))
    write("control.txt", ctl, "gbk")  # design tools often write GBK

    prof = ["RavelProfile 1", "# 变坡点桩号 高程（m） 竖曲线半径（m）"]
    prof += ["%s %.3f %.0f" % (text(x), z, r) for x, z, r in PVIS]
    write("profile.txt", prof, "utf-8")

    prj = ["RavelPrj 1", "# 示例道路项目：清水河段改建工程", "[属性]", "201=清水河段改建工程",
           "[桩号体系]", "标识=K"]
    prj += ["断链=K%d+%07.3f=K%d+%07.3f" % (b // 1000, b % 1000, a // 1000, a % 1000)
            for _, b, a in BREAKS]
    prj += ["[文件]", "111=earthwork.txt", "108=control.txt", "104=profile.txt"]
    write("qingshui.Prj", prj, "utf-8")


def landxml(sections, bridges):
    """The same road as LandXML 1.2: sections as ground and design lines, chain breaks as
    station equations, the profile with parabolic curves."""
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">',
           '<Units><Metric linearUnit="meter" areaUnit="squareMeter" volumeUnit="cubicMeter"/>'
           '</Units>',
           '<Alignments>', '<Alignment name="清水河段改建工程" staStart="0" length="%.3f">' % LENGTH]
    for at, back, ahead in BREAKS:
        out.append('<StaEquation staInternal="%.3f" staBack="%.3f" staAhead="%.3f"/>'
                   % (at, back, ahead))
    out.append('<CrossSects>')
    for x in sections:
        g = interpolate(GROUND, x)
        z = grade(x)
        h = z - g
        w = HALF_WIDTH + (1.5 if h > 0 else 1.0) * abs(h)
        design = [(-w, g), (-HALF_WIDTH, z), (HALF_WIDTH, z), (w, g)]
        ground = [(-30.0, g), (30.0, g)]
        out.append('<CrossSect sta="%.3f">' % x)
        for name, pts in (("地面线", ground), ("设计线", design)):
            out.append('<CrossSectSurf name="%s"><PntList2D>%s</PntList2D></CrossSectSurf>'
                       % (name, " ".join("%.6f %.6f" % p for p in pts)))
        out.append('</CrossSect>')
    out.append('</CrossSects>')
    out.append('<Profile><ProfAlign name="设计线">')
    for i, (x, z, r) in enumerate(PVIS):
        if 0 < i < len(PVIS) - 1 and r:
            g1 = (z - PVIS[i - 1][1]) / (x - PVIS[i - 1][0])
            g2 = (PVIS[i + 1][1] - z) / (PVIS[i + 1][0] - x)
            out.append('<ParaCurve length="%.3f">%.3f %.3f</ParaCurve>' % (r * abs(g2 - g1), x, z))
        else:
            out.append('<PVI>%.3f %.3f</PVI>' % (x, z))
    out += ['</ProfAlign></Profile>', '</Alignment>', '</Alignments>', '</LandXML>']
    write("qingshui.xml", out, "utf-8")


def write(name, lines, encoding):
    with open(os.path.join(HERE, name), "w", encoding=encoding, newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
