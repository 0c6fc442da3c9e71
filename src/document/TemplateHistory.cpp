#include "document/TemplateHistory.h"

#include <utility>

namespace etikor {

void TTemplateHistory::Record(TTemplateStep step) {
    FUndo.push_back(std::move(step));
    FRedo.clear();
}

const TTemplateStep& TTemplateHistory::Undo() {
    FRedo.push_back(std::move(FUndo.back()));
    FUndo.pop_back();
    return FRedo.back();
}

const TTemplateStep& TTemplateHistory::Redo() {
    FUndo.push_back(std::move(FRedo.back()));
    FRedo.pop_back();
    return FUndo.back();
}

void TTemplateHistory::Clear() {
    FUndo.clear();
    FRedo.clear();
}

} // namespace etikor
