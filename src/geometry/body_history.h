// Carrying wrappers and attributes through an operation's history (internal).
//
// What happened to each old piece decides what happens to its wrapper:
//   kept (the piece is still in the new shape)   the wrapper stays, attributes stay
//   modified into one piece                      the wrapper rebinds to it
//   split into several                           the wrapper takes the first; each other piece
//                                                gets a new wrapper and split_owner runs
//   several old pieces end in one                the first wrapper survives; the others'
//                                                attributes get merge_owner, then they are lost
//   deleted / nowhere in the new shape           every attribute is lost, the wrapper deleted
// New pieces without an origin get wrappers when first asked for.
#pragma once

#include <BRepBuilderAPI_MakeShape.hxx>
#include <BRepTools_History.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS_Shape.hxx>
#include <memory>
#include <vector>

#include "geometry/entity_core.h"

/// What an operation made of the old pieces.
class ShapeHistory {
 public:
  virtual ~ShapeHistory() = default;
  virtual bool IsDeleted(const TopoDS_Shape& old) const = 0;
  virtual const TopTools_ListOfShape& Modified(const TopoDS_Shape& old) const = 0;
};

/// The history of an Open CASCADE algorithm (Booleans, blends, transformations, sweeps).
class MakeShapeHistory : public ShapeHistory {
 public:
  explicit MakeShapeHistory(BRepBuilderAPI_MakeShape& algorithm) : algorithm_(algorithm) {}
  bool IsDeleted(const TopoDS_Shape& old) const override { return algorithm_.IsDeleted(old); }
  const TopTools_ListOfShape& Modified(const TopoDS_Shape& old) const override {
    return algorithm_.Modified(old);
  }

 private:
  BRepBuilderAPI_MakeShape& algorithm_;
};

/// A composed history (BRepTools_History, e.g. after a separate unification step).
class ToolsHistory : public ShapeHistory {
 public:
  explicit ToolsHistory(Handle(BRepTools_History) history) : history_(std::move(history)) {}
  bool IsDeleted(const TopoDS_Shape& old) const override;
  const TopTools_ListOfShape& Modified(const TopoDS_Shape& old) const override;

 private:
  Handle(BRepTools_History) history_;
};

/// No history: pieces still present are kept, all others are lost.
class NoHistory : public ShapeHistory {
 public:
  bool IsDeleted(const TopoDS_Shape&) const override { return false; }
  const TopTools_ListOfShape& Modified(const TopoDS_Shape&) const override { return empty_; }

 private:
  TopTools_ListOfShape empty_;
};

/// A commit whose history has been read but which has not changed anything yet. Preparing may
/// fail (throw); applying never does, so an operation on several bodies prepares all its commits
/// first and applies them only when every one is ready.
class PreparedCommit {
 public:
  PreparedCommit();
  PreparedCommit(PreparedCommit&&) noexcept;
  PreparedCommit& operator=(PreparedCommit&&) noexcept;
  ~PreparedCommit();
  struct Plan;

 private:
  friend PreparedCommit PrepareCommit(BODY*, const TopoDS_Shape&, const ShapeHistory&,
                                      const std::vector<BODY*>&);
  friend void ApplyCommit(PreparedCommit&);
  std::unique_ptr<Plan> plan_;
};

PreparedCommit PrepareCommit(BODY* blank, const TopoDS_Shape& newShape, const ShapeHistory& history,
                             const std::vector<BODY*>& absorbed = {});
void ApplyCommit(PreparedCommit& prepared);

/// Prepares and applies at once: puts `newShape` into `blank` and carries over the wrappers of
/// `blank` and of every body in `absorbed` (their surviving wrappers move into `blank`; the
/// absorbed bodies keep no pieces and are for the caller to delete). Throws only before anything
/// changed.
void CommitWithHistory(BODY* blank, const TopoDS_Shape& newShape, const ShapeHistory& history,
                       const std::vector<BODY*>& absorbed = {});
