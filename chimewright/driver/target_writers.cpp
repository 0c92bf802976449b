#include "chimewright/driver/target_writers.hpp"

namespace cw {

// No MFi family, Android or QCP writer is built in yet: those targets are not written.
int writeMfiAndAndroidTargets(const WriterContext&) { return 0; }

void writeQcpTarget(const WriterContext&) {}

// No SMAF route is built in yet: the target is not written.
int writeSmafTarget(const WriterContext&) { return 0; }

} // namespace cw
