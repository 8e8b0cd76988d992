// Token-level checks of the checking pass (see text_lint.h).
#include "language/text_lint.h"

#include <algorithm>
#include <string>
#include <utility>

#include "language/scanner.h"

namespace varnex::language {
namespace {

struct Lexeme {
  int code;
  std::string value;
  int line;
  std::size_t begin;
};

std::vector<Lexeme> Lex(std::string_view text) {
  std::vector<std::size_t> line_feeds;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      line_feeds.push_back(i);
    }
  }
  PARSE_ATTACHMENT source(PVMStrg(text.data(), static_cast<unsigned>(text.size())),
                          PARSE_ATTACHMENT::Verbatim{});
  std::vector<Lexeme> lexemes;
  Token token;
  for (int code; (code = ScanToken(source, token)) != novl::END_OF_TEXT;) {
    int line =
        1 + static_cast<int>(std::lower_bound(line_feeds.begin(), line_feeds.end(), token.begin) -
                             line_feeds.begin());
    lexemes.push_back(Lexeme{code, token.value, line, token.begin});
  }
  return lexemes;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    joined += (joined.empty() ? "" : ", ") + name;
  }
  return joined;
}

class Linter {
 public:
  explicit Linter(std::vector<Lexeme> lexemes) : lx_(std::move(lexemes)) {}

  TextLint Run() {
    for (std::size_t i = 0; i < lx_.size(); ++i) {
      const int code = lx_[i].code;
      if (code == novl::ENTITY) {
        in_entity_ = true;
        statement_start_ = i + 3;  // after ENTITY name ;
      } else if (code == novl::END_ENTITY) {
        in_entity_ = false;
      } else if (code == ';') {
        statement_start_ = i + 1;
      } else if (in_entity_ && i == statement_start_ && code == novl::IDENT) {
        SeveralNames(i);
      }
      if (code == novl::FUNCTION && i + 2 < lx_.size() && lx_[i + 2].code == '(') {
        Header(i + 2);
      }
      ThenBlocks(i);
    }
    return std::move(lint_);
  }

 private:
  const Lexeme* At(std::size_t i) const { return i < lx_.size() ? &lx_[i] : nullptr; }
  bool Is(std::size_t i, int code) const { return i < lx_.size() && lx_[i].code == code; }

  void Report(NovlFindingKind kind, int line, std::string name, std::string detail) {
    lint_.findings.push_back(NovlFinding{kind, line, std::move(name), std::move(detail)});
  }

  // "p, s, q : distance;" inside an ENTITY.
  void SeveralNames(std::size_t i) {
    std::vector<std::string> names{lx_[i].value};
    std::size_t at = i + 1;
    while (Is(at, ',') && Is(at + 1, novl::IDENT)) {
      names.push_back(lx_[at + 1].value);
      at += 2;
    }
    if (names.size() > 1 && Is(at, ':')) {
      Report(NovlFindingKind::SeveralNamesInEntity, lx_[i].line, Joined(names), std::string());
    }
  }

