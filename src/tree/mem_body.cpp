// The memory-body store: a registry of kept bodies on the engine's thread, a queue of jobs and
// one writer thread that writes them to the run's private directory.
#include <unistd.h>
#include <varnex/base/messages.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/library/para_feature.h>
#include <varnex/model/object_references.h>
#include <varnex/model/rumpf.h>
#include <varnex/persistence/entity_list_file.h>
#include <varnex/persistence/sat_stream.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/node.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/private_directory.h"
#include "tree/tree_internal.h"

namespace {

constexpr const char* kTitle = "MemoryBody";

void Report(const std::string& text) {
  if (pPVFHandleMessage != nullptr) {
    pPVFHandleMessage->Warning(kTitle, text.c_str());
  }
}

// What the registry knows of a kept body.
struct Entry {
  std::uint64_t sequence = 0;
  std::string path;
  int weight = 0;
};

// A body waiting for the writer.
struct Job {
  std::uint64_t sequence = 0;
  std::string path;
  std::unique_ptr<PVFSatStream> stream;
};

// A file name part from a node id: letters, digits, '_', '-' and '@' stay, anything else
// becomes '_'.
std::string FileNamePart(const char* id) {
  std::string part = id != nullptr && *id != '\0' ? id : "node";
  for (char& c : part) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '_' || c == '-' || c == '@';
    if (!plain) {
      c = '_';
    }
  }
  return part.substr(0, 100);
}

class Store {
 public:
  ~Store() { Shutdown(); }

  // ---- engine thread ----

  bool enabled = true;
  std::unordered_map<PDTnode*, Entry> entries;

  // The run's directory, made on first use under the host's temporary path.
  const varnex::base::PrivateDirectory* Directory() {
    if (directory_ == nullptr) {
      PVMStrg root;
      varnex::tree::Context().GetTempPathName(root);
      auto made = std::make_unique<varnex::base::PrivateDirectory>(
          "varnex-membody-", root.IsVoid() ? std::string() : std::string(root.GetpStr()));
      if (!made->Ok()) {
        Report(std::string("no private directory for memory bodies could be made under '") +
               (root.IsVoid() ? "" : root.GetpStr()) + "'; bodies are rebuilt instead");
        return nullptr;
      }
      directory_ = std::move(made);
    }
    return directory_.get();
  }
  std::string DirectoryPath() const { return directory_ != nullptr ? directory_->Path() : ""; }

  std::uint64_t NextSequence() { return ++sequence_; }

