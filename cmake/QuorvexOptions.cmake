# One interface target carries the language level and the warnings for every target.
add_library(quorvex_options INTERFACE)
target_compile_features(quorvex_options INTERFACE cxx_std_20)
set_target_properties(quorvex_options PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(quorvex_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(quorvex_options INTERFACE _FILE_OFFSET_BITS=64)
