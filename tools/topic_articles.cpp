#include "tools/topic_articles.h"

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "knowledge/encyclopedia.h"
#include "refdb/text.h"

namespace hehun::tools {

namespace {

// Paragraphs are indented by two ideographic spaces, as Chinese text is set;
// the indent survives the trimming of blanks when the text is read.
constexpr std::string_view kIndent = "\u3000\u3000";
constexpr int kMinimumLength = 300;  // characters of an article's text

struct Article {
  std::string title;
  std::string content;
};

Article ReadArticle(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  Require(static_cast<bool>(in), "cannot read " + path.string());
  Article article;
  std::vector<std::string> paragraphs;
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty()) continue;
    if (article.title.empty())
      article.title = line;
    else
      paragraphs.push_back(std::string(kIndent) + line);
  }
  Require(paragraphs.size() >= 2, path.string() + ": an article needs a title and several paragraphs");
  for (size_t i = 0; i < paragraphs.size(); ++i) article.content += (i ? "\n" : "") + paragraphs[i];
  return article;
}

}  // namespace

void BuildNoterTable(Writer& w, const std::filesystem::path& data) {
  w.Exec("CREATE TABLE Noter (Cid TEXT NOT NULL, Tite TEXT NOT NULL, content TEXT NOT NULL)");
  w.Exec("CREATE INDEX Noter_key ON Noter (Cid)");
  auto ins = w.Prepare("INSERT INTO Noter VALUES (?, ?, ?)");
  std::set<std::string> contents;
  for (const EncyclopediaEntry& entry : kEncyclopediaEntries) {
    const std::string key(entry.key);
    const Article article = ReadArticle(data / "knowledge" / (key + ".txt"));
    Require(article.title == entry.title, key + ": the title must be the button's caption " + std::string(entry.title));
    Require(Utf8Length(article.content) >= kMinimumLength, key + ": the article is too short");
    Require(contents.insert(article.content).second, key + ": the same text as another article");
    ins.Run({key, article.title, article.content});
  }
}

}  // namespace hehun::tools
