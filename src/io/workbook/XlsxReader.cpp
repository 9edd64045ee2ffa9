#include "io/workbook/CellText.h"
#include "io/workbook/WorkbookFormats.h"
#include "io/workbook/ZipParts.h"

#include <QHash>
#include <QXmlStreamReader>
#include <vector>

namespace yarrow {

namespace {

constexpr size_t kMaxFormulaWarnings = 3;

// "B12" -> (12, 2); (0, 0) when the reference is not one.
std::pair<int32_t, int32_t> CellReference(QStringView ref) {
    int64_t col = 0, row = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i) {
        col = col * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (col > kWorkbookMaxCols)
            return {0, 0};
    }
    if (i == 0 || i == ref.size())
        return {0, 0};
    for (; i < ref.size(); ++i) {
        if (!ref[i].isDigit())
            return {0, 0};
        row = row * 10 + ref[i].digitValue();
        if (row > kWorkbookMaxRows)
            return {0, 0};
    }
    return {int32_t(row), int32_t(col)};
}

void CheckXml(const QXmlStreamReader& xml, const std::string& book, const QString& part) {
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        Refuse(book, "its part " + part.toStdString() + " is not well-formed XML");
    if (xml.hasError())
        Refuse(book, "its part " + part.toStdString() + " ends too early");
}

// Relationship targets are relative to the folder of the part that names them.
QString ResolveTarget(const QString& folder, const QString& target) {
    if (target.startsWith('/'))
        return target.mid(1);
    QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    for (const QString& p : target.split('/', Qt::SkipEmptyParts)) {
        if (p == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (p != ".") {
            parts << p;
        }
    }
    return parts.join('/');
}

struct Relationship {
    QString target, type;
};

QHash<QString, Relationship> ReadRelationships(ZipParts& zip, const QString& name, const std::string& book) {
    QHash<QString, Relationship> rels;
    const auto bytes = zip.Read(name);
    if (!bytes)
        return rels;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const auto a = xml.attributes();
            rels.insert(a.value("Id").toString(),
                        {ResolveTarget("xl", a.value("Target").toString()), a.value("Type").toString()});
        }
    }
    CheckXml(xml, book, name);
    return rels;
}

// Every <t> of a rich or plain string, phonetic runs left out. Read element by element (never
// recursively) so that deep nesting is refused, not followed.
QString StringItem(QXmlStreamReader& xml, const CellBudget& budget, const QString& part) {
    QString text;
    int depth = 0, phonetic = 0, textDepth = 0; // textDepth: the depth of the open <t>, or 0
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            CheckDepth(++depth, budget, part);
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0 && textDepth == 0)
                textDepth = depth;
        } else if (xml.isEndElement()) {
            if (depth == 0)
                break; // the end of the string item itself
            if (depth == textDepth)
                textDepth = 0;
            if (xml.name() == u"rPh")
                --phonetic;
            --depth;
        } else if (xml.isCharacters() && textDepth > 0) {
            text += xml.text();
        }
    }
    return text;
}

std::vector<std::string> ReadSharedStrings(ZipParts& zip, const QString& name, const CellBudget& budget) {
    const std::string& book = budget.book;
    const WorkbookLimits& limits = budget.limits;
    std::vector<std::string> strings;
    const auto bytes = zip.Read(name);
    if (!bytes)
        return strings;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            if (int64_t(strings.size()) >= limits.maxCells)
                Refuse(book, "it has more than " + std::to_string(limits.maxCells) + " strings");
            strings.push_back(StringItem(xml, budget, name).toStdString());
        }
    }
    CheckXml(xml, book, name);
    return strings;
}

// What each cell style (the s attribute) makes of a number.
std::vector<WorkbookCell::Shown> ReadStyles(ZipParts& zip, const QString& name, const std::string& book) {
    std::vector<WorkbookCell::Shown> styles;
    const auto bytes = zip.Read(name);
    if (!bytes)
        return styles;
    QHash<int, QString> codes;
    QXmlStreamReader xml(*bytes);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"numFmt") {
            codes.insert(xml.attributes().value("numFmtId").toInt(),
                         xml.attributes().value("formatCode").toString());
        } else if (xml.isStartElement() && xml.name() == u"cellXfs") {
            inCellXfs = true;
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        } else if (inCellXfs && xml.isStartElement() && xml.name() == u"xf") {
            const int id = xml.attributes().value("numFmtId").toInt();
            styles.push_back(ShownByNumberFormat(id, codes.value(id).toStdString()));
        }
    }
    CheckXml(xml, book, name);
    return styles;
}

struct SheetContext {
    const std::vector<std::string>& strings;
    const std::vector<WorkbookCell::Shown>& styles;
    CellBudget& budget;
    std::vector<std::string>& warnings;
    const std::string& book;
};

