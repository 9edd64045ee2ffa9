#include "core/text/CsvReader.h"

namespace yarrow {

void ForEachCsvField(std::string_view text, char separator,
                     const std::function<bool(size_t row, size_t col, CsvField&& field)>& onField) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    size_t row = 0, col = 0, i = 0;
    const size_t n = text.size();
    while (i < n) {
        CsvField field;
        if (text[i] == '"') {
            field.quoted = true;
            ++i;
            while (i < n) {
                if (text[i] != '"') {
                    field.text += text[i++];
                } else if (i + 1 < n && text[i + 1] == '"') {
                    field.text += '"';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
        }
        // Unquoted text, or what follows a closing quote, up to the separator or the line break.
        while (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n')
            field.text += text[i++];
        if (!onField(row, col, std::move(field)))
            return;
        if (i >= n)
            return;
        if (text[i] == separator) {
            ++i;
            ++col;
            if (i == n) // a separator at the very end opens one more empty field
                onField(row, col, CsvField{});
            continue;
        }
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        ++i;
        ++row;
        col = 0;
    }
}

std::vector<std::vector<std::string>> ReadCsvRecords(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> records;
    ForEachCsvField(text, separator, [&](size_t row, size_t, CsvField&& field) {
        if (records.size() <= row)
            records.resize(row + 1);
        records[row].push_back(std::move(field.text));
        return true;
    });
    return records;
}

} // namespace yarrow
