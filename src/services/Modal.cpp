#include "services/Modal.h"

#include <stdexcept>

namespace etikor {

IModal::~IModal() = default;

namespace {
IModal* gModal = nullptr;
}

IModal& Modal() {
    if (!gModal)
        throw std::logic_error("No modal interaction service installed");
    return *gModal;
}

void SetModal(IModal* modal) {
    gModal = modal;
}

} // namespace etikor
