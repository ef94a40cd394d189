#pragma once

namespace fendrel {

// Outcome of a packing step: 0, one of the FendrelError codes, or this one
// when the packing was stopped on request (never reported).
constexpr int kPackOk = 0;
constexpr int kPackStopped = -1;

}  // namespace fendrel
