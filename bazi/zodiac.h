// Relations between the twelve branches (and so the zodiac animals): 六合,
// 三合, 六冲, 六害, 相刑 and 相破. Branch indexes count from 子 (0) to 亥 (11).
#pragma once

#include <string>
#include <vector>

namespace hehun {

int SixHarmonyOf(int branch);                  // 子丑, 寅亥, 卯戌, 辰酉, 巳申, 午未
std::vector<int> ThreeHarmonyOf(int branch);   // the two others of 申子辰, 亥卯未, 寅午戌, 巳酉丑
int ClashOf(int branch);                       // six apart
int HarmOf(int branch);                        // 子未, 丑午, 寅巳, 卯辰, 申亥, 酉戌
int BreakOf(int branch);                       // 子酉, 卯午, 辰丑, 未戌, 寅亥, 巳申
std::vector<int> PunishmentsOf(int branch);    // 寅巳申, 丑戌未, 子卯; 辰午酉亥 punish themselves

// The relation of a couple's animals, strongest first: 六合, 三合, 同属相, 六冲,
// 六害, 相刑, 相破, or 无.
std::string CoupleRelation(int man, int woman);

// One of the six ill-matched pairs of the folk verse 小五婚: 鼠兔, 虎猴,
// 鸡马, 猪龙, 狗蛇, 牛羊.
bool IsXiaoWuHunPair(int a, int b);

}  // namespace hehun
