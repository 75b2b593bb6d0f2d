#!/usr/bin/env python3
"""Prints the benchmark table from the raw results scripts/bench.sh gathers.

Every figure is the median of its repetitions; a ratio is the figure's median
over the median of what it is compared with, taken in the same run.
Micro-benchmarks are timed in CPU time of the benchmark thread, so that time
spent waiting for the machine's other work does not count; start-up and the
command-line answer are timed as whole-process wall time.

Usage: report.py RESULTS_DIR
"""

import glob
import json
import os
import re
import statistics
import sys

# Each comparison: the row's name, the figure's benchmark, the benchmark it
# is set against (a floor, or the same action on a smaller bestiary), the
# highest ratio allowed, and the counters both must show alike (evidence
# that they did the same visible work).
COMPARISONS = [
    ("Keystroke SQLite 14", "Keystroke/window SQLite 14", "Keystroke/bare window", 1.10, ("boxes", "paints")),
    ("Keystroke 100000 / 14", "Keystroke/window SQLite 100000", "Keystroke/window SQLite 14 generated", 1.2,
     ("boxes", "paints")),
    ("Lookup SQLite 10000", "Lookup/index SQLite 10000", "Lookup/lower_bound SQLite 10000", 1.5, ()),
    ("Lookup Access 10000", "Lookup/index Access 10000", "Lookup/lower_bound SQLite 10000", 1.5, ()),
    ("Lookup SQLite 100000", "Lookup/index SQLite 100000", "Lookup/lower_bound SQLite 100000", 1.5, ()),
    ("Unchanged file: lookup / read", "Lookup/unchanged file SQLite 100000", "Open/bestiary SQLite 100000", 0.01, ()),
    ("Open SQLite 100000", "Open/bestiary SQLite 100000", "Open/SELECT and std::sort SQLite 100000", 2.0, ()),
    ("Category SQLite 10000", "Category/window SQLite 10000", "Category/NOCASE query and addItems SQLite 10000", 0.8,
     ("items",)),
    ("Category Access 10000", "Category/window Access 10000", "Category/NOCASE query and addItems SQLite 10000", 0.8,
     ("items",)),
    ("Category 100000 / 10000", "Category/window SQLite 100000", "Category/window SQLite 10000", 12.0, ()),
    ("Foe box key 100000 / 10000", "Foe box/key SQLite 100000", "Foe box/key SQLite 10000", 12.0, ()),
]
START_RATIO_TARGET = 1.10
START_MEMORY_TARGET_MIB = 5.0
OPEN_MEMORY_TARGET_MIB = 40.0
ANSWER_MS_TARGET = 20.0
ANSWER_RATIO_TARGET = 4.0


def median_and_cv(values):
    mean = statistics.fmean(values)
    cv = statistics.stdev(values) / mean if len(values) > 1 and mean else 0.0
    return statistics.median(values), cv


def repetitions(path):
    """Benchmark name -> list of per-repetition runs (aggregates left out). A
    name loses the "/iterations:N" Google Benchmark adds to it when the
    iterations are fixed."""
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for run in data["benchmarks"]:
        if run.get("run_type") == "iteration":
            runs.setdefault(re.sub(r"/iterations:\d+$", "", run["run_name"]), []).append(run)
    return data["context"], runs


def cpu_times_us(runs):
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    return [r["cpu_time"] * scale[r["time_unit"]] for r in runs]


def show_time_us(us):
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    if us >= 1:
        return f"{us:.1f} µs"
    return f"{us * 1000:.0f} ns"


def verdict(met):
    return "met" if met else "MISSED"


def instructions_per_iteration(results):
    """Benchmark name -> instructions of one iteration of its timed loop, from
    the callgrind runs: each loop's dump, over the iterations its run's JSON
    gives it."""
    counted = {}
    for json_path in glob.glob(os.path.join(results, "*-callgrind.json")):
        _, runs = repetitions(json_path)
        for path in glob.glob(json_path[: -len(".json")] + ".out.*"):
            with open(path) as f:
                text = f.read()
            trigger = re.search(r"^desc: Trigger: Client Request: (.*)$", text, re.M)
            summary = re.search(r"^summary: (\d+)", text, re.M)
            if trigger and summary and trigger.group(1) in runs:
                counted[trigger.group(1)] = int(summary.group(1)) / runs[trigger.group(1)][0]["iterations"]
    return counted


