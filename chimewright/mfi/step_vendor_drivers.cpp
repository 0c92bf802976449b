// The target maps of the three conditioned step-ADPCM drivers.
#include "chimewright/driver/result_codes.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/step_driver.hpp"
#include "shared/mfi_format.hpp"

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr std::uint32_t offersLow =
    option::unlimited | option::rate4k | option::rate8k;
constexpr std::uint32_t offersLowAnd16k = offersLow | option::rate16k;
constexpr std::uint32_t offersStereo =
    offersLowAnd16k | option::stereo8k | option::stereo16k;

constexpr StepTargetPlan vendor41Targets[] = {
    {targetP211, offersLow, StepFileForm::inlineVoice},
    {targetP900, offersStereo, StepFileForm::blocks},
    {targetSa700, offersStereo, StepFileForm::adat},
};

constexpr StepTargetPlan vendor21Targets[] = {
    {targetF504, offersLow, StepFileForm::inlineOrBlock},
    {targetF505, offersStereo, StepFileForm::blocks},
};

constexpr StepTargetPlan vendor71Targets[] = {
    {targetSh251, offersLow, StepFileForm::inlineOrBlock},
    {targetSh505, offersLowAnd16k, StepFileForm::blocks},
};

} // namespace

int runVendor41Driver(const MfiDriverContext& context) {
    const StepDriverPlan plan{
        .vendor = mfi::vendor41,
        .inlineVersion = mfi::version0200,
        .blockVersion = mfi::version0301,
        .blockPanRecord = mfi::recordPanAlt,
        .openFailed = result::vendor41OpenFailed,
        .inlineCreateFailed = result::vendor41CreateFailed,
        .blockCreateFailed = result::vendor41CreateFailed,
        .tooLarge = result::vendor41TooLarge,
        .targets = vendor41Targets,
    };
    return runStepDriver(plan, context);
}

int runVendor21Driver(const MfiDriverContext& context) {
    const StepDriverPlan plan{
        .vendor = mfi::vendor21,
        .inlineVersion = mfi::version0300,
        .blockVersion = mfi::version0300,
        .blockPanRecord = mfi::recordPan,
        .openFailed = result::vendor21OpenFailed,
        .inlineCreateFailed = result::vendor21CreateFailed,
        .blockCreateFailed = result::vendor21CreateFailed,
        .tooLarge = result::vendor21TooLarge,
        .targets = vendor21Targets,
    };
    return runStepDriver(plan, context);
}

int runVendor71Driver(const MfiDriverContext& context) {
    const StepDriverPlan plan{
        .vendor = mfi::vendor71,
        .inlineVersion = mfi::version0300,
        .blockVersion = mfi::version0300,
        .blockPanRecord = mfi::recordPan,
        .openFailed = result::vendor71OpenFailed,
        .inlineCreateFailed = result::vendor71InlineCreateFailed,
        .blockCreateFailed = result::vendor71BlockCreateFailed,
        .tooLarge = result::vendor71TooLarge,
        .targets = vendor71Targets,
    };
    return runStepDriver(plan, context);
}

} // namespace cw
