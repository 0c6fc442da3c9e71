#include "barcode/ui/EanSetup.h"

#include "barcode/ExportHtml.h"
#include "barcode/ValueCheck.h"
#include "barcode/ui/SavePicture.h"
#include "data/Cp1250Text.h"
#include "services/Modal.h"
#include "ui/PrintTarget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace etikor {

namespace {

struct TNamedColor {
    const char* Name;
    TColor Color;
};
constexpr TNamedColor kColors[16] = {
    {"Black", clBlack},   {"Maroon", clMaroon},   {"Green", clGreen}, {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple},   {"Teal", clTeal},   {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},         {"Lime", clLime},   {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
};

TColor gCustomColor = clBlack;

QColor ToQColor(TColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
TColor FromQColor(const QColor& c) {
    return RgbColor(c.red(), c.green(), c.blue());
}

QFont ToQFont(const TBarcodeFont& f) {
    QFont font(FromCp1250(f.Name));
    font.setPointSize(std::max(1, f.Size));
    font.setBold(f.Bold);
    font.setItalic(f.Italic);
    font.setUnderline(f.Underline);
    font.setStrikeOut(f.StrikeOut);
    return font;
}

// The font a sample label shows, with its colour.
void ShowFont(QLabel* sample, const TBarcodeFont& f) {
    sample->setFont(ToQFont(f));
    QPalette p = sample->palette();
    p.setColor(QPalette::WindowText, ToQColor(f.Color));
    sample->setPalette(p);
}
TBarcodeFont SampleFont(const QLabel* sample) {
    const QFont font = sample->font();
    TBarcodeFont f;
    f.Name = ToCp1250(font.family());
    f.Size = font.pointSize() > 0 ? font.pointSize() : 10;
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.StrikeOut = font.strikeOut();
    f.Color = FromQColor(sample->palette().color(QPalette::WindowText));
    return f;
}

// A framed 50-pixel swatch 2 pixels inside the item, the name from 60 pixels.
class TColorItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
        const QRect swatch(r.left() + 2, r.top() + 2, 50, r.height() - 4);
        painter->fillRect(swatch, ToQColor(ColorListColor(index.row())));
        painter->setPen(option.palette.color(QPalette::Shadow));
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                                 : option.palette.color(QPalette::Text));
        painter->drawText(QRect(r.left() + 60, r.top(), r.width() - 60, r.height()),
                          Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, index.data().toString());
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        return QSize(s.width() + 60, std::max(s.height(), 18));
    }
};

// The colour list as a combo box whose closed face shows the swatch too.
class TColorList final : public QComboBox {
public:
    TColorList(QWidget* parent, const char* name) : QComboBox(parent) {
        setObjectName(QString::fromLatin1(name));
        for (const TNamedColor& c : kColors)
            addItem(QString::fromLatin1(c.Name));
        addItem(QStringLiteral("User color"));
        setItemDelegate(new TColorItemDelegate(this));
        setMinimumWidth(170);
    }

protected:
    // The closed list shows the swatch and the name like the items do.
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect field =
            style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        const QRect swatch(field.left() + 2, field.top() + 2, 50, field.height() - 4);
        p.fillRect(swatch, ToQColor(ColorListColor(currentIndex())));
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(QRect(field.left() + 60, field.top(), field.width() - 60, field.height()),
                   Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, currentText());
    }
};

// The preview barcode, drawn into the widget.
class TPreview final : public QWidget {
public:
    TPreview(TEan& ean, QWidget* parent) : QWidget(parent), FEan(ean) {
        setObjectName(QStringLiteral("Preview"));
        setMinimumHeight(110);
        FEan.OnRepaint = [this] { update(); };
    }
    ~TPreview() override { FEan.OnRepaint = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        const int w = std::min(width() - 8, std::max(FEan.Width(), FEan.MinimumWidth()));
        const int h = height() - 8;
        const int left = (width() - w) / 2;
        FEan.DrawBarCode(p, TRect{left, 4, left + w, 4 + h}, TCanvasKind::ckScreen);
    }

private:
    TEan& FEan;
};

QLineEdit* NumberEdit(QWidget* parent, const char* name, const QString& text) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(60);
    return e;
}

QCheckBox* Box(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QSpinBox* UpDown(QWidget* parent, const char* name, int max) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    return s;
}

