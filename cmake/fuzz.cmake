# The libFuzzer target for the command line; the fuzz preset builds it with clang.
add_executable(command_line_fuzz fuzz/command_line_fuzz.cpp)
target_link_libraries(command_line_fuzz PRIVATE tovrel_core)
target_link_options(command_line_fuzz PRIVATE -fsanitize=fuzzer)
