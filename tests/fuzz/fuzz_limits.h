#pragma once
// Decoded pictures in the fuzzers stay below 4 Mpx so that one input takes milliseconds;
// the full caps are covered by the picture tests.
constexpr long long kFuzzMaxPixels = 4LL * 1024 * 1024;