std::optional<double> Number(const QLineEdit* e) {
    bool ok = false;
    const double v = e->text().trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

TGridSize SheetGridSize(const TSheetGrid& g, QSizeF printableMm) {
    TGridSize size;
    const double p = printableMm.width(), q = printableMm.height();
    // A step that does not advance would never end.
    if (g.Width + g.SpaceX <= 0 || g.Height + g.SpaceY <= 0)
        return size;
    for (double x = g.Left; p - g.Right > x + g.Width; x += g.Width + g.SpaceX)
        ++size.Cols;
    for (double y = g.Top; q - g.Bottom > y + g.Height; y += g.Height + g.SpaceY)
        ++size.Rows;
    return size;
}

TColor ColorListColor(int entry) {
    if (entry >= 0 && entry < 16)
        return kColors[entry].Color;
    return gCustomColor;
}

int ColorListEntry(TColor color) {
    for (int i = 0; i < 16; ++i)
        if (kColors[i].Color == color)
            return i;
    return kUserColorEntry;
}

TColor CustomColor() {
    return gCustomColor;
}

void SetCustomColor(TColor color) {
    gCustomColor = color;
}

TEANSetupFmt::TEANSetupFmt(IModal& modal, QWidget* parent) : QDialog(parent), FModal(modal) {
    setObjectName(QStringLiteral("EANSetupFmt"));
    setWindowTitle(QStringLiteral("Barcode library - version 4.5"));
    auto* layout = new QVBoxLayout(this);
    FPreview = new TPreview(FEAN, this);
    layout->addWidget(FPreview);

    auto* middle = new QHBoxLayout;
    ZAL = new QTabWidget(this);
    ZAL->setObjectName(QStringLiteral("ZAL"));
    auto addPage = [this](QWidget* page, const char* name, const QString& caption) {
        page->setObjectName(QString::fromLatin1(name));
        ZAL->addTab(page, caption);
    };
    addPage(BuildMainPage(), "SH_MAIN", QStringLiteral("Text && bar code type"));
    addPage(BuildColorsPage(), "TabSheet2", QStringLiteral("Colors && Fonts"));
    addPage(BuildCaptionPage(), "TabSheet4", QStringLiteral("Caption"));
    addPage(BuildMaskPage(), "TabSheet1", QStringLiteral("Mask"));
    addPage(BuildMiscPage(), "TabSheet3", QStringLiteral("Misc."));
    addPage(BuildFunctionsPage(), "TabSheet5", QStringLiteral("Functions"));
    addPage(BuildPrintPage(), "SHEET_PRINT", QStringLiteral("Print"));
    addPage(BuildAboutPage(), "SH_ABOUT", QStringLiteral("About"));
    middle->addWidget(ZAL, 1);

    auto* buttons = new QVBoxLayout;
    QPushButton* ok = Button(this, "BtnOk", QStringLiteral("OK"));
    QPushButton* cancel = Button(this, "BtnCancel", QStringLiteral("Cancel"));
    QPushButton* help = Button(this, "BtnHelp", QStringLiteral("Help"));
    QPushButton* apply = Button(this, "BtnApply", QStringLiteral("Apply"));
    for (QPushButton* b : {ok, cancel, help, apply})
        buttons->addWidget(b);
    buttons->addStretch();
    middle->addLayout(buttons);
    layout->addLayout(middle, 1);

    connect(ok, &QPushButton::clicked, this, [this] {
        Apply();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &TEANSetupFmt::Apply);
    // The program's help topic when the owner gives one; on its own the library's texts are
    // fixed and have no topics, so the About page is its help.
    connect(help, &QPushButton::clicked, this, [this] {
        if (OnHelp)
            OnHelp();
        else
            ZAL->setCurrentIndex(ZAL->count() - 1);
    });

    // Creation: EAN 13 with its sample, white on the second entry.
    ZAL->setCurrentIndex(0);
    CBTyp->setCurrentIndex(int(TTypBarCode::bcEan13));
    CBTypChange();
    BGColor->setCurrentIndex(ColorListEntry(clWhite));
    LinesColor->setCurrentIndex(1);
    FEAN.SetLinesColor(ColorListColor(1));
    resize(760, 520);
}

TEANSetupFmt::~TEANSetupFmt() = default;

QWidget* TEANSetupFmt::BuildMainPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    CBTyp = new QComboBox(page);
    CBTyp->setObjectName(QStringLiteral("CBTyp"));
    std::vector<std::string> names;
    TCustomEAN::ListTypes(names, true);
    for (const std::string& n : names)
        CBTyp->addItem(FromCp1250(n));
    EANMEMO = new QLineEdit(page);
    EANMEMO->setObjectName(QStringLiteral("EANMEMO"));
    AddUp = Box(page, "AddUp", QStringLiteral("EAN && ISBN Add Up"));
    ZNAKY = new QPlainTextEdit(page);
    ZNAKY->setObjectName(QStringLiteral("ZNAKY"));
    ZNAKY->setReadOnly(true);
    g->addWidget(new QLabel(QStringLiteral("Bar code type"), page), 0, 0);
    g->addWidget(CBTyp, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Bar code number/text"), page), 1, 0);
    // What the chosen type makes of the value, while it is typed.
    EANMEMO_HIBA = new QLabel(page);
    EANMEMO_HIBA->setObjectName(QStringLiteral("EANMEMO_HIBA"));
    EANMEMO_HIBA->setWordWrap(true);
    EANMEMO_HIBA->setStyleSheet(QStringLiteral("color: #b00000"));
    EANMEMO_HIBA->hide();
    auto* valueBox = new QVBoxLayout;
    valueBox->setContentsMargins(0, 0, 0, 0);
    valueBox->addWidget(EANMEMO);
    valueBox->addWidget(EANMEMO_HIBA);
    g->addLayout(valueBox, 1, 1);
    connect(EANMEMO, &QLineEdit::textChanged, this, &TEANSetupFmt::ShowValueProblem);
    g->addWidget(AddUp, 2, 1);
    GR_2D = new QGroupBox(QStringLiteral("2D symbol"), page);
    GR_2D->setObjectName(QStringLiteral("GR_2D"));
    auto* g2 = new QGridLayout(GR_2D);
    const auto combo = [this](const char* name, const QStringList& items) {
        auto* c = new QComboBox(GR_2D);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        connect(c, &QComboBox::activated, this, [this] {
            FEAN.SetMatrixOptions(MatrixOptionsShown());
            ShowValueProblem();
        });
        return c;
    };
    const auto spin = [this](const char* name, int low, int high, const QString& automatic) {
        auto* b = new QSpinBox(GR_2D);
        b->setObjectName(QString::fromLatin1(name));
        b->setRange(low, high);
        b->setSpecialValueText(automatic); // the lowest value: chosen by the data
        connect(b, &QSpinBox::valueChanged, this, [this] {
            FEAN.SetMatrixOptions(MatrixOptionsShown());
            ShowValueProblem();
        });
        return b;
    };
    QR_ECC = combo("QR_ECC", {QStringLiteral("L (7 %)"), QStringLiteral("M (15 %)"),
                              QStringLiteral("Q (25 %)"), QStringLiteral("H (30 %)")});
    DM_SHAPE = combo("DM_SHAPE", {QStringLiteral("Square"), QStringLiteral("Rectangular")});
    DM_GS1 = Box(GR_2D, "DM_GS1", QStringLiteral("GS1 (AIs in parentheses: (01)...(17)...)"));
    connect(DM_GS1, &QCheckBox::toggled, this, [this] {
        FEAN.SetMatrixOptions(MatrixOptionsShown());
        ShowValueProblem();
    });
    PDF_COLUMNS = spin("PDF_COLUMNS", 0, 30, QStringLiteral("Automatic"));
    PDF_ECC = spin("PDF_ECC", -1, 8, QStringLiteral("Automatic"));
    AZTEC_ECC = combo("AZTEC_ECC", {QStringLiteral("Automatic (23 % + 3)"), QStringLiteral("10 %"),
                                    QStringLiteral("23 %"), QStringLiteral("36 %"), QStringLiteral("50 %")});
    const std::pair<const char*, QWidget*> rows[] = {
        {"Error correction", QR_ECC}, {"Shape", DM_SHAPE},      {nullptr, DM_GS1},
        {"Columns", PDF_COLUMNS},     {"Error level", PDF_ECC}, {"Error correction", AZTEC_ECC},
    };
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        if (rows[i].first) {
            auto* label = new QLabel(QString::fromLatin1(rows[i].first), GR_2D);
            label->setBuddy(rows[i].second);
            g2->addWidget(label, i, 0);
            // The label shows and hides with its control.
            rows[i].second->setProperty("etikorLabel", QVariant::fromValue(static_cast<QObject*>(label)));
        }
        g2->addWidget(rows[i].second, i, 1);
    }
    g->addWidget(new QLabel(QStringLiteral("Set of availables char"), page), 3, 0, 1, 2);
    g->addWidget(ZNAKY, 4, 0, 1, 2);
    g->addWidget(GR_2D, 5, 0, 1, 2);
    connect(CBTyp, &QComboBox::activated, this, &TEANSetupFmt::CBTypChange);
    return page;
}

QWidget* TEANSetupFmt::BuildColorsPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    BGColor = new TColorList(page, "BGColor");
    LinesColor = new TColorList(page, "LinesColor");
    Transparent = Box(page, "Transparent", QStringLiteral("Transparent"));
    FontAutoSize = Box(page, "FontAutoSize", QStringLiteral("Font auto size"));
    EAN_Font = new QLabel(QStringLiteral("Bar code  font sample"), page);
    EAN_Font->setObjectName(QStringLiteral("EAN_Font"));
    QPushButton* change = Button(page, "BitBtn2", QStringLiteral("Change font"));
    g->addWidget(new QLabel(QStringLiteral("Background color"), page), 0, 0);
    g->addWidget(BGColor, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Lines color"), page), 1, 0);
    g->addWidget(LinesColor, 1, 1);
    g->addWidget(Transparent, 2, 0, 1, 2);
    g->addWidget(FontAutoSize, 3, 0, 1, 2);
    g->addWidget(EAN_Font, 4, 0, 1, 2);
    g->addWidget(change, 5, 0);
    g->setRowStretch(6, 1);
    g->setColumnStretch(2, 1);
    connect(BGColor, &QComboBox::activated, this, [this] { ColorChosen(BGColor); });
    connect(LinesColor, &QComboBox::activated, this, [this] { ColorChosen(LinesColor); });
    connect(Transparent, &QCheckBox::toggled, this, [this](bool on) { FEAN.SetTransparent(on); });
    connect(FontAutoSize, &QCheckBox::toggled, this, [this](bool on) { FEAN.SetFontAutoSize(on); });
    connect(change, &QPushButton::clicked, this, [this] { ChangeFont(EAN_Font); });
    return page;
}

void TEANSetupFmt::BuildCaption(QWidget* page, TCaptionControls& c, const char* prefix, const char* group,
                                const char* fontLabel, const char* fontButton, const QString& visibleCaption,
                                const QString& sample) {
    const QString p = QString::fromLatin1(prefix);
    c.Visible = Box(page, (p + QStringLiteral("_Visible")).toLatin1().constData(), visibleCaption);
    c.Group = new QGroupBox(page);
    c.Group->setObjectName(QString::fromLatin1(group));
    auto* g = new QGridLayout(c.Group);
    c.Alignment = new QComboBox(c.Group);
    c.Alignment->setObjectName(p + QStringLiteral("_Alignment"));
    c.Alignment->addItems({QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")});
    c.AutoCaption = Box(c.Group, (p + QStringLiteral("_AutoCaption")).toLatin1().constData(),
                        QStringLiteral("AutoCaption"));
    c.AutoSize =
        Box(c.Group, (p + QStringLiteral("_AutoSize")).toLatin1().constData(), QStringLiteral("AutoSize"));
    c.Text = new QLineEdit(c.Group);
    c.Text->setObjectName(p + QStringLiteral("_TEXT"));
    c.Font = new QLabel(sample, c.Group);
    c.Font->setObjectName(QString::fromLatin1(fontLabel));
    QPushButton* change = Button(c.Group, fontButton, QStringLiteral("Change font"));
    g->addWidget(c.Alignment, 0, 0);
    g->addWidget(c.AutoCaption, 0, 1);
    g->addWidget(c.AutoSize, 0, 2);
    g->addWidget(c.Text, 1, 0, 1, 3);
    g->addWidget(c.Font, 2, 0, 1, 2);
    g->addWidget(change, 2, 2);
    connect(c.Visible, &QCheckBox::toggled, c.Group, &QWidget::setVisible);
    QLineEdit* text = c.Text;
    connect(c.AutoCaption, &QCheckBox::toggled, text, [text](bool on) { text->setEnabled(!on); });
    QLabel* font = c.Font;
    connect(change, &QPushButton::clicked, this, [this, font] { ChangeFont(font); });
}

QWidget* TEANSetupFmt::BuildCaptionPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    BuildCaption(page, FUpper, "CA", "GR_Caption", "CA_Font", "FONT_UP",
                 QStringLiteral("Upper caption visible"), QStringLiteral("Sample caption font"));
    BuildCaption(page, FLower, "BCA", "BGR_CAPTION", "BCA_FONT", "FONT_DOWN",
                 QStringLiteral("Bottom caption visible"), QStringLiteral("Sample caption font"));
    CA_Visible = FUpper.Visible;
    BCA_Visible = FLower.Visible;
    for (TCaptionControls* c : {&FUpper, &FLower}) {
        layout->addWidget(c->Visible);
        layout->addWidget(c->Group);
    }
    layout->addStretch();
    return page;
}

QWidget* TEANSetupFmt::BuildMaskPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(new QLabel(QStringLiteral("Please, check all digits ..."), page), 0, 0, 1, 5);
    for (int i = 0; i < 30; ++i) {
        Mask[size_t(i)] = Box(page, QStringLiteral("C%1").arg(i + 1).toLatin1().constData(),
                              QStringLiteral("%1. Digit").arg(i + 1));
        g->addWidget(Mask[size_t(i)], 1 + i % 10, i / 10);
    }
    return page;
}

QWidget* TEANSetupFmt::BuildMiscPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    StartStopLines = Box(page, "StartStopLines", QStringLiteral("Show start/stop lines"));
    ShowLabels = Box(page, "ShowLabels", QStringLiteral("Show labels"));
    SecurityZoom = Box(page, "SecurityZoom", QStringLiteral("Security zoom"));
    EAN_ANGLE = UpDown(page, "EAN_ANGLE", 360);
    EAN_ANGLE->setSingleStep(90);
    EAN_Width = UpDown(page, "EAN_Width", 30000);
    EAN_Height = UpDown(page, "EAN_Height", 10000);
    g->addWidget(StartStopLines, 0, 0, 1, 2);
    g->addWidget(ShowLabels, 1, 0, 1, 2);
    g->addWidget(SecurityZoom, 2, 0, 1, 2);
    const auto labelled = [&](const QString& caption, QSpinBox* box, int row) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(box);
        box->setProperty("etikorLabel", QVariant::fromValue(static_cast<QObject*>(label)));
        g->addWidget(label, row, 0);
        g->addWidget(box, row, 1);
    };
    labelled(QStringLiteral("Angle in degrees"), EAN_ANGLE, 3);
    labelled(QStringLiteral("Width"), EAN_Width, 4);
    labelled(QStringLiteral("Height"), EAN_Height, 5);
    g->setRowStretch(6, 1);
    g->setColumnStretch(2, 1);
    connect(StartStopLines, &QCheckBox::toggled, this, [this](bool on) { FEAN.SetStartStopLines(on); });
    connect(ShowLabels, &QCheckBox::toggled, this, [this](bool on) { FEAN.SetShowLabels(on); });
    connect(SecurityZoom, &QCheckBox::toggled, this, [this](bool on) { FEAN.SetSecurity(on); });
    return page;
}

