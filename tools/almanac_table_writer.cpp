// Writing the almanac table `huangdao` from the computed days.
#include "tools/almanac_table.h"

namespace fs = std::filesystem;

namespace hehun::tools {

void BuildAlmanacTable(Writer& w, const fs::path& data) {
  const auto rows = ComputeAlmanacRows(data / "almanac");
  w.Exec("CREATE TABLE huangdao (gn TEXT NOT NULL, nn TEXT NOT NULL, suici TEXT NOT NULL, tszf TEXT NOT NULL, "
         "wuhang TEXT NOT NULL, cong TEXT NOT NULL, pzbj TEXT NOT NULL, jsyq TEXT NOT NULL, yi TEXT NOT NULL, "
         "xsyq TEXT NOT NULL, ji TEXT NOT NULL)");
  w.Exec("CREATE INDEX huangdao_day ON huangdao (gn)");
  auto ins = w.Prepare("INSERT INTO huangdao VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const auto& r : rows) ins.Run({r.gn, r.nn, r.suici, r.tszf, r.wuhang, r.cong, r.pzbj, r.jsyq, r.yi, r.xsyq, r.ji});
}

}  // namespace hehun::tools
