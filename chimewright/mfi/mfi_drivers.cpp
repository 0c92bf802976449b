#include "chimewright/mfi/mfi_drivers.hpp"

namespace cw {

int runMfiDrivers(const MfiDriverContext& context) {
    using Driver = int (*)(const MfiDriverContext&);
    constexpr Driver inOrder[] = {runLowNibbleDriver, runVendor41Driver, runVendor21Driver,
                                  runVendor71Driver,  runG726Driver,     runImaDriver};
    for (Driver driver : inOrder)
        if (int code = driver(context)) return code;
    return 0;
}

} // namespace cw
