# Helpers shared by the packaging tests (cmake -P scripts).

# Fails the test when `text` does not contain `part`.
function(expect_contains text part what)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what}: expected to contain\n  ${part}\nbut was:\n${text}")
  endif()
endfunction()

# Runs `program` with `input` on standard input from the folder `dir`; fails
# unless it ends with status 0 and prints exactly `expected`.
function(expect_output dir input expected program)
  file(WRITE ${dir}/stdin.txt "${input}")
  execute_process(COMMAND ${program} ${ARGN}
    WORKING_DIRECTORY ${dir}
    INPUT_FILE ${dir}/stdin.txt
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${program} ${ARGN}: status ${rc}\n${err}")
  endif()
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "${program} ${ARGN}: unexpected output\n--- got:\n${out}\n--- expected:\n${expected}")
  endif()
endfunction()

# The pillars of a few births (the first is the documented example) and one
# whole marriage report, as the build tree's own tests check them.
set(PILLARS_INPUT "2000-01-01 12:00 男\n1990-06-15 23:30 女\n")
set(MARRIAGE_ARGS marriage --man 张三,1990-05-01,08:30 --woman 李四,1992-10-12,14:05 --today 2026-12-09)
file(READ ${SOURCE_DIR}/tests/golden/marriage_gregorian.txt MARRIAGE_GOLDEN)
set(PILLARS_EXPECTED "己卯 丙子 戊午 戊午 丁卯 逆 9\n庚午 壬午 辛亥 庚子 癸酉 逆 4\n")

# Every file a working installation holds, relative to the prefix, but for
# the site configuration (etc/hehun/contacts.ini, checked on its own).
set(INSTALLED_FILES
  bin/hehun
  bin/hehun-cli
  share/hehun/BookFile.dll
  share/hehun/Tgcode.dll
  share/hehun/shensha/niangan.txt
  share/hehun/shensha/nianzhi.txt
  share/hehun/shensha/yuezhi.txt
  share/hehun/shensha/rigan.txt
  share/hehun/shensha/rizhi.txt
  share/hehun/shensha/rizhu.txt
  share/hehun/shensha/rizhus.txt
  share/hehun/opencc/hehun_phrases.txt
  share/hehun/opencc/s2hk.json
  share/hehun/opencc/s2t.json
  share/hehun/opencc/s2tw.json
  share/hehun/opencc/t2s.json
  share/man/man1/hehun.1.gz
  share/man/man1/hehun-cli.1.gz
  share/doc/hehun/copyright
  share/doc/hehun/changelog.Debian.gz
  share/applications/hehun.desktop
  share/icons/hicolor/scalable/apps/hehun.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND INSTALLED_FILES share/icons/hicolor/${size}x${size}/apps/hehun.png)
endforeach()
list(SORT INSTALLED_FILES)