  // The parameter list that opens at `open`: its names, enumeration defaults and restrictions.
  void Header(std::size_t open) {
    struct Use {
      std::vector<std::string> group;
      std::string name;
      int line;
    };
    std::vector<Use> uses;
    std::vector<std::string> header_names;
    std::vector<std::string> chain;
    std::vector<std::string> group;
    bool expect_name = true;
    int depth = 1;
    std::size_t i = open + 1;
    for (; i < lx_.size(); ++i) {
      const Lexeme& token = lx_[i];
      if (token.code == novl::FUNCTION || token.code == novl::END_FUNCTION) {
        break;  // an unclosed list ends at the next function
      }
      depth += BracketChange(token.code);
      if (depth == 0) {
        break;
      }
      if (depth != 1) {
        continue;
      }
      if (token.code == novl::IDENT && expect_name) {
        chain.push_back(token.value);
        expect_name = false;
      } else if (token.code == ',') {
        expect_name = true;
      } else if (token.code == ':') {
        group = chain;
        header_names.insert(header_names.end(), chain.begin(), chain.end());
        chain.clear();
        expect_name = false;
        if (Is(i + 1, novl::ENUMERATION_OF)) {
          i = EnumerationDefault(i + 1, group);
        }
      } else if (token.code == novl::RESTRICTED_TO) {
        i = RestrictionNames(i + 1, group, uses);
      } else {
        expect_name = false;
      }
    }
    const Lexeme* close = At(std::min(i, lx_.size() - 1));
    lint_.headers.push_back(HeaderSpan{lx_[open].begin, close->begin, lx_[open].line, close->line});
    lint_.parameters.insert(header_names.begin(), header_names.end());
    for (const Use& use : uses) {
      bool own = use.group.size() == 1 && use.group[0] == use.name;
      bool parameter =
          std::find(header_names.begin(), header_names.end(), use.name) != header_names.end();
      if (parameter && !own) {
        Report(NovlFindingKind::CrossParameterRestriction, use.line, Joined(use.group), use.name);
      }
    }
  }

  // ENUMERATION_OF "(" names ")" [":=" 'text']: a default outside the names. Returns the index
  // of the last token read.
  std::size_t EnumerationDefault(std::size_t at, const std::vector<std::string>& group) {
    std::vector<std::string> names;
    std::size_t i = at + 1;
    if (!Is(i, '(')) {
      return at;
    }
    for (++i; i < lx_.size() && lx_[i].code != ')'; ++i) {
      if (lx_[i].code == novl::IDENT) {
        names.push_back(lx_[i].value);
      }
    }
    if (Is(i + 1, novl::ASSIGN) && Is(i + 2, novl::STRING_CONST) &&
        std::find(names.begin(), names.end(), lx_[i + 2].value) == names.end()) {
      Report(NovlFindingKind::EnumerationDefaultOutside, lx_[i + 2].line, Joined(group),
             lx_[i + 2].value);
    }
    return i;
  }

  // "{" ... "}" after RESTRICTED_TO: the names it mentions (not called, not after a "."). Returns
  // the index of the closing brace.
  template <class Uses>
  std::size_t RestrictionNames(std::size_t at, const std::vector<std::string>& group, Uses& uses) {
    if (!Is(at, '{')) {
      return at - 1;
    }
    int depth = 0;
    std::size_t i = at;
    for (; i < lx_.size(); ++i) {
      depth += BracketChange(lx_[i].code);
      if (depth == 0) {
        break;
      }
      if (lx_[i].code == novl::IDENT && lx_[i].value != "VALUE" && !Is(i + 1, '(') &&
          !(i > 0 && lx_[i - 1].code == '.')) {
        uses.push_back({group, lx_[i].value, lx_[i].line});
      }
    }
    return i;
  }

  // Inside then ... endif the block reader takes "if" and "else" in any word as keywords.
  void ThenBlocks(std::size_t i) {
    const Lexeme& token = lx_[i];
    if (token.code == novl::THEN) {
      ++then_depth_;
    } else if (token.code == novl::ENDIF && then_depth_ > 0) {
      --then_depth_;
    } else if (then_depth_ > 0 && (token.code == novl::STRING_CONST || token.code == novl::IDENT)) {
      for (const char* word : {"else", "if"}) {
        if (token.value.find(word) != std::string::npos) {
          Report(NovlFindingKind::KeywordInsideThenBlock, token.line,
                 token.code == novl::STRING_CONST ? "'" + token.value + "'" : token.value, word);
          break;
        }
      }
    }
  }

  std::vector<Lexeme> lx_;
  TextLint lint_;
  bool in_entity_ = false;
  std::size_t statement_start_ = 0;
  int then_depth_ = 0;
};

}  // namespace

TextLint LintTokens(std::string_view text) {
  return Linter(Lex(text)).Run();
}

}  // namespace varnex::language