def comparison_rows(runs, instructions, notes):
    rows = []
    for label, figure_name, floor_name, target, counters in COMPARISONS:
        figure, floor = runs.get(figure_name), runs.get(floor_name)
        if not figure or not floor:
            notes.append(f"{label}: {figure_name if not figure else floor_name} did not run")
            continue
        (fig, fig_cv), (flo, flo_cv) = median_and_cv(cpu_times_us(figure)), median_and_cv(cpu_times_us(floor))
        ratio = fig / flo
        fig_ir, flo_ir = instructions.get(figure_name), instructions.get(floor_name)
        ir_ratio = show_ratio(fig_ir / flo_ir) if fig_ir and flo_ir else "-"
        rows.append([label, show_time_us(fig), show_time_us(flo), show_ratio(ratio), ir_ratio,
                     f"<= {target:g}", verdict(ratio <= target), f"{fig_cv:.0%} / {flo_cv:.0%}"])
        for counter in counters:
            a, b = figure[0].get(counter), floor[0].get(counter)
            if a != b:
                notes.append(f"{label}: {counter} per iteration differ, figure {a}, floor {b}")
    return rows


def show_ratio(ratio):
    return f"{ratio:.3f}" if ratio >= 0.001 else f"{ratio:.1e}"


def hyperfine_rounds(results, prefix, programs):
    """Per round, in order: program -> its wall times in ms, from hyperfine's
    files PREFIX-ROUND.json or PREFIX-ROUND-PART.json; commands are told
    apart by their program."""
    rounds = {}
    for path in glob.glob(os.path.join(results, prefix + "-*.json")):
        number = int(re.match(rf"{re.escape(prefix)}-(\d+)", os.path.basename(path)).group(1))
        wall = rounds.setdefault(number, {p: [] for p in programs})
        with open(path) as f:
            for result in json.load(f)["results"]:
                program = next(p for p in programs if re.search(rf"(^|/){re.escape(p)}( |$)", result["command"]))
                wall[program].extend(t * 1000 for t in result["times"])
    return [rounds[number] for number in sorted(rounds)]


def peak_mib(results, pattern):
    """GNU time's maximum resident set sizes, in MiB, of the files matching pattern."""
    peaks = []
    for path in glob.glob(os.path.join(results, pattern)):
        with open(path) as f:
            peaks.append(int(f.read().split()[-1]) / 1024)
    return peaks


def memory_row(label, figure_peaks, floor_peaks, target_mib):
    (fig, fig_cv), (flo, flo_cv) = median_and_cv(figure_peaks), median_and_cv(floor_peaks)
    return [label, f"{fig:.1f} MiB", f"{flo:.1f} MiB", f"+{fig - flo:.1f} MiB", "-", f"<= +{target_mib:g} MiB",
            verdict(fig - flo <= target_mib), f"{fig_cv:.0%} / {flo_cv:.0%}"]


def startup_rows(results):
    """One row a round, for the spread; then the budget, held on the median of
    the rounds' ratios in wall time and in instructions; then peak memory."""
    programs = ("first_frame_calculator", "first_frame_bare_window")
    rows, wall_ratios, ir_ratios, figures, floors = [], [], [], [], []
    for number, wall in enumerate(hyperfine_rounds(results, "wall", programs), start=1):
        (fig, fig_cv), (flo, flo_cv) = (median_and_cv(wall[p]) for p in programs)
        fig_ir, flo_ir = (total_instructions(os.path.join(results, f"callgrind-{p}-{number}.out")) for p in programs)
        wall_ratios.append(fig / flo)
        ir_ratios.append(fig_ir / flo_ir)
        figures.append(fig)
        floors.append(flo)
        rows.append([f"Start-up round {number}", f"{fig:.1f} ms", f"{flo:.1f} ms", show_ratio(fig / flo),
                     show_ratio(fig_ir / flo_ir), "-", "-", f"{fig_cv:.0%} / {flo_cv:.0%}"])
    wall_ratio, ir_ratio = statistics.median(wall_ratios), statistics.median(ir_ratios)
    met = wall_ratio <= START_RATIO_TARGET and ir_ratio <= START_RATIO_TARGET
    rows.append([f"Start-up, median of {len(wall_ratios)} rounds", f"{statistics.median(figures):.1f} ms",
                 f"{statistics.median(floors):.1f} ms", show_ratio(wall_ratio), show_ratio(ir_ratio),
                 f"<= {START_RATIO_TARGET:g} both", verdict(met),
                 f"rounds {min(wall_ratios):.3f}-{max(wall_ratios):.3f}"])
    rows.append(memory_row("Start-up peak memory", *(peak_mib(results, f"peak-kib-{p}-*.txt") for p in programs),
                           START_MEMORY_TARGET_MIB))
    return rows


