#include "knowledge/encyclopedia.h"

#include "refdb/text.h"

namespace hehun {

const std::array<std::string_view, 10> kEncyclopediaIntro{
    "    婚姻和睦是家庭幸福的基础，也是社会稳定的因素之一，人生旅途数十载，如果家庭幸福，犹如转眼之间，倘",
    "若婚姻不幸，就会度日如年。尽管人们对婚姻均很慎重，然而从现实中看，婚姻不幸福的还是比例很多，有生离的",
    "，有死别的，有貌合神离的，有整日争吵不休的，而能相伴一生的美满婚姻并非很多，尤其在离婚率呈直线上升的",
    "现代更是如此。",
    "    八字合婚免是指婚前男女双方交换庚帖，以卜八字是否相配，谓之【八字合婚】。",
    "所谓合婚，就是把男女双方八字配在一起，对双方八字之间的五行是否和谐，双方所行的各种运气节律有无严重的",
    "冲克等信息详加研究，由此推导出以后两人的婚姻生活吉凶，并对此提出合理化建议，防患不幸的婚姻于未燃之际",
    "，从而提高婚姻质量。那么八字合婚的基本要点是什么呢？传统上一般重视年柱，原则是不与大6岁的人配婚，比",
    "如如果女方是属马的，就不能与属鼠的相配，因为在属相中，马就是午火，鼠就是子水，缘于子午相冲也。当然这",
    "也是有一定道理的。",
};

std::string EncyclopediaArticle(RefDb& db, std::string_view key) {
  const Row row = db.First(AbortSilently{}, RefFile::kBookFile,
                           "SELECT Tite, content FROM Noter WHERE Cid = ? ORDER BY rowid LIMIT 1", {std::string(key)});
  if (!row.found()) return {};
  return Trim(row.Text(size_t{1}));
}

}  // namespace hehun
