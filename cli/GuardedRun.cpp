#include "GuardedRun.h"

#include <exception>
#include <new>

#include "CommandError.h"

namespace trellon::cli {

int runGuarded(const std::function<int()>& command, std::ostream& err) {
    try {
        return command();
    } catch (const CommandError& refused) {
        err << refused.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "internal error: out of memory\n";
    } catch (const std::exception& failure) {
        err << "internal error: " << failure.what() << '\n';
    } catch (...) {
        err << "internal error: unknown exception\n";
    }
    return 1;
}

}  // namespace trellon::cli
