// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Reading a settings file the way start-up does (load, then some sixty
// lookups, then the changed values written back), for files of growing size:
// the time per line must stay flat.
//
//   ./bench_ini_file
//       start-ups per second for 1 000, 100 000 and 1 000 000 short lines in
//       one section after [Param].
#include <benchmark/benchmark.h>

#include "platform/ini_file.h"

namespace {

void BM_StartupOnLargeFile(benchmark::State& state)
{
    QByteArray data = "[POS]\nWndPosLeft=10\n[Param]\nRate1=20\n";
    for (int64_t i = 0; i < state.range(0); ++i)
        data += "k" + QByteArray::number(qlonglong(i)) + "=1\n";
    for (auto _ : state) {
        IniFile ini;
        ini.loadFromData(data);
        int sum = 0;
        for (int k = 0; k < 60; ++k)
            sum += ini.getInt(QStringLiteral("Param"), QStringLiteral("Key%1").arg(k), k);
        for (int k = 0; k < 60; ++k)
            ini.setInt(QStringLiteral("Param"), QStringLiteral("Key%1").arg(k), k);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(ini.toData().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StartupOnLargeFile)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