// "B12" from (12, 2).
std::string CellName(int32_t row, int32_t col) {
    std::string letters;
    for (int32_t c = col; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

void ReadSheet(const QByteArray& bytes, const QString& part, SheetContext& ctx, Workbook::Sheet& sheet) {
    QXmlStreamReader xml(bytes);
    int32_t row = 0, col = 0;
    int views = 0;
    bool activeSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == u"sheetView") {
            ++views;
        } else if (name == u"selection" && views == 1 && !activeSeen) {
            const auto [r, c] = CellReference(xml.attributes().value("activeCell"));
            if (r > 0) {
                sheet.activeRow = r;
                sheet.activeCol = c;
                activeSeen = true;
            }
        } else if (name == u"row") {
            const auto a = xml.attributes();
            row = a.hasAttribute("r") ? a.value("r").toInt() : row + 1;
            col = 0;
        } else if (name == u"c") {
            const auto a = xml.attributes();
            if (a.hasAttribute("r")) {
                const auto [r, c] = CellReference(a.value("r"));
                row = r;
                col = c;
            } else {
                ++col;
            }
            const QString type = a.value("t").toString();
            const int style = a.value("s").toInt();
            QString value;
            bool hasValue = false, formula = false;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == u"v") {
                    value = xml.readElementText();
                    hasValue = true;
                } else if (xml.isStartElement() && xml.name() == u"is") {
                    value = StringItem(xml, ctx.budget, part);
                    hasValue = true;
                } else if (xml.isStartElement() && xml.name() == u"f") {
                    formula = true;
                } else if (xml.isEndElement() && xml.name() == u"c") {
                    break;
                }
            }
            if (row < 1 || col < 1)
                continue;
            // Some writers store a formula with an empty value instead of none.
            if (formula && (!hasValue || (value.isEmpty() && type != u"str"))) {
                // A writer that computes nothing stores formulas alone: the cell would read as
                // empty, and an empty coupon as 0.
                if (ctx.warnings.size() < kMaxFormulaWarnings)
                    ctx.warnings.push_back("the cell " + sheet.name + "!" + CellName(row, col) + " of " +
                                           ctx.book +
                                           " holds a formula without a saved result and reads as "
                                           "empty (open and save the workbook in a spreadsheet program)");
                continue;
            }
            if (!hasValue)
                continue;
            WorkbookCell cell;
            if (type == u"s") {
                bool ok = false;
                const qlonglong k = value.toLongLong(&ok);
                if (!ok || k < 0 || k >= qlonglong(ctx.strings.size()))
                    Refuse(ctx.book,
                           "a cell of " + part.toStdString() + " names a string the workbook lacks");
                cell.text = ctx.strings[size_t(k)];
            } else if (type == u"b") {
                cell.text = value.trimmed() == u"1" ? "TRUE" : "FALSE";
            } else if (type == u"inlineStr" || type == u"str" || type == u"e" || type == u"d") {
                cell.text = value.toStdString();
            } else {
                bool ok = false;
                const double v = value.toDouble(&ok);
                if (ok) {
                    cell.kind = WorkbookCell::Kind::Number;
                    cell.value = v;
                    if (style >= 0 && size_t(style) < ctx.styles.size())
                        cell.shown = ctx.styles[size_t(style)];
                } else {
                    cell.text = value.toStdString();
                }
            }
            if (cell.kind == WorkbookCell::Kind::Text && cell.text.empty())
                continue;
            AddCell(sheet, row, col, std::move(cell), ctx.budget);
        }
    }
    CheckXml(xml, ctx.book, part);
}

} // namespace

void ReadXlsx(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book) {
    ZipParts zip(bytes, limits, book.name);
    const auto workbookXml = zip.Read("xl/workbook.xml");
    if (!workbookXml)
        Refuse(book.name, "it is not a workbook (no xl/workbook.xml)");

    struct SheetEntry {
        QString name, rid;
    };
    std::vector<SheetEntry> entries;
    QXmlStreamReader xml(*workbookXml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"workbookPr") {
            const auto d = a.value("date1904");
            book.date1904 = d == u"1" || d == u"true";
        } else if (xml.name() == u"sheet") {
            QString rid;
            for (const auto& attr : a)
                if (attr.name() == u"id")
                    rid = attr.value().toString();
            entries.push_back({a.value("name").toString(), rid});
        }
    }
    CheckXml(xml, book.name, "xl/workbook.xml");

    const auto rels = ReadRelationships(zip, "xl/_rels/workbook.xml.rels", book.name);
    QString sharedName = "xl/sharedStrings.xml", stylesName = "xl/styles.xml";
    for (const Relationship& r : rels) {
        if (r.type.endsWith("/sharedStrings"))
            sharedName = r.target;
        else if (r.type.endsWith("/styles"))
            stylesName = r.target;
    }
    CellBudget budget{limits, book.name};
    const std::vector<std::string> strings = ReadSharedStrings(zip, sharedName, budget);
    const std::vector<WorkbookCell::Shown> styles = ReadStyles(zip, stylesName, book.name);

    SheetContext ctx{strings, styles, budget, book.warnings, book.name};
    for (const SheetEntry& e : entries) {
        const auto rel = rels.constFind(e.rid);
        if (rel == rels.constEnd())
            Refuse(book.name, "its sheet \"" + e.name.toStdString() + "\" has no part");
        if (!rel->type.endsWith("/worksheet"))
            continue; // chart and dialog sheets hold no cells
        const auto part = zip.Read(rel->target);
        if (!part)
            Refuse(book.name, "the part " + rel->target.toStdString() + " of its sheet \"" +
                                  e.name.toStdString() + "\" is missing");
        Workbook::Sheet sheet;
        sheet.name = e.name.toStdString();
        ReadSheet(*part, rel->target, ctx, sheet);
        book.sheets.push_back(std::move(sheet));
    }
}

} // namespace yarrow
