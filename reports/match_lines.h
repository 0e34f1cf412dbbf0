// The quick matchings as the function page's dialogs show them and the
// command line prints them: the results of bazi/matching.h written as lines,
// with the reading of the pair from BookFile.dll (unguarded: a database that
// cannot be read stops the action with its error).
#pragma once

#include "refdb/line_sink.h"
#include "refdb/refdb.h"

namespace hehun {

// Animals are branch indexes from 子/鼠 (0), signs indexes from 白羊座 (0),
// blood types indexes into kBloodTypes; a pair and its reverse give the same
// lines.
void WriteZodiacMatch(LineSink& out, RefDb& db, int a, int b);
void WriteSignMatch(LineSink& out, RefDb& db, int a, int b);
void WriteBloodMatch(LineSink& out, RefDb& db, int a, int b);

}  // namespace hehun
