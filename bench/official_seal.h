#pragma once
// The seal the benchmarks draw: a round official seal of 42 mm with four texts, a serial
// code, the star and cut lines.

#include <memory>

#include "seal/seal.h"

namespace bench {

std::unique_ptr<seal::TSeal> MakeOfficialSeal(float pixelsPerMm);

}  // namespace bench
