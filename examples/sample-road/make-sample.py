#!/usr/bin/env python3
"""Writes the text files of the sample road (a two-lane road of about 5 km).

The files are committed; run this only to change the road. Stations in the earthwork file are
continuous chainage in metres; every other file gives display stations (K2+520.000), which
after the chain break at K2+480 run 20 m ahead of the chainage.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
BREAK_AT, JUMP = 2480.0, 20.0  # chain break K2+480=K2+500: a short chain of 20 m
LENGTH = 5000.0                 # continuous chainage of the road's end, m
HALF_WIDTH = 6.0                # subgrade 12 m wide
CROSS_FALL = 0.12               # transverse slope of the ground

# Vertical intersection points: chainage (m), elevation (m), curve radius (m).
VIPS = [(0, 451.20, 0), (900, 460.60, 15000), (1900, 454.40, 12000), (3100, 467.60, 20000),
        (4200, 459.40, 15000), (5000, 464.20, 0)]
# Ground along the centre line: chainage, elevation; two river valleys (bridges).
GROUND = [(0, 451.0), (300, 455.5), (650, 463.0), (900, 466.5), (1200, 458.0), (1420, 449.0),
          (1500, 441.5), (1580, 448.5), (1800, 452.0), (2100, 449.5), (2400, 457.0),
          (2800, 466.0), (3100, 474.5), (3400, 470.0), (3700, 462.0), (3790, 456.0),
          (3850, 461.0), (4200, 457.0), (4600, 464.5), (5000, 466.0)]
# Extra cross-sections where the ground or the grade breaks.
EXTRA = [613.4, 900.0, 1198.7, 1900.0, 2307.2, 3100.0, 3466.9, 4200.0, 4372.5]


def display(chainage):
    return chainage + JUMP if chainage >= BREAK_AT else chainage


def text(chainage):
    d = round(display(chainage), 3)
    km = int(d // 1000)
    return "K%d+%07.3f" % (km, d - km * 1000)


def interpolate(points, x):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if x0 <= x <= x1:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    return points[-1][1]


def design(x):
    """Grade line with parabolic vertical curves at the intersection points."""
    z = interpolate([(s, e) for s, e, _ in VIPS], x)
    for i in range(1, len(VIPS) - 1):
        s, e, r = VIPS[i]
        g1 = (e - VIPS[i - 1][1]) / (s - VIPS[i - 1][0])
        g2 = (VIPS[i + 1][1] - e) / (VIPS[i + 1][0] - s)
        t = r * abs(g2 - g1) / 2
        if abs(x - s) < t:
            z += (g2 - g1) / (2 * r) * (x - (s - t)) ** 2 - (g2 - g1) * max(0.0, x - s)
    return z


def ground(x):
    ripple = 0.6 * math.sin(x / 97.0) + 0.35 * math.sin(x / 41.0 + 1.3)
    return interpolate(GROUND, x) + ripple


def half_areas(t):
    """(cut, fill) of one half of the section with height t (> 0 fill)."""
    if t >= 0:
        return 0.0, HALF_WIDTH * t + 0.75 * t * t     # fill slope 1:1.5
    d = -t
    return HALF_WIDTH * d + 0.5 * d * d + 0.8, 0.0     # cut slope 1:1, ditch 0.8 m²


def section(x):
    h = design(x) - ground(x)
    lc, lf = half_areas(h + CROSS_FALL * HALF_WIDTH / 2)
    rc, rf = half_areas(h - CROSS_FALL * HALF_WIDTH / 2)
    return h, lc + rc, lf + rf


def write(name, lines, encoding="utf-8"):
    with open(os.path.join(HERE, name), "w", encoding=encoding, newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    stations = sorted(set([i * 20.0 for i in range(int(LENGTH // 20) + 1)] + EXTRA))
    lines = ["// 示例公路 逐桩断面面积（二级公路，路基宽 12 m）",
             "// 由 make-sample.py 生成；文件为 GBK 编码",
             "* 列：桩号（连续里程，m） 中桩填挖（m，正为填） 挖方面积（平方米） 填方面积（平方米）",
             "桩号 填挖高 挖方面积 填方面积"]
    for x in stations:
        h, cut, fill = section(x)
        lines.append("%.3f %.3f %.2f %.2f" % (x, h, cut, fill))
    write("sample-road.tf", lines, encoding="gbk")

    write("chain-breaks.txt", ["; 断链：后桩号=前桩号（短链 20 m）", "K2+480.000=K2+500.000"])
    write("trough.txt", ["; 桩号 宽度（m） 高度（m）：每行用到它的桩号为止",
                         "K2+000.000 \t9.000 \t0.720", "K5+020.000 \t9.000 \t0.680"])
    contents = [
        (650, [(15, 40), (65, 100), (20, 100), (0, 100), (0, 100), (0, 100)]),
        (1420, [(10, 50), (45, 100), (30, 100), (15, 100), (0, 100), (0, 100)]),
        (2400, [(0, 100), (30, 100), (35, 95), (25, 100), (10, 90), (0, 100)]),
        (3400, [(0, 100), (0, 100), (25, 100), (35, 100), (30, 85), (10, 80)]),
        (4300, [(10, 40), (50, 100), (30, 100), (10, 100), (0, 100), (0, 100)]),
        (5000, [(20, 30), (60, 100), (20, 100), (0, 100), (0, 100), (0, 100)]),
    ]
    rows = ["; 桩号 松土 利用率 普通土 利用率 硬土 利用率 软石 利用率 次坚石 利用率 坚石 利用率（%）",
            "; 每行用到它的桩号为止"]
    for x, classes in contents:
        rows.append(" \t".join([text(x)] + ["%.3f \t%.3f" % c for c in classes]))
    write("contents.txt", rows)
    write("structures.txt", [
        "; 起始桩号 终止桩号 名称 跨径（m） 能否跨越（1 可跨越，0 不可） 绕行距离（m）",
        "%s \t%s \t大沙河大桥 \t 160.000 \t0\t 2600.000" % (text(1420), text(1580)),
        "%s \t%s \t小溪中桥 \t 45.000 \t1\t 0.000" % (text(3770), text(3815))])
    write("borrow-pits.txt", [
        "; 上路桩号 前经济分界点 后经济分界点 支线长度 松土 普通土 硬土 软石 次坚石 坚石（%） 土方总量 石方总量（m³）",
        "; 分界点等于上路桩号时由程序按相邻取土坑的中点划分",
        " \t".join([text(980), text(0), text(2300), "650.000", "0.000", "60.000", "40.000",
                    "0.000", "0.000", "0.000", "60000.000", "0.000"]),
        " \t".join([text(4400)] * 3 + ["420.000", "10.000", "70.000", "20.000", "0.000",
                                       "0.000", "0.000", "45000.000", "0.000"])])
    write("waste-pits.txt", [
        "; 上路桩号 前经济分界点 后经济分界点 支线长度（m） 总容量（m³）",
        " \t".join([text(1250)] * 3 + ["380.000", "40000.000"]),
        " \t".join([text(3240)] * 3 + ["520.000", "90000.000"])])
    write("vertical-curve.txt", ["; 变坡点桩号 高程（m） 竖曲线半径（m）"] +
          [" \t".join([text(s), "%.3f" % e, "%.3f" % r]) for s, e, r in VIPS])


if __name__ == "__main__":
    main()
