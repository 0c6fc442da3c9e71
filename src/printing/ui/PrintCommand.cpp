#include "printing/ui/PrintCommand.h"

#include "printing/PrintChecks.h"
#include "printing/ui/NyomtatasForm.h"
#include "services/Modal.h"

namespace etikor {

TPrintCommand::TPrintCommand(QString programFolder, IModal& modal, QWidget* parent)
    : FParent(parent), FModal(modal), FSelection(std::move(programFolder)) {}

TPrintCommand::~TPrintCommand() = default;

TNyomtatasForm& TPrintCommand::Form() {
    if (!FForm) {
        FForm = std::make_unique<TNyomtatasForm>(
            FSelection,
            [this](TDataSet& printTable, bool frame) {
                TLabelRun run = FRun;
                run.Options.Frame = frame;
                run.Mode = Mode;
                RunLabelPrint(run, printTable, FModal, FParent);
            },
            FModal, FParent);
        FForm->SetSettingsDialog(OpenSettings);
    }
    return *FForm;
}

void TPrintCommand::Run(TDataSet& source, const TLabelRun& run) {
    // Page values that cannot print stop the run before any selection is made.
    const QStringList problems = PageSetupProblems(run.Page);
    if (!problems.isEmpty()) {
        FModal.Message(QString(), PageSetupMessage(problems), QStringLiteral("H"));
        return;
    }
    FRun = run;
    TNyomtatasForm& form = Form();
    form.Open(source);
    FModal.RunModal(form);
}

} // namespace etikor
