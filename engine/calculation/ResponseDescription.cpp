#include "ResponseDescription.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace trellon {

namespace {

constexpr ResponseFamily Butterworth = ResponseFamily::Butterworth;
constexpr ResponseFamily Chebyshev = ResponseFamily::Chebyshev;

constexpr ResponseDescription kResponses[] = {
    {Butterworth, 0, "Butt. dA=3 dB", "Butt. dA=3 dB", "", 0, 1.0},
    {Chebyshev, 0.044, "Cheb. dA=0,044 dB", "Cheb. dA=0.044 dB", "10-", 10, 1.222},
    {Chebyshev, 0.099, "Cheb. dA=0,099 dB", "Cheb. dA=0.099 dB", "15-", 15, 1.353},
    {Chebyshev, 0.177, "Cheb. dA=0,177 dB", "Cheb. dA=0.177 dB", "20-", 20, 1.5},
    {Chebyshev, 0.28, "Cheb. dA=0,28 dB", "Cheb. dA=0.28 dB", "25-", 25, 1.667},
    {Chebyshev, 0.5, "Cheb. dA=0,5 dB", "Cheb. dA=0.5 dB", "33-", 33, 1.98},
    {Chebyshev, 1.0, "Cheb. dA=1.0 dB", "Cheb. dA=1.0 dB", "45-", 45, 2.66},
    {Chebyshev, 1.5, "Cheb. dA=1.5 dB", "Cheb. dA=1.5 dB", "54-", 54, 3.35},
};
static_assert(std::size(kResponses) == kResponseCount, "one description per response number");

}  // namespace

const ResponseDescription& responseDescription(int response) {
    if (!isValidResponse(response)) {
        throw std::out_of_range("no response " + std::to_string(response));
    }
    return kResponses[response - 1];
}

}  // namespace trellon
