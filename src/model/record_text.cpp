// Formula texts in data-structure records (see record_text.h).
#include "model/record_text.h"

namespace varnex::model {

std::size_t StatementEnd(const std::string& text) {
  bool literal = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') {
      literal = !literal;
    } else if (text[i] == ';' && !literal) {
      return i;
    }
  }
  return text.size();
}

std::vector<std::string> SplitStatements(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (true) {
    std::size_t end = start + StatementEnd(text.substr(start));
    items.push_back(text.substr(start, end - start));
    if (end >= text.size()) {
      break;
    }
    start = end + 1;
  }
  return items;
}

}  // namespace varnex::model
