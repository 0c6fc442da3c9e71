#pragma once

// The error every dataset raises: its text is the dataset's component name, ": " and the
// message, or just the message when the dataset has no name.

#include <stdexcept>
#include <string>
#include <string_view>

namespace etikor {

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& text) : std::runtime_error(text) {}
};

// The text of a database error raised by the dataset named `name`.
inline std::string DatabaseErrorText(std::string_view name, std::string_view message) {
    if (name.empty())
        return std::string(message);
    std::string text(name);
    text += ": ";
    text += message;
    return text;
}

} // namespace etikor
