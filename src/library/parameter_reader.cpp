// The parameter-list reader. Default values and restraints are taken from the source text as
// written (not rebuilt from tokens), so that their layout and meaning stay intact.
#include "library/parameter_reader.h"

#include <varnex/language/tokens.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "language/scanner.h"

namespace varnex::library {

namespace {

// Keywords that cannot occur inside a parameter list: a list that runs into one is damaged
// and ends there.
bool IsStructural(int code) {
  switch (code) {
    case novl::END_OF_TEXT:
    case novl::SCHEMA:
    case novl::END_SCHEMA:
    case novl::ENTITY:
    case novl::END_ENTITY:
    case novl::FUNCTION:
    case novl::END_FUNCTION:
    case novl::LOCAL:
      return true;
    default:
      return false;
  }
}

struct ListRules {
  int separator;   // ends one group of parameters
  int terminator;  // ends the list
};

class ParameterListReader {
 public:
  ParameterListReader(TokenReader& reader, GENERIC_LIST<HANDOVER_PARAMETER>& out, ListRules rules)
      : reader_(reader), out_(out), rules_(rules) {}

  // The next token; the keywords written with an underscore (RESTRICTED_TO, ENUMERATION_OF),
  // which the scanner returns as identifiers, count as the keywords.
  int Next() {
    int code = reader_.Next();
    if (code == novl::IDENT && reader_.Value() == "RESTRICTED_TO") {
      return novl::RESTRICTED_TO;
    }
    if (code == novl::IDENT && reader_.Value() == "ENUMERATION_OF") {
      return novl::ENUMERATION_OF;
    }
    return code;
  }

  int Read() {
    for (int code = Next();; code = Next()) {
      if (code == rules_.terminator || IsStructural(code)) {
        Flush();
        return code;
      }
      code = typed_ ? AfterType(code) : BeforeType(code);
      if (code != 0) {
        Flush();
        return code;
      }
    }
  }

 private:
  // Names, then ":" and the type. Returns a token that ends the list, or 0 to go on.
  int BeforeType(int code) {
    if (code == novl::IDENT) {
      pending_.push_back(std::make_unique<HANDOVER_PARAMETER>());
      pending_.back()->SetName(reader_.Value());
    } else if (code == ':') {
      return ReadType();
    } else if (code == novl::WHERE) {
      return SkipPast(';');
    } else if (code == ';' && rules_.separator == ';') {
      Flush();  // an attribute without a type
    }
    return 0;
  }

  int ReadType() {
    int code = Next();
    PVMStrg type;
    if (code == novl::IDENT || code == novl::TYPE_NAME) {
      type = reader_.Value();
    } else if (code == novl::ENUMERATION_OF) {
      type = "ENUMERATION_OF";
      code = Next();
      if (IsStructural(code)) {
        return code;
      }
      type &= reader_.Text();
      PVMStrg names;
      if (ScanToToken(names, ')') != ')') {
        return novl::END_OF_TEXT;
      }
      type &= names & ")";
    } else {
      return IsStructural(code) || code == rules_.terminator ? code : 0;
    }
    for (auto& parameter : pending_) {
      parameter->SetType(type);
    }
    typed_ = true;
    return 0;
  }

  // After the type: default, restraints, then the separator.
  int AfterType(int code) {
    if (code == novl::ASSIGN) {
      return ReadDefault();
    }
    if (code == novl::RESTRICTED_TO) {
      return ReadRestraints();
    }
    if (code == rules_.separator) {
      Flush();
    }
    return 0;
  }

  int ReadDefault() {
    PVMStrg value;
    int stop = ReadRawTo({rules_.separator, rules_.terminator, novl::RESTRICTED_TO}, value);
    for (auto& parameter : pending_) {
      parameter->SetValue(value);
    }
    return Continue(stop);
  }

  int ReadRestraints() {
    int code = Next();
    if (code != '{') {
      return Continue(code);
    }
    PVMStrg text;
    int stop = ReadRawTo({'}'}, text);
    if (stop != '}') {
      return stop;
    }
    PVMStrg restraints = "{ " & text & " }";
    for (auto& parameter : pending_) {
      parameter->SetRestraints(restraints);
    }
    return 0;
  }

  // Handles the token that ended a default or restraints.
  int Continue(int stop) {
    if (stop == novl::RESTRICTED_TO) {
      return ReadRestraints();
    }
    if (stop == rules_.separator) {
      Flush();
      return 0;
    }
    return stop == rules_.terminator || IsStructural(stop) ? stop : 0;
  }

  // The source text up to the first of `stops` outside brackets (trimmed); returns that token,
  // or the structural keyword or end that came first.
  int ReadRawTo(std::initializer_list<int> stops, PVMStrg& text) {
    std::size_t begin = reader_.Position();
    std::size_t end = begin;
    int depth = 0;
    for (int code = Next();; code = Next()) {
      bool stop = depth == 0 && std::find(stops.begin(), stops.end(), code) != stops.end();
      if (stop || IsStructural(code)) {
        text = reader_.Slice(begin, end);
        return code;
      }
      depth = std::max(0, depth + varnex::language::BracketChange(code));
      end = reader_.Position();
    }
  }

  int SkipPast(int stop) {
    for (int code = Next();; code = Next()) {
      if (code == stop) {
        return 0;
      }
      if (IsStructural(code)) {
        return code;
      }
    }
  }

  void Flush() {
    for (auto& parameter : pending_) {
      out_.add(parameter.release());
    }
    pending_.clear();
    typed_ = false;
  }

  TokenReader& reader_;
  GENERIC_LIST<HANDOVER_PARAMETER>& out_;
  ListRules rules_;
  std::vector<std::unique_ptr<HANDOVER_PARAMETER>> pending_;
  bool typed_ = false;
};

}  // namespace

int ReadFunctionParameter(TokenReader& reader, GENERIC_LIST<HANDOVER_PARAMETER>& out) {
  int code = reader.Next();
  if (code != '(') {
    return code;
  }
  return ParameterListReader(reader, out, {',', ')'}).Read();
}

int ReadEntityParameter(TokenReader& reader, GENERIC_LIST<HANDOVER_PARAMETER>& out) {
  return ParameterListReader(reader, out, {';', novl::END_ENTITY}).Read();
}

}  // namespace varnex::library
