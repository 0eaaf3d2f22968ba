#!/usr/bin/env python3
"""Tables with ratios from a JSON run of looper_bench, in Markdown.

    bench/ratios.py results.json

Every figure is the median CPU time of the repetitions of one benchmark, and
every ratio is a ratio of two such medians from the same run. "spread" is
(slowest - fastest) / median over the repetitions, a measure of the noise.
Run it with repetitions, for instance:

    build/bench/looper_bench --benchmark_repetitions=5 \
        --benchmark_enable_random_interleaving=true \
        --benchmark_display_aggregates_only=true \
        --benchmark_out=results.json --benchmark_out_format=json
"""
import json
import statistics
import sys
from collections import defaultdict

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(path):
    """The context and, for every benchmark, its repetitions."""
    with open(path) as file:
        data = json.load(file)
    runs = defaultdict(list)
    for entry in data["benchmarks"]:
        if entry.get("run_type") != "iteration" or entry.get("error_occurred"):
            continue
        runs[entry["run_name"]].append(entry)
    return data["context"], runs


class Figure:
    """Median CPU time in nanoseconds, spread, and the median page faults."""

    def __init__(self, entries):
        samples = [e["cpu_time"] * UNIT_NS[e["time_unit"]] for e in entries]
        self.median = statistics.median(samples)
        self.spread = (max(samples) - min(samples)) / self.median
        self.count = len(samples)
        faults = [e["page_faults"] for e in entries if "page_faults" in e]
        self.page_faults = statistics.median(faults) if faults else None


def figures(runs):
    return {name: Figure(entries) for name, entries in runs.items()}


def shape_of(parts):
    """(channels, loop length, block frames) from '.../mono/loop:N/block:M'."""
    channels, loop, block = parts[-3:]
    return channels, int(loop.split(":")[1]), int(block.split(":")[1])


def per_sample(figure, channels, block):
    return figure.median / (block * (2 if channels == "stereo" else 1))


def audio_table(found):
    rows = []
    for name, engine in found.items():
        parts = name.split("/")
        if parts[:2] != ["audio", "engine"]:
            continue
        condition = parts[2]
        channels, loop, block = shape_of(parts)
        rest = "/".join(parts[3:])
        limit = found.get("audio/limit/" + rest)
        straight = found.get("audio/straight/" + condition + "/" + rest)
        flushing = found.get("audio/engine-flushing-host/" + condition + "/" + rest)
        if limit is None or straight is None or flushing is None:
            continue
        rows.append((condition, channels, loop, block, engine, limit, straight, flushing))
    order = {"idle": 0, "full": 1, "ramp": 2, "fade": 3}
    rows.sort(key=lambda r: (order.get(r[0], 9), r[1] != "mono", r[2], r[3]))
    print("Audio path, ns per channel sample:\n")
    print("| condition | channels | loop | block | engine | limit | straight "
          "| engine / limit | straight / engine | engine / limit, host flushing | spread |")
    print("|---|---|---|---|---|---|---|---|---|---|---|")
    for condition, channels, loop, block, engine, limit, straight, flushing in rows:
        print(f"| {condition} | {channels} | {loop} | {block} "
              f"| {per_sample(engine, channels, block):.3f} "
              f"| {per_sample(limit, channels, block):.3f} "
              f"| {per_sample(straight, channels, block):.2f} "
              f"| {engine.median / limit.median:.2f} "
              f"| {straight.median / engine.median:.1f} "
              f"| {flushing.median / limit.median:.2f} "
              f"| {engine.spread:.0%} |")
    print()


def subnormal_table(found):
    print("Subnormal loop beside a normal one (mono, loop 176400, block 512), "
          "ns per channel sample:\n")
    print("| kernel | condition | normal | subnormal | subnormal / normal |")
    print("|---|---|---|---|---|")
    for kernel in ("engine", "unflushed-limit"):
        for condition in ("idle", "full"):
            prefix = f"subnormal/{kernel}/{condition}/"
            tail = "/mono/loop:176400/block:512"
            normal = found.get(prefix + "normal" + tail)
            subnormal = found.get(prefix + "subnormal" + tail)
            if normal is None or subnormal is None:
                continue
            print(f"| {kernel} | {condition} | {per_sample(normal, 'mono', 512):.3f} "
                  f"| {per_sample(subnormal, 'mono', 512):.3f} "
                  f"| {subnormal.median / normal.median:.2f} |")
    print()


COMMANDS = ["clear", "loop-seconds", "loop-seconds-fresh-block", "octave-doubling",
            "octave-halving", "fold", "duplicate", "mirror", "reverse-mix"]


def command_order(name):
    parts = name.split("/") + ["", ""]
    rank = COMMANDS.index(parts[1]) if parts[1] in COMMANDS else len(COMMANDS)
    return rank, parts[2]


def command_table(found):
    print("Commands on the largest loops beside a memcpy of the bytes of the longer "
          "of the old and the new loop, microseconds:\n")
    print("| command | channels | command | memcpy | command / memcpy "
          "| page faults per command | spread |")
    print("|---|---|---|---|---|---|---|")
    for name, command in sorted(found.items(), key=lambda item: command_order(item[0])):
        parts = name.split("/")
        if parts[0] != "command":
            continue
        copy = found.get("copy/" + "/".join(parts[1:]))
        if copy is None:
            continue
        print(f"| {parts[1]} | {parts[2]} | {command.median / 1e3:.0f} "
              f"| {copy.median / 1e3:.0f} | {command.median / copy.median:.2f} "
              f"| {command.page_faults:.0f} | {command.spread:.0%} |")
    print()


def noise(context, found):
    spreads = sorted(f.spread for f in found.values())
    counts = {f.count for f in found.values()}
    print(f"{len(found)} benchmarks, {'/'.join(map(str, sorted(counts)))} repetitions each; "
          f"spread median {statistics.median(spreads):.0%}, "
          f"90th percentile {spreads[int(0.9 * (len(spreads) - 1))]:.0%}, "
          f"largest {spreads[-1]:.0%}. "
          f"{context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"load average at start {context.get('load_avg')}.")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    context, runs = load(sys.argv[1])
    found = figures(runs)
    audio_table(found)
    subnormal_table(found)
    command_table(found)
    noise(context, found)


if __name__ == "__main__":
    main()
