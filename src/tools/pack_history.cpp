// Build step: packs the Treasury history text into the compact form the programs load.
//     yarrow-pack-history IN.tsv OUT.ycmt
#include "core/data/CmtHistory.h"

#include <fstream>
#include <iostream>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: yarrow-pack-history IN.tsv OUT.ycmt\n";
        return 2;
    }
    try {
        const yarrow::CmtHistory history = yarrow::CmtHistory::FromFile(argv[1]);
        const std::string bytes = history.ToCompact();
        // The packed form must read back as the text did, or the build stops here.
        const yarrow::CmtHistory back = yarrow::CmtHistory::FromCompact(bytes);
        if (back.ToCompact() != bytes || back.Size() != history.Size()) {
            std::cerr << "yarrow-pack-history: the packed form does not read back\n";
            return 1;
        }
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "yarrow-pack-history: cannot write " << argv[2] << "\n";
            return 1;
        }
        std::cout << "packed " << history.Size() << " days into " << argv[2] << "\n";
    } catch (const std::exception& e) {
        std::cerr << "yarrow-pack-history: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
