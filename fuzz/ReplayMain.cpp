// Runs a fuzz target over files instead of generated inputs: each argument is a file or a folder
// of files (a missing folder is skipped). The test suites replay the seeds and every input that
// once crashed a target this way.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int k = 1; k < argc; ++k) {
        const std::filesystem::path p(argv[k]);
        if (std::filesystem::is_directory(p)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(p))
                if (entry.is_regular_file())
                    inputs += RunFile(entry.path());
        } else if (std::filesystem::is_regular_file(p)) {
            inputs += RunFile(p);
        }
    }
    std::printf("%d input(s) replayed\n", inputs);
    return 0;
}
