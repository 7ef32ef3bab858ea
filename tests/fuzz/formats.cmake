# Fuzzers of the seal block, the document file and the seal library file, seeded with blocks,
# documents and designs that the format tests' own makers write at build time.
foreach(target document seal_block library)
  brelvonix_fuzzer(fuzz_formats_${target}
    SOURCES formats_${target}_fuzzer.cpp
    LIBS brelvonix_formats Qt6::Widgets
    SEEDS ${seeds}/${target}
    SECONDS 20)
  add_dependencies(fuzz_formats_${target} fuzz_seeds)
endforeach()
