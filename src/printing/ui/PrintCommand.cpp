#include "printing/ui/PrintCommand.h"

#include "printing/PrintChecks.h"
#include "printing/ui/NyomtatasForm.h"
#include "services/Modal.h"

namespace etikor {

TPrintCommand::TPrintCommand(QString programFolder, QWidget* parent)
    : FParent(parent), FSelection(std::move(programFolder)) {}

TPrintCommand::~TPrintCommand() = default;

TNyomtatasForm& TPrintCommand::Form() {
    if (!FForm) {
        FForm = std::make_unique<TNyomtatasForm>(
            FSelection,
            [this](TDataSet& printTable, bool frame) {
                TLabelRun run = FRun;
                run.Options.Frame = frame;
                run.Mode = Mode;
                RunLabelPrint(run, printTable, Modal(), FParent);
            },
            FParent);
        FForm->SetSettingsDialog(OpenSettings);
    }
    return *FForm;
}

void TPrintCommand::Run(TDataSet& source, const TLabelRun& run) {
    // Page values that cannot print stop the run before any selection is made.
    const QStringList problems = PageSetupProblems(run.Page);
    if (!problems.isEmpty()) {
        Modal().Message(QString(), PageSetupMessage(problems), QStringLiteral("H"));
        return;
    }
    FRun = run;
    TNyomtatasForm& form = Form();
    form.Open(source);
    Modal().RunModal(form);
}

} // namespace etikor
