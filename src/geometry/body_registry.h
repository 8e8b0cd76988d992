// Creating and deleting bodies (internal): the live-body registry owns every body.
#pragma once

#include <TopoDS_Shape.hxx>

#include "geometry/entity_core.h"

/// A new body over `shape`, owned by the registry.
BODY* CreateBody(const TopoDS_Shape& shape);
/// Deletes a body of the registry (attributes lost, gone from every list); null is ignored.
void DeleteBody(BODY* body);

/// Deletes a body made inside a kernel operation unless the operation gets to release it.
class PendingBody {
 public:
  explicit PendingBody(BODY* body) : body_(body) {}
  ~PendingBody() {
    if (body_ != nullptr) {
      DeleteBody(body_);
    }
  }
  PendingBody(const PendingBody&) = delete;
  PendingBody& operator=(const PendingBody&) = delete;
  BODY* get() const { return body_; }
  BODY* release() {
    BODY* body = body_;
    body_ = nullptr;
    return body;
  }

 private:
  BODY* body_;
};
