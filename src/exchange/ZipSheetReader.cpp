// .xlsx and .ods workbooks: a zip container (libzip) holding the sheets as XML, read with Qt's
// stream reader. Only what a link needs is read: the first worksheet's cell values, with shared
// strings for .xlsx. Every part is read within a size limit, repeated cells and rows never
// allocate for their repetitions beyond the worksheet limits.

#include "data/Cp1250.h"
#include "exchange/Worksheet.h"

#include <QString>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace etikor {

namespace {

constexpr zip_uint64_t kMaxPartSize = 256u << 20;

class Zip {
public:
    explicit Zip(std::string_view bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source)
            FZip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (source && !FZip)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!FZip)
            throw EWorksheetError("Damaged workbook (not a zip container)");
    }
    ~Zip() { zip_discard(FZip); }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool Has(const std::string& name) const { return zip_name_locate(FZip, name.c_str(), 0) >= 0; }
    // The uncompressed part, within the size limit.
    std::string Read(const std::string& name) const {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(FZip, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            throw EWorksheetError("Damaged workbook (" + name + " missing)");
        if (stat.size > kMaxPartSize)
            throw EWorksheetError("Workbook too large (" + name + ")");
        zip_file_t* file = zip_fopen(FZip, name.c_str(), 0);
        if (!file)
            throw EWorksheetError("Damaged workbook (" + name + " unreadable)");
        std::string out(static_cast<std::size_t>(stat.size), '\0');
        const zip_int64_t got = zip_fread(file, out.data(), stat.size);
        zip_fclose(file);
        if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
            throw EWorksheetError("Damaged workbook (" + name + " unreadable)");
        return out;
    }

private:
    zip_t* FZip = nullptr;
};

std::string cp1250(const QString& text) {
    return Utf8ToCp1250(text.toStdString());
}

void checkXml(const QXmlStreamReader& xml, const char* part) {
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        throw EWorksheetError(std::string("Damaged workbook (") + part + ": " +
                              xml.errorString().toStdString() + ")");
}

// An attribute by its local name, whatever its namespace prefix.
QStringView attr(const QXmlStreamAttributes& attributes, QLatin1String name) {
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == name)
            return a.value();
    return {};
}

// "B12" -> column 1 (0-based); -1 when it is no cell reference.
int columnOf(const QString& reference) {
    int column = 0, letters = 0;
    for (const QChar c : reference) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            column = column * 26 + (c.unicode() - 'A' + 1);
            if (++letters > 3)
                return -1;
        } else {
            break;
        }
    }
    return letters == 0 ? -1 : column - 1;
}

std::vector<std::string> sharedStrings(const Zip& zip) {
    std::vector<std::string> strings;
    if (!zip.Has("xl/sharedStrings.xml"))
        return strings;
    const std::string bytes = zip.Read("xl/sharedStrings.xml");
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QString current;
    bool inItem = false, inPhonetic = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("si")) {
                inItem = true;
                current.clear();
            } else if (xml.name() == QLatin1String("rPh")) {
                inPhonetic = true;
            } else if (inItem && !inPhonetic && xml.name() == QLatin1String("t")) {
                current += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("si")) {
                inItem = false;
                if (strings.size() >= kMaxWorksheetCells)
                    throw EWorksheetError("Workbook too large (shared strings)");
                strings.push_back(cp1250(current));
            } else if (xml.name() == QLatin1String("rPh")) {
                inPhonetic = false;
            }
        }
    }
    checkXml(xml, "sharedStrings.xml");
    return strings;
}

// The first sheet's part: by the workbook's first sheet and its relationship, else sheet1.xml.
std::string firstXlsxSheet(const Zip& zip) {
    std::string fallback = "xl/worksheets/sheet1.xml";
    if (!zip.Has("xl/workbook.xml") || !zip.Has("xl/_rels/workbook.xml.rels"))
        return fallback;
    QString id;
    {
        const std::string bytes = zip.Read("xl/workbook.xml");
        QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
        while (!xml.atEnd() && id.isEmpty()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == QLatin1String("id"))
                        id = a.value().toString();
        }
    }
    const std::string bytes = zip.Read("xl/_rels/workbook.xml.rels");
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship") &&
            attr(xml.attributes(), QLatin1String("Id")) == id) {
            QString target = attr(xml.attributes(), QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/')))
                return target.mid(1).toStdString();
            return "xl/" + target.toStdString();
        }
    }
    return fallback;
}

} // namespace

