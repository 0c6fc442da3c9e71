#pragma once

// The undo and redo history of the open template. A step is the whole table image before and
// after one user edit (which may be several row writes: a new element and its first geometry,
// a value with its rotation). Templates hold a few dozen rows, so whole images cost little and
// give back the file exactly as it was, byte for byte.

#include <QString>

#include <string>
#include <vector>

namespace etikor {

struct TTemplateStep {
    QString Hint; // what the edit was, for the menu items' hints
    std::string Before;
    std::string After;
};

class TTemplateHistory {
public:
    bool CanUndo() const { return !FUndo.empty(); }
    bool CanRedo() const { return !FRedo.empty(); }
    QString UndoHint() const { return CanUndo() ? FUndo.back().Hint : QString(); }
    QString RedoHint() const { return CanRedo() ? FRedo.back().Hint : QString(); }

    // A finished edit; a new edit forgets what could be redone.
    void Record(TTemplateStep step);
    // The step to undo (moved to the redo side) and to redo (moved back).
    const TTemplateStep& Undo();
    const TTemplateStep& Redo();
    void Clear();

private:
    std::vector<TTemplateStep> FUndo;
    std::vector<TTemplateStep> FRedo;
};

} // namespace etikor
