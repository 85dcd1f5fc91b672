// GNU's C++ runtime by default ends an uncaught exception by printing its
// demangled type name to stderr, which a windowed program does not have; that
// handler links in the demangler and a full printf. Defining the handler here
// keeps the runtime's out of the exe; it ends the program the same way, with
// abort.
#include <cstdlib>
#include <exception>

#ifdef __GLIBCXX__
#include <cxxabi.h>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
#endif
