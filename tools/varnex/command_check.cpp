// varnex check FILE.NVL ...: the feature author's lint.
#include <varnex/varnex.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "feature_session.h"

namespace varnex::cli {
namespace {

// The file as the library reads it: CR LF becomes LF and byte 26 ends the text.
bool ReadFeatureText(const char* path, std::string& text, std::string& error) {
  std::string raw;
  if (!PVFReadRegularFile(path, raw, &error)) {
    return false;
  }
  text.clear();
  for (char c : raw) {
    if (c == 26) {
      break;
    }
    if (c == '\n' && !text.empty() && text.back() == '\r') {
      text.back() = '\n';
    } else {
      text.push_back(c);
    }
  }
  return true;
}

void PrintFinding(const char* file, const NovlFinding& finding) {
  switch (finding.kind) {
    case NovlFindingKind::SyntaxError:
      std::printf("%s:%d: syntax error near '%s'\n", file, finding.line, finding.name.c_str());
      break;
    case NovlFindingKind::UnknownType:
      std::printf("%s:%d: unknown type '%s'\n", file, finding.line, finding.name.c_str());
      break;
    case NovlFindingKind::StatementsNeverRun:
      std::printf(
          "%s:%d: the statements after this expression never run: a text or block that "
          "starts with an expression is a formula (start it with an assignment)\n",
          file, finding.line);
      break;
    case NovlFindingKind::UnchangingLoopCondition:
      std::printf(
          "%s:%d: warning: the condition of this dowhile names nothing its body assigns: once "
          "true it stays true until the run's iteration limit stops it\n",
          file, finding.line);
      break;
    case NovlFindingKind::NestedTooDeep:
      std::printf("%s:%d: %s; the blocks inside are not checked\n", file, finding.line,
                  finding.name.c_str());
      break;
    case NovlFindingKind::UnknownFunction:
      std::printf("%s:%d: call of '%s', which is neither a built-in nor a feature of the library\n",
                  file, finding.line, finding.name.c_str());
      break;
    case NovlFindingKind::CrossParameterRestriction:
      std::printf(
          "%s:%d: restriction of '%s' names '%s', which is not visible when parameters are "
          "handed over; check it in the body with refuse(...)\n",
          file, finding.line, finding.name.c_str(), finding.detail.c_str());
      break;
    case NovlFindingKind::UndeclaredName:
      std::printf(
          "%s:%d: assignment to '%s', which the function neither declares nor takes as a "
          "parameter: the run skips it\n",
          file, finding.line, finding.name.c_str());
      break;
    case NovlFindingKind::UnknownAttribute: {
      std::size_t dot = finding.name.find('.');
      std::string attribute =
          finding.name.substr(dot + 1, finding.name.find('.', dot + 1) - dot - 1);
      std::printf("%s:%d: assignment to '%s': '%s' has no attribute '%s', so the run skips it\n",
                  file, finding.line, finding.name.c_str(), finding.detail.c_str(),
                  attribute.c_str());
      break;
    }
    case NovlFindingKind::EnumerationDefaultOutside:
      std::printf("%s:%d: default '%s' of '%s' is none of the names of its enumeration\n", file,
                  finding.line, finding.detail.c_str(), finding.name.c_str());
      break;
    case NovlFindingKind::SeveralNamesInEntity:
      std::printf(
          "%s:%d: '%s : ...' declares several names in an ENTITY, which the grammar refuses: "
          "declare one name per declaration\n",
          file, finding.line, finding.name.c_str());
      break;
    case NovlFindingKind::KeywordInsideThenBlock:
      std::printf(
          "%s:%d: %s inside then ... endif contains '%s', which the block reader takes as a "
          "keyword: use the brace form 'if (...) { ... };' or another %s\n",
          file, finding.line, finding.name.c_str(), finding.detail.c_str(),
          finding.name.starts_with('\'') ? "text" : "name");
      break;
  }
}

// A feature's function name (calls) or entity name (declared types).
bool IsLibraryName(const std::string& name) {
  if (pFeatureList == nullptr) {
    return false;
  }
  const PVMStrg wanted(name.c_str());
  if (pFeatureList->GetFeatureByFunction(wanted) != nullptr) {
    return true;
  }
  for (int i = 0; i < pFeatureList->Count(); ++i) {
    PVMStrg entity;
    if (wanted == (*pFeatureList)[i]->GetEntityName(entity)) {
      return true;
    }
  }
  return false;
}

}  // namespace

int RunCheck(Arguments args) {
  if (args.empty()) {
    return Fail("check needs at least one FILE.NVL (see 'varnex check --help')");
  }
  FeatureSession session;
  int findings = 0;
  bool unreadable = false;
  for (const char* file : args) {
    std::string text;
    std::string error;
    if (!ReadFeatureText(file, text, error)) {
      std::fprintf(stderr, "varnex: cannot read '%s': %s\n", file, error.c_str());
      unreadable = true;
      continue;
    }
    findings += NovlCheckText(
        text.c_str(), [file](const NovlFinding& finding) { PrintFinding(file, finding); },
        IsLibraryName);
  }
  return findings > 0 || unreadable ? 1 : 0;
}

const Command kCheckCommand = {
    "check", "report syntax errors, unknown names and authoring faults in feature texts",
    "usage: varnex check FILE.NVL ...\n\n"
    "Parses each file without running it and prints one line per finding:\n"
    "  FILE:LINE: syntax error near 'TOKEN'\n"
    "  FILE:LINE: unknown type 'NAME'      (neither a type, an ENTITY of the file, nor\n"
    "                                       the entity of a feature of the library)\n"
    "  FILE:LINE: call of 'NAME', ...      (neither a built-in, a FUNCTION of the file,\n"
    "                                       nor a feature of the library on NOVLPath)\n"
    "  FILE:LINE: warning: the condition of this dowhile names nothing its body assigns\n"
    "  FILE:LINE: blocks nested deeper than N   (the run's nesting limit)\n"
    "  FILE:LINE: restriction of 'A' names 'B', ...   (another parameter, which a\n"
    "                                       restriction cannot see: it refuses every value)\n"
    "  FILE:LINE: assignment to 'X', ...   (a name the FUNCTION does not declare, or an\n"
    "                                       attribute its entity, vector or axis lacks)\n"
    "  FILE:LINE: default 'D' of 'E' ...   (an enumeration default outside its names)\n"
    "  FILE:LINE: 'a, b : ...' declares several names in an ENTITY\n"
    "  FILE:LINE: ... inside then ... endif contains 'if'   (or 'else')\n"
    "Both branches of every conditional and every loop body are checked. A broken first\n"
    "statement ends the check of its text, as it ends the text's run; after a syntax error\n"
    "in a FUNCTION's parameter list the rest of the file is still checked.\n"
    "Exits 0 when nothing was found, 1 otherwise (also for a FILE that is no regular file).\n",
    RunCheck};

}  // namespace varnex::cli
