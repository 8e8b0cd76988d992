// The host's lint for feature texts. Parsing a feature text reports nothing by itself (errors
// show only as a missing result); a host that wants to tell an author where a text is broken
// installs a syntax hook, or runs the checking pass below, which parses a text without
// executing it and also finds names that can never resolve.
#pragma once

#include <varnex/export.h>

#include <functional>
#include <string>

/// One syntax error met by a parse.
struct NovlSyntaxError {
  /// The parser's message ("syntax error").
  const char* message;
  /// Line of the offending token in the text being parsed (1-based; nested block texts count
  /// on from their enclosing text where the engine knows it).
  int line;
  /// The offending token as written; empty at the end of the text.
  const char* token;
};

/// Receives every syntax error of every parse while installed; empty by default.
using NovlSyntaxHook = std::function<void(const NovlSyntaxError&)>;
/// Installs `hook` (an empty function removes it) and returns the previous one.
VARNEX_API NovlSyntaxHook SetNovlSyntaxHook(NovlSyntaxHook hook);

/// What the checking pass found.
enum class NovlFindingKind {
  SyntaxError,      ///< the text does not parse at this token
  UnknownType,      ///< a declaration names a type that is neither built in nor an entity
  UnknownFunction,  ///< a call names neither a built-in nor a feature function
  /// A text or block starts with an expression statement: it is taken as a formula and the
  /// statements after it never run.
  StatementsNeverRun,
  /// A dowhile whose condition names nothing its body assigns (and calls nothing): once true it
  /// stays true, and the loop runs until the run's iteration limit stops it.
  UnchangingLoopCondition,
  /// Blocks nested deeper than the run's limit (or the stack) allows; reported once, the
  /// deeper blocks are not checked.
  NestedTooDeep,
  /// A parameter's restriction names another parameter of its header (`detail`), which is not
  /// visible when a value is handed over: the restriction refuses every value. `name`: the
  /// parameters the restriction belongs to.
  CrossParameterRestriction,
  /// An assignment inside a FUNCTION body to a name (`name`) that the function neither
  /// declares nor takes as a parameter: the run skips it.
  UndeclaredName,
  /// An assignment to `name` = object.attribute where the object's entity, vector or axis
  /// (`detail`) has no such attribute: the run skips it.
  UnknownAttribute,
  /// An enumeration parameter (`name`) whose default (`detail`) is none of its names.
  EnumerationDefaultOutside,
  /// An ENTITY declaration of several names (`name`), which the grammar refuses.
  SeveralNamesInEntity,
  /// A name or text (`name`) inside a then ... endif block that contains `detail` ("if" or
  /// "else"), which the block reader takes as a keyword.
  KeywordInsideThenBlock
};

struct NovlFinding {
  NovlFindingKind kind;
  int line;
  /// The token (syntax errors), the unknown name, or what the kind says.
  std::string name;
  /// The second name some kinds carry (see NovlFindingKind); empty otherwise.
  std::string detail;
};

using NovlFindingSink = std::function<void(const NovlFinding&)>;
/// Answers whether the host's library defines a name: a feature's function name (for calls)
/// or its entity name (for declared types).
using NovlFunctionQuery = std::function<bool(const std::string& name)>;

class ifunc_list;

/// Parses `text` without running any statement: every block of a conditional or loop is
/// checked whichever way its condition would go. Reports to `sink`, in text order, every
/// syntax error, every declaration whose type is neither a type name, an ENTITY of the text,
/// nor a name `is_feature` accepts, and every call whose name is neither in `builtins` (null
/// knows no name), a FUNCTION of the text, nor a name `is_feature` accepts (an empty query
/// accepts none), and every text or block whose leading expression statement keeps the
/// statements after it from running, and the authoring faults the kinds after NestedTooDeep
/// name. A bad first statement of the text ends the parse, as it does when the text runs; a
/// syntax error inside a FUNCTION's parameter list does not keep the rest of the text from
/// being checked. Returns the number of findings. Changes no world and no global
/// state. NovlCheckText (<varnex/builtins/builtins.h>) checks against the engine's own table.
VARNEX_API int NovlCheckTextWith(const char* text, const ifunc_list* builtins,
                                 const NovlFindingSink& sink,
                                 const NovlFunctionQuery& is_feature = {});
