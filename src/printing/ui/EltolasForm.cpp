#include "printing/ui/EltolasForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TEltolasFormText {
    Q_DECLARE_TR_FUNCTIONS(TEltolasFormText)
};

QDoubleSpinBox* OffsetBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-TPrintOffset::kLimitMm, TPrintOffset::kLimitMm);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setLocale(QLocale()); // the desktop's decimal sign
    return box;
}
} // namespace

TEltolasForm::TEltolasForm(const TPrintOffsets& offsets, QStringList queues, const QString& current,
                           QWidget* parent)
    : QDialog(parent), FOffsets(offsets) {
    setObjectName(QStringLiteral("EltolasForm"));
    setWindowTitle(TEltolasFormText::tr("Nyomtató eltolása"));
    if (!current.isEmpty() && !queues.contains(current, Qt::CaseInsensitive))
        queues.prepend(current);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    FQueue = new QComboBox(this);
    FQueue->setObjectName(QStringLiteral("EltolasNyomtato"));
    FQueue->addItems(queues);
    FQueue->setCurrentIndex(std::max(0, static_cast<int>(queues.indexOf(current))));
    FQueue->setEnabled(!queues.isEmpty());
    FX = OffsetBox(this, "EltolasX");
    FY = OffsetBox(this, "EltolasY");
    form->addRow(TEltolasFormText::tr("Nyomtató:"), FQueue);
    form->addRow(TEltolasFormText::tr("Vízszintes (+ jobbra):"), FX);
    form->addRow(TEltolasFormText::tr("Függőleges (+ lefelé):"), FY);
    layout->addLayout(form);
    auto* hint = new QLabel(TEltolasFormText::tr("Minden, ami erre a nyomtatóra megy, ennyivel tolódik el.\n"
                                                 "PDF fileba nyomtatáskor nincs eltolás."),
                            this);
    hint->setObjectName(QStringLiteral("EltolasMagyarazat"));
    layout->addWidget(hint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("EltolasOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("EltolasMegse"));
    buttons->button(QDialogButtonBox::Cancel)->setText(TEltolasFormText::tr("Mégse"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Without a queue there is nothing to calibrate.
    FX->setEnabled(!queues.isEmpty());
    FY->setEnabled(!queues.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!queues.isEmpty());
    connect(FQueue, &QComboBox::currentIndexChanged, this, &TEltolasForm::ShowQueue);
    connect(FX, &QDoubleSpinBox::valueChanged, this, &TEltolasForm::KeepValues);
    connect(FY, &QDoubleSpinBox::valueChanged, this, &TEltolasForm::KeepValues);
    ShowQueue();
}

QString TEltolasForm::Queue() const {
    return FQueue->currentText();
}

void TEltolasForm::ShowQueue() {
    const TPrintOffset offset = OffsetOfQueue(FOffsets, Queue());
    FShowing = true;
    FX->setValue(offset.X);
    FY->setValue(offset.Y);
    FShowing = false;
}

void TEltolasForm::KeepValues() {
    if (FShowing || Queue().isEmpty())
        return;
    const TPrintOffset offset = TPrintOffset::Clamped(FX->value(), FY->value());
    // A queue set back to nothing keeps no entry of its own.
    if (offset.IsZero() && FOffsets.find(Queue()) == FOffsets.end())
        return;
    FOffsets[Queue()] = offset;
}

} // namespace etikor
