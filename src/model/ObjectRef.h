#pragma once

#include <memory>

#include "BeamObject.h"

namespace trevan {

// How an edit action names a beam object. A load stays alive as long as an
// action names it, even after it left the beam; a support node is only
// watched, so an action never touches a node the chain has destroyed.
template <class T>
class ObjectRef {
 public:
  ObjectRef() = default;
  explicit ObjectRef(T* target) {
    if (!target) return;
    std::shared_ptr<T> shared = std::static_pointer_cast<T>(target->weak_from_this().lock());
    if (!shared) return;  // not owned by a beam: nothing to name
    if (!target->IsSupport()) strong_ = shared;
    weak_ = shared;
  }

  // The object, or none once a named support has been removed.
  T* get() const { return strong_ ? strong_.get() : weak_.lock().get(); }

 private:
  std::shared_ptr<T> strong_;
  std::weak_ptr<T> weak_;
};

}  // namespace trevan
