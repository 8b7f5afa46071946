#pragma once

#include <memory>

#include "beam/BeamObject.h"

namespace trevan {

// A beam object held by something outside the beam (a selection, the
// inspector, a tool): it reads as none once the beam has let the object go,
// so its holder can never reach a destroyed object.
class WatchedObject {
 public:
  WatchedObject() = default;
  WatchedObject(object* target) { *this = target; }  // NOLINT: stands in for a plain pointer
  WatchedObject& operator=(object* target) {
    // An object no beam owns cannot be watched.
    watched_ = target ? target->weak_from_this() : std::weak_ptr<object>();
    return *this;
  }

  object* get() const { return watched_.lock().get(); }
  object* operator->() const { return get(); }
  explicit operator bool() const { return get() != nullptr; }

 private:
  std::weak_ptr<object> watched_;
};

}  // namespace trevan
