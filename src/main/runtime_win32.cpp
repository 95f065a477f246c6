// Lighter stand-ins for the C++ runtime's error throwers, for the Windows program: all fifteen
// of libstdc++'s functexcept.o, since the linker takes that object whole, and one thrower
// missing here would bring it in beside these and break the link. It drags in two whole
// std::string implementations and std::random_device: some 90 KB of a 32-bit program that
// needs none of them. Running out of memory still throws bad_alloc, which Main reports; the
// others end the program the way an uncaught exception does, so on Windows no code may count
// on catching them (std::stoi's invalid_argument, at()'s out_of_range).
#include <cstdlib>
#include <new>

// The runtime's own names, which is the point: NOLINTBEGIN(bugprone-reserved-identifier)
namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }

void __throw_bad_cast() { abort(); }
void __throw_bad_exception() { abort(); }
void __throw_bad_typeid() { abort(); }
void __throw_domain_error(const char* /*what*/) { abort(); }
void __throw_invalid_argument(const char* /*what*/) { abort(); }
void __throw_length_error(const char* /*what*/) { abort(); }
void __throw_logic_error(const char* /*what*/) { abort(); }
void __throw_out_of_range(const char* /*what*/) { abort(); }
void __throw_out_of_range_fmt(const char* /*format*/, ...) { abort(); }
void __throw_overflow_error(const char* /*what*/) { abort(); }
void __throw_range_error(const char* /*what*/) { abort(); }
void __throw_runtime_error(const char* /*what*/) { abort(); }
void __throw_underflow_error(const char* /*what*/) { abort(); }

}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)
