# Writes the program's phrase file for OpenCC: the first two columns of
# data/opencc/phrases.tsv (comment lines dropped), as an OpenCC text
# dictionary. Run as: cmake -DIN=phrases.tsv -DOUT=hehun_phrases.txt -P this
file(STRINGS "${IN}" lines ENCODING UTF-8)
set(out "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([^\t]+)\t([^\t]+)\t([^\t]+)$")
    message(FATAL_ERROR "${IN}: a line needs three columns (Simplified, Traditional, why): ${line}")
  endif()
  string(APPEND out "${CMAKE_MATCH_1}\t${CMAKE_MATCH_2}\n")
endforeach()
file(WRITE "${OUT}.tmp" "${out}")
file(RENAME "${OUT}.tmp" "${OUT}")
