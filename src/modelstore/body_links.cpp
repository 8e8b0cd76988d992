// The links between geometric objects and the bodies of a package (see body_links.h).
#include "modelstore/body_links.h"

#include <varnex/geometry/attributes.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/object_references.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/modelstore/restore.h>
#include <varnex/persistence/model_records.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace varnex::modelstore {
namespace {

std::vector<ENTITY*> restored_bodies;

template <class Visit>
void VisitObjects(nullwelt* world, Visit& visit, int depth) {
  // Worlds nest as deep as instances do; a damaged model cannot make this loop.
  if (world == nullptr || depth > 10000) {
    return;
  }
  for (welt* e = world->get_first(); e != nullptr; e = e->get_next()) {
    rumpf* member = e->get_member();
    if (member == nullptr) {
      continue;
    }
    visit(member);
    VisitObjects(member->get_subworld(), visit, depth + 1);
  }
}

bool ParseIndex(const std::string& word, int& value) {
  if (word.empty() || word.size() > 9) {
    return false;
  }
  for (char c : word) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
      return false;
    }
  }
  value = std::atoi(word.c_str());
  return true;
}

ENTITY* FaceOf(ENTITY* body, int index) {
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  return index < faces.count() ? faces[index] : nullptr;
}

}  // namespace

void ForgetRestoredBodies() {
  restored_bodies.clear();
}

void NoteRestoredBody(ENTITY* body) {
  restored_bodies.push_back(body);
}

int WriteBodyLinks(std::FILE* file, geo_list* bodies) {
  nullwelt* root = anfang != nullptr ? anfang->get_inertial_world() : nullptr;
  if (file == nullptr || bodies == nullptr || root == nullptr) {
    return 0;
  }
  std::vector<ENTITY_LIST> faces(static_cast<std::size_t>(bodies->count()));
  for (int i = 0; i < bodies->count(); ++i) {
    api_get_faces((*bodies)[i], faces[static_cast<std::size_t>(i)]);
  }
  int lines = 0;
  bool failed = false;
  auto visit = [&](rumpf* object) {
    auto* geometry = dynamic_cast<object_geom*>(object);
    if (geometry == nullptr) {
      return;
    }
    PVMStrg name;
    object->get_full_name(name);
    for (int k = 0; k < geometry->get_list()->count(); ++k) {
      ENTITY* entity = (*geometry->get_list())[k];
      std::string line;
      if (int body = bodies->lookup(entity); body >= 0) {
        line = "B ";
        line += std::to_string(body);
      } else if (ENTITY* owner = entity != nullptr ? get_owner(entity) : nullptr) {
        int in = bodies->lookup(owner);
        int face = in >= 0 ? faces[static_cast<std::size_t>(in)].lookup(entity) : -1;
        if (face < 0) {
          continue;
        }
        line = "F ";
        line += std::to_string(in);
        line += ' ';
        line += std::to_string(face);
      } else {
        continue;
      }
      line += ' ';
      line += name.GetpStr();
      line += '\n';
      failed = failed || std::fputs(line.c_str(), file) < 0;
      ++lines;
    }
  };
  VisitObjects(root, visit, 0);
  return failed ? -1 : lines;
}

bool ReadBodyLinks(std::FILE* file) {
  if (file == nullptr) {
    return true;
  }
  std::string text;
  std::vector<char> chunk(1 << 16);
  for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;) {
    text.append(chunk.data(), got);
  }
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string kind, first, second, name;
    words >> kind;
    if (kind.empty()) {
      continue;
    }
    int body = 0, face = -1;
    bool ok = (kind == "B" || kind == "F") && (words >> first) && ParseIndex(first, body);
    if (ok && kind == "F") {
      ok = (words >> second) && ParseIndex(second, face);
    }
    ok = ok && (words >> name);
    if (!ok) {
      PVFSetRecordError("PVMReStoreFM", ("damaged body link: <" + line + ">").c_str());
      return false;
    }
    if (body >= static_cast<int>(restored_bodies.size())) {
      continue;
    }
    ENTITY* entity = restored_bodies[static_cast<std::size_t>(body)];
    if (face >= 0 && entity != nullptr) {
      entity = FaceOf(entity, face);
    }
    PVMStrg converted(name.c_str());
    PVFRestore::ConvertStringParse(converted);
    auto* geometry = dynamic_cast<object_geom*>(search(converted));
    if (entity != nullptr && geometry != nullptr && geometry->get(entity) < 0) {
      geometry->add_entity(entity);
    }
  }
  return true;
}

void RelinkRestoredBodies() {
  for (ENTITY* body : restored_bodies) {
    PVFRelinkFeatureFaces(body);
  }
}

}  // namespace varnex::modelstore
