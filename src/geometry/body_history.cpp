// Carrying wrappers and attributes through an operation's history.
#include "geometry/body_history.h"

#include <varnex/geometry/attribute_base.h>

#include <TopTools_IndexedMapOfShape.hxx>
#include <map>

#include "geometry/body_pieces.h"
#include "geometry/kernel_faults.h"

bool ToolsHistory::IsDeleted(const TopoDS_Shape& old) const {
  return history_->IsRemoved(old);
}

const TopTools_ListOfShape& ToolsHistory::Modified(const TopoDS_Shape& old) const {
  return history_->Modified(old);
}

namespace {

constexpr TopAbs_ShapeEnum kPieceTypes[] = {TopAbs_SOLID, TopAbs_SHELL, TopAbs_FACE,
                                            TopAbs_WIRE,  TopAbs_EDGE,  TopAbs_VERTEX};

struct OldPiece {
  BODY* from;
  TopoDS_Shape key;
  std::unique_ptr<ENTITY> wrapper;   // taken out of `from` once every image is known
  std::vector<TopoDS_Shape> images;  // pieces of the new shape it became, in history order
};

// The wrappers of `body` in the body's stable piece order (pieces no longer in the shape last).
void ListPieces(BODY* body, std::vector<OldPiece>& out) {
  BodyCore* core = BodyCoreOf(body);
  if (core == nullptr || core->pieces.empty()) {
    return;
  }
  // Only the types that have wrappers are mapped: each map walks the whole shape.
  std::vector<bool> wrapped(TopAbs_SHAPE + 1, false);
  for (const auto& [shape, wrapper] : core->pieces) {
    wrapped[shape.ShapeType()] = true;
  }
  ShapeMap<bool> listed;
  for (TopAbs_ShapeEnum type : kPieceTypes) {
    if (!wrapped[type]) {
      continue;
    }
    TopTools_IndexedMapOfShape ordered = MapPieces(core->shape, type);
    for (int i = 1; i <= ordered.Extent(); ++i) {
      if (core->pieces.count(ordered(i)) != 0 && listed.emplace(ordered(i), true).second) {
        out.push_back({body, ordered(i), nullptr, {}});
      }
    }
  }
  for (const auto& [shape, wrapper] : core->pieces) {
    if (listed.count(shape) == 0) {
      out.push_back({body, shape, nullptr, {}});
    }
  }
}

void TakePiece(OldPiece& old) {
  BodyCore* core = BodyCoreOf(old.from);
  auto found = core->pieces.find(old.key);
  old.wrapper = std::move(found->second);
  core->pieces.erase(found);
}

void FindImages(OldPiece& old, HeldPieces& pieces, const ShapeHistory& history) {
  const TopoDS_Shape& shape = old.key;
  TopoDS_Shape kept = pieces.Find(shape);
  if (!kept.IsNull()) {
    old.images.push_back(kept);
    return;
  }
  if (history.IsDeleted(shape)) {
    return;
  }
  for (const TopoDS_Shape& image : history.Modified(shape)) {
    if (image.ShapeType() == shape.ShapeType()) {
      TopoDS_Shape held = pieces.Find(image);
      if (!held.IsNull()) {
        old.images.push_back(held);
      }
    }
  }
}

void Destroy(std::unique_ptr<ENTITY> wrapper) {
  if (auto* wireCore = dynamic_cast<WireCore*>(wrapper->core())) {
    for (auto& coedge : wireCore->coedges) {
      coedge->lose_all_attribs();
    }
  }
  wrapper->lose_all_attribs();
}

// A rebound loop or wire rebuilds its coedges from its new shape when asked.
void ForgetCoedges(ENTITY* wrapper) {
  if (auto* wireCore = dynamic_cast<WireCore*>(wrapper->core())) {
    for (auto& coedge : wireCore->coedges) {
      coedge->lose_all_attribs();
    }
    wireCore->coedges.clear();
    wireCore->coedgesBuilt = false;
  }
}

class Rebinder {
 public:
  explicit Rebinder(BODY* blank) : blank_(blank), core_(BodyCoreOf(blank)) {}

