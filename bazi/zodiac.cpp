#include "bazi/zodiac.h"

#include <algorithm>

#include "refdb/ganzhi.h"

namespace hehun {

int SixHarmonyOf(int b) { return Mod(1 - b, 12); }

std::vector<int> ThreeHarmonyOf(int b) { return {Mod(b + 4, 12), Mod(b + 8, 12)}; }

int ClashOf(int b) { return Mod(b + 6, 12); }

// The harm partner is the clash of the harmony partner.
int HarmOf(int b) { return Mod(7 - b, 12); }

// Yang branches break the branch three behind, yin ones the branch three ahead.
int BreakOf(int b) { return b % 2 == 0 ? Mod(b - 3, 12) : Mod(b + 3, 12); }

std::vector<int> PunishmentsOf(int b) {
  // The traditional groups: 寅巳申 (无恩), 丑戌未 (恃势), 子卯 (无礼); 辰午酉亥 自刑.
  static const std::vector<std::vector<int>> kGroups = {{2, 5, 8}, {1, 10, 7}, {0, 3}};
  for (const auto& g : kGroups)
    if (std::find(g.begin(), g.end(), b) != g.end()) {
      std::vector<int> others;
      for (int x : g)
        if (x != b) others.push_back(x);
      return others;
    }
  return {b};
}

std::string CoupleRelation(int m, int w) {
  if (SixHarmonyOf(m) == w) return "六合";
  const auto three = ThreeHarmonyOf(m);
  if (std::find(three.begin(), three.end(), w) != three.end()) return "三合";
  if (m == w) return "同属相";
  if (ClashOf(m) == w) return "六冲";
  if (HarmOf(m) == w) return "六害";
  const auto p = PunishmentsOf(m);
  if (std::find(p.begin(), p.end(), w) != p.end()) return "相刑";
  if (BreakOf(m) == w) return "相破";
  return "无";
}

bool IsXiaoWuHunPair(int a, int b) {
  static constexpr int kPairs[6][2] = {{0, 3}, {2, 8}, {9, 6}, {11, 4}, {10, 5}, {1, 7}};
  for (const auto& p : kPairs)
    if ((p[0] == a && p[1] == b) || (p[0] == b && p[1] == a)) return true;
  return false;
}

}  // namespace hehun
