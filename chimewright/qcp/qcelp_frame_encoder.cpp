#include "chimewright/qcp/qcelp_frame_encoder.hpp"

namespace cw {

std::unique_ptr<QcelpFrameEncoder> makeQcelpEncoder() { return nullptr; }

} // namespace cw
