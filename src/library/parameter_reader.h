// Reading the parameter lists of a feature definition: the attributes of an ENTITY and the
// parameters in the head of a FUNCTION.
#pragma once

#include <varnex/base/void_list.h>
#include <varnex/library/handover_parameter.h>

#include "library/token_reader.h"

namespace varnex::library {

/// Reads the parameter list of a FUNCTION head, the reader standing after the function name:
/// "(" name, ... ":" type [":=" default] [RESTRICTED_TO "{" ... "}"] "," ... ")". Appends new
/// parameters to `out` (which owns them). Returns the token that ended the list: ")" or, in a
/// damaged text, the keyword or end (0) that stopped it, for the caller to go on with.
int ReadFunctionParameter(TokenReader& reader, GENERIC_LIST<HANDOVER_PARAMETER>& out);

/// Reads the attributes of an ENTITY the same way, the reader standing after the entity name;
/// attributes end with ";", DERIVE is read as an attribute with its formula as default, WHERE
/// rules are skipped to their ";". Returns END_ENTITY or the token that stopped the list.
int ReadEntityParameter(TokenReader& reader, GENERIC_LIST<HANDOVER_PARAMETER>& out);

}  // namespace varnex::library
