// The language runtime's last resort, as it behaves inside a host's process.
#include <cstdlib>

namespace __gnu_cxx {

// The runtime's own handler writes the exception's demangled type to the
// standard error stream, which a host program does not show, and its demangler
// would be the largest single part of the library. The export catches every
// exception; this runs only where none can be caught (a throw while another
// unwinds, say) and ends the process as the runtime's handler would.
void __verbose_terminate_handler() { abort(); }

}  // namespace __gnu_cxx