  // False when no writer could be started (the job is not queued then).
  bool Enqueue(std::uint64_t sequence, const std::string& path,
               std::unique_ptr<PVFSatStream> stream) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(Job{sequence, path, std::move(stream)});
    }
    wake_.notify_one();
    if (!writer_.joinable()) {
      try {
        writer_ = std::thread([this] { WriterLoop(); });
      } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.pop_back();
        return false;
      }
    }
    return true;
  }

  // A copy of the queued stream of `sequence`; false when the job is no longer queued (a write
  // under way is waited for first).
  bool QueuedCopy(std::uint64_t sequence, PVFSatStream& out) {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [&] { return writing_ != sequence; });
    for (const Job& job : queue_) {
      if (job.sequence == sequence) {
        out = *job.stream;
        return true;
      }
    }
    return false;
  }

  bool Queued(std::uint64_t sequence) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Job& job : queue_) {
      if (job.sequence == sequence) {
        return true;
      }
    }
    return writing_ == sequence;
  }

  // Takes the job of `sequence` out of the queue, waiting for a write of it under way.
  void Cancel(std::uint64_t sequence) {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [&] { return writing_ != sequence; });
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
      if (it->sequence == sequence) {
        queue_.erase(it);
        break;
      }
    }
  }

  // Forgets the node's entry and deletes its file.
  bool Erase(PDTnode* node) {
    auto found = entries.find(node);
    if (found == entries.end()) {
      return false;
    }
    Entry entry = std::move(found->second);
    entries.erase(found);
    Cancel(entry.sequence);
    ::unlink(entry.path.c_str());
    return true;
  }

  // Empties the queue, waits for the write under way and deletes the run's files.
  void Clear() {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      queue_.clear();
      idle_.wait(lock, [&] { return writing_ == 0; });
      failed_.clear();
    }
    entries.clear();
    if (directory_ != nullptr) {
      directory_->Clear();
    }
  }

  void Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [&] { return (queue_.empty() || held_) && writing_ == 0; });
  }

  void Hold(bool held) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      held_ = held;
    }
    wake_.notify_all();
  }

  void Shutdown() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
      queue_.clear();
    }
    wake_.notify_all();
    if (writer_.joinable()) {
      writer_.join();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = false;
      held_ = false;
      failed_.clear();
    }
    entries.clear();
    directory_.reset();
  }

  // Reports the writer's failures and forgets their entries.
  void DrainFailures() {
    std::vector<std::uint64_t> failed;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      failed.swap(failed_);
    }
    for (std::uint64_t sequence : failed) {
      for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->second.sequence == sequence) {
          Report("the memory body of node '" + std::string(it->first->get_name()) +
                 "' could not be written to '" + it->second.path +
                 "'; the node will be rebuilt when needed");
          ::unlink(it->second.path.c_str());
          entries.erase(it);
          break;
        }
      }
    }
  }

 private:
  // ---- writer thread ----
  void WriterLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || (!held_ && !queue_.empty()); });
      if (stop_) {
        return;
      }
      Job job = std::move(queue_.front());
      queue_.pop_front();
      writing_ = job.sequence;
      lock.unlock();
      bool failed = job.stream->WriteToFile(job.path.c_str()) != FALSE;
      job.stream.reset();
      lock.lock();
      writing_ = 0;
      if (failed) {
        failed_.push_back(job.sequence);
      }
      idle_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;  // the writer waits for a job or the stop
  std::condition_variable idle_;  // a write finished
  std::deque<Job> queue_;
  std::uint64_t writing_ = 0;  // the sequence the writer writes now, 0 for none
  bool stop_ = false;
  bool held_ = false;
  std::vector<std::uint64_t> failed_;
  std::thread writer_;

  std::unique_ptr<varnex::base::PrivateDirectory> directory_;
  std::uint64_t sequence_ = 0;
};

Store& TheStore() {
  static Store store;
  return store;
}

// The store after reporting the writer's failures.
Store& Current() {
  Store& store = TheStore();
  store.DrainFailures();
  return store;
}

int OwnWeight(PDTnode* node) {
  if (node->IsTypeOf("PDTcomb")) {
    return 1;
  }
  if (node->IsTypeOf("PDTtrans")) {
    return 0;
  }
  if (node->IsTypeOf("PDTfeat")) {
    rumpf* root = node->GetRootDataElement();
    bool pattern = root != nullptr && root->isAliasTypeOf("feature_ReproMatrixV1");
    return pattern ? PVFSaveMemBody::kThreshold - 1 : 1;
  }
  return 1;
}

// The operands of a combination (walked without recursion: chains can be thousands deep).
template <class Visit>
void Walk(PDTnode* node, Visit visit) {
  std::vector<PDTnode*> pending{node};
  while (!pending.empty()) {
    PDTnode* current = pending.back();
    pending.pop_back();
    if (current == nullptr || !visit(current) || !current->IsTypeOf("PDTcomb")) {
      continue;
    }
    auto* comb = static_cast<PDTcomb*>(current);
    pending.push_back(comb->get_op1());
    pending.push_back(comb->get_op2());
  }
}

std::string NodeName(PDTnode* node) {
  return node->get_name() != nullptr ? node->get_name() : "";
}

}  // namespace

namespace varnex::tree {

ENTITY* InstallRestoredBody(object_geom* geometry, ENTITY* body) {
  if (geometry == nullptr) {
    api_delent(body);
    return nullptr;
  }
  ToModel(body);
  geometry->set_BODY(body);
  return body;
}

}  // namespace varnex::tree

int PVFSaveMemBody::Weight(PDTnode* node) {
  int weight = 0;
  Walk(node, [&](PDTnode* current) {
    weight += OwnWeight(current);
    return true;
  });
  return weight;
}

int PVFSaveMemBody::CachedWeight(PDTnode* node) {
  Store& store = TheStore();
  int weight = 0;
  Walk(node, [&](PDTnode* current) {
    auto found = store.entries.find(current);
    if (found != store.entries.end()) {
      weight += found->second.weight;
      return false;
    }
    return true;
  });
  return weight;
}

