#pragma once

namespace trellon {

// The kind of a filter's response. A family with a pass-band ripple says how much in the
// description of each response of it.
enum class ResponseFamily {
    Butterworth,
    Chebyshev,
};

// Everything about one response that the synthesis, report, window and command line need to
// know. The responses of the prototype table also carry its constants and the part of its key.
struct ResponseDescription {
    ResponseFamily family;
    double rippleDb;           // the pass band's ripple; 0 for a family without one
    const char* comboText;     // as the window's list shows it
    const char* displayName;   // as the reports name it
    const char* tableKeyPart;  // its part of the prototype table's key: "", "10-" ...
    double kref;
    double swr;
};

// Responses are numbered 1..kResponseCount, in the order of the table of descriptions; the
// table is checked to hold exactly this many.
inline constexpr int kResponseCount = 8;

inline constexpr bool isValidResponse(int response) {
    return response >= 1 && response <= kResponseCount;
}

// Response numbers 1..kResponseCount; throws std::out_of_range for any other.
const ResponseDescription& responseDescription(int response);

}  // namespace trellon
