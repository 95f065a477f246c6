// Lighter stand-ins for the C++ runtime's error throwers, for the Windows program.
// libstdc++ keeps them all in one object that drags in two whole std::string
// implementations and std::random_device: some 90 KB of a 32-bit program that needs none of
// them. Running out of memory still throws bad_alloc, which Main reports; the others can only
// mean a bug in the program and end it the way an uncaught exception does.
#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }

}  // namespace std
