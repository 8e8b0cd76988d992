// Persistent messages: sub-instances Message_1, Message_2, ... of the messenger's "Messages"
// world, each with an optional "Type" number and "Message" text.
#include <varnex/geometry/spa.h>
#include <varnex/library/feature_list.h>
#include <varnex/model/object_values.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/persistent_messages.h>

#include <string>

#include "tree/tree_internal.h"

namespace {

constexpr const char* kMessenger = "Messenger";

// The built-in definition of the messenger, used when the library has none of its own.
constexpr const char* kMessengerText = R"(SCHEMA Messenger;
  ENTITY feature_Messages;
  END_ENTITY;

  ENTITY feature_Messenger;
    Messages : feature_Messages;
  END_ENTITY;

  FUNCTION create_Messenger
  (
  ) : feature_Messenger;
    LOCAL
      object : feature_Messenger;
    END_LOCAL;
    RETURN (object);
  END_FUNCTION;
END_SCHEMA;
)";

void EnsureMessengerFeature() {
  if (pFeatureList != nullptr && pFeatureList->GetFeatureByName(PVMStrg(kMessenger)) == nullptr) {
    pFeatureList->AddFeature(PVMStrg("Messenger.NVL"), PVMStrg(kMessengerText));
  }
}

// The messenger's "Messages" world object, or null.
rumpf* MessagesOf(PDTnode* messenger) {
  if (messenger == nullptr) {
    return nullptr;
  }
  varnex::tree::OutermostWorld outermost;
  return search(PVMStrg(messenger->get_name()) & ".Messages");
}

PVMStrg MessageName(int number) {
  return PVMStrg(("Message_" + std::to_string(number)).c_str());
}

// Leaves the worlds entered, however the function returns.
class EnteredWorlds {
 public:
  EnteredWorlds() = default;
  ~EnteredWorlds() {
    for (; entered_ > 0; --entered_) {
      requalify();
    }
  }
  EnteredWorlds(const EnteredWorlds&) = delete;
  EnteredWorlds& operator=(const EnteredWorlds&) = delete;
  bool Enter(rumpf* object) {
    if (object == nullptr || object->qualify() == nullptr) {
      return false;
    }
    ++entered_;
    return true;
  }

 private:
  int entered_ = 0;
};

// The message sub-instances of the messenger in world order (none without messenger or world),
// each with its type (0: none) and its text as stored.
template <class Visit>
void ForEachMessage(Visit visit) {
  PDTnode* messenger = GetPersistentMessenger();
  rumpf* messages = MessagesOf(messenger);
  if (messages == nullptr) {
    return;
  }
  GENERIC_LIST<rumpf> entries;
  list_world(&entries, messages);
  varnex::tree::OutermostWorld outermost;
  for (int i = 0; i < entries.count(); ++i) {
    PVMStrg full;
    if (entries[i]->get_full_name(full) == nullptr) {
      continue;
    }
    auto* number = dynamic_cast<object_number*>(search(full & ".Type"));
    auto* text = dynamic_cast<object_text*>(search(full & ".Message"));
    visit(number != nullptr ? number->get() : 0L, PVMStrg(text != nullptr ? text->get() : ""));
  }
}

}  // namespace

XBOOL IsPersistentMessenger(PDTnode* node) {
  if (node == nullptr) {
    return FALSE;
  }
  PVMStrg name(node->get_name());
  name <<= "_@";
  return ToXBool(name == kMessenger);
}

PDTnode* GetPersistentMessenger() {
  if (all_nodes == nullptr) {
    return nullptr;
  }
  for (PDTnode* node : *all_nodes) {
    if (IsPersistentMessenger(node)) {
      return node;
    }
  }
  return nullptr;
}

PDTnode* CreatePersistentMessenger() {
  if (PDTnode* existing = GetPersistentMessenger()) {
    return existing;
  }
  if (all_nodes == nullptr || free_nodes == nullptr) {
    return nullptr;
  }
  EnsureMessengerFeature();
  int saved_count = total_count;
  total_count = 0;
  auto* messenger = new PDTfeat(kMessenger, kMessenger, nullptr);
  total_count = saved_count;
  // The instance is called "Messenger" itself (the node follows the rename), so its name ends
  // in the feature name and its world is "Messenger.Messages".
  if (messenger->feature() != nullptr) {
    messenger->feature()->set_name(kMessenger);
  }
  all_nodes->insert(messenger, 0);
  free_nodes->insert(messenger, 0);
  return messenger;
}

XBOOL AddPersistentMessage(const PVMStrg& text, int type) {
  if (text.IsVoid() && type == 0) {
    return FALSE;
  }
  rumpf* messages = MessagesOf(CreatePersistentMessenger());
  EnteredWorlds worlds;
  if (!worlds.Enter(messages)) {
    return FALSE;
  }
  VALUE_LIST<PVMStrg> names;
  PVMStrg here;
  int number = list_world(&names, here) + 1;
  while (names.lookup(MessageName(number)) >= 0) {
    ++number;
  }
  auto* message = new object_planet(MessageName(number));
  message->set_alias_type("Message");
  if (!worlds.Enter(message)) {
    return FALSE;
  }
  if (type != 0) {
    auto* number_object = new object_number(type, "Type");
    number_object->set_alias_type("NUMBER");
  }
  if (text.IsNotVoid()) {
    auto* text_object = new object_text(text, "Message");
    text_object->set_alias_type("STRING");
  }
  return TRUE;
}

int GetAllPersistentMessages(VALUE_LIST<PVMStrg>* out, int type) {
  int count = 0;
  ForEachMessage([&](long message_type, PVMStrg text) {
    if (type != 0 && message_type != type) {
      return;
    }
    text.UnBrace('\'');
    if (out != nullptr) {
      out->add(text);
    }
    ++count;
  });
  return count;
}

namespace varnex {

std::vector<PersistentMessage> ListPersistentMessages() {
  std::vector<PersistentMessage> messages;
  ForEachMessage([&](long type, const PVMStrg& text) { messages.push_back({type, text}); });
  return messages;
}

}  // namespace varnex

const char* GetPersistentMessage(PVMStrg& out, int type, int index) {
  VALUE_LIST<PVMStrg> texts;
  GetAllPersistentMessages(&texts, type);
  if (index < 0 || index >= texts.count()) {
    return nullptr;
  }
  out = texts[index];
  return out;
}
