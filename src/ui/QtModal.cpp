#include "ui/QtModal.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>

#include <cstdio>

namespace etikor {

namespace {

const char* const kYesProperty = "etikorYes";

QMessageBox::Icon BoxIcon(TMessageIcon icon) {
    switch (icon) {
    case TMessageIcon::Error:
        return QMessageBox::Critical;
    case TMessageIcon::Information:
        return QMessageBox::Information;
    case TMessageIcon::Question:
        return QMessageBox::Question;
    case TMessageIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty())
        out << parts.back();
    return out.join(QStringLiteral(";;"));
}

QString DialogText(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

// Title bar width taken by the window icon and the minimise, maximise and close buttons.
constexpr int kTitleBarReserve = 140;

std::unique_ptr<QMessageBox> TQtModal::BuildMessageBox(const QString& text, const QString& kind) {
    const TMessageStyle style = MessageStyle(kind);
    auto box = std::make_unique<QMessageBox>(Parent);
    box->setObjectName(QStringLiteral("MessageDlg"));
    box->setIcon(BoxIcon(style.Icon));
    box->setWindowTitle(style.Caption);
    box->setText(DialogText(text));
    // The Yes and Help captions in the language of the windows: the first and last of "K".
    const QStringList question = MessageStyle(QStringLiteral("K")).Buttons;
    const QString& yes = question.front();
    const QString& help = question.back();
    // Every button has the same role, so that the platform's button order (which sorts by role)
    // keeps the routine's order: "&Igen", "&Nem", "&Súgó".
    QPushButton* last = nullptr;
    for (const QString& caption : style.Buttons) {
        QPushButton* button = box->addButton(caption, QMessageBox::ActionRole);
        if (caption == help) {
            // Help shows the current context beside the box, which stays open.
            QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
            QObject::connect(button, &QPushButton::clicked, box.get(),
                             [this] { ShowHelp(HelpContext ? HelpContext() : 10); });
            button->setAutoDefault(false);
            continue;
        }
        button->setProperty(kYesProperty, caption == yes);
        if (box->defaultButton() == nullptr)
            box->setDefaultButton(button);
        last = button;
    }
    // Escape and the close box answer with the last closing button ("&Nem", "&Megszakít", "OK").
    box->setEscapeButton(last);
    // A short text makes a narrow box whose title bar cuts the caption ("Figy…tikor"): keep the
    // box as wide as the whole caption, with the application name the window system adds, and
    // room for the title bar's icon and buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        QString title = style.Caption;
        if (!QGuiApplication::applicationDisplayName().isEmpty())
            title += QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
        QFont titleFont = box->font();
        titleFont.setBold(true);
        const int width = QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarReserve;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return box;
}

bool TQtModal::AnsweredYes(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    return clicked && clicked->property(kYesProperty).toBool();
}

bool TQtModal::Message(const QString& /*title*/, const QString& text, const QString& kind) {
    if (Unattended) {
        std::fprintf(stderr, "%s\n", DialogText(text).toLocal8Bit().constData());
        return false;
    }
    std::unique_ptr<QMessageBox> box = BuildMessageBox(text, kind);
    box->exec();
    return AnsweredYes(*box);
}

std::optional<QString> TQtModal::InputBox(const QString& caption, const QString& prompt,
                                          const QString& defaultValue) {
    bool ok = false;
    const QString value =
        QInputDialog::getText(Parent, caption, prompt, QLineEdit::Normal, defaultValue, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::unique_ptr<QFileDialog> TQtModal::BuildFileDialog(const TFileDialogOptions& options, bool save) {
    auto dialog = std::make_unique<QFileDialog>(Parent, options.Title, options.InitialDir,
                                                QtFileFilter(options.Filter));
    dialog->setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(options.MustExist && !save ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (save)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    QString ext = options.DefaultExt;
    ext.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    if (!ext.isEmpty()) {
        dialog->setDefaultSuffix(ext);
        // A name typed without extension takes the one of the file type chosen.
        QFileDialog* d = dialog.get();
        QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& filter) {
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
            if (match.hasMatch())
                d->setDefaultSuffix(match.captured(1));
        });
    }
    if (!options.FileName.isEmpty())
        dialog->selectFile(options.FileName);
    return dialog;
}

std::optional<QString> TQtModal::FileDialog(const TFileDialogOptions& options, bool save) {
    const std::unique_ptr<QFileDialog> dialog = BuildFileDialog(options, save);
    const QString before = QDir::currentPath();
    const bool accepted = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
    if (!options.ChangesDir)
        QDir::setCurrent(before);
    if (!accepted)
        return std::nullopt;
    return QDir::toNativeSeparators(dialog->selectedFiles().front());
}

std::optional<QString> TQtModal::OpenFile(const TFileDialogOptions& options) {
    return FileDialog(options, false);
}

std::optional<QString> TQtModal::SaveFile(const TFileDialogOptions& options) {
    return FileDialog(options, true);
}

std::optional<QString> TQtModal::OpenPicture(const TFileDialogOptions& options) {
    return FileDialog(options, false);
}

std::optional<TFontChoice> TQtModal::ChooseFont(const TFontChoice& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.Font, Parent);
    if (!ok)
        return std::nullopt;
    return TFontChoice{font, initial.Color};
}

std::optional<QColor> TQtModal::ChooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, Parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<TPrintChoice> TQtModal::ChoosePrinter(const TPrintChoice& initial) {
    QPrinter printer;
    if (!initial.PrinterName.isEmpty() && !QPrinterInfo::printerInfo(initial.PrinterName).isNull())
        printer.setPrinterName(initial.PrinterName);
    printer.setFromTo(initial.FromPage, initial.ToPage);
    printer.setCopyCount(initial.Copies);
    printer.setCollateCopies(initial.Collate);
    QPrintDialog dialog(&printer, Parent);
    dialog.setMinMax(initial.MinPage, initial.MaxPage);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    TPrintChoice choice = initial;
    choice.FromPage = printer.fromPage();
    choice.ToPage = printer.toPage();
    choice.Copies = printer.copyCount();
    choice.Collate = printer.collateCopies();
    choice.PrinterName = printer.printerName();
    choice.OutputFile = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    return choice;
}

void TQtModal::ShowHelp(int topic) {
    if (HelpViewer)
        HelpViewer(topic);
}

int TQtModal::RunModal(QObject& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window))
        return dialog->exec();
    auto* widget = qobject_cast<QWidget*>(&window);
    if (!widget)
        return 0;
    // A plain window runs modally until it hides.
    QPointer<QWidget> guard(widget);
    widget->setWindowModality(Qt::ApplicationModal);
    widget->show();
    QEventLoop loop;
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return 0;
}

} // namespace etikor
