// varnex session [SCRIPT]: the host's parametric session. Feature nodes are made from library
// features, joined into combinations and shown as a tree; commands come one a line from the
// script or from standard input.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <varnex/varnex.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "body_export.h"
#include "commands.h"
#include "feature_session.h"
#include "host_hooks.h"
#include "session_annotation_commands.h"
#include "session_generate_command.h"
#include "session_model_commands.h"
#include "session_update_commands.h"

extern char** environ;

namespace varnex::cli {
namespace {

using Words = std::vector<std::string>;

std::string VolumeText(double volume) {
  std::ostringstream text;
  text << volume;  // %g form, six significant digits
  return text.str();
}

std::string Pad(std::string text, std::size_t width) {
  if (text.size() < width) {
    text.append(width - text.size(), ' ');
  }
  return text + " ";
}

const char* SignName(int sign) {
  static const char* const kNames[] = {"unknown",      "positive", "negative", "transformation",
                                       "manipulation", "negation", "attribute"};
  return sign >= 0 && sign <= 6 ? kNames[sign] : "unknown";
}

const char* CombTypeName(int type) {
  static const char* const kNames[] = {"identical",   "none",       "union",
                                       "subtraction", "fixed-move", "move",
                                       "manipulate",  "negate",     "attribute"};
  return type >= -1 && type <= 7 ? kNames[type + 1] : "?";
}

const char* KindName(PDTnode* node) {
  if (node->IsTypeOf("PDTcomb")) {
    return "comb";
  }
  return node->IsTypeOf("PDTtrans") ? "trans" : "feat";
}

// The body a node holds of its own: a body that went into the parent's combination (the
// parent's result lives in it now) is the parent's.
ENTITY* OwnBody(PDTnode* node) {
  ENTITY* body = node->get_body();
  PDTnode* parent = node->get_parent();
  return body != nullptr && parent != nullptr && parent->get_body() == body ? nullptr : body;
}

std::vector<PDTnode*> Operands(PDTnode* node) {
  std::vector<PDTnode*> operands;
  if (node->IsTypeOf("PDTcomb")) {
    auto* comb = static_cast<PDTcomb*>(node);
    for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
      if (operand != nullptr) {
        operands.push_back(operand);
      }
    }
  }
  return operands;
}

// The roots in all_nodes order, each followed by its subtree (operand 1 before operand 2).
void WalkTree(const std::function<void(PDTnode*, int)>& visit) {
  std::function<void(PDTnode*, int)> walk = [&](PDTnode* node, int depth) {
    visit(node, depth);
    for (PDTnode* operand : Operands(node)) {
      walk(operand, depth + 1);
    }
  };
  for (PDTnode* node : *all_nodes) {
    if (node->get_parent() == nullptr) {
      walk(node, 0);
    }
  }
}

std::string NodeLine(PDTnode* node, int depth) {
  std::string name = std::string(2 * depth, ' ') + node->get_name();
  std::string type =
      node->IsTypeOf("PDTcomb") ? CombTypeName(static_cast<PDTcomb*>(node)->get_comb_type()) : "-";
  ENTITY* body = OwnBody(node);
  std::string volume = body != nullptr ? VolumeText(fmvolume_of_body(body)) : "-";
  return Pad(name, 24) + Pad(KindName(node), 5) + Pad(SignName(node->get_sign()), 14) +
         Pad(type, 12) + volume;
}

std::string DotLabel(PDTnode* node) {
  std::string label =
      std::string(node->get_name()) + "\\n" + KindName(node) + ", " + SignName(node->get_sign());
  if (node->IsTypeOf("PDTcomb")) {
    label += "\\n" + std::string(CombTypeName(static_cast<PDTcomb*>(node)->get_comb_type()));
  }
  if (ENTITY* body = OwnBody(node)) {
    label += "\\nV = " + VolumeText(fmvolume_of_body(body));
  }
  return label;
}

bool FindOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) {
      return true;
    }
  }
  return false;
}