def total_instructions(path):
    with open(path) as f:
        return [int(m.group(1)) for m in re.finditer(r"^(?:summary|totals): (\d+)", f.read(), re.M)][-1]


def command_line_rows(results):
    """vorn-foe --foe beside the sqlite3 shell printing the same row: the
    budget on wall time, the instructions for the record."""
    programs = ("vorn-foe", "sqlite3")
    wall = {p: [t for r in hyperfine_rounds(results, "cli-wall", programs) for t in r[p]] for p in programs}
    (fig, fig_cv), (flo, flo_cv) = (median_and_cv(wall[p]) for p in programs)
    met = fig <= ANSWER_MS_TARGET and fig / flo <= ANSWER_RATIO_TARGET
    rows = [["Answer --foe wall time", f"{fig:.2f} ms", f"{flo:.2f} ms", f"{fig / flo:.3f}", "-",
             f"<= {ANSWER_MS_TARGET:g} ms, <= {ANSWER_RATIO_TARGET:g}", verdict(met), f"{fig_cv:.0%} / {flo_cv:.0%}"]]
    (fig, fig_cv), (flo, flo_cv) = (median_and_cv([total_instructions(path) for path in glob.glob(
        os.path.join(results, f"callgrind-cli-{p}-*.out"))]) for p in programs)
    rows.append(["Answer --foe instructions", f"{fig / 1e6:.2f} M", f"{flo / 1e6:.2f} M", f"{fig / flo:.3f}",
                 f"{fig / flo:.3f}", "-", "-", f"{fig_cv:.1%} / {flo_cv:.1%}"])
    return rows


def open_memory_rows(results):
    """The command-line answer's peak memory on 100,000 foes against the sample's."""
    return [memory_row("Open 100000 peak memory", peak_mib(results, "open-peak-kib-large-*.txt"),
                       peak_mib(results, "open-peak-kib-sample-*.txt"), OPEN_MEMORY_TARGET_MIB)]


def scale_rows(runs):
    rows = []
    for name, reps in runs.items():
        if name.startswith("Scale/"):
            bestiary, what = name[len("Scale/"):].split("/", 1)
            counted = next((f"{reps[0][c]:g} {c}" for c in ("names", "items") if c in reps[0]), "")
            rows.append([bestiary, what, show_time_us(median_and_cv(cpu_times_us(reps))[0]), counted])
    return rows


def print_table(header, rows):
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    line = lambda row: "  ".join(str(cell).ljust(width) for cell, width in zip(row, widths)).rstrip()
    print(line(header))
    print("  ".join("-" * width for width in widths))
    for row in rows:
        print(line(row))


def cpu_model():
    with open("/proc/cpuinfo") as f:
        return next((line.split(":", 1)[1].strip() for line in f if line.startswith("model name")), "unknown")


def main(results):
    context, measures = repetitions(os.path.join(results, "measures.json"))
    _, scale = repetitions(os.path.join(results, "scale.json"))
    notes = []
    rows = comparison_rows(measures, instructions_per_iteration(results), notes)
    repetition_count = max(len(r) for r in measures.values())
    with open(os.path.join(results, "load.txt")) as f:
        load = "; ".join(line.strip().lower() for line in f)

    print(f"Machine: {os.cpu_count()} CPUs ({context.get('num_cpus')} seen by the benchmark), {cpu_model()}, "
          f"Qt {context.get('qt_version')}; load averages over 1, 5 and 15 min, {load}")
    print()
    print(f"Scale (median of {max(len(r) for r in scale.values())} repetitions, CPU time)")
    print_table(["bestiary", "what", "median", "count"], scale_rows(scale))
    print()
    print(f"Figures against floors: median of {repetition_count} interleaved repetitions (CPU time); "
          "start-up in five rounds, each the median wall time of 20 runs of each program and one count of "
          "instructions, held to its budget on the median of the rounds' ratios. Ir ratio: the same ratio in "
          "instructions (callgrind). Verdict on the ratio (start-up: on both; the answer also on its time). "
          "Noise: coefficient of variation, figure / floor.")
    for note in notes:
        print("NOTE:", note)
    print_table(["measure", "figure", "floor", "ratio", "Ir ratio", "target", "verdict", "noise"],
                rows + startup_rows(results) + command_line_rows(results) + open_memory_rows(results))


if __name__ == "__main__":
    main(sys.argv[1])