QWidget* TEANSetupFmt::BuildFunctionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QPushButton* html = Button(page, "BitBtn3", QStringLiteral("Export to HTML"));
    layout->addWidget(html, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(html, &QPushButton::clicked, this, &TEANSetupFmt::ExportClick);
    return page;
}

QWidget* TEANSetupFmt::BuildPrintPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(new QLabel(QStringLiteral("Units in milimeters"), page), 0, 0, 1, 4);
    E_WIDTH = NumberEdit(page, "E_WIDTH", QStringLiteral("40"));
    E_HEIGHT = NumberEdit(page, "E_HEIGHT", QStringLiteral("20"));
    E_COUNT = NumberEdit(page, "E_COUNT", QStringLiteral("1"));
    g->addWidget(new QLabel(QStringLiteral("Width"), page), 1, 0);
    g->addWidget(E_WIDTH, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Height"), page), 2, 0);
    g->addWidget(E_HEIGHT, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Count"), page), 3, 0);
    g->addWidget(E_COUNT, 3, 1);
    auto* margins = new QGroupBox(QStringLiteral("Margins"), page);
    auto* m = new QGridLayout(margins);
    struct Field {
        QLineEdit*& Edit;
        const char* Name;
        const char* Caption;
    } fields[] = {
        {E_LEFT, "E_LEFT", "Left"},
        {E_TOP, "E_TOP", "Top"},
        {E_RIGHT, "E_RIGHT", "Right"},
        {E_BOTTOM, "E_BOTTOM", "Bottom"},
        {E_SPACEX, "E_SPACEX", "Space horizontal"},
        {E_SPACEY, "E_SPACEY", "Space vertical"},
    };
    int row = 0;
    for (Field& f : fields) {
        f.Edit = NumberEdit(margins, f.Name, QStringLiteral("10"));
        m->addWidget(new QLabel(QString::fromLatin1(f.Caption), margins), row / 2, (row % 2) * 2);
        m->addWidget(f.Edit, row / 2, (row % 2) * 2 + 1);
        ++row;
    }
    g->addWidget(margins, 1, 2, 4, 2);
    LBL_FORMAT = new QLabel(page);
    LBL_FORMAT->setObjectName(QStringLiteral("LBL_FORMAT"));
    g->addWidget(LBL_FORMAT, 5, 0, 1, 4);
    E_NEXT = Box(page, "E_NEXT", QStringLiteral("Use next method"));
    g->addWidget(E_NEXT, 6, 0, 1, 2);
    QPushButton* print = Button(page, "BitBtn1", QStringLiteral("&Print"));
    g->addWidget(print, 6, 2);
    g->setRowStretch(7, 1);
    for (QLineEdit* e : {E_WIDTH, E_HEIGHT, E_LEFT, E_TOP, E_RIGHT, E_BOTTOM, E_SPACEX, E_SPACEY})
        connect(e, &QLineEdit::textChanged, this, &TEANSetupFmt::RecomputeGrid);
    connect(print, &QPushButton::clicked, this, &TEANSetupFmt::PrintClick);
    return page;
}

QWidget* TEANSetupFmt::BuildAboutPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* picture = new QLabel(page);
    QPixmap pixmap(96, 64);
    pixmap.fill(Qt::white);
    {
        QPainter p(&pixmap);
        for (int x = 8, i = 0; x < 88; x += 3 + (i % 3), ++i)
            p.fillRect(x, 6, 1 + (i % 2), 52, Qt::black);
    }
    picture->setPixmap(pixmap);
    auto* text = new QPlainTextEdit(page);
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral("Barcode library 4.5\n\n36 symbologies: EAN, UPC, Code 128, Code 39, "
                                      "Code 93, Codabar, 2 of 5, MSI, PostNet, PZN and more; QR Code, "
                                      "Data Matrix (GS1), PDF417 and Aztec through libzint.\n"
                                      "Pictures, HTML catalogue, sheet printing."));
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return page;
}