ENTITY* PVFSaveMemBody::MemBodyToFile(PDTnode* node, ENTITY* body) {
  if (node == nullptr) {
    return nullptr;
  }
  Store& store = Current();
  store.Erase(node);
  if (body == nullptr || !store.enabled) {
    return nullptr;
  }
  int weight = Weight(node);
  if (weight < kThreshold + CachedWeight(node)) {
    return nullptr;
  }
  auto stream = std::make_unique<PVFSatStream>();
  EntitySet bodies;
  bodies.add(fmbody_from(body));
  if (!api_save_entity_list_file(stream.get(), bodies).ok() || !stream->Compress()) {
    Report("the body of node '" + NodeName(node) + "' could not be saved as memory body");
    return nullptr;
  }
  const varnex::base::PrivateDirectory* directory = store.Directory();
  if (directory == nullptr) {
    return nullptr;
  }
  std::uint64_t sequence = store.NextSequence();
  std::string path =
      directory->Inside(FileNamePart(node->get_id()) + "-" + std::to_string(sequence) + ".mbd");
  if (!store.Enqueue(sequence, path, std::move(stream))) {
    Report("no writer thread could be started for the memory body of node '" + NodeName(node) +
           "'");
    return nullptr;
  }
  store.entries[node] = Entry{sequence, path, weight};
  return body;
}

ENTITY* PVFSaveMemBody::MemBodyFromFile(PDTnode* node) {
  Store& store = Current();
  auto found = store.entries.find(node);
  if (found == store.entries.end()) {
    return nullptr;
  }
  const Entry& entry = found->second;
  PVFSatStream stream;
  const char* failure = nullptr;
  if (!store.QueuedCopy(entry.sequence, stream) &&
      stream.ReadFromFile(entry.path.c_str()) != FALSE) {
    failure = "its file cannot be read";
  }
  ENTITY_LIST bodies;
  if (failure == nullptr && !stream.Uncompress()) {
    failure = "its file is damaged";
  }
  if (failure == nullptr && (!api_restore_entity_list_file(&stream, bodies).ok() ||
                             bodies.count() != 1 || fmbody_from(bodies[0]) != bodies[0])) {
    failure = "its data do not make one body";
  }
  if (failure != nullptr) {
    for (int i = 0; i < bodies.count(); ++i) {
      api_delent(bodies[i]);
    }
    Report("the memory body of node '" + NodeName(node) + "' cannot be used (" + failure + ": '" +
           entry.path + "'); the node is rebuilt instead");
    store.Erase(node);
    return nullptr;
  }
  PVFRelinkFeatureFaces(bodies[0]);
  return bodies[0];
}

XBOOL PVFSaveMemBody::eHasMemBody(PDTnode* node) {
  Store& store = Current();
  return ToXBool(store.entries.count(node) > 0);
}

XBOOL PVFSaveMemBody::DeleteMemBodyFile(PDTnode* node) {
  return ToXBool(TheStore().Erase(node));
}

void PVFSaveMemBody::DeleteMemBodyFiles() {
  TheStore().Clear();
}

void PVFSaveMemBody::Shutdown() {
  Current().Shutdown();
}

void PVFSaveMemBody::SetEnabled(XBOOL on) {
  Store& store = TheStore();
  store.enabled = on != FALSE;
  if (!store.enabled) {
    store.Clear();
  }
}

XBOOL PVFSaveMemBody::IsEnabled() {
  return ToXBool(TheStore().enabled);
}

void PVFSaveMemBody::Flush() {
  Current().Flush();
  Current();
}

void PVFSaveMemBody::HoldWriter(XBOOL held) {
  TheStore().Hold(held != FALSE);
}

XBOOL PVFSaveMemBody::IsQueued(PDTnode* node) {
  Store& store = Current();
  auto found = store.entries.find(node);
  return ToXBool(found != store.entries.end() && store.Queued(found->second.sequence));
}

std::string PVFSaveMemBody::FileOf(PDTnode* node) {
  Store& store = Current();
  auto found = store.entries.find(node);
  return found != store.entries.end() ? found->second.path : std::string();
}

std::string PVFSaveMemBody::Directory() {
  return TheStore().DirectoryPath();
}
