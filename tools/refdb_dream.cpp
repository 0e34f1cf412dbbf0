#include "tools/refdb_dream.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace hehun::tools {

namespace fs = std::filesystem;

void BuildDreamTable(Writer& w, const fs::path& data) {
  const fs::path dir = data / "dream";
  Require(fs::is_directory(dir), dir.string() + ": the dream book folder is missing");
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file() && e.path().extension() == ".tsv") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  Require(!files.empty(), dir.string() + ": no .tsv files");

  const std::vector<std::string> categories(std::begin(kDreamCategories), std::end(kDreamCategories));
  std::map<std::string, int> perCategory;
  std::map<std::string, std::string> imageAt;  // image -> where it first came
  std::vector<std::vector<std::string>> entries;
  for (const fs::path& file : files) {
    auto rows = ReadTsv(file, 3);  // also refuses empty fields
    Require(!rows.empty() && rows.front() == std::vector<std::string>{"category", "image", "reading"},
            file.string() + ": the header line \"category, image, reading\" is missing");
    for (size_t i = 1; i < rows.size(); ++i) {
      const auto& r = rows[i];
      const std::string where = file.filename().string() + " entry " + std::to_string(i) + " (" + r[1] + ")";
      Require(std::find(categories.begin(), categories.end(), r[0]) != categories.end(),
              where + ": \"" + r[0] + "\" is not one of the twelve dream categories");
      const auto [it, fresh] = imageAt.emplace(r[1], where);
      Require(fresh, where + ": the image \"" + r[1] + "\" already came in " + it->second);
      ++perCategory[r[0]];
      entries.push_back(r);
    }
  }
  for (const auto& c : categories)
    Require(perCategory[c] > 0, dir.string() + ": the category \"" + c + "\" has no entry");

  w.Exec("CREATE TABLE dream (category TEXT NOT NULL, image TEXT NOT NULL, reading TEXT NOT NULL)");
  w.Exec("CREATE INDEX dream_category ON dream (category)");
  auto ins = w.Prepare("INSERT INTO dream VALUES (?, ?, ?)");
  for (const auto& r : entries) ins.Run({r[0], r[1], r[2]});
}

}  // namespace hehun::tools
