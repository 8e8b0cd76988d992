// Persistent messages: notes kept inside the model as named objects, so that they are saved and
// restored with it. They live in the world "Messages" of the messenger node, an instance of the
// library feature "Messenger", as sub-instances Message_1, Message_2, ... holding a "Type"
// number and a "Message" text.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <vector>

class PDTnode;

/// TRUE when the node's name, after everything up to and including its last "_@", is exactly
/// "Messenger". FALSE for null.
VARNEX_API XBOOL IsPersistentMessenger(PDTnode* node);
/// The first messenger in all_nodes, or null.
VARNEX_API PDTnode* GetPersistentMessenger();
/// The messenger; when there is none a new one: a node named "Messenger" over an instance
/// "Messenger" of the library feature "Messenger" (a built-in definition when the library has
/// none), first in all_nodes and free_nodes; the instance counter does not advance. Null
/// without a dependency tree.
VARNEX_API PDTnode* CreatePersistentMessenger();
/// Adds a message of `type` (0: none) with `text` (may be empty, not both). FALSE, with the
/// model unchanged except for a newly made messenger, when the messenger has no "Messages"
/// world or it cannot be entered.
VARNEX_API XBOOL AddPersistentMessage(const PVMStrg& text, int type);
/// Appends the texts of the messages of `type` (0: all) to `out` (may be null), one pair of
/// enclosing single quotes removed; returns their number.
VARNEX_API int GetAllPersistentMessages(VALUE_LIST<PVMStrg>* out, int type);
/// Copies the message at 0-based `index` among those of `type` into `out` and returns its
/// text; null (out unchanged) outside the range.
VARNEX_API const char* GetPersistentMessage(PVMStrg& out, int type, int index);

namespace varnex {

/// One message of the messenger as it is kept: its type (0: none) and its text as stored
/// (enclosing quotes kept), so that adding it again gives the same message.
struct PersistentMessage {
  long type = 0;
  PVMStrg text;
};

/// The messages of the messenger in world order; empty without messenger.
VARNEX_API std::vector<PersistentMessage> ListPersistentMessages();

}  // namespace varnex
