#include "beam/UnitSystem.h"

namespace trevan {

namespace {
bool applicationMetric = true;
}

bool ApplicationMetric() { return applicationMetric; }
void SetApplicationMetric(bool metric) { applicationMetric = metric; }

}  // namespace trevan
