// Keeping one messenger through a merge (see messenger_merge.h).
#include "modelstore/messenger_merge.h"

#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/node.h>
#include <varnex/tree/persistent_messages.h>
#include <varnex/tree/tree_functions.h>

#include <string>
#include <vector>

namespace varnex::modelstore {

namespace {

constexpr const char* kMessenger = "Messenger";

rumpf* InstanceOf(PDTnode* node) {
  return node != nullptr && node->IsTypeOf("PDTfeat") ? static_cast<PDTfeat*>(node)->feature()
                                                      : nullptr;
}

// A plain name (no "_@", so a merge never renames it) that the outermost world does not use.
std::string FreeAsideName() {
  nullwelt* root = anfang != nullptr ? anfang->get_inertial_world() : nullptr;
  std::string name = "Messenger_before_merge";
  for (int n = 2; root != nullptr && root->find(name.c_str()) != nullptr; ++n) {
    name = "Messenger_before_merge_" + std::to_string(n);
  }
  return name;
}

}  // namespace

MessengerAside::MessengerAside() {
  rumpf* instance = InstanceOf(GetPersistentMessenger());
  if (instance != nullptr && instance->set_name(FreeAsideName().c_str()) == 1) {
    running_ = instance;
  }
}

MessengerAside::~MessengerAside() {
  PutBack();
}

void MessengerAside::PutBack() {
  if (running_ != nullptr) {
    running_->set_name(kMessenger);
    running_ = nullptr;
  }
}

void MessengerAside::Rejoin() {
  if (running_ == nullptr) {
    return;
  }
  std::vector<PersistentMessage> merged;
  if (PDTnode* incoming = GetPersistentMessenger()) {
    merged = ListPersistentMessages();
    rumpf* instance = InstanceOf(incoming);
    delete_node(incoming);
    delete instance;
  }
  PutBack();
  for (const PersistentMessage& message : merged) {
    AddPersistentMessage(message.text, static_cast<int>(message.type));
  }
}

}  // namespace varnex::modelstore