  void Place(OldPiece& old) {
    std::vector<TopoDS_Shape> free;
    for (const TopoDS_Shape& image : old.images) {
      if (core_->pieces.find(image) == core_->pieces.end()) {
        free.push_back(image);
      }
    }
    if (old.images.empty() || ChangesKind(*old.wrapper, old.images.front())) {
      Destroy(std::move(old.wrapper));
    } else if (free.empty()) {
      Merge(std::move(old.wrapper), core_->pieces.find(old.images.front())->second.get());
    } else {
      Bind(std::move(old.wrapper), free);
    }
  }

 private:
  // A free wire that became the loop of a face (a covered profile) is a new entity.
  bool ChangesKind(const ENTITY& wrapper, const TopoDS_Shape& image) const {
    EntityKind kind = wrapper.kind();
    return (kind == EntityKind::Wire || kind == EntityKind::Loop) &&
           PieceKind(blank_, image) != kind;
  }

  void Bind(std::unique_ptr<ENTITY> wrapper, const std::vector<TopoDS_Shape>& free) {
    ENTITY* raw = wrapper.get();
    EntityCore* core = raw->core();
    if (!core->shape.IsEqual(free.front())) {
      ForgetCoedges(raw);
    }
    core->shape = free.front();
    core->body = blank_;
    EntityKind kind = raw->kind();
    core_->pieces.emplace(free.front(), std::move(wrapper));
    for (std::size_t i = 1; i < free.size(); ++i) {
      std::unique_ptr<ENTITY> piece = EntityFactory::MakePiece(kind, free[i], blank_);
      ENTITY* pieceRaw = piece.get();
      core_->pieces.emplace(free[i], std::move(piece));
      for (ATTRIB* attrib : raw->attribs()) {
        attrib->split_owner(pieceRaw);
      }
    }
  }

  void Merge(std::unique_ptr<ENTITY> gone, ENTITY* survivor) {
    for (ATTRIB* attrib : survivor->attribs()) {
      attrib->merge_owner(gone.get(), FALSE);
    }
    for (ATTRIB* attrib : gone->attribs()) {
      attrib->merge_owner(survivor, TRUE);
    }
    Destroy(std::move(gone));
  }

  BODY* blank_;
  BodyCore* core_;
};

}  // namespace

struct PreparedCommit::Plan {
  BODY* blank;
  TopoDS_Shape newShape;
  std::vector<OldPiece> old;
};

PreparedCommit::PreparedCommit() = default;
PreparedCommit::PreparedCommit(PreparedCommit&&) noexcept = default;
PreparedCommit& PreparedCommit::operator=(PreparedCommit&&) noexcept = default;
PreparedCommit::~PreparedCommit() = default;

PreparedCommit PrepareCommit(BODY* blank, const TopoDS_Shape& newShape, const ShapeHistory& history,
                             const std::vector<BODY*>& absorbed) {
  KernelFaultPoint();
  PreparedCommit prepared;
  if (BodyCoreOf(blank) == nullptr) {
    return prepared;
  }
  auto plan = std::make_unique<PreparedCommit::Plan>();
  plan->blank = blank;
  plan->newShape = newShape;
  ListPieces(blank, plan->old);
  for (BODY* body : absorbed) {
    if (body != nullptr && body != blank) {
      ListPieces(body, plan->old);
    }
  }
  HeldPieces pieces(newShape);
  for (OldPiece& piece : plan->old) {
    FindImages(piece, pieces, history);
  }
  prepared.plan_ = std::move(plan);
  return prepared;
}

void ApplyCommit(PreparedCommit& prepared) {
  std::unique_ptr<PreparedCommit::Plan> plan = std::move(prepared.plan_);
  if (!plan) {
    return;
  }
  for (OldPiece& piece : plan->old) {
    TakePiece(piece);
  }
  BodyCoreOf(plan->blank)->shape = plan->newShape;
  Rebinder rebinder(plan->blank);
  for (OldPiece& piece : plan->old) {
    rebinder.Place(piece);
  }
}

void CommitWithHistory(BODY* blank, const TopoDS_Shape& newShape, const ShapeHistory& history,
                       const std::vector<BODY*>& absorbed) {
  PreparedCommit prepared = PrepareCommit(blank, newShape, history, absorbed);
  ApplyCommit(prepared);
}
