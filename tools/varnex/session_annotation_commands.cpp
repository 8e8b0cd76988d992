// varnex session: annotations on faces. The session is the engine's entity-connection host:
// before an update or rebuild it hands over each annotation with its face, afterwards it is
// told the face the annotation sits on now, or that the face is gone.
#include "session_annotation_commands.h"

#include <varnex/varnex.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace varnex::cli {

/// The annotations and the host interface over them. Each annotation keeps its face in an
/// entity list, so a deleted face is forgotten, never followed.
class AnnotationHost : public IfcSaveConnections {
 public:
  static constexpr unsigned short kType = 1;

  struct Annotation {
    std::string text;
    ENTITY_LIST face;  // at most one
  };

  AnnotationHost() { pIfcSaveConnections = this; }
  ~AnnotationHost() override {
    if (pIfcSaveConnections == this) {
      pIfcSaveConnections = nullptr;
    }
  }

  void Add(const std::string& text, ENTITY* face) {
    annotations_.push_back(std::make_unique<Annotation>());
    annotations_.back()->text = text;
    annotations_.back()->face.add(face);
  }
  const std::vector<std::unique_ptr<Annotation>>& annotations() const { return annotations_; }

  XBOOL GetDataToSave(GENERIC_LIST<PVFEntityConnection>* out, XBOOL) override {
    for (auto& annotation : annotations_) {
      Hand(*annotation, out);
    }
    return TRUE;
  }
  XBOOL GetBodyDataToSave(ENTITY* body, GENERIC_LIST<PVFEntityConnection>* out, PDTnode*) override {
    for (auto& annotation : annotations_) {
      ENTITY* face = annotation->face[0];
      if (face != nullptr && face->owning_body() == body) {
        Hand(*annotation, out);
      }
    }
    return TRUE;
  }
  XBOOL SetRestoreData(ENTITY* entity, void* connection, unsigned short type) override {
    if (type != kType) {
      return FALSE;
    }
    auto* annotation = static_cast<Annotation*>(connection);
    annotation->face.clear();
    annotation->face.add(entity);
    return TRUE;
  }
  XBOOL DeleteConnection(void* connection, unsigned short type) override {
    if (type != kType) {
      return FALSE;
    }
    static_cast<Annotation*>(connection)->face.clear();  // shown as lost
    return TRUE;
  }
  XBOOL DeleteNoInstConnection(ENTITY*, void* connection, unsigned short type) override {
    return DeleteConnection(connection, type);
  }

 private:
  // A lost annotation has no face to hand over: it stays lost.
  static void Hand(Annotation& annotation, GENERIC_LIST<PVFEntityConnection>* out) {
    if (ENTITY* face = annotation.face[0]) {
      out->add(new PVFEntityConnection(face, &annotation, kType));
    }
  }

  std::vector<std::unique_ptr<Annotation>> annotations_;
};

namespace {

using Words = std::vector<std::string>;

std::string FullName(ENTITY* face) {
  PVMStrg name;
  return FindFaceFullName(face, name) != nullptr ? name.GetpStr() : "(unnamed face)";
}

std::string Number(double value) {
  std::ostringstream text;
  text << value;  // %g form, six significant digits
  return text.str();
}

}  // namespace

SessionAnnotations::SessionAnnotations() = default;
SessionAnnotations::~SessionAnnotations() = default;

bool SessionAnnotations::IsCommand(const std::string& word) {
  return word == "annotate" || word == "annotations";
}

bool SessionAnnotations::Run(const Words& words, std::string& error) {
  return words[0] == "annotate" ? Annotate(words, error) : List(words, error);
}

// annotate NODE FACE_NAME TEXT: FACE_NAME is a full face name or one inside NODE's instance
// ("f_4" for "plate_@1.f_4"); the face must lie on NODE's body.
bool SessionAnnotations::Annotate(const Words& words, std::string& error) {
  if (words.size() < 4) {
    error = "annotate needs a NODE, a FACE_NAME and a TEXT";
    return false;
  }
  PDTnode* node = all_nodes != nullptr ? all_nodes->findByName(words[1].c_str()) : nullptr;
  if (node == nullptr) {
    error = "no node '" + words[1] + "'";
    return false;
  }
  std::string name = words[2];
  if (name.find('.') == std::string::npos) {
    name = words[1] + "." + name;
  }
  PVMStrg full(name.c_str());
  ENTITY* face = FindFaceByFullName(full);
  if (!is_FACE(face)) {
    error = "no face '" + name + "'";
    return false;
  }
  if (node->get_body() == nullptr || face->owning_body() != node->get_body()) {
    error = "face '" + name + "' is not on the body of " + words[1];
    return false;
  }
  std::string text;
  for (std::size_t i = 3; i < words.size(); ++i) {
    text += (i > 3 ? " " : "") + words[i];
  }
  if (!host_) {
    host_ = std::make_unique<AnnotationHost>();
  }
  host_->Add(text, face);
  std::printf("annotation %zu on %s\n", host_->annotations().size(), FullName(face).c_str());
  return true;
}

// annotations: each with the face it sits on now, the face's area and area centre, or lost.
bool SessionAnnotations::List(const Words& words, std::string& error) {
  if (words.size() != 1) {
    error = "annotations takes no arguments";
    return false;
  }
  std::size_t count = host_ ? host_->annotations().size() : 0;
  std::printf("%zu annotation%s\n", count, count == 1 ? "" : "s");
  for (std::size_t i = 0; i < count; ++i) {
    const AnnotationHost::Annotation& annotation = *host_->annotations()[i];
    std::string line = "  " + std::to_string(i + 1) + " \"" + annotation.text + "\": ";
    ENTITY* face = annotation.face[0];
    double area = 0, achieved = 0, centre[3] = {0, 0, 0};
    list faces;
    faces.append(face);
    if (face == nullptr || !api_ent_area(face, 1e-6, area, achieved).ok() ||
        fmget_area_center(&faces, centre, 1e-6, 0.0) == nullptr) {
      std::printf("%slost\n", line.c_str());
      continue;
    }
    std::printf("%s%s, area %s, centre (%s, %s, %s)\n", line.c_str(), FullName(face).c_str(),
                Number(area).c_str(), Number(centre[0]).c_str(), Number(centre[1]).c_str(),
                Number(centre[2]).c_str());
  }
  return true;
}

}  // namespace varnex::cli