// Runs `dot -Tformat in -o out` without a shell; true when it succeeded.
bool RunDot(const std::string& format, const std::string& in, const std::string& out) {
  std::string type = "-T" + format;
  std::vector<char*> argv = {const_cast<char*>("dot"),       type.data(),
                             const_cast<char*>(in.c_str()),  const_cast<char*>("-o"),
                             const_cast<char*>(out.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "dot", nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Session {
 public:
  /// Runs one command line; false after a message in `error`.
  bool Run(const Words& words, std::string& error, bool& quit);

 private:
  bool New(const Words& words, std::string& error);
  bool Connect(const Words& words, std::string& error);
  bool Unhook(const Words& words, std::string& error);
  bool Delete(const Words& words, std::string& error);
  bool Tree(const Words& words, std::string& error);
  bool Export(const Words& words, std::string& error);
  bool Volume(const Words& words, std::string& error);
  bool Message(const Words& words, std::string& error);
  bool Messages(const Words& words, std::string& error);
  PDTnode* Node(const std::string& name, std::string& error);
  bool WriteDot(const std::string& path, std::string& error);

  FeatureSession session_;
  // Goes before the engine stops (members end in reverse order).
  SessionAnnotations annotations_;
};

bool Session::Run(const Words& words, std::string& error, bool& quit) {
  using Handler = bool (Session::*)(const Words&, std::string&);
  static const std::map<std::string, Handler> kHandlers = {
      {"new", &Session::New},          {"connect", &Session::Connect},
      {"unhook", &Session::Unhook},    {"delete", &Session::Delete},
      {"tree", &Session::Tree},        {"export", &Session::Export},
      {"volume", &Session::Volume},    {"message", &Session::Message},
      {"messages", &Session::Messages}};
  if (words[0] == "quit" || words[0] == "exit") {
    quit = true;
    return true;
  }
  if (words[0] == "generate") {
    return GenerateFeature(words, error);
  }
  if (words[0] == "inputs") {
    return MakeInputList(words, error);
  }
  if (SessionAnnotations::IsCommand(words[0])) {
    return annotations_.Run(words, error);
  }
  auto handler = kHandlers.find(words[0]);
  if (handler == kHandlers.end() && IsUpdateCommand(words[0])) {
    return RunUpdateCommand(words, error);
  }
  bool model_command = false;
  if (handler == kHandlers.end() && RunModelCommand(words, error, model_command)) {
    return true;
  }
  if (handler == kHandlers.end()) {
    error = model_command ? error : "unknown command '" + words[0] + "'";
    return false;
  }
  return (this->*handler->second)(words, error);
}

PDTnode* Session::Node(const std::string& name, std::string& error) {
  PDTnode* node = all_nodes != nullptr ? all_nodes->findByName(name.c_str()) : nullptr;
  if (node == nullptr) {
    error = "no node '" + name + "'";
  }
  return node;
}

// new FEATURE [NAME=VALUE ...]: the values go to copies of the parameter records, so that the
// library's defaults hold for the next node again.
bool Session::New(const Words& words, std::string& error) {
  if (words.size() < 2) {
    error = "new needs a FEATURE";
    return false;
  }
  Featurelist_Element* feature =
      pFeatureList != nullptr ? pFeatureList->GetFeatureByName(PVMStrg(words[1].c_str())) : nullptr;
  if (feature == nullptr) {
    error = "no feature '" + words[1] + "' in the feature library";
    return false;
  }
  void_list* parameters = feature->get_paralist();
  std::vector<std::unique_ptr<HANDOVER_PARAMETER>> copies;
  void_list handed;
  for (int i = 0; parameters != nullptr && i < parameters->count(); ++i) {
    copies.push_back(
        std::make_unique<HANDOVER_PARAMETER>(*static_cast<HANDOVER_PARAMETER*>((*parameters)[i])));
    handed.add(copies.back().get());
  }
  for (std::size_t i = 2; i < words.size(); ++i) {
    std::size_t equals = words[i].find('=');
    if (equals == std::string::npos || equals == 0) {
      error = "'" + words[i] + "' is no NAME=VALUE";
      return false;
    }
    std::string name = words[i].substr(0, equals), value = words[i].substr(equals + 1);
    HANDOVER_PARAMETER* target = nullptr;
    for (auto& copy : copies) {
      PVMStrg own;
      copy->GetName(own);
      target = own == name.c_str() ? copy.get() : target;
    }
    if (target == nullptr) {
      error = "feature " + words[1] + " has no parameter '" + name + "'";
      return false;
    }
    if (target->Set(PVMStrg(value.c_str())) == nullptr) {
      error = "value '" + value + "' rejected for parameter '" + name + "'";
      return false;
    }
  }
  if (fill_hand_over(&handed) != 1) {
    error = "the parameters of '" + words[1] + "' have no types";
    return false;
  }
  auto* node = new PDTfeat(words[1].c_str(), words[1].c_str(), nullptr);
  if (node->IsCorrupt()) {
    delete_node(node);
    error = "feature '" + words[1] + "' made no instance";
    return false;
  }
  std::printf("%s\n", node->get_name());
  return true;
}

bool Session::Connect(const Words& words, std::string& error) {
  if (words.size() != 3) {
    error = "connect needs two nodes: connect A B";
    return false;
  }
  PDTnode* a = Node(words[1], error);
  PDTnode* b = a != nullptr ? Node(words[2], error) : nullptr;
  if (b == nullptr) {
    return false;
  }
  if (a->top() == b->top()) {
    error = words[1] + " and " + words[2] + " are in one tree already";
    return false;
  }
  PDTnode* comb = connect(a, b, 0);
  if (comb == nullptr) {
    error = "the combination of " + words[1] + " and " + words[2] +
            " gave no solid; both are as they were";
    return false;
  }
  std::printf("%s\n", comb->get_name());
  return true;
}

bool Session::Unhook(const Words& words, std::string& error) {
  if (words.size() != 2) {
    error = "unhook needs one NODE";
    return false;
  }
  PDTnode* node = Node(words[1], error);
  if (node == nullptr) {
    return false;
  }
  node->Unhook();
  std::printf("unhooked %s\n", words[1].c_str());
  return true;
}

bool Session::Delete(const Words& words, std::string& error) {
  if (words.size() != 2) {
    error = "delete needs one NODE";
    return false;
  }
  PDTnode* node = Node(words[1], error);
  if (node == nullptr) {
    return false;
  }
  delete_node(node);
  std::printf("deleted %s\n", words[1].c_str());
  return true;
}

bool Session::Tree(const Words& words, std::string& error) {
  if (words.size() == 3 && words[1] == "-o") {
    return WriteDot(words[2], error);
  }
  if (words.size() != 1) {
    error = "usage: tree [-o FILE.dot]";
    return false;
  }
  std::printf("%-24s %-5s %-14s %-12s %s\n", "node", "kind", "sign", "combination", "volume");
  WalkTree([](PDTnode* node, int depth) { std::printf("%s\n", NodeLine(node, depth).c_str()); });
  return true;
}

bool Session::WriteDot(const std::string& path, std::string& error) {
  std::ofstream out(path, std::ios::trunc);
  if (!out) {
    error = "cannot write '" + path + "'";
    return false;
  }
  out << "digraph tree {\n  node [shape=box, fontname=\"Helvetica\"];\n";
  WalkTree([&out](PDTnode* node, int) {
    out << "  \"" << node->get_name() << "\" [label=\"" << DotLabel(node) << "\"];\n";
    for (PDTnode* operand : Operands(node)) {
      out << "  \"" << node->get_name() << "\" -> \"" << operand->get_name() << "\";\n";
    }
  });
  out << "}\n";
  out.close();
  if (!out) {
    error = "cannot write '" + path + "'";
    return false;
  }
  std::string written = path;
  if (FindOnPath("dot")) {
    std::filesystem::path stem = std::filesystem::path(path).replace_extension();
    for (const char* format : {"svg", "png"}) {
      std::string picture = stem.string() + "." + format;
      if (RunDot(format, path, picture)) {
        written += ", " + picture;
      }
    }
  }
  std::printf("wrote %s\n", written.c_str());
  return true;
}

bool Session::Export(const Words& words, std::string& error) {
  if (words.size() != 3) {
    error = "export needs a NODE and a FILE";
    return false;
  }
  PDTnode* node = Node(words[1], error);
  if (node == nullptr) {
    return false;
  }
  const ExportFormat* format = FindExportFormat(words[2]);
  if (format == nullptr) {
    error = "cannot tell the format of '" + words[2] + "': name it " + ExportExtensions();
    return false;
  }
  ENTITY* body = node->get_body();
  if (body == nullptr) {
    error = "node " + words[1] + " has no body";
    return false;
  }
  ENTITY_LIST bodies;
  bodies.add(body);
  std::string reason;
  if (!format->write(bodies, words[2].c_str(), reason)) {
    error = "cannot write '" + words[2] + "': " + reason;
    return false;
  }
  std::printf("%s: volume = %s, written to %s\n", words[1].c_str(),
              VolumeText(TotalVolume(bodies)).c_str(), words[2].c_str());
  return true;
}

// volume NODE: the volume of the body of NODE's tree (its top's body).
bool Session::Volume(const Words& words, std::string& error) {
  if (words.size() != 2) {
    error = "volume needs one NODE";
    return false;
  }
  PDTnode* node = Node(words[1], error);
  if (node == nullptr) {
    return false;
  }
  PDTnode* top = node->top();
  ENTITY* body = top->get_body();
  if (body == nullptr) {
    error = "the tree of " + words[1] + " has no body";
    return false;
  }
  std::printf("%s: volume = %s\n", top->get_name(), VolumeText(fmvolume_of_body(body)).c_str());
  return true;
}

bool Session::Message(const Words& words, std::string& error) {
  std::string text;
  for (std::size_t i = 1; i < words.size(); ++i) {
    text += (i > 1 ? " " : "") + words[i];
  }
  if (text.empty() || !AddPersistentMessage(PVMStrg(text.c_str()), 0)) {
    error = text.empty() ? "message needs a TEXT" : "the model keeps no messages";
    return false;
  }
  std::printf("message %d kept\n", GetAllPersistentMessages(nullptr, 0));
  return true;
}

bool Session::Messages(const Words& words, std::string& error) {
  if (words.size() != 1) {
    error = "messages takes no arguments";
    return false;
  }
  VALUE_LIST<PVMStrg> texts;
  int count = GetAllPersistentMessages(&texts, 0);
  std::printf("%d message%s\n", count, count == 1 ? "" : "s");
  for (int i = 0; i < texts.count(); ++i) {
    std::printf("  %s\n", texts[i].GetpStr());
  }
  return true;
}

Words SplitWords(const std::string& line) {
  std::string text = line.substr(0, line.find('#'));
  std::istringstream in(text);
  Words words;
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return words;
}

}  // namespace

int RunSession(Arguments all_args) {
  std::vector<char*> kept;
  for (char* arg : all_args) {
    if (std::string(arg) == "--stop-on-failure") {
      SetStopOnFailure(true);
    } else {
      kept.push_back(arg);
    }
  }
  Arguments args(kept.data(), kept.size());
  if (args.size() > 1) {
    return Fail("session takes at most one SCRIPT (see 'varnex session --help')");
  }
  std::ifstream script;
  std::string source = "<stdin>";
  if (!args.empty()) {
    source = args[0];
    script.open(source);
    if (!script) {
      return Fail("cannot read '" + source + "'");
    }
  }
  std::istream& in = args.empty() ? std::cin : script;
  const bool prompt = args.empty() && isatty(STDIN_FILENO) != 0;
  Session session;
  int failures = 0;
  std::string line;
  for (int number = 1;; ++number) {
    if (prompt) {
      std::printf("varnex> ");
      std::fflush(stdout);
    }
    if (!std::getline(in, line)) {
      if (prompt) {
        std::printf("\n");
      }
      break;
    }
    Words words = SplitWords(line);
    if (words.empty()) {
      continue;
    }
    std::string error;
    bool quit = false;
    if (!session.Run(words, error, quit)) {
      ++failures;
      std::fflush(stdout);
      std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), number, error.c_str());
    }
    std::fflush(stdout);
    if (quit) {
      break;
    }
  }
  return failures == 0 ? 0 : 1;
}