void TEANSetupFmt::CBTypChange() {
    const auto type = static_cast<TTypBarCode>(CBTyp->currentIndex());
    FEAN.SetTypBarCode(type);
    FEAN.SetMatrixOptions(MatrixOptionsShown());
    if (IsMatrixType(type)) {
        // Three pixels a module in the preview; no text line unless it is asked for.
        FEAN.SetBounds(3 * FEAN.MinimumWidth(), 3 * FEAN.MinimumHeight());
        ShowLabels->setChecked(FEAN.ShowLabels());
    } else {
        FEAN.SetWidth(FEAN.MinimumWidth());
    }
    EANMEMO->setText(FromCp1250(FEAN.BarCode()));
    AddUp->setVisible(type == TTypBarCode::bcEan13 && FOfferedTypes.empty());
    ZNAKY->setPlainText(FromCp1250(FEAN.ReadableCharSet()));
    ShowMatrixOptions(type, FEAN.MatrixOptions());
    ShowValueProblem();
}

void TEANSetupFmt::ShowValueProblem() {
    EncoderOptions options;
    options.AutoCheckDigit = FEAN.AutoCheckDigit();
    options.Matrix = MatrixOptionsShown();
    const QString problem = BarCodeValueProblem(static_cast<TTypBarCode>(CBTyp->currentIndex()), options,
                                                ToCp1250(EANMEMO->text()));
    EANMEMO_HIBA->setText(problem);
    EANMEMO_HIBA->setVisible(!problem.isEmpty());
}

