// Objects without geometry of their own: helpers (dummies, group heads) and camera or light
// targets.
#pragma once

#include "plugin/host/class_id.h"
#include "standin/host/object_base.h"

namespace standin {

constexpr host::ClassId kDummyClassId{0x876234, 0};

// A helper: a node that only carries a transform and children.
class HelperObject : public ObjectImpl<host::Object> {
  public:
    HelperObject() : ObjectImpl(host::kHelperSuperClass, kDummyClassId) {}
};

// The target of a camera or light: geometry by super class, but nothing to render.
class TargetObject : public ObjectImpl<host::Object> {
  public:
    TargetObject() : ObjectImpl(host::kGeomObjectSuperClass, host::kTargetClassId) {}
};

}  // namespace standin
