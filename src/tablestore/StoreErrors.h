#pragma once

// Errors of the table store. The engine raises them with the exact message texts; the dataset
// that owns the table puts its component name in front ("T1: ...") when it passes them on.

#include <stdexcept>
#include <string>

namespace etikor {

class EStoreError : public std::runtime_error {
public:
    explicit EStoreError(const std::string& message) : std::runtime_error(message) {}
};

// A failure of the file system while reading or saving a table file (cannot create, cannot
// write, cannot rename). It carries the platform's reason and is not a database error of a
// dataset, so callers pass it on without the dataset-name prefix.
class EStoreFileError : public EStoreError {
public:
    explicit EStoreFileError(const std::string& message) : EStoreError(message) {}
};

} // namespace etikor