void TEANSetupFmt::ShowMatrixOptions(TTypBarCode type, const TMatrixOptions& o) {
    const std::pair<QWidget*, TTypBarCode> owners[] = {
        {QR_ECC, TTypBarCode::bcQRCode},     {DM_SHAPE, TTypBarCode::bcDataMatrix},
        {DM_GS1, TTypBarCode::bcDataMatrix}, {PDF_COLUMNS, TTypBarCode::bcPDF417},
        {PDF_ECC, TTypBarCode::bcPDF417},    {AZTEC_ECC, TTypBarCode::bcAztec},
    };
    for (const auto& [control, owner] : owners) {
        control->setVisible(owner == type);
        if (auto* label = qobject_cast<QWidget*>(control->property("etikorLabel").value<QObject*>()))
            label->setVisible(owner == type);
    }
    GR_2D->setVisible(IsMatrixType(type));
    // A matrix has no guard bars.
    StartStopLines->setEnabled(!IsMatrixType(type));
    const QSignalBlocker b1(PDF_COLUMNS), b2(PDF_ECC), b3(DM_GS1);
    QR_ECC->setCurrentIndex(static_cast<int>(o.QrEcc));
    DM_SHAPE->setCurrentIndex(o.DmRectangular ? 1 : 0);
    DM_GS1->setChecked(o.DmGs1);
    PDF_COLUMNS->setValue(o.PdfColumns);
    PDF_ECC->setValue(o.PdfEcc);
    AZTEC_ECC->setCurrentIndex(std::clamp(o.AztecEcc, 0, 4));
}

