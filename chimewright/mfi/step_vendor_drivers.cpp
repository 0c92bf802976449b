// The target maps of the three conditioned step-ADPCM drivers.
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
        .openFailed = 6000,
        .inlineCreateFailed = 6001,
        .blockCreateFailed = 6001,
        .tooLarge = 6002,
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
        .openFailed = 9000,
        .inlineCreateFailed = 9001,
        .blockCreateFailed = 9001,
        .tooLarge = 9002,
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
        .openFailed = 9100,
        .inlineCreateFailed = 9101,
        .blockCreateFailed = 9104,
        .tooLarge = 9102,
        .targets = vendor71Targets,
    };
    return runStepDriver(plan, context);
}

} // namespace cw
