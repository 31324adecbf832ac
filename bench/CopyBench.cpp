// Copying cards: the clipboard text of every card of the 100,000-card book
// through the default copy layouts; both clipboard blocks (text and cards, with
// the method table) for 10,000 cards; reading a block of 100,000 cards back.

#include "ModelBenchBook.h"
#include "transfer/CardClipboard.h"
#include "transfer/CopyLayout.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct CopyInput {
    CAddrBook book;
    std::vector<const CAddrCard*> cards;
    CCopyLayout japanese;
    CCopyLayout english;
    std::string block; // of every card
};

const CopyInput& Input() {
    static const std::unique_ptr<CopyInput> input = [] {
        auto in = std::make_unique<CopyInput>();
        MakeBenchBook(in->book, 100000);
        for (const auto& card : in->book.Cards())
            in->cards.push_back(card.get());
        in->japanese.SetJapaneseFlag(1);
        in->japanese.SetDefaultFields();
        in->english.SetDefaultFields();
        in->block = WriteCardBlock(in->cards);
        return in;
    }();
    return *input;
}

// The clipboard text as copying makes it: each card by its notation's layout,
// each followed by a line break.
std::string CopyText(const CopyInput& in, std::span<const CAddrCard* const> cards) {
    std::string text;
    for (const CAddrCard* card : cards) {
        (card->IsEnglish() ? in.english : in.japanese).AppendCopyText(*card, text);
        text += "\r\n";
    }
    return text;
}

void CopyTextOfEveryCard(benchmark::State& state) {
    const CopyInput& in = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(CopyText(in, in.cards).size());
}
BENCHMARK(CopyTextOfEveryCard)->Unit(benchmark::kMillisecond);

void CopyBlocksOf10000Cards(benchmark::State& state) {
    const CopyInput& in = Input();
    const std::span<const CAddrCard* const> cards(in.cards.data(), 10000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CopyText(in, cards).size());
        benchmark::DoNotOptimize(WriteCardBlock(cards).size());
        benchmark::DoNotOptimize(WriteMethodBlock(in.book.m_methods).size());
    }
}
BENCHMARK(CopyBlocksOf10000Cards)->Unit(benchmark::kMillisecond);

void ReadBlockOf100000Cards(benchmark::State& state) {
    const CopyInput& in = Input();
    for (auto _ : state) {
        std::vector<std::unique_ptr<CAddrCard>> cards;
        if (ReadCardBlock(in.block, cards) || cards.size() != 100000)
            state.SkipWithError("block not read");
        // A paste hands the cards to the book; freeing them is no part of it.
        state.PauseTiming();
        cards.clear();
        state.ResumeTiming();
    }
    state.counters["block_MB"] = static_cast<double>(in.block.size()) / 1e6;
}
BENCHMARK(ReadBlockOf100000Cards)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
