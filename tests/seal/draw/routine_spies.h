#pragma once
// Stand-ins for the drawing routines the composition hands its values to, linked into the
// dispatch test in their place: each logs its name and every argument it got, so that the
// test sees which routines a kind reaches, in which order and with which scaled inputs.
// The glyph and line primitives are not replaced.

#include <string>
#include <vector>

namespace drawtest {

struct TRoutineCall {
  std::string Name;
  std::vector<long long> Args;
  std::vector<std::string> Texts;  // face names (up to their terminator) and strings, in order
};

std::vector<TRoutineCall>& RoutineCalls();
std::vector<std::string> RoutineNames();

}  // namespace drawtest
