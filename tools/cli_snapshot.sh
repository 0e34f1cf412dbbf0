#!/usr/bin/env bash
# Writes the answers of a fixed set of hehun-cli commands into a folder, one
# file each (standard output with the exit status, standard error apart), so
# that a change meant to keep behaviour can be checked byte for byte:
#   bash tools/cli_snapshot.sh OLD_BUILD/bin /tmp/before
#   bash tools/cli_snapshot.sh build/bin /tmp/after
#   diff -r /tmp/before /tmp/after
B=$1; O=$2; mkdir -p "$O"; cd "$B" || exit 1
run() { local name=$1; shift; local input=$1; shift
  { printf '%s' "$input" | ./hehun-cli "$@"; echo "rc=$?"; } >"$O/$name.out" 2>"$O/$name.err"; }
run marriage_greg ""  marriage --man 张三,1990-05-01,08:30 --woman 李四,1992-10-12,14:05,lunar --today 2024-05-01
run marriage_lunar "" marriage --man 王五,1985-02-20,23:10,lunar --woman 赵六,1987-12-30,00:05 --today 2024-05-01
run marriage_bad ""   marriage --man 张三,1990-13-01,08:30 --woman 李四,1992-10-12,14:05 --today 2024-05-01
run personal_bazi ""  personal --name 张三 --sex 男 --date 1990-05-01 --time 08:30 --today 2024-05-01
run personal_lunar "" personal --name 李四 --sex 女 --date 1992-10-12 --time 14:05 --lunar --today 2024-05-01
run personal_star ""  personal --name 张三 --sex 男 --date 1990-05-01 --time 08:30 --star --today 2024-05-01
run personal_star_l "" personal --name 李四 --sex 女 --date 1992-10-12 --time 14:05 --lunar --star --today 2024-05-01
run pillars "2000-01-01 12:00 男
1984-02-04 23:30 女
1900-01-31 00:00 男
" pillars
run almanac1 "" almanac 2024-05-01
run almanac2 "" almanac 1901-01-01
run almanac3 "" almanac 2100-12-31
run almanac_bad "" almanac 2200-01-01
run wedding1 "" weddingdays --man 1990-05-01 --woman 1992-10-12 --from 2024-05-01 --range 三月以内 --purpose 结婚 --kind 宜
run wedding2 "" weddingdays --man 1990-05-01 --woman 1992-10-12 --from 2024-05-01 --range 一年以内 --purpose 订婚 --kind 忌
run number "" number 12345
run qq "" qq 10001
run mobile "" mobile 13812345678
run mobile_bad "" mobile 12ab
run nickname "" nickname 张三
run nickname2 "" nickname 小雨点
run cnday "2000-01-01
2024-02-10
1949-10-01
2033-08-25
" cnday
run zodiac "" zodiacmatch 鼠 牛
run zodiac2 "" zodiacmatch 虎 猴
run sign "" signmatch 白羊座 狮子座
run sign2 "" signmatch 双鱼座 处女座
run blood "" bloodmatch A AB
run blood2 "" bloodmatch O O
run solarterms "" solarterms 2024
run solarterms2 "" solarterms 1901
run lunar "1990-05-24
2024-02-10
1900-01-31
" lunar
run solar "1990 5 1 0
2023 2 1 1
2100 12 1 0
" solar
run help "" --help
run version "" --version
run bogus "" bogus
