#pragma once

#include <QString>
#include <functional>

namespace trevan {

// Settings that cannot be written are told to the user, but once a
// session: the first failure says why, the later ones would only repeat it.
// The program holds one for its session; without one, failures go unsaid.
class SettingsWriteFailures {
 public:
  using Listener = std::function<void(const QString& why)>;
  explicit SettingsWriteFailures(Listener listener);
  ~SettingsWriteFailures();
  SettingsWriteFailures(const SettingsWriteFailures&) = delete;
  SettingsWriteFailures& operator=(const SettingsWriteFailures&) = delete;

  // Called by the store when a write is lost.
  static void Report(const QString& why);

 private:
  Listener listener_;
  bool told_ = false;
};

}  // namespace trevan
