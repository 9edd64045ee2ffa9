#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace yarrow {

// One cell as read from a workbook file, before it is shown: a text, or a number with what its
// number format makes of it.
struct WorkbookCell {
    enum class Kind : uint8_t { Text, Number };
    enum class Shown : uint8_t { General, Date, Time, DateTime };
    Kind kind = Kind::Text;
    Shown shown = Shown::General;
    double value = 0;
    std::string text; // Kind::Text
};

// The sheets of one workbook file, cells keyed by (row, column) from 1.
struct Workbook {
    struct Sheet {
        std::string name;
        std::map<std::pair<int32_t, int32_t>, WorkbookCell> cells;
        int32_t activeRow = 1, activeCol = 1;
    };
    std::string name; // the file name, as topics show it: [name]Sheet
    bool date1904 = false;
    std::vector<Sheet> sheets;
    std::vector<std::string> warnings; // what was read other than as written, one sentence each
};

// The largest sheet a spreadsheet holds.
inline constexpr int32_t kWorkbookMaxRows = 1'048'576;
inline constexpr int32_t kWorkbookMaxCols = 16'384;

} // namespace yarrow
