// The main of a fuzz entry point outside libFuzzer: runs the entry point once over every input it
// is given, each a file or a folder whose files are read in name order, the way libFuzzer replays a
// corpus. So every build compiles the fuzz code and the tests run it over the committed seeds. A
// broken promise aborts inside the entry point, as it does under the fuzzer.
//   NAME FILE_OR_FOLDER...
// Exit code 0 once every input ran; 2 for no inputs, an empty folder or an unreadable file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Optional, as under libFuzzer: an entry point that needs no set-up leaves it out.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files an argument names, in name order; false (with the reason on stderr) when it names
// nothing readable.
bool collectInputs(const char* argument, std::vector<fs::path>& inputs) {
    std::error_code error;
    const fs::path path(argument);
    if (!fs::is_directory(path, error)) {
        if (!fs::is_regular_file(path, error)) {
            std::fprintf(stderr, "corpus runner: %s is neither a file nor a folder\n", argument);
            return false;
        }
        inputs.push_back(path);
        return true;
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
        if (entry.is_regular_file(error)) files.push_back(entry.path());
    if (error || files.empty()) {
        std::fprintf(stderr, "corpus runner: the folder %s holds no inputs\n", argument);
        return false;
    }
    std::sort(files.begin(), files.end());
    inputs.insert(inputs.end(), files.begin(), files.end());
    return true;
}

bool readWhole(const fs::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
        if (!collectInputs(argv[i], inputs)) return 2;

    if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!readWhole(input, bytes)) {
            std::fprintf(stderr, "corpus runner: cannot read %s\n", input.c_str());
            return 2;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("corpus runner: %zu inputs ran\n", inputs.size());
    return 0;
}