TMatrixOptions TEANSetupFmt::MatrixOptionsShown() const {
    TMatrixOptions o;
    o.QrEcc = static_cast<TQrEcc>(std::clamp(QR_ECC->currentIndex(), 0, 3));
    o.DmRectangular = DM_SHAPE->currentIndex() == 1;
    o.DmGs1 = DM_GS1->isChecked();
    o.PdfColumns = PDF_COLUMNS->value();
    o.PdfEcc = PDF_ECC->value();
    o.AztecEcc = std::max(0, AZTEC_ECC->currentIndex());
    return o;
}

void TEANSetupFmt::ColorChosen(QComboBox* list) {
    if (list->currentIndex() == kUserColorEntry) {
        if (const std::optional<QColor> c = FModal.ChooseColor(ToQColor(gCustomColor)))
            gCustomColor = FromQColor(*c);
        BGColor->update();
        LinesColor->update();
    }
    if (list == LinesColor)
        FEAN.SetLinesColor(ColorListColor(LinesColor->currentIndex()));
    else
        FEAN.SetBackgroundColor(ColorListColor(BGColor->currentIndex()));
}

void TEANSetupFmt::ChangeFont(QLabel* sample) {
    const TFontChoice initial{sample->font(), sample->palette().color(QPalette::WindowText)};
    const std::optional<TFontChoice> chosen = FModal.ChooseFont(initial);
    if (!chosen)
        return;
    sample->setFont(chosen->Font);
    QPalette p = sample->palette();
    p.setColor(QPalette::WindowText, chosen->Color);
    sample->setPalette(p);
    if (sample == EAN_Font)
        FEAN.SetFont(SampleFont(EAN_Font));
}

void TEANSetupFmt::LoadCaption(TCaptionControls& c, const TBarcodeCaption& caption) {
    c.Visible->setChecked(caption.Visible());
    c.Group->setVisible(caption.Visible());
    c.AutoSize->setChecked(caption.AutoSize());
    c.AutoCaption->setChecked(caption.AutoCaption());
    c.Text->setEnabled(!caption.AutoCaption());
    c.Text->setText(FromCp1250(caption.Text()));
    c.Alignment->setCurrentIndex(int(caption.Alignment()));
    ShowFont(c.Font, caption.Font());
}

void TEANSetupFmt::ApplyCaption(const TCaptionControls& c, TBarcodeCaption& caption) const {
    caption.SetVisible(c.Visible->isChecked());
    caption.SetAutoCaption(c.AutoCaption->isChecked());
    caption.SetAutoSize(c.AutoSize->isChecked());
    caption.SetFont(SampleFont(c.Font));
    caption.SetText(ToCp1250(c.Text->text()));
    caption.SetAlignment(static_cast<TAlignment>(std::max(0, c.Alignment->currentIndex())));
}

