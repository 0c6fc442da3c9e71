// Runs a libFuzzer-style target without libFuzzer: every seed file first, then a fixed number
// of inputs mutated from the seeds by a deterministic generator, so a smoke run is repeatable.
// Usage: target [-runs=N] [seed file or folder ...]

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

void addSeed(const std::filesystem::path& path, std::vector<Bytes>& seeds) {
    std::ifstream in(path, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void collectSeeds(const std::filesystem::path& path, std::vector<Bytes>& seeds) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files)
            addSeed(file, seeds);
    } else if (std::filesystem::is_regular_file(path, error)) {
        addSeed(path, seeds);
    }
}

Bytes mutate(const std::vector<Bytes>& seeds, std::mt19937& random) {
    Bytes data = seeds.empty() ? Bytes{} : seeds[random() % seeds.size()];
    const int steps = 1 + static_cast<int>(random() % 8);
    for (int step = 0; step < steps; ++step) {
        switch (random() % 7) {
        case 0: // flip a bit
            if (!data.empty())
                data[random() % data.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
            break;
        case 1: // overwrite a byte with a boundary value
            if (!data.empty()) {
                static const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x12, 0x14, 0x2A, 0x45, 0x53};
                data[random() % data.size()] = values[random() % sizeof values];
            }
            break;
        case 2: // insert random bytes
        {
            const size_t at = data.empty() ? 0 : random() % (data.size() + 1);
            const size_t count = 1 + random() % 8;
            for (size_t i = 0; i < count; ++i)
                data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), static_cast<uint8_t>(random()));
            break;
        }
        case 3: // erase a range
            if (!data.empty()) {
                const size_t at = random() % data.size();
                const size_t count = std::min<size_t>(1 + random() % 16, data.size() - at);
                data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                           data.begin() + static_cast<std::ptrdiff_t>(at + count));
            }
            break;
        case 4: // truncate
            if (!data.empty())
                data.resize(random() % data.size());
            break;
        case 5: // write a random 32-bit integer
            if (data.size() >= 4) {
                const size_t at = random() % (data.size() - 3);
                const uint32_t value = (random() % 2) ? static_cast<uint32_t>(random())
                                                      : static_cast<uint32_t>(random() % 70000);
                std::memcpy(&data[at], &value, 4);
            }
            break;
        default: // splice with another seed
            if (!seeds.empty()) {
                const Bytes& other = seeds[random() % seeds.size()];
                if (!other.empty()) {
                    const size_t from = random() % other.size();
                    const size_t at = data.empty() ? 0 : random() % data.size();
                    data.resize(at);
                    data.insert(data.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
                }
            }
            break;
        }
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    long runs = 1000;
    std::vector<Bytes> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0)
            runs = std::strtol(argv[i] + 6, nullptr, 10);
        else
            collectSeeds(argv[i], seeds);
    }
    for (const Bytes& seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    std::mt19937 random(20261210);
    for (long run = 0; run < runs; ++run) {
        const Bytes input = mutate(seeds, random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and %ld mutated inputs ran\n", seeds.size(), runs);
    return 0;
}
