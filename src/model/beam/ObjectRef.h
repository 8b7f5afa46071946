#pragma once

#include <memory>

#include "beam/BeamObject.h"

namespace trevan {

// How an edit action names a beam object: by its identity, never by its
// address. It finds whichever object on the beam bears the identity now
// (a deleted load put back by Undo included) and none while none does, so
// an action never touches an object the beam has let go.
template <class T>
class ObjectRef {
 public:
  ObjectRef() = default;
  // An object no beam owns has no identity: nothing is named.
  explicit ObjectRef(T* target) {
    if (target && !target->weak_from_this().expired()) slot_ = target->Identity();
  }
  explicit ObjectRef(std::shared_ptr<ObjectSlot> slot) : slot_(std::move(slot)) {}

  T* get() const {
    if (!slot_) return nullptr;
    return static_cast<T*>(slot_->current.lock().get());
  }
  const std::shared_ptr<ObjectSlot>& Slot() const { return slot_; }

 private:
  std::shared_ptr<ObjectSlot> slot_;
};

}  // namespace trevan