const Command kSessionCommand = {
    "session", "build a feature tree from host commands (a script or standard input)",
    "usage: varnex session [--stop-on-failure] [SCRIPT]\n"
    "\n"
    "Reads one command a line from SCRIPT, else from standard input (with a 'varnex> '\n"
    "prompt on a terminal); '#' starts a comment. Commands:\n"
    "  new FEATURE [NAME=VALUE ...]  a feature node over a new instance; prints its name\n"
    "  connect A B                   combines the tops of the trees of nodes A and B (the\n"
    "                                combination follows from their signs); prints its name\n"
    "  unhook NODE                   takes NODE out from under its combination\n"
    "  delete NODE                   deletes NODE (a combination's operands become roots)\n"
    "  tree                          every node, indented under its combination: kind, sign,\n"
    "                                combination and the volume of the body it holds\n"
    "  tree -o FILE.dot              the tree as a Graphviz graph (also .svg and .png when\n"
    "                                Graphviz's dot is installed)\n"
    "  export NODE FILE              the node's body as .step, .stl, .brep or .png\n"
    "  volume NODE                   the volume of the body of NODE's tree\n"
    "  message TEXT                  keeps TEXT as a persistent message of the model\n"
    "  messages                      the model's persistent messages\n"
    "  save FILE.VNX                 saves the model (worlds, tree, features, bodies) as a\n"
    "                                package; prints its name and size\n"
    "  load FILE.VNX                 replaces the model by the package's\n"
    "  merge FILE.VNX                adds the package's model to this one, its generated\n"
    "                                names renumbered; prints how many were renamed\n"
    "  generate NAME NODE ... [--input PARAM[=NEW] ...] [-o FILE.NVL]\n"
    "                                a new library feature NAME made of the NODEs (see\n"
    "                                docs/generator.md); prints its function name\n"
    "  inputs LIST NODE ... [/ NODE ...]\n"
    "                                the input list LIST of a reproduction: one element per\n"
    "                                group of NODEs ('/' between groups); prints LIST. Then\n"
    "                                'new Repro_Matrix inputs=LIST ...' reproduces them\n"
    "  set NAME VALUE                sets a value (a constant or a formula: the rest of the\n"
    "                                line); prints the value or why it was refused\n"
    "  test NAME VALUE               checks a value without setting it\n"
    "  get NAME                      the value and its formula\n"
    "  update [-v] [NODE ...]        refreshes what depends on the nodes changed since the\n"
    "                                last update (or on the NODEs); -v names the refreshed\n"
    "  rebuild                       rebuilds every node; failures are reported, and with\n"
    "                                --stop-on-failure the first one stops the rebuild\n"
    "  order                         whether all_nodes is in rebuild order\n"
    "  quit                          ends the session\n"
    "An error names the line and the session goes on; with a SCRIPT the exit status is 1 when\n"
    "any command failed.\n",
    RunSession};

}  // namespace varnex::cli