void TEANSetupFmt::LoadFrom(TCustomEAN& target) {
    FTarget = &target;
    CBTyp->setCurrentIndex(int(target.TypBarCode()));
    EANMEMO->setText(FromCp1250(target.BarCode()));
    EANMEMO->setVisible(true);
    AddUp->setChecked(target.Ean13AddUp());
    BGColor->setCurrentIndex(ColorListEntry(target.BackgroundColor()));
    LinesColor->setCurrentIndex(ColorListEntry(target.LinesColor()));
    Transparent->setChecked(target.Transparent());
    FontAutoSize->setChecked(target.FontAutoSize());
    StartStopLines->setChecked(target.StartStopLines());
    ShowLabels->setChecked(target.ShowLabels());
    SecurityZoom->setChecked(target.Security());
    ShowFont(EAN_Font, target.Font());
    EAN_ANGLE->setValue(std::clamp(target.Angle() < 0 ? target.Angle() + 360 : target.Angle(), 0, 360));
    EAN_Width->setValue(target.Width());
    EAN_Height->setValue(target.Height());
    const std::string& mask = target.LabelMask();
    for (size_t i = 0; i < Mask.size(); ++i)
        Mask[i]->setChecked(mask.size() <= i || mask[i] == '_');
    AddUp->setVisible(target.TypBarCode() == TTypBarCode::bcEan13);
    ZNAKY->setPlainText(FromCp1250(target.ReadableCharSet()));
    ShowMatrixOptions(target.TypBarCode(), target.MatrixOptions());
    LoadCaption(FUpper, target.Caption());
    LoadCaption(FLower, target.CaptionBottom());
    FEAN.Assign(target);
    // The target's handlers belong to the target's owner, not to the preview.
    FEAN.OnPaint = nullptr;
    FEAN.OnChangeTypCode = nullptr;
    FEAN.OnChangeBarCode = nullptr;
    FEAN.SetFont(target.Font());
    FEAN.SetBounds(target.Width(), target.Height());
    ShowValueProblem();
}

bool TEANSetupFmt::ShowPage(const QString& pageName) {
    for (int i = 0; i < ZAL->count(); ++i)
        if (ZAL->widget(i)->objectName().compare(pageName, Qt::CaseInsensitive) == 0) {
            ZAL->setCurrentIndex(i);
            return true;
        }
    return false;
}

void TEANSetupFmt::Apply() {
    if (!FTarget)
        return;
    TCustomEAN& t = *FTarget;
    t.SetTypBarCode(static_cast<TTypBarCode>(CBTyp->currentIndex()));
    t.SetMatrixOptions(MatrixOptionsShown());
    t.SetBarCode(ToCp1250(EANMEMO->text()));
    t.SetEan13AddUp(AddUp->isChecked());
    t.SetBackgroundColor(ColorListColor(BGColor->currentIndex()));
    t.SetLinesColor(ColorListColor(LinesColor->currentIndex()));
    t.SetTransparent(Transparent->isChecked());
    t.SetFont(SampleFont(EAN_Font));
    t.SetFontAutoSize(FontAutoSize->isChecked());
    t.SetStartStopLines(StartStopLines->isChecked());
    t.SetShowLabels(ShowLabels->isChecked());
    t.SetSecurity(SecurityZoom->isChecked());
    std::string mask(50, '_');
    for (size_t i = 0; i < Mask.size(); ++i)
        if (!Mask[i]->isChecked())
            mask[i] = ' ';
    t.SetLabelMask(mask);
    t.SetBounds(EAN_Width->value(), EAN_Height->value());
    t.SetAngle(EAN_ANGLE->value());
    ApplyCaption(FUpper, t.Caption());
    ApplyCaption(FLower, t.CaptionBottom());
}

void TEANSetupFmt::RecomputeGrid() {
    TSheetGrid g;
    std::pair<QLineEdit*, double*> fields[] = {
        {E_WIDTH, &g.Width}, {E_HEIGHT, &g.Height}, {E_LEFT, &g.Left},     {E_TOP, &g.Top},
        {E_RIGHT, &g.Right}, {E_BOTTOM, &g.Bottom}, {E_SPACEX, &g.SpaceX}, {E_SPACEY, &g.SpaceY},
    };
    for (auto& [edit, value] : fields) {
        const std::optional<double> v = Number(edit);
        if (!v)
            return;
        *value = *v;
    }
    if (FPrintableMm.isEmpty()) {
        QPrinter printer;
        FPrintableMm = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    }
    const TGridSize size = SheetGridSize(g, FPrintableMm);
    LBL_FORMAT->setText(QString::asprintf("Cols : %d,  Rows:%d", size.Cols, size.Rows));
    E_COUNT->setText(QString::number(size.Cols * size.Rows));
}

