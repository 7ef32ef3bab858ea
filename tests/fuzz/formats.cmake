# Fuzzers of the seal block, the document file and the seal library file, seeded with blocks,
# documents and designs that the format tests' own makers write at build time.
set(support ${CMAKE_CURRENT_SOURCE_DIR}/../support)
add_executable(formats_seed_writer formats_seed_writer.cpp ${support}/document_makers.cpp ${support}/picture_makers.cpp)
brelvonix_target(formats_seed_writer)
brelvonix_needs_metafile_worker(formats_seed_writer)
target_include_directories(formats_seed_writer PRIVATE ${support})
target_link_libraries(formats_seed_writer PRIVATE brelvonix_formats JPEG::JPEG Qt6::Widgets)

set(formats_seeds ${CMAKE_BINARY_DIR}/fuzz-seeds-formats)
add_custom_command(OUTPUT ${formats_seeds}/written
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:formats_seed_writer> ${formats_seeds}
  COMMAND ${CMAKE_COMMAND} -E touch ${formats_seeds}/written
  DEPENDS formats_seed_writer
  COMMENT "Writing the format fuzz seeds"
  VERBATIM)
add_custom_target(formats_fuzz_seeds ALL DEPENDS ${formats_seeds}/written)

foreach(target document seal_block library)
  brelvonix_fuzzer(fuzz_formats_${target}
    SOURCES formats_${target}_fuzzer.cpp
    LIBS brelvonix_formats Qt6::Widgets
    SEEDS ${formats_seeds}/${target}
    SECONDS 20)
  add_dependencies(fuzz_formats_${target} formats_fuzz_seeds)
endforeach()
# The library panel's reader of a design's head and thumbnail, on the library seeds.
brelvonix_fuzzer(fuzz_formats_library_preview
  SOURCES formats_library_preview_fuzzer.cpp
  LIBS brelvonix_formats Qt6::Gui
  SEEDS ${formats_seeds}/library
  SECONDS 20)
add_dependencies(fuzz_formats_library_preview formats_fuzz_seeds)
