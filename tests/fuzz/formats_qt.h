#pragma once
// Seals are widgets: the format fuzzers read them inside one offscreen application.
#include <QApplication>

#include "fuzz_application.h"

inline void StartFormatsApplication() { StartApplication<QApplication>(); }