void TEANSetupFmt::PrintBarCodes(QPagedPaintDevice& device, QPainter& painter, int count, bool next,
                                 QPointF offsetMm) {
    TSheetGrid g;
    std::pair<QLineEdit*, double*> fields[] = {
        {E_WIDTH, &g.Width}, {E_HEIGHT, &g.Height}, {E_LEFT, &g.Left},     {E_TOP, &g.Top},
        {E_RIGHT, &g.Right}, {E_BOTTOM, &g.Bottom}, {E_SPACEX, &g.SpaceX}, {E_SPACEY, &g.SpaceY},
    };
    for (auto& [edit, value] : fields)
        *value = Number(edit).value_or(*value);
    const QPageLayout layout = device.pageLayout();
    const QSizeF printable = layout.paintRect(QPageLayout::Millimeter).size();
    const double dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
    // The painter's origin is the printable area's corner, which is also where the grid counts
    // from: the physical offsets are already taken off. The calibration moves the whole sheet.
    const int offsetX = -int(std::lround(offsetMm.x() * dpiX / 25.4));
    const int offsetY = -int(std::lround(offsetMm.y() * dpiY / 25.4));
    const std::string before = FEAN.BarCode();
    double x = g.Left, y = g.Top;
    for (int i = 0; i < count; ++i) {
        const TRect box{int(std::trunc(x * dpiX / 25.4)) - offsetX,
                        int(std::trunc(y * dpiY / 25.4)) - offsetY,
                        int(std::trunc((x + g.Width) * dpiX / 25.4)) - offsetX,
                        int(std::trunc((y + g.Height) * dpiY / 25.4)) - offsetY};
        FEAN.DrawOnPrinter(painter, box);
        if (next)
            FEAN.NextBarCode();
        x += g.Width + g.SpaceX;
        if (printable.width() - g.Right - g.Width < x) {
            x = g.Left;
            y += g.Height + g.SpaceY;
        }
        if (printable.height() - g.Bottom - g.Height < y) {
            y = g.Top;
            if (i + 1 < count)
                device.newPage();
        }
    }
    if (next)
        FEAN.SetBarCode(before);
}

void TEANSetupFmt::PrintClick() {
    const int count = int(Number(E_COUNT).value_or(1));
    const std::optional<TPrintChoice> choice = FModal.ChoosePrinter(TPrintChoice{});
    if (!choice)
        return;
    const std::string before = FEAN.BarCode();
    // The queue or file chosen, on the printer's own dots.
    QPrinter printer(QPrinter::HighResolution);
    const bool found = SetUpPrinter(printer, *choice);
    printer.setDocName(QStringLiteral("Barcode library - printing barcodes ..."));
    printer.setCopyCount(choice->Copies);
    printer.setCollateCopies(choice->Collate);
    QPainter painter;
    if (!found || !printer.isValid() || !painter.begin(&printer)) {
        TellCannotOpen(FModal, PrintTargetName(printer, *choice));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A queue's calibration; a PDF file is for whatever printer prints it later.
    const QPointF offsetMm =
        choice->OutputFile.isEmpty() && QueueOffsetMm ? QueueOffsetMm(printer.printerName()) : QPointF();
    PrintBarCodes(printer, painter, count, E_NEXT->isChecked(), offsetMm);
    painter.end();
    if (E_NEXT->isChecked())
        FEAN.SetBarCode(before);
    QApplication::restoreOverrideCursor();
}

void TEANSetupFmt::ExportClick() {
    TFileDialogOptions options;
    options.DefaultExt = QStringLiteral("html");
    options.Filter = QStringLiteral("HTML file|*.htm;*.html");
    const std::optional<QString> file = FModal.SaveFile(options);
    if (!file || !FTarget)
        return;
    ExportHtmlPage(*FTarget, file->toStdString(), hpJpg, FModal);
}

void TEANSetupFmt::OfferOnly(const std::vector<TTypBarCode>& types) {
    FOfferedTypes = types;
    for (const char* page : {"TabSheet2", "TabSheet4", "TabSheet1", "TabSheet5", "SHEET_PRINT"})
        ZAL->setTabVisible(ZAL->indexOf(ZAL->findChild<QWidget*>(QString::fromLatin1(page))), false);
    for (QWidget* control : std::initializer_list<QWidget*>{SecurityZoom, EAN_Width, EAN_Height}) {
        control->hide();
        if (auto* label = qobject_cast<QWidget*>(control->property("etikorLabel").value<QObject*>()))
            label->hide();
    }
    // Quarter turns only.
    EAN_ANGLE->setMaximum(270);
    auto* model = qobject_cast<QStandardItemModel*>(CBTyp->model());
    for (int i = 0; i < CBTyp->count(); ++i)
        if (QStandardItem* item = model ? model->item(i) : nullptr)
            item->setEnabled(std::find(types.begin(), types.end(), static_cast<TTypBarCode>(i)) !=
                             types.end());
    AddUp->hide();
}

int ShowEditor(TCustomEAN& target, IModal& modal, const QString& pageName, QWidget* parent) {
    TEANSetupFmt form(modal, parent);
    form.LoadFrom(target);
    if (!pageName.isEmpty())
        form.ShowPage(pageName);
    return modal.RunModal(form);
}

} // namespace etikor
