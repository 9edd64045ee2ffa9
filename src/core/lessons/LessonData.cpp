#include "core/lessons/LessonData.h"

#include "core/data/ResourceFolder.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace yarrow {

namespace {

bool ReadMonth(std::string_view text, int& year, int& month) {
    if (text.size() != 7 || text[4] != '-')
        return false;
    for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u})
        if (text[i] < '0' || text[i] > '9')
            return false;
    year = std::stoi(std::string(text.substr(0, 4)));
    month = std::stoi(std::string(text.substr(5, 2)));
    return year >= 1800 && month >= 1 && month <= 12;
}

} // namespace

Date Recession::Start() const {
    return MakeDate(peakYear, peakMonth, 1);
}

Date Recession::End() const {
    return AddMonths(MakeDate(troughYear, troughMonth, 1), 1) - std::chrono::days(1);
}

std::string Recession::PeakText() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d", peakYear, peakMonth);
    return buf;
}

std::vector<Recession> ParseRecessions(std::string_view text) {
    std::vector<Recession> out;
    size_t at = 0;
    int number = 0;
    bool header = true;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        const size_t tab = line.find('\t');
        Recession r;
        const auto bad = [&] { return RecessionsError("recessions file: line " + std::to_string(number) +
                                                      " is not PEAK TAB TROUGH as YYYY-MM"); };
        if (tab == std::string_view::npos || !ReadMonth(line.substr(0, tab), r.peakYear, r.peakMonth) ||
            !ReadMonth(line.substr(tab + 1), r.troughYear, r.troughMonth))
            throw bad();
        if (r.troughYear * 12 + r.troughMonth < r.peakYear * 12 + r.peakMonth ||
            (!out.empty() && r.Start() <= out.back().End()))
            throw bad();
        out.push_back(r);
    }
    return out;
}

std::string RecessionsFile() {
    return ResourceFolder() + "/history/us-recessions.tsv";
}

std::vector<Recession> LoadRecessions() {
    const std::string path = RecessionsFile();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RecessionsError("cannot read the recessions file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    // A few hundred bytes are expected; a huge file is not this one.
    if (text.str().size() > (1u << 20))
        throw RecessionsError("the recessions file " + path + " is too large");
    return ParseRecessions(text.str());
}

} // namespace yarrow
