// A library at the dialogs library's place that has none of its exports, as a damaged or
// foreign file there would be.
extern "C" __attribute__((visibility("default"))) int NotADialog() { return 0; }
