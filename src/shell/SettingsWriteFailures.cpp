#include "SettingsWriteFailures.h"

namespace trevan {

namespace {
SettingsWriteFailures* session = nullptr;
}

SettingsWriteFailures::SettingsWriteFailures(Listener listener) : listener_(std::move(listener)) {
  session = this;
}

SettingsWriteFailures::~SettingsWriteFailures() {
  if (session == this) session = nullptr;
}

void SettingsWriteFailures::Report(const QString& why) {
  if (!session || session->told_) return;
  session->told_ = true;
  if (session->listener_) session->listener_(why);
}

}  // namespace trevan
