#include "FailureText.h"

#include <exception>
#include <new>

#include "CommandError.h"

namespace trellon {

std::string currentFailureText() {
    try {
        throw;
    } catch (const CommandError& refused) {
        return refused.what();
    } catch (const std::bad_alloc&) {
        return std::string(texts::kInternalError) + texts::kOutOfMemory;
    } catch (const std::exception& failure) {
        return texts::kInternalError + std::string(failure.what());
    } catch (...) {
        return std::string(texts::kInternalError) + texts::kUnknownFailure;
    }
}

}  // namespace trellon
