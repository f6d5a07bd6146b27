// Throughput of the conversion stages on a generated book with CR LF line
// ends and Latin-1 bytes.
#include "pdbImage.h"
#include "sourceText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>

namespace {

std::string sampleBook(std::size_t size)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter(0, 40);
    std::uniform_int_distribution<int> lineLength(20, 100);
    std::string book;
    book.reserve(size);
    while (book.size() < size) {
        for (int i = lineLength(random); i > 0; --i) {
            const int pick = letter(random);
            book += pick < 26 ? static_cast<char>('a' + pick) : pick < 34 ? ' ' : static_cast<char>(0xE0 + pick - 34);
        }
        book += "\r\n";
    }
    book.resize(size);
    return book;
}

void scanText(benchmark::State& state)
{
    const std::string book = sampleBook(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        SourceTextScanner scanner;
        scanner.reserve(book.size() + 1);
        scanner.feed(book.data(), book.size());
        benchmark::DoNotOptimize(scanner.take());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * book.size()));
}
BENCHMARK(scanText)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

void readFromPageCache(benchmark::State& state)
{
    const std::string book = sampleBook(static_cast<std::size_t>(state.range(0)));
    char path[] = "/tmp/tvp-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0 || ::write(fd, book.data(), book.size()) != static_cast<ssize_t>(book.size())) {
        state.SkipWithError("cannot write the sample book");
        return;
    }
    ::close(fd);
    for (auto _ : state)
        benchmark::DoNotOptimize(readSourceText(path));
    ::unlink(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * book.size()));
}
BENCHMARK(readFromPageCache)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

void buildImage(benchmark::State& state)
{
    const std::string text(static_cast<std::size_t>(state.range(0)), 't');
    const auto today = localToday();
    for (auto _ : state) {
        std::string copy = text;
        benchmark::DoNotOptimize(buildPDB(std::move(copy), "Livre", 1, today));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(buildImage)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
