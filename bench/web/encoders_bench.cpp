// Throughput of the keyword encoders and the decoder on 1 MiB of text shaped
// like keywords: Chinese titles, Latin words, digits, spaces, punctuation.
#include <benchmark/benchmark.h>

#include "text/codepage.h"
#include "web/encoders.h"

namespace {

const velmora::Text& keywordText() {
    static const velmora::Text text = [] {
        const velmora::Text pieces[] = {velmora::gbk("变形金刚"),
                                        " 2 ",
                                        velmora::gbk("大话西游之月光宝盒"),
                                        " Iron Man&",
                                        velmora::gbk("天龙八部"),
                                        "(1080p) ",
                                        "s01e02+"};
        velmora::Text out;
        for (std::size_t i = 0; out.size() < (1u << 20); ++i) out += pieces[i % std::size(pieces)];
        return out;
    }();
    return text;
}

void BM_percentEncodeGbk(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(velmora::percentEncodeGbk(keywordText()));
    state.SetBytesProcessed(state.iterations() * keywordText().size());
}

void BM_percentEncodeUtf8(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(velmora::percentEncodeUtf8(keywordText()));
    state.SetBytesProcessed(state.iterations() * keywordText().size());
}

void BM_percentDecodeUtf8(benchmark::State& state) {
    const velmora::Text encoded = velmora::percentEncodeUtf8(keywordText());
    for (auto _ : state) benchmark::DoNotOptimize(velmora::percentDecodeUtf8(encoded));
    state.SetBytesProcessed(state.iterations() * encoded.size());
}

BENCHMARK(BM_percentEncodeGbk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_percentEncodeUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_percentDecodeUtf8)->Unit(benchmark::kMillisecond);

}  // namespace
