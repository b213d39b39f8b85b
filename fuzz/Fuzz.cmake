# libFuzzer targets, one per parser of the game's data files. Configure a build
# directory of its own with clang:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DORBYNDEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The game library is then instrumented for coverage and checked by the address and
# undefined-behaviour sanitizers; scripts/fuzz.sh builds and runs the targets.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ORBYNDEL_FUZZ needs clang (libFuzzer): configure with CXX=clang++")
endif()

set(FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(orbyndel_game PRIVATE -fsanitize=fuzzer-no-link ${FUZZ_SANITIZERS})
target_link_options(orbyndel_game PUBLIC -fsanitize=address,undefined)

set(FUZZ_TARGETS obj mtl scene shoot explosion icarus level_index sequence high_scores tile_map)
add_library(orbyndel_fuzz_support STATIC ${CMAKE_SOURCE_DIR}/fuzz/FuzzSupport.cpp)
target_link_libraries(orbyndel_fuzz_support PUBLIC orbyndel_game)
target_compile_options(orbyndel_fuzz_support PRIVATE -fsanitize=fuzzer-no-link ${FUZZ_SANITIZERS} ${WARN_FLAGS})
target_compile_definitions(orbyndel_fuzz_support PRIVATE FUZZ_GAME_DIR="${GAME_DIR}")

add_custom_target(fuzz_all)
foreach(name ${FUZZ_TARGETS})
  add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/fuzz/fuzz_${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE orbyndel_fuzz_support)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${FUZZ_SANITIZERS} ${WARN_FLAGS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${FUZZ_SANITIZERS})
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz_${name} game_assets)
  add_dependencies(fuzz_all fuzz_${name})
endforeach()
