#include "chimewright/driver/compressed_input.hpp"

namespace cw {

// No decoder is built in yet: compressed input stays an unsupported format.
int decodeToPcm(const platform::Path&, const platform::Path&) { return 1013; }

} // namespace cw