TWorksheet ReadXlsx(std::string_view bytes) {
    const Zip zip(bytes);
    const std::vector<std::string> strings = sharedStrings(zip);
    const std::string part = firstXlsxSheet(zip);
    const std::string sheet = zip.Read(part);
    QXmlStreamReader xml(QByteArray::fromRawData(sheet.data(), static_cast<qsizetype>(sheet.size())));
    TWorksheetBuilder builder;
    long long nextRow = 1;
    TRawRow row;
    bool inRow = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
            bool ok = false;
            const long long number = attr(xml.attributes(), QLatin1String("r")).toLongLong(&ok);
            if (ok && number > nextRow) {
                if (number - nextRow > static_cast<long long>(kMaxWorksheetCells))
                    throw EWorksheetError("Too many rows");
                builder.AddEmptyRows(static_cast<std::size_t>(number - nextRow));
                nextRow = number;
            }
            row.clear();
            inRow = true;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("row") && inRow) {
            builder.AddRow(std::move(row));
            row = {};
            ++nextRow;
            inRow = false;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("c") && inRow) {
            const QString type = attr(xml.attributes(), QLatin1String("t")).toString();
            int column = columnOf(attr(xml.attributes(), QLatin1String("r")).toString());
            if (column < 0)
                column = static_cast<int>(row.size());
            if (column >= kMaxWorksheetColumns)
                throw EWorksheetError("Too many columns (more than " + std::to_string(kMaxWorksheetColumns) +
                                      ")");
            QString value, inline_;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                    break;
                if (xml.isStartElement() && xml.name() == QLatin1String("v"))
                    value = xml.readElementText();
                else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
                    inline_ += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
            TRawCell cell;
            if (type == QLatin1String("s")) {
                bool ok = false;
                const qulonglong index = value.toULongLong(&ok);
                if (ok && index < strings.size() && !strings[index].empty()) {
                    cell.What = TRawCell::Kind::Text;
                    cell.Text = strings[index];
                }
            } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
                const QString text = type == QLatin1String("str") ? value : inline_;
                if (!text.isEmpty()) {
                    cell.What = TRawCell::Kind::Text;
                    cell.Text = cp1250(text);
                }
            } else if (type != QLatin1String("e") && !value.isEmpty()) {
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (ok) {
                    cell.What = TRawCell::Kind::Number;
                    cell.Number = number;
                }
            }
            if (cell.What != TRawCell::Kind::Null) {
                if (row.size() <= static_cast<std::size_t>(column))
                    row.resize(static_cast<std::size_t>(column) + 1);
                row[static_cast<std::size_t>(column)] = std::move(cell);
            }
        }
    }
    checkXml(xml, "worksheet");
    return builder.Build();
}

TWorksheet ReadOds(std::string_view bytes) {
    const Zip zip(bytes);
    const std::string content = zip.Read("content.xml");
    QXmlStreamReader xml(QByteArray::fromRawData(content.data(), static_cast<qsizetype>(content.size())));
    TWorksheetBuilder builder;
    int tables = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("table")) {
            if (++tables > 1)
                break; // the first sheet only
            continue;
        }
        if (tables != 1 || xml.name() != QLatin1String("table-row"))
            continue;
        const long long rowRepeat =
            std::max(1LL, attr(xml.attributes(), QLatin1String("number-rows-repeated")).toLongLong());
        TRawRow row;
        std::size_t column = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("table-row"))
                break;
            if (!xml.isStartElement() || (xml.name() != QLatin1String("table-cell") &&
                                          xml.name() != QLatin1String("covered-table-cell")))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            const long long repeat =
                std::max(1LL, attr(attributes, QLatin1String("number-columns-repeated")).toLongLong());
            const QString type = attr(attributes, QLatin1String("value-type")).toString();
            QString text;
            bool paragraph = false;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && (xml.name() == QLatin1String("table-cell") ||
                                           xml.name() == QLatin1String("covered-table-cell")))
                    break;
                if (xml.isStartElement() && xml.name() == QLatin1String("p")) {
                    if (paragraph)
                        text += QLatin1Char('\n');
                    paragraph = true;
                    text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                }
            }
            TRawCell cell;
            if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
                type == QLatin1String("currency")) {
                bool ok = false;
                cell.Number = attr(attributes, QLatin1String("value")).toDouble(&ok);
                cell.What = ok ? TRawCell::Kind::Number : TRawCell::Kind::Null;
            } else if (type == QLatin1String("boolean")) {
                cell.What = TRawCell::Kind::Number;
                cell.Number =
                    attr(attributes, QLatin1String("boolean-value")) == QLatin1String("true") ? 1 : 0;
            } else if (type == QLatin1String("date") || type == QLatin1String("time")) {
                // "2024-05-01" or "2024-05-01T10:20:30"; a time as "PT10H20M30S" stays text.
                QString value = attr(attributes, QLatin1String("date-value")).toString().left(19);
                value.replace(QLatin1Char('T'), QLatin1Char(' '));
                cell.Text = value.toStdString();
                cell.What = ParseWorksheetDateTime(cell.Text, cell.Number) ? TRawCell::Kind::DateTime
                                                                           : TRawCell::Kind::Null;
            }
            if (cell.What == TRawCell::Kind::Null && !text.isEmpty()) {
                cell.What = TRawCell::Kind::Text;
                cell.Text = cp1250(text);
            }
            if (cell.What == TRawCell::Kind::Null) {
                column += static_cast<std::size_t>(std::min<long long>(repeat, kMaxWorksheetColumns + 1));
                continue;
            }
            for (long long i = 0; i < repeat; ++i) {
                if (column >= static_cast<std::size_t>(kMaxWorksheetColumns))
                    throw EWorksheetError("Too many columns (more than " +
                                          std::to_string(kMaxWorksheetColumns) + ")");
                row.resize(column);
                row.push_back(cell);
                ++column;
            }
        }
        if (row.empty()) {
            // Trailing empty rows are often repeated a million times: counted, not kept.
            builder.AddEmptyRows(static_cast<std::size_t>(rowRepeat));
        } else {
            for (long long i = 0; i < rowRepeat; ++i)
                builder.AddRow(row);
        }
    }
    checkXml(xml, "content.xml");
    return builder.Build();
}

} // namespace etikor
